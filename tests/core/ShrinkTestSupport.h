// Helpers shared by the engine tests: the real history and small code-set views.
#pragma once

#include "core/code/CodeSet.h"
#include "core/draw/DrawText.h"
#include "core/io/TextFile.h"

#include <string>
#include <unistd.h>
#include <vector>

namespace velmora::test {

// The real draw history, or an empty one when the data folder is missing.
inline DrawHistory RealHistory()
{
    const std::string path = std::string(VELMORA_HISTORY_FILE);
    if (access(path.c_str(), R_OK) != 0)
        return {};
    return parseDrawHistory(game3d(), splitLines(readTextFile(path))).history;
}

inline std::vector<int> CodesOf(const CodeSet& set)
{
    std::vector<int> codes;
    for (int c = 0; c < CodeSet::kSize; ++c)
        if (set.has(c))
            codes.push_back(c);
    return codes;
}

inline CodeSet SetOf(const std::vector<int>& codes)
{
    CodeSet set;
    for (int c : codes)
        set[c] = 1;
    return set;
}

// Draws with the given draw codes (and test codes), oldest first.
inline DrawHistory DrawsOf(const std::vector<int>& drawCodes, const std::vector<int>& testCodes = {})
{
    DrawHistory history;
    for (std::size_t i = 0; i < drawCodes.size(); ++i)
        history.push_back(
            { 2026, static_cast<int>(i) + 1, i < testCodes.size() ? testCodes[i] : 0, drawCodes[i], 0, 0 });
    return history;
}

} // namespace velmora::test
