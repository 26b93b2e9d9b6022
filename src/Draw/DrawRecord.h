// One past draw and the draw history.
#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

struct TCodeRec {
    std::int32_t Year = 0;
    std::int32_t Issue = 0;
    std::int32_t TestCode = 0;
    std::int32_t DrawCode = 0;
    std::int32_t Extra1 = 0;
    std::int32_t Extra2 = 0;

    friend bool operator==(const TCodeRec&, const TCodeRec&) = default;
};

// Oldest first; the last element is the latest draw.
using TCodeRecArr = std::vector<TCodeRec>;

} // namespace velmora
