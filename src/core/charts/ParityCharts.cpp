// "奇偶走势图" and "大小走势图": one design with two tests of a value (odd, or big),
// applied to each digit and to the sum, plus the group and single letters of the code.
#include "core/charts/ChartSkeleton.h"
#include "core/charts/Charts.h"
#include "core/code/Code.h"

namespace velmora {

namespace {

using namespace charts;

constexpr CellColor kGroupBands[4] = { CellColor::rgb(85, 209, 239), CellColor::rgb(99, 228, 181),
    CellColor::rgb(196, 163, 222), CellColor::rgb(85, 209, 239) };
constexpr CellColor kHitMark = CellColor::rgb(241, 211, 228);
constexpr CellColor kMissMark = CellColor::rgb(241, 195, 212);
constexpr CellColor kLetterGroupBand = CellColor::rgb(99, 228, 181);
constexpr CellColor kLetterSingleBand = CellColor::rgb(196, 163, 222);
constexpr CellColor kLetterMark = CellColor::rgb(241, 195, 212);
constexpr const char* kLetters = "ABCDEFGHIJKLMN";

struct ParityTest {
    const char* hit;
    const char* miss;
    bool (*isHit)(long long value);
    int (*countOfCode)(int code);
    int (*maskOfCode)(int code);
};

// isBigNum looks at the last digit only, so a sum of 15 is big and one of 20 small.
constexpr ParityTest kOddEven = { "J", "O", isOddNum, oddCountOfCode, oddMaskOfCode };
constexpr ParityTest kBigSmall = { "D", "X", isBigNum, bigCountOfCode, bigMaskOfCode };

template <const ParityTest& test> void fillParityRow(ChartRow& row, int code)
{
    const int sum = sumOfCode(code, false);
    row.setText(4, zeroPadded(sum, 2));
    row.add(4, sum);

    const int values[4] = { digitAt(code, 1), digitAt(code, 2), digitAt(code, 3), sum };
    for (int g = 0; g < 4; ++g)
        row.fill(5 + 4 * g, 8 + 4 * g, kGroupBands[g]);
    for (int g = 0; g < 4; ++g) {
        if (test.isHit(values[g]))
            row.mark(6 + 4 * g, test.hit, kHitMark);
        else
            row.mark(8 + 4 * g, test.miss, kMissMark);
    }

    const int u = test.countOfCode(code);
    row.fill(21, 24, kLetterGroupBand);
    row.mark(21 + u, std::string(1, kLetters[u]), kLetterMark);

    const int m = test.maskOfCode(code);
    row.fill(25, 32, kLetterSingleBand);
    row.mark(25 + m, std::string(1, kLetters[m]), kLetterMark);
}

ChartLayout makeParityLayout(const ParityTest& test, void (*fillRow)(ChartRow&, int))
{
    ChartLayout chart = startLayout("号码");
    appendWidths(chart.widths, 1, 32);
    appendWidths(chart.widths, 28, 18);
    for (int g = 0; g < 4; ++g) {
        chart.subHeaders.push_back({ 6 + 4 * g, test.hit });
        chart.subHeaders.push_back({ 8 + 4 * g, test.miss });
    }
    for (int i = 0; i < 4; ++i)
        chart.subHeaders.push_back({ 21 + i, std::string(1, kLetters[i]) });
    for (int i = 0; i < 8; ++i)
        chart.subHeaders.push_back({ 25 + i, std::string(1, kLetters[i]) });
    chart.merges.insert(chart.merges.end(),
        { { "和值", 4, 4, true }, { "百位", 5, 8, false }, { "十位", 9, 12, false },
            { "个位", 13, 16, false }, { "和值", 17, 20, false }, { "组选", 21, 24, false },
            { "单选", 25, 32, false } });
    setTotals(chart.totals, 4, 32, TotalText::Decimal);
    chart.fillRow = fillRow;
    return chart;
}

} // namespace

int buildOddEvenChart(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message)
{
    static const ChartLayout chart = makeParityLayout(kOddEven, fillParityRow<kOddEven>);
    return buildChart(chart, grid, history, n, message);
}

int buildBigSmallChart(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message)
{
    static const ChartLayout chart = makeParityLayout(kBigSmall, fillParityRow<kBigSmall>);
    return buildChart(chart, grid, history, n, message);
}

} // namespace velmora
