// The main window: menu, tool bar, status bar, the work pages, the chart pages
// and the web panel. It owns the draw history and the result sets, and every
// command is one of its handlers. The implementation is split by page:
//   TMainForm.cpp             construction, menus, tool bar, status bar, ShowPage,
//                             resize, caret display, close prompt, help commands
//   TMainForm_WebPanel.cpp    the web panel
//   TMainForm_DataPage.cpp    draw-data page (TabSheet1) and its commands
//   TMainForm_FilterPage.cpp  filter page (TabSheet2)
//   TMainForm_SmartPage.cpp   smart shrink page (TabSheet3)
//   TMainForm_RecommendPage.cpp  smart recommendation page (TabSheet4)
//   TMainForm_ChartPages.cpp  the six chart pages (TabSheet5 .. TabSheet10)
#pragma once

#include "Code/CodeArr.h"
#include "Draw/DrawRecord.h"

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
class TH2Net;

namespace velmora {

class Platform;
class TChartSpinEdit;
class TCodeViewForm;
class TColumnLabel;
class TFilterSpinEdit;
struct FilterConditions;
enum class RecommendKind;
class TResultActions;
class TTrackBar;
class TMultiChk;
class TPageControl;

struct TMainFormOptions {
    // Qt WebEngine for the web panel when the build has it; otherwise a text browser.
    bool WebEngine = true;
    // Longest wait without any data during the online update.
    int DownloadTimeoutMs = 15000;
};

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // appFolder holds lotdata.ldf, tmp.txt and readme.txt.
    TMainForm(Platform& platform, const QString& appFolder, TMainFormOptions options = {},
        QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- State --------------------------------------------------------------
    QString AppFolder;
    QString DataFileName;
    TCodeRecArr DrawHistory;
    TCodeArr Sheet2Codes;
    TCodeArr Sheet3InitCodes;
    TCodeArr Sheet3TargetCodes;
    TCodeArr Sheet4Codes;

    // --- Frame --------------------------------------------------------------
    QToolBar* MainTbr = nullptr;
    std::array<QLabel*, 3> StatusPanels {};
    QWidget* ClientArea = nullptr;
    TPageControl* MainPctl = nullptr;
    TPageControl* GridPctl = nullptr;
    QWidget* WebPanel = nullptr;
    QWidget* WebBrowser = nullptr;
    TCodeViewForm* CodeViewForm = nullptr;
    // Export, prize check and print of the three result pages; one save dialog for all.
    std::unique_ptr<TResultActions> ResultActions;

    // Menu entries.
    QAction* FileMenuManul = nullptr;
    QAction* FileMenuDown = nullptr;
    QAction* FileMenuExit = nullptr;
    QAction* RcmMenuSuperScale = nullptr;
    QAction* RcmMenuSmartScale = nullptr;
    QAction* RcmMenuSmartRcm = nullptr;
    QAction* GridMenu3dzst = nullptr;
    QAction* GridMenuKxfbt = nullptr;
    QAction* GridMenuHzfbt = nullptr;
    QAction* GridMenuHvfbt = nullptr;
    QAction* GridMenuQozst = nullptr;
    QAction* GridMenuDxzst = nullptr;
    QAction* GridMenuDxtjt = nullptr; // not in the menu; its key still works
    QAction* HelpMenuTopic = nullptr;
    QAction* HelpMenuOnLine = nullptr;
    QAction* HelpMenuWebSite = nullptr;
    QAction* HelpMenuAbout = nullptr;
    // Tool-bar buttons of MainTbr.
    QAction* FileMenuManulBt = nullptr;
    QAction* RcmMenuSuperScaleBt = nullptr;
    QAction* RcmMenuSmartScaleBt = nullptr;
    QAction* RcmMenuSmartRcmBt = nullptr;
    QAction* GridMenuBt = nullptr;
    QAction* HelpMenuTopicBt = nullptr;
    QAction* HelpMenuWebSiteBt = nullptr;

    // --- Draw-data page (TabSheet1) ------------------------------------------
    QWidget* TabSheet1 = nullptr;
    QToolBar* Sheet1Tbr = nullptr;
    QAction* Sheet1TbrDownBt = nullptr;
    QAction* Sheet1TbrClearBt = nullptr;
    QAction* Sheet1TbrOmportBt = nullptr;
    QAction* Sheet1TbrSaveBt = nullptr;
    QPlainTextEdit* DataMemo = nullptr;

    // --- Filter page (TabSheet2) ---------------------------------------------
    QWidget* TabSheet2 = nullptr;
    QToolBar* Sheet2Tbr = nullptr;
    QWidget* Sheet2Panel = nullptr;
    QWidget* Sheet2PanelTop = nullptr;
    QWidget* Sheet2PanelCenter = nullptr;
    QWidget* Sheet2PanelBottom = nullptr;
    QGroupBox* Sheet2Gbx1 = nullptr;
    QGroupBox* Sheet2Gbx2 = nullptr;
    QGroupBox* Sheet2Gbx3 = nullptr;
    QGroupBox* Sheet2Gbx4 = nullptr;
    TMultiChk* Sheet2PanelTopChk1 = nullptr;
    TMultiChk* Sheet2PanelTopChk2 = nullptr;
    TMultiChk* Sheet2PanelTopChk3 = nullptr;
    TMultiChk* Sheet2PanelTopChk4 = nullptr;
    TMultiChk* Sheet2PanelTopChk5 = nullptr;
    TMultiChk* Sheet2PanelTopChk6 = nullptr;
    TMultiChk* Sheet2Gbx1Chk1 = nullptr;
    TMultiChk* Sheet2Gbx1Chk2 = nullptr;
    TMultiChk* Sheet2Gbx1Chk3 = nullptr;
    TMultiChk* Sheet2Gbx2Chk1 = nullptr;
    TMultiChk* Sheet2Gbx2Chk2 = nullptr;
    TMultiChk* Sheet2Gbx2Chk3 = nullptr;
    TMultiChk* Sheet2Gbx2Chk4 = nullptr;
    TMultiChk* Sheet2Gbx2Chk5 = nullptr;
    TMultiChk* Sheet2Gbx2Chk6 = nullptr;
    TMultiChk* Sheet2Gbx3Chk1 = nullptr;
    TMultiChk* Sheet2Gbx3Chk2 = nullptr;
    TMultiChk* Sheet2Gbx3Chk3 = nullptr;
    TMultiChk* Sheet2Gbx3Chk4 = nullptr;
    TMultiChk* Sheet2Gbx3Chk5 = nullptr;
    TMultiChk* Sheet2Gbx4Chk1 = nullptr;
    TMultiChk* Sheet2Gbx4Chk2 = nullptr;
    // Tool bar buttons.
    QAction* Sheet2TbrClearBt = nullptr;
    QAction* Sheet2TbrExportBt = nullptr;
    QAction* Sheet2TbrCheckBt = nullptr;
    QAction* Sheet2TbrPrintBt = nullptr;
    QAction* Sheet2TbrScaleBt = nullptr;
    QAction* Sheet2TbrViewBt = nullptr;
    // Recent-draw panel: the header and rows 1 .. 3 (Sheet2PanelTopLbl0 .. 3), and the
    // pair edits "近期两码限于:" and "近期排除两码:".
    std::array<TColumnLabel*, 4> Sheet2PanelTopLbls {};
    QLineEdit* Sheet2PanelTopEd1 = nullptr;
    QLineEdit* Sheet2PanelTopEd2 = nullptr;
    // Sheet2Gbx1Cbb1 .. 5, Sheet2Gbx3Ed1 .. 5 and Sheet2Gbx1Bt1 .. 6 from index 0.
    std::array<QComboBox*, 5> Sheet2Gbx1Cbbs {};
    std::array<QLineEdit*, 5> Sheet2Gbx3Eds {};
    // The position-row buttons, "全选" and "清除" for each row.
    QWidget* Sheet2Gbx1Tbr = nullptr;
    std::array<QToolButton*, 6> Sheet2Gbx1Bts {};
    QLineEdit* Sheet2Gbx4Ed1 = nullptr;
    QLineEdit* Sheet2Gbx4Ed2 = nullptr;
    QLineEdit* Sheet2Gbx4Ed3 = nullptr;
    QLineEdit* Sheet2Gbx4Ed4 = nullptr;
    TFilterSpinEdit* Sheet2Gbx4Se1 = nullptr;
    TFilterSpinEdit* Sheet2Gbx4Se2 = nullptr;

    // --- Smart shrink page (TabSheet3) ----------------------------------------
    QWidget* TabSheet3 = nullptr;
    QToolBar* Sheet3Tbr = nullptr;
    QWidget* Sheet3Panel = nullptr;
    QWidget* Sheet3PanelCenter = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QWidget* Sheet3PanelBottom = nullptr;
    QAction* Sheet3ImportBt = nullptr;
    QAction* Sheet3ExportBt = nullptr;
    QAction* Sheet3TbrCheckBt = nullptr;
    QAction* Sheet3TbrPrintBt = nullptr;
    QLabel* Sheet3Lblx1 = nullptr;
    QLabel* Sheet3Lblx2 = nullptr;
    QPlainTextEdit* Sheet3InitMemo = nullptr;
    QPlainTextEdit* Sheet3TargetMemo = nullptr;
    QLabel* Label2 = nullptr;
    // The shrink level 0 .. 6; it highlights the range from 0 to its position.
    TTrackBar* Sheet3TrackBar = nullptr;
    QPushButton* Sheet3ScaleBt = nullptr;
    void Sheet3ImportBtClick();
    void Sheet3ScaleBtClick();
    void Sheet3TrackBarChange();
    void Sheet3ExportBtClick();
    void Sheet3TbrCheckBtClick();
    void Sheet3TbrPrintBtClick();

    // --- Smart recommendation page (TabSheet4) --------------------------------
    QWidget* TabSheet4 = nullptr;
    QToolBar* Sheet4Tbr = nullptr;
    QGroupBox* Sheet4Gbx = nullptr;
    QPlainTextEdit* Sheet4Memo = nullptr;
    QAction* Sheet4TbrRcmDayBt = nullptr;
    QAction* Sheet4TbrRcmWeekBt = nullptr;
    QAction* Sheet4TbrRcmMouthBt = nullptr;
    QAction* Sheet4TbrExportBt = nullptr;
    QAction* Sheet4TbrCheckBt = nullptr;
    QAction* Sheet4TbrPrintBt = nullptr;
    QLabel* Sheet4TipsLbl = nullptr;
    void Sheet4TbrRcmDayBtClick();
    void Sheet4TbrRcmWeekBtClick();
    void Sheet4TbrRcmMouthBtClick();
    void Sheet4TbrExportBtClick();
    void Sheet4TbrCheckBtClick();
    void Sheet4TbrPrintBtClick();

    // --- Chart pages (TabSheet5 .. TabSheet10) ---------------------------------
    // Index 0 .. 5 stand for TabSheet5 .. TabSheet10.
    std::array<QWidget*, 6> ChartSheets {};
    std::array<QWidget*, 6> ChartPanelTops {};
    TH2Net* TabSheet5Net = nullptr;
    TH2Net* TabSheet6Net = nullptr;
    TH2Net* TabSheet7Net = nullptr;
    TH2Net* TabSheet8Net = nullptr;
    TH2Net* TabSheet9Net = nullptr;
    TH2Net* TabSheet10Net = nullptr;
    // The legend panels along the bottom of TabSheet9 and TabSheet10 (null for the others).
    std::array<QWidget*, 6> ChartPanelBottoms {};
    // Top panels: "统计最近 [N] 期的...情况" and "查询".
    TColumnLabel* Label4 = nullptr;
    TColumnLabel* Label5 = nullptr;
    TColumnLabel* Label6 = nullptr;
    TColumnLabel* Label7 = nullptr;
    TColumnLabel* Label10 = nullptr;
    TColumnLabel* Label9 = nullptr;
    TChartSpinEdit* TabSheet5Se = nullptr;
    TChartSpinEdit* TabSheet6Se = nullptr;
    TChartSpinEdit* TabSheet7Se = nullptr;
    TChartSpinEdit* TabSheet8Se = nullptr;
    TChartSpinEdit* TabSheet9Se = nullptr;
    TChartSpinEdit* TabSheet10Se = nullptr;
    QPushButton* TabSheet5GoBt = nullptr;
    QPushButton* TabSheet6GoBt = nullptr;
    QPushButton* TabSheet7GoBt = nullptr;
    QPushButton* TabSheet8GoBt = nullptr;
    QPushButton* TabSheet9GoBt = nullptr;
    QPushButton* TabSheet10GoBt = nullptr;
    // Legends of the odd/even and big/small charts.
    QLabel* Label8 = nullptr;
    QLabel* Label33 = nullptr;
    // Each rebuilds its chart from DrawHistory and its spin edit: the Show handlers when the
    // page has become visible (a clamp message comes after the page has appeared), the
    // GoBt handlers on "查询".
    void TabSheet5Show();
    void TabSheet6Show();
    void TabSheet7Show();
    void TabSheet8Show();
    void TabSheet9Show();
    void TabSheet10Show();
    void TabSheet5GoBtClick();
    void TabSheet6GoBtClick();
    void TabSheet7GoBtClick();
    void TabSheet8GoBtClick();
    void TabSheet9GoBtClick();
    void TabSheet10GoBtClick();
    // Builds chart page index (0 .. 5) for its spin edit's value and sets the spin edit
    // to the clamped count; the clamp message is shown at once or, when
    // messageAfterShow, once the events of the page's appearance have run.
    void BuildChartPage(int index, bool messageAfterShow);
    std::array<TChartSpinEdit*, 6> ChartSpinEdits() const;
    std::array<QPushButton*, 6> ChartGoBts() const;

    // --- Commands ----------------------------------------------------------------
    void ShowPage(TPageControl* pageControl, int index);
    void FileMenuManulClick();
    void FileMenuDownClick();
    void FileMenuExitClick();
    void RcmMenuSuperScaleClick();
    void RcmMenuSmartScaleClick();
    void RcmMenuSmartRcmClick();
    void GridMenu3dzstClick();
    void GridMenuKxfbtClick();
    void GridMenuHzfbtClick();
    void GridMenuHvfbtClick();
    void GridMenuQozstClick();
    void GridMenuDxzstClick();
    void GridMenuDxtjtClick();
    void GridMenuBtClick();
    void HelpMenuTopicClick();
    void HelpMenuOnLineClick();
    void HelpMenuWebSiteClick();
    void HelpMenuAboutClick();
    void FormResize();
    void DataMemoClick();
    void FormKeyUp();

    // Draw-data page.
    void Sheet1TbrClearBtClick();
    void Sheet1TbrOmportBtClick();
    void Sheet1TbrSaveBtClick();
    // Reads the data file into DataMemo (start-up only); a missing file is a first run.
    void LoadDataFile();
    // Writes DataMemo's text to the data file; false when nothing was written.
    bool SaveDataFile();
    // Replaces DataMemo's text by the file's and rebuilds the history; a file that cannot
    // be read raises FileError and changes nothing.
    void LoadDrawText(const QString& path);
    // DataTxtToCodeArr over DataMemo's lines, its messages shown in message boxes.
    void RebuildDrawHistory();

    // Filter page.
    void Sheet2TbrClearBtClick();
    void Sheet2TbrScaleBtClick();
    void Sheet2TbrExportBtClick();
    void Sheet2TbrCheckBtClick();
    void Sheet2TbrPrintBtClick();
    void Sheet2TbrViewBtClick();
    // Rebuilds the recent-draw panel's texts; runs whenever the filter page is shown.
    void TabSheet2Show();
    // Position-row button index 0 .. 5: "全选" (even) or "清除" (odd) of row index / 2.
    void Sheet2Gbx1BtClick(int index);
    // The page's conditions as they stand, a spin edit's typed value included.
    FilterConditions ReadConditions() const;
    // TabSheet5Net .. TabSheet10Net.
    std::array<TH2Net*, 6> ChartNets() const;
    // The 22 multi-check controls in the order they are built.
    std::array<TMultiChk*, 22> FilterCheckControls() const;
    // Rows of the filter page by number: Sheet2PanelTopChk1 .. 6, Sheet2Gbx1Chk1 .. 3,
    // Sheet2Gbx3Chk1 .. 5.
    std::array<TMultiChk*, 6> RecentHitChks() const;
    std::array<TMultiChk*, 3> PositionChks() const;
    std::array<TMultiChk*, 5> HitCountChks() const;

    // Runs a command; an error it raises (a control's index error, a file or printer
    // error) ends it and is shown in a message box, as the application's error display.
    void RunCommand(const std::function<void()>& command);
    // Connects a menu entry or button to a handler run through RunCommand.
    void ConnectCommand(QAction* action, void (TMainForm::*handler)());
    // Connects a control's signal to a command run through RunCommand.
    template <typename Sender, typename Signal>
    void ConnectCommand(Sender* sender, Signal signal, std::function<void()> command)
    {
        connect(sender, signal, this, [this, command = std::move(command)] { RunCommand(command); });
    }

    // Status bar panel 0 .. 2.
    void SetStatusText(int panel, const QString& text);
    QString StatusText(int panel) const;
    // The content area in front: MainPctl, GridPctl or WebPanel.
    QWidget* FrontArea() const;
    // The site shown by the web panel and "彩票新闻": VELMORA_SITE, or none.
    static QString SiteAddress();

signals:
    // A work page (0 .. 3) has become visible.
    void WorkPageShown(int index);
    // A chart page (0 .. 5) has become visible through a tab change or any ShowPage.
    void ChartPageShown(int index);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateClientArea();
    // Adds work page number (1 .. 4) to MainPctl: TabSheet<number> with its tool bar
    // Sheet<number>Tbr on top; the page's content goes below, into the layout returned.
    QVBoxLayout* AddWorkPage(int number, const QString& caption, QWidget*& sheet, QToolBar*& toolBar);
    // Appends a button to a work page's tool bar that runs the handler as a command.
    QAction* AddPageCommand(QToolBar* bar, const QString& caption, void (TMainForm::*handler)());
    void CreateDataPage();
    void CreateFilterPage();
    void CreateFilterCheckControls();
    void CreateRecentPanel();
    void CreateFilterGroupBoxes();
    void CreateSmartPage();
    void CreateRecommendPage();
    void CreateChartPages();
    void CreateWebPanel();
    void CreateWebEngineView();
    void NavigateWebBrowser();
    void ApplyDrawText(const QString& text);
    // One recommendation of the kind, and the ending the three share.
    void RunRecommend(RecommendKind kind);

    Platform& FPlatform;
    TMainFormOptions FOptions;
    QStackedLayout* FClientStack = nullptr;
    // DataMemo's text as last read from or written to the data file.
    QString FSavedText;
    // The data file exists but could not be read at start-up: the first save asks first.
    bool FDataFileUnreadable = false;
    bool FWebViewPending = false;
    bool FInShowPage = false;
};

} // namespace velmora
