// "3D走势图": the attributes of each draw code side by side.
#include "core/charts/ChartSkeleton.h"
#include "core/charts/Charts.h"
#include "core/code/Code.h"

namespace velmora {

namespace {

using namespace charts;

constexpr CellColor kOnceGreen = CellColor::rgb(0, 128, 0);
constexpr CellColor kRepeatRed = CellColor::rgb(255, 0, 0);

void fillTrendRow(ChartRow& row, int code)
{
    for (int d = 0; d <= 9; ++d) {
        const int count = countNumInCode(code, d);
        if (count > 0) {
            row.setText(4 + d, std::to_string(count));
            row.setColor(4 + d, count == 1 ? kOnceGreen : kRepeatRed);
        }
        row.add(4 + d, count);
    }
    const int odd = oddCountOfCode(code);
    row.count(14, odd);
    row.count(15, 3 - odd);
    const int big = bigCountOfCode(code);
    row.count(16, big);
    row.count(17, 3 - big);
    const std::string route = routeOfCode(code);
    for (int i = 0; i < 3; ++i)
        row.count(18 + i, route[static_cast<std::size_t>(i)] - '0');
    // smbOfCode counts small, middle, big; the chart shows big, middle, small.
    const std::string smb = smbOfCode(code);
    for (int i = 0; i < 3; ++i)
        row.count(21 + i, smb[static_cast<std::size_t>(2 - i)] - '0');
    const int sum = sumOfCode(code, false);
    row.setText(24, zeroPadded(sum, 2));
    row.add(24, sum);
    row.count(25, sumOfCode(code, true));
    row.count(26, maxOfCode(code) - minOfCode(code));
    if (const int link = linkOfCode(code); link > 0)
        row.setText(27, std::to_string(link));
    if (repeatOfCode(code) > 0)
        row.setText(28, std::to_string(mostNumOfCode(code)));
}

ChartLayout makeTrendLayout()
{
    ChartLayout chart = startLayout("中奖号码");
    appendWidths(chart.widths, 10, 18);
    appendWidths(chart.widths, 10, 22);
    appendWidths(chart.widths, 5, 33);
    appendDigitHeaders(chart.subHeaders, 4, 10);
    chart.subHeaders.insert(chart.subHeaders.end(),
        { { 14, "奇" }, { 15, "偶" }, { 16, "大" }, { 17, "小" }, { 18, "0" }, { 19, "1" }, { 20, "2" },
            { 21, "大" }, { 22, "中" }, { 23, "小" } });
    chart.merges.insert(chart.merges.end(),
        { { "分布图", 4, 13, false }, { "奇偶", 14, 15, false }, { "大小", 16, 17, false },
            { "012", 18, 20, false }, { "大中小", 21, 23, false }, { "和值", 24, 24, true },
            { "合值", 25, 25, true }, { "跨度", 26, 26, true }, { "相连", 27, 27, true },
            { "开宝", 28, 28, true } });
    setTotals(chart.totals, 4, 13, TotalText::IfPositive);
    setTotals(chart.totals, 14, 26, TotalText::Decimal);
    setTotals(chart.totals, 27, 28, TotalText::Empty);
    chart.fillRow = fillTrendRow;
    return chart;
}

} // namespace

int buildTrendChart(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message)
{
    static const ChartLayout chart = makeTrendLayout();
    return buildChart(chart, grid, history, n, message);
}

} // namespace velmora
