#include "Charts/ChartSkeleton.h"

#include "Charts/Charts.h"
#include "Code/Code.h"

#include <algorithm>

namespace velmora::charts {

void TChartRow::Fill(int first, int last, TColor color)
{
    for (int col = first; col <= last; ++col)
        net_.SetCellColor(row_, col, color);
}

void TChartRow::Count(int col, int value)
{
    Text(col, std::to_string(value));
    Add(col, value);
}

void TChartRow::Mark(int col, std::string text, TColor color)
{
    Text(col, std::move(text));
    Color(col, color);
    Add(col, 1);
}

TChartLayout StartLayout(const char* codeCaption)
{
    TChartLayout chart;
    chart.Widths = {66, 20, 20, 20};
    chart.SubHeaders = {{1, "百"}, {2, "十"}, {3, "个"}};
    chart.Merges = {{"期号", 0, 0, true}, {codeCaption, 1, 3, false}};
    return chart;
}

void AppendWidths(std::vector<int>& widths, int count, int width)
{
    widths.insert(widths.end(), static_cast<std::size_t>(count), width);
}

void AppendDigitHeaders(std::vector<TSubHeader>& headers, int first, int count)
{
    for (int i = 0; i < count; ++i)
        headers.push_back({first + i, std::to_string(i)});
}

void SetTotals(std::vector<TTotalText>& totals, int first, int last, TTotalText style)
{
    if (totals.size() < static_cast<std::size_t>(last + 1))
        totals.resize(static_cast<std::size_t>(last + 1), TTotalText::Empty);
    std::fill(totals.begin() + first, totals.begin() + last + 1, style);
}

namespace {

std::string TotalText(TTotalText style, long long total)
{
    switch (style) {
    case TTotalText::Decimal:
        return std::to_string(total);
    case TTotalText::IfPositive:
        return total > 0 ? std::to_string(total) : std::string();
    case TTotalText::Empty:
        break;
    }
    return {};
}

} // namespace

int BuildChart(const TChartLayout& chart, TH2NetModel& net, const TCodeRecArr& history, int n,
               const MessageFn& message)
{
    const int drawCount = static_cast<int>(history.size());
    int result = n;
    if (n > drawCount) {
        if (message)
            message(kTooManyDrawsMessage);
        result = drawCount;
    }
    const int rows = std::clamp(n, 0, drawCount);
    const int cols = static_cast<int>(chart.Widths.size());

    net.SetGridSize(cols, rows + 1, 2, chart.Widths);
    for (const TSubHeader& h : chart.SubHeaders)
        net.SetValue(1, h.Col, h.Text);
    net.SetMergeCount(static_cast<int>(chart.Merges.size()));
    for (std::size_t i = 0; i < chart.Merges.size(); ++i) {
        const TMergeArea& m = chart.Merges[i];
        net.SetMerge(static_cast<int>(i), true, m.FirstCol, 0, m.LastCol, m.BothRows ? 1 : 0,
                     m.Caption, net.FixColor());
    }

    std::vector<long long> totals(static_cast<std::size_t>(cols), 0);
    for (int i = 0; i < rows; ++i) {
        const TCodeRec& rec = history[static_cast<std::size_t>(drawCount - 1 - i)];
        const int gridRow = i + 2;
        net.SetValue(gridRow, 0, IntToPadStr(rec.Year, 4, true) + IntToPadStr(rec.Issue, 3, true));
        for (int pos = 1; pos <= 3; ++pos)
            net.SetValue(gridRow, pos, std::to_string(NumOfCode(rec.DrawCode, pos)));
        TChartRow row(net, totals, gridRow);
        chart.FillRow(row, rec.DrawCode);
    }

    const int totalsRow = rows + 2;
    net.SetValue(totalsRow, 0, "合计");
    for (int col = 1; col < cols; ++col)
        if (static_cast<std::size_t>(col) < chart.Totals.size())
            net.SetValue(totalsRow, col, TotalText(chart.Totals[static_cast<std::size_t>(col)],
                                                   totals[static_cast<std::size_t>(col)]));
    for (int col = 0; col < cols; ++col)
        net.SetCellColor(totalsRow, col, kTotalsGrey);

    net.Resize();
    return result;
}

} // namespace velmora::charts
