#include "core/charts/ChartCsv.h"

#include "core/io/TextFormat.h"

#include <algorithm>
#include <cstdio>

namespace velmora {

namespace {

std::string colorField(CellColor color)
{
    if (color.isWindow())
        return {};
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", color.red(), color.green(), color.blue());
    return buffer;
}

const std::string& cellText(const GridModel& grid, int row, int col)
{
    if (row < grid.fixRowCount()) {
        const auto& merges = grid.merges();
        // The last merge added wins where merges overlap.
        const auto hit = std::find_if(
            merges.rbegin(), merges.rend(), [&](const auto& merge) { return merge.covers(row, col); });
        if (hit != merges.rend())
            return hit->text;
    }
    return grid.getValue(row, col);
}

} // namespace

std::string gridToCsv(const GridModel& grid, bool colors)
{
    std::string csv;
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int col = 0; col < grid.colsCount(); ++col) {
            if (col > 0)
                csv += ',';
            csv += colors ? colorField(grid.getCellColor(row, col)) : csvField(cellText(grid, row, col));
        }
        csv += '\n';
    }
    return csv;
}

} // namespace velmora
