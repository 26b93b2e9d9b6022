// The six chart pages of the main window: rebuilt from the current history whenever
// they are shown (menu key or tab) and on "查询", the spin edit's reading of what was
// typed, the clamp message, and the layout of the query panels and legends.
#include "app/MainWindowFixture.h"

#include "app/UiSupport.h"
#include "core/charts/Charts.h"
#include "widgets/ChartSpinEdit.h"
#include "widgets/ColumnLabel.h"
#include "widgets/GridView.h"
#include "widgets/PageControl.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

using velmora::ChartSpinEdit;
using velmora::ColumnLabel;
using velmora::MainWindow;

namespace {

const QString kTooMany = QStringLiteral("设置的查询期数超过总期数!!");
const Qt::Key kMenuKeys[] = { Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F6 };

// Every cell's text and colour, one line per row, then the merged captions.
QStringList GridDump(const velmora::GridModel& net)
{
    QStringList lines;
    for (int r = 0; r < net.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < net.colsCount(); ++c) {
            const velmora::CellColor color = net.getCellColor(r, c);
            cells << velmora::toQString(net.getValue(r, c)) + QLatin1Char('@')
                    + (color.isWindow() ? QStringLiteral("-")
                                        : QStringLiteral("%1,%2,%3")
                                              .arg(color.red())
                                              .arg(color.green())
                                              .arg(color.blue()));
        }
        lines << QStringLiteral("%1: ").arg(r) + cells.join(QLatin1Char('|'));
    }
    for (const velmora::GridMerge& merge : net.merges())
        lines << QStringLiteral("merge %1 %2-%3 %4-%5 %6")
                     .arg(merge.active)
                     .arg(merge.firstCol)
                     .arg(merge.lastCol)
                     .arg(merge.firstRow)
                     .arg(merge.lastRow)
                     .arg(velmora::toQString(merge.text));
    return lines;
}

// What the page's builder makes of the history for n, on a model of its own.
QStringList Expected(int page, const velmora::DrawHistory& history, int n)
{
    velmora::GridModel model;
    velmora::kChartKinds[page].build(model, history, n, nullptr);
    return GridDump(model);
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

void Query(MainWindow& form, int page, const QString& text)
{
    TypeInto(form.chartSpinEdits()[page], text);
    QTest::mouseClick(form.chartGoBts()[page], Qt::LeftButton);
}

} // namespace

class tst_ChartPages : public QObject {
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
    void snapshots_data();
    void snapshots();
};

void tst_ChartPages::spinEditReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("digits then letters") << "12a" << 0;
    QTest::newRow("exponent") << "1e3" << 0;
    QTest::newRow("beyond int") << "99999999999" << 0;
    QTest::newRow("minus alone") << "-" << 0;
    QTest::newRow("number") << "8684" << 8684;
    QTest::newRow("blanks around") << " 7 " << 7;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("leading zeros") << "007" << 7;
}

void tst_ChartPages::spinEditReading()
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

void tst_ChartPages::shownByMenuKey_data() { AddPageRows(); }

void tst_ChartPages::shownByMenuKey()
{
    QFETCH(int, page);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    MainWindow& form = f.startShown();
    QCOMPARE(form.m_history.size(), std::size_t(40));
    QTest::keyClick(&form, kMenuKeys[page], Qt::ControlModifier);
    QCOMPARE(form.gridPctl->activePageIndex(), page);
    QVERIFY(form.chartSheets[page]->isVisible());

    const velmora::GridModel& net = form.chartNets()[page]->model();
    QCOMPARE(net.dynRows(), 31);
    QCOMPARE(velmora::toQString(net.getValue(2, 0)), IssueText(form.m_history.back()));
    QCOMPARE(velmora::toQString(net.getValue(32, 0)), QStringLiteral("合计"));
    QCOMPARE(GridDump(net), Expected(page, form.m_history, 30));
    QCOMPARE(form.chartSpinEdits()[page]->value(), 30);
    // The other charts wait until they are shown themselves.
    for (int other = 0; other < 6; ++other) {
        if (other != page)
            QCOMPARE(form.chartNets()[other]->model().rowCount(), 0);
    }
    QTest::qWait(20);
    QCOMPARE(f.platform.messages, QStringList());
}

void tst_ChartPages::shownByTab_data() { AddPageRows(); }

void tst_ChartPages::shownByTab()
{
    QFETCH(int, page);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    MainWindow& form = f.startShown();
    const int start = (page + 1) % 6;
    QTest::keyClick(&form, kMenuKeys[start], Qt::ControlModifier);
    form.chartSpinEdits()[page]->setValue(7);
    QCOMPARE(form.chartNets()[page]->model().rowCount(), 0);

    QTabBar* tabs = form.gridPctl->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
    QCOMPARE(form.gridPctl->activePageIndex(), page);
    QCOMPARE(GridDump(form.chartNets()[page]->model()), Expected(page, form.m_history, 7));
}

void tst_ChartPages::queryRebuilds_data() { AddPageRows(); }

void tst_ChartPages::queryRebuilds()
{
    QFETCH(int, page);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, kMenuKeys[page], Qt::ControlModifier);
    QCOMPARE(form.chartNets()[page]->model().dynRows(), 31);

    Query(form, page, QStringLiteral("12"));
    const velmora::GridModel& net = form.chartNets()[page]->model();
    QCOMPARE(net.dynRows(), 13);
    QCOMPARE(GridDump(net), Expected(page, form.m_history, 12));
    Query(form, page, QStringLiteral("40"));
    QCOMPARE(GridDump(net), Expected(page, form.m_history, 40));
    QCOMPARE(velmora::toQString(net.getValue(41, 0)), IssueText(form.m_history.front()));
    QCOMPARE(f.platform.messages, QStringList());
}

void tst_ChartPages::queryAboveHistoryClamps()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    MainWindow& form = f.startShown();
    form.gridMenuHzfbtClick();
    Query(form, 2, QStringLiteral("41"));
    QCOMPARE(f.platform.messages, QStringList { kTooMany });
    QCOMPARE(form.tabSheet7Se->value(), 40);
    QCOMPARE(GridDump(form.tabSheet7Net->model()), Expected(2, form.m_history, 40));

    // The spin edit now holds the count: the next query and show bring no message.
    QTest::mouseClick(form.tabSheet7GoBt, Qt::LeftButton);
    form.gridMenuHzfbtClick();
    QTest::qWait(20);
    QCOMPARE(f.platform.messages, QStringList { kTooMany });
}

void tst_ChartPages::showAboveHistoryClampsAfterAppearing()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(3)));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, Qt::Key_F5, Qt::ControlModifier);
    // Built and clamped at once; the box waits until the page has appeared.
    QCOMPARE(form.tabSheet9Se->value(), 3);
    QCOMPARE(GridDump(form.tabSheet9Net->model()), Expected(4, form.m_history, 3));
    QCOMPARE(f.platform.messages, QStringList());
    QTRY_COMPARE(f.platform.messages, QStringList { kTooMany });
    QVERIFY(form.chartSheets[4]->isVisible());

    QTest::keyClick(&form, Qt::Key_F5, Qt::ControlModifier);
    QTest::qWait(20);
    QCOMPARE(f.platform.messages, QStringList { kTooMany });
}

void tst_ChartPages::nonNumberAndNegativeBuildAsZero_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    QTest::newRow("trend, letters") << 0 << "abc";
    QTest::newRow("tail, negative") << 3 << "-5";
    QTest::newRow("bigsmall, empty") << 5 << "";
}

void tst_ChartPages::nonNumberAndNegativeBuildAsZero()
{
    QFETCH(int, page);
    QFETCH(QString, text);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, kMenuKeys[page], Qt::ControlModifier);
    Query(form, page, text);
    const velmora::GridModel& net = form.chartNets()[page]->model();
    QCOMPARE(net.dynRows(), 1);
    QCOMPARE(velmora::toQString(net.getValue(2, 0)), QStringLiteral("合计"));
    QCOMPARE(GridDump(net), Expected(page, form.m_history, 0));
    QCOMPARE(f.platform.messages, QStringList());
}

void tst_ChartPages::historyChangeShowsOnNextShow()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, Qt::Key_F1, Qt::ControlModifier);
    const QStringList before = GridDump(form.tabSheet5Net->model());

    const QString import = f.path(QStringLiteral("more.txt"));
    QVERIFY(writeFile(import, historyLines(60)));
    f.platform.openAnswer = import;
    form.fileMenuManulClick();
    QTest::mouseClick(form.sheet1Tbr->widgetForAction(form.sheet1TbrOmportBt), Qt::LeftButton);
    QCOMPARE(form.m_history.size(), std::size_t(60));
    // The chart keeps its last build until it is shown again.
    QCOMPARE(GridDump(form.tabSheet5Net->model()), before);

    QTest::keyClick(&form, Qt::Key_F1, Qt::ControlModifier);
    QCOMPARE(velmora::toQString(form.tabSheet5Net->model().getValue(2, 0)), IssueText(form.m_history.back()));
    QCOMPARE(GridDump(form.tabSheet5Net->model()), Expected(0, form.m_history, 30));

    form.fileMenuManulClick();
    QTest::mouseClick(form.sheet1Tbr->widgetForAction(form.sheet1TbrClearBt), Qt::LeftButton);
    QVERIFY(form.m_history.empty());
    form.gridMenuBtClick();
    QCOMPARE(form.tabSheet5Se->value(), 0);
    QCOMPARE(GridDump(form.tabSheet5Net->model()), Expected(0, form.m_history, 0));
    QTRY_COMPARE(f.platform.messages, QStringList { kTooMany });
}

// The spin edit stands inside the caption's blanks, the button after the caption,
// all within the panel; the legend's two lines fit their panel.
void tst_ChartPages::queryPanelsLineUp()
{
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    form.resize(1280, 800);
    ColumnLabel* labels[] = { form.label4, form.label5, form.label6, form.label7, form.label10, form.label9 };
    for (int page = 0; page < 6; ++page) {
        form.showPage(form.gridPctl, page);
        ColumnLabel* label = labels[page];
        QVERIFY(label->text().startsWith(QStringLiteral("统计最近         期的")));
        const QRect spin = form.chartSpinEdits()[page]->geometry();
        const QRect button = form.chartGoBts()[page]->geometry();
        const QWidget* panel = form.chartPanelTops[page];
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
    QCOMPARE(form.label8->text().split(QLatin1Char('\n')).first(),
        QStringLiteral("    1、组选：A、全偶；B、两偶一奇；C、一偶两奇；D、全奇。"));
    QCOMPARE(form.label33->text().split(QLatin1Char('\n')),
        (QStringList { QStringLiteral("    1、组选：A、全小；B、两小一大；C、一小两大；D、全大。"),
            QStringLiteral("    "
                           "2、单选：A、小小小；B、小小大；C、小大小；D、小大大；E、大小小；F、大小大；G、大"
                           "大小；H、大大大 。") }));
    for (const QLabel* legend : { form.label8, form.label33 }) {
        const QWidget* panel = legend->parentWidget();
        QVERIFY(legend->geometry().bottom() < panel->height());
        QVERIFY(legend->geometry().right() < panel->width());
        QCOMPARE(legend->sizeHint().height(), legend->height());
    }
}

void tst_ChartPages::snapshots_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QSize>("size");
    const char* names[] = { "trend", "kline", "sum", "tail", "oddeven", "bigsmall" };
    for (int i = 0; i < 6; ++i) {
        QTest::addRow("%s-wide", names[i]) << i << QSize(1280, 800);
        QTest::addRow("%s-small", names[i]) << i << QSize(789, 584);
    }
}

// Every chart page over the real history; at a maximised size the whole grid is in view.
void tst_ChartPages::snapshots()
{
    QFETCH(int, page);
    QFETCH(QSize, size);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), readFile(QStringLiteral(VELMORA_DATA_DIR "/3d-history.txt"))));
    MainWindow& form = f.startShown();
    form.resize(size);
    QTest::keyClick(&form, kMenuKeys[page], Qt::ControlModifier);
    QTest::qWait(50);
    GridView* net = form.chartNets()[page];
    QCOMPARE(net->model().dynRows(), 31);
    QCOMPARE(f.platform.messages, QStringList());
    if (size.width() >= 1280)
        QVERIFY2(net->model().gridRect().right <= net->viewport()->width(),
            qPrintable(QStringLiteral("grid %1 wide, view %2")
                           .arg(net->model().gridRect().right)
                           .arg(net->viewport()->width())));

    const QString dir = qEnvironmentVariable("VELMORA_SNAPSHOT_DIR");
    if (dir.isEmpty())
        return;
    QVERIFY(QDir().mkpath(dir));
    QVERIFY(form.grab().save(
        dir + QStringLiteral("/chartpage-%1.png").arg(QString::fromLatin1(QTest::currentDataTag()))));
}

QTEST_MAIN(tst_ChartPages)
#include "tst_ChartPages.moc"
