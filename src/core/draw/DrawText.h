// The draw-data text: its lines and the parser that turns them into the history.
#pragma once

#include "core/draw/DrawRecord.h"
#include "core/game/Game.h"
#include "core/io/Message.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr const char* kBadLinesMessage = "文本内容中下列行的数据有错误，请纠正再保存！！";
// The bad-line message lists at most this many line numbers, then "…等，共N行".
inline constexpr int kBadLinesListed = 100;

// Lines of a text: CR LF, lone CR and lone LF each end a line; an empty last
// line after the final break is not a line; a leading UTF-8 byte-order mark is dropped.
std::vector<std::string> splitLines(std::string_view text);

// Calls fn(line, index) for each line of text as splitLines cuts it, the line a view
// into text: reading a text line by line holds no copy of its lines.
template <typename Fn> void forEachLine(std::string_view text, Fn&& fn)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::size_t index = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        fn(text.substr(start, end - start), index++);
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
}

// Length of a UTF-8 text in GB2312 bytes: ASCII counts 1, any other character 2.
std::size_t gbByteLength(std::string_view text);

// U+FFFD in UTF-8: what reading makes of a zero byte or a byte that is no character.
inline constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// True when the line holds U+FFFD or a zero byte: a byte of the file there was lost,
// so the line is bad whatever else it holds.
bool holdsUnreadableByte(std::string_view line);

// Parses one draw line of the game. Its items are cut at commas after the blanks around
// the line are removed, and empty items are dropped. A game with test codes: at least
// five items of 7, 3, 3, 1 and 1 digits, further items ignored. A game without: exactly
// two items of 7 and 3 digits. A line holding U+FFFD or a zero byte is never a draw
// line. Nothing for any other line.
std::optional<DrawRecord> parseDrawLine(const Game& game, std::string_view line);

// Why the line is no draw line of the game, as the user reads it ("开奖号应为3位数字":
// the first item of the wrong form); empty for a draw line.
std::string drawLineProblem(const Game& game, std::string_view line);

// The draw line of a record in the game's form: "YYYYIII,DDD,TTT,E,E" or "YYYYIII,DDD"
// (fields zero-filled to their widths; values outside them are written as they are).
std::string formatDrawLine(const Game& game, const DrawRecord& record);

// A draw-data text parsed: the history when every line is a draw line; otherwise no
// history, the indexes (0-based) of every bad line, and the bad-line message
// (kBadLinesMessage, the first kBadLinesListed line numbers and the count), its lines
// joined by CR LF.
struct ParsedHistory {
    DrawHistory history;
    std::vector<int> badLines;
    std::string badLinesMessage;

    bool ok() const { return badLinesMessage.empty(); }
};

// Validates every line as a draw line of the game and parses them all, or names the
// bad ones.
ParsedHistory parseDrawHistory(const Game& game, const std::vector<std::string>& lines);

// The bad-line message of the bad lines (0-based indexes, ascending); empty for none.
std::string badLinesMessageOf(const std::vector<int>& badLines);
// The same of the first bad lines (at least the first kBadLinesListed of them) and the
// number of bad lines in all.
std::string badLinesMessageOf(const std::vector<int>& firstBadLines, std::size_t badCount);

// parseDrawHistory of a whole text, read line by line: memory follows the draws, not
// the lines, so a text of millions of empty lines costs no more than its bytes. Of the
// bad lines it keeps the first kBadLinesListed indexes (all the message lists).
ParsedHistory parseDrawHistory(const Game& game, std::string_view text);

} // namespace velmora
