// The main window's menus, main tool bar and status bar.
#include "app/MainWindow.h"

#include "app/ResultCommands.h"
#include "app/Theme.h"
#include "app/UiSupport.h"
#include "app/WebPanel.h"
#include "app/dialogs/HelpWindow.h"
#include "app/dialogs/HistoryCheckWindow.h"
#include "app/dialogs/ResultWindow.h"
#include "app/pages/ChartPage.h"
#include "app/pages/DataPage.h"
#include "app/pages/FilterPage.h"
#include "app/pages/RecommendPage.h"
#include "app/pages/SmartShrinkPage.h"
#include "app/platform/Platform.h"
#include "core/charts/Charts.h"
#include "core/draw/AppPaths.h"
#include "core/io/TextFile.h"
#include "widgets/ElidedLabel.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QStackedLayout>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include <array>
#include <utility>

namespace velmora {

namespace {

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

// The chart menu, in the order of the core's chart kinds.
struct ChartMenuEntry {
    const char* name;
    const char* text;
    Qt::Key key;
    const char* hint;
};
const ChartMenuEntry kChartMenu[] = {
    { "showTrendChart", "3D走势图(&A)", Qt::Key_F1, "|查看3D走势图" },
    { "showKLineChart", "K线分布图(&B)", Qt::Key_F2, "|查看K线分布图" },
    { "showSumChart", "和值分布图(&C)", Qt::Key_F3, "|查看和值分布图" },
    { "showSumTailChart", "合值分布图(&D)", Qt::Key_F4, "|查看合值分布图" },
    { "showOddEvenChart", "奇偶走势图(&E)", Qt::Key_F5, "|查看奇偶走势图" },
    { "showBigSmallChart", "大小走势图(&F)", Qt::Key_F6, "|查看大小走势图" },
    { "showOmissionTable", "遗漏统计表(&G)", Qt::Key_F7, "|查看遗漏统计表" },
};
static_assert(std::size(kChartMenu) == std::size(kChartKinds), "a menu entry for each chart kind");

} // namespace

QAction* MainWindow::makeAction(
    const QString& name, const QString& text, const QString& hint, std::function<void()> command)
{
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    setHint(action, hint);
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] { runCommand(command); });
    return action;
}

void MainWindow::createMenus()
{
    const auto add = [this](QMenu* menu, const QString& name, const QString& text, const QKeySequence& key,
                         const QString& hint, std::function<void()> command) {
        QAction* action = makeAction(name, text, hint, std::move(command));
        if (!key.isEmpty())
            action->setShortcut(key);
        if (menu)
            menu->addAction(action);
        else
            addAction(action); // a hidden menu entry would not fire its key
        return action;
    };

    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("开奖数据(&F)"));
    add(fileMenu, QStringLiteral("showDataPage"), QStringLiteral("手工编辑(&N)"), Qt::Key_F2,
        QStringLiteral("手工编辑开奖数据|手工编辑开奖数据"),
        [this] { showPage(m_workPages, DataPageIndex); });
    add(fileMenu, QStringLiteral("downloadDraws"), QStringLiteral("在线更新(&O)"), Qt::Key_F3,
        QStringLiteral("在线更新开奖数据|直接从网站下载开奖数据"), [this] { m_dataPage->downloadDraws(); });
    add(fileMenu, QStringLiteral("addDraw"), QStringLiteral("添加开奖(&A)..."), Qt::CTRL | Qt::Key_N,
        QStringLiteral("添加一期开奖数据|手工输入一期开奖号码，加入开奖数据"),
        [this] { m_dataPage->addDraw(); });
    add(fileMenu, QStringLiteral("editDataSources"), QStringLiteral("数据源设置(&S)..."), {},
        QStringLiteral("|设置在线更新开奖数据的网址"), [this] { m_dataPage->editDataSources(); });
    add(fileMenu, QStringLiteral("restoreBackup"), QStringLiteral("恢复备份(&R)..."), {},
        QStringLiteral("|把开奖数据恢复为以前保存时留下的备份"), [this] {
            showPage(m_workPages, DataPageIndex);
            m_dataPage->restoreBackup();
        });
    add(fileMenu, QStringLiteral("nextBadLine"), QStringLiteral("下一处错误(&E)"), Qt::Key_F7,
        QStringLiteral("|把光标移到开奖数据中的下一处错误行"), [this] {
            showPage(m_workPages, DataPageIndex);
            m_dataPage->showNextBadLine();
        });
    fileMenu->addSeparator();
    add(fileMenu, QStringLiteral("exit"), QStringLiteral("退出(&X)"), {},
        QStringLiteral("关闭退出|关闭程序，退出系统"), [this] { close(); });

    createGameMenu();

    QMenu* shrinkMenu = menuBar()->addMenu(QStringLiteral("缩水推荐(&T)"));
    add(shrinkMenu, QStringLiteral("showFilterPage"), QStringLiteral("缩水(&A)"), Qt::Key_F4,
        QStringLiteral("|超强缩水"), [this] { showPage(m_workPages, FilterPageIndex); });
    add(shrinkMenu, QStringLiteral("showSmartShrinkPage"), QStringLiteral("智能缩水(&B)"), Qt::Key_F5,
        QStringLiteral("|智能缩水"), [this] { showPage(m_workPages, SmartShrinkPageIndex); });
    add(shrinkMenu, QStringLiteral("showRecommendPage"), QStringLiteral("智能推荐(&C)"), Qt::Key_F6,
        QStringLiteral("|智能推荐"), [this] { showPage(m_workPages, RecommendPageIndex); });
    add(shrinkMenu, QStringLiteral("showNumberToolsPage"), QStringLiteral("号码工具(&N)"),
        Qt::CTRL | Qt::Key_F8, QStringLiteral("|号码工具：转组选、包号、交集、并集、差集"),
        [this] { showPage(m_workPages, NumberToolsPageIndex); });
    add(shrinkMenu, QStringLiteral("showTicketsPage"), QStringLiteral("我的投注(&M)"), Qt::Key_F9,
        QStringLiteral("|我的投注：记录投注，开奖后自动兑奖，统计投入、奖金和盈亏"),
        [this] { showPage(m_workPages, TicketsPageIndex); });
    // The filter page's scheme commands; their keys belong to its tool bar and so
    // work while it is in front: the entries show them after a tab.
    shrinkMenu->addSeparator();
    add(shrinkMenu, QStringLiteral("loadScheme"), QStringLiteral("载入方案(&L)...\tCtrl+O"), {},
        QStringLiteral("|从方案文件载入缩水条件和容错"), [this] {
            showPage(m_workPages, FilterPageIndex);
            m_filterPage->loadScheme();
        });
    add(shrinkMenu, QStringLiteral("saveScheme"), QStringLiteral("保存方案(&S)...\tCtrl+Shift+S"), {},
        QStringLiteral("|把缩水条件和容错保存为方案文件"), [this] {
            showPage(m_workPages, FilterPageIndex);
            m_filterPage->saveScheme();
        });
    add(shrinkMenu, QStringLiteral("showHistoryCheck"), QStringLiteral("历史验证(&V)..."), {},
        QStringLiteral("|验证缩水条件在最近各期开奖中的表现"), [this] { showHistoryCheck(); });

    // The commands of the page in front, as its tool bar offers them (see updatePageMenu).
    m_pageMenu = menuBar()->addMenu(QStringLiteral("操作(&C)"));
    m_pageMenu->setObjectName(QStringLiteral("pageMenu"));

    QMenu* chartMenu = menuBar()->addMenu(QStringLiteral("分析图表(&G)"));
    for (int i = 0; i < static_cast<int>(std::size(kChartMenu)); ++i) {
        const ChartMenuEntry& entry = kChartMenu[i];
        add(chartMenu, QString::fromLatin1(entry.name), QString::fromUtf8(entry.text), Qt::CTRL | entry.key,
            QString::fromUtf8(entry.hint), [this, i] { showPage(m_chartPages, i); });
    }

    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("视图(&V)"));
    QAction* dark = add(viewMenu, QStringLiteral("darkTheme"), QStringLiteral("深色(&D)"), {},
        QStringLiteral("|深色的窗口：深灰色背景，浅色文字"), [] {});
    dark->setCheckable(true);
    dark->setChecked(darkThemeChosen(m_platform));
    connect(dark, &QAction::toggled, this, [this](bool on) {
        setDarkTheme(m_platform, on);
        showBadLines();
    });

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    add(helpMenu, QStringLiteral("showHelp"), QStringLiteral("帮助主题(&H)"), Qt::Key_F1,
        QStringLiteral("|打开帮助主题文件"), [this] { showHelp(); });
    add(helpMenu, QStringLiteral("showNews"), QStringLiteral("彩票新闻(&O)"), {},
        QStringLiteral("|打开网站的彩票新闻网页"), [this] { showNews(); });
    add(helpMenu, QStringLiteral("showWebSite"), QStringLiteral("网站支持(&S)"), {},
        QStringLiteral("|打开我们的支持网站"), [this] { showSupportSite(); });
    helpMenu->addSeparator();
    add(helpMenu, QStringLiteral("showAbout"), QStringLiteral("关于(&A)..."), {},
        QStringLiteral("|有关软件的版权说明"), [this] { showAbout(); });
}

void MainWindow::createToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->toggleViewAction()->setVisible(false);
    m_toolBar->layout()->setContentsMargins(1, 0, 1, 0);
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    const auto add = [this](const QString& text, QStyle::StandardPixmap icon, const QString& hint,
                         std::function<void()> command) {
        QAction* action = makeAction(QString(), text, hint, std::move(command));
        action->setIcon(style()->standardIcon(icon));
        m_toolBar->addAction(action);
        if (QWidget* button = m_toolBar->widgetForAction(action)) {
            // Icon above caption in a compact bar, as the 34-pixel control bar had it.
            button->setFixedSize(63, 38);
            // Reached by Tab, as the pages' tool bars are.
            button->setFocusPolicy(Qt::TabFocus);
            button->setProperty(kNoTipProperty, action->property(kNoTipProperty));
            button->installEventFilter(this);
        }
    };
    add(QStringLiteral("开奖数据"), QStyle::SP_FileDialogDetailedView, QStringLiteral("|编辑开奖数据"),
        [this] { showPage(m_workPages, DataPageIndex); });
    m_toolBar->addSeparator();
    add(QStringLiteral("缩水"), QStyle::SP_FileDialogContentsView, QStringLiteral("|超强缩水"),
        [this] { showPage(m_workPages, FilterPageIndex); });
    add(QStringLiteral("智能缩水"), QStyle::SP_ArrowDown, QStringLiteral("|智能缩水"),
        [this] { showPage(m_workPages, SmartShrinkPageIndex); });
    add(QStringLiteral("智能推荐"), QStyle::SP_DialogApplyButton, QStringLiteral("|智能推荐"),
        [this] { showPage(m_workPages, RecommendPageIndex); });
    add(QStringLiteral("号码工具"), QStyle::SP_FileDialogStart,
        QStringLiteral("|号码工具：转组选、包号、交集、并集、差集"),
        [this] { showPage(m_workPages, NumberToolsPageIndex); });
    add(QStringLiteral("我的投注"), QStyle::SP_FileDialogInfoView,
        QStringLiteral("|我的投注：记录、追号和兑奖"), [this] { showPage(m_workPages, TicketsPageIndex); });
    m_toolBar->addSeparator();
    add(QStringLiteral("分析图表"), QStyle::SP_FileDialogListView, QStringLiteral("|打开分析图表深入研究"),
        [this] { showPage(m_chartPages, -1); });
    m_toolBar->addSeparator();
    add(QStringLiteral("帮助信息"), QStyle::SP_DialogHelpButton, QStringLiteral("|打开帮助主题文件"),
        [this] { showHelp(); });
    add(QStringLiteral("彩票新闻"), QStyle::SP_DriveNetIcon, QStringLiteral("|打开我们的支持网站"),
        [this] { showSupportSite(); });
}

void MainWindow::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(true);
    // The first panel holds messages and hints, at least 300 pixels (a 640-pixel window still fits) and
    // growing with the window, cut with "…" where still longer and whole in its tool tip; the other two are
    // spare.
    const std::array<std::pair<const char*, int>, 3> panels
        = { { { "statusMessage", 300 }, { "statusSpare", 80 }, { "statusSpareNarrow", 50 } } };
    for (std::size_t i = 0; i < panels.size(); ++i) {
        auto* panel = i == 0 ? new ElidedLabel(bar) : new QLabel(bar);
        panel->setObjectName(QString::fromLatin1(panels[i].first));
        if (i == 0)
            panel->setMinimumWidth(panels[i].second);
        else
            panel->setFixedWidth(panels[i].second);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        bar->addWidget(panel, i == 0 ? 1 : 0);
        m_statusPanels[i] = panel;
    }
}

} // namespace velmora
