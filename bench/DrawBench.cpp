#include "core/code/CodeSetText.h"
#include "core/draw/DrawText.h"
#include "core/io/TextEncoding.h"

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

void BM_ReadCodeList1MB(benchmark::State& state)
{
    std::mt19937 rng(2);
    std::string text;
    while (text.size() < (1u << 20)) {
        for (int k = 0; k < 10; ++k)
            text += std::to_string(100 + rng() % 900) + (k % 3 ? "," : " 中 ");
        text += "\r\n";
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(velmora::readCodeList(text).codes.data());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadCodeList1MB)->Unit(benchmark::kMillisecond);

// The largest input a command accepts, all line breaks: one line each.
void BM_ReadCodeListNewlines64MB(benchmark::State& state)
{
    const std::string text(64u << 20, '\n');
    for (auto _ : state)
        benchmark::DoNotOptimize(velmora::readCodeList(text).codes.data());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadCodeListNewlines64MB)->Unit(benchmark::kMillisecond);

// The largest input decoded as a text: random bytes (GB18030 of every form, one byte in
// eleven refused) and line feeds only (every one becoming CR LF).
void BM_DecodeText64MB(benchmark::State& state)
{
    std::mt19937 rng(3);
    std::string bytes(64u << 20, '\n');
    if (state.range(0) == 0)
        for (char& c : bytes)
            c = static_cast<char>(rng());
    for (auto _ : state) {
        state.PauseTiming();
        std::string read = bytes;
        state.ResumeTiming();
        benchmark::DoNotOptimize(velmora::decodeTextBytes(std::move(read)).data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeText64MB)->Arg(0)->Arg(1)->ArgName("newlines")->Unit(benchmark::kMillisecond);

} // namespace
