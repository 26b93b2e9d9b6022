// The history merge and the first start's parse of the built-in history.
#include "core/draw/DrawText.h"
#include "core/draw/HistoryMerge.h"
#include "core/draw/HistorySource.h"
#include "core/game/Game.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The shipped history (8,684 draws) and the same with 100 newer draws after it.
struct MergeInput {
    std::vector<std::string> local;
    std::vector<std::string> source;
};

const MergeInput& Input()
{
    static const MergeInput input = [] {
        MergeInput in;
        in.local = velmora::splitLines(velmora::game3d().builtInHistory());
        in.source = in.local;
        char line[32];
        for (int i = 0; i < 100; ++i) {
            std::snprintf(line, sizeof line, "2026%03d,%03d,%03d,0,0", 177 + i, i * 7 % 1000, i * 13 % 1000);
            in.source.emplace_back(line);
        }
        return in;
    }();
    return input;
}

// Merging 8,684 local draws with a download of the same plus 100 new ones.
void BM_MergeHistory8684Plus100(benchmark::State& state)
{
    const MergeInput& in = Input();
    for (auto _ : state) {
        velmora::MergeResult result = velmora::mergeHistory(velmora::game3d(), in.local, in.source);
        benchmark::DoNotOptimize(result.lines.data());
    }
}
BENCHMARK(BM_MergeHistory8684Plus100)->Unit(benchmark::kMillisecond);

// The same download in the public blank-separated layout, read and converted.
void BM_ReadPublicHistory8784(benchmark::State& state)
{
    std::string text;
    for (const std::string& line : Input().source) {
        text += line.substr(0, 7) + " 2026-01-01";
        for (const char c : line.substr(8, 3) + line.substr(12, 3) + line.substr(16, 1) + line.substr(18, 1))
            text += std::string(" ") + c;
        text += " 106919648 18035 1040 0 0\r\n";
    }
    for (auto _ : state) {
        velmora::SourceHistory source = velmora::readSourceHistory(velmora::game3d(), text, {});
        benchmark::DoNotOptimize(source.lines.data());
    }
}
BENCHMARK(BM_ReadPublicHistory8784)->Unit(benchmark::kMillisecond);

// A first start: the built-in history split into lines and parsed into the draw history.
void BM_ParseBuiltInHistory(benchmark::State& state)
{
    for (auto _ : state) {
        const velmora::ParsedHistory parsed = velmora::parseDrawHistory(
            velmora::game3d(), velmora::splitLines(velmora::game3d().builtInHistory()));
        benchmark::DoNotOptimize(parsed.history.data());
    }
}
BENCHMARK(BM_ParseBuiltInHistory)->Unit(benchmark::kMillisecond);

} // namespace
