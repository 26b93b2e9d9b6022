// The window's ticket wiring: "记入投注" on a result page opens 添加投注 filled with
// that result; 添加开奖 settles the tickets of the new draw and the status bar says
// how they did; F9 shows 我的投注.
#include "app/MainWindowFixture.h"
#include "app/dialogs/ResultWindow.h"
#include "app/pages/TicketsPage.h"
#include "core/ledger/Ledger.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

using velmora::test::clickToolButton;
using velmora::test::find;

namespace {

void Retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void ClickOk(QDialog& dialog)
{
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

QTableView* Table(const MainWindowFixture& f)
{
    return find<QTableView>(find<velmora::TicketsPage>(f.window.get()), QStringLiteral("ticketTable"));
}

} // namespace

class tst_MainWindowTickets : public QObject {
    Q_OBJECT

private slots:
    void recordsAResult();
    void settlesAfterAddingADraw();
};

void tst_MainWindowTickets::recordsAResult()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(30)));
    // Still 2002: the ticket is for the draw after the latest.
    f.platform.fixedNow = QDateTime(QDate(2002, 2, 1), QTime(20, 0));
    f.startShown();
    f.trigger("showFilterPage");
    auto* digits = f.part<QLineEdit>("digitsInEdit");
    QTest::keyClicks(digits, QStringLiteral("9"));
    clickToolButton(&f.filterPage(), QStringLiteral("号码缩水"));
    const int kept = velmora::codeSetCount(f.filterPage().result());
    QVERIFY(kept > 0 && kept < 1000);

    QString cost;
    f.platform.dialogScript = [&](QDialog& dialog) {
        dialog.show();
        cost = find<QLabel>(&dialog, QStringLiteral("costLabel"))->text();
        ClickOk(dialog);
        return dialog.result();
    };
    // On the filter page it is a command of the page menu; its key reaches it.
    QTest::keyClick(f.window.get(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(f.platform.dialogsRun, QStringList { QStringLiteral("添加投注") });
    QCOMPARE(cost, QStringLiteral("%1注，共%2元").arg(kept).arg(2 * kept));
    QCOMPARE(f.window->frontArea(), f.part<QWidget>("workPages"));
    QVERIFY(find<velmora::TicketsPage>(f.window.get())->isVisible());
    QCOMPARE(Table(f)->model()->rowCount(), 1);
    QCOMPARE(Table(f)->model()->index(0, 4).data().toString(), QString::number(kept));
    QCOMPARE(f.window->statusText(0),
        QStringLiteral("已记入第1号投注：2002031期，直选%1注，1倍，共%2元").arg(kept).arg(2 * kept));

    // The result window, still shown, has the button beside the result it records.
    clickToolButton(find<velmora::ResultWindow>(f.window.get()), QStringLiteral("记入投注"));
    QCOMPARE(f.platform.dialogsRun.size(), 2);
    QCOMPARE(Table(f)->model()->rowCount(), 2);
}

void tst_MainWindowTickets::settlesAfterAddingADraw()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(10)));
    // Two tickets wait for 2002011 in the ledger beside the data file.
    velmora::Ledger ledger(f.path(QStringLiteral("velmora.db")).toStdString());
    velmora::Ticket ticket;
    ticket.issue = 2002011;
    ticket.bets = { 123, 456 };
    ticket.multiple = 2;
    ledger.add(velmora::game3d(), ticket);
    ticket.play = velmora::Play::Group;
    ticket.bets = { 123 };
    ledger.add(velmora::game3d(), ticket);

    velmora::MainWindow& form = f.startShown();
    QTest::keyClick(&form, Qt::Key_F9);
    QCOMPARE(Table(f)->model()->index(0, 8).data().toString(), QStringLiteral("待开奖"));
    f.platform.dialogScript = [](QDialog& dialog) {
        dialog.show();
        Retype(dialog.findChild<QLineEdit*>(QStringLiteral("issueEdit")), QStringLiteral("2002011"));
        Retype(dialog.findChild<QLineEdit*>(QStringLiteral("drawCodeEdit")), QStringLiteral("123"));
        Retype(dialog.findChild<QLineEdit*>(QStringLiteral("testCodeEdit")), QStringLiteral("456"));
        ClickOk(dialog);
        return dialog.result();
    };
    f.trigger("addDraw");
    QCOMPARE(int(f.history().size()), 11);
    // 直选 123 × 2 and 组选 123 × 2 on a 组六 draw.
    QTRY_COMPARE(form.statusText(0), QStringLiteral("第2002011期：2张投注中奖，奖金2426元"));
    QCOMPARE(Table(f)->model()->index(0, 8).data().toString(), QStringLiteral("中奖"));
    QCOMPARE(Table(f)->model()->index(1, 9).data().toString(), QStringLiteral("2080"));
}

QTEST_MAIN(tst_MainWindowTickets)
#include "tst_MainWindowTickets.moc"
