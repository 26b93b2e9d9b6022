// Speed of the engines: the filter with all nineteen conditions active (fast
// and straightforward version in the same run), the smart shrink of a full
// base, and the three recommendations.
#include "Code/CodeList.h"
#include "Shrink/FilterEngine.h"
#include "Shrink/Recommend.h"
#include "Shrink/SmartShrink.h"

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

TCodeRecArr BenchHistory()
{
    TCodeRecArr history;
    for (int i = 0; i < 30; ++i)
        history.push_back({2026, i + 1, (i * 379 + 11) % 1000, (i * 613 + 257) % 1000, 1, 2});
    return history;
}

// Every condition active, each letting a fair share of the codes through so
// that no early condition empties the set.
FilterConditions AllActiveConditions()
{
    FilterConditions fc;
    for (auto& row : fc.RecentHits)
        row = {true, true, true, false};
    fc.RecentPairsIn = "12,34,56,78,90,13,57,24,68,09";
    fc.RecentPairsOut = "99";
    for (auto& row : fc.PositionDigits)
        row = {true, true, true, true, true, true, true, true, false, true};
    fc.Bankers = {2, 5, 8, 0, 10};
    fc.SumTails = {true, true, true, true, true, true, true, true, true, false};
    fc.Sums.fill(true);
    fc.Sums[27] = false;
    fc.SmbPatterns.fill(true);
    fc.SmbPatterns[9] = false;
    fc.RoutePatterns.fill(true);
    fc.RoutePatterns[0] = false;
    fc.OddCounts = {true, true, true, false};
    fc.BigCounts = {false, true, true, true};
    fc.HitGroups = {HitGroup{"1259", {true, true, true, false}}, HitGroup{"0,3,7", {true, true, true, true}},
                    HitGroup{"4680", {false, true, true, true}}, HitGroup{"13579", {true, true, true, false}},
                    HitGroup{"22", {true, true, false, false}}};
    fc.PairsIn = "01,23,45,67,89,02,46,81";
    fc.PairsOut = "77";
    fc.DigitsIn = "0123456";
    fc.DigitsOut = "8";
    fc.MinDigit = 0;
    fc.MaxDigit = 9;
    fc.RunKinds = {true, true, false};
    fc.CodeTypes = {true, true, false};
    return fc;
}

void BM_RunShrinkAllConditions(benchmark::State& state)
{
    const FilterConditions fc = AllActiveConditions();
    const TCodeRecArr history = BenchHistory();
    for (auto _ : state)
        benchmark::DoNotOptimize(RunShrink(fc, history));
    state.counters["kept"] = CodeSetCount(RunShrink(fc, history));
}
BENCHMARK(BM_RunShrinkAllConditions)->Unit(benchmark::kMicrosecond);

void BM_RunShrinkReferenceAllConditions(benchmark::State& state)
{
    const FilterConditions fc = AllActiveConditions();
    const TCodeRecArr history = BenchHistory();
    for (auto _ : state)
        benchmark::DoNotOptimize(RunShrinkReference(fc, history));
}
BENCHMARK(BM_RunShrinkReferenceAllConditions)->Unit(benchmark::kMicrosecond);

void BM_SmartShrinkFullBase(benchmark::State& state)
{
    TCodeArr base;
    base.Fill(true);
    const TCodeRecArr history = BenchHistory();
    for (auto _ : state)
        benchmark::DoNotOptimize(SmartShrink(base, 3, history));
}
BENCHMARK(BM_SmartShrinkFullBase)->Unit(benchmark::kMicrosecond);

void BM_Recommend(benchmark::State& state)
{
    const auto kind = static_cast<RecommendKind>(state.range(0));
    const TCodeRecArr history = BenchHistory();
    const CalendarDate date{2026, 12, 7, 2};
    for (auto _ : state)
        benchmark::DoNotOptimize(Recommend(kind, history, date));
    state.SetLabel(RecommendKindWord(kind));
}
BENCHMARK(BM_Recommend)
    ->Arg(static_cast<int>(RecommendKind::Daily))
    ->Arg(static_cast<int>(RecommendKind::Weekly))
    ->Arg(static_cast<int>(RecommendKind::Monthly))
    ->Unit(benchmark::kMicrosecond);

} // namespace
