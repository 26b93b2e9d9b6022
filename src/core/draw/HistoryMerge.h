// Merging a downloaded or imported draw history into the user's own, and adding one draw.
#pragma once

#include "core/draw/DrawRecord.h"
#include "core/game/Game.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

// A draw both histories hold whose codes differ: the local codes and the source's.
struct DrawCorrection {
    int year = 0;
    int issue = 0;
    int localDrawCode = 0;
    int localTestCode = 0;
    int drawCode = 0;
    int testCode = 0;

    friend bool operator==(const DrawCorrection&, const DrawCorrection&) = default;
};

struct MergeResult {
    std::vector<std::string> lines;
    int added = 0;
    std::vector<DrawCorrection> corrections; // in issue order
    int total = 0; // draw lines in `lines`
    bool changed() const { return added > 0 || !corrections.empty(); }
};

// Merges the source's draw lines into the local lines, both read as the game's. Draws are keyed by year and
// issue. Every local line stays as it stands and where it stands, except that a line
// whose key the source also has with another draw or test code becomes the source's
// line (machine and ball numbers alone never count as a difference). A draw only the
// source has is inserted before the first local draw with a larger key, or appended;
// several inserted at one place keep issue order. Local lines that are not draw lines
// are kept and match nothing; source lines that are not draw lines are ignored, and of
// a key repeated in the source the last line counts. Empty local: the source's draws
// in issue order. Empty source: the local lines unchanged.
MergeResult mergeHistory(const Game& game, const std::vector<std::string>& localLines,
    const std::vector<std::string>& sourceLines);

// "新增N期，更正M期，共K期", or "已是最新，共K期" when nothing changed.
std::string mergeCountsText(const MergeResult& result);

// "YYYYIII：DDD,TTT → DDD,TTT", the local codes first; "YYYYIII：DDD → DDD" in a game
// without test codes.
std::string correctionText(const Game& game, const DrawCorrection& correction);

// What the online update tells the user: "在线更新成功：" and the counts, then one
// line per corrected draw (lines joined by CR LF); or "已是最新，共K期".
std::string updateMessage(const Game& game, const MergeResult& result);

// The lines as a draw-data text: each followed by CR LF; no lines, the empty text.
std::string drawTextOf(const std::vector<std::string>& lines);

// Index of the first line holding the game's draw of year and issue; -1 when none does.
std::ptrdiff_t findDrawLine(const Game& game, const std::vector<std::string>& lines, int year, int issue);

// Adds a draw line of the game in key order: it replaces the first line with its key, else it is
// inserted before the first draw line with a larger key, else appended. A line that
// is not a draw line is appended.
void addDrawLine(const Game& game, std::vector<std::string>& lines, const std::string& line);

// The issue after the latest (largest) one of the history, as a record holding only
// year and issue: the next number of that year; issue 1 of currentYear when the
// history is empty or from an earlier year; issue 1 of the following year after 999.
DrawRecord nextIssue(const DrawHistory& history, int currentYear);

// The draws of after that before does not hold as they are (matched by issue key), in
// the order of after: the draws a change of the history added or corrected.
std::vector<DrawRecord> changedDrawsOf(const DrawHistory& before, const DrawHistory& after);

} // namespace velmora
