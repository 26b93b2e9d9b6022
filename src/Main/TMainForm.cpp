#include "Main/TMainForm.h"

#include "CodeView/TCodeViewForm.h"
#include "Draw/AppPaths.h"
#include "Main/Platform.h"
#include "Main/ResultActions.h"
#include "Main/TPageControl.h"
#include "Main/UiSupport.h"

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
void SetHint(QAction* action, const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    const QString tip = bar < 0 ? hint : hint.left(bar);
    const QString status = bar < 0 ? hint : hint.mid(bar + 1);
    action->setToolTip(tip);
    action->setStatusTip(status);
    action->setProperty(kNoTipProperty, tip.isEmpty());
}

QString VersionText() { return QStringLiteral("Velmora V") + QString::number(kVersion, 'f', 2); }

} // namespace

TMainForm::TMainForm(Platform& platform, const QString& appFolder, TMainFormOptions options, QWidget* parent)
    : QMainWindow(parent)
    , AppFolder(appFolder)
    , FPlatform(platform)
    , FOptions(options)
{
    FormCreate();
    CodeViewForm = new TCodeViewForm(this);
    CodeViewForm->hide();
}

TMainForm::~TMainForm() { FormDestroy(); }

void TMainForm::FormCreate()
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(
        VersionText() + QStringLiteral("  3D彩票分析缩水工具 · Velmora 软件工作室 · www.velmora.example"));
    setFont(AppFont());
    setMinimumSize(300, 300);
    resize(789, 584);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - 789) / 2, area.top() + (area.height() - 584) / 2);
    }
    setContextMenuPolicy(Qt::NoContextMenu);

    ResultActions = std::make_unique<TResultActions>(
        FPlatform, this, [this](const QString& text) { SetStatusText(0, text); });
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateClientArea();
    CreateDataPage();
    CreateFilterPage();
    CreateFilterCheckControls();
    CreateSmartPage();
    CreateRecommendPage();
    CreateChartPages();
    CreateWebPanel();

    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    MainPctl->SetTabsVisible(false);

    DataFileName = ToQString(AppFilePath(ToStdString(AppFolder), kDataFileName));
    LoadDataFile();
    RebuildDrawHistory();
    FileMenuManulClick();
    for (TCodeArr* codes : { &Sheet2Codes, &Sheet3InitCodes, &Sheet3TargetCodes, &Sheet4Codes })
        *codes = TCodeArr();
    Sheet2TbrClearBtClick();
    HelpMenuWebSiteClick();
    FormResize();
}

void TMainForm::FormDestroy()
{
    if (StatusPanels[2])
        StatusPanels[2]->clear();
}

void TMainForm::CreateMenus()
{
    auto add = [this](QMenu* menu, const QString& text, const QKeySequence& key, const QString& hint,
                   void (TMainForm::*handler)()) {
        auto* action = new QAction(text, this);
        if (!key.isEmpty())
            action->setShortcut(key);
        SetHint(action, hint);
        ConnectCommand(action, handler);
        if (menu)
            menu->addAction(action);
        return action;
    };

    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("开奖数据(&F)"));
    FileMenuManul = add(fileMenu, QStringLiteral("手工编辑(&N)"), Qt::Key_F2,
        QStringLiteral("手工编辑开奖数据|手工编辑开奖数据"), &TMainForm::FileMenuManulClick);
    FileMenuDown = add(fileMenu, QStringLiteral("在线更新(&O)"), Qt::Key_F3,
        QStringLiteral("在线更新开奖数据|直接从网站下载开奖数据"), &TMainForm::FileMenuDownClick);
    fileMenu->addSeparator();
    FileMenuExit = add(fileMenu, QStringLiteral("退出(&X)"), {},
        QStringLiteral("关闭退出|关闭程序，退出系统"), &TMainForm::FileMenuExitClick);

    QMenu* rcmMenu = menuBar()->addMenu(QStringLiteral("缩水推荐(&T)"));
    RcmMenuSuperScale = add(rcmMenu, QStringLiteral("缩水(&A)"), Qt::Key_F4, QStringLiteral("|超强缩水"),
        &TMainForm::RcmMenuSuperScaleClick);
    RcmMenuSmartScale = add(rcmMenu, QStringLiteral("智能缩水(&B)"), Qt::Key_F5, QStringLiteral("|智能缩水"),
        &TMainForm::RcmMenuSmartScaleClick);
    RcmMenuSmartRcm = add(rcmMenu, QStringLiteral("智能推荐(&C)"), Qt::Key_F6, QStringLiteral("|智能推荐"),
        &TMainForm::RcmMenuSmartRcmClick);

    QMenu* gridMenu = menuBar()->addMenu(QStringLiteral("分析图表(&G)"));
    GridMenu3dzst = add(gridMenu, QStringLiteral("3D走势图(&A)"), Qt::CTRL | Qt::Key_F1,
        QStringLiteral("|查看3D走势图"), &TMainForm::GridMenu3dzstClick);
    GridMenuKxfbt = add(gridMenu, QStringLiteral("K线分布图(&B)"), Qt::CTRL | Qt::Key_F2,
        QStringLiteral("|查看K线分布图"), &TMainForm::GridMenuKxfbtClick);
    GridMenuHzfbt = add(gridMenu, QStringLiteral("和值分布图(&C)"), Qt::CTRL | Qt::Key_F3,
        QStringLiteral("|查看和值分布图"), &TMainForm::GridMenuHzfbtClick);
    GridMenuHvfbt = add(gridMenu, QStringLiteral("合值分布图(&D)"), Qt::CTRL | Qt::Key_F4,
        QStringLiteral("|查看合值分布图"), &TMainForm::GridMenuHvfbtClick);
    GridMenuQozst = add(gridMenu, QStringLiteral("奇偶走势图(&E)"), Qt::CTRL | Qt::Key_F5,
        QStringLiteral("|查看奇偶走势图"), &TMainForm::GridMenuQozstClick);
    GridMenuDxzst = add(gridMenu, QStringLiteral("大小走势图(&F)"), Qt::CTRL | Qt::Key_F6,
        QStringLiteral("|查看大小走势图"), &TMainForm::GridMenuDxzstClick);
    // A hidden menu entry would not fire its key, so this one lives on the window only.
    GridMenuDxtjt = add(nullptr, QStringLiteral("遗漏统计表(&G)"), Qt::CTRL | Qt::Key_F7,
        QStringLiteral("|查看遗漏统计表"), &TMainForm::GridMenuDxtjtClick);
    addAction(GridMenuDxtjt);

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    HelpMenuTopic = add(helpMenu, QStringLiteral("帮助主题(&H)"), Qt::Key_F1,
        QStringLiteral("|打开帮助主题文件"), &TMainForm::HelpMenuTopicClick);
    HelpMenuOnLine = add(helpMenu, QStringLiteral("彩票新闻(&O)"), {},
        QStringLiteral("|打开网站的彩票新闻网页"), &TMainForm::HelpMenuOnLineClick);
    HelpMenuWebSite = add(helpMenu, QStringLiteral("网站支持(&S)"), {}, QStringLiteral("|打开我们的支持网站"),
        &TMainForm::HelpMenuWebSiteClick);
    helpMenu->addSeparator();
    HelpMenuAbout = add(helpMenu, QStringLiteral("关于(&A)..."), {}, QStringLiteral("|有关软件的版权说明"),
        &TMainForm::HelpMenuAboutClick);
}

void TMainForm::CreateToolBar()
{
    MainTbr = new QToolBar(this);
    MainTbr->setObjectName(QStringLiteral("MainTbr"));
    MainTbr->setMovable(false);
    MainTbr->setFloatable(false);
    MainTbr->setIconSize(QSize(16, 16));
    MainTbr->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    MainTbr->toggleViewAction()->setVisible(false);
    MainTbr->layout()->setContentsMargins(1, 0, 1, 0);
    addToolBar(Qt::TopToolBarArea, MainTbr);

    auto add = [this](const QString& text, QStyle::StandardPixmap icon, const QString& hint,
                   void (TMainForm::*handler)()) {
        auto* action = new QAction(style()->standardIcon(icon), text, this);
        SetHint(action, hint);
        ConnectCommand(action, handler);
        MainTbr->addAction(action);
        if (QWidget* button = MainTbr->widgetForAction(action)) {
            // Icon above caption in a compact bar, as the 34-pixel control bar had it.
            button->setFixedSize(63, 38);
            button->setProperty(kNoTipProperty, action->property(kNoTipProperty));
            button->installEventFilter(this);
        }
        return action;
    };
    FileMenuManulBt = add(QStringLiteral("开奖数据"), QStyle::SP_FileDialogDetailedView,
        QStringLiteral("|编辑开奖数据"), &TMainForm::FileMenuManulClick);
    MainTbr->addSeparator();
    RcmMenuSuperScaleBt = add(QStringLiteral("缩水"), QStyle::SP_FileDialogContentsView,
        QStringLiteral("|超强缩水"), &TMainForm::RcmMenuSuperScaleClick);
    RcmMenuSmartScaleBt = add(QStringLiteral("智能缩水"), QStyle::SP_ArrowDown, QStringLiteral("|智能缩水"),
        &TMainForm::RcmMenuSmartScaleClick);
    RcmMenuSmartRcmBt = add(QStringLiteral("智能推荐"), QStyle::SP_DialogApplyButton,
        QStringLiteral("|智能推荐"), &TMainForm::RcmMenuSmartRcmClick);
    MainTbr->addSeparator();
    GridMenuBt = add(QStringLiteral("分析图表"), QStyle::SP_FileDialogListView,
        QStringLiteral("|打开分析图表深入研究"), &TMainForm::GridMenuBtClick);
    MainTbr->addSeparator();
    HelpMenuTopicBt = add(QStringLiteral("帮助信息"), QStyle::SP_DialogHelpButton,
        QStringLiteral("|打开帮助主题文件"), &TMainForm::HelpMenuTopicClick);
    HelpMenuWebSiteBt = add(QStringLiteral("彩票新闻"), QStyle::SP_DriveNetIcon,
        QStringLiteral("|打开我们的支持网站"), &TMainForm::HelpMenuWebSiteClick);
}

void TMainForm::CreateStatusBar()
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
        StatusPanels[i] = panel;
    }
}

void TMainForm::CreateClientArea()
{
    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    FClientStack = new QStackedLayout(ClientArea);
    FClientStack->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(ClientArea);

    MainPctl = new TPageControl(ClientArea);
    MainPctl->setObjectName(QStringLiteral("MainPctl"));
    GridPctl = new TPageControl(ClientArea, 80);
    GridPctl->setObjectName(QStringLiteral("GridPctl"));
    WebPanel = new QWidget(ClientArea);
    WebPanel->setObjectName(QStringLiteral("WebPanel"));
    FClientStack->addWidget(WebPanel);
    FClientStack->addWidget(MainPctl);
    FClientStack->addWidget(GridPctl);

    connect(GridPctl, &QTabWidget::currentChanged, this, [this](int index) {
        if (!FInShowPage && GridPctl->isVisible() && index >= 0)
            emit ChartPageShown(index);
    });
}

QVBoxLayout* TMainForm::AddWorkPage(int number, const QString& caption, QWidget*& sheet, QToolBar*& toolBar)
{
    sheet = new QWidget(MainPctl);
    sheet->setObjectName(QStringLiteral("TabSheet%1").arg(number));
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    toolBar = MakePageToolBar(sheet);
    toolBar->setObjectName(QStringLiteral("Sheet%1Tbr").arg(number));
    layout->addWidget(toolBar);
    MainPctl->addTab(sheet, caption);
    // The page's show event tells that it has become visible (WorkPageShown).
    sheet->installEventFilter(this);
    return layout;
}

QAction* TMainForm::AddPageCommand(QToolBar* bar, const QString& caption, void (TMainForm::*handler)())
{
    QAction* action = AddPageButton(bar, caption);
    ConnectCommand(action, handler);
    return action;
}

void TMainForm::ShowPage(TPageControl* pageControl, int index)
{
    FInShowPage = true;
    // The page is chosen before its control comes to the front, so only that page
    // is shown (and tells so).
    if (index >= 0)
        pageControl->SetActivePage(index);
    FClientStack->setCurrentWidget(pageControl);
    FInShowPage = false;
    if (pageControl == GridPctl && GridPctl->ActivePageIndex() >= 0)
        emit ChartPageShown(GridPctl->ActivePageIndex());
}

QWidget* TMainForm::FrontArea() const { return FClientStack->currentWidget(); }

void TMainForm::FileMenuManulClick() { ShowPage(MainPctl, 0); }
void TMainForm::RcmMenuSuperScaleClick() { ShowPage(MainPctl, 1); }
void TMainForm::RcmMenuSmartScaleClick() { ShowPage(MainPctl, 2); }
void TMainForm::RcmMenuSmartRcmClick() { ShowPage(MainPctl, 3); }
void TMainForm::GridMenu3dzstClick() { ShowPage(GridPctl, 0); }
void TMainForm::GridMenuKxfbtClick() { ShowPage(GridPctl, 1); }
void TMainForm::GridMenuHzfbtClick() { ShowPage(GridPctl, 2); }
void TMainForm::GridMenuHvfbtClick() { ShowPage(GridPctl, 3); }
void TMainForm::GridMenuQozstClick() { ShowPage(GridPctl, 4); }
void TMainForm::GridMenuDxzstClick() { ShowPage(GridPctl, 5); }
void TMainForm::GridMenuDxtjtClick() { ShowPage(GridPctl, 6); }
void TMainForm::GridMenuBtClick() { ShowPage(GridPctl, -1); }

void TMainForm::FileMenuExitClick() { close(); }

void TMainForm::HelpMenuTopicClick()
{
    FPlatform.ShellOpen(QUrl::fromLocalFile(ToQString(AppFilePath(ToStdString(AppFolder), kHelpFileName))));
}

void TMainForm::HelpMenuOnLineClick()
{
    const QString site = SiteAddress();
    if (site.isEmpty()) {
        HelpMenuWebSiteClick();
        return;
    }
    FPlatform.ShellOpen(QUrl::fromUserInput(site));
}

void TMainForm::HelpMenuAboutClick()
{
    FPlatform.ShowAbout(this, QStringLiteral("关于"),
        VersionText()
            + QStringLiteral("\n\n3D彩票分析与缩水工具\n"
                             "版权所有 © Velmora 软件工作室"));
}

void TMainForm::RunCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        FPlatform.ShowMessage(this, QString::fromUtf8(error.what()));
    }
}

void TMainForm::ConnectCommand(QAction* action, void (TMainForm::*handler)())
{
    ConnectCommand(action, &QAction::triggered, [this, handler] { (this->*handler)(); });
}

void TMainForm::SetStatusText(int panel, const QString& text)
{
    StatusPanels.at(static_cast<std::size_t>(panel))->setText(text);
}

QString TMainForm::StatusText(int panel) const
{
    return StatusPanels.at(static_cast<std::size_t>(panel))->text();
}

void TMainForm::FormResize()
{
    // Each page's panel has the size of the work pages' client part; a page not yet
    // shown is laid out again when it appears, through its resize.
    const int w2 = Sheet2Panel->width();
    Sheet2PanelCenter->move((w2 - Sheet2PanelCenter->width()) / 2, Sheet2PanelCenter->y());
    Sheet2PanelBottom->move((w2 - Sheet2PanelBottom->width()) / 2, Sheet2PanelCenter->height() + 3);
    Sheet2PanelTop->move((w2 - Sheet2PanelTop->width()) / 2, Sheet2PanelTop->y());

    const int w3 = Sheet3Panel->width();
    Sheet3PanelCenter->move((w3 - Sheet3PanelCenter->width()) / 2, 1);
    Sheet3PanelBottom->move((w3 - Sheet3PanelBottom->width()) / 2, Sheet3PanelBottom->y());

    const int left = Sheet4Memo->x();
    Sheet4Memo->setGeometry(left, 48, Sheet4Gbx->width() - 2 * left, Sheet4Gbx->height() - 56);
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::DataMemoClick()
{
    const QTextCursor cursor = DataMemo->textCursor();
    SetStatusText(
        0, QStringLiteral("第%1行%2列").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

void TMainForm::FormKeyUp()
{
    if (DataMemo->hasFocus())
        DataMemoClick();
}

bool TMainForm::event(QEvent* event)
{
    // Hints go to the first panel only; the window's default would cover all three.
    if (event->type() == QEvent::StatusTip) {
        SetStatusText(0, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    // The web engine costs much start-up time: it starts once the window has been
    // painted (the timer runs after this paint pass has reached the screen).
    if (event->type() == QEvent::Paint && FWebViewPending) {
        FWebViewPending = false;
        QTimer::singleShot(0, this, &TMainForm::CreateWebEngineView);
    }
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        if (watched->property(kNoTipProperty).toBool())
            return true;
        break;
    case QEvent::KeyRelease:
        if (watched == DataMemo)
            FormKeyUp();
        break;
    case QEvent::MouseButtonRelease:
        if (watched == DataMemo->viewport())
            DataMemoClick();
        break;
    case QEvent::Resize:
        if (watched == Sheet2Panel || watched == Sheet3Panel || watched == Sheet4Gbx)
            FormResize();
        break;
    case QEvent::Show:
        for (int i = 0; i < MainPctl->count(); ++i) {
            if (watched == MainPctl->widget(i))
                emit WorkPageShown(i);
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Only the web engine's view is made late; the text browser exists from the start.
    if (!WebBrowser)
        FWebViewPending = true;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (DataMemo->toPlainText() != FSavedText) {
        switch (FPlatform.AskSaveChanges(
            this, QStringLiteral("开奖数据已经修改，但还没有保存。\n要把它保存到数据文件吗？"))) {
        case TSaveChoice::Save:
            if (!SaveDataFile()) {
                event->ignore();
                return;
            }
            break;
        case TSaveChoice::Discard:
            break;
        case TSaveChoice::Cancel:
            event->ignore();
            return;
        }
    }
    CodeViewForm->hide();
    event->accept();
}

} // namespace velmora
