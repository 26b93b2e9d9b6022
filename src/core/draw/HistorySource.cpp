#include "core/draw/HistorySource.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

bool isDigits(std::string_view item, std::size_t length)
{
    return item.size() == length
        && std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The first `count` blank-separated fields of a line; returns how many there were.
template <std::size_t N>
std::size_t firstFields(std::string_view line, std::array<std::string_view, N>& fields)
{
    std::size_t count = 0;
    std::size_t i = 0;
    while (count < N) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (i == line.size())
            break;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        fields[count++] = line.substr(start, i - start);
    }
    return count;
}

} // namespace

PublicLineKind convertPublicHistoryLine(const Game& game, std::string_view line, std::string& drawLine)
{
    // A lost byte might have been the issue's digit that made the line a draw.
    if (holdsUnreadableByte(line))
        return PublicLineKind::Bad;
    std::array<std::string_view, 10> fields;
    const std::size_t count = firstFields(line, fields);
    if (count == 0 || !isDigits(fields[0], 7))
        return PublicLineKind::Skipped;
    // 期号 日期 百 十 个, and with test codes 试1 试2 试3 机号 球号.
    const std::size_t needed = game.hasTestCodes ? 10 : 5;
    if (count < needed)
        return PublicLineKind::Bad;
    for (std::size_t i = 2; i < needed; ++i)
        if (!isDigits(fields[i], 1))
            return PublicLineKind::Bad;
    drawLine.assign(fields[0]);
    drawLine += ',';
    for (std::size_t i = 2; i < 5; ++i)
        drawLine += fields[i];
    if (!game.hasTestCodes)
        return PublicLineKind::Draw;
    drawLine += ',';
    for (std::size_t i = 5; i < 8; ++i)
        drawLine += fields[i];
    drawLine += ',';
    drawLine += fields[8];
    drawLine += ',';
    drawLine += fields[9];
    return PublicLineKind::Draw;
}

namespace {

// A line that begins with a 7-digit issue, in either format: a draw, or one meant to be.
bool startsWithIssue(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    const std::string_view rest = line.substr(i);
    return rest.size() >= 7 && isDigits(rest.substr(0, 7), 7)
        && (rest.size() == 7 || !isDigits(rest.substr(7, 1), 1));
}

// A text without a line meant as a draw (an error page, a page of commas) is no
// history at all rather than a text of bad lines.
SourceHistory readDrawDataSource(const Game& game, std::string_view text, const MessageFn& message)
{
    SourceHistory result;
    bool meantAsDraws = false;
    forEachLine(text,
        [&](std::string_view line, std::size_t) { meantAsDraws = meantAsDraws || startsWithIssue(line); });
    if (!meantAsDraws)
        return result;
    const ParsedHistory parsed = parseDrawHistory(game, text);
    if (!parsed.ok()) {
        if (message)
            message(parsed.badLinesMessage);
        result.status = SourceStatus::BadLines;
        return result;
    }
    result.lines = splitLines(text);
    result.status = SourceStatus::Ok;
    return result;
}

SourceHistory readPublicSource(const Game& game, std::string_view text, const MessageFn& message)
{
    SourceHistory result;
    std::vector<int> badLines;
    std::size_t badCount = 0;
    std::string drawLine;
    bool meantAsDraws = false;
    forEachLine(text, [&](std::string_view line, std::size_t index) {
        // An empty line is skipped; a text of millions of them is read at the speed of its bytes.
        if (line.empty())
            return;
        const PublicLineKind kind = convertPublicHistoryLine(game, line, drawLine);
        if (kind == PublicLineKind::Draw && badCount == 0)
            result.lines.push_back(drawLine);
        else if (kind == PublicLineKind::Bad && badCount++ < static_cast<std::size_t>(kBadLinesListed))
            badLines.push_back(static_cast<int>(index));
        meantAsDraws = meantAsDraws || (kind != PublicLineKind::Skipped && startsWithIssue(line));
    });
    if (!meantAsDraws) {
        result.lines.clear();
        return result;
    }
    if (badCount > 0) {
        if (message)
            message(badLinesMessageOf(badLines, badCount));
        result.lines.clear();
        result.status = SourceStatus::BadLines;
        return result;
    }
    result.status = SourceStatus::Ok;
    return result;
}

} // namespace

SourceHistory readSourceHistory(const Game& game, std::string_view text, const MessageFn& message)
{
    // A comma is never a line break: the text holds one exactly when a line does.
    return text.find(',') != std::string_view::npos ? readDrawDataSource(game, text, message)
                                                    : readPublicSource(game, text, message);
}

} // namespace velmora
