#include "core/code/CodeSetText.h"
#include "core/draw/DrawText.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

std::string HistoryText(int lines)
{
    std::mt19937 rng(1);
    std::string text;
    char line[32];
    for (int i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof line, "%04d%03d,%03u,%03u,%u,%u\r\n", 2002 + i / 360, i % 360 + 1,
            static_cast<unsigned>(rng() % 1000), static_cast<unsigned>(rng() % 1000),
            static_cast<unsigned>(rng() % 10), static_cast<unsigned>(rng() % 10));
        text += line;
    }
    return text;
}

void BM_ParseHistory100k(benchmark::State& state)
{
    const std::string text = HistoryText(100000);
    for (auto _ : state) {
        const velmora::ParsedHistory parsed
            = velmora::parseDrawHistory(velmora::game3d(), velmora::splitLines(text));
        benchmark::DoNotOptimize(parsed.history.data());
    }
}
BENCHMARK(BM_ParseHistory100k)->Unit(benchmark::kMillisecond);

void BM_LinesToCodeSet1MB(benchmark::State& state)
{
    std::mt19937 rng(2);
    std::vector<std::string> lines;
    std::size_t bytes = 0;
    while (bytes < (1u << 20)) {
        std::string line;
        for (int k = 0; k < 10; ++k)
            line += std::to_string(100 + rng() % 900) + (k % 3 ? "," : " 中 ");
        bytes += line.size() + 2;
        lines.push_back(std::move(line));
    }
    for (auto _ : state) {
        velmora::CodeSet set;
        velmora::linesToCodeSet(lines, set);
        benchmark::DoNotOptimize(set.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_LinesToCodeSet1MB)->Unit(benchmark::kMillisecond);

} // namespace
