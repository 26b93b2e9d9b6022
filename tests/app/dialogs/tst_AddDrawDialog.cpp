// "添加开奖": the next issue filled in, every field's refusal shown beside it,
// an existing issue replaced only after the question, and the draw line it gives.
#include "app/FakePlatform.h"
#include "app/dialogs/AddDrawDialog.h"
#include "core/game/Game.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using velmora::AddDrawDialog;

namespace {

using Lines = std::vector<std::string>;

const Lines kHistory = { "2026174,111,222,0,0", "2026175,333,444,0,0", "2026176,269,547,0,0" };

QLineEdit* Edit(QWidget* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(QLatin1String(name) + QLatin1String("Edit"));
}

QLabel* Error(QWidget* dialog, const char* name)
{
    return dialog->findChild<QLabel*>(QLatin1String(name) + QLatin1String("Error"));
}

// Replaces a field's text as a user does: click into it, select all, type.
void Retype(QLineEdit* edit, const QString& text)
{
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void ClickOk(QDialog& dialog)
{
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

const char* const kFields[] = { "issue", "drawCode", "testCode", "machine", "ball" };

} // namespace

class tst_AddDrawDialog : public QObject {
    Q_OBJECT

private slots:
    void prefillsTheNextIssue_data();
    void prefillsTheNextIssue();
    void refusesBadFields_data();
    void refusesBadFields();
    void addsWithReturn();
    void asksBeforeReplacing();
    void snapshot();
};

void tst_AddDrawDialog::prefillsTheNextIssue_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("issue");
    QTest::newRow("empty history") << QStringList() << QDate(2026, 3, 1) << QStringLiteral("2026001");
    QTest::newRow("after the latest")
        << QStringList({ QStringLiteral("2026175,1,2"), QStringLiteral("2026176,269,547,0,0") })
        << QDate(2026, 7, 6) << QStringLiteral("2026177");
    QTest::newRow("the largest issue, not the last line")
        << QStringList({ QStringLiteral("2026176,269,547,0,0"), QStringLiteral("2026001,111,111,0,0") })
        << QDate(2026, 7, 6) << QStringLiteral("2026177");
    QTest::newRow("a new year") << QStringList({ QStringLiteral("2025351,111,111,0,0") }) << QDate(2026, 1, 1)
                                << QStringLiteral("2026001");
}

void tst_AddDrawDialog::prefillsTheNextIssue()
{
    QFETCH(QStringList, lines);
    QFETCH(QDate, today);
    QFETCH(QString, issue);
    FakePlatform platform;
    platform.fixedNow = QDateTime(today, QTime(21, 30));
    Lines history;
    for (const QString& line : lines)
        history.push_back(line.toStdString());
    AddDrawDialog dialog(platform, velmora::game3d(), history);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("添加开奖"));
    QCOMPARE(Edit(&dialog, "issue")->text(), issue);
    QCOMPARE(Edit(&dialog, "machine")->text(), QStringLiteral("0"));
    QCOMPARE(Edit(&dialog, "ball")->text(), QStringLiteral("0"));
}

void tst_AddDrawDialog::refusesBadFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString issueLength = QStringLiteral("期号应为7位数字：4位年份加3位期数");
    QTest::newRow("issue empty") << "issue"
                                 << "" << issueLength;
    QTest::newRow("issue six digits") << "issue"
                                      << "202617" << issueLength;
    QTest::newRow("issue eight digits") << "issue"
                                        << "20261777" << issueLength;
    QTest::newRow("issue letter") << "issue"
                                  << "20261a7" << issueLength;
    QTest::newRow("issue 000") << "issue"
                               << "2026000"
                               << "期数应在001到999之间";
    QTest::newRow("draw code empty") << "drawCode"
                                     << ""
                                     << "开奖号应为3位数字";
    QTest::newRow("draw code two digits") << "drawCode"
                                          << "12"
                                          << "开奖号应为3位数字";
    QTest::newRow("draw code four digits") << "drawCode"
                                           << "1234"
                                           << "开奖号应为3位数字";
    QTest::newRow("draw code with a blank") << "drawCode"
                                            << "1 2"
                                            << "开奖号应为3位数字";
    QTest::newRow("test code letter") << "testCode"
                                      << "45x"
                                      << "试机号应为3位数字";
    QTest::newRow("test code comma") << "testCode"
                                     << "4,5"
                                     << "试机号应为3位数字";
    QTest::newRow("machine two digits") << "machine"
                                        << "10"
                                        << "机号应为1位数字";
    QTest::newRow("machine empty") << "machine"
                                   << ""
                                   << "机号应为1位数字";
    QTest::newRow("ball minus") << "ball"
                                << "-1"
                                << "球号应为1位数字";
}

void tst_AddDrawDialog::refusesBadFields()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    FakePlatform platform;
    AddDrawDialog dialog(platform, velmora::game3d(), kHistory);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Retype(Edit(&dialog, "drawCode"), QStringLiteral("123"));
    Retype(Edit(&dialog, "testCode"), QStringLiteral("456"));
    QLineEdit* bad = Edit(&dialog, field.toLatin1().constData());
    Retype(bad, typed);
    ClickOk(dialog);

    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    for (const char* name : kFields)
        QCOMPARE(Error(&dialog, name)->text(), field == QLatin1String(name) ? message : QString());
    QVERIFY(bad->hasFocus());
    QVERIFY(platform.confirmations.isEmpty());

    // Editing the field takes its message away; a good value is then accepted.
    const QString good = field == QLatin1String("issue") ? QStringLiteral("2026177")
        : field.endsWith(QLatin1String("Code"))          ? QStringLiteral("789")
                                                         : QStringLiteral("1");
    Retype(bad, good);
    QCOMPARE(Error(&dialog, field.toLatin1().constData())->text(), QString());
    ClickOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void tst_AddDrawDialog::addsWithReturn()
{
    FakePlatform platform;
    AddDrawDialog dialog(platform, velmora::game3d(), kHistory);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(Edit(&dialog, "drawCode")->hasFocus());
    QTest::keyClicks(Edit(&dialog, "drawCode"), QStringLiteral("007"));
    QTest::keyClick(Edit(&dialog, "drawCode"), Qt::Key_Tab);
    QTest::keyClicks(Edit(&dialog, "testCode"), QStringLiteral("090"));
    QTest::keyClick(Edit(&dialog, "testCode"), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.drawLine(), std::string("2026177,007,090,0,0"));
    QVERIFY(!dialog.replacesExisting());
    QVERIFY(platform.confirmations.isEmpty());
}

void tst_AddDrawDialog::asksBeforeReplacing()
{
    FakePlatform platform;
    AddDrawDialog dialog(platform, velmora::game3d(), kHistory);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Retype(Edit(&dialog, "issue"), QStringLiteral("2026175"));
    Retype(Edit(&dialog, "drawCode"), QStringLiteral("334"));
    Retype(Edit(&dialog, "testCode"), QStringLiteral("444"));
    Retype(Edit(&dialog, "machine"), QStringLiteral("2"));

    platform.confirmAnswer = false;
    ClickOk(dialog);
    QCOMPARE(platform.confirmations,
        QStringList({ QStringLiteral(
            "第2026175期已有开奖数据：\n2026175,333,444,0,0\n要用新输入的数据替换它吗？") }));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    platform.confirmAnswer = true;
    ClickOk(dialog);
    QCOMPARE(platform.confirmations.size(), 2);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.replacesExisting());
    QCOMPARE(dialog.drawLine(), std::string("2026175,334,444,2,0"));
}

void tst_AddDrawDialog::snapshot()
{
    const QString folder = qEnvironmentVariable("VELMORA_SNAPSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("VELMORA_SNAPSHOT_DIR is not set");
    QVERIFY(QDir().mkpath(folder));
    FakePlatform platform;
    AddDrawDialog dialog(platform, velmora::game3d(), kHistory);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.grab().save(QDir(folder).filePath(QStringLiteral("add-draw-dialog.png"))));
    Retype(Edit(&dialog, "drawCode"), QStringLiteral("12"));
    Retype(Edit(&dialog, "machine"), QStringLiteral("x"));
    ClickOk(dialog);
    QVERIFY(dialog.grab().save(QDir(folder).filePath(QStringLiteral("add-draw-dialog-refused.png"))));
}

QTEST_MAIN(tst_AddDrawDialog)
#include "tst_AddDrawDialog.moc"
