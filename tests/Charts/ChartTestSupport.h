// Histories and grid read-outs shared by the chart tests.
#pragma once

#include "Draw/DataFile.h"
#include "Draw/DrawRecord.h"
#include "Draw/DrawText.h"
#include "H2Net/H2NetModel.h"

#include <string>
#include <vector>

namespace velmora::test {

// One draw per code, oldest first, issues 2004001, 2004002, ...
inline TCodeRecArr HistoryOf(const std::vector<int>& codes)
{
    TCodeRecArr history;
    for (std::size_t i = 0; i < codes.size(); ++i)
        history.push_back({2004, static_cast<int>(i) + 1, 0, codes[i], 0, 0});
    return history;
}

inline TCodeRecArr RealHistory()
{
    TCodeRecArr history;
    const std::string text = ReadDrawTextFile(std::string(VELMORA_DATA_DIR) + "/3d-history.txt");
    DataTxtToCodeArr(SplitLines(text), history, nullptr);
    return history;
}

// The texts of one grid row from column `first` on, joined by "|".
inline std::string RowTexts(const TH2NetModel& net, int row, int first = 0)
{
    std::string line;
    for (int c = first; c < net.ColsCount(); ++c)
        line += (c > first ? "|" : "") + net.GetValue(row, c);
    return line;
}

} // namespace velmora::test
