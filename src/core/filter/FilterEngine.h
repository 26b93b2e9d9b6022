// The filter engine behind "号码缩水": which of the 1000 codes pass every
// active condition of the filter page.
#pragma once

#include "core/code/CodeSet.h"
#include "core/draw/DrawRecord.h"
#include "core/filter/FilterConditions.h"

namespace velmora {

// Leading text of the result header: "缩水结果有" N "注".
inline constexpr const char* kShrinkLeadingText = "缩水结果有";
// Status bar text after a run: "缩水结果总共" N "注".
inline constexpr const char* kShrinkStatusLeadingText = "缩水结果总共";

// The set of codes that pass every active condition; with every condition
// empty, all 1000 codes. The recent-draw rows compare against the three latest
// draws of the history (recentRowDraw); a row whose draw is missing restricts
// nothing. Texts are searched as raw bytes: characters other than the digits
// never match. Pure and fast (tables built once per run, one pass over the codes).
CodeSet runShrink(const FilterConditions& conditions, const DrawHistory& history);

// "缩水结果总共" N "注".
std::string shrinkStatusText(const CodeSet& codes);

} // namespace velmora
