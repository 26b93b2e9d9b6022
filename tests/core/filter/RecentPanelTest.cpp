#include "core/filter/RecentPanel.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(RecentPanel, pairsOfCode)
{
    const struct {
        int code;
        const char* separator;
        const char* pairs;
    } rows[] = {
        { 579, ",", "57,59,79" },
        { 7, ",", "00,07,07" },
        { 444, ",", "44,44,44" },
        { 108, " / ", "10 / 18 / 08" },
        { 90, "", "090090" },
    };
    for (const auto& r : rows)
        EXPECT_EQ(pairsOfCode(r.code, r.separator), r.pairs) << r.code;
}

TEST(RecentPanel, RowTextPutsGapsForTheHitControls)
{
    const std::string expected = "123期579中出" + std::string(17, ' ') + "个号  123期108中出"
        + std::string(15, ' ') + "个号   123期57,59,79     123期10,18,08";
    EXPECT_EQ(recentPanelRowText(game3d(), { 2004, 123, 108, 579, 1, 2 }), expected);
}

TEST(RecentPanel, RowTextPadsIssueAndCodes)
{
    const std::string text = recentPanelRowText(game3d(), { 2004, 5, 44, 7, 0, 0 });
    EXPECT_EQ(text.rfind("005期007", 0), 0u);
    EXPECT_NE(text.find("005期044"), std::string::npos);
    EXPECT_NE(text.find("005期00,07,07"), std::string::npos);
    EXPECT_NE(text.find("005期04,04,44"), std::string::npos);
}

TEST(RecentPanel, HeaderText)
{
    EXPECT_EQ(recentPanelHeaderText(game3d()),
        "最近开奖号码" + std::string(23, ' ') + "最近试机号码" + std::string(22, ' ')
            + "最近开奖二码      最近试机二码");
}

TEST(RecentPanel, RowsShowTheThreeLatestDrawsOldestFirst)
{
    DrawHistory history;
    for (int i = 1; i <= 5; ++i)
        history.push_back({ 2026, i, i * 111, i * 100, 0, 0 });
    const RecentPanelTexts texts = buildRecentPanelTexts(game3d(), history);
    EXPECT_EQ(texts.rows[0], recentPanelRowText(game3d(), history[2]));
    EXPECT_EQ(texts.rows[1], recentPanelRowText(game3d(), history[3]));
    EXPECT_EQ(texts.rows[2], recentPanelRowText(game3d(), history[4]));
    EXPECT_EQ(texts.header, recentPanelHeaderText(game3d()));
    // Each build starts afresh.
    EXPECT_EQ(buildRecentPanelTexts(game3d(), history).rows, texts.rows);
}

TEST(RecentPanel, MissingDrawsLeaveTheirRowsEmpty)
{
    const DrawHistory two = { { 2026, 1, 1, 2, 0, 0 }, { 2026, 2, 3, 4, 0, 0 } };
    const RecentPanelTexts texts = buildRecentPanelTexts(game3d(), two);
    EXPECT_EQ(texts.rows[0], "");
    EXPECT_EQ(texts.rows[1], recentPanelRowText(game3d(), two[0]));
    EXPECT_EQ(texts.rows[2], recentPanelRowText(game3d(), two[1]));
    EXPECT_EQ(recentRowDraw(two, 1), nullptr);
    EXPECT_EQ(recentRowDraw(two, 3), &two[1]);
    EXPECT_EQ(recentRowDraw(two, 4), nullptr);
    EXPECT_EQ(buildRecentPanelTexts(game3d(), {}).rows, (std::array<std::string, 3> {}));
}

TEST(RecentPanel, NoTestCodeColumnsWithoutTestCodes)
{
    const DrawRecord draw { 2026, 257, 0, 493, 0, 0 };
    EXPECT_EQ(recentPanelRowText(gamePl3(), draw),
        "257期493中出" + std::string(17, ' ') + "个号" + std::string(2, ' ') + "257期49,43,93");
    EXPECT_EQ(recentPanelHeaderText(gamePl3()), "最近开奖号码" + std::string(23, ' ') + "最近开奖二码");
    EXPECT_EQ(recentPanelHeaderText(gamePl3()).find("试机"), std::string::npos);
}
