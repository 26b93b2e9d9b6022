// The main window's commands from the keyboard and the menus: each page's shortcuts
// acting on the page in front only, the menu of the page's commands, Tab reaching the
// tool bars, the status bar speaking of the page in front, F4 rebuilding the
// recent-draw panel, the editor opening on the newest draw, and help and news saying
// so when the system cannot open them.
#include "app/MainWindowFixture.h"

#include "app/dialogs/HelpWindow.h"
#include "app/dialogs/ResultWindow.h"
#include "core/smart/SmartShrink.h"
#include "widgets/ColumnLabel.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <functional>

using velmora::MainWindow;
using velmora::test::find;

namespace {

QMenu* pageMenu(const MainWindowFixture& f) { return f.part<QMenu>("pageMenu"); }

QStringList menuTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("|")
                                        : action->text() + QLatin1Char('\t') + action->shortcut().toString());
    return texts;
}

QPlainTextEdit* editor(const MainWindowFixture& f)
{
    return find<QPlainTextEdit>(&f.dataPage(), QStringLiteral("drawEditor"));
}

// Records the widgets that Tab visits from the focus widget, until it comes back.
QList<QWidget*> tabChain(QWidget* start, int presses)
{
    QList<QWidget*> visited;
    start->setFocus();
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (now == start || now == nullptr)
            break;
        visited << now;
    }
    return visited;
}

} // namespace

class tst_MainWindowCommands : public QObject {
    Q_OBJECT

private slots:
    void shortcutsActOnThePageInFront();
    void pageMenuFollowsThePageInFront();
    void tabReachesTheToolBars_data();
    void tabReachesTheToolBars();
    void statusBarClearedOnPageChange();
    void caretShownAfterTheTextChanged();
    void showingTheFilterPageAgainRebuildsThePanel();
    void editorOpensOnTheNewestDraw();
    void helpInOwnWindowWhenTheSystemCannotOpenIt();
    void helpFileMissing();
    void newsSaysWhyNothingOpens();
    void systemReasonInTheUsersLanguage();
};

// Each key on each page: the command it runs there, or nothing where it has no meaning.
void tst_MainWindowCommands::shortcutsActOnThePageInFront()
{
    struct Row {
        const char* name;
        const char* page;
        QKeyCombination key;
        // Checks what the key did, given the fixture after the key.
        std::function<void(MainWindowFixture&)> check;
    };
    const auto statusStartsWith = [](const char* text) {
        return [text](MainWindowFixture& f) {
            QVERIFY2(f.window->statusText(0).startsWith(QString::fromUtf8(text)),
                qPrintable(f.window->statusText(0)));
        };
    };
    const auto exported = [](MainWindowFixture& f) { QCOMPARE(f.platform.offeredSaveNames.size(), 1); };
    const auto checked = [](MainWindowFixture& f) { QVERIFY(f.platform.inputAnswers.isEmpty()); };
    const auto printed = [](MainWindowFixture& f) { QCOMPARE(f.platform.printed.size(), 1); };
    const auto nothing = [](MainWindowFixture& f) {
        QCOMPARE(f.platform.offeredSaveNames.size(), 0);
        QCOMPARE(f.platform.printed.size(), 0);
        QCOMPARE(f.platform.inputAnswers.size(), 1);
        QCOMPARE(f.platform.messages, QStringList());
        QCOMPARE(f.window->statusText(0), QString());
        QVERIFY(!find<velmora::ResultWindow>(f.window.get())->isVisible());
        QVERIFY(f.document().isModified());
    };
    const Row rows[] = {
        { "data: Ctrl+S saves", "showDataPage", Qt::CTRL | Qt::Key_S,
            [](MainWindowFixture& f) {
                QVERIFY(!f.document().isModified()); // the empty line typed is saved, its error told
                QCOMPARE(f.window->statusText(0), QStringLiteral("已保存，但有1行错误"));
            } },
        { "data: Ctrl+E means nothing", "showDataPage", Qt::CTRL | Qt::Key_E, nothing },
        { "data: Ctrl+R means nothing", "showDataPage", Qt::CTRL | Qt::Key_R, nothing },
        { "filter: Ctrl+R shrinks", "showFilterPage", Qt::CTRL | Qt::Key_R,
            statusStartsWith("缩水结果总共") },
        { "filter: Ctrl+E exports", "showFilterPage", Qt::CTRL | Qt::Key_E, exported },
        { "filter: Ctrl+F checks", "showFilterPage", Qt::CTRL | Qt::Key_F, checked },
        { "filter: Ctrl+P prints", "showFilterPage", Qt::CTRL | Qt::Key_P, printed },
        { "filter: F8 shows the result", "showFilterPage", QKeyCombination(Qt::Key_F8),
            [](MainWindowFixture& f) { QVERIFY(find<velmora::ResultWindow>(f.window.get())->isVisible()); } },
        { "filter: Ctrl+S means nothing", "showFilterPage", Qt::CTRL | Qt::Key_S, nothing },
        { "smart: Ctrl+R shrinks (an empty base, refused)", "showSmartShrinkPage", Qt::CTRL | Qt::Key_R,
            [](MainWindowFixture& f) {
                QCOMPARE(f.platform.warnings,
                    QStringList { QString::fromUtf8(velmora::SmartShrinkPage::kEmptyBaseText) });
            } },
        { "smart: Ctrl+E exports", "showSmartShrinkPage", Qt::CTRL | Qt::Key_E, exported },
        { "smart: Ctrl+F checks", "showSmartShrinkPage", Qt::CTRL | Qt::Key_F, checked },
        { "smart: Ctrl+P prints", "showSmartShrinkPage", Qt::CTRL | Qt::Key_P, printed },
        { "smart: F8 means nothing", "showSmartShrinkPage", QKeyCombination(Qt::Key_F8), nothing },
        { "recommend: Alt+1 daily", "showRecommendPage", Qt::ALT | Qt::Key_1, statusStartsWith("每日推荐") },
        { "recommend: Alt+2 weekly", "showRecommendPage", Qt::ALT | Qt::Key_2, statusStartsWith("每周推荐") },
        { "recommend: Alt+3 monthly", "showRecommendPage", Qt::ALT | Qt::Key_3,
            statusStartsWith("每月推荐") },
        { "recommend: Ctrl+E exports", "showRecommendPage", Qt::CTRL | Qt::Key_E, exported },
        { "recommend: Ctrl+F checks", "showRecommendPage", Qt::CTRL | Qt::Key_F, checked },
        { "recommend: Ctrl+P prints", "showRecommendPage", Qt::CTRL | Qt::Key_P, printed },
        { "recommend: Ctrl+R means nothing", "showRecommendPage", Qt::CTRL | Qt::Key_R, nothing },
        { "chart: Ctrl+E means nothing", "showTrendChart", Qt::CTRL | Qt::Key_E, nothing },
        { "web panel: Ctrl+P means nothing", "showWebSite", Qt::CTRL | Qt::Key_P, nothing },
    };
    for (const Row& row : rows) {
        MainWindowFixture f;
        QVERIFY(writeFile(f.dataFile(), realHistoryBytes()));
        MainWindow& form = f.startShown();
        // An edit not yet saved, so that a save shows (typed on the data page, whose
        // editor is filled when first shown); a prize-check entry ready.
        f.trigger("showDataPage");
        editor(f)->appendPlainText(QString());
        f.platform.inputAnswers << QStringLiteral("123");
        f.trigger(row.page);
        // What showing the page said (网站支持 without a site) is not the key's doing.
        f.platform.messages.clear();
        f.platform.warnings.clear();
        f.setStatusText(QString());
        QTest::keyClick(&form, row.key.key(), row.key.keyboardModifiers());
        row.check(f);
        if (QTest::currentTestFailed())
            QFAIL(row.name);
    }
}

void tst_MainWindowCommands::pageMenuFollowsThePageInFront()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), realHistoryBytes()));
    f.startShown();
    QMenu* menu = pageMenu(f);
    QVERIFY(f.window->menuBar()->actions().contains(menu->menuAction()));
    QVERIFY(!menu->isEnabled()); // the web panel has no commands

    f.trigger("showDataPage");
    QVERIFY(menu->isEnabled());
    QVERIFY(menuTexts(menu).contains(QStringLiteral("保存数据\tCtrl+S")));
    f.trigger("showFilterPage");
    for (const char* entry :
        { "导出结果\tCtrl+E", "结果兑奖\tCtrl+F", "打印结果\tCtrl+P", "号码缩水\tCtrl+R", "查看结果\tF8" })
        QVERIFY2(menuTexts(menu).contains(QString::fromUtf8(entry)), entry);
    QVERIFY(!menuTexts(menu).contains(QStringLiteral("保存数据\tCtrl+S")));
    f.trigger("showSmartShrinkPage");
    QCOMPARE(menuTexts(menu).last(), QStringLiteral("智能缩水\tCtrl+R"));
    f.trigger("showRecommendPage");
    QCOMPARE(menuTexts(menu).mid(0, 3),
        (QStringList { QStringLiteral("每日推荐\tAlt+1"), QStringLiteral("每周推荐\tAlt+2"),
            QStringLiteral("每月推荐\tAlt+3") }));
    f.trigger("showKLineChart");
    QCOMPARE(menuTexts(menu),
        (QStringList { QStringLiteral("最近30期\tAlt+3"), QStringLiteral("最近50期\tAlt+5"),
            QStringLiteral("最近100期\tAlt+1"), QStringLiteral("全部各期\tAlt+A") }));

    // Every entry of every menu has a text or is a separator, on every page.
    for (const char* command :
        { "showDataPage", "showFilterPage", "showSmartShrinkPage", "showRecommendPage" }) {
        f.trigger(command);
        for (const QAction* bar : f.window->menuBar()->actions()) {
            for (const QAction* entry : bar->menu()->actions())
                QVERIFY2(entry->isSeparator() || !entry->text().isEmpty(), command);
        }
    }

    // A menu entry runs the command of the page in front.
    f.trigger("showRecommendPage");
    menu->actions().constFirst()->trigger();
    QVERIFY(f.window->statusText(0).startsWith(QStringLiteral("每日推荐")));
}

void tst_MainWindowCommands::tabReachesTheToolBars_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("page");
    QTest::newRow("data") << QStringLiteral("showDataPage") << QStringLiteral("dataPage");
    QTest::newRow("filter") << QStringLiteral("showFilterPage") << QStringLiteral("filterPage");
    QTest::newRow("smart") << QStringLiteral("showSmartShrinkPage") << QStringLiteral("smartShrinkPage");
    QTest::newRow("recommend") << QStringLiteral("showRecommendPage") << QStringLiteral("recommendPage");
}

// From inside the page, Tab goes round the main tool bar, the page's tool bar and the
// page, each bar's buttons in their order.
void tst_MainWindowCommands::tabReachesTheToolBars()
{
    QFETCH(QString, command);
    QFETCH(QString, page);
    MainWindowFixture f;
    f.startShown();
    f.trigger(command.toLatin1().constData());
    QApplication::processEvents();
    const auto* pageWidget = find<QWidget>(f.window.get(), page);
    const auto* pageBar = find<QToolBar>(pageWidget, QStringLiteral("toolBar"));
    const auto* mainBar = f.part<QToolBar>("mainToolBar");
    // Start on the page's last control, so that the walk passes the bars.
    QList<QWidget*> inPage;
    for (QWidget* w : pageWidget->findChildren<QWidget*>())
        if (w->isVisible() && (w->focusPolicy() & Qt::TabFocus) && !pageBar->isAncestorOf(w))
            inPage << w;
    QVERIFY(!inPage.isEmpty());
    const QList<QWidget*> chain = tabChain(inPage.constLast(), 400);

    for (const QToolBar* bar : { mainBar, pageBar }) {
        QList<QWidget*> buttons;
        // Tool buttons only: a widget on the bar (the tolerance range) is a container
        // whose own edits take the focus.
        for (QAction* action : bar->actions())
            if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
                buttons << button;
        QList<QWidget*> reached;
        for (QWidget* w : chain)
            if (buttons.contains(w) && !reached.contains(w))
                reached << w;
        QCOMPARE(reached, buttons);
    }
    // The main bar's buttons come before the page's, whose buttons lead into the page.
    const auto firstOf = [&chain](const QToolBar* bar) {
        for (qsizetype i = 0; i < chain.size(); ++i)
            if (bar->isAncestorOf(chain[i]) && qobject_cast<QToolButton*>(chain[i]))
                return i;
        return qsizetype(-1);
    };
    QVERIFY(firstOf(mainBar) < firstOf(pageBar));
}

void tst_MainWindowCommands::statusBarClearedOnPageChange()
{
    struct Row {
        const char* name;
        const char* command;
    };
    const Row rows[] = {
        { "to a chart by its key", "showTrendChart" },
        { "to another work page", "showSmartShrinkPage" },
        { "to the web panel", "showWebSite" },
        { "to the data page", "showDataPage" },
    };
    for (const Row& row : rows) {
        MainWindowFixture f;
        QVERIFY(writeFile(f.dataFile(), realHistoryBytes()));
        MainWindow& form = f.startShown();
        f.trigger("showFilterPage");
        QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
        QVERIFY(form.statusText(0).startsWith(QStringLiteral("缩水结果总共")));
        f.trigger(row.command);
        QVERIFY2(form.statusText(0).isEmpty(), row.name);
    }

    // Showing the page already in front keeps its message; a chart tab change clears it.
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    f.trigger("showFilterPage");
    f.setStatusText(QStringLiteral("恭喜，找到号码543"));
    f.trigger("showFilterPage");
    QCOMPARE(form.statusText(0), QStringLiteral("恭喜，找到号码543"));
    f.trigger("showSumChart");
    f.setStatusText(QStringLiteral("恭喜，找到号码543"));
    f.part<QTabWidget>("chartPages")->setCurrentIndex(0);
    QCOMPARE(form.statusText(0), QString());
}

// After the editor's text has been replaced, the caret display shows the new caret.
void tst_MainWindowCommands::caretShownAfterTheTextChanged()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), "2002001,073,526,2,2\r\n"));
    QVERIFY(writeFile(f.path(QStringLiteral("import.txt")), realHistoryBytes()));
    MainWindow& form = f.startShown();
    f.trigger("showDataPage");
    QPlainTextEdit* memo = editor(f);
    QTest::mouseClick(
        memo->viewport(), Qt::LeftButton, {}, memo->cursorRect(QTextCursor(memo->document())).center());
    QCOMPARE(form.statusText(0), QStringLiteral("第1行1列"));

    f.platform.openAnswer = f.path(QStringLiteral("import.txt"));
    f.platform.choiceAnswers = { 1 }; // 替换
    velmora::test::clickToolButton(&f.dataPage(), QStringLiteral("导入数据"));
    const QTextCursor caret = memo->textCursor();
    QVERIFY(caret.atEnd());
    QCOMPARE(form.statusText(0),
        QStringLiteral("第%1行%2列").arg(caret.blockNumber() + 1).arg(caret.positionInBlock() + 1));
    QVERIFY(caret.blockNumber() > 8000);

    // Text replaced while another page is in front: that page's status stays.
    f.trigger("showFilterPage");
    f.setStatusText(QStringLiteral("缩水结果总共1000注"));
    f.document().setText(QStringLiteral("2002001,073,526,2,2"));
    QCOMPARE(form.statusText(0), QStringLiteral("缩水结果总共1000注"));
}

void tst_MainWindowCommands::showingTheFilterPageAgainRebuildsThePanel()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), "2002001,073,526,2,2\r\n2002002,237,203,1,1\r\n2002003,111,222,1,1\r\n"));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, Qt::Key_F4);
    const auto* latest = find<velmora::ColumnLabel>(&f.filterPage(), QStringLiteral("latestDrawLine"));
    QVERIFY2(latest->text().contains(QStringLiteral("111")), qPrintable(latest->text()));
    // F4 puts the keyboard on the page's first control, past its tool bar.
    QVERIFY(f.filterPage().isAncestorOf(QApplication::focusWidget()));
    QVERIFY(!qobject_cast<QToolBar*>(QApplication::focusWidget()->parentWidget()));

    // The history changes while the page stays in front. The window is not told (its own
    // refresh after an update is tested elsewhere), so only F4's rebuild can show the draw.
    {
        const QSignalBlocker quiet(&f.document());
        f.document().setText(QStringLiteral("2002001,073,526,2,2\n2002002,237,203,1,1\n2002003,111,222,1,1\n"
                                            "2002004,987,654,1,1"));
    }
    QVERIFY(!latest->text().contains(QStringLiteral("987")));
    QTest::keyClick(&form, Qt::Key_F4);
    QVERIFY2(latest->text().contains(QStringLiteral("987")), qPrintable(latest->text()));
    const auto* third = find<velmora::ColumnLabel>(&f.filterPage(), QStringLiteral("thirdLatestDrawLine"));
    QVERIFY2(third->text().contains(QStringLiteral("237")), qPrintable(third->text()));

    // The tool bar button and the menu entry do the same.
    {
        const QSignalBlocker quiet(&f.document());
        f.document().setText(QStringLiteral("2002001,073,526,2,2\n2002002,237,203,1,1\n2002003,111,222,1,1\n"
                                            "2002004,987,654,1,1\n2002005,345,678,1,1"));
    }
    QVERIFY(!latest->text().contains(QStringLiteral("345")));
    f.trigger("showFilterPage");
    QVERIFY2(latest->text().contains(QStringLiteral("345")), qPrintable(latest->text()));
}

void tst_MainWindowCommands::editorOpensOnTheNewestDraw()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), realHistoryBytes()));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, Qt::Key_F2);
    QApplication::processEvents();
    QPlainTextEdit* memo = editor(f);
    const QTextCursor caret = memo->textCursor();
    QVERIFY(caret.atEnd());
    QCOMPARE(caret.blockNumber(), memo->document()->blockCount() - 1);
    QVERIFY(memo->verticalScrollBar()->value() > 0);
    // The last line with text is in view.
    QTextCursor lastDraw(memo->document()->lastBlock());
    while (lastDraw.block().text().isEmpty() && lastDraw.blockNumber() > 0)
        lastDraw.movePosition(QTextCursor::PreviousBlock);
    QVERIFY(memo->viewport()->rect().contains(memo->cursorRect(lastDraw).center()));
    QVERIFY(memo->viewport()->rect().contains(memo->cursorRect().center()));
}

void tst_MainWindowCommands::helpInOwnWindowWhenTheSystemCannotOpenIt()
{
    MainWindowFixture f;
    const QString readme = f.path(QStringLiteral("readme.txt"));
    QVERIFY(writeFile(readme, "Velmora 使用说明\r\n第二行\r\n"));
    f.platform.shellOpenAnswer = false;
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, Qt::Key_F1);
    QCOMPARE(f.platform.opened, QList<QUrl> { QUrl::fromLocalFile(readme) });
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].contains(QStringLiteral("系统无法打开帮助文件")));
    QVERIFY(f.platform.messages[0].contains(readme));
    auto* help = find<velmora::HelpWindow>(&form);
    QVERIFY(help->isVisible());
    QVERIFY(help->isWindow());
    QCOMPARE(help->text(), QStringLiteral("Velmora 使用说明\n第二行\n"));
    QVERIFY(find<QPlainTextEdit>(help, QStringLiteral("helpText"))->isReadOnly());
    QCOMPARE(
        find<QPlainTextEdit>(help, QStringLiteral("helpText"))->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    // Centred on the main window, wherever that stands.
    QVERIFY((help->frameGeometry().center() - form.frameGeometry().center()).manhattanLength() <= 2);

    // The tool bar's button does the same, in the same window, centred again.
    help->hide();
    form.move(form.x() + 40, form.y() + 30);
    const auto* bar = f.part<QToolBar>("mainToolBar");
    QTest::mouseClick(
        bar->widgetForAction(velmora::test::toolBarAction(bar, QStringLiteral("帮助信息"))), Qt::LeftButton);
    QCOMPARE(f.platform.messages.size(), 2);
    QVERIFY(help->isVisible());
    QVERIFY((help->frameGeometry().center() - form.frameGeometry().center()).manhattanLength() <= 2);
    QCOMPARE(form.findChildren<velmora::HelpWindow*>().size(), 1);
}

void tst_MainWindowCommands::helpFileMissing()
{
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, Qt::Key_F1);
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY2(f.platform.messages[0].startsWith(
                 QStringLiteral("无法读取文件") + f.path(QStringLiteral("readme.txt"))),
        qPrintable(f.platform.messages[0]));
    QCOMPARE(f.platform.opened, QList<QUrl>());
    QVERIFY(form.findChildren<velmora::HelpWindow*>().isEmpty());
}

void tst_MainWindowCommands::newsSaysWhyNothingOpens()
{
    struct Row {
        const char* name;
        const char* action;
        QByteArray site;
        bool systemOpens;
        QString warning; // the start of the warning; empty: none
    };
    const Row rows[] = {
        { "news, no site set", "showNews", QByteArray(), true,
            QStringLiteral("未设置新闻网站。\n请在环境变量 VELMORA_SITE") },
        { "support, no site set", "showWebSite", QByteArray(), true,
            QStringLiteral("未设置新闻网站。\n请在环境变量 VELMORA_SITE") },
        { "news, site the system cannot open", "showNews", "http://127.0.0.1:9/news", false,
            QStringLiteral("系统无法打开网址 http://127.0.0.1:9/news") },
        { "news, site opened", "showNews", "http://127.0.0.1:9/news", true, QString() },
        { "support, site set", "showWebSite", "http://127.0.0.1:9/news", true, QString() },
    };
    for (const Row& row : rows) {
        MainWindowFixture f;
        f.platform.shellOpenAnswer = row.systemOpens;
        if (row.site.isEmpty())
            qunsetenv("VELMORA_SITE");
        else
            qputenv("VELMORA_SITE", row.site);
        f.startShown();
        f.trigger(row.action);
        qunsetenv("VELMORA_SITE");
        const bool opens = !row.site.isEmpty() && QByteArray(row.action) == "showNews";
        QCOMPARE(f.platform.opened.size(), opens ? 1 : 0);
        QCOMPARE(f.platform.messages, f.platform.warnings);
        if (row.warning.isEmpty()) {
            QVERIFY2(f.platform.warnings.isEmpty(), row.name);
        } else {
            QVERIFY2(
                f.platform.warnings.size() == 1 && f.platform.warnings[0].startsWith(row.warning), row.name);
        }
    }
}

// The program's texts stay Chinese; the system's reason in them follows the user's
// message locale (Qt sets it from the environment), here asked for by LANGUAGE.
void tst_MainWindowCommands::systemReasonInTheUsersLanguage()
{
    const QByteArray messageLocale = std::setlocale(LC_MESSAGES, nullptr);
    if (messageLocale == "C" || messageLocale == "POSIX")
        QSKIP("the environment sets no message locale (LANGUAGE needs one)");
    qputenv("LANGUAGE", "zh_CN");
    const QString reason = QString::fromUtf8(std::strerror(ELOOP));
    MainWindowFixture f;
    // A link to itself: opening it fails with the system's reason.
    QVERIFY(QFile::link(f.dataFile(), f.dataFile()));
    f.start();
    qunsetenv("LANGUAGE");
    QCOMPARE(f.platform.messages,
        QStringList { QStringLiteral("无法读取文件") + f.dataFile() + QStringLiteral("：") + reason });
    if (QFileInfo::exists(QStringLiteral("/usr/share/locale/zh_CN/LC_MESSAGES/libc.mo")))
        QVERIFY2(reason.at(0).unicode() > 0x7f, qPrintable(reason));
}

QTEST_MAIN(tst_MainWindowCommands)
#include "tst_MainWindowCommands.moc"
