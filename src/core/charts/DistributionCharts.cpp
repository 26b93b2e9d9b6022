// "K线分布图", "和值分布图", "合值分布图": a mark in the cell of the value drawn,
// so the marks of successive rows trace a line down the table.
#include "core/charts/ChartSkeleton.h"
#include "core/charts/Charts.h"
#include "core/code/Code.h"

namespace velmora {

namespace {

using namespace charts;

// ---- K-line: the digit 0-9 at each position ----

constexpr CellColor kKLineBands[3]
    = { CellColor::rgb(85, 209, 239), CellColor::rgb(51, 212, 165), CellColor::rgb(132, 51, 238) };
constexpr CellColor kKLineMark = CellColor::rgb(216, 90, 68);

void fillKLineRow(ChartRow& row, int code)
{
    for (int p = 0; p < 3; ++p) {
        const int first = 4 + 10 * p;
        row.fill(first, first + 9, kKLineBands[p]);
        const int digit = digitAt(code, p + 1);
        row.mark(first + digit, std::to_string(digit), kKLineMark);
    }
}

ChartLayout makeKLineLayout()
{
    ChartLayout chart = startLayout("号码");
    appendWidths(chart.widths, 30, 18);
    for (int p = 0; p < 3; ++p)
        appendDigitHeaders(chart.subHeaders, 4 + 10 * p, 10);
    chart.merges.insert(chart.merges.end(),
        { { "百位", 4, 13, false }, { "十位", 14, 23, false }, { "个位", 24, 33, false } });
    setTotals(chart.totals, 4, 33, TotalText::Decimal);
    chart.fillRow = fillKLineRow;
    return chart;
}

// ---- Sum: 0-27 ----

constexpr CellColor kSumCycle[3]
    = { CellColor::rgb(85, 209, 239), CellColor::rgb(99, 228, 181), CellColor::rgb(196, 163, 222) };
constexpr CellColor kSumMark = CellColor::rgb(243, 101, 63);

void fillSumRow(ChartRow& row, int code)
{
    const int sum = sumOfCode(code, false);
    row.setText(4, zeroPadded(sum, 2));
    for (int s = 0; s <= 27; ++s)
        row.setColor(5 + s, kSumCycle[s % 3]);
    row.mark(5 + sum, zeroPadded(sum, 2), kSumMark);
}

ChartLayout makeSumLayout()
{
    ChartLayout chart = startLayout("号码");
    appendWidths(chart.widths, 1, 28);
    appendWidths(chart.widths, 28, 18);
    appendDigitHeaders(chart.subHeaders, 5, 28);
    chart.merges.insert(chart.merges.end(), { { "和值", 4, 4, true }, { "和值分布", 5, 32, false } });
    setTotals(chart.totals, 5, 32, TotalText::Decimal);
    chart.fillRow = fillSumRow;
    return chart;
}

// ---- Sum tail: 0-9 and its route, big/small, odd/even and big/middle/small class ----

constexpr CellColor kTailMark = CellColor::rgb(98, 222, 14);
constexpr CellColor kRouteBand = CellColor::rgb(102, 220, 254);
constexpr CellColor kRouteMark = CellColor::rgb(115, 101, 223);
constexpr CellColor kBigBand = CellColor::rgb(131, 176, 238);
constexpr CellColor kBigMark = CellColor::rgb(243, 101, 63);
constexpr CellColor kOddBand = CellColor::rgb(51, 224, 30);
constexpr CellColor kOddMark = CellColor::rgb(243, 176, 190);
constexpr CellColor kSmbBand = CellColor::rgb(102, 188, 238);
constexpr CellColor kSmbMark = CellColor::rgb(243, 176, 174);

void fillTailRow(ChartRow& row, int code)
{
    const int t = sumOfCode(code, true);
    row.count(4, t);
    row.mark(5 + t, std::to_string(t), kTailMark);

    row.fill(15, 17, kRouteBand);
    row.mark(15 + t % 3, std::to_string(t % 3), kRouteMark);

    row.fill(18, 19, kBigBand);
    if (isBigNum(t))
        row.mark(18, "D", kBigMark);
    else
        row.mark(19, "X", kBigMark);

    row.fill(20, 21, kOddBand);
    if (isOddNum(t))
        row.mark(20, "J", kOddMark);
    else
        row.mark(21, "O", kOddMark);

    // smbOfNum: 0 small, 1 middle, 2 big; the columns run big, middle, small.
    static constexpr const char* kSmbLetters[3] = { "X", "Z", "D" };
    const int smb = smbOfNum(t);
    row.fill(22, 24, kSmbBand);
    row.mark(24 - smb, kSmbLetters[smb], kSmbMark);
}

ChartLayout makeTailLayout()
{
    ChartLayout chart = startLayout("号码");
    appendWidths(chart.widths, 1, 28);
    appendWidths(chart.widths, 20, 18);
    appendDigitHeaders(chart.subHeaders, 5, 10);
    appendDigitHeaders(chart.subHeaders, 15, 3);
    chart.subHeaders.insert(chart.subHeaders.end(),
        { { 18, "大" }, { 19, "小" }, { 20, "奇" }, { 21, "偶" }, { 22, "大" }, { 23, "中" }, { 24, "小" } });
    chart.merges.insert(chart.merges.end(),
        { { "合值", 4, 4, true }, { "合值分布", 5, 14, false }, { "012", 15, 17, false },
            { "大小", 18, 19, false }, { "奇偶", 20, 21, false }, { "大中小", 22, 24, false } });
    setTotals(chart.totals, 4, 24, TotalText::Decimal);
    chart.fillRow = fillTailRow;
    return chart;
}

} // namespace

int buildKLineChart(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message)
{
    static const ChartLayout chart = makeKLineLayout();
    return buildChart(chart, grid, history, n, message);
}

int buildSumChart(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message)
{
    static const ChartLayout chart = makeSumLayout();
    return buildChart(chart, grid, history, n, message);
}

int buildTailChart(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message)
{
    static const ChartLayout chart = makeTailLayout();
    return buildChart(chart, grid, history, n, message);
}

} // namespace velmora
