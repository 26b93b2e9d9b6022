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
class QComboBox;
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
struct Game;

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

// The settings key of the game in front at the last close ("3d", "pl3").
inline constexpr const char* kGameSettingKey = "game/current";

// An action with this property set shows no tool tip (its hint has only a status text).
inline constexpr const char* kNoTipProperty = "velmoraNoTip";

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // dataFile is 福彩3D's data file, and each other game's lies beside it under its own
    // name (tmp.txt too); empty: each game's file as the data-path rule finds it
    // (portable, else the user's data folder). The game in front at the last close
    // comes to the front again.
    MainWindow(Platform& platform, const QString& dataFile, MainWindowOptions options = {},
        QWidget* parent = nullptr);
    ~MainWindow() override;

    // Status bar panel 0 .. 2.
    QString statusText(int panel) const;
    // The area in front: the work pages, the chart pages or the web panel.
    QWidget* frontArea() const;
    // The game in front.
    const Game& game() const;
    // Brings the game to the front (menu 彩种, Ctrl+1 / Ctrl+2, the tool bar's selector):
    // unsaved changes of the game in front are asked about as closing asks (Cancel or
    // a failed save keeps it in front; false then). Every page then works on the
    // game's history, read the first time the game is shown (a first run writes its
    // built-in history as its data file). The choice is kept for the next start.
    bool switchGame(const Game& game);

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
    // The menu 彩种 and the main tool bar's game selector.
    void createGameMenu();
    // One history document per game; the one remembered in front.
    void createHistories();
    void createGameSelector();
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
    // The data file of the game (see the constructor).
    QString dataFileOf(const Game& game) const;
    // Reads the history of the game in front the first time it is shown.
    void loadGameHistory();
    // The name of the game in front in the title, the status bar, the selector and the menu.
    void showGameName();
    void showBadLines();
    // Unsaved changes of the game in front: saved, discarded, or kept by Cancel (false).
    bool settleUnsavedChanges();
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
    // Each game's draw history (in the order of allGames()), and the one in front, which
    // every page and window reads.
    std::array<HistoryDocument*, 2> m_histories {};
    std::array<bool, 2> m_historyLoaded {};
    HistoryDocument* m_history = nullptr;
    QString m_dataFileOption;
    QComboBox* m_gameSelector = nullptr;
    std::array<QAction*, 2> m_gameActions {};
    QLabel* m_badLinesLabel = nullptr;
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
