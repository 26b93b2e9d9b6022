// The seven chart pages of the main window (six charts and the omission table):
// rebuilt from the current history whenever they are shown (menu key or tab) and on
// "查询", the spin edit's reading of what was typed, the clamp message, and the
// layout of the query panels and legends.
#include "app/MainWindowFixture.h"
#include "support/GridDump.h"
#include "support/Snapshots.h"

#include "app/pages/ChartPage.h"

#include "app/UiSupport.h"
#include "core/charts/Charts.h"
#include "widgets/ChartSpinEdit.h"
#include "widgets/ColumnLabel.h"
#include "widgets/GridView.h"
#include "widgets/PageControl.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>

using namespace Qt::StringLiterals;

using velmora::ChartSpinEdit;
using velmora::ColumnLabel;
using velmora::MainWindow;
using velmora::test::find;
using velmora::test::gridDump;

namespace {

const QString kTooMany = QStringLiteral("设置的查询期数超过总期数!!");
const Qt::Key kMenuKeys[]
    = { Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F7 };
constexpr int kOmissionPage = 6;

// What the page's builder makes of the history for n, on a model of its own.
QStringList Expected(int page, const velmora::DrawHistory& history, int n)
{
    velmora::GridModel model;
    velmora::kChartKinds[page].build(model, history, n, nullptr);
    return gridDump(model);
}

QString IssueText(const velmora::DrawRecord& record)
{
    return QStringLiteral("%1%2")
        .arg(record.year, 4, 10, QLatin1Char('0'))
        .arg(record.issue, 3, 10, QLatin1Char('0'));
}

void AddPageRows()
{
    QTest::addColumn<int>("page");
    const char* names[] = { "trend", "kline", "sum", "tail", "oddeven", "bigsmall" };
    for (int i = 0; i < 6; ++i)
        QTest::newRow(names[i]) << i;
}

// Replaces the spin edit's text by typing, as a user does.
void TypeInto(ChartSpinEdit* spin, const QString& text)
{
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(8, spin->height() / 2));
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(spin, Qt::Key_Backspace);
    QTest::keyClicks(spin, text);
    QCOMPARE(spin->text(), text);
}

velmora::ChartPage* chartPage(const MainWindowFixture& f, int page)
{
    return find<velmora::ChartPage>(
        f.window.get(), QString::fromLatin1(velmora::kChartKinds[page].name) + QStringLiteral("ChartPage"));
}

GridView* chart(const MainWindowFixture& f, int page)
{
    return find<GridView>(chartPage(f, page), QStringLiteral("chart"));
}

ChartSpinEdit* drawCountEdit(const MainWindowFixture& f, int page)
{
    return find<ChartSpinEdit>(chartPage(f, page), QStringLiteral("drawCountEdit"));
}

QPushButton* queryButton(const MainWindowFixture& f, int page)
{
    return find<QPushButton>(chartPage(f, page), QStringLiteral("queryButton"));
}

velmora::PageControl* chartPages(const MainWindowFixture& f)
{
    return f.part<velmora::PageControl>("chartPages");
}

// Types the count, then runs 查询 by its button or by a key in the edit.
void Query(const MainWindowFixture& f, int page, const QString& text, Qt::Key key = Qt::Key_unknown)
{
    TypeInto(drawCountEdit(f, page), text);
    if (key == Qt::Key_unknown)
        QTest::mouseClick(queryButton(f, page), Qt::LeftButton);
    else
        QTest::keyClick(drawCountEdit(f, page), key);
}

} // namespace

class tst_ChartPage : public QObject {
    Q_OBJECT

private slots:
    void spinEditReading_data();
    void spinEditReading();
    void shownByMenuKey_data();
    void shownByMenuKey();
    void shownByTab_data();
    void shownByTab();
    void queryRebuilds_data();
    void queryRebuilds();
    void queryAboveHistoryClamps();
    void showAboveHistoryClampsAfterAppearing();
    void nonNumberAndNegativeBuildAsZero_data();
    void nonNumberAndNegativeBuildAsZero();
    void historyChangeShowsOnNextShow();
    void queryPanelsLineUp();
    void textsFitTheirCellsForAllDraws_data();
    void textsFitTheirCellsForAllDraws();
    void omissionTable();
    void snapshots_data();
    void snapshots();
};

void tst_ChartPage::spinEditReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << u""_s << 0;
    QTest::newRow("letters") << u"abc"_s << 0;
    QTest::newRow("digits then letters") << u"12a"_s << 0;
    QTest::newRow("exponent") << u"1e3"_s << 0;
    QTest::newRow("beyond int") << u"99999999999"_s << 0;
    QTest::newRow("minus alone") << u"-"_s << 0;
    QTest::newRow("number") << u"8684"_s << 8684;
    QTest::newRow("blanks around") << u" 7 "_s << 7;
    QTest::newRow("negative") << u"-5"_s << -5;
    QTest::newRow("leading zeros") << u"007"_s << 7;
}

void tst_ChartPage::spinEditReading()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    ChartSpinEdit spin;
    QCOMPARE(spin.value(), 30);
    spin.show();
    QVERIFY(QTest::qWaitForWindowExposed(&spin));
    TypeInto(&spin, text);
    QCOMPARE(spin.value(), value);
    QCOMPARE(ChartSpinEdit::parseValue(text), value);
}

void tst_ChartPage::shownByMenuKey_data() { AddPageRows(); }

void tst_ChartPage::shownByMenuKey()
{
    QFETCH(int, page);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    MainWindow& form = f.startShown();
    QCOMPARE(f.history().size(), std::size_t(40));
    QTest::keyClick(&form, kMenuKeys[page], Qt::ControlModifier);
    QCOMPARE(chartPages(f)->activePageIndex(), page);
    QVERIFY(chartPage(f, page)->isVisible());

    const velmora::GridModel& grid = chart(f, page)->model();
    QCOMPARE(grid.dynRows(), 31);
    QCOMPARE(velmora::toQString(grid.getValue(2, 0)), IssueText(f.history().back()));
    QCOMPARE(velmora::toQString(grid.getValue(32, 0)), QStringLiteral("合计"));
    QCOMPARE(gridDump(grid), Expected(page, f.history(), 30));
    QCOMPARE(drawCountEdit(f, page)->value(), 30);
    // The other charts wait until they are shown themselves, most not even made yet.
    for (int other = 0; other < 6; ++other) {
        const auto* grid = chartPage(f, other)->findChild<GridView*>(QStringLiteral("chart"));
        if (other != page)
            QVERIFY(grid == nullptr || grid->model().rowCount() == 0);
    }
    QApplication::processEvents(); // a message would come from a zero timer
    QCOMPARE(f.platform.messages, QStringList());
}

void tst_ChartPage::shownByTab_data() { AddPageRows(); }

void tst_ChartPage::shownByTab()
{
    QFETCH(int, page);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    MainWindow& form = f.startShown();
    const int start = (page + 1) % 6;
    QTest::keyClick(&form, kMenuKeys[start], Qt::ControlModifier);

    QTabBar* tabs = chartPages(f)->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
    QCOMPARE(chartPages(f)->activePageIndex(), page);
    QCOMPARE(gridDump(chart(f, page)->model()), Expected(page, f.history(), 30));
}

void tst_ChartPage::queryRebuilds_data() { AddPageRows(); }

void tst_ChartPage::queryRebuilds()
{
    QFETCH(int, page);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, kMenuKeys[page], Qt::ControlModifier);
    QCOMPARE(chart(f, page)->model().dynRows(), 31);

    Query(f, page, QStringLiteral("12"));
    const velmora::GridModel& grid = chart(f, page)->model();
    QCOMPARE(grid.dynRows(), 13);
    QCOMPARE(gridDump(grid), Expected(page, f.history(), 12));
    Query(f, page, QStringLiteral("40"), Qt::Key_Return);
    QCOMPARE(gridDump(grid), Expected(page, f.history(), 40));
    QCOMPARE(velmora::toQString(grid.getValue(41, 0)), IssueText(f.history().front()));
    QCOMPARE(f.platform.messages, QStringList());
}

void tst_ChartPage::queryAboveHistoryClamps()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    f.startShown();
    f.trigger("showSumChart");
    Query(f, 2, QStringLiteral("41"), Qt::Key_Enter);
    QCOMPARE(f.platform.warnings, QStringList { kTooMany });
    QCOMPARE(f.platform.messages, QStringList { kTooMany });
    QCOMPARE(drawCountEdit(f, 2)->value(), 40);
    QCOMPARE(gridDump(chart(f, 2)->model()), Expected(2, f.history(), 40));

    // The spin edit now holds the count: the next query and show bring no message.
    QTest::mouseClick(queryButton(f, 2), Qt::LeftButton);
    f.trigger("showSumChart");
    QApplication::processEvents(); // a message would come from a zero timer
    QCOMPARE(f.platform.messages, QStringList { kTooMany });
}

void tst_ChartPage::showAboveHistoryClampsAfterAppearing()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(3)));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, Qt::Key_F5, Qt::ControlModifier);
    // Built and clamped at once; the box waits until the page has appeared.
    QCOMPARE(drawCountEdit(f, 4)->value(), 3);
    QCOMPARE(gridDump(chart(f, 4)->model()), Expected(4, f.history(), 3));
    QCOMPARE(f.platform.messages, QStringList());
    QTRY_COMPARE(f.platform.messages, QStringList { kTooMany });
    QVERIFY(chartPage(f, 4)->isVisible());

    QTest::keyClick(&form, Qt::Key_F5, Qt::ControlModifier);
    QApplication::processEvents(); // a message would come from a zero timer
    QCOMPARE(f.platform.messages, QStringList { kTooMany });
}

void tst_ChartPage::nonNumberAndNegativeBuildAsZero_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    QTest::newRow("trend, letters") << 0 << u"abc"_s;
    QTest::newRow("tail, negative") << 3 << u"-5"_s;
    QTest::newRow("bigsmall, empty") << 5 << u""_s;
}

void tst_ChartPage::nonNumberAndNegativeBuildAsZero()
{
    QFETCH(int, page);
    QFETCH(QString, text);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, kMenuKeys[page], Qt::ControlModifier);
    Query(f, page, text);
    const velmora::GridModel& grid = chart(f, page)->model();
    QCOMPARE(grid.dynRows(), 1);
    QCOMPARE(velmora::toQString(grid.getValue(2, 0)), QStringLiteral("合计"));
    QCOMPARE(gridDump(grid), Expected(page, f.history(), 0));
    QCOMPARE(f.platform.messages, QStringList());
}

void tst_ChartPage::historyChangeShowsOnNextShow()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, Qt::Key_F1, Qt::ControlModifier);
    const QStringList before = gridDump(chart(f, 0)->model());

    const QString import = f.path(QStringLiteral("more.txt"));
    QVERIFY(writeFile(import, historyLines(60)));
    f.platform.openAnswer = import;
    f.platform.choiceAnswers = { 1 }; // 替换
    f.trigger("showDataPage");
    velmora::test::clickToolButton(&f.dataPage(), QStringLiteral("导入数据"));
    QCOMPARE(f.history().size(), std::size_t(60));
    // The chart keeps its last build until it is shown again.
    QCOMPARE(gridDump(chart(f, 0)->model()), before);

    QTest::keyClick(&form, Qt::Key_F1, Qt::ControlModifier);
    QCOMPARE(velmora::toQString(chart(f, 0)->model().getValue(2, 0)), IssueText(f.history().back()));
    QCOMPARE(gridDump(chart(f, 0)->model()), Expected(0, f.history(), 30));

    f.trigger("showDataPage");
    f.platform.confirmAnswer = true;
    velmora::test::clickToolButton(&f.dataPage(), QStringLiteral("清空数据"));
    QVERIFY(f.history().empty());
    QTest::mouseClick(f.part<QToolBar>("mainToolBar")
                          ->widgetForAction(velmora::test::toolBarAction(
                              f.part<QToolBar>("mainToolBar"), QStringLiteral("分析图表"))),
        Qt::LeftButton);
    QCOMPARE(drawCountEdit(f, 0)->value(), 0);
    QCOMPARE(gridDump(chart(f, 0)->model()), Expected(0, f.history(), 0));
    QTRY_COMPARE(f.platform.messages, QStringList { kTooMany });
}

// The spin edit stands inside the caption's blanks, the button after the caption,
// all within the panel; the legend's two lines fit their panel.
void tst_ChartPage::queryPanelsLineUp()
{
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    form.resize(1280, 800);
    const char* const menuEntries[] = { "showTrendChart", "showKLineChart", "showSumChart",
        "showSumTailChart", "showOddEvenChart", "showBigSmallChart", "showOmissionTable" };
    for (int page = 0; page < 7; ++page) {
        f.trigger(menuEntries[page]);
        auto* label = find<ColumnLabel>(chartPage(f, page), QStringLiteral("queryCaption"));
        QVERIFY(label->text().startsWith(QStringLiteral("统计最近         期的")));
        const QRect spin = drawCountEdit(f, page)->geometry();
        const QRect button = queryButton(f, page)->geometry();
        const QWidget* panel = find<QWidget>(chartPage(f, page), QStringLiteral("queryPanel"));
        // Ink of the caption as painted, by panel column: "统计最近" left of the spin edit,
        // nothing under it, the rest of the caption between it and the button.
        const QImage image = label->grab().toImage();
        const QRgb paper = image.pixel(image.width() - 1, 0);
        int firstInk = -1;
        int lastInk = -1;
        int inkUnderSpin = 0;
        int inkAfterSpin = 0;
        for (int x = 0; x < image.width(); ++x) {
            bool ink = false;
            for (int y = 0; y < image.height() && !ink; ++y)
                ink = image.pixel(x, y) != paper;
            if (!ink)
                continue;
            const int panelX = label->x() + x;
            if (firstInk < 0)
                firstInk = panelX;
            lastInk = panelX;
            inkUnderSpin += panelX >= spin.left() && panelX <= spin.right();
            inkAfterSpin += panelX > spin.right();
        }
        QVERIFY(firstInk >= 0 && firstInk < spin.left());
        QCOMPARE(inkUnderSpin, 0);
        QVERIFY(inkAfterSpin > 0);
        QVERIFY2(lastInk < button.left(),
            qPrintable(QStringLiteral("page %1: caption ends %2, button at %3")
                           .arg(page)
                           .arg(lastInk)
                           .arg(button.left())));
        QCOMPARE(panel->height(), 33);
        for (const QRect& rect : { spin, button, label->geometry() })
            QVERIFY(rect.top() >= 0 && rect.bottom() < panel->height());
        QVERIFY(spin.width() >= QFontMetrics(form.font()).horizontalAdvance(QStringLiteral("88888")));
    }
    const auto* oddEvenLegend = find<QLabel>(chartPage(f, 4), QStringLiteral("legend"));
    const auto* bigSmallLegend = find<QLabel>(chartPage(f, 5), QStringLiteral("legend"));
    QCOMPARE(oddEvenLegend->text().split(QLatin1Char('\n')).first(),
        QStringLiteral("    1、组选：A、全偶；B、两偶一奇；C、一偶两奇；D、全奇。"));
    QCOMPARE(bigSmallLegend->text().split(QLatin1Char('\n')),
        (QStringList { QStringLiteral("    1、组选：A、全小；B、两小一大；C、一小两大；D、全大。"),
            QStringLiteral("    "
                           "2、单选：A、小小小；B、小小大；C、小大小；D、小大大；E、大小小；F、大小大；G、大"
                           "大小；H、大大大 。") }));
    for (const QLabel* legend : { oddEvenLegend, bigSmallLegend }) {
        const QWidget* panel = legend->parentWidget();
        QVERIFY(legend->geometry().bottom() < panel->height());
        QVERIFY(legend->geometry().right() < panel->width());
        QCOMPARE(legend->sizeHint().height(), legend->height());
    }
}

void tst_ChartPage::textsFitTheirCellsForAllDraws_data() { AddPageRows(); }

// Over every draw of the real history the totals reach four and five digits: each
// column is still as wide as its widest text (the header's merged captions included),
// the totals row is light, and a grid wider than the view scrolls sideways.
void tst_ChartPage::textsFitTheirCellsForAllDraws()
{
    QFETCH(int, page);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), realHistoryBytes()));
    f.startShown().resize(789, 584);
    QTest::keyClick(f.window.get(), kMenuKeys[page], Qt::ControlModifier);
    const int all = static_cast<int>(f.history().size());
    Query(f, page, QString::number(all));
    GridView* grid = chart(f, page);
    const velmora::GridModel& m = grid->model();
    const velmora::GridGeometry& g = grid->gridGeometry();
    QCOMPARE(m.dynRows(), all + 1);
    const QFontMetrics metrics(grid->cellFont());
    int widest = 0;
    for (int r = 0; r < m.rowCount(); ++r) {
        for (int c = 0; c < m.colsCount(); ++c) {
            const QString text = velmora::toQString(m.getValue(r, c));
            const int width = metrics.horizontalAdvance(text);
            widest = std::max(widest, width);
            const int cell = g.colWidths()[static_cast<std::size_t>(c)];
            QVERIFY2(width <= cell,
                qPrintable(QStringLiteral("row %1 col %2 \"%3\": %4 px in %5 px")
                               .arg(r)
                               .arg(c)
                               .arg(text)
                               .arg(width)
                               .arg(cell)));
        }
    }
    QVERIFY(widest > 20);
    for (const velmora::GridMerge& merge : m.merges()) {
        const velmora::GridRect area
            = g.rectOfCell(0, merge.firstCol, false).united(g.rectOfCell(0, merge.lastCol, false));
        QVERIFY2(metrics.horizontalAdvance(velmora::toQString(merge.text)) <= area.width(),
            qPrintable(velmora::toQString(merge.text)));
    }
    const velmora::CellColor totals = m.getCellColor(m.rowCount() - 1, 0);
    QVERIFY(totals.red() >= 200 && totals.red() == totals.green() && totals.green() == totals.blue());

    QScrollBar* sideways = grid->horizontalScrollBar();
    QCOMPARE(
        sideways->maximum(), std::max(g.gridRect().right + g.lineWidth() - grid->viewport()->width(), 0));
    if (sideways->maximum() > 0) {
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Right);
        QVERIFY(sideways->value() > 0);
        QTest::keyClick(grid, Qt::Key_Left);
        QCOMPARE(sideways->value(), 0);
    }
    // The totals row for a look by eye.
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_End);
    QVERIFY(velmora::test::writeSnapshot(*f.window,
        QStringLiteral("chartpage-%1-all-draws.png").arg(QString::fromLatin1(QTest::currentDataTag()))));
}

// Ctrl+F7 shows the omission table of the latest 30 draws: one header row, a row
// per item, no totals row; "查询" and the clamp work as on the charts.
void tst_ChartPage::omissionTable()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, Qt::Key_F7, Qt::ControlModifier);
    QCOMPARE(chartPages(f)->activePageIndex(), kOmissionPage);
    QCOMPARE(chartPages(f)->tabText(kOmissionPage), u"遗漏统计表"_s);
    QCOMPARE(find<ColumnLabel>(chartPage(f, kOmissionPage), u"queryCaption"_s)->text(),
        u"统计最近         期的遗漏情况"_s);
    const velmora::GridModel& grid = chart(f, kOmissionPage)->model();
    QCOMPARE(grid.fixRowCount(), 1);
    QCOMPARE(grid.dynRows(), 81);
    QCOMPARE(velmora::toQString(grid.getValue(0, 3)), u"当前遗漏"_s);
    QCOMPARE(velmora::toQString(grid.getValue(81, 0)), u"类型"_s);
    QCOMPARE(gridDump(grid), Expected(kOmissionPage, f.history(), 30));

    Query(f, kOmissionPage, u"12"_s);
    QCOMPARE(gridDump(grid), Expected(kOmissionPage, f.history(), 12));
    QVERIFY(gridDump(grid) != Expected(kOmissionPage, f.history(), 30));
    QCOMPARE(f.platform.messages, QStringList());
    Query(f, kOmissionPage, u"41"_s);
    QCOMPARE(f.platform.messages, QStringList { kTooMany });
    QCOMPARE(drawCountEdit(f, kOmissionPage)->value(), 40);
    QCOMPARE(gridDump(grid), Expected(kOmissionPage, f.history(), 40));
}

void tst_ChartPage::snapshots_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QSize>("size");
    for (int i = 0; i < 7; ++i) {
        const char* const name = velmora::kChartKinds[i].name;
        QTest::addRow("%s-wide", name) << i << QSize(1280, 800);
        QTest::addRow("%s-small", name) << i << QSize(789, 584);
    }
}

// Every chart page over the real history; at a maximised size the whole grid is in view.
void tst_ChartPage::snapshots()
{
    QFETCH(int, page);
    QFETCH(QSize, size);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), realHistoryBytes()));
    MainWindow& form = f.startShown();
    form.resize(size);
    QTest::keyClick(&form, kMenuKeys[page], Qt::ControlModifier);
    GridView* grid = chart(f, page);
    QTRY_COMPARE(grid->model().dynRows(), page == kOmissionPage ? 81 : 31);
    QApplication::processEvents();
    QCOMPARE(f.platform.messages, QStringList());
    if (size.width() >= 1280)
        QVERIFY2(grid->gridGeometry().gridRect().right <= grid->viewport()->width(),
            qPrintable(QStringLiteral("grid %1 wide, view %2")
                           .arg(grid->gridGeometry().gridRect().right)
                           .arg(grid->viewport()->width())));

    QVERIFY(velmora::test::writeSnapshot(
        form, QStringLiteral("chartpage-%1.png").arg(QString::fromLatin1(QTest::currentDataTag()))));
}

QTEST_MAIN(tst_ChartPage)
#include "tst_ChartPage.moc"
