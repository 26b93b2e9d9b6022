// The history-check window "历史验证": how the filter page's conditions would
// have done on each of the latest N draws. It shows the target draws newest
// first, the units, a summary line and exports each table as the CSV that
// velmora-cli prints. It reruns whenever N, the history or the conditions change.
// It floats beside the main window, or docks at its right where the screen has no
// room beside it (see ToolWindow); Escape closes it.
#pragma once

#include "app/dialogs/ToolWindow.h"
#include "core/filter/Backtest.h"

#include <cstdint>

class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace velmora {

class HistoryDocument;
class Platform;
class BacktestDrawModel;
class BacktestUnitModel;

class HistoryCheckWindow : public ToolWindow {
    Q_OBJECT

public:
    static constexpr int kDefaultDrawCount = 100;
    static constexpr QSize kDesignSize { 620, 700 };

    // The window reads the history from the document and follows its changes.
    HistoryCheckWindow(Platform& platform, const HistoryDocument& history, QWidget* parent = nullptr);
    ~HistoryCheckWindow() override;

    // Reruns the check, and does nothing when nothing changed.
    void setConditions(const FilterConditions& conditions, const Tolerance& tolerance);

    // The results on show (target draws oldest first), for the caller and tests.
    const std::vector<BacktestDraw>& draws() const { return m_draws; }
    QString summaryText() const;

    // Shows the window and brings it to the front. Docked in the anchor (a main window
    // that is its parent) when placeBeside finds room on neither side, or when the
    // user docked it; floating, it is placed beside the anchor the first time and
    // after it was docked, and made no taller than the screen.
    void showBeside(const QWidget& anchor);
    // The top left of a window of the size beside the anchor's frame inside the
    // screen area: right of it when there is room, else left of it, else against
    // the area's right edge; level with the anchor's top, kept inside the area.
    static QPoint placeBeside(const QRect& anchor, const QSize& size, const QRect& area);

protected:
    QSize designSize() const override { return kDesignSize; }
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rerun();
    void exportCsv(const std::string& csv, const QString& initialName);

    Platform& m_platform;
    const HistoryDocument& m_history;
    // The history's revision the results on show were computed from.
    std::uint64_t m_historyRevision = 0;
    FilterConditions m_conditions;
    Tolerance m_tolerance;
    std::vector<BacktestDraw> m_draws;
    std::vector<BacktestUnitStats> m_units;
    bool m_placed = false;

    QSpinBox* m_drawCountEdit = nullptr;
    QLabel* m_summaryLabel = nullptr;
    QTableView* m_drawTable = nullptr;
    QTableView* m_unitTable = nullptr;
    QPushButton* m_exportDrawsButton = nullptr;
    QPushButton* m_exportUnitsButton = nullptr;
    BacktestDrawModel* m_drawModel = nullptr;
    BacktestUnitModel* m_unitModel = nullptr;
};

} // namespace velmora
