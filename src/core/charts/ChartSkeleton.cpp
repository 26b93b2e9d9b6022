#include "core/charts/ChartSkeleton.h"

#include "core/charts/Charts.h"
#include "core/code/Code.h"
#include "core/code/CodeSet.h"

#include <algorithm>
#include <optional>

namespace velmora::charts {

void ChartRow::fill(int first, int last, CellColor color)
{
    for (int col = first; col <= last; ++col)
        setColor(col, color);
}

void ChartRow::count(int col, int value)
{
    setText(col, std::to_string(value));
    add(col, value);
}

void ChartRow::mark(int col, std::string text, CellColor color)
{
    setText(col, std::move(text));
    setColor(col, color);
    add(col, 1);
}

ChartLayout startLayout(const char* codeCaption)
{
    ChartLayout chart;
    chart.widths = { 66, 20, 20, 20 };
    chart.subHeaders = { { 1, "百" }, { 2, "十" }, { 3, "个" } };
    chart.merges = { { "期号", 0, 0, true }, { codeCaption, 1, 3, false } };
    return chart;
}

void appendWidths(std::vector<int>& widths, int count, int width)
{
    widths.insert(widths.end(), static_cast<std::size_t>(count), width);
}

void appendDigitHeaders(std::vector<SubHeader>& headers, int first, int count)
{
    for (int i = 0; i < count; ++i)
        headers.push_back({ first + i, std::to_string(i) });
}

void setTotals(std::vector<TotalText>& totals, int first, int last, TotalText style)
{
    if (totals.size() < static_cast<std::size_t>(last) + 1)
        totals.resize(static_cast<std::size_t>(last) + 1, TotalText::Empty);
    std::fill(totals.begin() + first, totals.begin() + last + 1, style);
}

namespace {

std::string totalText(TotalText style, long long total)
{
    switch (style) {
    case TotalText::Decimal:
        return std::to_string(total);
    case TotalText::IfPositive:
        return total > 0 ? std::to_string(total) : std::string();
    case TotalText::Empty:
        break;
    }
    return {};
}

// A column outside the grid has no total (the model reports the cell itself).
void writeRow(const RowCells& cells, GridModel& grid, std::vector<long long>& totals, int row)
{
    for (const auto& [col, text] : cells.texts)
        grid.setValue(row, col, text);
    for (const auto& [col, color] : cells.colors)
        grid.setCellColor(row, col, color);
    for (const auto& [col, amount] : cells.amounts)
        if (col >= 0 && static_cast<std::size_t>(col) < totals.size())
            totals[static_cast<std::size_t>(col)] += amount;
}

} // namespace

int checkDrawCount(const DrawHistory& history, int n, const MessageFn& message)
{
    const int drawCount = static_cast<int>(history.size());
    if (n <= drawCount)
        return n;
    if (message)
        message(kTooManyDrawsMessage);
    return drawCount;
}

int buildChart(
    const ChartLayout& chart, GridModel& grid, const DrawHistory& history, int n, const MessageFn& message)
{
    const int drawCount = static_cast<int>(history.size());
    const int result = checkDrawCount(history, n, message);
    const int rows = std::clamp(n, 0, drawCount);
    const int cols = static_cast<int>(chart.widths.size());

    grid.setGridSize(cols, rows + 1, 2, chart.widths);
    for (const SubHeader& h : chart.subHeaders)
        grid.setValue(1, h.col, h.text);
    grid.setMergeCount(static_cast<int>(chart.merges.size()));
    for (std::size_t i = 0; i < chart.merges.size(); ++i) {
        const MergeArea& m = chart.merges[i];
        grid.setMerge(static_cast<int>(i), true, m.firstCol, 0, m.lastCol, m.bothRows ? 1 : 0, m.caption,
            grid.fixColor());
    }

    std::vector<long long> totals(static_cast<std::size_t>(cols), 0);
    // Each code's cells are worked out once: a long history repeats every code often.
    std::vector<std::optional<RowCells>> cellsOfCode(CodeSet::kSize);
    for (int i = 0; i < rows; ++i) {
        const DrawRecord& rec = history[static_cast<std::size_t>(drawCount - 1 - i)];
        const int gridRow = i + 2;
        grid.setValue(gridRow, 0, zeroPadded(rec.year, 4) + zeroPadded(rec.issue, 3));
        for (int pos = 1; pos <= 3; ++pos)
            grid.setValue(gridRow, pos, std::string(1, digitCharAt(rec.drawCode, pos)));
        std::optional<RowCells>& cells = cellsOfCode.at(static_cast<std::size_t>(rec.drawCode));
        if (!cells) {
            cells.emplace();
            ChartRow row(*cells);
            chart.fillRow(row, rec.drawCode);
        }
        writeRow(*cells, grid, totals, gridRow);
    }

    const int totalsRow = rows + 2;
    grid.setValue(totalsRow, 0, "合计");
    for (int col = 1; col < cols; ++col)
        if (static_cast<std::size_t>(col) < chart.totals.size())
            grid.setValue(totalsRow, col,
                totalText(
                    chart.totals[static_cast<std::size_t>(col)], totals[static_cast<std::size_t>(col)]));
    for (int col = 0; col < cols; ++col)
        grid.setCellColor(totalsRow, col, kTotalsGrey);

    grid.notifyChanged();
    return result;
}

} // namespace velmora::charts
