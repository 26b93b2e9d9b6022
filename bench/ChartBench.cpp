// Building each chart and the omission table over 10,000 draws (budget: 10 ms per build).
#include "core/charts/Charts.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

velmora::DrawHistory SyntheticHistory(int draws)
{
    std::mt19937 rng(3);
    velmora::DrawHistory history;
    history.reserve(static_cast<std::size_t>(draws));
    for (int i = 0; i < draws; ++i)
        history.push_back({ 2002 + i / 360, i % 360 + 1, static_cast<int>(rng() % 1000),
            static_cast<int>(rng() % 1000), 0, 0 });
    return history;
}

void BM_BuildChart10k(benchmark::State& state)
{
    const velmora::ChartKind& kind = velmora::kChartKinds[state.range(0)];
    state.SetLabel(kind.name);
    const velmora::DrawHistory history = SyntheticHistory(10000);
    velmora::GridModel grid;
    for (auto _ : state) {
        kind.build(grid, history, 10000, nullptr);
        benchmark::DoNotOptimize(grid.rowCount());
    }
}
BENCHMARK(BM_BuildChart10k)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

} // namespace
