// The filter page (TabSheet2): tool bar Sheet2Tbr, then in Sheet2Panel the
// recent-draw panel Sheet2PanelTop above Sheet2PanelCenter with the four group
// boxes of conditions, and the hidden Sheet2PanelBottom.
#include "Main/TMainForm.h"

#include "CodeView/TCodeViewForm.h"
#include "Main/ResultActions.h"
#include "Main/TColumnLabel.h"
#include "Main/TFilterSpinEdit.h"
#include "Main/TGroupBox.h"
#include "Main/TPageControl.h"
#include "Main/UiSupport.h"
#include "MultiChk/TMultiChk.h"
#include "Shrink/FilterEngine.h"
#include "Shrink/RecentPanel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <initializer_list>
#include <vector>

namespace velmora {

namespace {

constexpr int kPanelWidth = 764;
constexpr int kPanelTopHeight = 96;
constexpr int kPanelCenterHeight = 360;

// Recent-draw panel. The rows' texts leave gaps for the hit controls at left 99
// and 330; the pieces of each text are placed around those controls (TColumnLabel),
// in a font one pixel smaller than the window's so that "个号" after the first
// control and the test-code piece before the second one both fit between them.
constexpr int kRecentLabelLeft = 16;
constexpr int kRecentLabelHeight = 16;
constexpr int kRecentLabelTops[4] = { 1, 16, 32, 49 };
constexpr int kRecentFontPixels = 13;
constexpr int kDrawChkLeft = 99;
constexpr int kTestChkLeft = 330;
constexpr int kDrawChkRight = 219; // just after the last caption of the left control
constexpr int kTestChkRight = 450;
constexpr int kDrawPairsLeft = 496;
constexpr int kTestPairsLeft = 612;

QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const QString& title, QRect bounds)
{
    auto* box = new TGroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(bounds);
    return box;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, QRect bounds)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(bounds);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const QString& name, QRect bounds)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(bounds);
    return edit;
}

TColumnLabel* MakeColumnLabel(QWidget* parent, const QString& name, const QString& text, QRect bounds,
    const QVector<TColumnLabel::Stop>& stops)
{
    auto* label = new TColumnLabel(parent);
    label->setObjectName(name);
    label->setGeometry(bounds);
    label->SetStops(stops);
    label->setText(text);
    return label;
}

QStringList Digits(int count, int width)
{
    QStringList captions;
    for (int i = 0; i < count; ++i)
        captions << QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'));
    return captions;
}

template <std::size_t N> CheckFlags<N> FlagsOf(const TMultiChk* control)
{
    CheckFlags<N> flags {};
    for (std::size_t i = 0; i < N; ++i)
        flags[i] = control->GetCheck(static_cast<int>(i));
    return flags;
}

} // namespace

void TMainForm::CreateFilterPage()
{
    QVBoxLayout* layout = AddWorkPage(2, QStringLiteral("缩水"), TabSheet2, Sheet2Tbr);
    Sheet2TbrClearBt
        = AddPageCommand(Sheet2Tbr, QStringLiteral("清除条件"), &TMainForm::Sheet2TbrClearBtClick);
    Sheet2Tbr->addSeparator();
    Sheet2TbrExportBt
        = AddPageCommand(Sheet2Tbr, QStringLiteral("导出结果"), &TMainForm::Sheet2TbrExportBtClick);
    Sheet2TbrCheckBt
        = AddPageCommand(Sheet2Tbr, QStringLiteral("结果兑奖"), &TMainForm::Sheet2TbrCheckBtClick);
    Sheet2TbrPrintBt
        = AddPageCommand(Sheet2Tbr, QStringLiteral("打印结果"), &TMainForm::Sheet2TbrPrintBtClick);
    Sheet2Tbr->addSeparator();
    Sheet2TbrScaleBt
        = AddPageCommand(Sheet2Tbr, QStringLiteral("号码缩水"), &TMainForm::Sheet2TbrScaleBtClick);
    Sheet2TbrViewBt = AddPageCommand(Sheet2Tbr, QStringLiteral("查看结果"), &TMainForm::Sheet2TbrViewBtClick);

    Sheet2Panel = new QWidget(TabSheet2);
    Sheet2Panel->setObjectName(QStringLiteral("Sheet2Panel"));
    Sheet2Panel->installEventFilter(this);
    layout->addWidget(Sheet2Panel, 1);

    Sheet2PanelTop = new QWidget(Sheet2Panel);
    Sheet2PanelTop->setObjectName(QStringLiteral("Sheet2PanelTop"));
    Sheet2PanelTop->setGeometry(0, 0, kPanelWidth, kPanelTopHeight);
    CreateRecentPanel();

    Sheet2PanelCenter = new QWidget(Sheet2Panel);
    Sheet2PanelCenter->setObjectName(QStringLiteral("Sheet2PanelCenter"));
    Sheet2PanelCenter->setGeometry(0, kPanelTopHeight, kPanelWidth, kPanelCenterHeight);
    Sheet2Gbx1
        = MakeGroupBox(Sheet2PanelCenter, "Sheet2Gbx1", QStringLiteral("出号范围："), QRect(4, 0, 440, 116));
    Sheet2Gbx2 = MakeGroupBox(
        Sheet2PanelCenter, "Sheet2Gbx2", QStringLiteral("比例及和值："), QRect(4, 118, 440, 240));
    Sheet2Gbx3 = MakeGroupBox(
        Sheet2PanelCenter, "Sheet2Gbx3", QStringLiteral("控制中奖号："), QRect(448, 0, 312, 152));
    Sheet2Gbx4 = MakeGroupBox(
        Sheet2PanelCenter, "Sheet2Gbx4", QStringLiteral("定位限制："), QRect(448, 154, 312, 204));
    CreateFilterGroupBoxes();

    Sheet2PanelBottom = new QWidget(Sheet2Panel);
    Sheet2PanelBottom->setObjectName(QStringLiteral("Sheet2PanelBottom"));
    Sheet2PanelBottom->setGeometry(0, kPanelCenterHeight + 3, 200, 33);
    Sheet2PanelBottom->hide();

    connect(this, &TMainForm::WorkPageShown, this, [this](int index) {
        if (index == 1)
            RunCommand([this] { TabSheet2Show(); });
    });
}

void TMainForm::CreateRecentPanel()
{
    QFont font = AppFont();
    font.setPixelSize(kRecentFontPixels);
    // Stops in the label's coordinates: the draw-code piece ends before the left hit
    // control, "个号" follows it, the test-code piece ends before the right control,
    // "个号" follows that, then the two pair columns.
    const auto at = [](int panelX, bool right) {
        return TColumnLabel::Stop { panelX - kRecentLabelLeft, right };
    };
    const QVector<TColumnLabel::Stop> rowStops
        = { at(kDrawChkLeft + 1, true), at(kDrawChkRight, false), at(kTestChkLeft + 1, true),
              at(kTestChkRight, false), at(kDrawPairsLeft, false), at(kTestPairsLeft, false) };
    const QVector<TColumnLabel::Stop> headerStops = { at(kDrawChkLeft + 1, true), at(kTestChkLeft + 1, true),
        at(kDrawPairsLeft, false), at(kTestPairsLeft, false) };
    for (int i = 0; i < 4; ++i) {
        TColumnLabel* label = MakeColumnLabel(Sheet2PanelTop, QStringLiteral("Sheet2PanelTopLbl%1").arg(i),
            QString(),
            QRect(kRecentLabelLeft, kRecentLabelTops[i], kPanelWidth - kRecentLabelLeft, kRecentLabelHeight),
            i == 0 ? headerStops : rowStops);
        label->setFont(font);
        Sheet2PanelTopLbls[static_cast<std::size_t>(i)] = label;
    }
    MakeLabel(Sheet2PanelTop, QStringLiteral("近期两码限于:"), QRect(16, 70, 92, 22));
    Sheet2PanelTopEd1
        = MakeEdit(Sheet2PanelTop, QStringLiteral("Sheet2PanelTopEd1"), QRect(108, 70, 262, 22));
    MakeLabel(Sheet2PanelTop, QStringLiteral("近期排除两码:"), QRect(390, 70, 92, 22));
    Sheet2PanelTopEd2
        = MakeEdit(Sheet2PanelTop, QStringLiteral("Sheet2PanelTopEd2"), QRect(482, 70, 266, 22));
}

void TMainForm::CreateFilterGroupBoxes()
{
    // Group box 1: banker digits, the three position rows and their buttons.
    MakeLabel(Sheet2Gbx1, QStringLiteral("胆号:"), QRect(8, 18, 36, 22));
    QStringList bankerItems { QStringLiteral("N") };
    bankerItems << Digits(10, 1);
    for (int i = 0; i < 5; ++i) {
        auto* combo = new QComboBox(Sheet2Gbx1);
        combo->setObjectName(QStringLiteral("Sheet2Gbx1Cbb%1").arg(i + 1));
        combo->addItems(bankerItems);
        combo->setGeometry(44 + i * 60, 18, 56, 22);
        Sheet2Gbx1Cbbs[static_cast<std::size_t>(i)] = combo;
    }
    const QString positions[3]
        = { QStringLiteral("百位:"), QStringLiteral("十位:"), QStringLiteral("个位:") };
    Sheet2Gbx1Tbr = new QWidget(Sheet2Gbx1);
    Sheet2Gbx1Tbr->setObjectName(QStringLiteral("Sheet2Gbx1Tbr"));
    Sheet2Gbx1Tbr->setGeometry(352, 42, 84, 64);
    for (int row = 0; row < 3; ++row) {
        MakeLabel(Sheet2Gbx1, positions[row], QRect(8, 42 + row * 22, 36, 20));
        for (int k = 0; k < 2; ++k) {
            const int index = row * 2 + k;
            auto* button = new QToolButton(Sheet2Gbx1Tbr);
            button->setObjectName(QStringLiteral("Sheet2Gbx1Bt%1").arg(index + 1));
            button->setText(k == 0 ? QStringLiteral("全选") : QStringLiteral("清除"));
            button->setAutoRaise(true);
            button->setGeometry(k * 42, row * 22, 40, 20);
            ConnectCommand(button, &QToolButton::clicked, [this, index] { Sheet2Gbx1BtClick(index); });
            Sheet2Gbx1Bts[static_cast<std::size_t>(index)] = button;
        }
    }

    // Group box 2: the labels of the six rows; the rows are multi-check controls.
    const std::pair<QString, int> rows2[]
        = { { QStringLiteral("合值范围:"), 20 }, { QStringLiteral("和值范围:"), 46 },
              { QStringLiteral("小中大比例"), 105 }, { QStringLiteral("012路比例:"), 145 },
              { QStringLiteral("奇偶比例:"), 186 }, { QStringLiteral("大小比例:"), 212 } };
    for (const auto& [text, top] : rows2)
        MakeLabel(Sheet2Gbx2, text, QRect(8, top, 72, 20));

    // Group box 3: five digit groups, each with "中出 [counts] 个号".
    const QVector<TColumnLabel::Stop> hitStops = { { 118 - 88, true }, { 258 - 88, false } };
    for (int i = 0; i < 5; ++i) {
        const int top = 24 + i * 24;
        Sheet2Gbx3Eds[static_cast<std::size_t>(i)]
            = MakeEdit(Sheet2Gbx3, QStringLiteral("Sheet2Gbx3Ed%1").arg(i + 1), QRect(8, top, 73, 20));
        MakeColumnLabel(Sheet2Gbx3, QStringLiteral("Sheet2Gbx3Lbl%1").arg(i + 1),
            QStringLiteral("中出") + QString(20, QLatin1Char(' ')) + QStringLiteral("个号"),
            QRect(88, top, 200, 20), hitStops);
    }

    // Group box 4: pairs and digits, the digit range, runs and types.
    const QString edits4[4] = { QStringLiteral("两码限于:"), QStringLiteral("排除两码:"),
        QStringLiteral("必选号:"), QStringLiteral("排除号:") };
    QLineEdit** eds4[4] = { &Sheet2Gbx4Ed1, &Sheet2Gbx4Ed2, &Sheet2Gbx4Ed3, &Sheet2Gbx4Ed4 };
    for (int i = 0; i < 4; ++i) {
        const int top = 20 + i * 24;
        MakeLabel(Sheet2Gbx4, edits4[i], QRect(8, top, 68, 21));
        *eds4[i] = MakeEdit(Sheet2Gbx4, QStringLiteral("Sheet2Gbx4Ed%1").arg(i + 1), QRect(76, top, 228, 21));
    }
    MakeColumnLabel(Sheet2Gbx4, QStringLiteral("Sheet2Gbx4Lbl5"),
        QStringLiteral("号码范围：最小号      , 最大号"), QRect(8, 115, 220, 22),
        { { 0, false }, { 170, false } });
    Sheet2Gbx4Se1 = new TFilterSpinEdit(0, 9, Sheet2Gbx4);
    Sheet2Gbx4Se1->setObjectName(QStringLiteral("Sheet2Gbx4Se1"));
    Sheet2Gbx4Se1->setGeometry(124, 115, 50, 22);
    Sheet2Gbx4Se2 = new TFilterSpinEdit(0, 9, Sheet2Gbx4);
    Sheet2Gbx4Se2->setObjectName(QStringLiteral("Sheet2Gbx4Se2"));
    Sheet2Gbx4Se2->setGeometry(232, 115, 50, 22);
    MakeLabel(Sheet2Gbx4, QStringLiteral("连号:"), QRect(8, 140, 60, 20));
    MakeLabel(Sheet2Gbx4, QStringLiteral("类型:"), QRect(8, 160, 60, 20));
}

void TMainForm::CreateFilterCheckControls()
{
    struct TCheckRow {
        TMultiChk** control;
        QWidget* parent;
        const char* name;
        QStringList captions;
        int capWidth;
        int cols;
        int top;
        int left;
    };
    const QStringList hits = Digits(4, 1);
    const QStringList patterns = { QStringLiteral("300"), QStringLiteral("210"), QStringLiteral("201"),
        QStringLiteral("120"), QStringLiteral("111"), QStringLiteral("102"), QStringLiteral("030"),
        QStringLiteral("021"), QStringLiteral("012"), QStringLiteral("003") };
    const QStringList ratios
        = { QStringLiteral("0:3"), QStringLiteral("1:2"), QStringLiteral("2:1"), QStringLiteral("3:0") };
    const TCheckRow checkRows[] = {
        { &Sheet2PanelTopChk1, Sheet2PanelTop, "Sheet2PanelTopChk1", hits, 10, 4, 12, 99 },
        { &Sheet2PanelTopChk2, Sheet2PanelTop, "Sheet2PanelTopChk2", hits, 10, 4, 28, 99 },
        { &Sheet2PanelTopChk3, Sheet2PanelTop, "Sheet2PanelTopChk3", hits, 10, 4, 44, 99 },
        { &Sheet2PanelTopChk4, Sheet2PanelTop, "Sheet2PanelTopChk4", hits, 10, 4, 12, 330 },
        { &Sheet2PanelTopChk5, Sheet2PanelTop, "Sheet2PanelTopChk5", hits, 10, 4, 28, 330 },
        { &Sheet2PanelTopChk6, Sheet2PanelTop, "Sheet2PanelTopChk6", hits, 10, 4, 44, 330 },
        { &Sheet2Gbx1Chk1, Sheet2Gbx1, "Sheet2Gbx1Chk1", Digits(10, 1), 10, 10, 42, 44 },
        { &Sheet2Gbx1Chk2, Sheet2Gbx1, "Sheet2Gbx1Chk2", Digits(10, 1), 10, 10, 64, 44 },
        { &Sheet2Gbx1Chk3, Sheet2Gbx1, "Sheet2Gbx1Chk3", Digits(10, 1), 10, 10, 86, 44 },
        { &Sheet2Gbx2Chk1, Sheet2Gbx2, "Sheet2Gbx2Chk1", Digits(10, 1), 14, 10, 20, 80 },
        { &Sheet2Gbx2Chk2, Sheet2Gbx2, "Sheet2Gbx2Chk2", Digits(30, 2), 14, 10, 46, 80 },
        { &Sheet2Gbx2Chk3, Sheet2Gbx2, "Sheet2Gbx2Chk3", patterns, 50, 5, 105, 80 },
        { &Sheet2Gbx2Chk4, Sheet2Gbx2, "Sheet2Gbx2Chk4", patterns, 50, 5, 145, 80 },
        { &Sheet2Gbx2Chk5, Sheet2Gbx2, "Sheet2Gbx2Chk5", ratios, 64, 4, 186, 80 },
        { &Sheet2Gbx2Chk6, Sheet2Gbx2, "Sheet2Gbx2Chk6", ratios, 64, 4, 212, 80 },
        { &Sheet2Gbx3Chk1, Sheet2Gbx3, "Sheet2Gbx3Chk1", hits, 14, 4, 24, 118 },
        { &Sheet2Gbx3Chk2, Sheet2Gbx3, "Sheet2Gbx3Chk2", hits, 14, 4, 48, 118 },
        { &Sheet2Gbx3Chk3, Sheet2Gbx3, "Sheet2Gbx3Chk3", hits, 14, 4, 72, 118 },
        { &Sheet2Gbx3Chk4, Sheet2Gbx3, "Sheet2Gbx3Chk4", hits, 14, 4, 96, 118 },
        { &Sheet2Gbx3Chk5, Sheet2Gbx3, "Sheet2Gbx3Chk5", hits, 14, 4, 120, 118 },
        { &Sheet2Gbx4Chk1, Sheet2Gbx4, "Sheet2Gbx4Chk1",
            { QStringLiteral("不连"), QStringLiteral("二连"), QStringLiteral("拖拉机") }, 50, 3, 140, 80 },
        { &Sheet2Gbx4Chk2, Sheet2Gbx4, "Sheet2Gbx4Chk2",
            { QStringLiteral("组六"), QStringLiteral("组三"), QStringLiteral("豹子") }, 50, 3, 160, 80 },
    };
    for (const TCheckRow& checkRow : checkRows) {
        auto* control = new TMultiChk(checkRow.parent);
        control->setObjectName(QString::fromLatin1(checkRow.name));
        for (const QString& caption : checkRow.captions)
            control->AddItem(caption);
        control->SetCapWidth(checkRow.capWidth);
        control->SetCols(checkRow.cols);
        control->move(checkRow.left, checkRow.top);
        control->setCursor(Qt::PointingHandCursor);
        *checkRow.control = control;
    }

    // The Tab key walks the page in reading order: row by row, left to right.
    std::vector<QWidget*> order = { Sheet2PanelTopChk1, Sheet2PanelTopChk4, Sheet2PanelTopChk2,
        Sheet2PanelTopChk5, Sheet2PanelTopChk3, Sheet2PanelTopChk6, Sheet2PanelTopEd1, Sheet2PanelTopEd2 };
    order.insert(order.end(), Sheet2Gbx1Cbbs.begin(), Sheet2Gbx1Cbbs.end());
    const auto positions = PositionChks();
    for (std::size_t row = 0; row < positions.size(); ++row)
        order.insert(order.end(), { positions[row], Sheet2Gbx1Bts[row * 2], Sheet2Gbx1Bts[row * 2 + 1] });
    order.insert(order.end(),
        { Sheet2Gbx2Chk1, Sheet2Gbx2Chk2, Sheet2Gbx2Chk3, Sheet2Gbx2Chk4, Sheet2Gbx2Chk5, Sheet2Gbx2Chk6 });
    const auto hitCounts = HitCountChks();
    for (std::size_t k = 0; k < hitCounts.size(); ++k)
        order.insert(order.end(), { Sheet2Gbx3Eds[k], hitCounts[k] });
    order.insert(order.end(),
        { Sheet2Gbx4Ed1, Sheet2Gbx4Ed2, Sheet2Gbx4Ed3, Sheet2Gbx4Ed4, Sheet2Gbx4Se1, Sheet2Gbx4Se2,
            Sheet2Gbx4Chk1, Sheet2Gbx4Chk2 });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

std::array<TMultiChk*, 6> TMainForm::RecentHitChks() const
{
    return { Sheet2PanelTopChk1, Sheet2PanelTopChk2, Sheet2PanelTopChk3, Sheet2PanelTopChk4,
        Sheet2PanelTopChk5, Sheet2PanelTopChk6 };
}

std::array<TMultiChk*, 3> TMainForm::PositionChks() const
{
    return { Sheet2Gbx1Chk1, Sheet2Gbx1Chk2, Sheet2Gbx1Chk3 };
}

std::array<TMultiChk*, 5> TMainForm::HitCountChks() const
{
    return { Sheet2Gbx3Chk1, Sheet2Gbx3Chk2, Sheet2Gbx3Chk3, Sheet2Gbx3Chk4, Sheet2Gbx3Chk5 };
}

std::array<TMultiChk*, 22> TMainForm::FilterCheckControls() const
{
    return { Sheet2PanelTopChk1, Sheet2PanelTopChk2, Sheet2PanelTopChk3, Sheet2PanelTopChk4,
        Sheet2PanelTopChk5, Sheet2PanelTopChk6, Sheet2Gbx1Chk1, Sheet2Gbx1Chk2, Sheet2Gbx1Chk3,
        Sheet2Gbx2Chk1, Sheet2Gbx2Chk2, Sheet2Gbx2Chk3, Sheet2Gbx2Chk4, Sheet2Gbx2Chk5, Sheet2Gbx2Chk6,
        Sheet2Gbx3Chk1, Sheet2Gbx3Chk2, Sheet2Gbx3Chk3, Sheet2Gbx3Chk4, Sheet2Gbx3Chk5, Sheet2Gbx4Chk1,
        Sheet2Gbx4Chk2 };
}

void TMainForm::Sheet2TbrClearBtClick()
{
    for (TMultiChk* control : RecentHitChks())
        control->UncheckAll();
    Sheet2PanelTopEd1->clear();
    Sheet2PanelTopEd2->clear();
    for (int i = 0; i < 10; ++i) {
        for (TMultiChk* control : PositionChks())
            control->SetCheck(i, false);
    }
    for (QComboBox* combo : Sheet2Gbx1Cbbs)
        combo->setCurrentIndex(kBankerNone);
    for (TMultiChk* control :
        { Sheet2Gbx2Chk1, Sheet2Gbx2Chk2, Sheet2Gbx2Chk3, Sheet2Gbx2Chk4, Sheet2Gbx2Chk5, Sheet2Gbx2Chk6 })
        control->UncheckAll();
    for (QLineEdit* edit : Sheet2Gbx3Eds)
        edit->clear();
    for (TMultiChk* control : HitCountChks()) {
        for (int i = 0; i < 4; ++i)
            control->SetCheck(i, false);
    }
    for (QLineEdit* edit : { Sheet2Gbx4Ed1, Sheet2Gbx4Ed2, Sheet2Gbx4Ed3, Sheet2Gbx4Ed4 })
        edit->clear();
    Sheet2Gbx4Se1->SetValue(0);
    Sheet2Gbx4Se2->SetValue(9);
    for (int i = 0; i < 3; ++i) {
        Sheet2Gbx4Chk1->SetCheck(i, false);
        Sheet2Gbx4Chk2->SetCheck(i, false);
    }
}

void TMainForm::Sheet2Gbx1BtClick(int index)
{
    TMultiChk* row = PositionChks().at(static_cast<std::size_t>(index / 2));
    if (index % 2 == 0)
        row->CheckAll();
    else
        row->UncheckAll();
}

FilterConditions TMainForm::ReadConditions() const
{
    FilterConditions c;
    const auto recent = RecentHitChks();
    for (std::size_t r = 0; r < recent.size(); ++r)
        c.RecentHits[r] = FlagsOf<4>(recent[r]);
    c.RecentPairsIn = ToStdString(Sheet2PanelTopEd1->text());
    c.RecentPairsOut = ToStdString(Sheet2PanelTopEd2->text());
    const auto positions = PositionChks();
    for (std::size_t p = 0; p < positions.size(); ++p)
        c.PositionDigits[p] = FlagsOf<10>(positions[p]);
    for (std::size_t i = 0; i < Sheet2Gbx1Cbbs.size(); ++i)
        c.Bankers[i] = Sheet2Gbx1Cbbs[i]->currentIndex();
    c.SumTails = FlagsOf<10>(Sheet2Gbx2Chk1);
    c.Sums = FlagsOf<30>(Sheet2Gbx2Chk2);
    c.SmbPatterns = FlagsOf<10>(Sheet2Gbx2Chk3);
    c.RoutePatterns = FlagsOf<10>(Sheet2Gbx2Chk4);
    c.OddCounts = FlagsOf<4>(Sheet2Gbx2Chk5);
    c.BigCounts = FlagsOf<4>(Sheet2Gbx2Chk6);
    const auto hitCounts = HitCountChks();
    for (std::size_t k = 0; k < hitCounts.size(); ++k) {
        c.HitGroups[k].Digits = ToStdString(Sheet2Gbx3Eds[k]->text());
        c.HitGroups[k].Counts = FlagsOf<4>(hitCounts[k]);
    }
    c.PairsIn = ToStdString(Sheet2Gbx4Ed1->text());
    c.PairsOut = ToStdString(Sheet2Gbx4Ed2->text());
    c.DigitsIn = ToStdString(Sheet2Gbx4Ed3->text());
    c.DigitsOut = ToStdString(Sheet2Gbx4Ed4->text());
    c.MinDigit = Sheet2Gbx4Se1->Value();
    c.MaxDigit = Sheet2Gbx4Se2->Value();
    c.RunKinds = FlagsOf<3>(Sheet2Gbx4Chk1);
    c.CodeTypes = FlagsOf<3>(Sheet2Gbx4Chk2);
    return c;
}

void TMainForm::Sheet2TbrScaleBtClick()
{
    Sheet2Codes = RunShrink(ReadConditions(), DrawHistory);
    SetStatusText(0, ToQString(ShrinkStatusText(Sheet2Codes)));
    CodeViewForm->Memo->setPlainText(ResultMemoText(kShrinkLeadingText, Sheet2Codes));
}

void TMainForm::Sheet2TbrExportBtClick()
{
    ResultActions->ExportResult(Sheet2Codes, kShrinkLeadingText, false);
}

void TMainForm::Sheet2TbrCheckBtClick() { ResultActions->CheckPrize(CodeViewForm->Memo); }

void TMainForm::Sheet2TbrPrintBtClick() { ResultActions->PrintMemo(CodeViewForm->Memo); }

void TMainForm::Sheet2TbrViewBtClick() { CodeViewForm->setVisible(!CodeViewForm->isVisible()); }

void TMainForm::TabSheet2Show()
{
    const RecentPanelTexts texts = BuildRecentPanelTexts(DrawHistory);
    for (std::size_t r = 0; r < texts.Rows.size(); ++r) {
        TColumnLabel* label = Sheet2PanelTopLbls[r + 1];
        label->move(kRecentLabelLeft, label->y());
        label->setText(ToQString(texts.Rows[r]));
    }
    Sheet2PanelTopLbls[0]->setText(ToQString(texts.Header));
}

} // namespace velmora
