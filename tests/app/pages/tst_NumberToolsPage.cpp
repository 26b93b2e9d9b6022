// The number tools page, driven through the window with real clicks and keys; its
// results compared byte for byte with velmora-cli codes on the same lists.
#include "app/MainWindowFixture.h"

#include "CliRun.h"
#include "app/pages/NumberToolsPage.h"
#include "support/Snapshots.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

using namespace Qt::StringLiterals;

using velmora::NumberToolsPage;
using velmora::test::clickToolButton;
using velmora::test::find;

namespace {

template <typename T> T* part(MainWindowFixture& f, const char* name)
{
    return find<T>(find<NumberToolsPage>(f.window.get()), QString::fromLatin1(name));
}

// Puts the text into a memo or line edit in place of what it held: typed when it is
// ASCII (a line break is the Return key), else pasted.
void typeInto(QWidget* edit, const QString& text)
{
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        return;
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, lines[i]);
    }
}

// Opens the button's menu with a click and clicks the entry with the text.
void chooseFromMenu(QPushButton* button, const QString& entry)
{
    QMenu* menu = button->menu();
    QAction* target = nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == entry)
            target = action;
    QVERIFY(target);
    // The menu runs its own event loop once open: the click comes from a timer.
    auto* poll = new QTimer(button);
    QObject::connect(poll, &QTimer::timeout, button, [menu, target, poll] {
        if (!menu->isVisible())
            return;
        poll->stop();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(target).center());
    });
    poll->start(10);
    QTest::mouseClick(button, Qt::LeftButton);
    delete poll;
}

} // namespace

class tst_NumberToolsPage : public QObject {
    Q_OBJECT

private slots:
    void toolsMatchTheCommandLine_data();
    void toolsMatchTheCommandLine();
    void listsFromOtherPagesAndChaining();
    void importFromFile();
    void badDigitsAreRefused();
    void betFormsMatchTheCommandLine_data();
    void betFormsMatchTheCommandLine();
    void betFormRefusals();
    void listsSayWhatWasIgnored();
};

void tst_NumberToolsPage::toolsMatchTheCommandLine_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("listA");
    QTest::addColumn<QString>("listB");
    QTest::addColumn<QString>("digits");
    const QString a = u"组选共120注\n830 123,555;007 1234 12\n998"_s;
    const QString b = u"123,456 008\n999 007 x321"_s;
    QTest::newRow("转组选") << u"groupButton"_s << u"group"_s << a << b << QString();
    QTest::newRow("组选转直选") << u"expandButton"_s << u"expand"_s << a << b << QString();
    QTest::newRow("组六包号") << u"group6Button"_s << u"group6"_s << a << b << u"0,3;6 9"_s;
    QTest::newRow("组三包号") << u"group3Button"_s << u"group3"_s << a << b << u"128"_s;
    QTest::newRow("交集") << u"intersectButton"_s << u"intersect"_s << a << b << QString();
    QTest::newRow("并集") << u"unionButton"_s << u"union"_s << a << b << QString();
    QTest::newRow("差集") << u"diffButton"_s << u"diff"_s << a << b << QString();
    QTest::newRow("差集 of empty lists")
        << u"diffButton"_s << u"diff"_s << QString() << QString() << QString();
}

void tst_NumberToolsPage::toolsMatchTheCommandLine()
{
    QFETCH(QString, button);
    QFETCH(QString, operation);
    QFETCH(QString, listA);
    QFETCH(QString, listB);
    QFETCH(QString, digits);
    MainWindowFixture f;
    velmora::MainWindow& form = f.startShown();
    QTest::keyClick(&form, Qt::Key_F8, Qt::ControlModifier);
    auto* page = find<NumberToolsPage>(f.window.get());
    QVERIFY(page->isVisible());

    typeInto(part<QPlainTextEdit>(f, "listAMemo"), listA);
    typeInto(part<QPlainTextEdit>(f, "listBMemo"), listB);
    if (!digits.isEmpty())
        typeInto(part<QLineEdit>(f, "digitsEdit"), digits);
    QTest::mouseClick(part<QToolButton>(f, button.toLatin1().constData()), Qt::LeftButton);
    QCOMPARE(f.platform.messages, QStringList());

    QVERIFY(writeFile(f.path(u"a.txt"_s), listA.toUtf8()));
    QVERIFY(writeFile(f.path(u"b.txt"_s), listB.toUtf8()));
    std::vector<std::string> args { "codes", operation.toStdString() };
    if (digits.isEmpty()) {
        args.push_back(f.path(u"a.txt"_s).toStdString());
        if (operation == QLatin1String("union") || operation == QLatin1String("intersect")
            || operation == QLatin1String("diff"))
            args.push_back(f.path(u"b.txt"_s).toStdString());
    } else {
        args.push_back(digits.toStdString());
    }
    const velmora::test::CliResult printed = velmora::test::RunCliArgs(args);
    QCOMPARE(printed.code, 0);
    const QString memoText = part<QPlainTextEdit>(f, "resultMemo")->toPlainText();
    QCOMPARE(memoText + QLatin1Char('\n'), QString::fromStdString(printed.out));

    // The count beside the memo and the status bar speak of the same result.
    const int count = velmora::codeSetCount(page->result());
    QCOMPARE(part<QLabel>(f, "resultCount")->text(), u"%1注，%2元"_s.arg(count).arg(2 * count));
    QVERIFY(form.statusText(0).endsWith(memoText.section(QLatin1Char('\n'), 0, 0)));

    // 导出结果 writes what --out writes.
    f.platform.saveNameAnswer = f.path(u"page.txt"_s);
    clickToolButton(page, u"导出结果"_s);
    args.insert(args.end(), { "--out", f.path(u"cli.txt"_s).toStdString() });
    QCOMPARE(velmora::test::RunCliArgs(args).code, 0);
    QCOMPARE(readFile(f.path(u"page.txt"_s)), readFile(f.path(u"cli.txt"_s)));
}

void tst_NumberToolsPage::listsFromOtherPagesAndChaining()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(20)));
    velmora::MainWindow& form = f.startShown();
    // The filter without conditions keeps all 1000 codes.
    f.trigger("showFilterPage");
    clickToolButton(&f.filterPage(), u"号码缩水"_s);
    f.trigger("showNumberToolsPage");
    auto* page = find<NumberToolsPage>(f.window.get());
    QVERIFY(page->isVisible());

    chooseFromMenu(part<QPushButton>(f, "takeBButton"), u"号码缩水结果"_s);
    QCOMPARE(part<QLabel>(f, "listBCount")->text(), u"总共1000注号码"_s);
    QCOMPARE(form.statusText(0), u"号码B取自号码缩水结果，共1000注"_s);

    typeInto(part<QLineEdit>(f, "digitsEdit"), u"0123"_s);
    QTest::mouseClick(part<QToolButton>(f, "group6Button"), Qt::LeftButton);
    QCOMPARE(form.statusText(0), u"组六包号：组选共4注"_s);
    QTest::mouseClick(part<QPushButton>(f, "useAsAButton"), Qt::LeftButton);
    QCOMPARE(part<QPlainTextEdit>(f, "listAMemo")->toPlainText(), u"012,013,023,123,\n"_s);
    QCOMPARE(part<QLabel>(f, "listACount")->text(), u"总共4注号码"_s);
    QTest::mouseClick(part<QToolButton>(f, "expandButton"), Qt::LeftButton);
    QCOMPARE(part<QLabel>(f, "resultCount")->text(), u"24注，48元"_s);
    QCOMPARE(form.statusText(0), u"组选转直选：直选共24注"_s);
    // The 24 codes less all 1000: nothing.
    QTest::mouseClick(part<QPushButton>(f, "useAsAButton"), Qt::LeftButton);
    QTest::mouseClick(part<QToolButton>(f, "diffButton"), Qt::LeftButton);
    QCOMPARE(velmora::codeSetCount(page->result()), 0);
    QCOMPARE(part<QPlainTextEdit>(f, "resultMemo")->toPlainText(), u"直选共0注\n\n"_s);

    // A page in use, for people to look at: what A and B share, and a prize check
    // that finds a code and the rest of its group.
    QTest::mouseClick(part<QToolButton>(f, "intersectButton"), Qt::LeftButton);
    f.platform.inputAnswers << u"310"_s;
    clickToolButton(page, u"结果兑奖"_s);
    QCOMPARE(form.statusText(0),
        u"直选命中：310（直选1040元）；同组号码：013、031、103、130、301（按组选投注：组六173元）"_s);
    QVERIFY(velmora::test::writeSnapshot(form, u"numbertools-in-use.png"_s));
}

void tst_NumberToolsPage::importFromFile()
{
    MainWindowFixture f;
    velmora::MainWindow& form = f.startShown();
    f.trigger("showNumberToolsPage");
    // A GB2312 result file as 导出结果 writes it: "组选共2注".
    QVERIFY(writeFile(f.path(u"list.txt"_s),
        "\xD7\xE9\xD1\xA1\xB9\xB2"
        "2\xD7\xA2\r\n\r\n038,112,\r\n\r\n"));
    f.platform.openAnswer = f.path(u"list.txt"_s);
    QTest::mouseClick(part<QPushButton>(f, "importAButton"), Qt::LeftButton);
    QCOMPARE(part<QPlainTextEdit>(f, "listAMemo")->toPlainText(), u"038,112,\n"_s);
    QCOMPARE(form.statusText(0), u"号码A从文件list.txt导入2注"_s);

    // A file that cannot be read is reported and changes nothing.
    f.platform.openAnswer = f.path(u"none.txt"_s);
    QTest::mouseClick(part<QPushButton>(f, "importAButton"), Qt::LeftButton);
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].startsWith(u"无法读取文件"_s + f.path(u"none.txt"_s)));
    QCOMPARE(part<QPlainTextEdit>(f, "listAMemo")->toPlainText(), u"038,112,\n"_s);
}

void tst_NumberToolsPage::badDigitsAreRefused()
{
    MainWindowFixture f;
    f.startShown();
    f.trigger("showNumberToolsPage");
    for (const QString& digits : { u"12a"_s, u""_s, u"，1"_s }) {
        typeInto(part<QLineEdit>(f, "digitsEdit"), digits);
        QTest::mouseClick(part<QToolButton>(f, "group3Button"), Qt::LeftButton);
    }
    QCOMPARE(f.platform.messages.size(), 3);
    QCOMPARE(f.platform.messages[0], u"包号数字只能是0到9，可以用逗号、分号或空格隔开"_s);
    QCOMPARE(part<QPlainTextEdit>(f, "resultMemo")->toPlainText(), QString());
}

void tst_NumberToolsPage::betFormsMatchTheCommandLine_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("fields"); // edit name, text, edit name, text, …
    QTest::addColumn<QStringList>("args"); // velmora-cli codes …
    QTest::newRow("定位复式") << u"directMultiButton"_s
                              << QStringList { u"hundredsEdit"_s, u"0,9"_s, u"tensEdit"_s, u"5"_s,
                                     u"unitsEdit"_s, u"1 2 3"_s }
                              << QStringList { u"direct-multi"_s, u"0,9"_s, u"5"_s, u"1 2 3"_s };
    QTest::newRow("和值") << u"sumsButton"_s << QStringList { u"sumsEdit"_s, u"0,10,27"_s }
                          << QStringList { u"sums"_s, u"0,10,27"_s };
    QTest::newRow("跨度") << u"spansButton"_s << QStringList { u"spansEdit"_s, u"9"_s }
                          << QStringList { u"spans"_s, u"9"_s };
    QTest::newRow("组选胆拖") << u"dantuoButton"_s
                              << QStringList { u"bankersEdit"_s, u"1"_s, u"dragsEdit"_s, u"2,3"_s }
                              << QStringList { u"dantuo"_s, u"1"_s, u"2,3"_s };
    QTest::newRow("组选胆拖, two bankers")
        << u"dantuoButton"_s << QStringList { u"bankersEdit"_s, u"58"_s, u"dragsEdit"_s, u"0123"_s }
        << QStringList { u"dantuo"_s, u"58"_s, u"0123"_s };
}

// Each bet form through its button gives, byte for byte, what velmora-cli prints,
// with its bet count and cost beside it.
void tst_NumberToolsPage::betFormsMatchTheCommandLine()
{
    QFETCH(QString, button);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, args);
    MainWindowFixture f;
    f.startShown();
    f.trigger("showNumberToolsPage");
    auto* page = find<NumberToolsPage>(f.window.get());
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2)
        typeInto(part<QLineEdit>(f, fields[i].toLatin1().constData()), fields[i + 1]);
    QTest::mouseClick(part<QToolButton>(f, button.toLatin1().constData()), Qt::LeftButton);
    QCOMPARE(f.platform.messages, QStringList());

    std::vector<std::string> cli { "codes" };
    for (const QString& arg : args)
        cli.push_back(arg.toStdString());
    const velmora::test::CliResult printed = velmora::test::RunCliArgs(cli);
    QCOMPARE(printed.code, 0);
    QCOMPARE(part<QPlainTextEdit>(f, "resultMemo")->toPlainText() + QLatin1Char('\n'),
        QString::fromStdString(printed.out));
    const int count = velmora::codeSetCount(page->result());
    QVERIFY(count > 0);
    QCOMPARE(part<QLabel>(f, "resultCount")->text(), u"%1注，%2元"_s.arg(count).arg(2 * count));
}

void tst_NumberToolsPage::betFormRefusals()
{
    MainWindowFixture f;
    f.startShown();
    f.trigger("showNumberToolsPage");
    const struct {
        const char* edit;
        QString text;
        const char* button;
        QString message;
    } rows[] = {
        { "sumsEdit", u"28"_s, "sumsButton", u"和值只能是0到27的数，用逗号隔开"_s },
        { "spansEdit", u"1 2"_s, "spansButton", u"跨度只能是0到9的数，用逗号隔开"_s },
        { "bankersEdit", u"123"_s, "dantuoButton", u"胆码应为一个或两个数字"_s },
    };
    typeInto(part<QLineEdit>(f, "dragsEdit"), u"45"_s);
    for (const auto& row : rows) {
        typeInto(part<QLineEdit>(f, row.edit), row.text);
        f.platform.messages.clear();
        QTest::mouseClick(part<QToolButton>(f, row.button), Qt::LeftButton);
        QCOMPARE(f.platform.messages, QStringList { row.message });
    }
    typeInto(part<QLineEdit>(f, "bankersEdit"), u"4"_s);
    f.platform.messages.clear();
    QTest::mouseClick(part<QToolButton>(f, "dantuoButton"), Qt::LeftButton);
    QCOMPARE(f.platform.messages, QStringList { u"胆码和拖码不能有相同的数字"_s });
    QCOMPARE(part<QPlainTextEdit>(f, "resultMemo")->toPlainText(), QString());
}

// The lenient reading of a list says below it what it skipped; a result text's
// header is no code and nothing skipped.
void tst_NumberToolsPage::listsSayWhatWasIgnored()
{
    MainWindowFixture f;
    f.startShown();
    f.trigger("showNumberToolsPage");
    auto* memo = part<QPlainTextEdit>(f, "listAMemo");
    auto* ignored = part<QLabel>(f, "listAIgnored");
    typeInto(memo, u"缩水结果有120注\n\n123,456,"_s);
    QVERIFY(ignored->isHidden());
    QCOMPARE(part<QLabel>(f, "listACount")->text(), u"总共2注号码"_s);
    typeInto(memo, u"123 1234,12a"_s);
    QVERIFY(!ignored->isHidden());
    QCOMPARE(ignored->text(), u"已忽略：1234、12a"_s);
}

QTEST_MAIN(tst_NumberToolsPage)
#include "tst_NumberToolsPage.moc"
