// The filter page "缩水": the conditions' controls (see FilterControlTable), the
// recent-draw panel above them, and the commands that run the filter and hand its
// result to the result window.
#pragma once

#include "app/pages/FilterControlTable.h"
#include "app/pages/Page.h"
#include "core/code/CodeSet.h"
#include "core/draw/DrawRecord.h"
#include "core/filter/FilterConditions.h"

#include <array>
#include <vector>

class QWidget;

namespace velmora {

class ColumnLabel;
class ResultCommands;
class ResultWindow;

class FilterPage : public Page {
    Q_OBJECT

public:
    // The page reads the history at each run and whenever it is shown; it fills,
    // shows and hides the result window.
    FilterPage(Platform& platform, ResultCommands& commands, const DrawHistory& history,
        ResultWindow& resultWindow, QWidget* parent);

    // The conditions as the controls hold them, a spin edit's typed value included.
    FilterConditions conditions() const;
    // Sets every control from the record; a banker index outside the lists' items
    // leaves its list without a choice.
    void setConditions(const FilterConditions& conditions);
    // The codes of the last run (none before the first).
    const CodeSet& result() const { return m_result; }
    // Rebuilds the recent-draw panel's texts from the history.
    void refreshRecentPanel();

signals:
    // A run has produced a new result.
    void resultChanged(const velmora::CodeSet& codes);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createAreas();
    void createDecorations();
    void createControls();
    QWidget* areaWidget(FilterArea area) const;
    void runFilter();
    // Centres the panels in the page's width.
    void layOutPanels();

    ResultCommands& m_commands;
    const DrawHistory& m_history;
    ResultWindow& m_resultWindow;
    CodeSet m_result;

    QWidget* m_panel = nullptr;
    QWidget* m_recentPanel = nullptr;
    QWidget* m_conditionPanel = nullptr;
    // Hidden; kept for its place below the conditions.
    QWidget* m_bottomPanel = nullptr;
    std::array<QWidget*, 4> m_groupBoxes {};
    // The recent-draw panel's header, then the lines of the third-latest, second-latest
    // and latest draws.
    ColumnLabel* m_recentHeader = nullptr;
    std::array<ColumnLabel*, 3> m_recentLines {};
    // One control per entry of filterControlSpecs(), in its order.
    std::vector<QWidget*> m_controls;
};

} // namespace velmora
