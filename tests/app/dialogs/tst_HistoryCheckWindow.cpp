// The history-check window driven by real keys and clicks: N, conditions,
// the tables, the summary and the CSV export; it also writes a snapshot.
#include "TempDir.h"
#include "app/FakePlatform.h"
#include "app/HistoryDocument.h"
#include "app/dialogs/HistoryCheckWindow.h"
#include "core/ShrinkTestSupport.h"
#include "core/draw/DrawText.h"
#include "core/game/Game.h"

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRawFont>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

using velmora::HistoryCheckWindow;
using velmora::test::TempDir;

namespace {

// The hand-worked five draws of the core tests: hundreds {0..4} and 近期开奖3 {0}.
velmora::FilterConditions HandWorkedConditions()
{
    velmora::FilterConditions fc;
    for (int d = 0; d <= 4; ++d)
        fc.positionDigits[0][d] = true;
    fc.recentHits[2][0] = true;
    return fc;
}

// The draws as the data text the history document parses.
QString TextOf(const velmora::DrawHistory& draws)
{
    QString text;
    for (const velmora::DrawRecord& draw : draws)
        text += QString::fromStdString(velmora::formatDrawLine(velmora::game3d(), draw)) + QLatin1Char('\n');
    return text;
}

QString Cell(QTableView* table, int row, int col)
{
    return table->model()->index(row, col).data().toString();
}

QString RowText(QTableView* table, int row)
{
    QStringList cells;
    for (int col = 0; col < table->model()->columnCount(); ++col)
        cells << Cell(table, row, col);
    return cells.join(QLatin1Char('|'));
}

} // namespace

class tst_HistoryCheckWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsTheHandWorkedCheck();
    void typingNRerunsIt();
    void conditionsAndHistoryRerunIt();
    void exportsTheCliCsv();
    void exportFailureIsShown();
    void emptyHistory();
    void placedBeside_data();
    void placedBeside();
    void snapshot();

private:
    void typeDrawCount(const QString& text);

    FakePlatform* m_platform = nullptr;
    velmora::HistoryDocument* m_history = nullptr;
    HistoryCheckWindow* m_window = nullptr;
    QSpinBox* m_count = nullptr;
    QTableView* m_draws = nullptr;
    QTableView* m_units = nullptr;
};

void tst_HistoryCheckWindow::init()
{
    m_platform = new FakePlatform;
    m_history = new velmora::HistoryDocument(velmora::game3d(), QString(), nullptr);
    m_history->setText(TextOf(velmora::test::DrawsOf({ 123, 567, 408, 448, 955 })));
    m_window = new HistoryCheckWindow(*m_platform, *m_history);
    m_window->setConditions(HandWorkedConditions(), {});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_count = m_window->findChild<QSpinBox*>(QStringLiteral("drawCountEdit"));
    m_draws = m_window->findChild<QTableView*>(QStringLiteral("drawTable"));
    m_units = m_window->findChild<QTableView*>(QStringLiteral("unitTable"));
    QVERIFY(m_count && m_draws && m_units);
    // Both models are checked on every reset every test below causes.
    for (QTableView* table : { m_draws, m_units })
        new QAbstractItemModelTester(
            table->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, m_window);
}

void tst_HistoryCheckWindow::cleanup()
{
    delete m_window;
    delete m_history;
    delete m_platform;
}

void tst_HistoryCheckWindow::typeDrawCount(const QString& text)
{
    m_count->setFocus();
    QTest::keyClick(m_count, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(m_count, text);
}

void tst_HistoryCheckWindow::showsTheHandWorkedCheck()
{
    QCOMPARE(m_count->value(), HistoryCheckWindow::kDefaultDrawCount);
    // 100 is above the five draws: every draw, newest first.
    QCOMPARE(m_draws->model()->rowCount(), 5);
    QCOMPARE(RowText(m_draws, 0), QStringLiteral("2026005|955|256|✗|百位"));
    QCOMPARE(RowText(m_draws, 1), QStringLiteral("2026004|448|147|✗|近期开奖3"));
    QCOMPARE(RowText(m_draws, 2), QStringLiteral("2026003|408|245|✓|"));
    QCOMPARE(RowText(m_draws, 4), QStringLiteral("2026001|123|500|✓|"));
    QCOMPARE(m_draws->model()->index(2, 3).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 0));
    QCOMPARE(m_draws->model()->index(0, 3).data(Qt::ForegroundRole).value<QColor>(), QColor(220, 0, 0));
    QCOMPARE(m_draws->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("未通过的条件"));
    // Both marks come from the one font of their column.
    const auto markFont = m_draws->model()->index(0, 3).data(Qt::FontRole).value<QFont>();
    QCOMPARE(m_draws->model()->index(2, 3).data(Qt::FontRole).value<QFont>(), markFont);
    const QRawFont raw = QRawFont::fromFont(markFont);
    QVERIFY(raw.supportsCharacter(QChar(0x2713)) && raw.supportsCharacter(QChar(0x2717)));

    QCOMPARE(m_units->model()->rowCount(), 2);
    QCOMPARE(RowText(m_units, 0), QStringLiteral("近期开奖3|4|3|75.0%|0|1"));
    QCOMPARE(RowText(m_units, 1), QStringLiteral("百位|5|3|60.0%|1|1"));
    QCOMPARE(m_window->summaryText(),
        QStringLiteral("验证5期，命中2期，命中率40.0%（随机24.9%），平均注数249.2，最少98注，最多500注\n"
                       "投入2492元，奖金2080元，盈亏-412元，回报率83.5%"));
}

void tst_HistoryCheckWindow::typingNRerunsIt()
{
    typeDrawCount(QStringLiteral("2"));
    QCOMPARE(m_count->value(), 2);
    QCOMPARE(m_draws->model()->rowCount(), 2);
    QCOMPARE(Cell(m_draws, 1, 0), QStringLiteral("2026004"));
    QCOMPARE(m_window->summaryText(),
        QStringLiteral("验证2期，命中0期，命中率0.0%（随机20.2%），平均注数201.5，最少147注，最多256注\n"
                       "投入806元，奖金0元，盈亏-806元，回报率0.0%"));
    QCOMPARE(RowText(m_units, 0), QStringLiteral("近期开奖3|2|1|50.0%|0|1"));

    QTest::keyClick(m_count, Qt::Key_Up);
    QCOMPARE(m_draws->model()->rowCount(), 3);
    QVERIFY(m_window->summaryText().startsWith(QStringLiteral("验证3期，命中1期")));
}

void tst_HistoryCheckWindow::conditionsAndHistoryRerunIt()
{
    // Tolerance 0-1: each draw fails at most one of the two units, so all hit.
    m_window->setConditions(HandWorkedConditions(), { 0, 1 });
    QCOMPARE(m_window->summaryText(),
        QStringLiteral("验证5期，命中5期，命中率100.0%（随机75.9%），平均注数759.0，最少598注，最多1000注\n"
                       "投入7590元，奖金5200元，盈亏-2390元，回报率68.5%"));
    QCOMPARE(Cell(m_draws, 1, 3), QStringLiteral("✓"));

    velmora::FilterConditions types;
    types.codeTypes[2] = true; // only 豹子
    m_window->setConditions(types, {});
    QCOMPARE(m_units->model()->rowCount(), 1);
    QCOMPARE(RowText(m_units, 0), QStringLiteral("类型|5|0|0.0%|5|5"));
    QCOMPARE(Cell(m_draws, 0, 2), QStringLiteral("10"));

    m_history->setText(TextOf(velmora::test::DrawsOf({ 123, 777 })));
    QCOMPARE(m_draws->model()->rowCount(), 2);
    QCOMPARE(RowText(m_units, 0), QStringLiteral("类型|2|1|50.0%|0|1"));
}

void tst_HistoryCheckWindow::exportsTheCliCsv()
{
    TempDir dir;
    typeDrawCount(QStringLiteral("2"));
    const QString drawsPath = QString::fromStdString(dir.File("draws.csv"));
    m_platform->saveNameAnswer = drawsPath;
    auto* exportDraws = m_window->findChild<QPushButton*>(QStringLiteral("exportDrawsButton"));
    auto* exportUnits = m_window->findChild<QPushButton*>(QStringLiteral("exportUnitsButton"));
    QTest::mouseClick(exportDraws, Qt::LeftButton);
    // Oldest first, as velmora-cli prints them, behind a UTF-8 byte-order mark.
    QCOMPARE(velmora::test::ReadBytes(dir.File("draws.csv")),
        std::string("\xEF\xBB\xBF"
                    "期号,开奖号,注数,命中,未通过\n"
                    "2026004,448,147,0,近期开奖3\n"
                    "2026005,955,256,0,百位\n"));

    m_platform->saveNameAnswer = QString::fromStdString(dir.File("units.csv"));
    QTest::mouseClick(exportUnits, Qt::LeftButton);
    QCOMPARE(velmora::test::ReadBytes(dir.File("units.csv")),
        std::string("\xEF\xBB\xBF"
                    "条件,验证期数,通过期数,通过率,当前连续未通过,最大连续未通过\n"
                    "近期开奖3,2,1,50.0%,0,1\n"
                    "百位,2,1,50.0%,1,1\n"));

    // Cancelling the dialog writes nothing.
    m_platform->saveNameAnswer.clear();
    QTest::mouseClick(exportUnits, Qt::LeftButton);
    QCOMPARE(QDir(QString::fromStdString(dir.path().string())).entryList(QDir::Files).size(), 2);
    QCOMPARE(m_platform->messages, QStringList());
}

void tst_HistoryCheckWindow::exportFailureIsShown()
{
    TempDir dir;
    m_platform->saveNameAnswer = QString::fromStdString(dir.File("missing/folder.csv"));
    QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("exportDrawsButton")), Qt::LeftButton);
    QCOMPARE(m_platform->messages.size(), 1);
    QVERIFY(m_platform->messages.at(0).startsWith(QStringLiteral("无法写入文件")));
}

void tst_HistoryCheckWindow::emptyHistory()
{
    m_history->setText(QString());
    QCOMPARE(m_draws->model()->rowCount(), 0);
    QCOMPARE(m_units->model()->rowCount(), 0);
    QCOMPARE(m_window->summaryText(), QStringLiteral("没有开奖数据，无法验证!"));
    QVERIFY(!m_window->findChild<QPushButton*>(QStringLiteral("exportDrawsButton"))->isEnabled());
}

void tst_HistoryCheckWindow::placedBeside_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QPoint>("expected");
    // A 620 x 700 window on a screen area of 1920 x 1040 starting at (0, 40).
    QTest::newRow("room on the right") << QRect(100, 100, 800, 600) << QPoint(900, 100);
    QTest::newRow("right edge exactly") << QRect(500, 100, 800, 600) << QPoint(1300, 100);
    QTest::newRow("room only on the left") << QRect(1000, 100, 800, 600) << QPoint(380, 100);
    QTest::newRow("room on neither side") << QRect(400, 100, 1200, 600) << QPoint(1300, 100);
    QTest::newRow("above the area's top") << QRect(100, 0, 800, 600) << QPoint(900, 40);
    QTest::newRow("low on the screen") << QRect(100, 700, 800, 300) << QPoint(900, 380);
}

void tst_HistoryCheckWindow::placedBeside()
{
    QFETCH(QRect, anchor);
    QFETCH(QPoint, expected);
    QCOMPARE(HistoryCheckWindow::placeBeside(anchor, QSize(620, 700), QRect(0, 40, 1920, 1040)), expected);
    // A window wider than the area starts at its left edge.
    QCOMPARE(HistoryCheckWindow::placeBeside(anchor, QSize(2000, 700), QRect(0, 40, 1920, 1040)).x(), 0);
}

void tst_HistoryCheckWindow::snapshot()
{
    const QString folder = qEnvironmentVariable("VELMORA_SNAPSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("VELMORA_SNAPSHOT_DIR is not set");
    const velmora::DrawHistory real = velmora::test::RealHistory();
    if (real.empty())
        QSKIP("no real history");
    velmora::FilterConditions fc;
    fc.recentHits[2] = { true, true, false, false };
    fc.sums.fill(true);
    fc.sums[0] = fc.sums[1] = fc.sums[26] = fc.sums[27] = false;
    fc.digitsOut = "4";
    fc.codeTypes = { true, true, false };
    fc.hitGroups[0] = { "1359", { false, true, true, false } };
    m_history->setText(TextOf(real));
    m_window->setConditions(fc, {});
    QApplication::processEvents();
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(m_window->grab().save(QDir(folder).filePath(QStringLiteral("history-check.png"))));
}

QTEST_MAIN(tst_HistoryCheckWindow)
#include "tst_HistoryCheckWindow.moc"
