#include "app/MainWindow.h"

#include "app/AutoUpdate.h"
#include "app/HistoryDocument.h"
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
#include "app/pages/NumberToolsPage.h"
#include "app/pages/RecommendPage.h"
#include "app/pages/SmartShrinkPage.h"
#include "app/pages/TicketsPage.h"
#include "app/platform/Platform.h"
#include "core/charts/Charts.h"
#include "core/draw/AppPaths.h"
#include "core/draw/HistoryMerge.h"
#include "core/filter/FilterEngine.h"
#include "core/game/Game.h"
#include "core/io/TextFile.h"
#include "core/ledger/Ledger.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStackedLayout>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

constexpr double kVersion = 6.0;
static_assert(std::size(kChartKinds) == 7, "a chart page and a menu entry for each chart kind");
// The chart the chart button shows until another is chosen: the last chart
// before the omission table.
constexpr int kFirstShownChart = 5;

QString versionText() { return QStringLiteral("Velmora V") + QString::number(kVersion, 'f', 2); }

} // namespace

MainWindow::MainWindow(
    Platform& platform, const QString& dataFile, MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent)
    , m_platform(platform)
    , m_options(std::move(options))
    , m_dataFileOption(dataFile)
{
    setObjectName(QStringLiteral("mainWindow"));
    m_dataFile = dataFileOf(game3d());
    setFont(appFont());
    resize(789, 584);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - 789) / 2, area.top() + (area.height() - 584) / 2);
    }
    setContextMenuPolicy(Qt::NoContextMenu);
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    const bool dark = darkThemeChosen(m_platform);
    installFocusFrameStyle();
    applyDarkTheme(dark);

    m_resultWindow = new ResultWindow(m_platform, this);
    m_resultWindow->hide();
    m_resultCommands = std::make_unique<ResultCommands>(
        m_platform, this, [this](const QString& text) { setStatusText(0, text); },
        [this]() -> const DrawHistory& { return m_history->records(); });
    m_resultCommands->setVerdictLine(m_resultWindow->memo(), m_resultWindow->verdictLine());
    createMenus();
    createToolBar();
    createStatusBar();
    createGameSelector();
    createPages();
    // Every menu, the main tool bar and the status bar in full, and a page's tool bar
    // above a few lines of its content; the pages scroll in whatever is left.
    constexpr int kPageRoom = 29 + 100;
    setMinimumSize(std::max({ menuBar()->sizeHint().width(), m_toolBar->sizeHint().width(),
                       statusBar()->sizeHint().width() }),
        menuBar()->sizeHint().height() + m_toolBar->sizeHint().height() + statusBar()->sizeHint().height()
            + kPageRoom);

    showPage(m_workPages, DataPageIndex);
    showWebPanel();
    // Last, so that what it tells the status bar (a first run) is not covered.
    loadGameHistory();
    showGameName();
    // From here on a change of the page in front clears the status bar; what start-up
    // wrote there stays.
    m_frontPage = frontPage();
    m_followFrontPage = true;
    updatePageMenu();
    m_autoUpdate->start();
}

MainWindow::~MainWindow()
{
    if (m_statusPanels[2])
        m_statusPanels[2]->clear();
}

void MainWindow::createPages()
{
    auto* clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("clientArea"));
    m_stack = new QStackedLayout(clientArea);
    m_stack->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(clientArea);

    m_workPages = new PageControl(clientArea);
    m_workPages->setObjectName(QStringLiteral("workPages"));
    m_chartPages = new PageControl(clientArea, 80);
    m_chartPages->setObjectName(QStringLiteral("chartPages"));
    m_stack->addWidget(m_workPages);
    m_stack->addWidget(m_chartPages);

    createHistories();
    m_resultCommands->setIssueOfResults([this] {
        return toQString(nextIssue(m_history->records(), m_platform.now().date().year()).issueText());
    });
    const HistoryDocument& history = *m_history;
    m_dataPage = new DataPage(m_platform, *m_history, m_options.downloadTimeoutMs, m_workPages);
    connect(m_dataPage, &DataPage::showRequested, this, [this] { showPage(m_workPages, DataPageIndex); });
    m_autoUpdate = new AutoUpdate(
        m_platform, [this]() -> const Game& { return m_history->game(); },
        [this](QString& told) { return m_dataPage->updateQuietly(told); }, this);
    connect(
        m_autoUpdate, &AutoUpdate::statusText, this, [this](const QString& text) { setStatusText(0, text); });
    connect(m_dataPage, &DataPage::updated, m_autoUpdate, &AutoUpdate::noteSuccess);
    // While the text has bad lines the status bar says so beside the page's messages.
    m_badLinesLabel = new QLabel(statusBar());
    m_badLinesLabel->setObjectName(QStringLiteral("statusBadLines"));
    m_badLinesLabel->hide();
    statusBar()->addPermanentWidget(m_badLinesLabel);
    for (HistoryDocument* each : m_histories)
        connect(each, &HistoryDocument::badLinesChanged, this, [this, each] {
            if (each == m_history)
                showBadLines();
        });
    m_filterPage = new FilterPage(m_platform, *m_resultCommands, history, *m_resultWindow, m_workPages);
    m_smartShrinkPage = new SmartShrinkPage(m_platform, *m_resultCommands, history, m_workPages);
    m_recommendPage = new RecommendPage(m_platform, *m_resultCommands, history, m_workPages);
    m_numberToolsPage = new NumberToolsPage(m_platform, *m_resultCommands, m_workPages);
    m_ticketsPage = new TicketsPage(
        m_platform, toQString(ledgerFilePath(toStdString(m_dataFile))),
        [this]() -> const DrawHistory& { return m_history->records(); }, m_workPages);
    m_ticketsPage->setGame(m_history->game());
    const std::array<std::pair<Page*, QString>, 6> workPages = { { { m_dataPage, QStringLiteral("开奖数据") },
        { m_filterPage, QStringLiteral("缩水") }, { m_smartShrinkPage, QStringLiteral("智能缩水") },
        { m_recommendPage, QStringLiteral("智能推荐") }, { m_numberToolsPage, QStringLiteral("号码工具") },
        { m_ticketsPage, QStringLiteral("我的投注") } } };
    for (std::size_t i = 0; i < workPages.size(); ++i) {
        Page* page = workPages[i].first;
        m_workPages->addTab(page, workPages[i].second);
        connect(
            page, &Page::statusTextChanged, this, [this](const QString& text) { setStatusText(0, text); });
        connect(page, &Page::shown, this, [this, i] { emit workPageShown(static_cast<int>(i)); });
    }
    m_workPages->setTabsVisible(false);
    m_numberToolsPage->setResultSources(
        { { QStringLiteral("号码缩水结果"), [this] { return m_filterPage->result(); } },
            { QStringLiteral("智能缩水结果"), [this] { return m_smartShrinkPage->result(); } },
            { QStringLiteral("智能推荐结果"), [this] { return m_recommendPage->result(); } } });
    // "记入投注" (Ctrl+T) on every result page opens 添加投注 filled with that result;
    // the filter page's tool bar is full at the window's width, so its button is on
    // the result window, beside the result it records.
    const std::array<std::pair<Page*, std::function<CodeSet()>>, 4> resultPages
        = { { { m_filterPage, [this] { return m_filterPage->result(); } },
            { m_smartShrinkPage, [this] { return m_smartShrinkPage->result(); } },
            { m_recommendPage, [this] { return m_recommendPage->result(); } },
            { m_numberToolsPage, [this] { return m_numberToolsPage->result(); } } } };
    for (const auto& [page, result] : resultPages) {
        QAction* record = page->addWindowCommand(
            QStringLiteral("记入投注"),
            [this, result = result] {
                showPage(m_workPages, TicketsPageIndex);
                m_ticketsPage->addTicket(result());
            },
            page != m_filterPage);
        record->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
        // Its own button there, without the key: docked, the window stays in view
        // while another page's Ctrl+T is the one meant.
        if (page == m_filterPage)
            connect(
                m_resultWindow->addCommand(record->text()), &QAction::triggered, record, &QAction::trigger);
    }
    // After 记入投注, which a narrow docked window keeps in view first.
    QAction* checkLatest = m_resultWindow->addCommand(QStringLiteral("最新兑奖"));
    checkLatest->setToolTip(QStringLiteral("按最新一期兑奖：整个结果对最新一期开奖号（Ctrl+Shift+F）"));
    connect(checkLatest, &QAction::triggered, this,
        [this] { m_resultCommands->checkLatestDraw(m_resultWindow->memo()); });
    // Every change of the history settles the tickets of its new or changed draws.
    for (HistoryDocument* each : m_histories)
        connect(each, &HistoryDocument::changed, m_ticketsPage, [this, each] {
            if (each == m_history)
                m_ticketsPage->historyChanged(each->changedDraws());
        });
    connect(
        m_filterPage, &FilterPage::resultChanged, m_smartShrinkPage, &SmartShrinkPage::setImportableCodes);
    connect(m_filterPage, &FilterPage::resultChanged, this, [this](const CodeSet& codes) {
        m_resultWindow->memo()->setPlainText(resultMemoText(kShrinkLeadingText, codes));
    });
    connect(m_filterPage, &FilterPage::resultCleared, m_resultWindow->memo(), &QPlainTextEdit::clear);
    // The history-check window follows the history itself, and the page's conditions.
    connect(m_filterPage, &FilterPage::historyCheckRequested, this, &MainWindow::showHistoryCheck);
    connect(m_filterPage, &FilterPage::conditionsChanged, this, [this] {
        if (m_historyCheckWindow)
            m_historyCheckWindow->setConditions(m_filterPage->conditions(), m_filterPage->tolerance());
    });

    for (std::size_t i = 0; i < m_charts.size(); ++i) {
        m_charts[i] = new ChartPage(m_platform, kChartKinds[i], history, m_chartPages);
        m_chartPages->addTab(m_charts[i], m_charts[i]->caption());
    }
    m_chartPages->setActivePage(kFirstShownChart);
    for (QTabWidget* pages :
        { static_cast<QTabWidget*>(m_workPages), static_cast<QTabWidget*>(m_chartPages) })
        connect(pages, &QTabWidget::currentChanged, this, &MainWindow::frontPageChanged);
    connect(m_stack, &QStackedLayout::currentChanged, this, &MainWindow::frontPageChanged);
    connect(m_chartPages, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_inShowPage && m_chartPages->isVisible() && index >= 0)
            emit chartPageShown(index);
    });
    connect(this, &MainWindow::chartPageShown, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(m_charts.size()))
            m_charts[static_cast<std::size_t>(index)]->refresh();
    });

    // Made after the pages so that its browser comes last in the focus chain: leaving
    // the web panel hands the focus to no page's control.
    QStringList pluginFolders;
    if (m_options.webEngine) {
        pluginFolders = m_options.webViewPluginFolders.isEmpty() ? WebPanel::defaultPluginFolders()
                                                                 : m_options.webViewPluginFolders;
    }
    m_webPanel = new WebPanel(m_platform, pluginFolders, clientArea);
    m_stack->insertWidget(0, m_webPanel);
}

void MainWindow::showPage(PageControl* pages, int index)
{
    QWidget* before = frontPage();
    m_inShowPage = true;
    // The page is chosen before its control comes to the front, so only that page
    // is shown (and tells so).
    if (index >= 0)
        pages->setActivePage(index);
    m_stack->setCurrentWidget(pages);
    m_inShowPage = false;
    if (pages == m_chartPages && m_chartPages->activePageIndex() >= 0)
        emit chartPageShown(m_chartPages->activePageIndex());
    // A page already in front has no show event to learn that the command was given.
    if (auto* page = qobject_cast<Page*>(frontPage()); page != nullptr && page == before)
        page->refreshView();
    // The keyboard goes to the page's first control, not its tool bar.
    if (QWidget* page = frontPage(); page != nullptr && isVisible()) {
        for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
            if (page->isAncestorOf(w) && w->isVisible() && w->isEnabled()
                && (w->focusPolicy() & Qt::TabFocus) != 0
                && qobject_cast<QToolBar*>(w->parentWidget()) == nullptr) {
                w->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
}

QWidget* MainWindow::frontPage() const
{
    QWidget* area = m_stack->currentWidget();
    if (area == m_workPages || area == m_chartPages) {
        const auto* pages = static_cast<PageControl*>(area);
        return pages->activePageIndex() >= 0 ? pages->widget(pages->activePageIndex()) : nullptr;
    }
    return area;
}

void MainWindow::frontPageChanged()
{
    if (!m_followFrontPage)
        return;
    QWidget* front = frontPage();
    if (front == m_frontPage)
        return;
    m_frontPage = front;
    // The status bar speaks of the page in front only.
    setStatusText(0, QString());
    updatePageMenu();
}

void MainWindow::updatePageMenu()
{
    // Only the page in front has its commands in the menu, so each shortcut has one
    // meaning at a time (the other pages' tool bars are hidden, their keys inactive).
    m_pageMenu->clear();
    if (const auto* page = qobject_cast<const Page*>(m_frontPage))
        m_pageMenu->addActions(page->commands());
    m_pageMenu->setEnabled(!m_pageMenu->isEmpty());
}

void MainWindow::showWebPanel()
{
    m_stack->setCurrentWidget(m_webPanel);
    m_webPanel->showSite();
}

void MainWindow::showHistoryCheck()
{
    if (!m_historyCheckWindow) {
        m_historyCheckWindow = new HistoryCheckWindow(m_platform, *m_history, this);
        m_historyCheckWindow->setConditions(m_filterPage->conditions(), m_filterPage->tolerance());
    }
    m_historyCheckWindow->showBeside(*this);
}

namespace {

// Told when 彩票新闻 or 网站支持 is asked for without a site.
QString noSiteText()
{
    return QStringLiteral(
        "未设置新闻网站。\n"
        "请在环境变量 VELMORA_SITE 中设置网站地址（例如 VELMORA_SITE=https://www.example.com），"
        "然后重新启动本程序。");
}

} // namespace

void MainWindow::showNews()
{
    const QString site = WebPanel::siteAddress();
    if (site.isEmpty()) {
        m_platform.showWarning(this, noSiteText());
        return;
    }
    const QUrl url = QUrl::fromUserInput(site);
    if (!m_platform.shellOpen(url))
        m_platform.showWarning(
            this, QStringLiteral("系统无法打开网址 %1：没有找到可以打开它的浏览器。").arg(url.toString()));
}

void MainWindow::showSupportSite()
{
    showWebPanel();
    if (WebPanel::siteAddress().isEmpty())
        m_platform.showWarning(this, noSiteText());
}

void MainWindow::showHelp()
{
    const std::string folder
        = m_options.programFolder.isEmpty() ? executableFolder() : toStdString(m_options.programFolder);
    const QString path = toQString(helpFilePath(folder));
    // Read first: a help file that is missing or unreadable is reported with the reason.
    const QString text = toUiText(readTextFile(toStdString(path)));
    if (m_platform.shellOpen(QUrl::fromLocalFile(path)))
        return;
    m_platform.showWarning(this,
        QStringLiteral("系统无法打开帮助文件 %1：没有找到可以打开它的程序。\n现在在本程序的窗口中显示它。")
            .arg(path));
    if (m_helpWindow == nullptr)
        m_helpWindow = new HelpWindow(this);
    m_helpWindow->showText(QFileInfo(path).fileName(), text);
}

void MainWindow::showAbout()
{
    m_platform.showAbout(this, QStringLiteral("关于"),
        versionText()
            + QStringLiteral("\n\n福彩3D和排列三分析与缩水工具\n"
                             "版权所有 © Velmora 软件工作室"));
}

void MainWindow::showNewHistory()
{
    // The other pages read the history again whenever they are shown; only the one in
    // front (a draw added with Ctrl+N over it) needs telling now. Pages still being
    // built are left alone.
    if (m_filterPage != nullptr && m_filterPage->isVisible())
        m_filterPage->refreshRecentPanel();
    if (m_chartPages != nullptr && m_chartPages->isVisible()) {
        const int index = m_chartPages->activePageIndex();
        if (index >= 0 && index < static_cast<int>(m_charts.size()))
            m_charts[static_cast<std::size_t>(index)]->refresh();
    }
}

QWidget* MainWindow::frontArea() const { return m_stack->currentWidget(); }

void MainWindow::runCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        m_platform.showWarning(this, QString::fromUtf8(error.what()));
    }
}

void MainWindow::setStatusText(int panel, const QString& text)
{
    m_statusPanels.at(static_cast<std::size_t>(panel))->setText(text);
}

QString MainWindow::statusText(int panel) const
{
    return m_statusPanels.at(static_cast<std::size_t>(panel))->text();
}

bool MainWindow::event(QEvent* event)
{
    // Hints go to the first panel only; the window's default would cover all three.
    if (event->type() == QEvent::StatusTip) {
        setStatusText(0, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    // The web view costs much start-up time: a site goes there once the window has
    // been painted (the timer runs after this paint pass has reached the screen).
    if (event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        QTimer::singleShot(0, m_webPanel, &WebPanel::windowPainted);
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The tool bar's buttons without a tip show no pop-up.
    if (event->type() == QEvent::ToolTip && watched->property(kNoTipProperty).toBool())
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::settleUnsavedChanges()
{
    if (!m_history->isModified())
        return true;
    switch (m_platform.askSaveChanges(
        this, QStringLiteral("开奖数据已经修改，但还没有保存。\n要把它保存到数据文件吗？"))) {
    case SaveChoice::Save:
        return m_dataPage->saveDataFile();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    m_resultWindow->hide();
    if (m_historyCheckWindow)
        m_historyCheckWindow->hide();
    event->accept();
}

} // namespace velmora
