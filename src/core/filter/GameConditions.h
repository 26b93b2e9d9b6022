// What a game's draws let the conditions hold: a game without test codes has no
// test-code rows (units 4–6) and refuses a scheme that names them.
#pragma once

#include "core/filter/FilterConditions.h"
#include "core/filter/Scheme.h"
#include "core/game/Game.h"

#include <string>
#include <string_view>

namespace velmora {

// The conditions as the game uses them: without test codes the test-code rows are
// emptied, so their units are never active (the filter page keeps what they held).
FilterConditions conditionsForGame(const Game& game, FilterConditions conditions);

// "方案文件格式错误：排列三没有试机号（recent-test）" for a game without test codes.
std::string schemeNoTestCodesMessage(const Game& game);

// parseScheme, and for a game without test codes a valid scheme holding any entry under
// "recent-test" (even one with no counts) is refused with schemeNoTestCodesMessage;
// "recent-test": [] is accepted.
SchemeReadResult parseSchemeForGame(const Game& game, std::string_view text);

// Reads the file as readSchemeFile does and parses it with parseSchemeForGame.
// Throws FileError when the file cannot be read.
SchemeReadResult readSchemeFileForGame(const Game& game, const std::string& path);

} // namespace velmora
