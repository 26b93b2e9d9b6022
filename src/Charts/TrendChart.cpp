// "3D走势图": the attributes of each draw code side by side.
#include "Charts/ChartSkeleton.h"
#include "Charts/Charts.h"
#include "Code/Code.h"

namespace velmora {

namespace {

using namespace charts;

constexpr TColor kOnceGreen = TColor::Rgb(0, 128, 0);
constexpr TColor kRepeatRed = TColor::Rgb(255, 0, 0);

void FillTrendRow(TChartRow& row, int code)
{
    for (int d = 0; d <= 9; ++d) {
        const int count = CountNumInCode(code, d);
        if (count > 0) {
            row.Text(4 + d, std::to_string(count));
            row.Color(4 + d, count == 1 ? kOnceGreen : kRepeatRed);
        }
        row.Add(4 + d, count);
    }
    const int odd = OddCountOfCode(code);
    row.Count(14, odd);
    row.Count(15, 3 - odd);
    const int big = BigCountOfCode(code);
    row.Count(16, big);
    row.Count(17, 3 - big);
    const std::string route = RouteOfCode(code);
    for (int i = 0; i < 3; ++i)
        row.Count(18 + i, route[static_cast<std::size_t>(i)] - '0');
    // SmbOfCode counts small, middle, big; the chart shows big, middle, small.
    const std::string smb = SmbOfCode(code);
    for (int i = 0; i < 3; ++i)
        row.Count(21 + i, smb[static_cast<std::size_t>(2 - i)] - '0');
    const int sum = SumOfCode(code, false);
    row.Text(24, IntToPadStr(sum, 2, true));
    row.Add(24, sum);
    row.Count(25, SumOfCode(code, true));
    row.Count(26, MaxOfCode(code) - MinOfCode(code));
    if (const int link = LinkOfCode(code); link > 0)
        row.Text(27, std::to_string(link));
    if (RepeatOfCode(code) > 0)
        row.Text(28, std::to_string(MostNumOfCode(code)));
}

TChartLayout MakeTrendLayout()
{
    TChartLayout chart = StartLayout("中奖号码");
    AppendWidths(chart.Widths, 10, 18);
    AppendWidths(chart.Widths, 10, 22);
    AppendWidths(chart.Widths, 5, 33);
    AppendDigitHeaders(chart.SubHeaders, 4, 10);
    chart.SubHeaders.insert(chart.SubHeaders.end(), {{14, "奇"}, {15, "偶"}, {16, "大"}, {17, "小"},
                                                   {18, "0"}, {19, "1"}, {20, "2"},
                                                   {21, "大"}, {22, "中"}, {23, "小"}});
    chart.Merges.insert(chart.Merges.end(), {{"分布图", 4, 13, false}, {"奇偶", 14, 15, false},
                                           {"大小", 16, 17, false}, {"012", 18, 20, false},
                                           {"大中小", 21, 23, false}, {"和值", 24, 24, true},
                                           {"合值", 25, 25, true}, {"跨度", 26, 26, true},
                                           {"相连", 27, 27, true}, {"开宝", 28, 28, true}});
    SetTotals(chart.Totals, 4, 13, TTotalText::IfPositive);
    SetTotals(chart.Totals, 14, 26, TTotalText::Decimal);
    SetTotals(chart.Totals, 27, 28, TTotalText::Empty);
    chart.FillRow = FillTrendRow;
    return chart;
}

} // namespace

int BuildTrendChart(TH2NetModel& net, const TCodeRecArr& history, int n, const MessageFn& message)
{
    static const TChartLayout chart = MakeTrendLayout();
    return BuildChart(chart, net, history, n, message);
}

} // namespace velmora
