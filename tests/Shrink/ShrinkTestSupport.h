// Helpers shared by the engine tests: the real history and small code-set views.
#pragma once

#include "Code/CodeArr.h"
#include "Draw/DataFile.h"
#include "Draw/DrawText.h"

#include <string>
#include <unistd.h>
#include <vector>

namespace velmora::test {

// The real draw history, or an empty one when the data folder is missing.
inline TCodeRecArr RealHistory()
{
    const std::string path = std::string(VELMORA_DATA_DIR) + "/3d-history.txt";
    TCodeRecArr history;
    if (access(path.c_str(), R_OK) == 0)
        DataTxtToCodeArr(SplitLines(ReadDrawTextFile(path)), history, [](const std::string&) {});
    return history;
}

inline std::vector<int> CodesOf(const TCodeArr& set)
{
    std::vector<int> codes;
    for (int c = 0; c < TCodeArr::kSize; ++c)
        if (set.Has(c))
            codes.push_back(c);
    return codes;
}

inline TCodeArr SetOf(const std::vector<int>& codes)
{
    TCodeArr set;
    for (int c : codes)
        set[c] = 1;
    return set;
}

// Draws with the given draw codes (and test codes), oldest first.
inline TCodeRecArr DrawsOf(const std::vector<int>& drawCodes, const std::vector<int>& testCodes = {})
{
    TCodeRecArr history;
    for (std::size_t i = 0; i < drawCodes.size(); ++i)
        history.push_back({2026, static_cast<int>(i) + 1,
                           i < testCodes.size() ? testCodes[i] : 0, drawCodes[i], 0, 0});
    return history;
}

} // namespace velmora::test
