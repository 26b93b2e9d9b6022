#include "core/smart/Recommend.h"
#include "core/ShrinkTestSupport.h"
#include "core/code/CodeSetText.h"

#include <gtest/gtest.h>

using namespace velmora;
using velmora::test::CodesOf;
using velmora::test::DrawsOf;

namespace {

// Ten draws whose last four have the given draw and test codes.
DrawHistory TenDraws(const std::vector<int>& drawCodes, const std::vector<int>& testCodes)
{
    std::vector<int> draws(6, 999);
    std::vector<int> tests(6, 999);
    draws.insert(draws.end(), drawCodes.begin(), drawCodes.end());
    tests.insert(tests.end(), testCodes.begin(), testCodes.end());
    return DrawsOf(draws, tests);
}

} // namespace

TEST(recommend, DailyKeepsUnseenDigitsAndFreeSums)
{
    const DrawHistory history = TenDraws({ 456, 12, 678, 234 }, { 123, 789, 345, 901 });
    const auto codes = recommend(game3d(), RecommendKind::Daily, history, {});
    ASSERT_TRUE(codes);
    EXPECT_EQ(CodesOf(*codes), (std::vector<int> { 560, 567, 590, 860, 890 }));
    EXPECT_EQ(recommendTipText(RecommendKind::Daily, *codes), "每日推荐5注号码");
}

TEST(recommend, DailyDropsSumsOfDrawCodesOnly)
{
    const DrawHistory history = TenDraws({ 222, 444, 666, 888 }, { 111, 333, 555, 777 });
    EXPECT_EQ(CodesOf(dailyRecommend(game3d(), history)), (std::vector<int> { 9, 90, 900 }));
}

// 排列三 draws carry no test code: only the draw codes strike digits, so a 0 (what a
// missing test code reads as) strikes nothing.
TEST(recommend, DailyWithoutTestCodes)
{
    const DrawHistory history = TenDraws({ 205, 417, 639, 820 }, { 0, 0, 0, 0 });
    const std::vector<int> latest = { 205, 417, 639, 820 };
    std::vector<int> expected;
    for (int c = 0; c < 1000; ++c) {
        const int sum = c / 100 + c / 10 % 10 + c % 10;
        bool keep = sum >= 6 && sum <= 22;
        for (const int d : latest)
            keep = keep && c / 100 != d / 100 && c / 10 % 10 != d / 10 % 10 && c % 10 != d % 10
                && sum != d / 100 + d / 10 % 10 + d % 10;
        if (keep)
            expected.push_back(c);
    }
    EXPECT_EQ(CodesOf(*recommend(gamePl3(), RecommendKind::Daily, history, {})), expected);
    EXPECT_NE(CodesOf(dailyRecommend(game3d(), history)), expected);
}

TEST(recommend, Seeds)
{
    const struct {
        CalendarDate date;
        int week, month;
    } rows[] = {
        { { 2026, 12, 6, 1 }, 202612, 202612 },
        { { 2026, 12, 12, 7 }, 202612, 202612 },
        { { 2026, 11, 29, 1 }, 202635, 202611 },
        { { 2026, 11, 30, 2 }, 202635, 202611 },
        { { 2026, 12, 1, 3 }, 202605, 202612 },
        { { 2026, 12, 5, 7 }, 202605, 202612 },
    };
    for (const auto& r : rows) {
        EXPECT_EQ(weekRecommendSeed(r.date), r.week) << r.date.day;
        EXPECT_EQ(monthRecommendSeed(r.date), r.month) << r.date.day;
    }
}

TEST(recommend, WeeklyAndMonthlyForDecember2026)
{
    const DrawHistory history = TenDraws({ 1, 2, 3, 4 }, { 5, 6, 7, 8 });
    for (int day = 6; day <= 12; ++day) {
        const auto codes = recommend(game3d(), RecommendKind::Weekly, history, { 2026, 12, day, day - 5 });
        ASSERT_TRUE(codes);
        EXPECT_EQ(CodesOf(*codes),
            (std::vector<int> { 113, 116, 119, 210, 213, 216, 240, 243, 246, 249, 270, 273, 276, 279, 510,
                513, 540, 543, 546, 549, 570, 573, 576, 579, 813, 816, 819, 840, 843, 846, 849, 870, 873, 876,
                879 }))
            << day;
    }
    for (int day : { 1, 15, 31 }) {
        const auto codes = recommend(game3d(), RecommendKind::Monthly, history, { 2026, 12, day, 1 });
        ASSERT_TRUE(codes);
        EXPECT_EQ(CodesOf(*codes),
            (std::vector<int> { 213, 216, 219, 240, 243, 246, 249, 270, 273, 276, 279, 510, 511, 513, 516,
                519, 540, 543, 549, 570, 573, 576, 579, 810, 813, 816, 819, 840, 843, 846, 849, 870, 876,
                879 }))
            << day;
    }
}

TEST(recommend, WeekSpanningTwoMonthsGivesTwoSets)
{
    EXPECT_EQ(codeSetCount(seedRecommend(202635, kWeekDigitTable)), 32);
    EXPECT_EQ(codeSetCount(seedRecommend(202605, kWeekDigitTable)), 37);
    const DrawHistory history = TenDraws({ 1, 2, 3, 4 }, { 5, 6, 7, 8 });
    EXPECT_EQ(*recommend(game3d(), RecommendKind::Weekly, history, { 2026, 11, 30, 2 }),
        seedRecommend(202635, kWeekDigitTable));
    EXPECT_EQ(*recommend(game3d(), RecommendKind::Weekly, history, { 2026, 12, 3, 5 }),
        seedRecommend(202605, kWeekDigitTable));
}

TEST(recommend, EveryKindRefusesBelowTenDraws)
{
    const DrawHistory nine = DrawsOf(std::vector<int>(9, 123));
    for (RecommendKind kind : { RecommendKind::Daily, RecommendKind::Weekly, RecommendKind::Monthly })
        EXPECT_FALSE(recommend(game3d(), kind, nine, { 2026, 12, 7, 2 })) << recommendKindWord(kind);
    EXPECT_STREQ(kRecommendRefusal, "开奖数据期数少于10期，无法继续完成智能推荐！！");
}
