// "K线分布图", "和值分布图", "合值分布图": a mark in the cell of the value drawn,
// so the marks of successive rows trace a line down the table.
#include "Charts/ChartSkeleton.h"
#include "Charts/Charts.h"
#include "Code/Code.h"

namespace velmora {

namespace {

using namespace charts;

// ---- K-line: the digit 0-9 at each position ----

constexpr TColor kKLineBands[3] = {TColor::Rgb(85, 209, 239), TColor::Rgb(51, 212, 165),
                                   TColor::Rgb(132, 51, 238)};
constexpr TColor kKLineMark = TColor::Rgb(216, 90, 68);

void FillKLineRow(TChartRow& row, int code)
{
    for (int p = 0; p < 3; ++p) {
        const int first = 4 + 10 * p;
        row.Fill(first, first + 9, kKLineBands[p]);
        const int digit = NumOfCode(code, p + 1);
        row.Mark(first + digit, std::to_string(digit), kKLineMark);
    }
}

TChartLayout MakeKLineLayout()
{
    TChartLayout chart = StartLayout("号码");
    AppendWidths(chart.Widths, 30, 18);
    for (int p = 0; p < 3; ++p)
        AppendDigitHeaders(chart.SubHeaders, 4 + 10 * p, 10);
    chart.Merges.insert(chart.Merges.end(), {{"百位", 4, 13, false}, {"十位", 14, 23, false},
                                           {"个位", 24, 33, false}});
    SetTotals(chart.Totals, 4, 33, TTotalText::Decimal);
    chart.FillRow = FillKLineRow;
    return chart;
}

// ---- Sum: 0-27 ----

constexpr TColor kSumCycle[3] = {TColor::Rgb(85, 209, 239), TColor::Rgb(99, 228, 181),
                                 TColor::Rgb(196, 163, 222)};
constexpr TColor kSumMark = TColor::Rgb(243, 101, 63);

void FillSumRow(TChartRow& row, int code)
{
    const int sum = SumOfCode(code, false);
    row.Text(4, IntToPadStr(sum, 2, true));
    for (int s = 0; s <= 27; ++s)
        row.Color(5 + s, kSumCycle[s % 3]);
    row.Mark(5 + sum, IntToPadStr(sum, 2, true), kSumMark);
}

TChartLayout MakeSumLayout()
{
    TChartLayout chart = StartLayout("号码");
    AppendWidths(chart.Widths, 1, 28);
    AppendWidths(chart.Widths, 28, 18);
    AppendDigitHeaders(chart.SubHeaders, 5, 28);
    chart.Merges.insert(chart.Merges.end(), {{"和值", 4, 4, true}, {"和值分布", 5, 32, false}});
    SetTotals(chart.Totals, 5, 32, TTotalText::Decimal);
    chart.FillRow = FillSumRow;
    return chart;
}

// ---- Sum tail: 0-9 and its route, big/small, odd/even and big/middle/small class ----

constexpr TColor kTailMark = TColor::Rgb(98, 222, 14);
constexpr TColor kRouteBand = TColor::Rgb(102, 220, 254);
constexpr TColor kRouteMark = TColor::Rgb(115, 101, 223);
constexpr TColor kBigBand = TColor::Rgb(131, 176, 238);
constexpr TColor kBigMark = TColor::Rgb(243, 101, 63);
constexpr TColor kOddBand = TColor::Rgb(51, 224, 30);
constexpr TColor kOddMark = TColor::Rgb(243, 176, 190);
constexpr TColor kSmbBand = TColor::Rgb(102, 188, 238);
constexpr TColor kSmbMark = TColor::Rgb(243, 176, 174);

void FillTailRow(TChartRow& row, int code)
{
    const int t = SumOfCode(code, true);
    row.Count(4, t);
    row.Mark(5 + t, std::to_string(t), kTailMark);

    row.Fill(15, 17, kRouteBand);
    row.Mark(15 + t % 3, std::to_string(t % 3), kRouteMark);

    row.Fill(18, 19, kBigBand);
    if (IsBigNum(t))
        row.Mark(18, "D", kBigMark);
    else
        row.Mark(19, "X", kBigMark);

    row.Fill(20, 21, kOddBand);
    if (IsOddNum(t))
        row.Mark(20, "J", kOddMark);
    else
        row.Mark(21, "O", kOddMark);

    // SmbOfNum: 0 small, 1 middle, 2 big; the columns run big, middle, small.
    static constexpr const char* kSmbLetters[3] = {"X", "Z", "D"};
    const int smb = SmbOfNum(t);
    row.Fill(22, 24, kSmbBand);
    row.Mark(24 - smb, kSmbLetters[smb], kSmbMark);
}

TChartLayout MakeTailLayout()
{
    TChartLayout chart = StartLayout("号码");
    AppendWidths(chart.Widths, 1, 28);
    AppendWidths(chart.Widths, 20, 18);
    AppendDigitHeaders(chart.SubHeaders, 5, 10);
    AppendDigitHeaders(chart.SubHeaders, 15, 3);
    chart.SubHeaders.insert(chart.SubHeaders.end(), {{18, "大"}, {19, "小"}, {20, "奇"}, {21, "偶"},
                                                   {22, "大"}, {23, "中"}, {24, "小"}});
    chart.Merges.insert(chart.Merges.end(),
                       {{"合值", 4, 4, true}, {"合值分布", 5, 14, false}, {"012", 15, 17, false},
                        {"大小", 18, 19, false}, {"奇偶", 20, 21, false}, {"大中小", 22, 24, false}});
    SetTotals(chart.Totals, 4, 24, TTotalText::Decimal);
    chart.FillRow = FillTailRow;
    return chart;
}

} // namespace

int BuildKLineChart(TH2NetModel& net, const TCodeRecArr& history, int n, const MessageFn& message)
{
    static const TChartLayout chart = MakeKLineLayout();
    return BuildChart(chart, net, history, n, message);
}

int BuildSumChart(TH2NetModel& net, const TCodeRecArr& history, int n, const MessageFn& message)
{
    static const TChartLayout chart = MakeSumLayout();
    return BuildChart(chart, net, history, n, message);
}

int BuildTailChart(TH2NetModel& net, const TCodeRecArr& history, int n, const MessageFn& message)
{
    static const TChartLayout chart = MakeTailLayout();
    return BuildChart(chart, net, history, n, message);
}

} // namespace velmora
