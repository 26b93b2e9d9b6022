#include "core/charts/Charts.h"
#include "core/code/Code.h"

#include "core/charts/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

ChartBuilder BuilderNamed(const std::string& name)
{
    for (const ChartKind& k : kChartKinds)
        if (name == k.name)
            return k.build;
    ADD_FAILURE() << "no chart " << name;
    return buildTrendChart;
}

std::string Hex(CellColor color)
{
    if (color.isWindow())
        return "-";
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02x%02x%02x", color.red(), color.green(), color.blue());
    return buffer;
}

// Expands "4=1 9=2 14-26=0" into one entry per column from `first` to the last column;
// columns not named get `fallback`. Joined by "|" so a failure reads as a row diff.
std::string Expand(const std::string& pattern, int first, int cols, const std::string& fallback)
{
    std::vector<std::string> cells(static_cast<std::size_t>(cols), fallback);
    std::istringstream in(pattern);
    std::string item;
    while (in >> item) {
        const auto eq = item.find('=');
        const std::string range = item.substr(0, eq);
        const auto dash = range.find('-');
        const int a = std::stoi(range.substr(0, dash));
        const int b = dash == std::string::npos ? a : std::stoi(range.substr(dash + 1));
        for (int c = a; c <= b; ++c)
            cells[static_cast<std::size_t>(c)] = item.substr(eq + 1);
    }
    std::string line;
    for (int c = first; c < cols; ++c)
        line += (c > first ? "|" : "") + cells[static_cast<std::size_t>(c)];
    return line;
}

std::string ActualColors(const GridModel& grid, int row, int first)
{
    std::string line;
    for (int c = first; c < grid.colsCount(); ++c)
        line += (c > first ? "|" : "") + Hex(grid.getCellColor(row, c));
    return line;
}

struct Built {
    GridModel grid;
    std::vector<std::string> messages;
    int result = 0;
};

void build(Built& b, const std::string& chart, const DrawHistory& history, int n)
{
    b.result
        = BuilderNamed(chart)(b.grid, history, n, [&](const std::string& m) { b.messages.push_back(m); });
}

long long TotalOf(const GridModel& grid, int col)
{
    const std::string& text = grid.getValue(grid.rowCount() - 1, col);
    return text.empty() ? 0 : std::stoll(text);
}

const char* const kCharts[] = { "trend", "kline", "sum", "tail", "oddeven", "bigsmall" };

} // namespace

TEST(ChartBuilders, ColumnsAndHeaders)
{
    struct Row {
        const char* chart;
        std::vector<int> widths; // run-length: width, count, width, count ...
        const char* row1; // sub-headers from column 0
        const char* merges; // caption:first-last:rows, in index order
    };
    const Row rows[] = {
        { "trend", { 66, 1, 20, 3, 18, 10, 22, 10, 33, 5 },
            "|百|十|个|0|1|2|3|4|5|6|7|8|9|奇|偶|大|小|0|1|2|大|中|小|||||",
            "期号:0-0:2 中奖号码:1-3:1 分布图:4-13:1 奇偶:14-15:1 大小:16-17:1 012:18-20:1 "
            "大中小:21-23:1 和值:24-24:2 合值:25-25:2 跨度:26-26:2 相连:27-27:2 开宝:28-28:2" },
        { "kline", { 66, 1, 20, 3, 18, 30 },
            "|百|十|个|0|1|2|3|4|5|6|7|8|9|0|1|2|3|4|5|6|7|8|9|0|1|2|3|4|5|6|7|8|9",
            "期号:0-0:2 号码:1-3:1 百位:4-13:1 十位:14-23:1 个位:24-33:1" },
        { "sum", { 66, 1, 20, 3, 28, 1, 18, 28 },
            "|百|十|个||0|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27",
            "期号:0-0:2 号码:1-3:1 和值:4-4:2 和值分布:5-32:1" },
        { "tail", { 66, 1, 20, 3, 28, 1, 18, 20 },
            "|百|十|个||0|1|2|3|4|5|6|7|8|9|0|1|2|大|小|奇|偶|大|中|小",
            "期号:0-0:2 号码:1-3:1 合值:4-4:2 合值分布:5-14:1 012:15-17:1 大小:18-19:1 奇偶:20-21:1 "
            "大中小:22-24:1" },
        { "oddeven", { 66, 1, 20, 3, 32, 1, 18, 28 },
            "|百|十|个|||J||O||J||O||J||O||J||O|A|B|C|D|A|B|C|D|E|F|G|H",
            "期号:0-0:2 号码:1-3:1 和值:4-4:2 百位:5-8:1 十位:9-12:1 个位:13-16:1 和值:17-20:1 "
            "组选:21-24:1 单选:25-32:1" },
        { "bigsmall", { 66, 1, 20, 3, 32, 1, 18, 28 },
            "|百|十|个|||D||X||D||X||D||X||D||X|A|B|C|D|A|B|C|D|E|F|G|H",
            "期号:0-0:2 号码:1-3:1 和值:4-4:2 百位:5-8:1 十位:9-12:1 个位:13-16:1 和值:17-20:1 "
            "组选:21-24:1 单选:25-32:1" },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.chart);
        Built b;
        build(b, r.chart, HistoryOf({ 505 }), 1);
        std::vector<int> widths;
        for (std::size_t i = 0; i < r.widths.size(); i += 2)
            widths.insert(widths.end(), static_cast<std::size_t>(r.widths[i + 1]), r.widths[i]);
        EXPECT_EQ(b.grid.givenWidths(), widths);
        EXPECT_EQ(b.grid.colsCount(), static_cast<int>(widths.size()));
        EXPECT_EQ(b.grid.fixRowCount(), 2);
        EXPECT_EQ(RowTexts(b.grid, 0), std::string(widths.size() - 1, '|'));
        EXPECT_EQ(RowTexts(b.grid, 1), r.row1);
        std::string merges;
        for (const GridMerge& m : b.grid.merges()) {
            EXPECT_TRUE(m.active);
            EXPECT_EQ(m.color, b.grid.fixColor());
            EXPECT_EQ(m.firstRow, 0);
            merges += (merges.empty() ? "" : " ") + m.text + ":" + std::to_string(m.firstCol) + "-"
                + std::to_string(m.lastCol) + ":" + std::to_string(m.lastRow + 1);
        }
        EXPECT_EQ(merges, r.merges);
    }
}

TEST(ChartBuilders, DrawRowCells)
{
    struct Row {
        const char* name;
        const char* chart;
        int code;
        const char* texts; // columns 4 on; unnamed columns empty
        const char* colors; // columns 4 on; unnamed columns the window colour
    };
    const Row rows[] = {
        { "trend 505", "trend", 505,
            "4=1 9=2 14=2 15=1 16=2 17=1 18=1 19=0 20=2 21=0 22=2 23=1 24=10 25=0 26=5 28=5",
            "4=008000 9=ff0000" },
        { "trend 123", "trend", 123, "5-7=1 14=2 15=1 16=0 17=3 18-20=1 21=0 22=1 23=2 24=06 25=6 26=2 27=2",
            "5-7=008000" },
        { "trend 000", "trend", 0,
            "4=3 14=0 15=3 16=0 17=3 18=3 19=0 20=0 21=0 22=0 23=3 24=00 25=0 26=0 28=0", "4=ff0000" },
        { "kline 505", "kline", 505, "9=5 14=0 29=5",
            "4-13=55d1ef 9=d85a44 14-23=33d4a5 14=d85a44 24-33=8433ee 29=d85a44" },
        { "sum 505", "sum", 505, "4=10 15=10",
            "5=55d1ef 6=63e4b5 7=c4a3de 8=55d1ef 9=63e4b5 10=c4a3de 11=55d1ef 12=63e4b5 13=c4a3de "
            "14=55d1ef 15=f3653f 16=c4a3de 17=55d1ef 18=63e4b5 19=c4a3de 20=55d1ef 21=63e4b5 "
            "22=c4a3de 23=55d1ef 24=63e4b5 25=c4a3de 26=55d1ef 27=63e4b5 28=c4a3de 29=55d1ef "
            "30=63e4b5 31=c4a3de 32=55d1ef" },
        { "tail 505", "tail", 505, "4=0 5=0 15=0 19=X 21=O 24=X",
            "5=62de0e 15=7365df 16-17=66dcfe 18=83b0ee 19=f3653f 20=33e01e 21=f3b0be 22-23=66bcee "
            "24=f3b0ae" },
        { "tail 999", "tail", 999, "4=7 12=7 16=1 18=D 20=J 22=D",
            "12=62de0e 15=66dcfe 16=7365df 17=66dcfe 18=f3653f 19=83b0ee 20=f3b0be 21=33e01e "
            "22=f3b0ae 23-24=66bcee" },
        { "oddeven 505", "oddeven", 505, "4=10 6=J 12=O 14=J 20=O 23=C 30=F",
            "5-8=55d1ef 6=f1d3e4 9-12=63e4b5 12=f1c3d4 13-16=c4a3de 14=f1d3e4 17-20=55d1ef "
            "20=f1c3d4 21-24=63e4b5 23=f1c3d4 25-32=c4a3de 30=f1c3d4" },
        { "bigsmall 505", "bigsmall", 505, "4=10 6=D 12=X 14=D 20=X 23=C 30=F", nullptr },
        { "bigsmall 069", "bigsmall", 69, "4=15 8=X 10=D 14=D 18=D 23=C 28=D",
            "5-8=55d1ef 8=f1c3d4 9-12=63e4b5 10=f1d3e4 13-16=c4a3de 14=f1d3e4 17-20=55d1ef "
            "18=f1d3e4 21-24=63e4b5 23=f1c3d4 25-32=c4a3de 28=f1c3d4" },
        { "oddeven 000", "oddeven", 0, "4=00 8=O 12=O 16=O 20=O 21=A 25=A", nullptr },
        { "bigsmall 000", "bigsmall", 0, "4=00 8=X 12=X 16=X 20=X 21=A 25=A", nullptr },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Built b;
        // An older draw first, so row 2 must be the latest one.
        build(b, r.chart, { { 2003, 358, 0, 111, 0, 0 }, { 2004, 5, 0, r.code, 0, 0 } }, 2);
        const std::string code = codeText(r.code);
        EXPECT_EQ(RowTexts(b.grid, 2, 0).substr(0, 13),
            "2004005|" + code.substr(0, 1) + "|" + code.substr(1, 1) + "|" + code.substr(2, 1));
        EXPECT_EQ(ActualColors(b.grid, 2, 0).substr(0, 8), "-|-|-|-|");
        EXPECT_EQ(RowTexts(b.grid, 2, 4), Expand(r.texts, 4, b.grid.colsCount(), ""));
        if (r.colors) {
            EXPECT_EQ(ActualColors(b.grid, 2, 4), Expand(r.colors, 4, b.grid.colsCount(), "-"));
        }
        EXPECT_EQ(RowTexts(b.grid, 3).substr(0, 13), "2003358|1|1|1");
    }
}

TEST(ChartBuilders, ZeroDrawsShowHeaderAndZeroTotals)
{
    struct Row {
        const char* chart;
        const char* totals; // from column 0; unnamed columns empty
    };
    const Row rows[] = {
        { "trend", "0=合计 14-26=0" },
        { "kline", "0=合计 4-33=0" },
        { "sum", "0=合计 5-32=0" },
        { "tail", "0=合计 4-24=0" },
        { "oddeven", "0=合计 4-32=0" },
        { "bigsmall", "0=合计 4-32=0" },
    };
    struct Case {
        const char* name;
        DrawHistory history;
        int n;
        int result;
        std::size_t messages;
    };
    const Case cases[] = {
        { "N = 0", HistoryOf({ 505, 123 }), 0, 0, 0 },
        { "negative N builds as 0", HistoryOf({ 505 }), -7, -7, 0 },
        { "empty history, N = 30", {}, 30, 0, 1 },
    };
    for (const Case& c : cases) {
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(c.name) + " / " + r.chart);
            Built b;
            build(b, r.chart, c.history, c.n);
            EXPECT_EQ(b.result, c.result);
            ASSERT_EQ(b.messages.size(), c.messages);
            if (c.messages > 0) {
                EXPECT_EQ(b.messages[0], "设置的查询期数超过总期数!!");
            }
            ASSERT_EQ(b.grid.rowCount(), 3);
            EXPECT_EQ(RowTexts(b.grid, 2, 0), Expand(r.totals, 0, b.grid.colsCount(), ""));
            EXPECT_EQ(ActualColors(b.grid, 2, 0), Expand("", 0, b.grid.colsCount(), "d8d8d8"));
        }
    }
}

TEST(ChartBuilders, ClampsNToTheHistory)
{
    for (const char* chart : kCharts) {
        SCOPED_TRACE(chart);
        Built b;
        build(b, chart, HistoryOf({ 505, 123, 999 }), 30);
        EXPECT_EQ(b.result, 3);
        EXPECT_EQ(b.messages, std::vector<std::string> { "设置的查询期数超过总期数!!" });
        ASSERT_EQ(b.grid.rowCount(), 2 + 3 + 1);
        EXPECT_EQ(b.grid.getValue(2, 0), "2004003");
        EXPECT_EQ(b.grid.getValue(4, 0), "2004001");
        EXPECT_EQ(b.grid.getValue(5, 0), "合计");

        Built exact;
        build(exact, chart, HistoryOf({ 505, 123, 999 }), 3);
        EXPECT_EQ(exact.result, 3);
        EXPECT_TRUE(exact.messages.empty());
        EXPECT_EQ(exact.grid.rowCount(), 6);
    }
}

// Over the real history: every group of totals adds up to N (or 3N for the digit
// counts), every mark total equals the marks in its column, and sums are sums.
TEST(ChartBuilders, TotalsOverTheRealHistory)
{
    struct Group {
        int first, last, factor;
    };
    struct Row {
        const char* chart;
        std::vector<Group> groups;
        std::vector<int> markedCols; // total = number of non-empty cells in the column
        std::vector<int> summedCols; // total = sum of the column's numbers
    };
    auto range = [](int a, int b) {
        std::vector<int> v;
        for (int c = a; c <= b; ++c)
            v.push_back(c);
        return v;
    };
    const Row rows[] = {
        { "trend", { { 4, 13, 3 }, { 14, 15, 3 }, { 16, 17, 3 }, { 18, 20, 3 }, { 21, 23, 3 } }, {},
            range(4, 26) },
        { "kline", { { 4, 13, 1 }, { 14, 23, 1 }, { 24, 33, 1 } }, range(4, 33), {} },
        { "sum", { { 5, 32, 1 } }, range(5, 32), {} },
        { "tail", { { 5, 14, 1 }, { 15, 17, 1 }, { 18, 19, 1 }, { 20, 21, 1 }, { 22, 24, 1 } }, range(5, 24),
            { 4 } },
        { "oddeven",
            { { 5, 8, 1 }, { 9, 12, 1 }, { 13, 16, 1 }, { 17, 20, 1 }, { 21, 24, 1 }, { 25, 32, 1 } },
            range(5, 32), { 4 } },
        { "bigsmall",
            { { 5, 8, 1 }, { 9, 12, 1 }, { 13, 16, 1 }, { 17, 20, 1 }, { 21, 24, 1 }, { 25, 32, 1 } },
            range(5, 32), { 4 } },
    };
    const DrawHistory history = RealHistory();
    ASSERT_GT(history.size(), 8000u);
    for (const int n : { 1000, static_cast<int>(history.size()) }) {
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(r.chart) + " N=" + std::to_string(n));
            Built b;
            build(b, r.chart, history, n);
            EXPECT_TRUE(b.messages.empty());
            ASSERT_EQ(b.grid.rowCount(), n + 3);
            for (const Group& g : r.groups) {
                long long sum = 0;
                for (int c = g.first; c <= g.last; ++c)
                    sum += TotalOf(b.grid, c);
                EXPECT_EQ(sum, static_cast<long long>(g.factor) * n) << g.first << "-" << g.last;
            }
            for (int c : r.markedCols) {
                long long marks = 0;
                for (int row = 2; row < n + 2; ++row)
                    marks += b.grid.getValue(row, c).empty() ? 0 : 1;
                EXPECT_EQ(TotalOf(b.grid, c), marks) << "column " << c;
            }
            for (int c : r.summedCols) {
                long long sum = 0;
                for (int row = 2; row < n + 2; ++row) {
                    const std::string& text = b.grid.getValue(row, c);
                    sum += text.empty() ? 0 : std::stoll(text);
                }
                EXPECT_EQ(TotalOf(b.grid, c), sum) << "column " << c;
            }
        }
    }
}

TEST(ChartBuilders, RealHistoryNewestFirst)
{
    const DrawHistory history = RealHistory();
    const int t = static_cast<int>(history.size());
    for (const char* chart : kCharts) {
        SCOPED_TRACE(chart);
        Built b;
        build(b, chart, history, t);
        EXPECT_TRUE(b.messages.empty());
        const DrawRecord& latest = history.back();
        const DrawRecord& oldest = history.front();
        EXPECT_EQ(b.grid.getValue(2, 0), zeroPadded(latest.year, 4) + zeroPadded(latest.issue, 3));
        EXPECT_EQ(b.grid.getValue(2, 1), std::to_string(digitAt(latest.drawCode, 1)));
        EXPECT_EQ(b.grid.getValue(t + 1, 0), zeroPadded(oldest.year, 4) + zeroPadded(oldest.issue, 3));
        EXPECT_EQ(b.grid.getValue(t + 1, 3), std::to_string(digitAt(oldest.drawCode, 3)));
        EXPECT_EQ(b.grid.getValue(t + 2, 0), "合计");

        Built over;
        build(over, chart, history, t + 1);
        EXPECT_EQ(over.result, t);
        EXPECT_EQ(over.messages.size(), 1u);
    }
}

// A rebuild replaces every cell and merge of the previous chart.
TEST(ChartBuilders, RebuildLeavesNothingBehind)
{
    Built b;
    build(b, "trend", HistoryOf({ 505, 123, 0 }), 3);
    buildKLineChart(b.grid, HistoryOf({ 505 }), 1, nullptr);
    EXPECT_EQ(b.grid.colsCount(), 34);
    EXPECT_EQ(b.grid.rowCount(), 4);
    EXPECT_EQ(b.grid.mergeCount(), 5);
    EXPECT_EQ(RowTexts(b.grid, 2, 4), Expand("9=5 14=0 29=5", 4, 34, ""));
}
