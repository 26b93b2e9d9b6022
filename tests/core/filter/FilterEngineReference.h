// The test oracle of the filter engine.
#pragma once

#include "core/filter/FilterEngine.h"

namespace velmora {

// The same result, computed test by test and code by code with the attribute
// functions of Code.h exactly as the rules are worded. Slow; kept as the oracle
// that runShrink is checked against.
CodeSet runShrinkReference(const FilterConditions& conditions, const DrawHistory& history);

// The active units, each by the words of the unit table.
UnitMask activeUnitsReference(const FilterConditions& conditions, const DrawHistory& history);

// The active units the code fails, each unit tested on its own as worded.
UnitMask failedUnitsReference(const FilterConditions& conditions, const DrawHistory& history, int code);

// The codes whose number of failed active units lies in the tolerance, counted
// with failedUnitsReference.
CodeSet runShrinkReference(
    const FilterConditions& conditions, const DrawHistory& history, const Tolerance& tolerance);

} // namespace velmora
