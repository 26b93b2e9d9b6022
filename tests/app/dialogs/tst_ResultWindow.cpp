// The result window "查看缩水结果": an ordinary tool window placed beside the main
// window, never over its tool bars; "查看结果" (button or F8, from the main window or
// from the result window itself) shows it and a second press hides it. On a 1366 x 768
// screen; where it docks instead, see tst_MainWindowDesktop.
#include "app/MainWindowFixture.h"
#include "app/OffscreenScreen.h"

#include "app/dialogs/ResultWindow.h"
#include "core/play/Play.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolBar>

using velmora::ResultWindow;
using velmora::resultWindowPlace;
using velmora::test::clickToolButton;
using velmora::test::find;

class tst_ResultWindow : public QObject {
    Q_OBJECT

private slots:
    void place_data();
    void place();
    void flags();
    void besideTheMainWindow_data();
    void besideTheMainWindow();
    void keptWhereTheUserPutIt();
    void secondPressHides();
    void narrowDockedNeverSplitsACodeAndKeepsTheVerdict();
};

void tst_ResultWindow::place_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<int>("keepClearBottom");
    QTest::addColumn<QRect>("expected");
    const QRect screen(0, 0, 1280, 800);
    QTest::newRow("maximised owner: right edge below the tool bars")
        << screen << screen << 90 << QRect(919, 91, 361, 391);
    QTest::newRow("owner filling the height: cut to the room below the tool bars")
        << screen << QRect(0, 0, 1200, 800) << 500 << QRect(919, 501, 361, 299);
    QTest::newRow("room on the right: beside the owner, top-aligned")
        << screen << QRect(100, 50, 789, 584) << 140 << QRect(889, 50, 361, 391);
    QTest::newRow("exactly enough room on the right")
        << screen << QRect(0, 50, 919, 584) << 140 << QRect(919, 50, 361, 391);
    QTest::newRow("one pixel short: right edge")
        << screen << QRect(0, 50, 920, 584) << 140 << QRect(919, 141, 361, 391);
    QTest::newRow("owner low on the screen: moved up to stay on it")
        << screen << QRect(0, 600, 400, 200) << 650 << QRect(400, 409, 361, 391);
    QTest::newRow("screen with an offset")
        << QRect(1280, 0, 1024, 768) << QRect(1280, 0, 1024, 768) << 60 << QRect(1943, 61, 361, 391);
    QTest::newRow("no room below the tool bars: the smallest height")
        << screen << screen << 790 << QRect(919, 791, 361, 120);
}

void tst_ResultWindow::place()
{
    QFETCH(QRect, screen);
    QFETCH(QRect, owner);
    QFETCH(int, keepClearBottom);
    QFETCH(QRect, expected);
    QCOMPARE(resultWindowPlace(screen, owner, keepClearBottom, QSize(361, 391), 120), expected);
}

void tst_ResultWindow::flags()
{
    MainWindowFixture f;
    f.platform.settings.insert(QStringLiteral("windows/resultWindowFloats"), true);
    velmora::MainWindow& form = f.startShown();
    f.trigger("showFilterPage");
    QTest::keyClick(&form, Qt::Key_F8);
    auto* window = find<ResultWindow>(&form);
    QCOMPARE(window->windowType(), Qt::Tool);
    QVERIFY(!(window->windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(window->isWindow());
    QCOMPARE(window->parentWidget(), static_cast<QWidget*>(&form));
    QVERIFY(window->memo()->tabChangesFocus());
}

void tst_ResultWindow::besideTheMainWindow_data()
{
    QTest::addColumn<QRect>("mainWindow");
    QTest::addColumn<bool>("toTheRight");
    QTest::newRow("room on the right") << QRect(0, 0, 789, 584) << true;
    QTest::newRow("no room on the right, floated by the user") << QRect(300, 0, 789, 584) << false;
}

// F8 runs 查看结果; a window the user floated keeps floating where there is no room.
void tst_ResultWindow::besideTheMainWindow()
{
    QFETCH(QRect, mainWindow);
    QFETCH(bool, toTheRight);
    MainWindowFixture f;
    if (!toTheRight)
        f.platform.settings.insert(QStringLiteral("windows/resultWindowFloats"), true);
    velmora::MainWindow& form = f.startShown();
    form.setGeometry(mainWindow);
    f.trigger("showFilterPage");
    QApplication::processEvents();
    QTest::keyClick(&form, Qt::Key_F8);
    auto* window = find<ResultWindow>(&form);
    QVERIFY(window->isVisible());
    QVERIFY(window->isFloating());
    const QRect frame = window->frameGeometry();
    const auto* pageBar = find<QToolBar>(&f.filterPage(), QStringLiteral("toolBar"));
    const QRect pageBarRect(pageBar->mapToGlobal(QPoint(0, 0)), pageBar->size());
    const auto* mainBar = f.part<QToolBar>("mainToolBar");
    const QRect mainBarRect(mainBar->mapToGlobal(QPoint(0, 0)), mainBar->size());
    QVERIFY2(!frame.intersects(pageBarRect),
        qPrintable(QStringLiteral("%1,%2").arg(frame.top()).arg(pageBarRect.bottom())));
    QVERIFY(!frame.intersects(mainBarRect));
    if (toTheRight) {
        QCOMPARE(frame.left(), form.frameGeometry().right() + 1);
        QCOMPARE(frame.top(), form.frameGeometry().top());
    } else {
        QCOMPARE(frame.right(), QGuiApplication::primaryScreen()->availableGeometry().right());
        QVERIFY(frame.top() > pageBarRect.bottom());
    }
}

void tst_ResultWindow::keptWhereTheUserPutIt()
{
    MainWindowFixture f;
    velmora::MainWindow& form = f.startShown();
    form.setGeometry(0, 0, 789, 584);
    f.trigger("showFilterPage");
    QApplication::processEvents();
    auto* window = find<ResultWindow>(&form);
    QTest::keyClick(&form, Qt::Key_F8);
    // Moved by the user below the main window: it stays there after hide and show.
    window->move(10, 600);
    QTest::keyClick(&form, Qt::Key_F8);
    QVERIFY(!window->isVisible());
    QTest::keyClick(&form, Qt::Key_F8);
    QCOMPARE(window->frameGeometry().topLeft(), QPoint(10, 600));
    // Moved over the tool bars: placed beside the main window again.
    QTest::keyClick(&form, Qt::Key_F8);
    window->move(0, 0);
    QTest::keyClick(&form, Qt::Key_F8);
    QCOMPARE(window->frameGeometry().topLeft(), QPoint(form.frameGeometry().right() + 1, 0));
}

void tst_ResultWindow::secondPressHides()
{
    MainWindowFixture f;
    velmora::MainWindow& form = f.startShown();
    f.trigger("showFilterPage");
    auto* window = find<ResultWindow>(&form);
    QTest::keyClick(&form, Qt::Key_F8);
    QVERIFY(window->isVisible());
    QTest::keyClick(&form, Qt::Key_F8);
    QVERIFY(!window->isVisible());

    // With the result window active the key still reaches the command and hides it.
    QTest::keyClick(&form, Qt::Key_F8);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window->memo(), Qt::Key_F8);
    QVERIFY(!window->isVisible());
}

// Docked beside an 800 x 600 window with no room on the screen: every line of codes
// stays whole; the prize check offers the latest draw, its verdict and the whole
// result's stand whole above the codes; floated from the dock, the window goes beside
// the main window at a usable size.
void tst_ResultWindow::narrowDockedNeverSplitsACodeAndKeepsTheVerdict()
{
    MainWindowFixture f;
    velmora::MainWindow& form = f.startShown();
    form.setGeometry(400, 40, 800, 600);
    f.trigger("showFilterPage");
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    auto* window = find<ResultWindow>(&form);
    QTRY_VERIFY(window->isVisible());
    QVERIFY(!window->isFloating());
    QVERIFY(window->width() < 361);
    QTextBlock block = window->memo()->document()->firstBlock();
    int codeLines = 0;
    const QAbstractTextDocumentLayout* layout = window->memo()->document()->documentLayout();
    int widest = 0;
    for (; block.isValid(); block = block.next()) {
        layout->blockBoundingRect(block);
        QCOMPARE(block.layout()->lineCount(), 1);
        widest = std::max(widest, window->memo()->fontMetrics().horizontalAdvance(block.text()));
        codeLines += block.text().contains(QLatin1Char(',')) ? 1 : 0;
    }
    QCOMPARE(codeLines, 100);
    // Too narrow for a line: wrapped, a code would have been broken.
    QVERIFY2(widest > window->memo()->viewport()->width(),
        qPrintable(QStringLiteral("%1 %2").arg(widest).arg(window->memo()->viewport()->width())));

    const velmora::DrawRecord latest = f.history().back();
    const QString latestCode = QString::fromStdString(velmora::codeText(latest.drawCode));
    f.platform.inputAnswers << latestCode;
    QTest::keyClick(&form, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(f.platform.inputOffers, QStringList { latestCode });
    auto* verdict = find<QLabel>(window, QStringLiteral("verdictLine"));
    QVERIFY(verdict->isVisible());
    QVERIFY(verdict->text().startsWith(QStringLiteral("直选命中：") + latestCode));
    QCOMPARE(f.part<QLabel>("statusMessage")->toolTip().isEmpty()
            ? f.part<QLabel>("statusMessage")->text()
            : f.part<QLabel>("statusMessage")->toolTip(),
        verdict->text());
    QVERIFY(verdict->heightForWidth(verdict->width()) <= verdict->height());

    // Every code of the result against the latest draw: the draw itself and the rest of its group.
    QTest::keyClick(&form, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    const int groupMates = velmora::groupKindOf(latest.drawCode) == velmora::GroupKind::Six ? 5
        : velmora::groupKindOf(latest.drawCode) == velmora::GroupKind::Three                ? 2
                                                                                            : 0;
    const int groupPrize
        = groupMates * velmora::betPrize(velmora::Play::Group, latest.drawCode, latest.drawCode);
    QCOMPARE(verdict->text(),
        QStringLiteral("按最新一期兑奖（第%1期，开奖号%2）：直选1注1040元，组选%3注%4元，共%5元")
            .arg(QString::fromStdString(latest.issueText()), latestCode)
            .arg(groupMates)
            .arg(groupPrize)
            .arg(1040 + groupPrize));
    QCOMPARE(window->memo()->extraSelections().size(), 1 + groupMates);
    // A new result drops the verdict of the old.
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    QTRY_VERIFY(!verdict->isVisible());

    // Floated by a double-click on its title: beside the main window, never over the menus.
    const QPoint title(window->width() / 2, 6);
    QTest::mouseDClick(window, Qt::LeftButton, {}, title);
    QTRY_VERIFY(window->isFloating());
    QTRY_VERIFY(window->width() >= ResultWindow::kDesignSize.width());
    const QRect menus(form.menuBar()->mapToGlobal(QPoint(0, 0)), form.menuBar()->size());
    QVERIFY(!window->frameGeometry().intersects(menus));
    QVERIFY(window->frameGeometry().topLeft() != QPoint(0, 0));
    QVERIFY(window->height() >= ResultWindow::kDesignSize.height() / 2);
}

VELMORA_TEST_MAIN_ON_SCREEN(tst_ResultWindow, 1366, 768)
#include "tst_ResultWindow.moc"
