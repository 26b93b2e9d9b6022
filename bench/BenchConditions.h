// Inputs shared by the filter benchmarks.
#pragma once

#include "core/draw/DrawRecord.h"
#include "core/filter/FilterConditions.h"

namespace velmora {

inline DrawHistory BenchHistory()
{
    DrawHistory history;
    for (int i = 0; i < 30; ++i)
        history.push_back({ 2026, i + 1, (i * 379 + 11) % 1000, (i * 613 + 257) % 1000, 1, 2 });
    return history;
}

// The nineteen basic conditions of the filter page, each letting a fair share of
// the codes through so that no early condition empties the set. The reference
// filter runs on these: it is the yardstick of a machine's speed that DESIGN's
// budgets are scaled by, so its work must not grow with the engine's conditions.
inline FilterConditions NineteenActiveConditions()
{
    FilterConditions fc;
    for (auto& row : fc.recentHits)
        row = { true, true, true, false };
    fc.recentPairsIn = "12,34,56,78,90,13,57,24,68,09";
    fc.recentPairsOut = "99";
    for (auto& row : fc.positionDigits)
        row = { true, true, true, true, true, true, true, true, false, true };
    fc.bankers = { 2, 5, 8, 0, 10 };
    fc.sumTails = { true, true, true, true, true, true, true, true, true, false };
    fc.sums.fill(true);
    fc.sums[27] = false;
    fc.smbPatterns.fill(true);
    fc.smbPatterns[9] = false;
    fc.routePatterns.fill(true);
    fc.routePatterns[0] = false;
    fc.oddCounts = { true, true, true, false };
    fc.bigCounts = { false, true, true, true };
    fc.hitGroups = { HitGroup { "1259", { true, true, true, false } },
        HitGroup { "0,3,7", { true, true, true, true } }, HitGroup { "4680", { false, true, true, true } },
        HitGroup { "13579", { true, true, true, false } }, HitGroup { "22", { true, true, false, false } } };
    fc.pairsIn = "01,23,45,67,89,02,46,81";
    fc.pairsOut = "77";
    fc.digitsIn = "0123456";
    fc.digitsOut = "8";
    fc.minDigit = 0;
    fc.maxDigit = 9;
    fc.runKinds = { true, true, false };
    fc.codeTypes = { true, true, false };
    return fc;
}

// Every condition active, the thirty of the page.
inline FilterConditions AllActiveConditions()
{
    FilterConditions fc = NineteenActiveConditions();
    fc.spans.fill(true);
    fc.spans[0] = false;
    fc.primeCounts = { true, true, true, false };
    fc.oddShapes.fill(true);
    fc.oddShapes[7] = false;
    fc.bigShapes.fill(true);
    fc.bigShapes[0] = false;
    fc.primeShapes.fill(true);
    fc.primeShapes[2] = false;
    fc.routeShapes.fill(true);
    fc.routeShapes[13] = false;
    fc.lows.fill(true);
    fc.lows[9] = false;
    fc.mids.fill(true);
    fc.mids[0] = false;
    fc.highs.fill(true);
    fc.highs[0] = false;
    fc.pairSums = { { true, false, false, false, false, true }, { true, true, true, false } };
    fc.pairDiffs = { { true, false, false, false, false, false, false, false, false, false },
        { true, true, false, false } };
    return fc;
}

} // namespace velmora
