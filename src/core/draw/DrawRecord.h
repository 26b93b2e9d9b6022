// One past draw and the draw history.
#pragma once

#include "core/code/Code.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// An issue key (year·1000 + issue, 2026177) as the seven digits users read.
inline std::string issueKeyText(int issueKey) { return zeroPadded(issueKey, 7); }

struct DrawRecord {
    std::int32_t year = 0;
    std::int32_t issue = 0;
    std::int32_t testCode = 0;
    std::int32_t drawCode = 0;
    std::int32_t extra1 = 0;
    std::int32_t extra2 = 0;

    // The key draws are ordered, merged and tickets are kept by: year·1000 + issue.
    int issueKey() const { return year * 1000 + issue; }
    // The issue as seven digits: year to 4, issue to 3, zero-filled (2026177).
    std::string issueText() const { return issueKeyText(issueKey()); }

    friend bool operator==(const DrawRecord&, const DrawRecord&) = default;
};

// Oldest first; the last element is the latest draw.
using DrawHistory = std::vector<DrawRecord>;

} // namespace velmora
