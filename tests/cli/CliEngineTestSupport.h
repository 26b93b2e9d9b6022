// Small draw-data files for the engine commands' tests.
#pragma once

#include "CliRun.h"
#include "TempDir.h"

#include <string>
#include <vector>

namespace velmora::test {

// A draw-data file of n draws; the last draws take the given draw codes.
inline std::string WriteDraws(
    const TempDir& dir, const std::string& name, int n, const std::vector<int>& lastDrawCodes = {})
{
    std::string text;
    for (int i = 0; i < n; ++i) {
        const std::size_t fromEnd = static_cast<std::size_t>(n - i);
        const int code = fromEnd <= lastDrawCodes.size() ? lastDrawCodes[lastDrawCodes.size() - fromEnd]
                                                         : (i * 37) % 1000;
        const std::string issue = std::to_string(1001 + i).substr(1);
        const std::string draw = std::to_string(1000 + code).substr(1);
        text += "2026" + issue + "," + draw + ",000,1,2\r\n";
    }
    const std::string path = dir.File(name);
    WriteBytes(path, text);
    return path;
}

} // namespace velmora::test
