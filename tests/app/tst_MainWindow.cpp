#include "app/MainWindowFixture.h"

#include "app/dialogs/ResultWindow.h"
#include "widgets/ElidedLabel.h"
#include "widgets/MultiCheck.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QDir>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolTip>

#include <unistd.h>

using namespace Qt::StringLiterals;

using velmora::MainWindow;
using velmora::PageControl;
using velmora::test::clickToolButton;
using velmora::test::find;

namespace {

PageControl* workPages(const MainWindowFixture& f) { return f.part<PageControl>("workPages"); }
PageControl* chartPages(const MainWindowFixture& f) { return f.part<PageControl>("chartPages"); }
QWidget* webPanel(const MainWindowFixture& f) { return f.part<QWidget>("webPanel"); }
velmora::ResultWindow* resultWindow(const MainWindowFixture& f)
{
    return find<velmora::ResultWindow>(f.window.get());
}
QPlainTextEdit* editor(const MainWindowFixture& f)
{
    return find<QPlainTextEdit>(&f.dataPage(), QStringLiteral("drawEditor"));
}
// A part of a page by object name.
template <typename T> T* pagePart(const QWidget& page, const char* name)
{
    return find<T>(&page, QString::fromLatin1(name));
}

void clickMainToolButton(const MainWindowFixture& f, const QString& caption)
{
    const auto* bar = f.part<QToolBar>("mainToolBar");
    QTest::mouseClick(bar->widgetForAction(velmora::test::toolBarAction(bar, caption)), Qt::LeftButton);
}

} // namespace

class tst_MainWindow : public QObject {
    Q_OBJECT

private slots:
    void startup_data();
    void startup();
    void unreadableDataFileAsksBeforeFirstSave_data();
    void unreadableDataFileAsksBeforeFirstSave();
    void captionAndResultWindow();
    void pageKeys_data();
    void pageKeys();
    void toolBarButtons_data();
    void toolBarButtons();
    void chartButtonKeepsLastChart();
    void omissionTableIsTheSeventhChart();
    void pageShownSignals();
    void webPanelComesBack();
    void helpCommands();
    void hintsGoToFirstPanel();
    void caretText();
    void resizeRecentres();
    void closeWithoutEdits();
    void closeWithEdits_data();
    void closeWithEdits();
    void closeWhenSaveFails();
    void commandErrorsAreShown();
};

void tst_MainWindow::startup_data()
{
    QTest::addColumn<QByteArray>("fileBytes");
    QTest::addColumn<bool>("createFile");
    QTest::addColumn<int>("records");
    QTest::newRow("real history") << historyLines(9000) << true << 8684;
    QTest::newRow("empty data file") << QByteArray() << true << 0;
    QTest::newRow("lf only") << QByteArray("2002001,073,526,2,2\n2002002,237,203,1,1") << true << 2;
    // The editor breaks the line at a lone CR, so the history has three draws.
    QTest::newRow("lone cr") << QByteArray("2002001,073,526,2,2\r2002002,237,203,1,1\r\n2002003,071,102,2,2")
                             << true << 3;
}

void tst_MainWindow::startup()
{
    QFETCH(QByteArray, fileBytes);
    QFETCH(bool, createFile);
    QFETCH(int, records);
    MainWindowFixture f;
    if (createFile)
        QVERIFY(writeFile(f.dataFile(), fileBytes));
    MainWindow& form = f.start();

    QCOMPARE(f.platform.messages, QStringList());
    QCOMPARE(f.document().filePath(), f.dataFile());
    QCOMPARE(int(f.history().size()), records);
    QString expected = QString::fromLatin1(fileBytes);
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QCOMPARE(f.document().text(), expected);
    QVERIFY(!f.document().isModified());
    QCOMPARE(form.frontArea(), webPanel(f));
    QCOMPARE(workPages(f)->activePageIndex(), 0);
    QCOMPARE(chartPages(f)->activePageIndex(), 5);
    for (const velmora::CodeSet* codes : { &f.filterPage().result(), &f.smartShrinkPage().base(),
             &f.smartShrinkPage().result(), &f.recommendPage().result() }) {
        QCOMPARE(int(codes->size()), 1000);
        QCOMPARE(velmora::codeSetCount(*codes), 0);
    }
    QVERIFY(!resultWindow(f)->isVisible());

    // The editor gets the text when the page is first shown, and it is the same text.
    form.show();
    f.trigger("showDataPage");
    QCOMPARE(editor(f)->toPlainText(), expected);
    QVERIFY(!f.document().isModified());
    QCOMPARE(int(f.history().size()), records);
}

void tst_MainWindow::unreadableDataFileAsksBeforeFirstSave_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("user declines") << false;
    QTest::newRow("user agrees") << true;
}

void tst_MainWindow::unreadableDataFileAsksBeforeFirstSave()
{
    QFETCH(bool, answer);
    MainWindowFixture f;
    // A file past the input limit cannot be read, even by root; saving replaces it
    // (a link loop could not be replaced: it is a file error).
    {
        QFile big(f.dataFile());
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64 { 100 } << 20));
    }
    MainWindow& form = f.startShown();
    f.trigger("showDataPage");
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].startsWith(
        QStringLiteral("无法读取文件") + f.dataFile() + QStringLiteral("：")));
    QVERIFY(f.history().empty());
    QCOMPARE(int(f.recommendPage().result().size()), 1000);

    editor(f)->setPlainText(QStringLiteral("2002001,073,526,2,2"));
    f.platform.confirmAnswer = answer;
    clickToolButton(&f.dataPage(), QStringLiteral("保存数据"));
    QCOMPARE(f.platform.confirmations.size(), 1);
    QCOMPARE(QFileInfo(f.dataFile()).size() == qint64 { 100 } << 20, !answer);
    QCOMPARE(int(f.history().size()), answer ? 1 : 0);
    // Declined, the status bar keeps the caret position of the text set above.
    QCOMPARE(form.statusText(0), answer ? QStringLiteral("保存文档完毕") : QStringLiteral("第1行1列"));
    if (answer) {
        QCOMPARE(readFile(f.dataFile()), QByteArray("2002001,073,526,2,2"));
        clickToolButton(&f.dataPage(), QStringLiteral("保存数据"));
        QCOMPARE(f.platform.confirmations.size(), 1);
    }
}

void tst_MainWindow::captionAndResultWindow()
{
    MainWindowFixture f;
    MainWindow& form = f.start();
    QCOMPARE(form.windowTitle(), QStringLiteral("Velmora — 福彩3D"));
    QCOMPARE(resultWindow(f)->windowTitle(), QStringLiteral("查看缩水结果"));
    QCOMPARE(resultWindow(f)->parentWidget(), static_cast<QWidget*>(&form));
    QCOMPARE(resultWindow(f)->geometry().size(), QSize(361, 391));
    // At the design size the filter page's panels fit the page.
    form.show();
    f.trigger("showFilterPage");
    QApplication::processEvents();
    QVERIFY(pagePart<QWidget>(f.filterPage(), "conditionPanel")->geometry().bottom()
        < pagePart<QWidget>(f.filterPage(), "panel")->height());
    QVERIFY(f.part<QLabel>("statusMessage")->width() >= 420);
    QCOMPARE(f.part<QLabel>("statusSpare")->width(), 80);
    QCOMPARE(f.part<QLabel>("statusSpareNarrow")->width(), 50);

    // A message longer than the first panel ends in "…" there; its tool tip has it whole.
    const QString report
        = QStringLiteral("直选命中：038（直选1040元）；同组号码：308、380、803、830（按组选投注：组六173元）")
              .repeated(2);
    f.setStatusText(report);
    auto* message = f.part<velmora::ElidedLabel>("statusMessage");
    QVERIFY(message->shownText().endsWith(QChar(0x2026)));
    QVERIFY(
        message->fontMetrics().horizontalAdvance(message->shownText()) <= message->contentsRect().width());
    QCOMPARE(form.statusText(0), report);
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), message->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(message, &hover);
    QTRY_COMPARE(QToolTip::text(), report);
    f.setStatusText(QStringLiteral("保存文档完毕"));
    QCOMPARE(message->shownText(), QStringLiteral("保存文档完毕"));
}

void tst_MainWindow::pageKeys_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<bool>("chart");
    QTest::addColumn<int>("page");
    QTest::newRow("F2 draw data") << QKeyCombination(Qt::Key_F2) << false << 0;
    QTest::newRow("F4 filter") << QKeyCombination(Qt::Key_F4) << false << 1;
    QTest::newRow("F5 smart shrink") << QKeyCombination(Qt::Key_F5) << false << 2;
    QTest::newRow("F6 recommendation") << QKeyCombination(Qt::Key_F6) << false << 3;
    QTest::newRow("Ctrl+F1 trend") << (Qt::CTRL | Qt::Key_F1) << true << 0;
    QTest::newRow("Ctrl+F2 K line") << (Qt::CTRL | Qt::Key_F2) << true << 1;
    QTest::newRow("Ctrl+F3 sum") << (Qt::CTRL | Qt::Key_F3) << true << 2;
    QTest::newRow("Ctrl+F4 sum tail") << (Qt::CTRL | Qt::Key_F4) << true << 3;
    QTest::newRow("Ctrl+F5 odd even") << (Qt::CTRL | Qt::Key_F5) << true << 4;
    QTest::newRow("Ctrl+F6 big small") << (Qt::CTRL | Qt::Key_F6) << true << 5;
    QTest::newRow("Ctrl+F7 omission table") << (Qt::CTRL | Qt::Key_F7) << true << 6;
}

void tst_MainWindow::pageKeys()
{
    QFETCH(QKeyCombination, key);
    QFETCH(bool, chart);
    QFETCH(int, page);
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    // Start from the other area so that the key must switch.
    if (chart)
        f.trigger("showDataPage");
    else
        f.trigger("showTrendChart");
    QTest::keyClick(&form, key.key(), key.keyboardModifiers());
    PageControl* expected = chart ? chartPages(f) : workPages(f);
    QCOMPARE(form.frontArea(), static_cast<QWidget*>(expected));
    QVERIFY(expected->isVisible());
    QCOMPARE(expected->activePageIndex(), page);
    if (page >= 0)
        QVERIFY(expected->widget(page)->isVisible());
    else
        QVERIFY(!expected->currentWidget()->isVisible());
    QVERIFY(!workPages(f)->tabBar()->isVisible());
    QCOMPARE(chartPages(f)->tabBar()->isVisible(), chart);
}

void tst_MainWindow::toolBarButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("area");
    QTest::addColumn<int>("page");
    QTest::newRow("开奖数据") << u"开奖数据"_s << u"workPages"_s << 0;
    QTest::newRow("缩水") << u"缩水"_s << u"workPages"_s << 1;
    QTest::newRow("智能缩水") << u"智能缩水"_s << u"workPages"_s << 2;
    QTest::newRow("智能推荐") << u"智能推荐"_s << u"workPages"_s << 3;
    QTest::newRow("号码工具") << u"号码工具"_s << u"workPages"_s << 4;
    QTest::newRow("我的投注") << u"我的投注"_s << u"workPages"_s << 5;
    QTest::newRow("分析图表") << u"分析图表"_s << u"chartPages"_s << 5;
    QTest::newRow("彩票新闻") << u"彩票新闻"_s << u"webPanel"_s << -1;
}

void tst_MainWindow::toolBarButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, area);
    QFETCH(int, page);
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    f.trigger("showRecommendPage");
    if (page == 3)
        f.trigger("showDataPage");
    QAction* action = nullptr;
    for (QAction* a : f.part<QToolBar>("mainToolBar")->actions()) {
        if (a->text() == button)
            action = a;
    }
    QVERIFY(action);
    QWidget* widget = f.part<QToolBar>("mainToolBar")->widgetForAction(action);
    QCOMPARE(widget->width(), 63);
    QTest::mouseClick(widget, Qt::LeftButton);
    QCOMPARE(form.frontArea()->objectName(), area);
    if (page >= 0) {
        const auto* pages = static_cast<PageControl*>(form.frontArea());
        QCOMPARE(pages->activePageIndex(), page);
        // The keyboard is on the page's first control, not on a tool bar.
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr && pages->currentWidget()->isAncestorOf(focus));
        QVERIFY2(qobject_cast<QToolBar*>(focus->parentWidget()) == nullptr, qPrintable(focus->objectName()));
    }
    QVERIFY(!workPages(f)->tabBar()->isVisible());
}

void tst_MainWindow::chartButtonKeepsLastChart()
{
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    f.trigger("showKLineChart");
    f.trigger("showDataPage");
    clickMainToolButton(f, QStringLiteral("分析图表"));
    QCOMPARE(form.frontArea(), static_cast<QWidget*>(chartPages(f)));
    QCOMPARE(chartPages(f)->activePageIndex(), 1);
    // A click on a tab switches charts too.
    QTest::mouseClick(
        chartPages(f)->tabBar(), Qt::LeftButton, {}, chartPages(f)->tabBar()->tabRect(4).center());
    QCOMPARE(chartPages(f)->activePageIndex(), 4);
    // Tabs are 80 pixels wide, or wider where a caption needs it.
    for (int i = 0; i < chartPages(f)->count(); ++i)
        QVERIFY(chartPages(f)->tabBar()->tabRect(i).width() >= 80);
}

void tst_MainWindow::omissionTableIsTheSeventhChart()
{
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    QAction* entry = f.part<QAction>("showOmissionTable");
    QMenu* chartMenu = nullptr;
    for (QAction* menu : form.menuBar()->actions()) {
        if (menu->menu()->actions().contains(entry))
            chartMenu = menu->menu();
    }
    QVERIFY(chartMenu);
    QCOMPARE(chartMenu->title(), u"分析图表(&G)"_s);
    QCOMPARE(chartMenu->actions().size(), 7);
    QCOMPARE(chartMenu->actions().last(), entry);
    QCOMPARE(entry->text(), u"遗漏统计表(&G)"_s);
    QVERIFY(entry->isVisible());
    QCOMPARE(chartPages(f)->count(), 7);
    QCOMPARE(chartPages(f)->tabText(6), u"遗漏统计表"_s);

    f.trigger("showKLineChart");
    QTest::keyClick(&form, Qt::Key_F7, Qt::ControlModifier);
    QCOMPARE(chartPages(f)->activePageIndex(), 6);
    QVERIFY(chartPages(f)->widget(6)->isVisible());
    QVERIFY(!chartPages(f)->widget(1)->isVisible());
    // The chart button comes back to it; a tab leaves it for a chart.
    f.trigger("showDataPage");
    clickMainToolButton(f, QStringLiteral("分析图表"));
    QCOMPARE(chartPages(f)->activePageIndex(), 6);
    QSignalSpy charts(&form, &MainWindow::chartPageShown);
    QTest::mouseClick(
        chartPages(f)->tabBar(), Qt::LeftButton, {}, chartPages(f)->tabBar()->tabRect(1).center());
    QCOMPARE(chartPages(f)->activePageIndex(), 1);
    QCOMPARE(charts.count(), 1);
    QCOMPARE(charts.at(0).at(0).toInt(), 1);
}

void tst_MainWindow::pageShownSignals()
{
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    QSignalSpy charts(&form, &MainWindow::chartPageShown);
    QSignalSpy works(&form, &MainWindow::workPageShown);
    f.trigger("showSumChart");
    f.trigger("showSumChart");
    QTest::mouseClick(
        chartPages(f)->tabBar(), Qt::LeftButton, {}, chartPages(f)->tabBar()->tabRect(4).center());
    clickMainToolButton(f, QStringLiteral("分析图表"));
    f.trigger("showOmissionTable");
    QList<int> shown;
    for (const auto& args : charts)
        shown << args.at(0).toInt();
    QCOMPARE(shown, (QList<int> { 2, 2, 4, 4, 6 }));

    f.trigger("showFilterPage");
    QCOMPARE(works.count(), 1);
    QCOMPARE(works.at(0).at(0).toInt(), 1);
}

void tst_MainWindow::webPanelComesBack()
{
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    QCOMPARE(form.frontArea(), webPanel(f));
    auto* browser = f.part<QTextBrowser>("webBrowser");
    QVERIFY(browser);
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Velmora V6.00")));
    f.trigger("showSmartShrinkPage");
    QCOMPARE(form.frontArea(), static_cast<QWidget*>(workPages(f)));
    QVERIFY(!webPanel(f)->isVisible());
    f.trigger("showWebSite");
    QCOMPARE(form.frontArea(), webPanel(f));
    QVERIFY(webPanel(f)->isVisible());
    QCOMPARE(workPages(f)->activePageIndex(), 2);
}

void tst_MainWindow::helpCommands()
{
    MainWindowFixture f;
    qunsetenv("VELMORA_SITE");
    QVERIFY(writeFile(f.path(QStringLiteral("readme.txt")), "Velmora"));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, Qt::Key_F1);
    QCOMPARE(f.platform.opened, QList<QUrl> { QUrl::fromLocalFile(f.path(QStringLiteral("readme.txt"))) });
    QCOMPARE(f.platform.messages, QStringList());

    qputenv("VELMORA_SITE", "http://127.0.0.1:9/news");
    f.trigger("showDataPage");
    f.trigger("showNews");
    qunsetenv("VELMORA_SITE");
    QCOMPARE(f.platform.opened.size(), 2);
    QCOMPARE(f.platform.opened[1], QUrl(QStringLiteral("http://127.0.0.1:9/news")));
    QCOMPARE(form.frontArea(), static_cast<QWidget*>(workPages(f)));

    f.trigger("showAbout");
    QCOMPARE(f.platform.abouts.size(), 1);
    QVERIFY(f.platform.abouts[0].startsWith(QStringLiteral("关于|Velmora V6.00")));
}

void tst_MainWindow::hintsGoToFirstPanel()
{
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    const auto* bar = f.part<QToolBar>("mainToolBar");
    QWidget* button = bar->widgetForAction(velmora::test::toolBarAction(bar, QStringLiteral("开奖数据")));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    QCOMPARE(form.statusText(0), QStringLiteral("编辑开奖数据"));
    QCOMPARE(form.statusText(1), QString()); // never a hint
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    QCOMPARE(form.statusText(0), QString());

    f.part<QAction>("downloadDraws")->showStatusText(form.menuBar());
    QCOMPARE(form.statusText(0), QStringLiteral("直接从网站下载开奖数据"));
    QCOMPARE(f.part<QAction>("downloadDraws")->toolTip(), QStringLiteral("在线更新开奖数据"));
    // An empty tip shows no pop-up on the tool bar.
    QHelpEvent tip(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button, &tip);
    QVERIFY(!QToolTip::isVisible());
}

void tst_MainWindow::caretText()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), "2002001,073,526,2,2\r\n2002002,237,203,1,1\r\n中文行\r\n"));
    MainWindow& form = f.startShown();
    f.trigger("showDataPage");
    QPlainTextEdit* memo = editor(f);
    memo->setFocus();
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, memo->cursorRect(QTextCursor()).center());
    QTextCursor start(memo->document());
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, memo->cursorRect(start).center());
    QCOMPARE(form.statusText(0), QStringLiteral("第1行1列"));

    QTest::keyClick(memo, Qt::Key_End);
    QCOMPARE(form.statusText(0), QStringLiteral("第1行20列"));
    QTest::keyClick(memo, Qt::Key_Down);
    QTest::keyClick(memo, Qt::Key_Down);
    QTest::keyClick(memo, Qt::Key_Home);
    QTest::keyClick(memo, Qt::Key_Right);
    QTest::keyClick(memo, Qt::Key_Right);
    QCOMPARE(form.statusText(0), QStringLiteral("第3行3列"));

    QTextCursor second(memo->document()->findBlockByNumber(1));
    second.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 7);
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, memo->cursorRect(second).center());
    QCOMPARE(form.statusText(0), QStringLiteral("第2行8列"));
}

void tst_MainWindow::resizeRecentres()
{
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    const velmora::FilterPage& filter = f.filterPage();
    const velmora::SmartShrinkPage& smart = f.smartShrinkPage();
    const velmora::RecommendPage& recommend = f.recommendPage();
    for (const QSize size : { QSize(1000, 700), QSize(901, 640), QSize(400, 500) }) {
        form.resize(size);
        f.trigger("showFilterPage");
        QApplication::processEvents();
        const QWidget* panel = pagePart<QWidget>(filter, "panel");
        const QWidget* conditions = pagePart<QWidget>(filter, "conditionPanel");
        const QWidget* bottom = pagePart<QWidget>(filter, "bottomPanel");
        const int w = panel->width();
        QCOMPARE(conditions->x(), (w - 764) / 2);
        QCOMPARE(pagePart<QWidget>(filter, "recentPanel")->x(), (w - 764) / 2);
        QCOMPARE(bottom->x(), (w - bottom->width()) / 2);
        QCOMPARE(bottom->y(), conditions->height() + 3);

        f.trigger("showSmartShrinkPage");
        QApplication::processEvents();
        const int w3 = pagePart<QWidget>(smart, "panel")->width();
        QCOMPARE(pagePart<QWidget>(smart, "memoPanel")->pos(), QPoint((w3 - 764) / 2, 1));
        QCOMPARE(pagePart<QWidget>(smart, "levelPanel")->x(), (w3 - 289) / 2);

        f.trigger("showRecommendPage");
        QApplication::processEvents();
        const QWidget* box = pagePart<QWidget>(recommend, "resultBox");
        // The box fills the page's scroll area, down to its designed size.
        QCOMPARE(box->size(), box->parentWidget()->size().expandedTo(box->minimumSize()));
        QCOMPARE(pagePart<QWidget>(recommend, "resultMemo")->geometry(),
            QRect(8, 48, box->width() - 16, box->height() - 56));
    }
}

void tst_MainWindow::closeWithoutEdits()
{
    MainWindowFixture f;
    const QByteArray bytes = historyLines(20);
    QVERIFY(writeFile(f.dataFile(), bytes));
    MainWindow& form = f.startShown();
    f.trigger("showDataPage");
    editor(f)->appendPlainText(QStringLiteral("x"));
    editor(f)->undo();
    QVERIFY(form.close());
    QCOMPARE(f.platform.saveQuestions, 0);
    QCOMPARE(readFile(f.dataFile()), bytes);
}

void tst_MainWindow::closeWithEdits_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    using velmora::SaveChoice;
    QTest::newRow("typed, cancel") << u"type"_s << int(SaveChoice::Cancel) << false << false;
    QTest::newRow("typed, discard") << u"type"_s << int(SaveChoice::Discard) << true << false;
    QTest::newRow("typed, save") << u"type"_s << int(SaveChoice::Save) << true << true;
    QTest::newRow("cleared, discard") << u"clear"_s << int(SaveChoice::Discard) << true << false;
    QTest::newRow("cleared, save") << u"clear"_s << int(SaveChoice::Save) << true << true;
}

void tst_MainWindow::closeWithEdits()
{
    QFETCH(QString, edit);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    MainWindowFixture f;
    const QByteArray bytes = historyLines(20);
    QVERIFY(writeFile(f.dataFile(), bytes));
    MainWindow& form = f.startShown();
    f.trigger("showDataPage");
    if (edit == QLatin1String("clear")) {
        f.platform.confirmAnswer = true;
        clickToolButton(&f.dataPage(), QStringLiteral("清空数据"));
    } else {
        editor(f)->setFocus();
        editor(f)->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor(f), QStringLiteral("2024001,123,456,0,0"));
    }
    const QString text = editor(f)->toPlainText();
    f.platform.saveAnswer = velmora::SaveChoice(answer);
    QCOMPARE(form.close(), closes);
    QCOMPARE(f.platform.saveQuestions, 1);
    QCOMPARE(form.isVisible(), !closes);
    if (saved) {
        QString crlf = text;
        crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        QCOMPARE(readFile(f.dataFile()), crlf.toLatin1());
    } else {
        QCOMPARE(readFile(f.dataFile()), bytes);
    }
}

void tst_MainWindow::closeWhenSaveFails()
{
    MainWindowFixture f;
    const QByteArray bytes = historyLines(5);
    QVERIFY(writeFile(f.dataFile(), bytes));
    QVERIFY(QFile::setPermissions(f.dataFile(), QFile::ReadOwner | QFile::ReadGroup));
    MainWindow& form = f.startShown();
    f.trigger("showDataPage");
    f.platform.confirmAnswer = true;
    clickToolButton(&f.dataPage(), QStringLiteral("清空数据"));
    f.platform.saveAnswer = velmora::SaveChoice::Save;
    QVERIFY(!form.close());
    QVERIFY(form.isVisible());
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].startsWith(QStringLiteral("无法写入文件")));
    QCOMPARE(readFile(f.dataFile()), bytes);
    f.platform.saveAnswer = velmora::SaveChoice::Discard;
    QVERIFY(form.close());
}

// An error a command raises ends the command and is shown in a message box; the
// window carries on.
void tst_MainWindow::commandErrorsAreShown()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(5)));
    f.startShown();
    f.trigger("showDataPage");
    const QString before = editor(f)->toPlainText();
    QVERIFY(QDir(f.folder.path()).mkdir(QStringLiteral("folder.txt")));
    f.platform.openAnswer = f.path(QStringLiteral("folder.txt"));
    clickToolButton(&f.dataPage(), QStringLiteral("导入数据"));
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].startsWith(QStringLiteral("无法读取文件")));
    QCOMPARE(editor(f)->toPlainText(), before);
    f.trigger("showFilterPage");
    QVERIFY(f.filterPage().isVisible());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
