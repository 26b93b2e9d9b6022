#include "core/game/Game.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(Game, BuiltInHistoriesAreTheShippedBytes)
{
    EXPECT_EQ(game3d().builtInHistory(), test::ReadBytes(VELMORA_HISTORY_FILE));
    EXPECT_EQ(gamePl3().builtInHistory(), test::ReadBytes(VELMORA_PL3_HISTORY_FILE));
}

TEST(Game, KeysFilesAndSourcesAreEachGamesOwn)
{
    EXPECT_EQ(gameOfKey("3d"), &game3d());
    EXPECT_EQ(gameOfKey("pl3"), &gamePl3());
    for (const char* other : { "", "3D", "PL3", "pl5", "3d " })
        EXPECT_EQ(gameOfKey(other), nullptr) << other;
    const Game& a = game3d();
    const Game& b = gamePl3();
    EXPECT_TRUE(a.hasTestCodes);
    EXPECT_FALSE(b.hasTestCodes);
    EXPECT_NE(a.dataFileName, b.dataFileName);
    EXPECT_NE(a.backupPrefix, b.backupPrefix);
    EXPECT_NE(a.defaultSources, b.defaultSources);
}
