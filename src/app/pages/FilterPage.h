// The filter page "缩水": the conditions' controls (see FilterControlTable), the
// recent-draw panel above them, the tolerance beside "号码缩水", and the commands
// that run the filter and hand its result to the result window, save and load the
// conditions as a scheme file, and ask for the history check.
#pragma once

#include "app/pages/FilterControlTable.h"
#include "app/pages/Page.h"
#include "core/code/CodeSet.h"
#include "core/filter/FilterConditions.h"
#include "core/filter/FilterUnits.h"

#include <array>
#include <vector>

class QWidget;

namespace velmora {

class HistoryDocument;
class ColumnLabel;
class DigitSpinEdit;
class MultiCheck;
class ResultCommands;
class ResultWindow;

class FilterPage : public Page {
    Q_OBJECT

public:
    // The page reads the history at each run and whenever it is shown; it shows and
    // hides the result window, which the window fills from resultChanged.
    FilterPage(Platform& platform, ResultCommands& commands, const HistoryDocument& history,
        ResultWindow& resultWindow, QWidget* parent);

    // The conditions as the controls hold them, a spin edit's typed value included.
    FilterConditions conditions() const;
    // Sets every control from the record; a banker index outside the lists' items
    // leaves its list without a choice.
    void setConditions(const FilterConditions& conditions);
    // 容错 as its two spin edits hold it, typed values included and brought into
    // 0..kUnitCount. While one edit is typed below (above) the other, the other
    // follows it, as both show once the typing ends.
    Tolerance tolerance() const;
    // Sets both spin edits, each brought into 0..kUnitCount.
    void setTolerance(const Tolerance& tolerance);
    // "载入方案": asks for a scheme file and sets the conditions and the tolerance
    // from it; a file that cannot be read or is no valid scheme changes nothing and
    // is reported in a message box.
    void loadScheme();
    // "保存方案": asks for a file name and writes the conditions and the tolerance
    // as a scheme; an error writing it is reported in a message box.
    void saveScheme();
    // The codes of the last run (none before the first).
    const CodeSet& result() const { return m_result; }
    // Rebuilds the recent-draw panel's texts from the history.
    void refreshRecentPanel();

    // Rebuilds the recent-draw panel from the history.
    void refreshView() override;

    // The history of the game in front; the page reads it from now on. In a game
    // without test codes the test-code rows are hidden and never active; they keep
    // what they hold for the game that has them.
    void setHistory(const HistoryDocument& history);

signals:
    // A run has produced a new result.
    void resultChanged(const velmora::CodeSet& codes);
    // The result went with a switch to another game's history.
    void resultCleared();
    // A condition or the tolerance has changed (once for a whole record set at once).
    void conditionsChanged();
    // "历史验证" was pressed.
    void historyCheckRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createAreas();
    void createDecorations();
    void createControls();
    void connectChangeNotice(QWidget* control);
    std::array<QWidget*, 2> makePositionButtons(MultiCheck* row, int position, QWidget* parent);
    // Returns the action of "号码缩水", before which the tolerance stands.
    QAction* createToolBar();
    QWidget* makeToleranceRange();
    // Emits conditionsChanged, unless a whole record is being set.
    void noteConditionChange();
    // Sets the controls from the scheme with one change notice.
    void applyScheme(const FilterConditions& conditions, const Tolerance& tolerance);
    QWidget* areaWidget(FilterArea area) const;
    void runFilter();
    // "查看结果": shows the result window beside the main window, or hides it.
    void toggleResultWindow();
    // Shows the result window, or raises it when it is shown (see ResultWindow::showBeside).
    void showResultWindow();
    // Centres the panels in the page's width.
    void layOutPanels();
    // Shows the test-code rows and columns only in a game that has test codes.
    void showGame();

    ResultCommands& m_commands;
    const HistoryDocument* m_history;
    ResultWindow& m_resultWindow;
    CodeSet m_result;

    QWidget* m_panel = nullptr;
    QWidget* m_recentPanel = nullptr;
    QWidget* m_conditionPanel = nullptr;
    // Hidden; kept for its place below the conditions.
    QWidget* m_bottomPanel = nullptr;
    std::array<QWidget*, 5> m_groupBoxes {};
    // The recent-draw panel's header, then the lines of the third-latest, second-latest
    // and latest draws.
    ColumnLabel* m_recentHeader = nullptr;
    std::array<ColumnLabel*, 3> m_recentLines {};
    // One control per entry of filterControlEntries(), in its order.
    std::vector<QWidget*> m_controls;
    DigitSpinEdit* m_toleranceMin = nullptr;
    DigitSpinEdit* m_toleranceMax = nullptr;
    // The edit typed into last decides which one follows when MIN > MAX.
    bool m_toleranceMaxEditedLast = false;
    // Set while setConditions writes the controls: their change notices are held back.
    bool m_settingControls = false;
};

} // namespace velmora
