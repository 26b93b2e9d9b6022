// Histories and grid read-outs shared by the chart tests.
#pragma once

#include "core/draw/DrawRecord.h"
#include "core/draw/DrawText.h"
#include "core/grid/GridModel.h"
#include "core/io/TextFile.h"

#include <string>
#include <vector>

namespace velmora::test {

// One draw per code, oldest first, issues 2004001, 2004002, ...
inline DrawHistory HistoryOf(const std::vector<int>& codes)
{
    DrawHistory history;
    for (std::size_t i = 0; i < codes.size(); ++i)
        history.push_back({ 2004, static_cast<int>(i) + 1, 0, codes[i], 0, 0 });
    return history;
}

inline DrawHistory RealHistory()
{
    return parseDrawHistory(game3d(), splitLines(readTextFile(std::string(VELMORA_HISTORY_FILE)))).history;
}

// The texts of one grid row from column `first` on, joined by "|".
inline std::string RowTexts(const GridModel& grid, int row, int first = 0)
{
    std::string line;
    for (int c = first; c < grid.colsCount(); ++c)
        line += (c > first ? "|" : "") + grid.getValue(row, c);
    return line;
}

} // namespace velmora::test
