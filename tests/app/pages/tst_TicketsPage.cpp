// 我的投注: adding through the dialog, the table, settling when the history changes,
// the totals and the plot's points and axes, the range, deleting (asked first), the
// CSV, the detail pane, copies to the next issue and 追号, the monthly totals.
#include "app/FakePlatform.h"
#include "app/pages/ProfitPlot.h"
#include "app/pages/TicketMonths.h"
#include "app/pages/TicketTableModel.h"
#include "app/pages/TicketsPage.h"
#include "core/ledger/Ledger.h"
#include "core/ledger/TicketText.h"
#include "support/Snapshots.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include <QAbstractItemModelTester>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <sqlite3.h>

using velmora::Play;
using velmora::ProfitPlot;
using velmora::TicketsPage;
using Column = velmora::TicketTableModel::Column;
using velmora::test::clickToolButton;
using velmora::test::find;

namespace {

velmora::DrawRecord Draw(int key, int code) { return { key / 1000, key % 1000, 0, code, 0, 0 }; }

QString Cell(QTableView* table, int row, int col)
{
    return table->model()->index(row, col).data().toString();
}

// The plot's points as (issue, 盈亏, average 盈亏 in thousandths).
QList<QList<long long>> Points(const ProfitPlot* plot)
{
    QList<QList<long long>> points;
    for (const velmora::ProfitPoint& p : plot->points())
        points << QList<long long> { p.issue, p.profit, p.expectedProfitMilli };
    return points;
}

void ClickRow(QTableView* table, int row, bool twice = false)
{
    const QPoint at = table->visualRect(table->model()->index(row, 0)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class tst_TicketsPage : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void addsThroughTheDialog();
    void waitsForABusyLedgerAndKeepsAFailedTicket();
    void settlesWhenTheHistoryChanges();
    void rangeTotalsAndExport();
    void deleteAsks();
    void plotAxesAreIssuesAndWholeYuan();
    void numbersInTheTableAndTheDetailPane();
    void chaseOfFiveIssuesSettledAsDrawsArrive();
    void monthlyTotalsByEntryMonth();
    void snapshot();

private:
    // Records a ticket as the CLI would.
    void record(int issue, Play play, std::vector<int> bets, int multiple = 1);

    QTemporaryDir* m_dir = nullptr;
    FakePlatform* m_platform = nullptr;
    velmora::DrawHistory m_history;
    TicketsPage* m_page = nullptr;
    QTableView* m_table = nullptr;
    QStringList m_status;
};

void tst_TicketsPage::init()
{
    m_dir = new QTemporaryDir;
    m_platform = new FakePlatform;
    m_history = { Draw(2026001, 830), Draw(2026002, 121), Draw(2026003, 111) };
    m_page = new TicketsPage(
        *m_platform, m_dir->filePath(QStringLiteral("velmora.db")),
        [this]() -> const velmora::DrawHistory& { return m_history; }, nullptr);
    m_page->resize(789, 520);
    m_status.clear();
    connect(m_page, &TicketsPage::statusTextChanged, this, [this](const QString& text) { m_status << text; });
    // The table is made when the page first shows.
    QVERIFY(m_page->findChild<QTableView*>() == nullptr);
    m_page->show();
    m_table = find<QTableView>(m_page, QStringLiteral("ticketTable"));
    new QAbstractItemModelTester(
        m_table->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, m_page);
    QVERIFY(QTest::qWaitForWindowExposed(m_page));
}

void tst_TicketsPage::cleanup()
{
    delete m_page;
    delete m_platform;
    delete m_dir;
}

void tst_TicketsPage::record(int issue, Play play, std::vector<int> bets, int multiple)
{
    velmora::Ticket ticket;
    ticket.issue = issue;
    ticket.play = play;
    ticket.bets = std::move(bets);
    ticket.multiple = multiple;
    velmora::Ledger(m_dir->filePath(QStringLiteral("velmora.db")).toStdString())
        .add(velmora::game3d(), ticket);
}

void tst_TicketsPage::addsThroughTheDialog()
{
    QString issueOffered;
    m_platform->dialogScript = [&](QDialog& dialog) {
        issueOffered = find<QLineEdit>(&dialog, QStringLiteral("issueEdit"))->text();
        QTest::keyClicks(
            find<QPlainTextEdit>(&dialog, QStringLiteral("codesEdit")), QStringLiteral("830 123"));
        auto* multiple = find<QSpinBox>(&dialog, QStringLiteral("multipleEdit"));
        multiple->selectAll();
        QTest::keyClicks(multiple, QStringLiteral("2"));
        QTest::mouseClick(
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        return dialog.result();
    };
    clickToolButton(m_page, QStringLiteral("添加投注"));
    QCOMPARE(m_platform->dialogsRun, QStringList { QStringLiteral("添加投注") });
    QCOMPARE(issueOffered, QStringLiteral("2026004"));
    QCOMPARE(m_status.last(), QStringLiteral("已记入第1号投注：2026004期，直选2注，2倍，共8元"));
    QCOMPARE(m_table->model()->rowCount(), 1);
    QCOMPARE(Cell(m_table, 0, Column::Issue), QStringLiteral("2026004"));
    QCOMPARE(Cell(m_table, 0, Column::Status), QStringLiteral("待开奖"));
}

void tst_TicketsPage::waitsForABusyLedgerAndKeepsAFailedTicket()
{
    record(2026001, Play::Direct, { 830 });
    const QString path = m_dir->filePath(QStringLiteral("velmora.db"));
    // Another program holds the ledger for writing.
    sqlite3* other = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    m_page->setBusyWait(400);
    bool answeredWhileWaiting = false;
    m_platform->dialogScript = [&](QDialog& dialog) {
        // QtTest's checks return from a function of no value.
        [&] {
            auto* codes = find<QPlainTextEdit>(&dialog, QStringLiteral("codesEdit"));
            auto* status = find<QLabel>(&dialog, QStringLiteral("recordStatus"));
            auto* buttons = dialog.findChild<QDialogButtonBox*>();
            QTest::keyClicks(codes, QStringLiteral("123 456"));
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
            // The event loop runs while the dialog waits: a timer of the window fires.
            bool fired = false;
            QTimer::singleShot(0, &dialog, [&] { fired = true; });
            QTRY_VERIFY(fired);
            answeredWhileWaiting = status->text() == QStringLiteral("正在等待数据库…");
            // The wait runs out: the reason is shown, the dialog and its codes stay.
            QTRY_COMPARE(status->text(), QStringLiteral("无法读取文件%1：数据库正被占用").arg(path));
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(codes->toPlainText(), QStringLiteral("123 456"));

            // 取消 while waiting stops the wait only.
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
            QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
            QCOMPARE(status->text(), QStringLiteral("已停止等待数据库，投注未记入"));
            QCOMPARE(dialog.result(), int(QDialog::Rejected));

            // Released, the same ticket goes in.
            sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
            QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
        }();
        return dialog.result();
    };
    clickToolButton(m_page, QStringLiteral("添加投注"));
    sqlite3_close(other);
    QVERIFY(answeredWhileWaiting);
    QCOMPARE(m_status.last(), QStringLiteral("已记入第2号投注：2026004期，直选2注，1倍，共4元"));
    QCOMPARE(m_table->model()->rowCount(), 2);

    // A file that is no ledger: the reason, and the dialog keeps what was typed.
    velmora::test::writeFile(path, QByteArray("not a ledger"));
    m_platform->dialogScript = [&](QDialog& dialog) {
        [&] {
            QTest::keyClicks(
                find<QPlainTextEdit>(&dialog, QStringLiteral("codesEdit")), QStringLiteral("789"));
            QTest::mouseClick(
                dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
            QCOMPARE(find<QLabel>(&dialog, QStringLiteral("recordStatus"))->text(),
                QStringLiteral("无法读取文件%1：不是投注记录数据库").arg(path));
            QCOMPARE(find<QPlainTextEdit>(&dialog, QStringLiteral("codesEdit"))->toPlainText(),
                QStringLiteral("789"));
        }();
        return dialog.result();
    };
    clickToolButton(m_page, QStringLiteral("添加投注"));
    QCOMPARE(m_status.size(), 1);
}

void tst_TicketsPage::settlesWhenTheHistoryChanges()
{
    record(2026004, Play::Direct, { 123, 456 }, 3);
    record(2026004, Play::Group, { 11 });
    record(2026002, Play::Group, { 112 });
    m_page->refreshView();
    QCOMPARE(Cell(m_table, 0, Column::Status), QStringLiteral("待开奖"));

    // 2026004 comes in as 123: the first ticket wins 3 × 1040, the group 011 does not.
    m_history.push_back(Draw(2026004, 123));
    m_page->historyChanged({ m_history.back() });
    QTRY_COMPARE(m_status.size(), 1);
    QCOMPARE(m_status.last(), QStringLiteral("第2026004期：1张投注中奖，奖金3120元"));
    // Newest issue first, the latest entered first within it.
    QCOMPARE(Cell(m_table, 0, 0), QStringLiteral("2"));
    QCOMPARE(Cell(m_table, 1, 0), QStringLiteral("1"));
    QCOMPARE(Cell(m_table, 1, Column::DrawCode), QStringLiteral("123"));
    QCOMPARE(Cell(m_table, 1, Column::Status), QStringLiteral("中奖"));
    QCOMPARE(Cell(m_table, 1, Column::Prize), QStringLiteral("3120"));
    QVERIFY(m_table->model()->index(1, 0).data(Qt::BackgroundRole).isValid());
    QVERIFY(!m_table->model()->index(0, 0).data(Qt::BackgroundRole).isValid());

    // Staked 12 + 2 + 2; won 3120 + 346.
    QCOMPARE(find<QLabel>(m_page, QStringLiteral("totalsLabel"))->text(),
        QStringLiteral("投入16元，奖金3466元，盈亏3450元，回报率21662.5%"));
    QCOMPARE(find<QLabel>(m_page, QStringLiteral("longRunLabel"))->text(),
        QStringLiteral("长期平均回报率52.0%（同样投入平均返还8.3元）"));
    // From nothing: 2026002 (+344, average 1.038 − 2), then 2026004 (+3106, average 7.278 − 14).
    QCOMPARE(Points(find<ProfitPlot>(m_page, QStringLiteral("profitPlot"))),
        (QList<QList<long long>> { { 2026002, 344, -962 }, { 2026004, 3450, -7684 } }));

    // A correction settles again; a change of no ticket's draw says nothing.
    m_history.back().drawCode = 456;
    m_page->historyChanged({ m_history.back() });
    QTRY_COMPARE(m_status.size(), 2);
    QCOMPARE(m_status.last(), QStringLiteral("第2026004期：1张投注中奖，奖金3120元"));
    m_history.back().drawCode = 789;
    m_page->historyChanged({ m_history.back() });
    QTRY_COMPARE(m_status.size(), 3);
    QCOMPARE(m_status.last(), QStringLiteral("第2026004期：投注未中奖"));
    m_history.push_back(Draw(2026005, 1));
    m_page->historyChanged({ m_history.back() });
    QTest::qWait(20);
    QCOMPARE(m_status.size(), 3);
}

void tst_TicketsPage::rangeTotalsAndExport()
{
    record(2026001, Play::Direct, { 830 });
    record(2026002, Play::Direct, { 1, 2 }, 2);
    record(2026003, Play::Group, { 38 });
    auto* from = find<QLineEdit>(m_page, QStringLiteral("fromEdit"));
    QTest::keyClicks(from, QStringLiteral("2026002"));
    QTest::keyClick(from, Qt::Key_Return);
    QCOMPARE(m_table->model()->rowCount(), 2);
    QCOMPARE(m_page->totals().staked, 10);

    const QString file = m_dir->filePath(QStringLiteral("tickets.csv"));
    m_platform->saveNameAnswer = file;
    clickToolButton(m_page, QStringLiteral("导出CSV"));
    const std::vector<velmora::Ticket> tickets = velmora::readLedger(
        m_dir->filePath(QStringLiteral("velmora.db")).toStdString(), velmora::game3d(), { 2026002, 9999999 });
    QCOMPARE(velmora::test::readFile(file),
        QByteArray("\xEF\xBB\xBF")
            + QByteArray::fromStdString(
                velmora::ticketsListCsv(tickets, velmora::settleTickets(tickets, m_history))));
    QVERIFY(velmora::test::readFile(file).contains("3,2026003,组选,1,1,2,111,未中奖,0,0,,038\n"));
}

void tst_TicketsPage::deleteAsks()
{
    record(2026001, Play::Direct, { 830 });
    record(2026002, Play::Direct, { 1 });
    m_page->refreshView();
    QTest::mouseClick(
        m_table->viewport(), Qt::LeftButton, {}, m_table->visualRect(m_table->model()->index(1, 0)).center());
    m_platform->confirmAnswer = false;
    clickToolButton(m_page, QStringLiteral("删除"));
    QCOMPARE(m_platform->confirmations, QStringList { QStringLiteral("确定删除第1号投注吗？") });
    QCOMPARE(m_table->model()->rowCount(), 2);
    m_platform->confirmAnswer = true;
    clickToolButton(m_page, QStringLiteral("删除"));
    QCOMPARE(m_table->model()->rowCount(), 1);
    QCOMPARE(Cell(m_table, 0, 0), QStringLiteral("2"));
    QCOMPARE(m_status.last(), QStringLiteral("已删除第1号投注"));
}

void tst_TicketsPage::plotAxesAreIssuesAndWholeYuan()
{
    // Nothing drawn yet: no axis at all, never a scale of nothing.
    auto* plot = find<ProfitPlot>(m_page, QStringLiteral("profitPlot"));
    QVERIFY(plot->yTicks().empty());
    QVERIFY(plot->xLabels().isEmpty());

    record(2026001, Play::Direct, { 830 });
    record(2026003, Play::Direct, { 5 });
    m_page->refreshView();
    QCOMPARE(plot->xLabels(), (QStringList { QStringLiteral("2026001"), QStringLiteral("2026003") }));
    QVERIFY(plot->yTicks().front() <= 0 && plot->yTicks().back() >= 1000);
    QCOMPARE(plot->font(), m_page->font());

    // Any range: whole yuan at a step of 1, 2 or 5 times a power of ten, every multiple
    // of it in the range and no more than six, the step the smallest of these.
    QRandomGenerator random(7);
    for (int i = 0; i < 2000; ++i) {
        const double low = random.bounded(2.0e6) - 1.0e6;
        const double high = low + 2 + random.bounded(i % 2 == 0 ? 10.0 : 1.0e5);
        const std::vector<long long> ticks = velmora::yuanTicks(low, high);
        QVERIFY(ticks.size() >= 2 && ticks.size() <= 6);
        long long step = ticks[1] - ticks[0];
        QVERIFY(double(ticks.front() - step) < low && double(ticks.back() + step) > high);
        QVERIFY(double(ticks.front()) >= low && double(ticks.back()) <= high);
        for (std::size_t t = 1; t < ticks.size(); ++t)
            QCOMPARE(ticks[t] - ticks[t - 1], step);
        QVERIFY(5.0 * double(step) >= high - low);
        const long long whole = step;
        while (step % 10 == 0)
            step /= 10;
        QVERIFY2(step == 1 || step == 2 || step == 5, qPrintable(QString::number(whole)));
        // The next smaller such step would part the range in more than five.
        const long long smaller = step == 1 ? whole / 2 : step == 2 ? whole / 2 : whole * 2 / 5;
        QVERIFY(whole == 1 || 5.0 * double(smaller) < high - low);
    }
}

void tst_TicketsPage::numbersInTheTableAndTheDetailPane()
{
    std::vector<int> many;
    for (int code = 100; code < 130; ++code)
        many.push_back(code);
    many.push_back(830);
    record(2026001, Play::Direct, many, 2);
    m_page->refreshView();
    QCOMPARE(Cell(m_table, 0, Column::Numbers),
        QStringLiteral("100,101,102,103,104,105,106,107,108,109,110,111…"));
    const QString tip = m_table->model()->index(0, Column::Numbers).data(Qt::ToolTipRole).toString();
    QCOMPARE(tip.count(QLatin1Char('\n')), 3);
    QVERIFY(tip.endsWith(QStringLiteral("\n830")));

    // A double-click puts the focus on the detail, where the winning code is marked.
    ClickRow(m_table, 0, true);
    auto* detail = find<QTextBrowser>(m_page, QStringLiteral("ticketDetail"));
    QTRY_VERIFY(detail->hasFocus());
    QVERIFY(detail->toPlainText().contains(QStringLiteral("开奖号830，中奖，奖金2080元")));
    const auto weightOf = [&](const QString& code) {
        const QTextCursor at = detail->document()->find(
            code, detail->document()->characterCount(), QTextDocument::FindBackward);
        return at.charFormat().fontWeight();
    };
    QVERIFY(weightOf(QStringLiteral("830")) >= QFont::Bold);
    QVERIFY(weightOf(QStringLiteral("129")) < QFont::Bold);
}

void tst_TicketsPage::chaseOfFiveIssuesSettledAsDrawsArrive()
{
    record(2026003, Play::Group, { 112 }, 3);
    m_page->refreshView();
    ClickRow(m_table, 0);
    // One copy goes to the next draw, 2026004.
    clickToolButton(m_page, QStringLiteral("复制到下一期"));
    QCOMPARE(m_status.last(), QStringLiteral("已记入第2号投注：2026004期，组选1注，3倍，共6元"));

    // 追号 from the copy: the five issues after it, in one go.
    ClickRow(m_table, 0);
    QCOMPARE(Cell(m_table, 0, Column::Issue), QStringLiteral("2026004"));
    QString cost;
    m_platform->dialogScript = [&](QDialog& dialog) {
        auto* count = find<QSpinBox>(&dialog, QStringLiteral("chaseCountEdit"));
        QTest::keyClicks(count, QStringLiteral("5"));
        cost = find<QLabel>(&dialog, QStringLiteral("chaseCostLabel"))->text();
        QTest::mouseClick(
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        return dialog.result();
    };
    clickToolButton(m_page, QStringLiteral("追号"));
    QCOMPARE(cost, QStringLiteral("从第2026005期起，每期6元，共30元"));
    QCOMPARE(m_status.last(), QStringLiteral("已追号5期：第2026005期至第2026009期，第3至7号投注，共30元"));
    QCOMPARE(m_table->model()->rowCount(), 7);

    // The draws come in one by one and settle their issue's ticket.
    const int draws[] = { 121, 456, 211, 999, 112 };
    const char* const outcomes[] = { "中奖", "未中奖", "中奖", "未中奖", "中奖" };
    for (int i = 0; i < 5; ++i) {
        m_history.push_back(Draw(2026005 + i, draws[i]));
        m_page->historyChanged({ m_history.back() });
        QTRY_VERIFY(m_status.last().startsWith(QStringLiteral("第%1期").arg(2026005 + i)));
        QCOMPARE(Cell(m_table, 4 - i, Column::Status), QString::fromUtf8(outcomes[i]));
    }
    QCOMPARE(m_status.last(), QStringLiteral("第2026009期：1张投注中奖，奖金1038元"));
    QCOMPARE(Cell(m_table, 5, Column::Status), QStringLiteral("待开奖"));
}

void tst_TicketsPage::monthlyTotalsByEntryMonth()
{
    const auto ticket = [](const char* entered, int multiple) {
        velmora::Ticket t;
        t.issue = 2026001;
        t.bets = { 830 };
        t.multiple = multiple;
        t.enteredAt = entered;
        return t;
    };
    const velmora::TicketResult won { velmora::TicketStatus::Won, 830, 1, 1040 };
    const velmora::TicketResult pending;
    const std::vector<velmora::MonthTotals> months
        = velmora::monthlyTotals({ ticket("2026-04-30 23:59:59", 1), ticket("2026-05-01 00:00:00", 2),
                                     ticket("2026-04-01 08:00:00", 3) },
            { won, won, pending });
    QCOMPARE(months.size(), std::size_t(2));
    QCOMPARE(months[0].month, std::string("2026-05"));
    QCOMPARE(months[0].totals.staked, 4);
    QCOMPARE(months[1].month, std::string("2026-04"));
    QCOMPARE(months[1].totals.tickets, 2);
    QCOMPARE(months[1].totals.staked, 2);
    QCOMPARE(months[1].totals.prize, 1040);

    // On the page: this month's row.
    record(2026001, Play::Direct, { 830 });
    m_page->refreshView();
    auto* table = find<QTableWidget>(m_page, QStringLiteral("monthTable"));
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("1038"));
}

void tst_TicketsPage::snapshot()
{
    for (int i = 0; i < 3; ++i) {
        record(2026001, Play::Direct, { 830, 123 }, 1 + i);
        record(2026002, Play::Group, { 112, 345, 678 });
        record(2026003, Play::Direct, { 111 });
    }
    record(2026009, Play::Direct, { 1 });
    m_page->refreshView();
    ClickRow(m_table, 4);
    QApplication::processEvents();
    QVERIFY(velmora::test::writeSnapshot(*m_page, QStringLiteral("tickets-page.png")));
}

QTEST_MAIN(tst_TicketsPage)
#include "tst_TicketsPage.moc"
