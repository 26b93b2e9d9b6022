#include "app/MainWindowFixture.h"

#include "app/dialogs/ResultWindow.h"
#include "widgets/MultiCheck.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolTip>

#include <unistd.h>

using velmora::MainWindow;
using velmora::PageControl;

class tst_TMainForm : public QObject {
    Q_OBJECT

private slots:
    void startup_data();
    void startup();
    void unreadableDataFileAsksBeforeFirstSave_data();
    void unreadableDataFileAsksBeforeFirstSave();
    void captionAndResultWindow();
    void filterCheckControlsInPlace();
    void pageKeys_data();
    void pageKeys();
    void toolBarButtons_data();
    void toolBarButtons();
    void chartButtonKeepsLastChart();
    void hiddenEntryKeepsItsKey();
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

void tst_TMainForm::startup_data()
{
    QTest::addColumn<QByteArray>("fileBytes");
    QTest::addColumn<bool>("createFile");
    QTest::addColumn<int>("records");
    QTest::newRow("real history") << HistoryLines(9000) << true << 8684;
    QTest::newRow("no data file") << QByteArray() << false << 0;
    QTest::newRow("empty data file") << QByteArray() << true << 0;
    QTest::newRow("lf only") << QByteArray("2002001,073,526,2,2\n2002002,237,203,1,1") << true << 2;
}

void tst_TMainForm::startup()
{
    QFETCH(QByteArray, fileBytes);
    QFETCH(bool, createFile);
    QFETCH(int, records);
    MainFormFixture f;
    if (createFile)
        QVERIFY(WriteBytes(f.DataFile(), fileBytes));
    MainWindow& form = f.Start();

    QCOMPARE(f.Platform.Messages, QStringList());
    QCOMPARE(form.dataFileName, f.DataFile());
    QCOMPARE(int(form.m_history.size()), records);
    QString expected = QString::fromLatin1(fileBytes);
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(form.dataMemo->toPlainText(), expected);
    QCOMPARE(form.frontArea(), form.webPanel);
    QCOMPARE(form.mainPctl->activePageIndex(), 0);
    QCOMPARE(form.gridPctl->activePageIndex(), 5);
    for (const velmora::CodeSet* codes :
        { &form.sheet2Codes, &form.sheet3InitCodes, &form.sheet3TargetCodes, &form.sheet4Codes }) {
        QCOMPARE(int(codes->size()), 1000);
        QCOMPARE(velmora::codeSetCount(*codes), 0);
    }
    QVERIFY(!form.codeViewForm->isVisible());
}

void tst_TMainForm::unreadableDataFileAsksBeforeFirstSave_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("user declines") << false;
    QTest::newRow("user agrees") << true;
}

void tst_TMainForm::unreadableDataFileAsksBeforeFirstSave()
{
    QFETCH(bool, answer);
    MainFormFixture f;
    // A file past the input limit cannot be read, even by root; saving replaces it
    // (a link loop could not be replaced: it is a file error).
    {
        QFile big(f.DataFile());
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64 { 100 } << 20));
    }
    MainWindow& form = f.Start();
    QCOMPARE(f.Platform.Messages.size(), 1);
    QVERIFY(f.Platform.Messages[0].startsWith(
        QStringLiteral("无法读取文件") + f.DataFile() + QStringLiteral("：")));
    QVERIFY(form.m_history.empty());
    QCOMPARE(int(form.sheet4Codes.size()), 1000);

    form.dataMemo->setPlainText(QStringLiteral("2002001,073,526,2,2"));
    f.Platform.ConfirmAnswer = answer;
    form.sheet1TbrSaveBtClick();
    QCOMPARE(f.Platform.Confirmations.size(), 1);
    QCOMPARE(QFileInfo(f.DataFile()).size() == qint64 { 100 } << 20, !answer);
    QCOMPARE(int(form.m_history.size()), answer ? 1 : 0);
    QCOMPARE(form.statusText(0), answer ? QStringLiteral("保存文档完毕") : QString());
    if (answer) {
        QCOMPARE(ReadBytes(f.DataFile()), QByteArray("2002001,073,526,2,2"));
        form.sheet1TbrSaveBtClick();
        QCOMPARE(f.Platform.Confirmations.size(), 1);
    }
}

void tst_TMainForm::captionAndResultWindow()
{
    MainFormFixture f;
    MainWindow& form = f.Start();
    QVERIFY(form.windowTitle().startsWith(QStringLiteral("Velmora V6.00")));
    QCOMPARE(form.codeViewForm->windowTitle(), QStringLiteral("查看缩水结果"));
    QVERIFY(form.codeViewForm->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(form.codeViewForm->geometry().size(), QSize(361, 391));
    QCOMPARE(form.minimumSize(), QSize(300, 300));
    // At the design size the filter page's panels fit the page.
    form.show();
    form.rcmMenuSuperScaleClick();
    QApplication::processEvents();
    QVERIFY(form.sheet2PanelCenter->geometry().bottom() < form.sheet2Panel->height());
    QCOMPARE(form.statusPanels[0]->width(), 420);
    QCOMPARE(form.statusPanels[1]->width(), 80);
    QCOMPARE(form.statusPanels[2]->width(), 50);
}

void tst_TMainForm::filterCheckControlsInPlace()
{
    struct Expected {
        QWidget* parent;
        int count;
        QString first;
        QString last;
        QRect geometry;
    };
    MainFormFixture f;
    MainWindow& form = f.Start();
    const auto controls = form.filterCheckControls();
    const Expected expected[22] = {
        { form.sheet2PanelTop, 4, "0", "3", QRect(99, 12, 4 * 30 + 3, 20) },
        { form.sheet2PanelTop, 4, "0", "3", QRect(99, 28, 123, 20) },
        { form.sheet2PanelTop, 4, "0", "3", QRect(99, 44, 123, 20) },
        { form.sheet2PanelTop, 4, "0", "3", QRect(330, 12, 123, 20) },
        { form.sheet2PanelTop, 4, "0", "3", QRect(330, 28, 123, 20) },
        { form.sheet2PanelTop, 4, "0", "3", QRect(330, 44, 123, 20) },
        { form.sheet2Gbx1, 10, "0", "9", QRect(44, 42, 303, 20) },
        { form.sheet2Gbx1, 10, "0", "9", QRect(44, 64, 303, 20) },
        { form.sheet2Gbx1, 10, "0", "9", QRect(44, 86, 303, 20) },
        { form.sheet2Gbx2, 10, "0", "9", QRect(80, 20, 343, 20) },
        { form.sheet2Gbx2, 30, "00", "29", QRect(80, 46, 343, 54) },
        { form.sheet2Gbx2, 10, "300", "003", QRect(80, 105, 353, 37) },
        { form.sheet2Gbx2, 10, "300", "003", QRect(80, 145, 353, 37) },
        { form.sheet2Gbx2, 4, "0:3", "3:0", QRect(80, 186, 4 * 84 + 3, 20) },
        { form.sheet2Gbx2, 4, "0:3", "3:0", QRect(80, 212, 339, 20) },
        { form.sheet2Gbx3, 4, "0", "3", QRect(118, 24, 139, 20) },
        { form.sheet2Gbx3, 4, "0", "3", QRect(118, 48, 139, 20) },
        { form.sheet2Gbx3, 4, "0", "3", QRect(118, 72, 139, 20) },
        { form.sheet2Gbx3, 4, "0", "3", QRect(118, 96, 139, 20) },
        { form.sheet2Gbx3, 4, "0", "3", QRect(118, 120, 139, 20) },
        { form.sheet2Gbx4, 3, "不连", "拖拉机", QRect(80, 140, 213, 20) },
        { form.sheet2Gbx4, 3, "组六", "豹子", QRect(80, 160, 213, 20) },
    };
    for (int i = 0; i < 22; ++i) {
        const velmora::MultiCheck* chk = controls[i];
        QVERIFY2(chk, qPrintable(QString::number(i)));
        QCOMPARE(chk->parentWidget(), expected[i].parent);
        QCOMPARE(chk->count(), expected[i].count);
        QCOMPARE(chk->caption(0), expected[i].first);
        QCOMPARE(chk->caption(chk->count() - 1), expected[i].last);
        QCOMPARE(chk->geometry(), expected[i].geometry);
        QCOMPARE(chk->checkedCount(), 0);
        QCOMPARE(chk->cursor().shape(), Qt::PointingHandCursor);
        // Every control lies inside its parent.
        QVERIFY2(expected[i].parent->rect().contains(chk->geometry()), chk->objectName().toLatin1());
    }
    controls[10]->checkAll();
    controls[20]->setCheck(1, true);
    form.sheet2TbrClearBtClick();
    QCOMPARE(controls[10]->checkedCount() + controls[20]->checkedCount(), 0);
}

void tst_TMainForm::pageKeys_data()
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
    QTest::newRow("Ctrl+F7 no page") << (Qt::CTRL | Qt::Key_F7) << true << -1;
}

void tst_TMainForm::pageKeys()
{
    QFETCH(QKeyCombination, key);
    QFETCH(bool, chart);
    QFETCH(int, page);
    MainFormFixture f;
    MainWindow& form = f.StartShown();
    // Start from the other area so that the key must switch.
    if (chart)
        form.fileMenuManulClick();
    else
        form.gridMenu3dzstClick();
    QTest::keyClick(&form, key.key(), key.keyboardModifiers());
    PageControl* expected = chart ? form.gridPctl : form.mainPctl;
    QCOMPARE(form.frontArea(), static_cast<QWidget*>(expected));
    QVERIFY(expected->isVisible());
    QCOMPARE(expected->activePageIndex(), page);
    if (page >= 0)
        QVERIFY(expected->widget(page)->isVisible());
    else
        QVERIFY(!expected->currentWidget()->isVisible());
    QVERIFY(!form.mainPctl->tabBar()->isVisible());
    QCOMPARE(form.gridPctl->tabBar()->isVisible(), chart);
}

void tst_TMainForm::toolBarButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("area");
    QTest::addColumn<int>("page");
    QTest::newRow("开奖数据") << "开奖数据"
                              << "MainPctl" << 0;
    QTest::newRow("缩水") << "缩水"
                          << "MainPctl" << 1;
    QTest::newRow("智能缩水") << "智能缩水"
                              << "MainPctl" << 2;
    QTest::newRow("智能推荐") << "智能推荐"
                              << "MainPctl" << 3;
    QTest::newRow("分析图表") << "分析图表"
                              << "GridPctl" << 5;
    QTest::newRow("彩票新闻") << "彩票新闻"
                              << "WebPanel" << -1;
}

void tst_TMainForm::toolBarButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, area);
    QFETCH(int, page);
    MainFormFixture f;
    MainWindow& form = f.StartShown();
    form.rcmMenuSmartRcmClick();
    if (page == 3)
        form.fileMenuManulClick();
    QAction* action = nullptr;
    for (QAction* a : form.mainTbr->actions()) {
        if (a->text() == button)
            action = a;
    }
    QVERIFY(action);
    QWidget* widget = form.mainTbr->widgetForAction(action);
    QCOMPARE(widget->width(), 63);
    QTest::mouseClick(widget, Qt::LeftButton);
    QCOMPARE(form.frontArea()->objectName(), area);
    if (page >= 0)
        QCOMPARE(static_cast<PageControl*>(form.frontArea())->activePageIndex(), page);
    QVERIFY(!form.mainPctl->tabBar()->isVisible());
}

void tst_TMainForm::chartButtonKeepsLastChart()
{
    MainFormFixture f;
    MainWindow& form = f.StartShown();
    form.gridMenuKxfbtClick();
    form.fileMenuManulClick();
    form.gridMenuBtClick();
    QCOMPARE(form.frontArea(), static_cast<QWidget*>(form.gridPctl));
    QCOMPARE(form.gridPctl->activePageIndex(), 1);
    // A click on a tab switches charts too.
    QTest::mouseClick(
        form.gridPctl->tabBar(), Qt::LeftButton, {}, form.gridPctl->tabBar()->tabRect(4).center());
    QCOMPARE(form.gridPctl->activePageIndex(), 4);
    // Tabs are 80 pixels wide, or wider where a caption needs it.
    for (int i = 0; i < form.gridPctl->count(); ++i)
        QVERIFY(form.gridPctl->tabBar()->tabRect(i).width() >= 80);
}

void tst_TMainForm::hiddenEntryKeepsItsKey()
{
    MainFormFixture f;
    MainWindow& form = f.StartShown();
    for (QAction* menu : form.menuBar()->actions()) {
        QVERIFY(!menu->menu()->actions().contains(form.gridMenuDxtjt));
    }
    form.gridMenuKxfbtClick();
    QTest::keyClick(&form, Qt::Key_F7, Qt::ControlModifier);
    QCOMPARE(form.gridPctl->activePageIndex(), -1);
    QVERIFY(form.gridPctl->tabBar()->isVisible());
    QVERIFY(!form.gridPctl->widget(1)->isVisible());
    // The chart button keeps the empty selection; a tab brings a chart back.
    form.fileMenuManulClick();
    form.gridMenuBtClick();
    QCOMPARE(form.gridPctl->activePageIndex(), -1);
    // The tab of the page that was selected before: the chart shows again, and is rebuilt.
    QSignalSpy charts(&form, &MainWindow::chartPageShown);
    QTest::mouseClick(
        form.gridPctl->tabBar(), Qt::LeftButton, {}, form.gridPctl->tabBar()->tabRect(1).center());
    QCOMPARE(form.gridPctl->activePageIndex(), 1);
    QVERIFY(form.gridPctl->widget(1)->isVisible());
    QCOMPARE(charts.count(), 1);
    QCOMPARE(charts.at(0).at(0).toInt(), 1);
}

void tst_TMainForm::pageShownSignals()
{
    MainFormFixture f;
    MainWindow& form = f.StartShown();
    QSignalSpy charts(&form, &MainWindow::chartPageShown);
    QSignalSpy works(&form, &MainWindow::workPageShown);
    form.gridMenuHzfbtClick();
    form.gridMenuHzfbtClick();
    QTest::mouseClick(
        form.gridPctl->tabBar(), Qt::LeftButton, {}, form.gridPctl->tabBar()->tabRect(4).center());
    form.gridMenuBtClick();
    form.gridMenuDxtjtClick();
    QList<int> shown;
    for (const auto& args : charts)
        shown << args.at(0).toInt();
    QCOMPARE(shown, (QList<int> { 2, 2, 4, 4 }));

    form.rcmMenuSuperScaleClick();
    QCOMPARE(works.count(), 1);
    QCOMPARE(works.at(0).at(0).toInt(), 1);
}

void tst_TMainForm::webPanelComesBack()
{
    MainFormFixture f;
    MainWindow& form = f.StartShown();
    QCOMPARE(form.frontArea(), form.webPanel);
    auto* browser = qobject_cast<QTextBrowser*>(form.webBrowser);
    QVERIFY(browser);
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Velmora V6.00")));
    form.rcmMenuSmartScaleClick();
    QCOMPARE(form.frontArea(), static_cast<QWidget*>(form.mainPctl));
    QVERIFY(!form.webPanel->isVisible());
    form.helpMenuWebSite->trigger();
    QCOMPARE(form.frontArea(), form.webPanel);
    QVERIFY(form.webPanel->isVisible());
    QCOMPARE(form.mainPctl->activePageIndex(), 2);
}

void tst_TMainForm::helpCommands()
{
    MainFormFixture f;
    qunsetenv("VELMORA_SITE");
    MainWindow& form = f.StartShown();
    QTest::keyClick(&form, Qt::Key_F1);
    QCOMPARE(f.Platform.Opened, QList<QUrl> { QUrl::fromLocalFile(f.Path(QStringLiteral("readme.txt"))) });

    form.fileMenuManulClick();
    form.helpMenuOnLine->trigger();
    QCOMPARE(form.frontArea(), form.webPanel);
    QCOMPARE(f.Platform.Opened.size(), 1);

    qputenv("VELMORA_SITE", "http://127.0.0.1:9/news");
    form.fileMenuManulClick();
    form.helpMenuOnLine->trigger();
    qunsetenv("VELMORA_SITE");
    QCOMPARE(f.Platform.Opened.size(), 2);
    QCOMPARE(f.Platform.Opened[1], QUrl(QStringLiteral("http://127.0.0.1:9/news")));
    QCOMPARE(form.frontArea(), static_cast<QWidget*>(form.mainPctl));

    form.helpMenuAbout->trigger();
    QCOMPARE(f.Platform.Abouts.size(), 1);
    QVERIFY(f.Platform.Abouts[0].startsWith(QStringLiteral("关于|Velmora V6.00")));
}

void tst_TMainForm::hintsGoToFirstPanel()
{
    MainFormFixture f;
    MainWindow& form = f.StartShown();
    QWidget* button = form.mainTbr->widgetForAction(form.fileMenuManulBt);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    QCOMPARE(form.statusText(0), QStringLiteral("编辑开奖数据"));
    QCOMPARE(form.statusText(1), QString());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    QCOMPARE(form.statusText(0), QString());

    form.fileMenuDown->showStatusText(form.menuBar());
    QCOMPARE(form.statusText(0), QStringLiteral("直接从网站下载开奖数据"));
    QCOMPARE(form.fileMenuDown->toolTip(), QStringLiteral("在线更新开奖数据"));
    // An empty tip shows no pop-up on the tool bar.
    QHelpEvent tip(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button, &tip);
    QVERIFY(!QToolTip::isVisible());
}

void tst_TMainForm::caretText()
{
    MainFormFixture f;
    QVERIFY(WriteBytes(f.DataFile(), "2002001,073,526,2,2\r\n2002002,237,203,1,1\r\n中文行\r\n"));
    MainWindow& form = f.StartShown();
    form.fileMenuManulClick();
    QPlainTextEdit* memo = form.dataMemo;
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

void tst_TMainForm::resizeRecentres()
{
    MainFormFixture f;
    MainWindow& form = f.StartShown();
    for (const QSize size : { QSize(1000, 700), QSize(901, 640), QSize(400, 500) }) {
        form.resize(size);
        form.rcmMenuSuperScaleClick();
        QApplication::processEvents();
        const int w = form.sheet2Panel->width();
        QCOMPARE(form.sheet2PanelCenter->x(), (w - 764) / 2);
        QCOMPARE(form.sheet2PanelTop->x(), (w - 764) / 2);
        QCOMPARE(form.sheet2PanelBottom->x(), (w - form.sheet2PanelBottom->width()) / 2);
        QCOMPARE(form.sheet2PanelBottom->y(), form.sheet2PanelCenter->height() + 3);

        form.rcmMenuSmartScaleClick();
        QApplication::processEvents();
        QCOMPARE(form.sheet3PanelCenter->pos(), QPoint((form.sheet3Panel->width() - 764) / 2, 1));
        QCOMPARE(form.sheet3PanelBottom->x(), (form.sheet3Panel->width() - 289) / 2);

        form.rcmMenuSmartRcmClick();
        QApplication::processEvents();
        QCOMPARE(form.sheet4Gbx->size(), form.sheet2Panel->size());
        QCOMPARE(form.sheet4Memo->geometry(),
            QRect(8, 48, form.sheet4Gbx->width() - 16, form.sheet4Gbx->height() - 56));
    }
}

void tst_TMainForm::closeWithoutEdits()
{
    MainFormFixture f;
    const QByteArray bytes = HistoryLines(20);
    QVERIFY(WriteBytes(f.DataFile(), bytes));
    MainWindow& form = f.StartShown();
    form.dataMemo->appendPlainText(QStringLiteral("x"));
    form.dataMemo->undo();
    QVERIFY(form.close());
    QCOMPARE(f.Platform.SaveQuestions, 0);
    QCOMPARE(ReadBytes(f.DataFile()), bytes);
}

void tst_TMainForm::closeWithEdits_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    using velmora::SaveChoice;
    QTest::newRow("typed, cancel") << "type" << int(SaveChoice::Cancel) << false << false;
    QTest::newRow("typed, discard") << "type" << int(SaveChoice::Discard) << true << false;
    QTest::newRow("typed, save") << "type" << int(SaveChoice::Save) << true << true;
    QTest::newRow("cleared, discard") << "clear" << int(SaveChoice::Discard) << true << false;
    QTest::newRow("cleared, save") << "clear" << int(SaveChoice::Save) << true << true;
}

void tst_TMainForm::closeWithEdits()
{
    QFETCH(QString, edit);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    MainFormFixture f;
    const QByteArray bytes = HistoryLines(20);
    QVERIFY(WriteBytes(f.DataFile(), bytes));
    MainWindow& form = f.StartShown();
    form.fileMenuManulClick();
    if (edit == QLatin1String("clear")) {
        form.sheet1TbrClearBtClick();
    } else {
        form.dataMemo->setFocus();
        form.dataMemo->moveCursor(QTextCursor::End);
        QTest::keyClicks(form.dataMemo, QStringLiteral("2024001,123,456,0,0"));
    }
    const QString text = form.dataMemo->toPlainText();
    f.Platform.SaveAnswer = velmora::SaveChoice(answer);
    QCOMPARE(form.close(), closes);
    QCOMPARE(f.Platform.SaveQuestions, 1);
    QCOMPARE(form.isVisible(), !closes);
    if (saved) {
        QString crlf = text;
        crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        QCOMPARE(ReadBytes(f.DataFile()), crlf.toLatin1());
    } else {
        QCOMPARE(ReadBytes(f.DataFile()), bytes);
    }
}

void tst_TMainForm::closeWhenSaveFails()
{
    MainFormFixture f;
    const QByteArray bytes = HistoryLines(5);
    QVERIFY(WriteBytes(f.DataFile(), bytes));
    QVERIFY(QFile::setPermissions(f.DataFile(), QFile::ReadOwner | QFile::ReadGroup));
    MainWindow& form = f.StartShown();
    form.sheet1TbrClearBtClick();
    f.Platform.SaveAnswer = velmora::SaveChoice::Save;
    QVERIFY(!form.close());
    QVERIFY(form.isVisible());
    QCOMPARE(f.Platform.Messages.size(), 1);
    QVERIFY(f.Platform.Messages[0].startsWith(QStringLiteral("无法写入文件")));
    QCOMPARE(ReadBytes(f.DataFile()), bytes);
    f.Platform.SaveAnswer = velmora::SaveChoice::Discard;
    QVERIFY(form.close());
}

void tst_TMainForm::commandErrorsAreShown()
{
    MainFormFixture f;
    MainWindow& form = f.Start();
    bool after = false;
    form.runCommand([&] {
        form.sheet2Gbx1Chk1->setCheck(10, true);
        after = true;
    });
    QVERIFY(!after);
    QCOMPARE(f.Platform.Messages, QStringList { QStringLiteral("SetCheck Error!") });
    QCOMPARE(form.sheet2Gbx1Chk1->checkedCount(), 0);
}

QTEST_MAIN(tst_TMainForm)
#include "tst_MainWindow.moc"
