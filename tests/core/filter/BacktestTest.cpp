#include "core/filter/Backtest.h"
#include "core/ShrinkTestSupport.h"
#include "core/filter/BacktestReference.h"
#include "core/filter/RandomConditions.h"

#include <gtest/gtest.h>

using namespace velmora;
using velmora::test::DrawsOf;

namespace {

// Five draws worked by hand with hundreds {0..4} and 近期开奖3 {0} (no digit in
// common with the draw before):
//   123: no draw before, so only 百位 is active: 500 codes kept; 1 passes: hit.
//   567: before it 123, 2 hundreds digits × 7 × 7 = 98 kept; 5 fails 百位.
//   408: before it 567, 5 × 7 × 7 = 245 kept; passes both: hit.
//   448: before it 408, 3 × 7 × 7 = 147 kept; shares 4 and 8: fails 近期开奖3.
//   955: before it 448, 4 × 8 × 8 = 256 kept; 9 fails 百位.
FilterConditions HandWorkedConditions()
{
    FilterConditions fc;
    for (int d = 0; d <= 4; ++d)
        fc.positionDigits[0][d] = true;
    fc.recentHits[2][0] = true;
    return fc;
}

const DrawHistory kFiveDraws = DrawsOf({ 123, 567, 408, 448, 955 });

} // namespace

TEST(Backtest, HandWorkedDrawsReport)
{
    const auto draws = runBacktest(HandWorkedConditions(), {}, kFiveDraws, 5);
    EXPECT_EQ(backtestDrawsCsv(draws, kFiveDraws),
        "期号,开奖号,注数,命中,未通过\n"
        "2026001,123,500,1,\n"
        "2026002,567,98,0,百位\n"
        "2026003,408,245,1,\n"
        "2026004,448,147,0,近期开奖3\n"
        "2026005,955,256,0,百位\n");
    EXPECT_EQ(draws, runBacktestReference(HandWorkedConditions(), {}, kFiveDraws, 5));
}

TEST(Backtest, HandWorkedConditionsAndSummary)
{
    const auto draws = runBacktest(HandWorkedConditions(), {}, kFiveDraws, 5);
    // 近期开奖3 is active from the second draw on; 百位 fails the latest draw.
    EXPECT_EQ(backtestUnitsCsv(backtestUnitStats(draws)),
        "条件,验证期数,通过期数,通过率,当前连续未通过,最大连续未通过\n"
        "近期开奖3,4,3,75.0%,0,1\n"
        "百位,5,3,60.0%,1,1\n");
    // (500 + 98 + 245 + 147 + 256) / 5 = 249.2
    EXPECT_EQ(backtestSummaryCsv(backtestSummary(draws)),
        "验证期数,命中期数,命中率,平均注数,最少注数,最多注数\n"
        "5,2,40.0%,249.2,98,500\n");
    // Chance: 1246 kept of 5 × 1000; money: 2 × 1246 staked, 2 × 1040 won.
    EXPECT_EQ(backtestSummaryText(backtestSummary(draws)),
        "验证5期，命中2期，命中率40.0%（随机24.9%），平均注数249.2，最少98注，最多500注\n"
        "投入2492元，奖金2080元，盈亏-412元，回报率83.5%");
    EXPECT_EQ(backtestMoneyCsv(backtestSummary(draws)),
        "验证期数,命中期数,命中率,随机命中率,投入,奖金,盈亏,回报率\n"
        "5,2,40.0%,24.9%,2492,2080,-412,83.5%\n");
}

TEST(Backtest, MoneyRatesRoundHalfAwayFromZeroAndNoStakeHasNoReturn)
{
    struct Row {
        BacktestSummary summary;
        const char* line;
    };
    // 403 of 2000 is 20.15% exactly; 2080 of 806 is 258.0645…%; nothing kept: no return rate.
    const Row rows[] = {
        { { 2, 1, 403, 147, 256 }, "2,1,50.0%,20.2%,806,1040,234,129.0%\n" },
        { { 3, 0, 0, 0, 0 }, "3,0,0.0%,0.0%,0,0,0,-\n" },
        { { 1, 1, 1, 1, 1 }, "1,1,100.0%,0.1%,2,1040,1038,52000.0%\n" },
    };
    for (const Row& row : rows) {
        const std::string csv = backtestMoneyCsv(row.summary);
        EXPECT_EQ(csv.substr(csv.find('\n') + 1), row.line);
    }
}

TEST(Backtest, HandWorkedWithToleranceZeroOne)
{
    // Failing one of the two units is allowed, so 448 and the two 百位 misses hit;
    // kept: 1000, 1000 - 5 × (1000/10 - 49) = 745, 598, 696, 756 (failing both dropped).
    const auto draws = runBacktest(HandWorkedConditions(), { 0, 1 }, kFiveDraws, 5);
    std::vector<int> kept;
    int hits = 0;
    for (const BacktestDraw& d : draws) {
        kept.push_back(d.keptCount);
        hits += d.hit ? 1 : 0;
    }
    EXPECT_EQ(kept, (std::vector<int> { 1000, 745, 598, 696, 756 }));
    EXPECT_EQ(hits, 5);
    EXPECT_EQ(draws, runBacktestReference(HandWorkedConditions(), { 0, 1 }, kFiveDraws, 5));
}

TEST(Backtest, CountIsClampedAndTakesTheLatestDraws)
{
    const FilterConditions fc = HandWorkedConditions();
    EXPECT_TRUE(runBacktest(fc, {}, {}, 100).empty());
    EXPECT_TRUE(runBacktest(fc, {}, kFiveDraws, 0).empty());
    EXPECT_TRUE(runBacktest(fc, {}, kFiveDraws, -3).empty());
    EXPECT_EQ(runBacktest(fc, {}, kFiveDraws, 99).size(), 5u);
    const auto lastTwo = runBacktest(fc, {}, kFiveDraws, 2);
    ASSERT_EQ(lastTwo.size(), 2u);
    EXPECT_EQ(lastTwo[0].index, 3);
    EXPECT_EQ(lastTwo[1].index, 4);
    EXPECT_EQ(backtestSummary({}), BacktestSummary {});
    EXPECT_TRUE(backtestUnitStats({}).empty());
}

TEST(Backtest, RunsAreEndedByAPassAndByAnInactiveDraw)
{
    const UnitMask sums = unitBit(FilterUnit::Sums);
    const UnitMask types = unitBit(FilterUnit::CodeTypes);
    // Sums: fail, fail, pass, fail, fail, fail, inactive, fail -> longest 3, current 1.
    // Types: active only in the first draw, which passed.
    const std::vector<BacktestDraw> draws = {
        { 0, 1, false, sums | types, sums },
        { 1, 1, false, sums, sums },
        { 2, 1, true, sums, 0 },
        { 3, 1, false, sums, sums },
        { 4, 1, false, sums, sums },
        { 5, 1, false, sums, sums },
        { 6, 1, true, 0, 0 },
        { 7, 1, false, sums, sums },
    };
    const auto units = backtestUnitStats(draws);
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0], (BacktestUnitStats { int(FilterUnit::Sums), 7, 1, 1, 3 }));
    EXPECT_EQ(units[1], (BacktestUnitStats { int(FilterUnit::CodeTypes), 1, 1, 0, 0 }));
}

TEST(Backtest, FastMatchesReferenceOnRandomConditionsAndHistories)
{
    velmora::test::RandomConditions random(4242);
    for (int run = 0; run < 150; ++run) {
        const FilterConditions fc = random.Next();
        DrawHistory history;
        for (int n = random.Int(0, 40); n > 0; --n)
            history.push_back({ 2026, n, random.Int(0, 999), random.Int(0, 999), 0, 0 });
        const int low = random.Int(0, 2);
        const Tolerance tolerance { low, low + random.Int(0, 2) };
        const int count = random.Int(-1, 45);
        ASSERT_EQ(
            runBacktest(fc, tolerance, history, count), runBacktestReference(fc, tolerance, history, count))
            << "run " << run;
    }
}

TEST(Backtest, FastMatchesReferenceOverTheRealHistory)
{
    const DrawHistory real = velmora::test::RealHistory();
    if (real.empty())
        GTEST_SKIP() << "no real history";
    velmora::test::RandomConditions random(99);
    for (int run = 0; run < 12; ++run) {
        FilterConditions fc = random.Next();
        // Every recent-draw row active, so each target draw differs.
        for (auto& row : fc.recentHits)
            row[random.Int(0, 3)] = true;
        const Tolerance tolerance { 0, run % 3 };
        const int count = run == 0 ? static_cast<int>(real.size()) : 300;
        ASSERT_EQ(runBacktest(fc, tolerance, real, count), runBacktestReference(fc, tolerance, real, count))
            << "run " << run;
    }
}
