// The filter page (tabSheet2): tool bar sheet2Tbr, then in sheet2Panel the
// recent-draw panel sheet2PanelTop above sheet2PanelCenter with the four group
// boxes of conditions, and the hidden sheet2PanelBottom.
#include "app/MainWindow.h"

#include "app/ResultCommands.h"
#include "app/UiSupport.h"
#include "app/dialogs/ResultWindow.h"
#include "core/filter/FilterEngine.h"
#include "core/filter/RecentPanel.h"
#include "widgets/ColumnLabel.h"
#include "widgets/DigitSpinEdit.h"
#include "widgets/GroupBox.h"
#include "widgets/MultiCheck.h"
#include "widgets/PageControl.h"

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
// and 330; the pieces of each text are placed around those controls (ColumnLabel),
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

QGroupBox* makeGroupBox(QWidget* parent, const char* name, const QString& title, QRect bounds)
{
    auto* box = new GroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(bounds);
    return box;
}

QLabel* makeLabel(QWidget* parent, const QString& text, QRect bounds)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(bounds);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLineEdit* makeEdit(QWidget* parent, const QString& name, QRect bounds)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(bounds);
    return edit;
}

ColumnLabel* makeColumnLabel(QWidget* parent, const QString& name, const QString& text, QRect bounds,
    const QVector<ColumnLabel::Stop>& stops)
{
    auto* label = new ColumnLabel(parent);
    label->setObjectName(name);
    label->setGeometry(bounds);
    label->setStops(stops);
    label->setText(text);
    return label;
}

QStringList digits(int count, int width)
{
    QStringList captions;
    for (int i = 0; i < count; ++i)
        captions << QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'));
    return captions;
}

template <std::size_t N> CheckFlags<N> flagsOf(const MultiCheck* control)
{
    CheckFlags<N> flags {};
    for (std::size_t i = 0; i < N; ++i)
        flags[i] = control->getCheck(static_cast<int>(i));
    return flags;
}

} // namespace

void MainWindow::createFilterPage()
{
    QVBoxLayout* layout = addWorkPage(2, QStringLiteral("缩水"), tabSheet2, sheet2Tbr);
    sheet2TbrClearBt
        = addPageCommand(sheet2Tbr, QStringLiteral("清除条件"), &MainWindow::sheet2TbrClearBtClick);
    sheet2Tbr->addSeparator();
    sheet2TbrExportBt
        = addPageCommand(sheet2Tbr, QStringLiteral("导出结果"), &MainWindow::sheet2TbrExportBtClick);
    sheet2TbrCheckBt
        = addPageCommand(sheet2Tbr, QStringLiteral("结果兑奖"), &MainWindow::sheet2TbrCheckBtClick);
    sheet2TbrPrintBt
        = addPageCommand(sheet2Tbr, QStringLiteral("打印结果"), &MainWindow::sheet2TbrPrintBtClick);
    sheet2Tbr->addSeparator();
    sheet2TbrScaleBt
        = addPageCommand(sheet2Tbr, QStringLiteral("号码缩水"), &MainWindow::sheet2TbrScaleBtClick);
    sheet2TbrViewBt
        = addPageCommand(sheet2Tbr, QStringLiteral("查看结果"), &MainWindow::sheet2TbrViewBtClick);

    sheet2Panel = new QWidget(tabSheet2);
    sheet2Panel->setObjectName(QStringLiteral("Sheet2Panel"));
    sheet2Panel->installEventFilter(this);
    layout->addWidget(sheet2Panel, 1);

    sheet2PanelTop = new QWidget(sheet2Panel);
    sheet2PanelTop->setObjectName(QStringLiteral("Sheet2PanelTop"));
    sheet2PanelTop->setGeometry(0, 0, kPanelWidth, kPanelTopHeight);
    createRecentPanel();

    sheet2PanelCenter = new QWidget(sheet2Panel);
    sheet2PanelCenter->setObjectName(QStringLiteral("Sheet2PanelCenter"));
    sheet2PanelCenter->setGeometry(0, kPanelTopHeight, kPanelWidth, kPanelCenterHeight);
    sheet2Gbx1
        = makeGroupBox(sheet2PanelCenter, "Sheet2Gbx1", QStringLiteral("出号范围："), QRect(4, 0, 440, 116));
    sheet2Gbx2 = makeGroupBox(
        sheet2PanelCenter, "Sheet2Gbx2", QStringLiteral("比例及和值："), QRect(4, 118, 440, 240));
    sheet2Gbx3 = makeGroupBox(
        sheet2PanelCenter, "Sheet2Gbx3", QStringLiteral("控制中奖号："), QRect(448, 0, 312, 152));
    sheet2Gbx4 = makeGroupBox(
        sheet2PanelCenter, "Sheet2Gbx4", QStringLiteral("定位限制："), QRect(448, 154, 312, 204));
    createFilterGroupBoxes();

    sheet2PanelBottom = new QWidget(sheet2Panel);
    sheet2PanelBottom->setObjectName(QStringLiteral("Sheet2PanelBottom"));
    sheet2PanelBottom->setGeometry(0, kPanelCenterHeight + 3, 200, 33);
    sheet2PanelBottom->hide();

    connect(this, &MainWindow::workPageShown, this, [this](int index) {
        if (index == 1)
            runCommand([this] { tabSheet2Show(); });
    });
}

void MainWindow::createRecentPanel()
{
    QFont font = appFont();
    font.setPixelSize(kRecentFontPixels);
    // Stops in the label's coordinates: the draw-code piece ends before the left hit
    // control, "个号" follows it, the test-code piece ends before the right control,
    // "个号" follows that, then the two pair columns.
    const auto at = [](int panelX, bool right) {
        return ColumnLabel::Stop { panelX - kRecentLabelLeft, right };
    };
    const QVector<ColumnLabel::Stop> rowStops
        = { at(kDrawChkLeft + 1, true), at(kDrawChkRight, false), at(kTestChkLeft + 1, true),
              at(kTestChkRight, false), at(kDrawPairsLeft, false), at(kTestPairsLeft, false) };
    const QVector<ColumnLabel::Stop> headerStops = { at(kDrawChkLeft + 1, true), at(kTestChkLeft + 1, true),
        at(kDrawPairsLeft, false), at(kTestPairsLeft, false) };
    for (int i = 0; i < 4; ++i) {
        ColumnLabel* label = makeColumnLabel(sheet2PanelTop, QStringLiteral("Sheet2PanelTopLbl%1").arg(i),
            QString(),
            QRect(kRecentLabelLeft, kRecentLabelTops[i], kPanelWidth - kRecentLabelLeft, kRecentLabelHeight),
            i == 0 ? headerStops : rowStops);
        label->setFont(font);
        sheet2PanelTopLbls[static_cast<std::size_t>(i)] = label;
    }
    makeLabel(sheet2PanelTop, QStringLiteral("近期两码限于:"), QRect(16, 70, 92, 22));
    sheet2PanelTopEd1
        = makeEdit(sheet2PanelTop, QStringLiteral("Sheet2PanelTopEd1"), QRect(108, 70, 262, 22));
    makeLabel(sheet2PanelTop, QStringLiteral("近期排除两码:"), QRect(390, 70, 92, 22));
    sheet2PanelTopEd2
        = makeEdit(sheet2PanelTop, QStringLiteral("Sheet2PanelTopEd2"), QRect(482, 70, 266, 22));
}

void MainWindow::createFilterGroupBoxes()
{
    // Group box 1: banker digits, the three position rows and their buttons.
    makeLabel(sheet2Gbx1, QStringLiteral("胆号:"), QRect(8, 18, 36, 22));
    QStringList bankerItems { QStringLiteral("N") };
    bankerItems << digits(10, 1);
    for (int i = 0; i < 5; ++i) {
        auto* combo = new QComboBox(sheet2Gbx1);
        combo->setObjectName(QStringLiteral("Sheet2Gbx1Cbb%1").arg(i + 1));
        combo->addItems(bankerItems);
        combo->setGeometry(44 + i * 60, 18, 56, 22);
        sheet2Gbx1Cbbs[static_cast<std::size_t>(i)] = combo;
    }
    const QString positions[3]
        = { QStringLiteral("百位:"), QStringLiteral("十位:"), QStringLiteral("个位:") };
    sheet2Gbx1Tbr = new QWidget(sheet2Gbx1);
    sheet2Gbx1Tbr->setObjectName(QStringLiteral("Sheet2Gbx1Tbr"));
    sheet2Gbx1Tbr->setGeometry(352, 42, 84, 64);
    for (int row = 0; row < 3; ++row) {
        makeLabel(sheet2Gbx1, positions[row], QRect(8, 42 + row * 22, 36, 20));
        for (int k = 0; k < 2; ++k) {
            const int index = row * 2 + k;
            auto* button = new QToolButton(sheet2Gbx1Tbr);
            button->setObjectName(QStringLiteral("Sheet2Gbx1Bt%1").arg(index + 1));
            button->setText(k == 0 ? QStringLiteral("全选") : QStringLiteral("清除"));
            button->setAutoRaise(true);
            button->setGeometry(k * 42, row * 22, 40, 20);
            connectCommand(button, &QToolButton::clicked, [this, index] { sheet2Gbx1BtClick(index); });
            sheet2Gbx1Bts[static_cast<std::size_t>(index)] = button;
        }
    }

    // Group box 2: the labels of the six rows; the rows are multi-check controls.
    const std::pair<QString, int> rows2[]
        = { { QStringLiteral("合值范围:"), 20 }, { QStringLiteral("和值范围:"), 46 },
              { QStringLiteral("小中大比例"), 105 }, { QStringLiteral("012路比例:"), 145 },
              { QStringLiteral("奇偶比例:"), 186 }, { QStringLiteral("大小比例:"), 212 } };
    for (const auto& [text, top] : rows2)
        makeLabel(sheet2Gbx2, text, QRect(8, top, 72, 20));

    // Group box 3: five digit groups, each with "中出 [counts] 个号".
    const QVector<ColumnLabel::Stop> hitStops = { { 118 - 88, true }, { 258 - 88, false } };
    for (int i = 0; i < 5; ++i) {
        const int top = 24 + i * 24;
        sheet2Gbx3Eds[static_cast<std::size_t>(i)]
            = makeEdit(sheet2Gbx3, QStringLiteral("Sheet2Gbx3Ed%1").arg(i + 1), QRect(8, top, 73, 20));
        makeColumnLabel(sheet2Gbx3, QStringLiteral("Sheet2Gbx3Lbl%1").arg(i + 1),
            QStringLiteral("中出") + QString(20, QLatin1Char(' ')) + QStringLiteral("个号"),
            QRect(88, top, 200, 20), hitStops);
    }

    // Group box 4: pairs and digits, the digit range, runs and types.
    const QString edits4[4] = { QStringLiteral("两码限于:"), QStringLiteral("排除两码:"),
        QStringLiteral("必选号:"), QStringLiteral("排除号:") };
    QLineEdit** eds4[4] = { &sheet2Gbx4Ed1, &sheet2Gbx4Ed2, &sheet2Gbx4Ed3, &sheet2Gbx4Ed4 };
    for (int i = 0; i < 4; ++i) {
        const int top = 20 + i * 24;
        makeLabel(sheet2Gbx4, edits4[i], QRect(8, top, 68, 21));
        *eds4[i] = makeEdit(sheet2Gbx4, QStringLiteral("Sheet2Gbx4Ed%1").arg(i + 1), QRect(76, top, 228, 21));
    }
    makeColumnLabel(sheet2Gbx4, QStringLiteral("Sheet2Gbx4Lbl5"),
        QStringLiteral("号码范围：最小号      , 最大号"), QRect(8, 115, 220, 22),
        { { 0, false }, { 170, false } });
    sheet2Gbx4Se1 = new DigitSpinEdit(0, 9, sheet2Gbx4);
    sheet2Gbx4Se1->setObjectName(QStringLiteral("Sheet2Gbx4Se1"));
    sheet2Gbx4Se1->setGeometry(124, 115, 50, 22);
    sheet2Gbx4Se2 = new DigitSpinEdit(0, 9, sheet2Gbx4);
    sheet2Gbx4Se2->setObjectName(QStringLiteral("Sheet2Gbx4Se2"));
    sheet2Gbx4Se2->setGeometry(232, 115, 50, 22);
    makeLabel(sheet2Gbx4, QStringLiteral("连号:"), QRect(8, 140, 60, 20));
    makeLabel(sheet2Gbx4, QStringLiteral("类型:"), QRect(8, 160, 60, 20));
}

void MainWindow::createFilterCheckControls()
{
    struct CheckRow {
        MultiCheck** control;
        QWidget* parent;
        const char* name;
        QStringList captions;
        int capWidth;
        int cols;
        int top;
        int left;
    };
    const QStringList hits = digits(4, 1);
    const QStringList patterns = { QStringLiteral("300"), QStringLiteral("210"), QStringLiteral("201"),
        QStringLiteral("120"), QStringLiteral("111"), QStringLiteral("102"), QStringLiteral("030"),
        QStringLiteral("021"), QStringLiteral("012"), QStringLiteral("003") };
    const QStringList ratios
        = { QStringLiteral("0:3"), QStringLiteral("1:2"), QStringLiteral("2:1"), QStringLiteral("3:0") };
    const CheckRow checkRows[] = {
        { &sheet2PanelTopChk1, sheet2PanelTop, "Sheet2PanelTopChk1", hits, 10, 4, 12, 99 },
        { &sheet2PanelTopChk2, sheet2PanelTop, "Sheet2PanelTopChk2", hits, 10, 4, 28, 99 },
        { &sheet2PanelTopChk3, sheet2PanelTop, "Sheet2PanelTopChk3", hits, 10, 4, 44, 99 },
        { &sheet2PanelTopChk4, sheet2PanelTop, "Sheet2PanelTopChk4", hits, 10, 4, 12, 330 },
        { &sheet2PanelTopChk5, sheet2PanelTop, "Sheet2PanelTopChk5", hits, 10, 4, 28, 330 },
        { &sheet2PanelTopChk6, sheet2PanelTop, "Sheet2PanelTopChk6", hits, 10, 4, 44, 330 },
        { &sheet2Gbx1Chk1, sheet2Gbx1, "Sheet2Gbx1Chk1", digits(10, 1), 10, 10, 42, 44 },
        { &sheet2Gbx1Chk2, sheet2Gbx1, "Sheet2Gbx1Chk2", digits(10, 1), 10, 10, 64, 44 },
        { &sheet2Gbx1Chk3, sheet2Gbx1, "Sheet2Gbx1Chk3", digits(10, 1), 10, 10, 86, 44 },
        { &sheet2Gbx2Chk1, sheet2Gbx2, "Sheet2Gbx2Chk1", digits(10, 1), 14, 10, 20, 80 },
        { &sheet2Gbx2Chk2, sheet2Gbx2, "Sheet2Gbx2Chk2", digits(30, 2), 14, 10, 46, 80 },
        { &sheet2Gbx2Chk3, sheet2Gbx2, "Sheet2Gbx2Chk3", patterns, 50, 5, 105, 80 },
        { &sheet2Gbx2Chk4, sheet2Gbx2, "Sheet2Gbx2Chk4", patterns, 50, 5, 145, 80 },
        { &sheet2Gbx2Chk5, sheet2Gbx2, "Sheet2Gbx2Chk5", ratios, 64, 4, 186, 80 },
        { &sheet2Gbx2Chk6, sheet2Gbx2, "Sheet2Gbx2Chk6", ratios, 64, 4, 212, 80 },
        { &sheet2Gbx3Chk1, sheet2Gbx3, "Sheet2Gbx3Chk1", hits, 14, 4, 24, 118 },
        { &sheet2Gbx3Chk2, sheet2Gbx3, "Sheet2Gbx3Chk2", hits, 14, 4, 48, 118 },
        { &sheet2Gbx3Chk3, sheet2Gbx3, "Sheet2Gbx3Chk3", hits, 14, 4, 72, 118 },
        { &sheet2Gbx3Chk4, sheet2Gbx3, "Sheet2Gbx3Chk4", hits, 14, 4, 96, 118 },
        { &sheet2Gbx3Chk5, sheet2Gbx3, "Sheet2Gbx3Chk5", hits, 14, 4, 120, 118 },
        { &sheet2Gbx4Chk1, sheet2Gbx4, "Sheet2Gbx4Chk1",
            { QStringLiteral("不连"), QStringLiteral("二连"), QStringLiteral("拖拉机") }, 50, 3, 140, 80 },
        { &sheet2Gbx4Chk2, sheet2Gbx4, "Sheet2Gbx4Chk2",
            { QStringLiteral("组六"), QStringLiteral("组三"), QStringLiteral("豹子") }, 50, 3, 160, 80 },
    };
    for (const CheckRow& checkRow : checkRows) {
        auto* control = new MultiCheck(checkRow.parent);
        control->setObjectName(QString::fromLatin1(checkRow.name));
        for (const QString& caption : checkRow.captions)
            control->addItem(caption);
        control->setCapWidth(checkRow.capWidth);
        control->setCols(checkRow.cols);
        control->move(checkRow.left, checkRow.top);
        control->setCursor(Qt::PointingHandCursor);
        *checkRow.control = control;
    }

    // The Tab key walks the page in reading order: row by row, left to right.
    std::vector<QWidget*> order = { sheet2PanelTopChk1, sheet2PanelTopChk4, sheet2PanelTopChk2,
        sheet2PanelTopChk5, sheet2PanelTopChk3, sheet2PanelTopChk6, sheet2PanelTopEd1, sheet2PanelTopEd2 };
    order.insert(order.end(), sheet2Gbx1Cbbs.begin(), sheet2Gbx1Cbbs.end());
    const auto positions = positionChks();
    for (std::size_t row = 0; row < positions.size(); ++row)
        order.insert(order.end(), { positions[row], sheet2Gbx1Bts[row * 2], sheet2Gbx1Bts[row * 2 + 1] });
    order.insert(order.end(),
        { sheet2Gbx2Chk1, sheet2Gbx2Chk2, sheet2Gbx2Chk3, sheet2Gbx2Chk4, sheet2Gbx2Chk5, sheet2Gbx2Chk6 });
    const auto hitCounts = hitCountChks();
    for (std::size_t k = 0; k < hitCounts.size(); ++k)
        order.insert(order.end(), { sheet2Gbx3Eds[k], hitCounts[k] });
    order.insert(order.end(),
        { sheet2Gbx4Ed1, sheet2Gbx4Ed2, sheet2Gbx4Ed3, sheet2Gbx4Ed4, sheet2Gbx4Se1, sheet2Gbx4Se2,
            sheet2Gbx4Chk1, sheet2Gbx4Chk2 });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

std::array<MultiCheck*, 6> MainWindow::recentHitChks() const
{
    return { sheet2PanelTopChk1, sheet2PanelTopChk2, sheet2PanelTopChk3, sheet2PanelTopChk4,
        sheet2PanelTopChk5, sheet2PanelTopChk6 };
}

std::array<MultiCheck*, 3> MainWindow::positionChks() const
{
    return { sheet2Gbx1Chk1, sheet2Gbx1Chk2, sheet2Gbx1Chk3 };
}

std::array<MultiCheck*, 5> MainWindow::hitCountChks() const
{
    return { sheet2Gbx3Chk1, sheet2Gbx3Chk2, sheet2Gbx3Chk3, sheet2Gbx3Chk4, sheet2Gbx3Chk5 };
}

std::array<MultiCheck*, 22> MainWindow::filterCheckControls() const
{
    return { sheet2PanelTopChk1, sheet2PanelTopChk2, sheet2PanelTopChk3, sheet2PanelTopChk4,
        sheet2PanelTopChk5, sheet2PanelTopChk6, sheet2Gbx1Chk1, sheet2Gbx1Chk2, sheet2Gbx1Chk3,
        sheet2Gbx2Chk1, sheet2Gbx2Chk2, sheet2Gbx2Chk3, sheet2Gbx2Chk4, sheet2Gbx2Chk5, sheet2Gbx2Chk6,
        sheet2Gbx3Chk1, sheet2Gbx3Chk2, sheet2Gbx3Chk3, sheet2Gbx3Chk4, sheet2Gbx3Chk5, sheet2Gbx4Chk1,
        sheet2Gbx4Chk2 };
}

void MainWindow::sheet2TbrClearBtClick()
{
    for (MultiCheck* control : recentHitChks())
        control->uncheckAll();
    sheet2PanelTopEd1->clear();
    sheet2PanelTopEd2->clear();
    for (int i = 0; i < 10; ++i) {
        for (MultiCheck* control : positionChks())
            control->setCheck(i, false);
    }
    for (QComboBox* combo : sheet2Gbx1Cbbs)
        combo->setCurrentIndex(kBankerNone);
    for (MultiCheck* control :
        { sheet2Gbx2Chk1, sheet2Gbx2Chk2, sheet2Gbx2Chk3, sheet2Gbx2Chk4, sheet2Gbx2Chk5, sheet2Gbx2Chk6 })
        control->uncheckAll();
    for (QLineEdit* edit : sheet2Gbx3Eds)
        edit->clear();
    for (MultiCheck* control : hitCountChks()) {
        for (int i = 0; i < 4; ++i)
            control->setCheck(i, false);
    }
    for (QLineEdit* edit : { sheet2Gbx4Ed1, sheet2Gbx4Ed2, sheet2Gbx4Ed3, sheet2Gbx4Ed4 })
        edit->clear();
    sheet2Gbx4Se1->setValue(0);
    sheet2Gbx4Se2->setValue(9);
    for (int i = 0; i < 3; ++i) {
        sheet2Gbx4Chk1->setCheck(i, false);
        sheet2Gbx4Chk2->setCheck(i, false);
    }
}

void MainWindow::sheet2Gbx1BtClick(int index)
{
    MultiCheck* row = positionChks().at(static_cast<std::size_t>(index / 2));
    if (index % 2 == 0)
        row->checkAll();
    else
        row->uncheckAll();
}

FilterConditions MainWindow::readConditions() const
{
    FilterConditions c;
    const auto recent = recentHitChks();
    for (std::size_t r = 0; r < recent.size(); ++r)
        c.RecentHits[r] = flagsOf<4>(recent[r]);
    c.recentPairsIn = toStdString(sheet2PanelTopEd1->text());
    c.recentPairsOut = toStdString(sheet2PanelTopEd2->text());
    const auto positions = positionChks();
    for (std::size_t p = 0; p < positions.size(); ++p)
        c.positionDigits[p] = flagsOf<10>(positions[p]);
    for (std::size_t i = 0; i < sheet2Gbx1Cbbs.size(); ++i)
        c.bankers[i] = sheet2Gbx1Cbbs[i]->currentIndex();
    c.sumTails = flagsOf<10>(sheet2Gbx2Chk1);
    c.sums = flagsOf<30>(sheet2Gbx2Chk2);
    c.smbPatterns = flagsOf<10>(sheet2Gbx2Chk3);
    c.routePatterns = flagsOf<10>(sheet2Gbx2Chk4);
    c.oddCounts = flagsOf<4>(sheet2Gbx2Chk5);
    c.bigCounts = flagsOf<4>(sheet2Gbx2Chk6);
    const auto hitCounts = hitCountChks();
    for (std::size_t k = 0; k < hitCounts.size(); ++k) {
        c.hitGroups[k].digits = toStdString(sheet2Gbx3Eds[k]->text());
        c.hitGroups[k].counts = flagsOf<4>(hitCounts[k]);
    }
    c.pairsIn = toStdString(sheet2Gbx4Ed1->text());
    c.pairsOut = toStdString(sheet2Gbx4Ed2->text());
    c.digitsIn = toStdString(sheet2Gbx4Ed3->text());
    c.digitsOut = toStdString(sheet2Gbx4Ed4->text());
    c.minDigit = sheet2Gbx4Se1->value();
    c.maxDigit = sheet2Gbx4Se2->value();
    c.runKinds = flagsOf<3>(sheet2Gbx4Chk1);
    c.codeTypes = flagsOf<3>(sheet2Gbx4Chk2);
    return c;
}

void MainWindow::sheet2TbrScaleBtClick()
{
    sheet2Codes = runShrink(readConditions(), m_history);
    setStatusText(0, toQString(shrinkStatusText(sheet2Codes)));
    codeViewForm->memo->setPlainText(resultMemoText(kShrinkLeadingText, sheet2Codes));
}

void MainWindow::sheet2TbrExportBtClick()
{
    resultActions->exportResult(sheet2Codes, kShrinkLeadingText, false);
}

void MainWindow::sheet2TbrCheckBtClick() { resultActions->checkPrize(codeViewForm->memo); }

void MainWindow::sheet2TbrPrintBtClick() { resultActions->printMemo(codeViewForm->memo); }

void MainWindow::sheet2TbrViewBtClick() { codeViewForm->setVisible(!codeViewForm->isVisible()); }

void MainWindow::tabSheet2Show()
{
    const RecentPanelTexts texts = buildRecentPanelTexts(m_history);
    for (std::size_t r = 0; r < texts.rows.size(); ++r) {
        ColumnLabel* label = sheet2PanelTopLbls[r + 1];
        label->move(kRecentLabelLeft, label->y());
        label->setText(toQString(texts.rows[r]));
    }
    sheet2PanelTopLbls[0]->setText(toQString(texts.header));
}

} // namespace velmora
