#include "core/smart/SmartShrink.h"
#include "core/ShrinkTestSupport.h"
#include "core/code/Code.h"
#include "core/code/CodeSetText.h"

#include <gtest/gtest.h>
#include <random>

using namespace velmora;
using velmora::test::CodesOf;
using velmora::test::DrawsOf;
using velmora::test::SetOf;

namespace {

CodeSet Range(int from, int to)
{
    CodeSet set;
    for (int c = from; c <= to; ++c)
        set[c] = 1;
    return set;
}

// The drop loop as the page's rule words it: scan the weights from code 0 and
// drop the first code of strictly greatest weight, until the target is left.
CodeSet ScanSmartShrink(const CodeSet& base, int level, const DrawHistory& history)
{
    const auto digitWeights = smartShrinkDigitWeights(history);
    int weight[1000];
    for (int c = 0; c < 1000; ++c)
        weight[c] = base.has(c)
            ? digitWeights[digitAt(c, 1)] + digitWeights[digitAt(c, 2)] + digitWeights[digitAt(c, 3)]
            : -1;
    const int n = codeSetCount(base);
    const int target = n > 0 ? n * (100 - 12 * level) / 100 : 0;
    CodeSet result;
    if (target <= 0)
        return result;
    result = base;
    while (codeSetCount(result) > target) {
        int best = 0;
        for (int c = 1; c < 1000; ++c)
            if (weight[c] > weight[best])
                best = c;
        result[best] = 0;
        weight[best] = -1;
    }
    return result;
}

const DrawHistory kEvenDraws = DrawsOf({ 1, 2, 3, 123, 456, 789, 12, 345, 678, 901, 234, 567, 890 });
const DrawHistory kSkewedDraws = DrawsOf({ 111, 111, 111, 222, 222, 222, 333, 333, 333, 444 });

} // namespace

TEST(smartShrink, DigitWeightsFoldRareDigits)
{
    EXPECT_EQ(smartShrinkDigitWeights(kSkewedDraws), (std::array<int, 10> { 8, 9, 9, 9, 3, 8, 8, 8, 8, 8 }));
    // Only the last ten draws count (the three leading draws are ignored).
    EXPECT_EQ(smartShrinkDigitWeights(kEvenDraws), (std::array<int, 10> { 3, 3, 3, 3, 3, 3, 3, 3, 3, 3 }));
}

TEST(smartShrink, EqualWeightsKeepTheHigherCodes)
{
    CodeSet all;
    all.fill(true);
    const auto result = smartShrink(all, 1, kEvenDraws);
    ASSERT_TRUE(result);
    EXPECT_EQ(*result, Range(120, 999));
}

TEST(smartShrink, SkewedDrawsKeepTheLowWeights)
{
    const auto result = smartShrink(Range(0, 99), 6, kSkewedDraws);
    ASSERT_TRUE(result);
    EXPECT_EQ(CodesOf(*result),
        (std::vector<int> { 4, 14, 24, 34, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 54, 64, 74, 84, 87, 88, 89,
            90, 94, 95, 96, 97, 98, 99 }));
}

TEST(smartShrink, TargetByLevel)
{
    const struct {
        int base, level, target;
    } rows[] = { { 1000, 0, 1000 }, { 1000, 1, 880 }, { 1000, 6, 280 }, { 1, 1, 0 }, { 5, 6, 1 }, { 0, 0, 0 },
        { 7, 3, 4 } };
    for (const auto& r : rows)
        EXPECT_EQ(smartShrinkTarget(r.base, r.level), r.target) << r.base << " at " << r.level;
}

TEST(smartShrink, SmallBasesAndLevelZero)
{
    const CodeSet base = SetOf({ 5, 700, 999, 123, 456 });
    EXPECT_EQ(*smartShrink(base, 0, kSkewedDraws), base);
    EXPECT_EQ(codeSetCount(*smartShrink(base, 6, kSkewedDraws)), 1);
    EXPECT_EQ(codeSetCount(*smartShrink(SetOf({ 42 }), 1, kSkewedDraws)), 0);
    EXPECT_EQ(smartShrinkResultText(*smartShrink(CodeSet {}, 0, kSkewedDraws)), "智能缩水结果有0注");
    EXPECT_EQ(smartShrinkImportText(base), "总共导入5注号码");
}

TEST(smartShrink, RefusesBelowTenDraws)
{
    CodeSet all;
    all.fill(true);
    const DrawHistory nine(kSkewedDraws.begin() + 1, kSkewedDraws.end());
    EXPECT_FALSE(smartShrink(all, 1, nine));
    EXPECT_FALSE(smartShrink(all, 1, {}));
    EXPECT_STREQ(kSmartShrinkRefusal, "开奖数据期数少于10期，无法继续完成智能缩水！！");
}

TEST(smartShrink, MatchesTheScanOnRandomBasesAndRealDraws)
{
    const DrawHistory real = velmora::test::RealHistory();
    if (real.size() < 100)
        GTEST_SKIP() << "real history not found";
    std::mt19937 rng(4121);
    for (int run = 0; run < 300; ++run) {
        const std::size_t end = std::uniform_int_distribution<std::size_t>(10, real.size())(rng);
        const DrawHistory history(real.begin(), real.begin() + end);
        const double density = std::uniform_real_distribution<double>(0.0, 1.0)(rng);
        CodeSet base;
        for (int c = 0; c < 1000; ++c)
            base[c] = std::bernoulli_distribution(density)(rng);
        const int level = run % 7;
        ASSERT_EQ(CodesOf(*smartShrink(base, level, history)), CodesOf(ScanSmartShrink(base, level, history)))
            << "run " << run;
    }
}
