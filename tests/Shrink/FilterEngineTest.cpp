#include "Code/Code.h"
#include "Code/CodeList.h"
#include "Shrink/FilterEngine.h"
#include "Shrink/ShrinkTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

using namespace velmora;
using velmora::test::CodesOf;
using velmora::test::DrawsOf;

namespace {

struct CountRow {
    const char* name;
    std::function<void(FilterConditions&)> set;
    int count;
};

// Both engines must give the count; the rows are the worked examples of the rules.
const CountRow kCountRows[] = {
    {"AllEmpty", [](FilterConditions&) {}, 1000},
    {"BankersFiveAndSeven", [](FilterConditions& f) { f.Bankers = {6, 8, 0, 0, 0}; }, 488},
    {"SameBankerTwice", [](FilterConditions& f) { f.Bankers = {0, 6, 6, 0, 0}; }, 271},
    {"BankerItemOutOfRangeIsN", [](FilterConditions& f) { f.Bankers = {11, -1, 0, 0, 0}; }, 1000},
    {"PairsInTwentyThree", [](FilterConditions& f) { f.PairsIn = "23"; }, 54},
    {"PairsOutList", [](FilterConditions& f) { f.PairsOut = "17,39,06"; }, 838},
    {"RecentPairsOutList", [](FilterConditions& f) { f.RecentPairsOut = "17,39,06"; }, 838},
    {"DigitsIn670", [](FilterConditions& f) { f.DigitsIn = "670"; }, 657},
    {"DigitsOut24", [](FilterConditions& f) { f.DigitsOut = "24"; }, 512},
    {"MinThreeMaxSix", [](FilterConditions& f) { f.MinDigit = 3, f.MaxDigit = 6; }, 64},
    {"MinTwelveKeepsNothing", [](FilterConditions& f) { f.MinDigit = 12; }, 0},
    {"MinNineKeepsOnly999", [](FilterConditions& f) { f.MinDigit = 9; }, 1},
    {"OnlyThreeRuns", [](FilterConditions& f) { f.RunKinds = {false, false, true}; }, 60},
    {"OnlyTriples", [](FilterConditions& f) { f.CodeTypes = {false, false, true}; }, 10},
    {"OnlyPairs", [](FilterConditions& f) { f.CodeTypes = {false, true, false}; }, 270},
    {"SumsTwentyEightAndNine", [](FilterConditions& f) { f.Sums[28] = f.Sums[29] = true; }, 0},
    {"SumTen", [](FilterConditions& f) { f.Sums[10] = true; }, 63},
    {"SumTailZero", [](FilterConditions& f) { f.SumTails[0] = true; }, 100},
    {"SmbAllSmall", [](FilterConditions& f) { f.SmbPatterns[0] = true; }, 27},
    {"RouteOneOfEach", [](FilterConditions& f) { f.RoutePatterns[4] = true; }, 216},
    {"ThreeOddDigits", [](FilterConditions& f) { f.OddCounts[3] = true; }, 125},
    {"NoBigDigit", [](FilterConditions& f) { f.BigCounts[0] = true; }, 125},
    {"AllTenDigitsOfARow", [](FilterConditions& f) { f.PositionDigits[1].fill(true); }, 1000},
    {"HitGroupDigitsWithoutCount", [](FilterConditions& f) { f.HitGroups[0].Digits = "1259"; }, 1000},
    {"HitGroupCountWithoutDigits", [](FilterConditions& f) { f.HitGroups[2].Counts[1] = true; }, 1000},
    {"BlanksInPairsInKeepNothing", [](FilterConditions& f) { f.PairsIn = "   "; }, 0},
    {"BlanksInDigitsInKeepNothing", [](FilterConditions& f) { f.DigitsIn = " "; }, 0},
    {"BlanksInPairsOutRemoveNothing", [](FilterConditions& f) { f.PairsOut = " "; }, 1000},
    {"BlanksInDigitsOutRemoveNothing", [](FilterConditions& f) { f.DigitsOut = "  "; }, 1000},
    // "2356" also holds the inner neighbour 35.
    {"PairsWithoutSeparators", [](FilterConditions& f) { f.PairsIn = "2356"; }, 150},
    {"PairsInChineseText", [](FilterConditions& f) { f.PairsIn = "二三,23，五六"; }, 54},
};

class FilterCounts : public ::testing::TestWithParam<CountRow> {};

} // namespace

TEST_P(FilterCounts, FastAndReferenceGiveTheCount)
{
    FilterConditions fc;
    GetParam().set(fc);
    const TCodeRecArr history = DrawsOf({123, 456, 789});
    const TCodeArr fast = RunShrink(fc, history);
    EXPECT_EQ(CodeSetCount(fast), GetParam().count);
    EXPECT_EQ(fast, RunShrinkReference(fc, history));
}

INSTANTIATE_TEST_SUITE_P(Rows, FilterCounts, ::testing::ValuesIn(kCountRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FilterEngine, HitGroupSplitsCodesByCount)
{
    const int expected[4] = {216, 508, 252, 24};
    for (int h = 0; h < 4; ++h) {
        FilterConditions fc;
        fc.HitGroups[3] = HitGroup{"1259", {}};
        fc.HitGroups[3].Counts[h] = true;
        EXPECT_EQ(CodeSetCount(RunShrink(fc, {})), expected[h]) << "count " << h;
    }
}

TEST(FilterEngine, PositionsPickOneCode)
{
    FilterConditions fc;
    fc.PositionDigits[0][1] = fc.PositionDigits[1][2] = fc.PositionDigits[2][3] = true;
    EXPECT_EQ(CodesOf(RunShrink(fc, {})), std::vector<int>{123});
}

TEST(FilterEngine, ThreeRunsWrapNineToZero)
{
    FilterConditions fc;
    fc.RunKinds[2] = true;
    const TCodeArr set = RunShrink(fc, {});
    for (int code : {19, 89, 890, 901, 123, 321})
        EXPECT_TRUE(set.Has(code)) << code;
    EXPECT_FALSE(set.Has(90));
}

TEST(FilterEngine, RecentRowsUseTheThreeLatestDraws)
{
    // The latest draw code is 123; older draws must not count.
    const TCodeRecArr history = DrawsOf({999, 555, 777, 123}, {0, 0, 0, 112});
    FilterConditions fc;
    fc.RecentHits[2] = {true, false, false, false};
    EXPECT_EQ(CodeSetCount(RunShrink(fc, history)), 343);

    fc.RecentHits[2] = {false, false, false, true};
    EXPECT_EQ(CodesOf(RunShrink(fc, history)), (std::vector<int>{123, 132, 213, 231, 312, 321}));

    // Row 6: the latest test code 112, every digit used once.
    fc = FilterConditions{};
    fc.RecentHits[5][3] = true;
    EXPECT_EQ(CodesOf(RunShrink(fc, history)), (std::vector<int>{112, 121, 211}));

    // Row 1 is the third-latest draw (555).
    fc = FilterConditions{};
    fc.RecentHits[0][3] = true;
    EXPECT_EQ(CodesOf(RunShrink(fc, history)), std::vector<int>{555});
}

TEST(FilterEngine, RowWithoutItsDrawRestrictsNothing)
{
    // Two draws: row 1 (third-latest) has no draw, rows 2 and 3 do.
    const TCodeRecArr history = DrawsOf({111, 222});
    FilterConditions fc;
    fc.RecentHits[0][3] = true;
    fc.RecentHits[3][3] = true;
    EXPECT_EQ(CodeSetCount(RunShrink(fc, history)), 1000);
    fc.RecentHits[2][3] = true;
    EXPECT_EQ(CodesOf(RunShrink(fc, history)), std::vector<int>{222});
    EXPECT_EQ(CodeSetCount(RunShrink(fc, {})), 1000);
}

TEST(FilterEngine, DefaultConditionsAreTheReset)
{
    const FilterConditions fc;
    EXPECT_EQ(fc.MinDigit, 0);
    EXPECT_EQ(fc.MaxDigit, 9);
    for (int item : fc.Bankers)
        EXPECT_EQ(BankerDigit(item), -1);
    EXPECT_EQ(CodeSetCount(RunShrink(fc, velmora::test::RealHistory())), 1000);
    EXPECT_EQ(ShrinkStatusText(RunShrink(fc, {})), "缩水结果总共1000注");
}

namespace {

// Random conditions: each condition active with some chance, its flags dense
// enough that a run often keeps part of the codes; texts mix digits with
// separators, blanks and Chinese characters; digit bounds and banker items
// also stray out of range.
class RandomConditions {
public:
    explicit RandomConditions(unsigned seed) : rng_(seed) {}

    FilterConditions Next()
    {
        FilterConditions fc;
        for (auto& row : fc.RecentHits)
            Flags(row, 0.25);
        if (Chance(0.15))
            fc.RecentPairsIn = Text();
        if (Chance(0.15))
            fc.RecentPairsOut = Text();
        for (auto& row : fc.PositionDigits)
            Flags(row, 0.2);
        if (Chance(0.3))
            for (int& item : fc.Bankers)
                item = Int(-1, 11);
        Flags(fc.SumTails, 0.15);
        Flags(fc.Sums, 0.15);
        Flags(fc.SmbPatterns, 0.15);
        Flags(fc.RoutePatterns, 0.15);
        Flags(fc.OddCounts, 0.15);
        Flags(fc.BigCounts, 0.15);
        for (HitGroup& group : fc.HitGroups) {
            if (Chance(0.3))
                group.Digits = Text();
            Flags(group.Counts, 0.3);
        }
        if (Chance(0.15))
            fc.PairsIn = Text();
        if (Chance(0.15))
            fc.PairsOut = Text();
        if (Chance(0.15))
            fc.DigitsIn = Text();
        if (Chance(0.15))
            fc.DigitsOut = Text();
        if (Chance(0.2))
            fc.MinDigit = Int(-1, 10);
        if (Chance(0.2))
            fc.MaxDigit = Int(-1, 12);
        Flags(fc.RunKinds, 0.15);
        Flags(fc.CodeTypes, 0.15);
        return fc;
    }

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

private:
    bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }

    template <std::size_t N>
    void Flags(CheckFlags<N>& flags, double activeChance)
    {
        if (!Chance(activeChance))
            return;
        for (bool& f : flags)
            f = Chance(0.6);
    }

    std::string Text()
    {
        static const char* const kPieces[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                                              ",", " ", "，", "五", "a", "\t"};
        std::string text;
        const int length = Int(0, 12);
        for (int i = 0; i < length; ++i)
            text += kPieces[Int(0, 15)];
        return text;
    }

    std::mt19937 rng_;
};

} // namespace

TEST(FilterEngine, FastMatchesReferenceOnRandomConditions)
{
    const TCodeRecArr real = velmora::test::RealHistory();
    RandomConditions random(20261207);
    int partial = 0;
    for (int run = 0; run < 4000; ++run) {
        const FilterConditions fc = random.Next();
        // Every length of history, the short ones included, and random draws.
        TCodeRecArr history;
        if (run % 3 != 0 && !real.empty())
            history.assign(real.begin(), real.begin() + random.Int(0, static_cast<int>(real.size())));
        else
            for (int n = random.Int(0, 4); n > 0; --n)
                history.push_back({2026, n, random.Int(0, 999), random.Int(0, 999), 0, 0});
        const TCodeArr fast = RunShrink(fc, history);
        ASSERT_EQ(CodesOf(fast), CodesOf(RunShrinkReference(fc, history))) << "run " << run;
        const int count = CodeSetCount(fast);
        partial += count > 0 && count < 1000 ? 1 : 0;
    }
    // The comparison means little unless most runs keep some codes and drop others.
    EXPECT_GT(partial, 2000);
}
