// The six chart pages (TabSheet5 .. TabSheet10 of gridPctl): on each a top panel
// (33 pixels) with "统计最近 [N] 期的...情况" and "查询", the sheet's GridView grid
// filling the rest, and on TabSheet9 and TabSheet10 a legend panel along the bottom.
// A chart is rebuilt whenever its page becomes visible and on "查询".
#include "app/MainWindow.h"

#include "app/UiSupport.h"
#include "app/platform/Platform.h"
#include "core/charts/Charts.h"
#include "widgets/ChartSpinEdit.h"
#include "widgets/ColumnLabel.h"
#include "widgets/GridView.h"
#include "widgets/PageControl.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

namespace {

struct ChartPageInfo {
    const char* Sheet;
    const char* caption;
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

const ChartPageInfo kChartPages[] = {
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

using Handler = void (MainWindow::*)();
constexpr Handler kShowHandlers[]
    = { &MainWindow::tabSheet5Show, &MainWindow::tabSheet6Show, &MainWindow::tabSheet7Show,
          &MainWindow::tabSheet8Show, &MainWindow::tabSheet9Show, &MainWindow::tabSheet10Show };
constexpr Handler kGoBtHandlers[] = { &MainWindow::tabSheet5GoBtClick, &MainWindow::tabSheet6GoBtClick,
    &MainWindow::tabSheet7GoBtClick, &MainWindow::tabSheet8GoBtClick, &MainWindow::tabSheet9GoBtClick,
    &MainWindow::tabSheet10GoBtClick };

QFrame* makeChartPanel(QWidget* sheet, const char* name, bool raised)
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
void layOutQueryPanel(ColumnLabel* label, ChartSpinEdit* spin, QPushButton* button, const ChartPageInfo& info)
{
    const int spinWidth = std::max(kSpinWidth, spin->sizeHint().width());
    const int spinHeight = std::max(kSpinHeight, std::min(kPanelHeight - 4, spin->sizeHint().height()));
    const int spinTop = std::min(kSpinTop, (kPanelHeight - spinHeight) / 2);
    const int gapLeft = kLabelLeft + label->pieceRect(0).width();
    const int spinLeft = std::max(kSpinLeft, gapLeft + kSpinMargin);
    const QString caption = label->text();
    const int blanksEnd
        = label->fontMetrics().horizontalAdvance(caption.left(caption.lastIndexOf(QLatin1Char(' ')) + 1));
    label->setStops(
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
void layOutLegend(QWidget* panel, QLabel* legend)
{
    const QSize size = legend->sizeHint();
    panel->setFixedHeight(std::max(kPanelHeight, kLegendTop + size.height() + 3));
    legend->setGeometry(kLegendLeft, kLegendTop, size.width(), size.height());
}

} // namespace

void MainWindow::createChartPages()
{
    GridView** nets[]
        = { &tabSheet5Net, &tabSheet6Net, &tabSheet7Net, &tabSheet8Net, &tabSheet9Net, &tabSheet10Net };
    ColumnLabel** labels[] = { &label4, &label5, &label6, &label7, &label10, &label9 };
    ChartSpinEdit** spins[]
        = { &tabSheet5Se, &tabSheet6Se, &tabSheet7Se, &tabSheet8Se, &tabSheet9Se, &tabSheet10Se };
    QPushButton** buttons[]
        = { &tabSheet5GoBt, &tabSheet6GoBt, &tabSheet7GoBt, &tabSheet8GoBt, &tabSheet9GoBt, &tabSheet10GoBt };
    QLabel** legends[] = { nullptr, nullptr, nullptr, nullptr, &label8, &label33 };

    for (std::size_t i = 0; i < chartSheets.size(); ++i) {
        const ChartPageInfo& info = kChartPages[i];
        auto* sheet = new QWidget(gridPctl);
        sheet->setObjectName(QString::fromLatin1(info.Sheet));
        auto* layout = new QVBoxLayout(sheet);
        layout->setContentsMargins(info.Border, info.Border, info.Border, info.Border);
        layout->setSpacing(0);

        QFrame* top = makeChartPanel(sheet, info.PanelTop, true);
        chartPanelTops[i] = top;
        layout->addWidget(top);
        auto* label = new ColumnLabel(top);
        label->setObjectName(QString::fromLatin1(info.LabelName));
        label->setText(QString::fromUtf8(info.LabelText));
        auto* spin = new ChartSpinEdit(top);
        spin->setObjectName(QString::fromLatin1(info.Sheet) + QStringLiteral("Se"));
        auto* button = new QPushButton(QStringLiteral("查询"), top);
        button->setObjectName(QString::fromLatin1(info.Sheet) + QStringLiteral("GoBt"));
        layOutQueryPanel(label, spin, button, info);
        *labels[i] = label;
        *spins[i] = spin;
        *buttons[i] = button;
        const Handler goBtHandler = kGoBtHandlers[i];
        connectCommand(button, &QPushButton::clicked, [this, goBtHandler] { (this->*goBtHandler)(); });

        auto* net = new GridView(sheet);
        net->setObjectName(QString::fromLatin1(info.NetName));
        connect(net, &GridView::messageRaised, this,
            [this](const QString& text) { m_platform.showMessage(this, text); });
        layout->addWidget(net, 1);
        *nets[i] = net;

        if (info.PanelBottom) {
            QFrame* bottom = makeChartPanel(sheet, info.PanelBottom, false);
            auto* legend = new QLabel(QString::fromUtf8(info.LegendText), bottom);
            legend->setObjectName(QString::fromLatin1(info.LegendName));
            layOutLegend(bottom, legend);
            *legends[i] = legend;
            chartPanelBottoms[i] = bottom;
            layout->addWidget(bottom);
        }
        chartSheets[i] = sheet;
        gridPctl->addTab(sheet, QString::fromUtf8(info.caption));
    }
    gridPctl->setActivePage(5);

    connect(this, &MainWindow::chartPageShown, this, [this](int index) {
        if (index < 0 || index >= static_cast<int>(std::size(kShowHandlers)))
            return;
        const Handler showHandler = kShowHandlers[index];
        runCommand([this, showHandler] { (this->*showHandler)(); });
    });
}

void MainWindow::buildChartPage(int index, bool messageAfterShow)
{
    ChartSpinEdit* spin = chartSpinEdits().at(index);
    GridView* net = chartNets().at(index);
    const int wanted = spin->value();
    QStringList messages;
    const int built = kChartKinds[index].build(
        net->model(), m_history, wanted, [this, messageAfterShow, &messages](const std::string& message) {
            if (messageAfterShow)
                messages << toQString(message);
            else
                m_platform.showMessage(this, toQString(message));
        });
    if (built != wanted)
        spin->setValue(built);
    // A modal box inside the show event would stand over a page not yet painted.
    if (!messages.isEmpty()) {
        QTimer::singleShot(0, this, [this, messages] {
            for (const QString& message : messages)
                m_platform.showMessage(this, message);
        });
    }
}

void MainWindow::tabSheet5Show() { buildChartPage(0, true); }
void MainWindow::tabSheet6Show() { buildChartPage(1, true); }
void MainWindow::tabSheet7Show() { buildChartPage(2, true); }
void MainWindow::tabSheet8Show() { buildChartPage(3, true); }
void MainWindow::tabSheet9Show() { buildChartPage(4, true); }
void MainWindow::tabSheet10Show() { buildChartPage(5, true); }
void MainWindow::tabSheet5GoBtClick() { buildChartPage(0, false); }
void MainWindow::tabSheet6GoBtClick() { buildChartPage(1, false); }
void MainWindow::tabSheet7GoBtClick() { buildChartPage(2, false); }
void MainWindow::tabSheet8GoBtClick() { buildChartPage(3, false); }
void MainWindow::tabSheet9GoBtClick() { buildChartPage(4, false); }
void MainWindow::tabSheet10GoBtClick() { buildChartPage(5, false); }

std::array<GridView*, 6> MainWindow::chartNets() const
{
    return { tabSheet5Net, tabSheet6Net, tabSheet7Net, tabSheet8Net, tabSheet9Net, tabSheet10Net };
}

std::array<ChartSpinEdit*, 6> MainWindow::chartSpinEdits() const
{
    return { tabSheet5Se, tabSheet6Se, tabSheet7Se, tabSheet8Se, tabSheet9Se, tabSheet10Se };
}

std::array<QPushButton*, 6> MainWindow::chartGoBts() const
{
    return { tabSheet5GoBt, tabSheet6GoBt, tabSheet7GoBt, tabSheet8GoBt, tabSheet9GoBt, tabSheet10GoBt };
}

} // namespace velmora
