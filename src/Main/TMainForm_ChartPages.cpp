// The six chart pages (TabSheet5 .. TabSheet10 of GridPctl): on each a top panel
// (33 pixels) with "统计最近 [N] 期的...情况" and "查询", the sheet's TH2Net grid
// filling the rest, and on TabSheet9 and TabSheet10 a legend panel along the bottom.
// A chart is rebuilt whenever its page becomes visible and on "查询".
#include "Main/TMainForm.h"

#include "Charts/Charts.h"
#include "H2Net/TH2Net.h"
#include "Main/Platform.h"
#include "Main/TChartSpinEdit.h"
#include "Main/TColumnLabel.h"
#include "Main/TPageControl.h"
#include "Main/UiSupport.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

namespace {

struct TChartPageInfo {
    const char* Sheet;
    const char* Caption;
    const char* PanelTop;
    const char* PanelBottom;
    const char* NetName;
    const char* LabelName;
    const char* LabelText;
    int LabelWidth;
    int GoBtLeft;
    const char* LegendName;
    const char* LegendText;
    int Border;
};

const char* const kOddEvenLegend = "    1、组选：A、全偶；B、两偶一奇；C、一偶两奇；D、全奇。\n"
                                   "    2、单选：A、偶偶偶；B、偶偶奇；C、偶奇偶；D、偶奇奇；E、奇偶偶；"
                                   "F、奇偶奇；G、奇奇偶；H、奇奇奇 。";
const char* const kBigSmallLegend = "    1、组选：A、全小；B、两小一大；C、一小两大；D、全大。\n"
                                    "    2、单选：A、小小小；B、小小大；C、小大小；D、小大大；E、大小小；"
                                    "F、大小大；G、大大小；H、大大大 。";

const TChartPageInfo kChartPages[] = {
    { "TabSheet5", "3D走势图", "TabSheet5PanelTop", nullptr, "TabSheet5Net", "Label4",
        "统计最近         期的走势情况", 203, 218, nullptr, nullptr, 0 },
    { "TabSheet6", "K线分布图", "TabSheet6PanelTop", nullptr, "TabSheet6Net", "Label5",
        "统计最近         期的K线分布情况", 224, 242, nullptr, nullptr, 0 },
    { "TabSheet7", "和值分布图", "TabSheet7PanelTop", nullptr, "TabSheet7Net", "Label6",
        "统计最近         期的和值分布情况", 231, 242, nullptr, nullptr, 0 },
    { "TabSheet8", "合值分布图", "TabSheet8PanelTop", nullptr, "TabSheet8Net", "Label7",
        "统计最近         期的合值分布情况", 231, 250, nullptr, nullptr, 2 },
    { "TabSheet9", "奇偶走势图", "Panel1", "TabSheet9PanelTop", "TabSheet9Net", "Label10",
        "统计最近         期的奇偶走势情况", 231, 250, "Label8", kOddEvenLegend, 0 },
    { "TabSheet10", "大小走势图", "TabSheet10PanelTop", "Panel2", "TabSheet10Net", "Label9",
        "统计最近         期的大小走势情况", 231, 250, "Label33", kBigSmallLegend, 0 },
};

// Design geometry of the top panel's controls (left, top, width, height).
constexpr int kPanelHeight = 33;
constexpr int kLabelLeft = 7;
constexpr int kLabelTop = 10;
constexpr int kSpinLeft = 72;
constexpr int kSpinTop = 5;
constexpr int kSpinWidth = 44;
constexpr int kSpinHeight = 23;
constexpr int kGoBtTop = 6;
constexpr int kGoBtWidth = 57;
constexpr int kGoBtHeight = 22;
constexpr int kLegendLeft = 55;
constexpr int kLegendTop = 2;
// Room kept on each side of the spin edit inside the caption's blanks.
constexpr int kSpinMargin = 4;

using THandler = void (TMainForm::*)();
constexpr THandler kShowHandlers[]
    = { &TMainForm::TabSheet5Show, &TMainForm::TabSheet6Show, &TMainForm::TabSheet7Show,
          &TMainForm::TabSheet8Show, &TMainForm::TabSheet9Show, &TMainForm::TabSheet10Show };
constexpr THandler kGoBtHandlers[]
    = { &TMainForm::TabSheet5GoBtClick, &TMainForm::TabSheet6GoBtClick, &TMainForm::TabSheet7GoBtClick,
          &TMainForm::TabSheet8GoBtClick, &TMainForm::TabSheet9GoBtClick, &TMainForm::TabSheet10GoBtClick };

QFrame* MakeChartPanel(QWidget* sheet, const char* name, bool raised)
{
    auto* panel = new QFrame(sheet);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFixedHeight(kPanelHeight);
    if (raised)
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

// Places the caption, the spin edit and the button as designed where the fonts allow:
// the spin edit stands in the caption's blanks, which the fonts here draw narrower than
// the design's (word spacing does not widen blanks between Han characters), so the rest
// of the caption moves past the spin edit; the button keeps its designed distance from
// the caption's end.
void LayOutQueryPanel(
    TColumnLabel* label, TChartSpinEdit* spin, QPushButton* button, const TChartPageInfo& info)
{
    const int spinWidth = std::max(kSpinWidth, spin->sizeHint().width());
    const int spinHeight = std::max(kSpinHeight, std::min(kPanelHeight - 4, spin->sizeHint().height()));
    const int spinTop = std::min(kSpinTop, (kPanelHeight - spinHeight) / 2);
    const int gapLeft = kLabelLeft + label->PieceRect(0).width();
    const int spinLeft = std::max(kSpinLeft, gapLeft + kSpinMargin);
    const QString caption = label->text();
    const int blanksEnd
        = label->fontMetrics().horizontalAdvance(caption.left(caption.lastIndexOf(QLatin1Char(' ')) + 1));
    label->SetStops(
        { { 0, false }, { std::max(spinLeft + spinWidth + kSpinMargin - kLabelLeft, blanksEnd), false } });
    spin->setGeometry(spinLeft, spinTop, spinWidth, spinHeight);

    const QSize labelSize = label->sizeHint();
    const int spinMiddle = spinTop + spinHeight / 2;
    label->setGeometry(kLabelLeft, std::min(kLabelTop, spinMiddle - labelSize.height() / 2),
        std::max(info.LabelWidth, labelSize.width()), labelSize.height());

    const int designGap = info.GoBtLeft - (kLabelLeft + info.LabelWidth);
    const int buttonLeft = std::max(info.GoBtLeft, kLabelLeft + labelSize.width() + designGap);
    const int buttonHeight = std::max(kGoBtHeight, spinHeight - 1);
    button->setGeometry(buttonLeft, spinMiddle - buttonHeight / 2, kGoBtWidth, buttonHeight);
}

// The legend's two lines; the panel grows when the font's lines need more than its 33 pixels.
void LayOutLegend(QWidget* panel, QLabel* legend)
{
    const QSize size = legend->sizeHint();
    panel->setFixedHeight(std::max(kPanelHeight, kLegendTop + size.height() + 3));
    legend->setGeometry(kLegendLeft, kLegendTop, size.width(), size.height());
}

} // namespace

void TMainForm::CreateChartPages()
{
    TH2Net** nets[]
        = { &TabSheet5Net, &TabSheet6Net, &TabSheet7Net, &TabSheet8Net, &TabSheet9Net, &TabSheet10Net };
    TColumnLabel** labels[] = { &Label4, &Label5, &Label6, &Label7, &Label10, &Label9 };
    TChartSpinEdit** spins[]
        = { &TabSheet5Se, &TabSheet6Se, &TabSheet7Se, &TabSheet8Se, &TabSheet9Se, &TabSheet10Se };
    QPushButton** buttons[]
        = { &TabSheet5GoBt, &TabSheet6GoBt, &TabSheet7GoBt, &TabSheet8GoBt, &TabSheet9GoBt, &TabSheet10GoBt };
    QLabel** legends[] = { nullptr, nullptr, nullptr, nullptr, &Label8, &Label33 };

    for (std::size_t i = 0; i < ChartSheets.size(); ++i) {
        const TChartPageInfo& info = kChartPages[i];
        auto* sheet = new QWidget(GridPctl);
        sheet->setObjectName(QString::fromLatin1(info.Sheet));
        auto* layout = new QVBoxLayout(sheet);
        layout->setContentsMargins(info.Border, info.Border, info.Border, info.Border);
        layout->setSpacing(0);

        QFrame* top = MakeChartPanel(sheet, info.PanelTop, true);
        ChartPanelTops[i] = top;
        layout->addWidget(top);
        auto* label = new TColumnLabel(top);
        label->setObjectName(QString::fromLatin1(info.LabelName));
        label->setText(QString::fromUtf8(info.LabelText));
        auto* spin = new TChartSpinEdit(top);
        spin->setObjectName(QString::fromLatin1(info.Sheet) + QStringLiteral("Se"));
        auto* button = new QPushButton(QStringLiteral("查询"), top);
        button->setObjectName(QString::fromLatin1(info.Sheet) + QStringLiteral("GoBt"));
        LayOutQueryPanel(label, spin, button, info);
        *labels[i] = label;
        *spins[i] = spin;
        *buttons[i] = button;
        const THandler goBtHandler = kGoBtHandlers[i];
        ConnectCommand(button, &QPushButton::clicked, [this, goBtHandler] { (this->*goBtHandler)(); });

        auto* net = new TH2Net(sheet);
        net->setObjectName(QString::fromLatin1(info.NetName));
        connect(net, &TH2Net::MessageRaised, this,
            [this](const QString& text) { FPlatform.ShowMessage(this, text); });
        layout->addWidget(net, 1);
        *nets[i] = net;

        if (info.PanelBottom) {
            QFrame* bottom = MakeChartPanel(sheet, info.PanelBottom, false);
            auto* legend = new QLabel(QString::fromUtf8(info.LegendText), bottom);
            legend->setObjectName(QString::fromLatin1(info.LegendName));
            LayOutLegend(bottom, legend);
            *legends[i] = legend;
            ChartPanelBottoms[i] = bottom;
            layout->addWidget(bottom);
        }
        ChartSheets[i] = sheet;
        GridPctl->addTab(sheet, QString::fromUtf8(info.Caption));
    }
    GridPctl->SetActivePage(5);

    connect(this, &TMainForm::ChartPageShown, this, [this](int index) {
        if (index < 0 || index >= static_cast<int>(std::size(kShowHandlers)))
            return;
        const THandler showHandler = kShowHandlers[index];
        RunCommand([this, showHandler] { (this->*showHandler)(); });
    });
}

void TMainForm::BuildChartPage(int index, bool messageAfterShow)
{
    TChartSpinEdit* spin = ChartSpinEdits().at(index);
    TH2Net* net = ChartNets().at(index);
    const int wanted = spin->Value();
    QStringList messages;
    const int built = kChartKinds[index].Build(
        net->Model(), DrawHistory, wanted, [this, messageAfterShow, &messages](const std::string& message) {
            if (messageAfterShow)
                messages << ToQString(message);
            else
                FPlatform.ShowMessage(this, ToQString(message));
        });
    if (built != wanted)
        spin->setValue(built);
    // A modal box inside the show event would stand over a page not yet painted.
    if (!messages.isEmpty()) {
        QTimer::singleShot(0, this, [this, messages] {
            for (const QString& message : messages)
                FPlatform.ShowMessage(this, message);
        });
    }
}

void TMainForm::TabSheet5Show() { BuildChartPage(0, true); }
void TMainForm::TabSheet6Show() { BuildChartPage(1, true); }
void TMainForm::TabSheet7Show() { BuildChartPage(2, true); }
void TMainForm::TabSheet8Show() { BuildChartPage(3, true); }
void TMainForm::TabSheet9Show() { BuildChartPage(4, true); }
void TMainForm::TabSheet10Show() { BuildChartPage(5, true); }
void TMainForm::TabSheet5GoBtClick() { BuildChartPage(0, false); }
void TMainForm::TabSheet6GoBtClick() { BuildChartPage(1, false); }
void TMainForm::TabSheet7GoBtClick() { BuildChartPage(2, false); }
void TMainForm::TabSheet8GoBtClick() { BuildChartPage(3, false); }
void TMainForm::TabSheet9GoBtClick() { BuildChartPage(4, false); }
void TMainForm::TabSheet10GoBtClick() { BuildChartPage(5, false); }

std::array<TH2Net*, 6> TMainForm::ChartNets() const
{
    return { TabSheet5Net, TabSheet6Net, TabSheet7Net, TabSheet8Net, TabSheet9Net, TabSheet10Net };
}

std::array<TChartSpinEdit*, 6> TMainForm::ChartSpinEdits() const
{
    return { TabSheet5Se, TabSheet6Se, TabSheet7Se, TabSheet8Se, TabSheet9Se, TabSheet10Se };
}

std::array<QPushButton*, 6> TMainForm::ChartGoBts() const
{
    return { TabSheet5GoBt, TabSheet6GoBt, TabSheet7GoBt, TabSheet8GoBt, TabSheet9GoBt, TabSheet10GoBt };
}

} // namespace velmora
