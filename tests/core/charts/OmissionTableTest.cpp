#include "core/charts/ChartCsv.h"
#include "core/charts/Charts.h"

#include "core/charts/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace velmora;
using velmora::test::HistoryOf;

namespace {

// Ten draws counted by hand below; 5 is in every one of them.
const DrawHistory kTenDraws = HistoryOf({ 125, 456, 578, 515, 555, 125, 245, 505, 595, 135 });

std::vector<std::string> CsvLines(const GridModel& grid)
{
    std::vector<std::string> lines;
    std::istringstream in(gridToCsv(grid, false));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Grid row of an item: the header is row 0, the items follow in table order.
int RowOf(const std::string& group, int value)
{
    const std::pair<const char*, int> firsts[] = { { "百位", 1 }, { "十位", 11 }, { "个位", 21 },
        { "组选", 31 }, { "和值", 41 }, { "跨度", 69 }, { "类型", 79 } };
    for (const auto& [name, first] : firsts)
        if (group == name)
            return first + value;
    ADD_FAILURE() << group;
    return 0;
}

struct ItemRow {
    const char* name;
    const char* group;
    int value;
    const char* line; // 项目,号码,出现次数,当前遗漏,最大遗漏,平均遗漏
    bool red;
};

// Draws numbered 1..10: 125 456 578 515 555 125 245 505 595 135.
const ItemRow kItemRows[] = {
    { "NeverDrawn", "和值", 1, "和值,1,0,10,10,10", true },
    { "InEveryDraw", "组选", 5, "组选,5,10,0,0,0", false },
    // 1, 6, 10: stretches 0, 4, 3, 0; (10 - 3) / 4 = 1.75 -> 2.
    { "LongestInTheMiddle", "百位", 1, "百位,1,3,0,4,2", false },
    // Only draw 7: 6 before it, 3 since.
    { "LongestAtTheStart", "百位", 2, "百位,2,1,3,6,5", false },
    // Only draw 2: 1 before it, 8 since; 9 / 2 = 4.5 rounds up.
    { "LongestAtTheEndIsARecord", "百位", 4, "百位,4,1,8,8,5", true },
    { "TensNine", "十位", 9, "十位,9,1,1,8,5", false },
    // 1 4 5 6 7 8 9 10: 2 and 3 missing.
    { "UnitsFive", "个位", 5, "个位,5,8,0,2,0", false },
    { "AnywhereZero", "组选", 0, "组选,0,1,2,7,5", false },
    // Draws 2 and 5: stretches 1, 2 and now 5.
    { "SumFifteenAtRecord", "和值", 15, "和值,15,2,5,5,3", true },
    // Spans 4 2 3 4 0 4 3 5 4 4.
    { "SpanFour", "跨度", 4, "跨度,4,5,0,2,1", false },
    { "SpanZero", "跨度", 0, "跨度,0,1,5,5,5", true },
    { "TypeSix", "类型", 0, "类型,组六,6,0,2,1", false },
    { "TypePair", "类型", 1, "类型,组三,3,1,3,2", false },
    // Only draw 5: 4 before it, 5 since: at least as long, so red.
    { "TypeTriple", "类型", 2, "类型,豹子,1,5,5,5", true },
};

class OmissionItems : public ::testing::TestWithParam<ItemRow> { };

} // namespace

TEST_P(OmissionItems, CountedByHand)
{
    GridModel grid;
    EXPECT_EQ(buildOmissionTable(grid, kTenDraws, 10, nullptr), 10);
    const ItemRow& item = GetParam();
    const int row = RowOf(item.group, item.value);
    EXPECT_EQ(CsvLines(grid).at(static_cast<std::size_t>(row)), item.line);
    EXPECT_EQ(grid.getCellColor(row, 3), item.red ? CellColor::rgb(255, 0, 0) : CellColor::window());
}

INSTANTIATE_TEST_SUITE_P(rows, OmissionItems, ::testing::ValuesIn(kItemRows),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OmissionTable, ShapeAndHeader)
{
    GridModel grid;
    buildOmissionTable(grid, kTenDraws, 10, nullptr);
    EXPECT_EQ(grid.fixRowCount(), 1);
    EXPECT_EQ(grid.dynRows(), 81);
    EXPECT_EQ(grid.colsCount(), 6);
    EXPECT_EQ(grid.mergeCount(), 0);
    const auto lines = CsvLines(grid);
    ASSERT_EQ(lines.size(), 82u);
    EXPECT_EQ(lines[0], "项目,号码,出现次数,当前遗漏,最大遗漏,平均遗漏");
    EXPECT_EQ(lines[1], "百位,0,0,10,10,10");
    EXPECT_EQ(lines[81], "类型,豹子,1,5,5,5");
    EXPECT_EQ(lines[68], "和值,27,0,10,10,10");
    // Each position's counts add up to N; the types too.
    const auto stats = omissionStats(kTenDraws, 10);
    for (int first : { 0, 10, 20, 40, 68, 78 }) {
        const int size = first == 40 ? 28 : (first == 78 ? 3 : 10);
        int sum = 0;
        for (int i = first; i < first + size; ++i)
            sum += stats[static_cast<std::size_t>(i)].appearances;
        EXPECT_EQ(sum, 10) << first;
    }
}

TEST(OmissionTable, WindowIsTheLatestNDraws)
{
    // Draws 6..10 (125 245 505 595 135) numbered 1..5: 百位 1 in 1 and 5.
    const auto stats = omissionStats(kTenDraws, 5);
    EXPECT_EQ(stats[1].appearances, 2);
    EXPECT_EQ(stats[1].current, 0);
    EXPECT_EQ(stats[1].longest, 3);
    EXPECT_EQ(stats[4].current, 5); // 百位 4 is outside the window
}

TEST(OmissionTable, NIsClampedLikeTheCharts)
{
    GridModel grid;
    std::vector<std::string> messages;
    const auto record = [&](const std::string& m) { messages.push_back(m); };
    EXPECT_EQ(buildOmissionTable(grid, kTenDraws, 30, record), 10);
    EXPECT_EQ(messages, std::vector<std::string> { kTooManyDrawsMessage });
    EXPECT_EQ(CsvLines(grid)[RowOf("组选", 5)], "组选,5,10,0,0,0");

    messages.clear();
    EXPECT_EQ(buildOmissionTable(grid, kTenDraws, -4, record), -4);
    EXPECT_TRUE(messages.empty());
    const auto lines = CsvLines(grid);
    EXPECT_EQ(lines[RowOf("百位", 4)], "百位,4,0,0,0,0");
    EXPECT_EQ(grid.getCellColor(RowOf("百位", 4), 3), CellColor::window());

    EXPECT_EQ(buildOmissionTable(grid, {}, 30, record), 0);
    EXPECT_EQ(CsvLines(grid)[RowOf("类型", 0)], "类型,组六,0,0,0,0");
}
