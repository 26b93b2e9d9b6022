// Speed of the engines: the filter with all nineteen conditions active (fast
// and straightforward version in the same run), the smart shrink of a full
// base, and the three recommendations.
#include "core/code/CodeSetText.h"
#include "core/filter/FilterEngineReference.h"
#include "core/smart/Recommend.h"
#include "core/smart/SmartShrink.h"

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

DrawHistory BenchHistory()
{
    DrawHistory history;
    for (int i = 0; i < 30; ++i)
        history.push_back({ 2026, i + 1, (i * 379 + 11) % 1000, (i * 613 + 257) % 1000, 1, 2 });
    return history;
}

// Every condition active, each letting a fair share of the codes through so
// that no early condition empties the set.
FilterConditions AllActiveConditions()
{
    FilterConditions fc;
    for (auto& row : fc.RecentHits)
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

void BM_RunShrinkAllConditions(benchmark::State& state)
{
    const FilterConditions fc = AllActiveConditions();
    const DrawHistory history = BenchHistory();
    for (auto _ : state)
        benchmark::DoNotOptimize(runShrink(fc, history));
    state.counters["kept"] = codeSetCount(runShrink(fc, history));
}
BENCHMARK(BM_RunShrinkAllConditions)->Unit(benchmark::kMicrosecond);

void BM_RunShrinkReferenceAllConditions(benchmark::State& state)
{
    const FilterConditions fc = AllActiveConditions();
    const DrawHistory history = BenchHistory();
    for (auto _ : state)
        benchmark::DoNotOptimize(runShrinkReference(fc, history));
}
BENCHMARK(BM_RunShrinkReferenceAllConditions)->Unit(benchmark::kMicrosecond);

void BM_SmartShrinkFullBase(benchmark::State& state)
{
    CodeSet base;
    base.fill(true);
    const DrawHistory history = BenchHistory();
    for (auto _ : state)
        benchmark::DoNotOptimize(smartShrink(base, 3, history));
}
BENCHMARK(BM_SmartShrinkFullBase)->Unit(benchmark::kMicrosecond);

void BM_Recommend(benchmark::State& state)
{
    const auto kind = static_cast<RecommendKind>(state.range(0));
    const DrawHistory history = BenchHistory();
    const CalendarDate date { 2026, 12, 7, 2 };
    for (auto _ : state)
        benchmark::DoNotOptimize(recommend(kind, history, date));
    state.SetLabel(recommendKindWord(kind));
}
BENCHMARK(BM_Recommend)
    ->Arg(static_cast<int>(RecommendKind::Daily))
    ->Arg(static_cast<int>(RecommendKind::Weekly))
    ->Arg(static_cast<int>(RecommendKind::Monthly))
    ->Unit(benchmark::kMicrosecond);

} // namespace
