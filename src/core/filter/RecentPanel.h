// The three latest draws as the filter page's recent-draw panel shows them,
// and as the recent-draw conditions use them.
#pragma once

#include "core/draw/DrawRecord.h"
#include "core/game/Game.h"

#include <array>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr int kRecentRows = 3;

// The draw of panel row 1..3 (1 the third-latest, 3 the latest), or nullptr
// when the history holds fewer draws than that row needs.
const DrawRecord* recentRowDraw(const DrawHistory& history, int row);

// The pairs of positions (1,2), (1,3), (2,3) as two digits each, joined by the
// separator: 579 with "," gives "57,59,79".
std::string pairsOfCode(int code, std::string_view separator);

// One row's label text: issue and draw code, the gap of the draw-code hit
// control, issue and test code, the gap of the test-code control, then the
// pairs of both codes. A game without test codes has no test-code columns: issue
// and draw code, the gap, then the draw code's pairs.
std::string recentPanelRowText(const Game& game, const DrawRecord& draw);

// Header label text above the rows, with the test-code columns when the game has them.
std::string recentPanelHeaderText(const Game& game);

struct RecentPanelTexts {
    std::string header;
    // Rows 1..3 at indexes 0..2; a row whose draw is missing is empty.
    std::array<std::string, kRecentRows> rows;
};

// Everything the filter page puts into the panel's labels for the game's history.
RecentPanelTexts buildRecentPanelTexts(const Game& game, const DrawHistory& history);

} // namespace velmora
