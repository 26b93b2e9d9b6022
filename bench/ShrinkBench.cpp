// Speed of the engines: the filter with all thirty conditions active (and with a
// tolerance), the straightforward version on the nineteen basic conditions as
// the machine's yardstick, the smart shrink of a full base, and the three
// recommendations.
#include "BenchConditions.h"
#include "core/code/CodeSetText.h"
#include "core/filter/FilterEngineReference.h"
#include "core/smart/Recommend.h"
#include "core/smart/SmartShrink.h"

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

void BM_RunShrinkAllConditions(benchmark::State& state)
{
    const FilterConditions fc = AllActiveConditions();
    const DrawHistory history = BenchHistory();
    for (auto _ : state)
        benchmark::DoNotOptimize(runShrink(fc, history));
    state.counters["kept"] = codeSetCount(runShrink(fc, history));
}
BENCHMARK(BM_RunShrinkAllConditions)->Unit(benchmark::kMicrosecond);

// The same conditions with a tolerance: codes failing one or two units.
void BM_RunShrinkToleranceAllConditions(benchmark::State& state)
{
    const FilterConditions fc = AllActiveConditions();
    const DrawHistory history = BenchHistory();
    const Tolerance tolerance { 1, 2 };
    for (auto _ : state)
        benchmark::DoNotOptimize(runShrink(fc, history, tolerance));
    state.counters["kept"] = codeSetCount(runShrink(fc, history, tolerance));
}
BENCHMARK(BM_RunShrinkToleranceAllConditions)->Unit(benchmark::kMicrosecond);

void BM_RunShrinkReferenceAllConditions(benchmark::State& state)
{
    const FilterConditions fc = NineteenActiveConditions();
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
        benchmark::DoNotOptimize(recommend(velmora::game3d(), kind, history, date));
    state.SetLabel(recommendKindWord(kind));
}
BENCHMARK(BM_Recommend)
    ->Arg(static_cast<int>(RecommendKind::Daily))
    ->Arg(static_cast<int>(RecommendKind::Weekly))
    ->Arg(static_cast<int>(RecommendKind::Monthly))
    ->Unit(benchmark::kMicrosecond);

} // namespace
