// The history check of every draw of the real history with all conditions
// active (budget: 16 ms), beside its straightforward version, and with the summary
// and money report that come from what it computed (as fast as without them).
#include "BenchConditions.h"
#include "core/ShrinkTestSupport.h"
#include "core/filter/Backtest.h"
#include "core/filter/BacktestReference.h"

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

void BacktestRealHistory(benchmark::State& state, bool reference)
{
    const DrawHistory history = velmora::test::RealHistory();
    if (history.empty()) {
        state.SkipWithError("no real history");
        return;
    }
    const FilterConditions fc = AllActiveConditions();
    const Tolerance tolerance { 0, static_cast<int>(state.range(0)) };
    const int count = static_cast<int>(history.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(reference ? runBacktestReference(fc, tolerance, history, count)
                                           : runBacktest(fc, tolerance, history, count));
    const BacktestSummary summary = backtestSummary(runBacktest(fc, tolerance, history, count));
    state.counters["draws"] = summary.draws;
    state.counters["hits"] = summary.hits;
}

void BM_BacktestRealHistoryAllConditions(benchmark::State& state) { BacktestRealHistory(state, false); }
BENCHMARK(BM_BacktestRealHistoryAllConditions)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_BacktestRealHistoryMoneyReport(benchmark::State& state)
{
    const DrawHistory history = velmora::test::RealHistory();
    if (history.empty()) {
        state.SkipWithError("no real history");
        return;
    }
    const FilterConditions fc = AllActiveConditions();
    const int count = static_cast<int>(history.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(backtestMoneyCsv(backtestSummary(runBacktest(fc, {}, history, count))));
}
BENCHMARK(BM_BacktestRealHistoryMoneyReport)->Unit(benchmark::kMillisecond);

void BM_BacktestReferenceRealHistoryAllConditions(benchmark::State& state)
{
    BacktestRealHistory(state, true);
}
BENCHMARK(BM_BacktestReferenceRealHistoryAllConditions)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
