// One past draw and the draw history.
#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

struct DrawRecord {
    std::int32_t year = 0;
    std::int32_t issue = 0;
    std::int32_t testCode = 0;
    std::int32_t drawCode = 0;
    std::int32_t extra1 = 0;
    std::int32_t extra2 = 0;

    friend bool operator==(const DrawRecord&, const DrawRecord&) = default;
};

// Oldest first; the last element is the latest draw.
using DrawHistory = std::vector<DrawRecord>;

} // namespace velmora
