// The filter page's tolerance, schemes and history check, driven as a user drives
// them and compared with velmora-cli run in-process on the same data file.
#include "CliRun.h"
#include "app/MainWindowFixture.h"

#include "app/dialogs/HistoryCheckWindow.h"
#include "app/dialogs/ResultWindow.h"
#include "core/filter/Scheme.h"
#include "widgets/DigitSpinEdit.h"
#include "widgets/MultiCheck.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolBar>

#include <string>
#include <vector>

using namespace Qt::StringLiterals;

using velmora::DigitSpinEdit;
using velmora::FilterConditions;
using velmora::FilterPage;
using velmora::HistoryCheckWindow;
using velmora::MultiCheck;
using velmora::Tolerance;
using velmora::test::clickToolButton;
using velmora::test::find;

namespace {

MultiCheck* checks(const FilterPage& page, const char* name)
{
    return find<MultiCheck>(&page, QString::fromLatin1(name));
}

void ClickItem(MultiCheck* control, int index)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, control->checkRect(index).center());
}

DigitSpinEdit* toleranceEdit(const FilterPage& page, bool max)
{
    return find<DigitSpinEdit>(&page, max ? u"toleranceMaxEdit"_s : u"toleranceMinEdit"_s);
}

void TypeInto(QWidget* edit, const QString& text)
{
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(6, edit->height() / 2));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

QString ToleranceShown(const FilterPage& page)
{
    return toleranceEdit(page, false)->text() + u'-' + toleranceEdit(page, true)->text();
}

FilterPage& StartOnFilterPage(MainWindowFixture& f, int lines)
{
    writeFile(f.dataFile(), historyLines(lines));
    f.startShown();
    f.trigger("showFilterPage");
    return f.filterPage();
}

// Hundreds 1, 5, 8 and sum tails 3, 4, 5 by clicks: --hundreds 1,5,8 --sum-tails 3,4,5.
void ClickTwoConditions(const FilterPage& page)
{
    for (const int digit : { 1, 5, 8 })
        ClickItem(checks(page, "hundredsRow"), digit);
    for (const int tail : { 3, 4, 5 })
        ClickItem(checks(page, "sumTailRow"), tail);
}

velmora::test::CliResult Cli(const MainWindowFixture& f, std::vector<std::string> args)
{
    args.insert(args.begin() + 1, { "--data", f.dataFile().toStdString() });
    return velmora::test::RunCliArgs(args);
}

// A record that sets every control kind; bankers fill the lists from the first
// on, as a scheme gives them back.
FilterConditions EveryKindOfCondition()
{
    FilterConditions fc;
    fc.recentHits[0] = { true, false, true, false };
    fc.recentHits[5] = { false, false, false, true };
    fc.recentPairsIn = "12 34";
    fc.recentPairsOut = "56";
    fc.positionDigits[1] = { true, true, false, false, true, false, false, false, false, true };
    fc.bankers = { 6, 2, 0, 0, 0 };
    fc.sumTails[7] = true;
    fc.sums[13] = fc.sums[14] = fc.sums[29] = true;
    fc.smbPatterns[4] = true;
    fc.routePatterns[0] = fc.routePatterns[9] = true;
    fc.oddCounts[1] = true;
    fc.bigCounts[3] = true;
    fc.hitGroups[0] = { "1359", { false, true, true, false } };
    fc.hitGroups[2] = { "中0", { true, false, false, false } };
    fc.pairsIn = "19";
    fc.pairsOut = "27,38";
    fc.digitsIn = "0";
    fc.digitsOut = "4";
    fc.minDigit = 1;
    fc.maxDigit = 8;
    fc.runKinds[1] = true;
    fc.codeTypes = { true, true, false };
    fc.spans[2] = fc.spans[9] = true;
    fc.primeCounts[0] = true;
    fc.oddShapes[5] = true;
    fc.bigShapes[0] = true;
    fc.primeShapes[7] = true;
    fc.routeShapes[13] = true;
    fc.lows[0] = true;
    fc.mids[4] = true;
    fc.highs[9] = true;
    fc.pairSums = { { true, false, false, false, false, true }, { false, true, true, false } };
    fc.pairDiffs.digits[3] = true; // digits without counts: kept, though empty
    return fc;
}

} // namespace

class tst_FilterPageAnalysis : public QObject {
    Q_OBJECT

private slots:
    void toolBarFitsTheWindow();
    void toleranceMatchesCli_data();
    void toleranceMatchesCli();
    void toleranceEditsKeepARange();
    void schemeRoundTrip_data();
    void schemeRoundTrip();
    void badSchemesChangeNothing_data();
    void badSchemesChangeNothing();
    void schemeKeysBelongToTheFilterPage();
    void schemeSaveFailureIsShown();
    void historyCheckFollowsThePage();
};

void tst_FilterPageAnalysis::toolBarFitsTheWindow()
{
    MainWindowFixture f;
    f.startShown();
    f.trigger("showFilterPage");
    QCOMPARE(f.window->size(), QSize(789, 584));
    const auto* bar = find<QToolBar>(&f.filterPage(), u"toolBar"_s);
    QStringList captions;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            continue;
        QWidget* button = bar->widgetForAction(action);
        QVERIFY(button->isVisible());
        QVERIFY2(button->geometry().right() < bar->width(), qPrintable(action->text()));
        if (!action->text().isEmpty()) {
            QVERIFY(button->width() >= 63);
            captions << action->text();
        }
    }
    QCOMPARE(captions,
        (QStringList { u"清除条件"_s, u"载入方案"_s, u"保存方案"_s, u"导出结果"_s, u"结果兑奖"_s,
            u"打印结果"_s, u"号码缩水"_s, u"查看结果"_s, u"历史验证"_s }));
    // The tolerance stands just before "号码缩水", both edits at 0.
    const QWidget* range = find<QWidget>(&f.filterPage(), u"toleranceRange"_s);
    const QWidget* run = bar->widgetForAction(velmora::test::toolBarAction(bar, u"号码缩水"_s));
    QVERIFY(range->geometry().right() < run->geometry().left());
    QVERIFY(run->geometry().left() - range->geometry().right() < 8);
    QCOMPARE(ToleranceShown(f.filterPage()), u"0-0"_s);

    // In the Tab order the tolerance follows the last condition.
    ClickItem(checks(f.filterPage(), "routeShapeRow"), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), toleranceEdit(f.filterPage(), false));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), toleranceEdit(f.filterPage(), true));
}

void tst_FilterPageAnalysis::toleranceMatchesCli_data()
{
    QTest::addColumn<QString>("minText");
    QTest::addColumn<QString>("maxText");
    QTest::addColumn<QString>("used");
    // Typed in the order min, max; an empty text leaves that edit alone.
    QTest::newRow("untouched: the plain filter") << QString() << QString() << u"0-0"_s;
    QTest::newRow("1-1") << u"1"_s << u"1"_s << u"1-1"_s;
    QTest::newRow("0-2") << QString() << u"2"_s << u"0-2"_s;
    QTest::newRow("min typed above max: max follows") << u"2"_s << QString() << u"2-2"_s;
    QTest::newRow("max typed below min: min follows") << u"2"_s << u"1"_s << u"1-1"_s;
    QTest::newRow("above the unit count") << QString() << u"45"_s << u"0-41"_s;
}

void tst_FilterPageAnalysis::toleranceMatchesCli()
{
    QFETCH(QString, minText);
    QFETCH(QString, maxText);
    QFETCH(QString, used);
    MainWindowFixture f;
    FilterPage& page = StartOnFilterPage(f, 9000);
    ClickTwoConditions(page);
    if (!minText.isEmpty())
        TypeInto(toleranceEdit(page, false), minText);
    if (!maxText.isEmpty())
        TypeInto(toleranceEdit(page, true), maxText);
    // The tool button takes no focus: the edit typed into last is still being edited.
    clickToolButton(&page, u"号码缩水"_s);

    const velmora::test::CliResult cli = Cli(
        f, { "filter", "--hundreds", "1,5,8", "--sum-tails", "3,4,5", "--tolerance", used.toStdString() });
    QCOMPARE(cli.code, 0);
    const QString memo = find<velmora::ResultWindow>(f.window.get())->memo()->toPlainText();
    QCOMPARE(memo.trimmed(), QString::fromStdString(cli.out).trimmed());
    const int count = static_cast<int>(velmora::codeSetCount(page.result()));
    QVERIFY(memo.startsWith(u"缩水结果有%1注"_s.arg(count)));
    const QString suffix = used == u"0-0"_s ? QString() : u"（容错%1）"_s.arg(used);
    QCOMPARE(f.window->statusText(0), u"缩水结果总共%1注"_s.arg(count) + suffix);

    // Leaving the edit shows the range that was used.
    QTest::mouseClick(find<QLineEdit>(&page, u"pairsInEdit"_s), Qt::LeftButton);
    QCOMPARE(ToleranceShown(page), used);
}

void tst_FilterPageAnalysis::toleranceEditsKeepARange()
{
    MainWindowFixture f;
    FilterPage& page = StartOnFilterPage(f, 50);
    QSignalSpy changes(&page, &FilterPage::conditionsChanged);
    DigitSpinEdit* min = toleranceEdit(page, false);
    DigitSpinEdit* max = toleranceEdit(page, true);
    // Arrow keys step, and leaving with Enter pulls the other edit along.
    QTest::mouseClick(min, Qt::LeftButton, {}, QPoint(6, min->height() / 2));
    QTest::keyClick(min, Qt::Key_Up);
    QTest::keyClick(min, Qt::Key_Up);
    QCOMPARE(page.tolerance(), (Tolerance { 2, 2 }));
    QTest::keyClick(min, Qt::Key_Return);
    QCOMPARE(ToleranceShown(page), u"2-2"_s);
    QTest::mouseClick(max, Qt::LeftButton, {}, QPoint(6, max->height() / 2));
    QTest::keyClick(max, Qt::Key_Up);
    QTest::keyClick(max, Qt::Key_Return);
    QCOMPARE(page.tolerance(), (Tolerance { 2, 3 }));
    QVERIFY(changes.count() >= 3);

    // "清除条件" clears the tolerance with the conditions, in one change.
    ClickItem(checks(page, "codeTypeRow"), 2);
    changes.clear();
    clickToolButton(&page, u"清除条件"_s);
    QCOMPARE(ToleranceShown(page), u"0-0"_s);
    QCOMPARE(page.conditions(), FilterConditions());
    QCOMPARE(changes.count(), 1);
    clickToolButton(&page, u"清除条件"_s);
    QCOMPARE(changes.count(), 1);
}

void tst_FilterPageAnalysis::schemeRoundTrip_data()
{
    QTest::addColumn<FilterConditions>("conditions");
    QTest::addColumn<int>("toleranceMin");
    QTest::addColumn<int>("toleranceMax");
    QTest::newRow("nothing set") << FilterConditions() << 0 << 0;
    QTest::newRow("every kind of control, tolerance 1-3") << EveryKindOfCondition() << 1 << 3;
    FilterConditions one;
    one.sums[27] = true;
    QTest::newRow("one sum, tolerance 0-41") << one << 0 << 41;
}

void tst_FilterPageAnalysis::schemeRoundTrip()
{
    QFETCH(FilterConditions, conditions);
    QFETCH(int, toleranceMin);
    QFETCH(int, toleranceMax);
    MainWindowFixture f;
    FilterPage& page = StartOnFilterPage(f, 9000);
    page.setConditions(conditions);
    page.setTolerance({ toleranceMin, toleranceMax });
    QCOMPARE(page.conditions(), conditions);
    const QString path = f.path(u"方案一.vscheme.json"_s);

    f.platform.saveNameAnswer = path;
    QTest::keyClick(f.window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.platform.offeredSaveNames, QStringList { u"缩水方案.vscheme.json"_s });
    const velmora::SchemeReadResult written = velmora::readSchemeFile(path.toStdString());
    QVERIFY2(written.ok(), written.error.c_str());
    QCOMPARE(written.scheme->conditions, conditions);
    QCOMPARE(written.scheme->tolerance, (Tolerance { toleranceMin, toleranceMax }));
    QCOMPARE(f.window->statusText(0), u"已保存方案方案一.vscheme.json"_s);

    clickToolButton(&page, u"清除条件"_s);
    f.platform.openAnswer = path;
    QSignalSpy changes(&page, &FilterPage::conditionsChanged);
    QTest::keyClick(f.window.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(f.platform.openFilters, QStringList { u"方案文件|*.vscheme.json"_s });
    QCOMPARE(page.conditions(), conditions);
    QCOMPARE(page.tolerance(), (Tolerance { toleranceMin, toleranceMax }));
    QCOMPARE(ToleranceShown(page), u"%1-%2"_s.arg(toleranceMin).arg(toleranceMax));
    QCOMPARE(
        changes.count(), conditions == FilterConditions() && toleranceMin == 0 && toleranceMax == 0 ? 0 : 1);
    QCOMPARE(f.platform.messages, QStringList());

    // The page and velmora-cli read the same file the same way.
    clickToolButton(&page, u"号码缩水"_s);
    const velmora::test::CliResult cli = Cli(f, { "filter", "--scheme", path.toStdString() });
    QCOMPARE(cli.code, 0);
    QCOMPARE(find<velmora::ResultWindow>(f.window.get())->memo()->toPlainText().trimmed(),
        QString::fromStdString(cli.out).trimmed());
}

void tst_FilterPageAnalysis::badSchemesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    const QByteArray head = R"({"format": "velmora-scheme", "version": 1, "conditions": )";
    QTest::newRow("no such file") << QByteArray() << u"无法读取文件"_s;
    QTest::newRow("empty file") << QByteArray("") << u"方案文件格式错误："_s;
    QTest::newRow("not JSON") << QByteArray("{\"format\": ") << u"方案文件格式错误："_s;
    QTest::newRow("an array") << QByteArray("[1, 2]") << u"方案文件格式错误："_s;
    QTest::newRow("another format") << QByteArray(R"({"format": "other", "version": 1, "conditions": {}})")
                                    << u"方案文件格式错误："_s;
    QTest::newRow("version 2") << QByteArray(
        R"({"format": "velmora-scheme", "version": 2, "conditions": {}})")
                               << u"方案文件格式错误："_s;
    QTest::newRow("unknown key") << head + R"({"sumz": [10]}})" << u"sumz"_s;
    QTest::newRow("wrong type") << head + R"({"sums": "10"}})" << u"sums"_s;
    QTest::newRow("digit out of range") << head + R"({"hundreds": [1, 10]}})" << u"hundreds"_s;
    QTest::newRow("sixth banker") << head + R"({"banker": [1, 2, 3, 4, 5, 6]}})" << u"banker"_s;
    QTest::newRow("tolerance min above max") << head + R"({"tolerance": "3-1"}})" << u"tolerance"_s;
    // A valid part before the error must not be applied either.
    QTest::newRow("valid keys before a bad one")
        << head + R"({"tens": [1], "types": [0], "odd": [4]}})" << u"odd"_s;
}

void tst_FilterPageAnalysis::badSchemesChangeNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    MainWindowFixture f;
    FilterPage& page = StartOnFilterPage(f, 50);
    ClickTwoConditions(page);
    TypeInto(find<QLineEdit>(&page, u"digitsOutEdit"_s), u"7"_s);
    TypeInto(toleranceEdit(page, true), u"2"_s);
    QTest::keyClick(toleranceEdit(page, true), Qt::Key_Return);
    const FilterConditions before = page.conditions();
    QCOMPARE(before.digitsOut, "7");
    const QString path = f.path(u"bad.vscheme.json"_s);
    if (!content.isNull())
        QVERIFY(writeFile(path, content));

    QSignalSpy changes(&page, &FilterPage::conditionsChanged);
    f.platform.openAnswer = path;
    clickToolButton(&page, u"载入方案"_s);
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY2(f.platform.messages.at(0).contains(message), qPrintable(f.platform.messages.at(0)));
    if (message != u"无法读取文件"_s)
        QVERIFY(f.platform.messages.at(0).startsWith(u"方案文件格式错误："_s));
    QCOMPARE(page.conditions(), before);
    QCOMPARE(ToleranceShown(page), u"0-2"_s);
    QCOMPARE(changes.count(), 0);
}

void tst_FilterPageAnalysis::schemeKeysBelongToTheFilterPage()
{
    MainWindowFixture f;
    writeFile(f.dataFile(), historyLines(50));
    velmora::MainWindow& window = f.startShown();
    const QString path = f.path(u"s.vscheme.json"_s);
    QVERIFY(writeFile(path, R"({"format": "velmora-scheme", "version": 1, "conditions": {"types": [2]}})"));
    f.platform.openAnswer = path;
    f.platform.saveNameAnswer = f.path(u"saved.vscheme.json"_s);

    // Another page in front: the keys do nothing.
    for (const char* other : { "showDataPage", "showTrendChart", "showRecommendPage" }) {
        f.trigger(other);
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    }
    QCOMPARE(f.platform.openFilters, QStringList());
    QCOMPARE(f.platform.offeredSaveNames, QStringList());

    // The menu entry brings the filter page to the front and loads there.
    f.trigger("loadScheme");
    QCOMPARE(window.frontArea()->objectName(), u"workPages"_s);
    QVERIFY(f.filterPage().isVisible());
    QCOMPARE(f.filterPage().conditions().codeTypes, (velmora::CheckFlags<3> { false, false, true }));
    f.trigger("showDataPage");
    f.trigger("saveScheme");
    QVERIFY(f.filterPage().isVisible());
    QCOMPARE(velmora::readSchemeFile(f.platform.saveNameAnswer.toStdString()).scheme->conditions,
        f.filterPage().conditions());

    // A cancelled dialog changes nothing and says nothing.
    f.platform.openAnswer.clear();
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(f.platform.openFilters.size(), 2);
    QCOMPARE(f.filterPage().conditions().codeTypes, (velmora::CheckFlags<3> { false, false, true }));
    QCOMPARE(f.platform.messages, QStringList());
}

void tst_FilterPageAnalysis::schemeSaveFailureIsShown()
{
    MainWindowFixture f;
    FilterPage& page = StartOnFilterPage(f, 50);
    f.platform.saveNameAnswer = f.path(u"no/such/folder/s.vscheme.json"_s);
    clickToolButton(&page, u"保存方案"_s);
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages.at(0).startsWith(u"无法写入文件"_s));
}

// Opened by its button, the one history-check window follows the page's conditions,
// the tolerance and the history, and exports what velmora-cli backtest prints.
void tst_FilterPageAnalysis::historyCheckFollowsThePage()
{
    MainWindowFixture f;
    FilterPage& page = StartOnFilterPage(f, 400);
    QVERIFY(f.window->findChildren<HistoryCheckWindow*>().isEmpty());
    clickToolButton(&page, u"历史验证"_s);
    auto* check = find<HistoryCheckWindow>(f.window.get());
    QVERIFY(QTest::qWaitForWindowExposed(check));
    // Docked on this small screen (where it goes: tst_MainWindowDesktop).
    QVERIFY(check->isVisible());
    QCOMPARE(check->draws().size(), std::size_t(100));
    QCOMPARE(check->summaryText(),
        u"验证100期，命中100期，命中率100.0%（随机100.0%），平均注数1000.0，最少1000注，最多1000注\n"
        u"投入200000元，奖金104000元，盈亏-96000元，回报率52.0%"_s);

    const auto exported = [&](const char* button) {
        f.platform.saveNameAnswer = f.path(u"export.csv"_s);
        QTest::mouseClick(find<QPushButton>(check, QString::fromLatin1(button)), Qt::LeftButton);
        const QByteArray bytes = readFile(f.platform.saveNameAnswer);
        return bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3).toStdString() : std::string("no mark");
    };

    ClickItem(checks(page, "hundredsRow"), 1);
    ClickItem(checks(page, "hundredsRow"), 5);
    QVERIFY(check->summaryText().startsWith(u"验证100期，命中"_s));
    velmora::test::CliResult cli = Cli(f, { "backtest", "--hundreds", "1,5" });
    QCOMPARE(cli.code, 0);
    QCOMPARE(exported("exportDrawsButton"), cli.out);
    const QString twoDigits = check->summaryText();

    TypeInto(find<QLineEdit>(&page, u"digitsOutEdit"_s), u"3"_s);
    TypeInto(toleranceEdit(page, true), u"1"_s);
    QVERIFY(check->summaryText() != twoDigits);
    cli = Cli(f,
        { "backtest", "--hundreds", "1,5", "--digits-out", "3", "--tolerance", "0-1", "--report",
            "conditions" });
    QCOMPARE(exported("exportUnitsButton"), cli.out);
    cli = Cli(f,
        { "backtest", "--hundreds", "1,5", "--digits-out", "3", "--tolerance", "0-1", "--report",
            "summary" });
    const QStringList summary = QString::fromStdString(cli.out).split(u'\n').value(1).split(u',');
    QVERIFY(check->summaryText().startsWith(u"验证%1期，命中%2期"_s.arg(summary.value(0), summary.value(1))));

    // The table shows the newest draw first, and the history follows the data page.
    auto* table = find<QTableView>(check, u"drawTable"_s);
    const velmora::DrawRecord& newest = f.history().back();
    QCOMPARE(table->model()->index(0, 0).data().toString(),
        u"%1%2"_s.arg(newest.year).arg(newest.issue, 3, 10, QLatin1Char('0')));
    f.document().setText(QString::fromLatin1(historyLines(60)));
    QCOMPARE(check->draws().size(), std::size_t(60));

    // The button and the menu entry bring back the one window.
    check->hide();
    f.trigger("showHistoryCheck");
    QVERIFY(check->isVisible());
    check->hide();
    const auto* bar = find<QToolBar>(&page, u"toolBar"_s);
    QTRY_VERIFY(bar->widgetForAction(velmora::test::toolBarAction(bar, u"历史验证"_s))->isVisible());
    clickToolButton(&page, u"历史验证"_s);
    QVERIFY(check->isVisible());
    QCOMPARE(f.window->findChildren<HistoryCheckWindow*>().size(), 1);
    QCOMPARE(f.platform.messages, QStringList());
}

QTEST_MAIN(tst_FilterPageAnalysis)
#include "tst_FilterPageAnalysis.moc"
