// The main window on a 1366 x 768 screen: pages that scroll in a small window, the
// result and history-check windows beside the main window or docked in it, the
// user's choice between the two kept, and the main window's keys from those windows.
#include "app/MainWindowFixture.h"
#include "app/OffscreenScreen.h"

#include "app/dialogs/HistoryCheckWindow.h"
#include "app/dialogs/ResultWindow.h"
#include "widgets/PageControl.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QToolBar>

using velmora::HistoryCheckWindow;
using velmora::MainWindow;
using velmora::ResultWindow;
using velmora::test::clickToolButton;
using velmora::test::find;

namespace {

// Where a widget stands in the main window.
QRect rectIn(const QWidget& widget, const QWidget& window)
{
    return QRect(widget.mapTo(&window, QPoint(0, 0)), widget.size());
}

// The main window at the geometry, shown, on the filter page, over the real history.
MainWindow& openFilterPage(MainWindowFixture& f, const QRect& geometry)
{
    if (!writeFile(f.dataFile(), realHistoryBytes()))
        qFatal("cannot write the data file");
    MainWindow& form = f.startShown();
    form.setGeometry(geometry);
    f.trigger("showFilterPage");
    QApplication::processEvents();
    return form;
}

} // namespace

class tst_MainWindowDesktop : public QObject {
    Q_OBJECT

private slots:
    void screenIsTheOneAskedFor();
    void pagesScrollInASmallWindow_data();
    void pagesScrollInASmallWindow();
    void smallestWindowKeepsMenusAndToolBar();
    void resultShowsItselfBesideOrDocked_data();
    void resultShowsItselfBesideOrDocked();
    void historyCheckBesideOrDocked_data();
    void historyCheckBesideOrDocked();
    void usersChoiceIsKept();
    void mainWindowKeysWorkFromAToolWindow();
};

void tst_MainWindowDesktop::screenIsTheOneAskedFor()
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("offscreen")))
        QSKIP("the screens are the display's");
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1366, 768));
}

void tst_MainWindowDesktop::pagesScrollInASmallWindow_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("last"); // the control at the bottom right
    QTest::newRow("filter") << QStringLiteral("showFilterPage") << QStringLiteral("filterPage")
                            << QStringLiteral("codeTypeRow");
    QTest::newRow("smart shrink") << QStringLiteral("showSmartShrinkPage")
                                  << QStringLiteral("smartShrinkPage") << QStringLiteral("resultMemo");
}

// At 640 x 480 the page gets scroll bars, and scrolled to the end it shows its last control.
void tst_MainWindowDesktop::pagesScrollInASmallWindow()
{
    QFETCH(QString, command);
    QFETCH(QString, page);
    QFETCH(QString, last);
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    form.resize(640, 480);
    QCOMPARE(form.size(), QSize(640, 480));
    f.trigger(command.toLatin1().constData());
    QApplication::processEvents();
    auto* scroll = find<QScrollArea>(find<QWidget>(&form, page), QStringLiteral("pageScroll"));
    auto* control = find<QWidget>(scroll->widget(), last);
    QVERIFY(scroll->horizontalScrollBar()->isVisible());
    QVERIFY(scroll->verticalScrollBar()->isVisible());
    const QRect viewport = scroll->viewport()->rect();
    QVERIFY(!viewport.contains(QRect(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size())));

    // Both bars to their ends.
    for (QScrollBar* bar : { scroll->horizontalScrollBar(), scroll->verticalScrollBar() }) {
        QTest::keyClick(bar, Qt::Key_End);
        QCOMPARE(bar->value(), bar->maximum());
    }
    QVERIFY(viewport.contains(QRect(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size())));
}

void tst_MainWindowDesktop::smallestWindowKeepsMenusAndToolBar()
{
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    const QSize smallest = form.minimumSize();
    QVERIFY2(smallest.width() <= 640 && smallest.height() <= 480,
        qPrintable(QStringLiteral("%1x%2").arg(smallest.width()).arg(smallest.height())));
    form.resize(1, 1);
    QApplication::processEvents();
    QCOMPARE(form.size(), smallest);
    // Every menu and every button of the main tool bar in sight.
    const QMenuBar* menus = form.menuBar();
    for (QAction* menu : menus->actions())
        QVERIFY2(menus->rect().contains(menus->actionGeometry(menu)), qPrintable(menu->text()));
    const auto* bar = f.part<QToolBar>("mainToolBar");
    for (QAction* action : bar->actions()) {
        if (!action->isSeparator())
            QVERIFY2(bar->widgetForAction(action)->isVisible(), qPrintable(action->text()));
    }
}

void tst_MainWindowDesktop::resultShowsItselfBesideOrDocked_data()
{
    QTest::addColumn<QRect>("mainWindow");
    QTest::addColumn<bool>("floats");
    QTest::newRow("room on the right") << QRect(0, 0, 789, 584) << true;
    QTest::newRow("maximised") << QRect(0, 0, 1366, 768) << false;
    QTest::newRow("centred, short of room") << QRect(300, 80, 789, 584) << false;
}

// 号码缩水 (Ctrl+R) shows the result; it never covers the page.
void tst_MainWindowDesktop::resultShowsItselfBesideOrDocked()
{
    QFETCH(QRect, mainWindow);
    QFETCH(bool, floats);
    MainWindowFixture f;
    MainWindow& form = openFilterPage(f, mainWindow);
    auto* result = find<ResultWindow>(&form);
    QVERIFY(!result->isVisible());
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(f.window->statusText(0).startsWith(QStringLiteral("缩水结果总共1000注")));
    QVERIFY(result->isVisible());
    QCOMPARE(result->isFloating(), floats);
    if (floats) {
        QCOMPARE(result->frameGeometry().left(), form.frameGeometry().right() + 1);
        QCOMPARE(result->frameGeometry().top(), form.frameGeometry().top());
    } else {
        QCOMPARE(form.dockWidgetArea(result), Qt::RightDockWidgetArea);
        QVERIFY(!rectIn(*result, form).intersects(rectIn(*form.centralWidget(), form)));
        QVERIFY(result->width() <= form.width() * 2 / 5);
    }
    // Nothing of the choice is kept: it was the program's.
    QCOMPARE(f.platform.settings.value(QStringLiteral("windows/resultWindowFloats")), QVariant());

    // While it stays in view, the result keys belong to the page in front.
    f.trigger("showSmartShrinkPage");
    QTest::keyClick(&form, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(f.platform.offeredSaveNames.size(), 1);
}

void tst_MainWindowDesktop::historyCheckBesideOrDocked_data()
{
    QTest::addColumn<QRect>("mainWindow");
    QTest::addColumn<bool>("floats");
    QTest::newRow("room on the right") << QRect(0, 0, 700, 584) << true;
    QTest::newRow("room on the left") << QRect(666, 0, 700, 584) << true;
    QTest::newRow("maximised") << QRect(0, 0, 1366, 768) << false;
}

// 历史验证 opens beside the main window or docked in it; Escape closes it.
void tst_MainWindowDesktop::historyCheckBesideOrDocked()
{
    QFETCH(QRect, mainWindow);
    QFETCH(bool, floats);
    MainWindowFixture f;
    MainWindow& form = openFilterPage(f, mainWindow);
    f.trigger("showHistoryCheck");
    auto* check = find<HistoryCheckWindow>(&form);
    QVERIFY(check->isVisible());
    QCOMPARE(check->isFloating(), floats);
    if (floats)
        QVERIFY(!check->frameGeometry().intersects(form.frameGeometry()));
    else
        QVERIFY(!rectIn(*check, form).intersects(rectIn(*form.centralWidget(), form)));

    // Escape closes it from its table and from its count, and 历史验证 opens it again.
    auto* table = find<QTableView>(check, QStringLiteral("drawTable"));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    QTest::keyClick(table, Qt::Key_Escape);
    QVERIFY(!check->isVisible());
    f.trigger("showHistoryCheck");
    QVERIFY(check->isVisible());
    QCOMPARE(check->isFloating(), floats);
    QTest::keyClick(find<QWidget>(check, QStringLiteral("drawCountEdit")), Qt::Key_Escape);
    QVERIFY(!check->isVisible());
}

// Docked where there was no room, floated by the user (a double click on its title
// bar): it floats from then on, in this window and the next; docked by the user, it
// stays docked.
void tst_MainWindowDesktop::usersChoiceIsKept()
{
    const QRect maximised(0, 0, 1366, 768);
    MainWindowFixture f;
    MainWindow& form = openFilterPage(f, maximised);
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    auto* result = find<ResultWindow>(&form);
    QVERIFY(!result->isFloating());
    QTest::mouseDClick(result, Qt::LeftButton, {}, QPoint(result->width() / 2, 6));
    QVERIFY(result->isFloating());
    QCOMPARE(f.platform.settings.value(QStringLiteral("windows/resultWindowFloats")), QVariant(true));
    QTest::keyClick(&form, Qt::Key_F8);
    QVERIFY(!result->isVisible());
    QTest::keyClick(&form, Qt::Key_F8);
    QVERIFY(result->isVisible());
    QVERIFY(result->isFloating());

    MainWindowFixture next;
    next.platform.settings = f.platform.settings;
    MainWindow& nextForm = openFilterPage(next, maximised);
    QTest::keyClick(&nextForm, Qt::Key_F8);
    QVERIFY(find<ResultWindow>(&nextForm)->isFloating());

    // Docked by the user once: docked even where there is room beside.
    MainWindowFixture docked;
    docked.platform.settings.insert(QStringLiteral("windows/resultWindowFloats"), false);
    MainWindow& dockedForm = openFilterPage(docked, QRect(0, 0, 789, 584));
    QTest::keyClick(&dockedForm, Qt::Key_F8);
    QVERIFY(find<ResultWindow>(&dockedForm)->isVisible());
    QVERIFY(!find<ResultWindow>(&dockedForm)->isFloating());
}

// F5, F4 and Ctrl+R reach the main window while the history check, a window of its
// own, has the focus; the filter page's result keys work from the result window.
void tst_MainWindowDesktop::mainWindowKeysWorkFromAToolWindow()
{
    MainWindowFixture f;
    MainWindow& form = openFilterPage(f, QRect(0, 0, 700, 584));
    f.trigger("showHistoryCheck");
    auto* check = find<HistoryCheckWindow>(&form);
    QVERIFY(check->isFloating());
    check->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(check));
    auto* table = find<QTableView>(check, QStringLiteral("drawTable"));
    table->setFocus();
    const auto* pages = f.part<velmora::PageControl>("workPages");
    QTest::keyClick(table, Qt::Key_F5);
    QCOMPARE(pages->activePageIndex(), 2);
    QTest::keyClick(table, Qt::Key_F4);
    QCOMPARE(pages->activePageIndex(), 1);
    QTest::keyClick(table, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(f.window->statusText(0).startsWith(QStringLiteral("缩水结果总共1000注")));
    QVERIFY(check->isVisible());

    // From the result window, Ctrl+F checks a code in the result it shows.
    auto* result = find<ResultWindow>(&form);
    QVERIFY(result->isFloating());
    result->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(result));
    f.platform.inputAnswers = QStringList { QStringLiteral("038") };
    QTest::keyClick(result->memo(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(f.platform.inputAnswers.isEmpty());
    QVERIFY(f.window->statusText(0).startsWith(QStringLiteral("直选命中：038")));
}

VELMORA_TEST_MAIN_ON_SCREEN(tst_MainWindowDesktop, 1366, 768)
#include "tst_MainWindowDesktop.moc"
