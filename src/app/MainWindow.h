// The main window: menus, tool bar, status bar and the page stack (the work pages,
// the chart pages and the web panel). The pages do the work; the window builds
// them, switches between them and connects what they report to the status bar and
// to each other.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QLabel;
class QStackedLayout;
class QToolBar;

namespace velmora {

class AutoUpdate;
class ChartPage;
class DataPage;
class FilterPage;
class HelpWindow;
class HistoryDocument;
class HistoryCheckWindow;
class PageControl;
class Platform;
class NumberToolsPage;
class RecommendPage;
class ResultCommands;
class ResultWindow;
class SmartShrinkPage;
class TicketsPage;
class WebPanel;

struct MainWindowOptions {
    // A site is shown in the web view plugin when it can be loaded; false: as its
    // address with a button that opens it in the system's browser.
    bool webEngine = true;
    // Where the web view plugin is looked for; empty: WebPanel::defaultPluginFolders().
    QStringList webViewPluginFolders;
    // Longest wait without any data during the online update.
    int downloadTimeoutMs = 15000;
    // The folder whose readme.txt (or the installed one) is the help file; empty: the
    // executable's folder.
    QString programFolder;
};

// An action with this property set shows no tool tip (its hint has only a status text).
inline constexpr const char* kNoTipProperty = "velmoraNoTip";

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // dataFile is the data file (tmp.txt lies beside it); empty: the one the data-path
    // rule finds (portable, else the user's data folder).
    MainWindow(Platform& platform, const QString& dataFile, MainWindowOptions options = {},
        QWidget* parent = nullptr);
    ~MainWindow() override;

    // Status bar panel 0 .. 2.
    QString statusText(int panel) const;
    // The area in front: the work pages, the chart pages or the web panel.
    QWidget* frontArea() const;

signals:
    // A work page (0 data .. 3 recommendation, 4 number tools) has become visible.
    void workPageShown(int index);
    // A chart page (0 .. 6) has become visible through a tab change or a command.
    void chartPageShown(int index);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum WorkPageIndex {
        DataPageIndex,
        FilterPageIndex,
        SmartShrinkPageIndex,
        RecommendPageIndex,
        NumberToolsPageIndex,
        TicketsPageIndex,
    };
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createPages();
    // Brings the page control to the front with page index active; -1 keeps the
    // page it had, and an index past its pages shows none.
    void showPage(PageControl* pages, int index);
    // The page in front: a work or chart page, the web panel, or none (the chart area
    // without a page).
    QWidget* frontPage() const;
    // Clears the status bar and shows the new page's commands in the menu when the
    // page in front has changed.
    void frontPageChanged();
    void updatePageMenu();
    void showWebPanel();
    // Opens the history-check window (made on first use) beside the window.
    void showHistoryCheck();
    void showNews();
    // The web panel; without a site it says how to set one.
    void showSupportSite();
    void showHelp();
    void showAbout();
    // The history has changed: the page in front shows it at once.
    void showNewHistory();
    void setStatusText(int panel, const QString& text);
    // Runs a command; an error it raises ends it and is shown in a message box.
    void runCommand(const std::function<void()>& command);
    QAction* makeAction(
        const QString& name, const QString& text, const QString& hint, std::function<void()> command);

    Platform& m_platform;
    QString m_dataFile;
    MainWindowOptions m_options;
    std::array<QLabel*, 3> m_statusPanels {};
    QToolBar* m_toolBar = nullptr;
    QMenu* m_pageMenu = nullptr;
    QStackedLayout* m_stack = nullptr;
    PageControl* m_workPages = nullptr;
    PageControl* m_chartPages = nullptr;
    WebPanel* m_webPanel = nullptr;
    ResultWindow* m_resultWindow = nullptr;
    // Made the first time the system cannot open the help file.
    HelpWindow* m_helpWindow = nullptr;
    // Export, prize check and print of the three result pages; one save dialog for all.
    std::unique_ptr<ResultCommands> m_resultCommands;
    // The draw history, read by every page and window.
    HistoryDocument* m_history = nullptr;
    DataPage* m_dataPage = nullptr;
    FilterPage* m_filterPage = nullptr;
    SmartShrinkPage* m_smartShrinkPage = nullptr;
    RecommendPage* m_recommendPage = nullptr;
    NumberToolsPage* m_numberToolsPage = nullptr;
    TicketsPage* m_ticketsPage = nullptr;
    std::array<ChartPage*, 7> m_charts {};
    bool m_painted = false;
    // 自动更新 of the game in front.
    AutoUpdate* m_autoUpdate = nullptr;
    // Fed with the filter page's conditions once it exists.
    HistoryCheckWindow* m_historyCheckWindow = nullptr;
    bool m_inShowPage = false;
    QWidget* m_frontPage = nullptr;
    // Off during start-up, whose messages stay in the status bar.
    bool m_followFrontPage = false;
};

} // namespace velmora
