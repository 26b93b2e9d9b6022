// Speed of the number tools: each tool on two full lists (all 1000 codes, 包号 of all
// ten digits), the same from the lists' texts to the result text as the page and
// velmora-cli codes run it, and the prize check on a 1000-code result.
#include "core/code/CodeSetText.h"
#include "core/play/NumberTools.h"
#include "core/play/PrizeCheckReport.h"

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

CodeSet fullList()
{
    CodeSet codes;
    codes.fill(true);
    return codes;
}

void BM_CodesTool(benchmark::State& state)
{
    const NumberToolInfo& info = kNumberTools[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(info.name);
    const CodeSet a = fullList();
    const CodeSet b = fullList();
    const DigitSet digits = *parseDigitList("0123456789");
    for (auto _ : state)
        benchmark::DoNotOptimize(runNumberTool(info.tool, a, b, digits));
}
BENCHMARK(BM_CodesTool)
    ->DenseRange(0, static_cast<int>(std::size(kNumberTools)) - 1)
    ->Unit(benchmark::kMicrosecond);

void BM_CodesFromText(benchmark::State& state)
{
    const NumberToolInfo& info = kNumberTools[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(info.name);
    const std::vector<std::string> text = resultTextLines(kDirectLeadingText, fullList());
    for (auto _ : state) {
        CodeSet a;
        CodeSet b;
        linesToCodeSet(text, a);
        linesToCodeSet(text, b);
        const CodeSet result = runNumberTool(info.tool, a, b, *parseDigitList("0123456789"));
        benchmark::DoNotOptimize(joinLines(resultTextLines(info.leadingText, result), "\n"));
    }
}
BENCHMARK(BM_CodesFromText)
    ->DenseRange(0, static_cast<int>(std::size(kNumberTools)) - 1)
    ->Unit(benchmark::kMicrosecond);

void BM_CodesPrizeCheckFullResult(benchmark::State& state)
{
    const std::string memo = joinLines(resultTextLines(kDirectLeadingText, fullList()), "\n");
    for (auto _ : state)
        benchmark::DoNotOptimize(checkPrizeInText(memo, "038"));
}
BENCHMARK(BM_CodesPrizeCheckFullResult)->Unit(benchmark::kMicrosecond);

} // namespace
