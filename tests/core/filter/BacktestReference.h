// The test oracle of the history check.
#pragma once

#include "core/filter/Backtest.h"

namespace velmora {

// The history check as it is worded: for each target draw, the filter engine
// run on a copy of the whole history before it. Slow; runBacktest is checked
// against it.
std::vector<BacktestDraw> runBacktestReference(
    const FilterConditions& conditions, const Tolerance& tolerance, const DrawHistory& history, int count);

} // namespace velmora
