// "添加投注": the next issue filled in, 注数 and 金额 live, every refusal beside its
// field, and the ticket it gives.
#include "app/dialogs/AddTicketDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using velmora::AddTicketDialog;

namespace {

const velmora::DrawHistory kHistory = { { 2026, 175, 0, 111, 0, 0 }, { 2026, 176, 0, 269, 0, 0 } };

template <typename T> T* Part(QWidget* dialog, const char* name)
{
    return dialog->findChild<T*>(QLatin1String(name));
}

void ClickOk(QDialog& dialog)
{
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

void TypeCodes(QDialog& dialog, const QString& text)
{
    auto* codes = Part<QPlainTextEdit>(&dialog, "codesEdit");
    codes->selectAll();
    QTest::keyClick(codes, Qt::Key_Backspace);
    QTest::keyClicks(codes, text);
}

} // namespace

class tst_AddTicketDialog : public QObject {
    Q_OBJECT

private slots:
    void costFollowsTheFields();
    void refusals_data();
    void refusals();
    void givesTheTicket();
    void enterConfirms_data();
    void enterConfirms();
};

void tst_AddTicketDialog::costFollowsTheFields()
{
    AddTicketDialog dialog(kHistory, 2026);
    dialog.show();
    QCOMPARE(Part<QLineEdit>(&dialog, "issueEdit")->text(), QStringLiteral("2026177"));
    auto* cost = Part<QLabel>(&dialog, "costLabel");
    QCOMPARE(cost->text(), QStringLiteral("0注，共0元"));
    TypeCodes(dialog, QStringLiteral("123 321 456"));
    QCOMPARE(cost->text(), QStringLiteral("3注，共6元"));
    auto* multiple = Part<QSpinBox>(&dialog, "multipleEdit");
    multiple->selectAll();
    QTest::keyClicks(multiple, QStringLiteral("5"));
    QCOMPARE(cost->text(), QStringLiteral("3注，共30元"));
    // 123 and 321 are one group.
    Part<QComboBox>(&dialog, "playBox")->setCurrentIndex(1);
    QCOMPARE(cost->text(), QStringLiteral("2注，共20元"));
}

void tst_AddTicketDialog::refusals_data()
{
    QTest::addColumn<QString>("issue");
    QTest::addColumn<int>("play");
    QTest::addColumn<QString>("codes");
    QTest::addColumn<QString>("issueError");
    QTest::addColumn<QString>("codesError");
    QTest::newRow("short issue") << QStringLiteral("202617") << 0 << QStringLiteral("123")
                                 << QStringLiteral("期号应为7位数字：4位年份加3位期数") << QString();
    QTest::newRow("issue 000") << QStringLiteral("2026000") << 0 << QStringLiteral("123")
                               << QStringLiteral("期数应在001到999之间") << QString();
    QTest::newRow("no codes") << QStringLiteral("2026177") << 0 << QStringLiteral(" , ;") << QString()
                              << QStringLiteral("没有号码");
    QTest::newRow("items that are no codes")
        << QStringLiteral("2026177") << 1 << QStringLiteral("000 1234,12a") << QString()
        << QStringLiteral("号码有误：1234、12a");
    QTest::newRow("豹子 as 组选") << QStringLiteral("2026177") << 1 << QStringLiteral("111 123 000")
                                  << QString() << QStringLiteral("豹子号码不能按组选投注：000,111");
}

void tst_AddTicketDialog::refusals()
{
    QFETCH(QString, issue);
    QFETCH(int, play);
    QFETCH(QString, codes);
    QFETCH(QString, issueError);
    QFETCH(QString, codesError);
    AddTicketDialog dialog(kHistory, 2026);
    dialog.show();
    auto* issueEdit = Part<QLineEdit>(&dialog, "issueEdit");
    issueEdit->selectAll();
    QTest::keyClicks(issueEdit, issue);
    Part<QComboBox>(&dialog, "playBox")->setCurrentIndex(play);
    TypeCodes(dialog, codes);
    ClickOk(dialog);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(Part<QLabel>(&dialog, "issueError")->text(), issueError);
    QCOMPARE(Part<QLabel>(&dialog, "codesError")->text(), codesError);
}

void tst_AddTicketDialog::givesTheTicket()
{
    AddTicketDialog dialog({}, 2026);
    dialog.show();
    velmora::CodeSet codes;
    codes[830] = codes[38] = codes[308] = 1;
    dialog.setCodes(codes);
    Part<QComboBox>(&dialog, "playBox")->setCurrentIndex(1);
    // Chinese comes through the input method, as a whole word.
    Part<QLineEdit>(&dialog, "noteEdit")->insert(QStringLiteral("周末"));
    ClickOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const velmora::Ticket& ticket = dialog.ticket();
    QCOMPARE(ticket.issue, 2026001);
    QVERIFY(ticket.play == velmora::Play::Group);
    QCOMPARE(ticket.bets, std::vector<int> { 38 });
    QCOMPARE(ticket.multiple, 1);
    QCOMPARE(ticket.note, std::string("周末"));
}

void tst_AddTicketDialog::enterConfirms_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter in the codes") << QStringLiteral("codesEdit") << int(Qt::Key_Return) << 0;
    QTest::newRow("Ctrl+Enter in the codes")
        << QStringLiteral("codesEdit") << int(Qt::Key_Return) << int(Qt::ControlModifier);
    QTest::newRow("keypad Enter in the codes")
        << QStringLiteral("codesEdit") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Enter in the note") << QStringLiteral("noteEdit") << int(Qt::Key_Return) << 0;
}

// Enter confirms from any field; in the codes box it breaks no line.
void tst_AddTicketDialog::enterConfirms()
{
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    AddTicketDialog dialog(kHistory, 2026);
    dialog.show();
    TypeCodes(dialog, QStringLiteral("123 456"));
    QTest::keyClick(dialog.findChild<QWidget*>(field), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Part<QPlainTextEdit>(&dialog, "codesEdit")->toPlainText(), QStringLiteral("123 456"));
    QCOMPARE(dialog.ticket().bets, (std::vector<int> { 123, 456 }));
}

QTEST_MAIN(tst_AddTicketDialog)
#include "tst_AddTicketDialog.moc"
