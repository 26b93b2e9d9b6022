#include "core/game/Game.h"

#include <cstddef>

namespace velmora {

namespace embedded {
// Defined in the sources that the build generates from the history files.
extern const unsigned char kBuiltIn3dHistory[];
extern const std::size_t kBuiltIn3dHistorySize;
extern const unsigned char kBuiltInPl3History[];
extern const std::size_t kBuiltInPl3HistorySize;
} // namespace embedded

namespace {

std::string_view builtIn3d()
{
    return { reinterpret_cast<const char*>(embedded::kBuiltIn3dHistory), embedded::kBuiltIn3dHistorySize };
}

std::string_view builtInPl3()
{
    return { reinterpret_cast<const char*>(embedded::kBuiltInPl3History), embedded::kBuiltInPl3HistorySize };
}

const Game k3d { "3d", "福彩3D", true, "lotdata.ldf", "lotdata", "3dcp.txt",
    { "https://data.17500.cn/3d_asc.txt", "http://data.17500.cn/3d_asc.txt" }, &builtIn3d };

const Game kPl3 { "pl3", "排列三", false, "pl3data.ldf", "pl3data", "pl3cp.txt",
    { "https://data.17500.cn/pl3_asc.txt", "http://data.17500.cn/pl3_asc.txt" }, &builtInPl3 };

} // namespace

const Game& game3d() { return k3d; }
const Game& gamePl3() { return kPl3; }

std::array<const Game*, 2> allGames() { return { &k3d, &kPl3 }; }

const Game* gameOfKey(std::string_view key)
{
    for (const Game* game : allGames())
        if (game->key == key)
            return game;
    return nullptr;
}

} // namespace velmora
