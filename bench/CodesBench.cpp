// Speed of the number tools: each tool on two full lists (all 1000 codes, 包号 and
// bet forms of all ten digits), the same from the lists' texts to the result text as the page and
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

// Every tool at its largest: full lists, all ten digits, every number; 组选胆拖
// with one banker and the nine other digits as drags.
NumberToolInputs fullInputs(NumberTool tool)
{
    const DigitSet all = *parseDigitList("0123456789");
    NumberToolInputs in { fullList(), fullList(), { all, all, all }, NumberSet().set() };
    if (tool == NumberTool::Dantuo)
        in.digits = { DigitSet(1), all & ~DigitSet(1), {} };
    return in;
}

void BM_CodesTool(benchmark::State& state)
{
    const NumberToolInfo& info = kNumberTools[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(info.name);
    const NumberToolInputs in = fullInputs(info.tool);
    for (auto _ : state)
        benchmark::DoNotOptimize(runNumberTool(info.tool, in));
}
BENCHMARK(BM_CodesTool)
    ->DenseRange(0, static_cast<int>(std::size(kNumberTools)) - 1)
    ->Unit(benchmark::kMicrosecond);

void BM_CodesFromText(benchmark::State& state)
{
    const NumberToolInfo& info = kNumberTools[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(info.name);
    const std::string text = joinLines(resultTextLines(kDirectLeadingText, fullList()), "\n");
    for (auto _ : state) {
        NumberToolInputs in = fullInputs(info.tool);
        in.a = readCodeList(text).codes;
        in.b = readCodeList(text).codes;
        const CodeSet result = runNumberTool(info.tool, in);
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
