// A chart page: the query panel "统计最近 [N] 期的...情况" with "查询" and the quick
// counts 30, 50, 100 and 全部 (Alt+3, Alt+5, Alt+1, Alt+A), the chart's
// grid below it and, for the odd/even and big/small charts, a legend along the
// bottom. The window makes one per entry of the core's chart kinds.
#pragma once

#include "app/pages/Page.h"
#include "core/charts/Charts.h"

class GridView;

namespace velmora {

class BadDataNotice;
class HistoryDocument;
class ChartSpinEdit;

class ChartPage : public Page {
    Q_OBJECT

public:
    ChartPage(Platform& platform, const ChartKind& kind, const HistoryDocument& history, QWidget* parent);

    // The tab caption of the page, "3D走势图" and so on.
    QString caption() const;
    // Rebuilds the chart for the draw count asked for, as when the page has become
    // visible: a message about the count comes once the page has appeared.
    void refresh();

    // The history of the game in front; the page reads it from now on.
    void setHistory(const HistoryDocument& history);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Makes the page's controls and grid, once: on the first show or command. The seven
    // pages made at start-up cost it about ten milliseconds.
    void build();
    // Builds the chart for the count asked for and sets the count edit to the count
    // used; the message is shown at once or, when messageAfterShow, once the events
    // of the page's appearance have run.
    void buildChart(bool messageAfterShow);
    // A quick count beside 查询 (0: every draw) into the count edit, then 查询.
    void queryCount(int count);

    const ChartKind& m_kind;
    const HistoryDocument* m_history;
    ChartSpinEdit* m_drawCount = nullptr;
    GridView* m_chart = nullptr;
    BadDataNotice* m_badData = nullptr;
};

} // namespace velmora
