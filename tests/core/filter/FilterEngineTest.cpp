#include "core/ShrinkTestSupport.h"
#include "core/code/Code.h"
#include "core/code/CodeSetText.h"
#include "core/filter/FilterEngineReference.h"
#include "core/filter/RandomConditions.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>

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
    { "AllEmpty", [](FilterConditions&) {}, 1000 },
    { "BankersFiveAndSeven",
        [](FilterConditions& f) {
            f.bankers = { 6, 8, 0, 0, 0 };
        },
        488 },
    { "SameBankerTwice",
        [](FilterConditions& f) {
            f.bankers = { 0, 6, 6, 0, 0 };
        },
        271 },
    { "BankerItemOutOfRangeIsN",
        [](FilterConditions& f) {
            f.bankers = { 11, -1, 0, 0, 0 };
        },
        1000 },
    { "PairsInTwentyThree", [](FilterConditions& f) { f.pairsIn = "23"; }, 54 },
    { "PairsOutList", [](FilterConditions& f) { f.pairsOut = "17,39,06"; }, 838 },
    { "RecentPairsOutList", [](FilterConditions& f) { f.recentPairsOut = "17,39,06"; }, 838 },
    { "DigitsIn670", [](FilterConditions& f) { f.digitsIn = "670"; }, 657 },
    { "DigitsOut24", [](FilterConditions& f) { f.digitsOut = "24"; }, 512 },
    { "MinThreeMaxSix", [](FilterConditions& f) { f.minDigit = 3, f.maxDigit = 6; }, 64 },
    { "MinTwelveKeepsNothing", [](FilterConditions& f) { f.minDigit = 12; }, 0 },
    { "MinNineKeepsOnly999", [](FilterConditions& f) { f.minDigit = 9; }, 1 },
    { "OnlyThreeRuns",
        [](FilterConditions& f) {
            f.runKinds = { false, false, true };
        },
        60 },
    { "OnlyTriples",
        [](FilterConditions& f) {
            f.codeTypes = { false, false, true };
        },
        10 },
    { "OnlyPairs",
        [](FilterConditions& f) {
            f.codeTypes = { false, true, false };
        },
        270 },
    { "SumsTwentyEightAndNine", [](FilterConditions& f) { f.sums[28] = f.sums[29] = true; }, 0 },
    { "SumTen", [](FilterConditions& f) { f.sums[10] = true; }, 63 },
    { "SumTailZero", [](FilterConditions& f) { f.sumTails[0] = true; }, 100 },
    { "SmbAllSmall", [](FilterConditions& f) { f.smbPatterns[0] = true; }, 27 },
    { "RouteOneOfEach", [](FilterConditions& f) { f.routePatterns[4] = true; }, 216 },
    { "ThreeOddDigits", [](FilterConditions& f) { f.oddCounts[3] = true; }, 125 },
    { "NoBigDigit", [](FilterConditions& f) { f.bigCounts[0] = true; }, 125 },
    { "AllTenDigitsOfARow", [](FilterConditions& f) { f.positionDigits[1].fill(true); }, 1000 },
    { "HitGroupDigitsWithoutCount", [](FilterConditions& f) { f.hitGroups[0].digits = "1259"; }, 1000 },
    { "HitGroupCountWithoutDigits", [](FilterConditions& f) { f.hitGroups[2].counts[1] = true; }, 1000 },
    { "BlanksInPairsInKeepNothing", [](FilterConditions& f) { f.pairsIn = "   "; }, 0 },
    { "BlanksInDigitsInKeepNothing", [](FilterConditions& f) { f.digitsIn = " "; }, 0 },
    { "BlanksInPairsOutRemoveNothing", [](FilterConditions& f) { f.pairsOut = " "; }, 1000 },
    { "BlanksInDigitsOutRemoveNothing", [](FilterConditions& f) { f.digitsOut = "  "; }, 1000 },
    // "2356" also holds the inner neighbour 35.
    { "PairsWithoutSeparators", [](FilterConditions& f) { f.pairsIn = "2356"; }, 150 },
    { "PairsInChineseText", [](FilterConditions& f) { f.pairsIn = "二三,23，五六"; }, 54 },
    { "SpanNine", [](FilterConditions& f) { f.spans[9] = true; }, 54 },
    // 1 counts as prime: 1, 2, 3, 5, 7.
    { "ThreePrimeDigits", [](FilterConditions& f) { f.primeCounts[3] = true; }, 125 },
    { "RoutesAllZeroByPosition", [](FilterConditions& f) { f.routeShapes[0] = true; }, 64 },
    { "MiddleDigitZero", [](FilterConditions& f) { f.mids[0] = true; }, 28 },
    { "EveryPairSumEndsInZero",
        [](FilterConditions& f) {
            f.pairSums.digits[0] = true;
            f.pairSums.counts[3] = true;
        },
        2 },
    { "NoPairDifferenceZeroIsGroupSix",
        [](FilterConditions& f) {
            f.pairDiffs.digits[0] = true;
            f.pairDiffs.counts[0] = true;
        },
        720 },
};

class FilterCounts : public ::testing::TestWithParam<CountRow> { };

} // namespace

TEST_P(FilterCounts, FastAndReferenceGiveTheCount)
{
    FilterConditions fc;
    GetParam().set(fc);
    const DrawHistory history = DrawsOf({ 123, 456, 789 });
    const CodeSet fast = runShrink(fc, history);
    EXPECT_EQ(codeSetCount(fast), GetParam().count);
    EXPECT_EQ(fast, runShrinkReference(fc, history));
}

INSTANTIATE_TEST_SUITE_P(rows, FilterCounts, ::testing::ValuesIn(kCountRows),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FilterEngine, HitGroupSplitsCodesByCount)
{
    const int expected[4] = { 216, 508, 252, 24 };
    for (int h = 0; h < 4; ++h) {
        FilterConditions fc;
        fc.hitGroups[3] = HitGroup { "1259", {} };
        fc.hitGroups[3].counts[h] = true;
        EXPECT_EQ(codeSetCount(runShrink(fc, {})), expected[h]) << "count " << h;
    }
}

TEST(FilterEngine, PositionsPickOneCode)
{
    FilterConditions fc;
    fc.positionDigits[0][1] = fc.positionDigits[1][2] = fc.positionDigits[2][3] = true;
    EXPECT_EQ(CodesOf(runShrink(fc, {})), std::vector<int> { 123 });
}

TEST(FilterEngine, ThreeRunsWrapNineToZero)
{
    FilterConditions fc;
    fc.runKinds[2] = true;
    const CodeSet set = runShrink(fc, {});
    for (int code : { 19, 89, 890, 901, 123, 321 })
        EXPECT_TRUE(set.has(code)) << code;
    EXPECT_FALSE(set.has(90));
}

TEST(FilterEngine, RecentRowsUseTheThreeLatestDraws)
{
    // The latest draw code is 123; older draws must not count.
    const DrawHistory history = DrawsOf({ 999, 555, 777, 123 }, { 0, 0, 0, 112 });
    FilterConditions fc;
    fc.recentHits[2] = { true, false, false, false };
    EXPECT_EQ(codeSetCount(runShrink(fc, history)), 343);

    fc.recentHits[2] = { false, false, false, true };
    EXPECT_EQ(CodesOf(runShrink(fc, history)), (std::vector<int> { 123, 132, 213, 231, 312, 321 }));

    // Row 6: the latest test code 112, every digit used once.
    fc = FilterConditions {};
    fc.recentHits[5][3] = true;
    EXPECT_EQ(CodesOf(runShrink(fc, history)), (std::vector<int> { 112, 121, 211 }));

    // Row 1 is the third-latest draw (555).
    fc = FilterConditions {};
    fc.recentHits[0][3] = true;
    EXPECT_EQ(CodesOf(runShrink(fc, history)), std::vector<int> { 555 });
}

TEST(FilterEngine, RowWithoutItsDrawRestrictsNothing)
{
    // Two draws: row 1 (third-latest) has no draw, rows 2 and 3 do.
    const DrawHistory history = DrawsOf({ 111, 222 });
    FilterConditions fc;
    fc.recentHits[0][3] = true;
    fc.recentHits[3][3] = true;
    EXPECT_EQ(codeSetCount(runShrink(fc, history)), 1000);
    fc.recentHits[2][3] = true;
    EXPECT_EQ(CodesOf(runShrink(fc, history)), std::vector<int> { 222 });
    EXPECT_EQ(codeSetCount(runShrink(fc, {})), 1000);
}

TEST(FilterEngine, DefaultConditionsAreTheReset)
{
    const FilterConditions fc;
    EXPECT_EQ(fc.minDigit, 0);
    EXPECT_EQ(fc.maxDigit, 9);
    for (int item : fc.bankers)
        EXPECT_EQ(bankerDigit(item), -1);
    EXPECT_EQ(codeSetCount(runShrink(fc, velmora::test::RealHistory())), 1000);
    EXPECT_EQ(shrinkStatusText(runShrink(fc, {})), "缩水结果总共1000注");
}

TEST(FilterEngine, FastMatchesReferenceOnRandomConditions)
{
    const DrawHistory real = velmora::test::RealHistory();
    velmora::test::RandomConditions random(20261207);
    int partial = 0;
    for (int run = 0; run < 4000; ++run) {
        const FilterConditions fc = random.Next();
        // Every length of history, the short ones included, and random draws.
        DrawHistory history;
        if (run % 3 != 0 && !real.empty())
            history.assign(real.begin(), real.begin() + random.Int(0, static_cast<int>(real.size())));
        else
            for (int n = random.Int(0, 4); n > 0; --n)
                history.push_back({ 2026, n, random.Int(0, 999), random.Int(0, 999), 0, 0 });
        const CodeSet fast = runShrink(fc, history);
        ASSERT_EQ(CodesOf(fast), CodesOf(runShrinkReference(fc, history))) << "run " << run;
        const int count = codeSetCount(fast);
        partial += count > 0 && count < 1000 ? 1 : 0;
    }
    // The comparison means little unless most runs keep some codes and drop others.
    EXPECT_GT(partial, 2000);
}

TEST(FilterUnits, EngineMatchesUnitReferenceOnRandomConditions)
{
    const DrawHistory real = velmora::test::RealHistory();
    velmora::test::RandomConditions random(77);
    for (int run = 0; run < 300; ++run) {
        const FilterConditions fc = random.Next();
        DrawHistory history;
        if (run % 2 == 0 && !real.empty())
            history.assign(real.begin(), real.begin() + random.Int(0, static_cast<int>(real.size())));
        else
            for (int n = random.Int(0, 4); n > 0; --n)
                history.push_back({ 2026, n, random.Int(0, 999), random.Int(0, 999), 0, 0 });
        const FilterEngine engine(fc, history);
        ASSERT_EQ(engine.activeUnits(), activeUnitsReference(fc, history)) << "run " << run;
        const CodeUnitMasks all = engine.failedUnitsOfAllCodes();
        for (int code = 0; code < CodeSet::kSize; ++code) {
            ASSERT_EQ(engine.failedUnits(code), failedUnitsReference(fc, history, code))
                << "run " << run << " code " << code;
            ASSERT_EQ(all[static_cast<std::size_t>(code)], engine.failedUnits(code));
        }
        const int low = random.Int(0, 3);
        const Tolerance tolerance { low, low + random.Int(0, 3) };
        ASSERT_EQ(CodesOf(engine.keep(tolerance)), CodesOf(runShrinkReference(fc, history, tolerance)))
            << "run " << run << " tolerance " << toleranceText(tolerance);
    }
}

namespace {

struct ToleranceRow {
    const char* name;
    Tolerance tolerance;
    int count;
    std::vector<int> kept; // codes that must be kept
    std::vector<int> dropped; // codes that must not
};

// Hundreds {1} and units {3}: 10 codes pass both, 90 + 90 fail exactly one
// (1x≠3 and ≠1·3), 810 fail both.
const ToleranceRow kToleranceRows[] = {
    { "ZeroZeroIsThePlainFilter", { 0, 0 }, 10, { 103, 193 }, { 223, 124, 224 } },
    { "OneOneFailsExactlyOne", { 1, 1 }, 180, { 223, 124, 903, 110 }, { 123, 224, 999 } },
    { "ZeroOne", { 0, 1 }, 190, { 123, 223, 124 }, { 224 } },
    { "TwoTwoFailsBoth", { 2, 2 }, 810, { 224, 999 }, { 123, 223, 124 } },
    { "MaxAboveTheUnitsKeepsAll", { 0, 31 }, 1000, { 0, 999 }, {} },
    { "MinAboveTheActiveUnitsKeepsNone", { 3, 5 }, 0, {}, { 224 } },
    { "MinAboveMaxKeepsNone", { 2, 1 }, 0, {}, { 223, 224 } },
};

class ToleranceCounts : public ::testing::TestWithParam<ToleranceRow> { };

} // namespace

TEST_P(ToleranceCounts, TwoConditions)
{
    FilterConditions fc;
    fc.positionDigits[0][1] = true;
    fc.positionDigits[2][3] = true;
    const ToleranceRow& row = GetParam();
    const CodeSet kept = runShrink(fc, {}, row.tolerance);
    EXPECT_EQ(codeSetCount(kept), row.count);
    for (int code : row.kept)
        EXPECT_TRUE(kept.has(code)) << code;
    for (int code : row.dropped)
        EXPECT_FALSE(kept.has(code)) << code;
    EXPECT_EQ(kept, runShrinkReference(fc, {}, row.tolerance));
}

INSTANTIATE_TEST_SUITE_P(rows, ToleranceCounts, ::testing::ValuesIn(kToleranceRows),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FilterUnits, ActiveUnitsFollowTheUnitTable)
{
    FilterConditions fc;
    EXPECT_EQ(FilterEngine(fc, DrawsOf({ 1, 2, 3 })).activeUnits(), 0u);
    fc.recentHits[0][1] = true; // third-latest draw: missing with two draws
    fc.recentHits[5][0] = true; // latest test code
    fc.minDigit = 1;
    fc.hitGroups[1] = { "12", {} }; // no count: inactive
    fc.hitGroups[4] = { "12", { false, true, false, false } };
    const UnitMask expected
        = unitBit(FilterUnit::RecentTest3) | unitBit(FilterUnit::DigitRange) | unitBit(FilterUnit::HitGroup5);
    EXPECT_EQ(FilterEngine(fc, DrawsOf({ 1, 2 })).activeUnits(), expected);
    EXPECT_EQ(unitNames(expected, ";"), "近期试机3;控制中奖号5;号码范围");
}

TEST(FilterUnits, NamesAndToleranceText)
{
    EXPECT_EQ(unitName(0), "近期开奖1");
    EXPECT_EQ(unitName(29), "类型");
    // Units 31-41 as the history check names them, in their order.
    EXPECT_EQ(unitNames(~UnitMask { 0 } << 30, ","),
        "跨度,质合比例,奇偶形态,大小形态,质合形态,012路形态,最小值,中间值,最大值,两码和,两码差");
    EXPECT_EQ(unitName(-1), "");
    EXPECT_EQ(unitName(kUnitCount), "");

    const std::pair<const char*, std::optional<Tolerance>> rows[] = {
        { "", std::nullopt },
        { "-", std::nullopt },
        { "-1", std::nullopt },
        { "1-", std::nullopt },
        { "2-1", std::nullopt },
        { " 1", std::nullopt },
        { "1-2-3", std::nullopt },
        { "+1", std::nullopt },
        { "0", Tolerance { 0, 0 } },
        { "3", Tolerance { 0, 3 } },
        { "1-1", Tolerance { 1, 1 } },
        { "01-002", Tolerance { 1, 2 } },
        { "5-99999999999999999999", Tolerance { 5, kUnitCount + 1 } },
        { "99999999999999999998-99999999999999999999", Tolerance { kUnitCount + 1, kUnitCount + 1 } },
        { "99999999999999999999-99999999999999999998", std::nullopt },
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(parseTolerance(text), expected) << '"' << text << '"';
    EXPECT_EQ(toleranceText({ 1, 2 }), "1-2");
    EXPECT_EQ(parseTolerance(toleranceText({ 0, 7 })), (Tolerance { 0, 7 }));
}
