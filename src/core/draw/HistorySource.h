// Draw histories from outside (a download, an imported file) in either source format.
#pragma once

#include "core/draw/DrawText.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class SourceStatus { Ok, BadLines, NoDraws };

struct SourceHistory {
    SourceStatus status = SourceStatus::NoDraws;
    // The draws as draw lines, in the text's order; empty unless status is Ok.
    std::vector<std::string> lines;
};

// Reads a history text of the game (UTF-8, as readTextFile gives it). When any line
// holds a comma it is the draw-data text, validated line by line as the game's data
// file is; else it is the public full history, one draw a line, blank-separated. With
// test codes "期号 日期 百 十 个 试1 试2 试3 机号 球号 …" becomes
// "期号,百十个,试1试2试3,机号,球号"; without, "期号 日期 百 十 个 …" becomes "期号,百十个".
// There a line that does not start with a 7-digit issue is skipped (a header, a blank
// line), and one that does but has fewer fields than those named or a digit field that
// is not one digit is bad. In either format a line holding U+FFFD (a zero byte or a
// byte that is no character) is bad. No line meant as a draw, that is beginning with a
// 7-digit issue (an empty text, an error page): status NoDraws, no message.
// Otherwise bad lines: the bad-line message goes to message, status BadLines.
SourceHistory readSourceHistory(const Game& game, std::string_view text, const MessageFn& message);

enum class PublicLineKind { Skipped, Bad, Draw };

// One line of the game's public full history; for a Draw, drawLine receives its draw line.
PublicLineKind convertPublicHistoryLine(const Game& game, std::string_view line, std::string& drawLine);

} // namespace velmora
