// The two games Velmora serves: 福彩3D and 排列三. Both draw a code 000..999 daily and
// pay the same prizes; they differ in their files, sources and whether a draw has a
// test code. Code asks the game, never compares keys.
#pragma once

#include <array>
#include <string_view>

namespace velmora {

struct Game {
    // The key of --game and of the ledger's game column: "3d", "pl3".
    std::string_view key;
    // The name users read: 福彩3D, 排列三.
    std::string_view name;
    // Whether a draw has a test code (试机号) and machine and ball numbers.
    bool hasTestCodes = false;
    // The data file's name, found by the one location rule.
    std::string_view dataFileName;
    // Backups are "<prefix>-YYYYMMDD-HHMMSS.ldf" in the backups folder.
    std::string_view backupPrefix;
    // The file an update asks a VELMORA_SERVER for.
    std::string_view serverFileName;
    // The public full histories an update tries until the user sets a list.
    std::array<std::string_view, 2> defaultSources;
    // The history the programs ship with: ASCII draw lines ended by CR LF, oldest first.
    std::string_view (*builtInHistory)();
};

const Game& game3d();
const Game& gamePl3();

// Both games, 福彩3D first.
std::array<const Game*, 2> allGames();

// The game of a key; nullptr for any other text.
const Game* gameOfKey(std::string_view key);

} // namespace velmora
