// The main window: menu, tool bar, status bar, the work pages, the chart pages
// and the web panel. It owns the draw history and the result sets, and every
// command is one of its handlers. The implementation is split by page:
//   MainWindow.cpp             construction, menus, tool bar, status bar, showPage,
//                             resize, caret display, close prompt, help commands
//   TMainForm_WebPanel.cpp    the web panel
//   TMainForm_DataPage.cpp    draw-data page (tabSheet1) and its commands
//   TMainForm_FilterPage.cpp  filter page (tabSheet2)
//   TMainForm_SmartPage.cpp   smart shrink page (tabSheet3)
//   TMainForm_RecommendPage.cpp  smart recommendation page (tabSheet4)
//   TMainForm_ChartPages.cpp  the six chart pages (TabSheet5 .. TabSheet10)
#pragma once

#include "core/code/CodeSet.h"
#include "core/draw/DrawRecord.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedLayout;
class QToolBar;
class QToolButton;
class QVBoxLayout;
class GridView;

namespace velmora {

class Platform;
class ChartSpinEdit;
class ResultWindow;
class ColumnLabel;
class DigitSpinEdit;
struct FilterConditions;
enum class RecommendKind;
class ResultCommands;
class TrackBar;
class MultiCheck;
class PageControl;

struct MainWindowOptions {
    // Qt webEngine for the web panel when the build has it; otherwise a text browser.
    bool webEngine = true;
    // Longest wait without any data during the online update.
    int downloadTimeoutMs = 15000;
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // appFolder holds lotdata.ldf, tmp.txt and readme.txt.
    MainWindow(Platform& platform, const QString& appFolder, MainWindowOptions options = {},
        QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- State --------------------------------------------------------------
    QString appFolder;
    QString dataFileName;
    DrawHistory m_history;
    CodeSet sheet2Codes;
    CodeSet sheet3InitCodes;
    CodeSet sheet3TargetCodes;
    CodeSet sheet4Codes;

    // --- Frame --------------------------------------------------------------
    QToolBar* mainTbr = nullptr;
    std::array<QLabel*, 3> statusPanels {};
    QWidget* clientArea = nullptr;
    PageControl* mainPctl = nullptr;
    PageControl* gridPctl = nullptr;
    QWidget* webPanel = nullptr;
    QWidget* webBrowser = nullptr;
    ResultWindow* codeViewForm = nullptr;
    // Export, prize check and print of the three result pages; one save dialog for all.
    std::unique_ptr<ResultCommands> resultActions;

    // Menu entries.
    QAction* fileMenuManul = nullptr;
    QAction* fileMenuDown = nullptr;
    QAction* fileMenuExit = nullptr;
    QAction* rcmMenuSuperScale = nullptr;
    QAction* rcmMenuSmartScale = nullptr;
    QAction* rcmMenuSmartRcm = nullptr;
    QAction* gridMenu3dzst = nullptr;
    QAction* gridMenuKxfbt = nullptr;
    QAction* gridMenuHzfbt = nullptr;
    QAction* gridMenuHvfbt = nullptr;
    QAction* gridMenuQozst = nullptr;
    QAction* gridMenuDxzst = nullptr;
    QAction* gridMenuDxtjt = nullptr; // not in the menu; its key still works
    QAction* helpMenuTopic = nullptr;
    QAction* helpMenuOnLine = nullptr;
    QAction* helpMenuWebSite = nullptr;
    QAction* helpMenuAbout = nullptr;
    // Tool-bar buttons of mainTbr.
    QAction* fileMenuManulBt = nullptr;
    QAction* rcmMenuSuperScaleBt = nullptr;
    QAction* rcmMenuSmartScaleBt = nullptr;
    QAction* rcmMenuSmartRcmBt = nullptr;
    QAction* gridMenuBt = nullptr;
    QAction* helpMenuTopicBt = nullptr;
    QAction* helpMenuWebSiteBt = nullptr;

    // --- Draw-data page (tabSheet1) ------------------------------------------
    QWidget* tabSheet1 = nullptr;
    QToolBar* sheet1Tbr = nullptr;
    QAction* sheet1TbrDownBt = nullptr;
    QAction* sheet1TbrClearBt = nullptr;
    QAction* sheet1TbrOmportBt = nullptr;
    QAction* sheet1TbrSaveBt = nullptr;
    QPlainTextEdit* dataMemo = nullptr;

    // --- Filter page (tabSheet2) ---------------------------------------------
    QWidget* tabSheet2 = nullptr;
    QToolBar* sheet2Tbr = nullptr;
    QWidget* sheet2Panel = nullptr;
    QWidget* sheet2PanelTop = nullptr;
    QWidget* sheet2PanelCenter = nullptr;
    QWidget* sheet2PanelBottom = nullptr;
    QGroupBox* sheet2Gbx1 = nullptr;
    QGroupBox* sheet2Gbx2 = nullptr;
    QGroupBox* sheet2Gbx3 = nullptr;
    QGroupBox* sheet2Gbx4 = nullptr;
    MultiCheck* sheet2PanelTopChk1 = nullptr;
    MultiCheck* sheet2PanelTopChk2 = nullptr;
    MultiCheck* sheet2PanelTopChk3 = nullptr;
    MultiCheck* sheet2PanelTopChk4 = nullptr;
    MultiCheck* sheet2PanelTopChk5 = nullptr;
    MultiCheck* sheet2PanelTopChk6 = nullptr;
    MultiCheck* sheet2Gbx1Chk1 = nullptr;
    MultiCheck* sheet2Gbx1Chk2 = nullptr;
    MultiCheck* sheet2Gbx1Chk3 = nullptr;
    MultiCheck* sheet2Gbx2Chk1 = nullptr;
    MultiCheck* sheet2Gbx2Chk2 = nullptr;
    MultiCheck* sheet2Gbx2Chk3 = nullptr;
    MultiCheck* sheet2Gbx2Chk4 = nullptr;
    MultiCheck* sheet2Gbx2Chk5 = nullptr;
    MultiCheck* sheet2Gbx2Chk6 = nullptr;
    MultiCheck* sheet2Gbx3Chk1 = nullptr;
    MultiCheck* sheet2Gbx3Chk2 = nullptr;
    MultiCheck* sheet2Gbx3Chk3 = nullptr;
    MultiCheck* sheet2Gbx3Chk4 = nullptr;
    MultiCheck* sheet2Gbx3Chk5 = nullptr;
    MultiCheck* sheet2Gbx4Chk1 = nullptr;
    MultiCheck* sheet2Gbx4Chk2 = nullptr;
    // Tool bar buttons.
    QAction* sheet2TbrClearBt = nullptr;
    QAction* sheet2TbrExportBt = nullptr;
    QAction* sheet2TbrCheckBt = nullptr;
    QAction* sheet2TbrPrintBt = nullptr;
    QAction* sheet2TbrScaleBt = nullptr;
    QAction* sheet2TbrViewBt = nullptr;
    // Recent-draw panel: the header and rows 1 .. 3 (Sheet2PanelTopLbl0 .. 3), and the
    // pair edits "近期两码限于:" and "近期排除两码:".
    std::array<ColumnLabel*, 4> sheet2PanelTopLbls {};
    QLineEdit* sheet2PanelTopEd1 = nullptr;
    QLineEdit* sheet2PanelTopEd2 = nullptr;
    // Sheet2Gbx1Cbb1 .. 5, Sheet2Gbx3Ed1 .. 5 and Sheet2Gbx1Bt1 .. 6 from index 0.
    std::array<QComboBox*, 5> sheet2Gbx1Cbbs {};
    std::array<QLineEdit*, 5> sheet2Gbx3Eds {};
    // The position-row buttons, "全选" and "清除" for each row.
    QWidget* sheet2Gbx1Tbr = nullptr;
    std::array<QToolButton*, 6> sheet2Gbx1Bts {};
    QLineEdit* sheet2Gbx4Ed1 = nullptr;
    QLineEdit* sheet2Gbx4Ed2 = nullptr;
    QLineEdit* sheet2Gbx4Ed3 = nullptr;
    QLineEdit* sheet2Gbx4Ed4 = nullptr;
    DigitSpinEdit* sheet2Gbx4Se1 = nullptr;
    DigitSpinEdit* sheet2Gbx4Se2 = nullptr;

    // --- Smart shrink page (tabSheet3) ----------------------------------------
    QWidget* tabSheet3 = nullptr;
    QToolBar* sheet3Tbr = nullptr;
    QWidget* sheet3Panel = nullptr;
    QWidget* sheet3PanelCenter = nullptr;
    QGroupBox* groupBox1 = nullptr;
    QGroupBox* groupBox2 = nullptr;
    QWidget* sheet3PanelBottom = nullptr;
    QAction* sheet3ImportBt = nullptr;
    QAction* sheet3ExportBt = nullptr;
    QAction* sheet3TbrCheckBt = nullptr;
    QAction* sheet3TbrPrintBt = nullptr;
    QLabel* sheet3Lblx1 = nullptr;
    QLabel* sheet3Lblx2 = nullptr;
    QPlainTextEdit* sheet3InitMemo = nullptr;
    QPlainTextEdit* sheet3TargetMemo = nullptr;
    QLabel* label2 = nullptr;
    // The shrink level 0 .. 6; it highlights the range from 0 to its position.
    TrackBar* sheet3TrackBar = nullptr;
    QPushButton* sheet3ScaleBt = nullptr;
    void sheet3ImportBtClick();
    void sheet3ScaleBtClick();
    void sheet3TrackBarChange();
    void sheet3ExportBtClick();
    void sheet3TbrCheckBtClick();
    void sheet3TbrPrintBtClick();

    // --- Smart recommendation page (tabSheet4) --------------------------------
    QWidget* tabSheet4 = nullptr;
    QToolBar* sheet4Tbr = nullptr;
    QGroupBox* sheet4Gbx = nullptr;
    QPlainTextEdit* sheet4Memo = nullptr;
    QAction* sheet4TbrRcmDayBt = nullptr;
    QAction* sheet4TbrRcmWeekBt = nullptr;
    QAction* sheet4TbrRcmMouthBt = nullptr;
    QAction* sheet4TbrExportBt = nullptr;
    QAction* sheet4TbrCheckBt = nullptr;
    QAction* sheet4TbrPrintBt = nullptr;
    QLabel* sheet4TipsLbl = nullptr;
    void sheet4TbrRcmDayBtClick();
    void sheet4TbrRcmWeekBtClick();
    void sheet4TbrRcmMouthBtClick();
    void sheet4TbrExportBtClick();
    void sheet4TbrCheckBtClick();
    void sheet4TbrPrintBtClick();

    // --- Chart pages (TabSheet5 .. TabSheet10) ---------------------------------
    // Index 0 .. 5 stand for TabSheet5 .. TabSheet10.
    std::array<QWidget*, 6> chartSheets {};
    std::array<QWidget*, 6> chartPanelTops {};
    GridView* tabSheet5Net = nullptr;
    GridView* tabSheet6Net = nullptr;
    GridView* tabSheet7Net = nullptr;
    GridView* tabSheet8Net = nullptr;
    GridView* tabSheet9Net = nullptr;
    GridView* tabSheet10Net = nullptr;
    // The legend panels along the bottom of TabSheet9 and TabSheet10 (null for the others).
    std::array<QWidget*, 6> chartPanelBottoms {};
    // Top panels: "统计最近 [N] 期的...情况" and "查询".
    ColumnLabel* label4 = nullptr;
    ColumnLabel* label5 = nullptr;
    ColumnLabel* label6 = nullptr;
    ColumnLabel* label7 = nullptr;
    ColumnLabel* label10 = nullptr;
    ColumnLabel* label9 = nullptr;
    ChartSpinEdit* tabSheet5Se = nullptr;
    ChartSpinEdit* tabSheet6Se = nullptr;
    ChartSpinEdit* tabSheet7Se = nullptr;
    ChartSpinEdit* tabSheet8Se = nullptr;
    ChartSpinEdit* tabSheet9Se = nullptr;
    ChartSpinEdit* tabSheet10Se = nullptr;
    QPushButton* tabSheet5GoBt = nullptr;
    QPushButton* tabSheet6GoBt = nullptr;
    QPushButton* tabSheet7GoBt = nullptr;
    QPushButton* tabSheet8GoBt = nullptr;
    QPushButton* tabSheet9GoBt = nullptr;
    QPushButton* tabSheet10GoBt = nullptr;
    // Legends of the odd/even and big/small charts.
    QLabel* label8 = nullptr;
    QLabel* label33 = nullptr;
    // Each rebuilds its chart from m_history and its spin edit: the Show handlers when the
    // page has become visible (a clamp message comes after the page has appeared), the
    // GoBt handlers on "查询".
    void tabSheet5Show();
    void tabSheet6Show();
    void tabSheet7Show();
    void tabSheet8Show();
    void tabSheet9Show();
    void tabSheet10Show();
    void tabSheet5GoBtClick();
    void tabSheet6GoBtClick();
    void tabSheet7GoBtClick();
    void tabSheet8GoBtClick();
    void tabSheet9GoBtClick();
    void tabSheet10GoBtClick();
    // Builds chart page index (0 .. 5) for its spin edit's value and sets the spin edit
    // to the clamped count; the clamp message is shown at once or, when
    // messageAfterShow, once the events of the page's appearance have run.
    void buildChartPage(int index, bool messageAfterShow);
    std::array<ChartSpinEdit*, 6> chartSpinEdits() const;
    std::array<QPushButton*, 6> chartGoBts() const;

    // --- Commands ----------------------------------------------------------------
    void showPage(PageControl* pageControl, int index);
    void fileMenuManulClick();
    void fileMenuDownClick();
    void fileMenuExitClick();
    void rcmMenuSuperScaleClick();
    void rcmMenuSmartScaleClick();
    void rcmMenuSmartRcmClick();
    void gridMenu3dzstClick();
    void gridMenuKxfbtClick();
    void gridMenuHzfbtClick();
    void gridMenuHvfbtClick();
    void gridMenuQozstClick();
    void gridMenuDxzstClick();
    void gridMenuDxtjtClick();
    void gridMenuBtClick();
    void helpMenuTopicClick();
    void helpMenuOnLineClick();
    void helpMenuWebSiteClick();
    void helpMenuAboutClick();
    void formResize();
    void dataMemoClick();
    void formKeyUp();

    // Draw-data page.
    void sheet1TbrClearBtClick();
    void sheet1TbrOmportBtClick();
    void sheet1TbrSaveBtClick();
    // Reads the data file into dataMemo (start-up only); a missing file is a first run.
    void loadDataFile();
    // Writes dataMemo's text to the data file; false when nothing was written.
    bool saveDataFile();
    // Replaces dataMemo's text by the file's and rebuilds the history; a file that cannot
    // be read raises FileError and changes nothing.
    void loadDrawText(const QString& path);
    // dataTxtToCodeArr over dataMemo's lines, its messages shown in message boxes.
    void rebuildDrawHistory();

    // Filter page.
    void sheet2TbrClearBtClick();
    void sheet2TbrScaleBtClick();
    void sheet2TbrExportBtClick();
    void sheet2TbrCheckBtClick();
    void sheet2TbrPrintBtClick();
    void sheet2TbrViewBtClick();
    // Rebuilds the recent-draw panel's texts; runs whenever the filter page is shown.
    void tabSheet2Show();
    // Position-row button index 0 .. 5: "全选" (even) or "清除" (odd) of row index / 2.
    void sheet2Gbx1BtClick(int index);
    // The page's conditions as they stand, a spin edit's typed value included.
    FilterConditions readConditions() const;
    // tabSheet5Net .. tabSheet10Net.
    std::array<GridView*, 6> chartNets() const;
    // The 22 multi-check controls in the order they are built.
    std::array<MultiCheck*, 22> filterCheckControls() const;
    // Rows of the filter page by number: sheet2PanelTopChk1 .. 6, sheet2Gbx1Chk1 .. 3,
    // sheet2Gbx3Chk1 .. 5.
    std::array<MultiCheck*, 6> recentHitChks() const;
    std::array<MultiCheck*, 3> positionChks() const;
    std::array<MultiCheck*, 5> hitCountChks() const;

    // Runs a command; an error it raises (a control's index error, a file or printer
    // error) ends it and is shown in a message box, as the application's error display.
    void runCommand(const std::function<void()>& command);
    // Connects a menu entry or button to a handler run through runCommand.
    void connectCommand(QAction* action, void (MainWindow::*handler)());
    // Connects a control's signal to a command run through runCommand.
    template <typename Sender, typename Signal>
    void connectCommand(Sender* sender, Signal signal, std::function<void()> command)
    {
        connect(sender, signal, this, [this, command = std::move(command)] { runCommand(command); });
    }

    // Status bar panel 0 .. 2.
    void setStatusText(int panel, const QString& text);
    QString statusText(int panel) const;
    // The content area in front: mainPctl, gridPctl or webPanel.
    QWidget* frontArea() const;
    // The site shown by the web panel and "彩票新闻": VELMORA_SITE, or none.
    static QString siteAddress();

signals:
    // A work page (0 .. 3) has become visible.
    void workPageShown(int index);
    // A chart page (0 .. 5) has become visible through a tab change or any showPage.
    void chartPageShown(int index);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void formCreate();
    void formDestroy();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createClientArea();
    // Adds work page number (1 .. 4) to mainPctl: TabSheet<number> with its tool bar
    // Sheet<number>Tbr on top; the page's content goes below, into the layout returned.
    QVBoxLayout* addWorkPage(int number, const QString& caption, QWidget*& sheet, QToolBar*& toolBar);
    // Appends a button to a work page's tool bar that runs the handler as a command.
    QAction* addPageCommand(QToolBar* bar, const QString& caption, void (MainWindow::*handler)());
    void createDataPage();
    void createFilterPage();
    void createFilterCheckControls();
    void createRecentPanel();
    void createFilterGroupBoxes();
    void createSmartPage();
    void createRecommendPage();
    void createChartPages();
    void createWebPanel();
    void createWebEngineView();
    void navigateWebBrowser();
    void applyDrawText(const QString& text);
    // One recommendation of the kind, and the ending the three share.
    void runRecommend(RecommendKind kind);

    Platform& m_platform;
    MainWindowOptions m_options;
    QStackedLayout* m_clientStack = nullptr;
    // dataMemo's text as last read from or written to the data file.
    QString m_savedText;
    // The data file exists but could not be read at start-up: the first save asks first.
    bool m_dataFileUnreadable = false;
    bool m_webViewPending = false;
    bool m_inShowPage = false;
};

} // namespace velmora
