// The test oracle of the filter engine.
#pragma once

#include "core/filter/FilterEngine.h"

namespace velmora {

// The same result, computed test by test and code by code with the attribute
// functions of Code.h exactly as the rules are worded. Slow; kept as the oracle
// that runShrink is checked against.
CodeSet runShrinkReference(const FilterConditions& conditions, const DrawHistory& history);

} // namespace velmora
