#include "app/MainWindow.h"

#include "app/ResultCommands.h"
#include "app/UiSupport.h"
#include "app/dialogs/ResultWindow.h"
#include "app/platform/Platform.h"
#include "core/draw/AppPaths.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStackedLayout>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

constexpr double kVersion = 6.0;
const char* const kNoTipProperty = "velmoraNoTip";

// A hint is "tip|status text"; an empty tip means no pop-up.
void setHint(QAction* action, const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    const QString tip = bar < 0 ? hint : hint.left(bar);
    const QString status = bar < 0 ? hint : hint.mid(bar + 1);
    action->setToolTip(tip);
    action->setStatusTip(status);
    action->setProperty(kNoTipProperty, tip.isEmpty());
}

QString versionText() { return QStringLiteral("Velmora V") + QString::number(kVersion, 'f', 2); }

} // namespace

MainWindow::MainWindow(
    Platform& platform, const QString& appFolder, MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent)
    , appFolder(appFolder)
    , m_platform(platform)
    , m_options(options)
{
    formCreate();
    codeViewForm = new ResultWindow(this);
    codeViewForm->hide();
}

MainWindow::~MainWindow() { formDestroy(); }

void MainWindow::formCreate()
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(
        versionText() + QStringLiteral("  3D彩票分析缩水工具 · Velmora 软件工作室 · www.velmora.example"));
    setFont(appFont());
    setMinimumSize(300, 300);
    resize(789, 584);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - 789) / 2, area.top() + (area.height() - 584) / 2);
    }
    setContextMenuPolicy(Qt::NoContextMenu);

    resultActions = std::make_unique<ResultCommands>(
        m_platform, this, [this](const QString& text) { setStatusText(0, text); });
    createMenus();
    createToolBar();
    createStatusBar();
    createClientArea();
    createDataPage();
    createFilterPage();
    createFilterCheckControls();
    createSmartPage();
    createRecommendPage();
    createChartPages();
    createWebPanel();

    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    mainPctl->setTabsVisible(false);

    dataFileName = toQString(appFilePath(toStdString(appFolder), kDataFileName));
    loadDataFile();
    rebuildDrawHistory();
    fileMenuManulClick();
    for (CodeSet* codes : { &sheet2Codes, &sheet3InitCodes, &sheet3TargetCodes, &sheet4Codes })
        *codes = CodeSet();
    sheet2TbrClearBtClick();
    helpMenuWebSiteClick();
    formResize();
}

void MainWindow::formDestroy()
{
    if (statusPanels[2])
        statusPanels[2]->clear();
}

void MainWindow::createMenus()
{
    auto add = [this](QMenu* menu, const QString& text, const QKeySequence& key, const QString& hint,
                   void (MainWindow::*handler)()) {
        auto* action = new QAction(text, this);
        if (!key.isEmpty())
            action->setShortcut(key);
        setHint(action, hint);
        connectCommand(action, handler);
        if (menu)
            menu->addAction(action);
        return action;
    };

    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("开奖数据(&F)"));
    fileMenuManul = add(fileMenu, QStringLiteral("手工编辑(&N)"), Qt::Key_F2,
        QStringLiteral("手工编辑开奖数据|手工编辑开奖数据"), &MainWindow::fileMenuManulClick);
    fileMenuDown = add(fileMenu, QStringLiteral("在线更新(&O)"), Qt::Key_F3,
        QStringLiteral("在线更新开奖数据|直接从网站下载开奖数据"), &MainWindow::fileMenuDownClick);
    fileMenu->addSeparator();
    fileMenuExit = add(fileMenu, QStringLiteral("退出(&X)"), {},
        QStringLiteral("关闭退出|关闭程序，退出系统"), &MainWindow::fileMenuExitClick);

    QMenu* rcmMenu = menuBar()->addMenu(QStringLiteral("缩水推荐(&T)"));
    rcmMenuSuperScale = add(rcmMenu, QStringLiteral("缩水(&A)"), Qt::Key_F4, QStringLiteral("|超强缩水"),
        &MainWindow::rcmMenuSuperScaleClick);
    rcmMenuSmartScale = add(rcmMenu, QStringLiteral("智能缩水(&B)"), Qt::Key_F5, QStringLiteral("|智能缩水"),
        &MainWindow::rcmMenuSmartScaleClick);
    rcmMenuSmartRcm = add(rcmMenu, QStringLiteral("智能推荐(&C)"), Qt::Key_F6, QStringLiteral("|智能推荐"),
        &MainWindow::rcmMenuSmartRcmClick);

    QMenu* gridMenu = menuBar()->addMenu(QStringLiteral("分析图表(&G)"));
    gridMenu3dzst = add(gridMenu, QStringLiteral("3D走势图(&A)"), Qt::CTRL | Qt::Key_F1,
        QStringLiteral("|查看3D走势图"), &MainWindow::gridMenu3dzstClick);
    gridMenuKxfbt = add(gridMenu, QStringLiteral("K线分布图(&B)"), Qt::CTRL | Qt::Key_F2,
        QStringLiteral("|查看K线分布图"), &MainWindow::gridMenuKxfbtClick);
    gridMenuHzfbt = add(gridMenu, QStringLiteral("和值分布图(&C)"), Qt::CTRL | Qt::Key_F3,
        QStringLiteral("|查看和值分布图"), &MainWindow::gridMenuHzfbtClick);
    gridMenuHvfbt = add(gridMenu, QStringLiteral("合值分布图(&D)"), Qt::CTRL | Qt::Key_F4,
        QStringLiteral("|查看合值分布图"), &MainWindow::gridMenuHvfbtClick);
    gridMenuQozst = add(gridMenu, QStringLiteral("奇偶走势图(&E)"), Qt::CTRL | Qt::Key_F5,
        QStringLiteral("|查看奇偶走势图"), &MainWindow::gridMenuQozstClick);
    gridMenuDxzst = add(gridMenu, QStringLiteral("大小走势图(&F)"), Qt::CTRL | Qt::Key_F6,
        QStringLiteral("|查看大小走势图"), &MainWindow::gridMenuDxzstClick);
    // A hidden menu entry would not fire its key, so this one lives on the window only.
    gridMenuDxtjt = add(nullptr, QStringLiteral("遗漏统计表(&G)"), Qt::CTRL | Qt::Key_F7,
        QStringLiteral("|查看遗漏统计表"), &MainWindow::gridMenuDxtjtClick);
    addAction(gridMenuDxtjt);

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    helpMenuTopic = add(helpMenu, QStringLiteral("帮助主题(&H)"), Qt::Key_F1,
        QStringLiteral("|打开帮助主题文件"), &MainWindow::helpMenuTopicClick);
    helpMenuOnLine = add(helpMenu, QStringLiteral("彩票新闻(&O)"), {},
        QStringLiteral("|打开网站的彩票新闻网页"), &MainWindow::helpMenuOnLineClick);
    helpMenuWebSite = add(helpMenu, QStringLiteral("网站支持(&S)"), {}, QStringLiteral("|打开我们的支持网站"),
        &MainWindow::helpMenuWebSiteClick);
    helpMenu->addSeparator();
    helpMenuAbout = add(helpMenu, QStringLiteral("关于(&A)..."), {}, QStringLiteral("|有关软件的版权说明"),
        &MainWindow::helpMenuAboutClick);
}

void MainWindow::createToolBar()
{
    mainTbr = new QToolBar(this);
    mainTbr->setObjectName(QStringLiteral("MainTbr"));
    mainTbr->setMovable(false);
    mainTbr->setFloatable(false);
    mainTbr->setIconSize(QSize(16, 16));
    mainTbr->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    mainTbr->toggleViewAction()->setVisible(false);
    mainTbr->layout()->setContentsMargins(1, 0, 1, 0);
    addToolBar(Qt::TopToolBarArea, mainTbr);

    auto add = [this](const QString& text, QStyle::StandardPixmap icon, const QString& hint,
                   void (MainWindow::*handler)()) {
        auto* action = new QAction(style()->standardIcon(icon), text, this);
        setHint(action, hint);
        connectCommand(action, handler);
        mainTbr->addAction(action);
        if (QWidget* button = mainTbr->widgetForAction(action)) {
            // Icon above caption in a compact bar, as the 34-pixel control bar had it.
            button->setFixedSize(63, 38);
            button->setProperty(kNoTipProperty, action->property(kNoTipProperty));
            button->installEventFilter(this);
        }
        return action;
    };
    fileMenuManulBt = add(QStringLiteral("开奖数据"), QStyle::SP_FileDialogDetailedView,
        QStringLiteral("|编辑开奖数据"), &MainWindow::fileMenuManulClick);
    mainTbr->addSeparator();
    rcmMenuSuperScaleBt = add(QStringLiteral("缩水"), QStyle::SP_FileDialogContentsView,
        QStringLiteral("|超强缩水"), &MainWindow::rcmMenuSuperScaleClick);
    rcmMenuSmartScaleBt = add(QStringLiteral("智能缩水"), QStyle::SP_ArrowDown, QStringLiteral("|智能缩水"),
        &MainWindow::rcmMenuSmartScaleClick);
    rcmMenuSmartRcmBt = add(QStringLiteral("智能推荐"), QStyle::SP_DialogApplyButton,
        QStringLiteral("|智能推荐"), &MainWindow::rcmMenuSmartRcmClick);
    mainTbr->addSeparator();
    gridMenuBt = add(QStringLiteral("分析图表"), QStyle::SP_FileDialogListView,
        QStringLiteral("|打开分析图表深入研究"), &MainWindow::gridMenuBtClick);
    mainTbr->addSeparator();
    helpMenuTopicBt = add(QStringLiteral("帮助信息"), QStyle::SP_DialogHelpButton,
        QStringLiteral("|打开帮助主题文件"), &MainWindow::helpMenuTopicClick);
    helpMenuWebSiteBt = add(QStringLiteral("彩票新闻"), QStyle::SP_DriveNetIcon,
        QStringLiteral("|打开我们的支持网站"), &MainWindow::helpMenuWebSiteClick);
}

void MainWindow::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(true);
    const int widths[] = { 420, 80, 50 };
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFixedWidth(widths[i]);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        bar->addWidget(panel);
        statusPanels[i] = panel;
    }
}

void MainWindow::createClientArea()
{
    clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("ClientArea"));
    m_clientStack = new QStackedLayout(clientArea);
    m_clientStack->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(clientArea);

    mainPctl = new PageControl(clientArea);
    mainPctl->setObjectName(QStringLiteral("MainPctl"));
    gridPctl = new PageControl(clientArea, 80);
    gridPctl->setObjectName(QStringLiteral("GridPctl"));
    webPanel = new QWidget(clientArea);
    webPanel->setObjectName(QStringLiteral("WebPanel"));
    m_clientStack->addWidget(webPanel);
    m_clientStack->addWidget(mainPctl);
    m_clientStack->addWidget(gridPctl);

    connect(gridPctl, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_inShowPage && gridPctl->isVisible() && index >= 0)
            emit chartPageShown(index);
    });
}

QVBoxLayout* MainWindow::addWorkPage(int number, const QString& caption, QWidget*& sheet, QToolBar*& toolBar)
{
    sheet = new QWidget(mainPctl);
    sheet->setObjectName(QStringLiteral("TabSheet%1").arg(number));
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    toolBar = makePageToolBar(sheet);
    toolBar->setObjectName(QStringLiteral("Sheet%1Tbr").arg(number));
    layout->addWidget(toolBar);
    mainPctl->addTab(sheet, caption);
    // The page's show event tells that it has become visible (workPageShown).
    sheet->installEventFilter(this);
    return layout;
}

QAction* MainWindow::addPageCommand(QToolBar* bar, const QString& caption, void (MainWindow::*handler)())
{
    QAction* action = addPageButton(bar, caption);
    connectCommand(action, handler);
    return action;
}

void MainWindow::showPage(PageControl* pageControl, int index)
{
    m_inShowPage = true;
    // The page is chosen before its control comes to the front, so only that page
    // is shown (and tells so).
    if (index >= 0)
        pageControl->setActivePage(index);
    m_clientStack->setCurrentWidget(pageControl);
    m_inShowPage = false;
    if (pageControl == gridPctl && gridPctl->activePageIndex() >= 0)
        emit chartPageShown(gridPctl->activePageIndex());
}

QWidget* MainWindow::frontArea() const { return m_clientStack->currentWidget(); }

void MainWindow::fileMenuManulClick() { showPage(mainPctl, 0); }
void MainWindow::rcmMenuSuperScaleClick() { showPage(mainPctl, 1); }
void MainWindow::rcmMenuSmartScaleClick() { showPage(mainPctl, 2); }
void MainWindow::rcmMenuSmartRcmClick() { showPage(mainPctl, 3); }
void MainWindow::gridMenu3dzstClick() { showPage(gridPctl, 0); }
void MainWindow::gridMenuKxfbtClick() { showPage(gridPctl, 1); }
void MainWindow::gridMenuHzfbtClick() { showPage(gridPctl, 2); }
void MainWindow::gridMenuHvfbtClick() { showPage(gridPctl, 3); }
void MainWindow::gridMenuQozstClick() { showPage(gridPctl, 4); }
void MainWindow::gridMenuDxzstClick() { showPage(gridPctl, 5); }
void MainWindow::gridMenuDxtjtClick() { showPage(gridPctl, 6); }
void MainWindow::gridMenuBtClick() { showPage(gridPctl, -1); }

void MainWindow::fileMenuExitClick() { close(); }

void MainWindow::helpMenuTopicClick()
{
    m_platform.shellOpen(QUrl::fromLocalFile(toQString(appFilePath(toStdString(appFolder), kHelpFileName))));
}

void MainWindow::helpMenuOnLineClick()
{
    const QString site = siteAddress();
    if (site.isEmpty()) {
        helpMenuWebSiteClick();
        return;
    }
    m_platform.shellOpen(QUrl::fromUserInput(site));
}

void MainWindow::helpMenuAboutClick()
{
    m_platform.showAbout(this, QStringLiteral("关于"),
        versionText()
            + QStringLiteral("\n\n3D彩票分析与缩水工具\n"
                             "版权所有 © Velmora 软件工作室"));
}

void MainWindow::runCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        m_platform.showMessage(this, QString::fromUtf8(error.what()));
    }
}

void MainWindow::connectCommand(QAction* action, void (MainWindow::*handler)())
{
    connectCommand(action, &QAction::triggered, [this, handler] { (this->*handler)(); });
}

void MainWindow::setStatusText(int panel, const QString& text)
{
    statusPanels.at(static_cast<std::size_t>(panel))->setText(text);
}

QString MainWindow::statusText(int panel) const
{
    return statusPanels.at(static_cast<std::size_t>(panel))->text();
}

void MainWindow::formResize()
{
    // Each page's panel has the size of the work pages' client part; a page not yet
    // shown is laid out again when it appears, through its resize.
    const int w2 = sheet2Panel->width();
    sheet2PanelCenter->move((w2 - sheet2PanelCenter->width()) / 2, sheet2PanelCenter->y());
    sheet2PanelBottom->move((w2 - sheet2PanelBottom->width()) / 2, sheet2PanelCenter->height() + 3);
    sheet2PanelTop->move((w2 - sheet2PanelTop->width()) / 2, sheet2PanelTop->y());

    const int w3 = sheet3Panel->width();
    sheet3PanelCenter->move((w3 - sheet3PanelCenter->width()) / 2, 1);
    sheet3PanelBottom->move((w3 - sheet3PanelBottom->width()) / 2, sheet3PanelBottom->y());

    const int left = sheet4Memo->x();
    sheet4Memo->setGeometry(left, 48, sheet4Gbx->width() - 2 * left, sheet4Gbx->height() - 56);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    formResize();
}

void MainWindow::dataMemoClick()
{
    const QTextCursor cursor = dataMemo->textCursor();
    setStatusText(
        0, QStringLiteral("第%1行%2列").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

void MainWindow::formKeyUp()
{
    if (dataMemo->hasFocus())
        dataMemoClick();
}

bool MainWindow::event(QEvent* event)
{
    // Hints go to the first panel only; the window's default would cover all three.
    if (event->type() == QEvent::StatusTip) {
        setStatusText(0, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    // The web engine costs much start-up time: it starts once the window has been
    // painted (the timer runs after this paint pass has reached the screen).
    if (event->type() == QEvent::Paint && m_webViewPending) {
        m_webViewPending = false;
        QTimer::singleShot(0, this, &MainWindow::createWebEngineView);
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        if (watched->property(kNoTipProperty).toBool())
            return true;
        break;
    case QEvent::KeyRelease:
        if (watched == dataMemo)
            formKeyUp();
        break;
    case QEvent::MouseButtonRelease:
        if (watched == dataMemo->viewport())
            dataMemoClick();
        break;
    case QEvent::Resize:
        if (watched == sheet2Panel || watched == sheet3Panel || watched == sheet4Gbx)
            formResize();
        break;
    case QEvent::Show:
        for (int i = 0; i < mainPctl->count(); ++i) {
            if (watched == mainPctl->widget(i))
                emit workPageShown(i);
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Only the web engine's view is made late; the text browser exists from the start.
    if (!webBrowser)
        m_webViewPending = true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (dataMemo->toPlainText() != m_savedText) {
        switch (m_platform.askSaveChanges(
            this, QStringLiteral("开奖数据已经修改，但还没有保存。\n要把它保存到数据文件吗？"))) {
        case SaveChoice::Save:
            if (!saveDataFile()) {
                event->ignore();
                return;
            }
            break;
        case SaveChoice::Discard:
            break;
        case SaveChoice::Cancel:
            event->ignore();
            return;
        }
    }
    codeViewForm->hide();
    event->accept();
}

} // namespace velmora
