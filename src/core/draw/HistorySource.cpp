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
SourceHistory readDrawDataSource(const Game& game, std::vector<std::string> lines, const MessageFn& message)
{
    SourceHistory result;
    if (std::none_of(lines.begin(), lines.end(), [](const std::string& l) { return startsWithIssue(l); }))
        return result;
    const ParsedHistory parsed = parseDrawHistory(game, lines);
    if (!parsed.ok()) {
        if (message)
            message(parsed.badLinesMessage);
        result.status = SourceStatus::BadLines;
        return result;
    }
    result.lines = std::move(lines);
    result.status = SourceStatus::Ok;
    return result;
}

SourceHistory readPublicSource(
    const Game& game, const std::vector<std::string>& lines, const MessageFn& message)
{
    SourceHistory result;
    std::vector<int> badLines;
    std::string drawLine;
    bool meantAsDraws = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const PublicLineKind kind = convertPublicHistoryLine(game, lines[i], drawLine);
        if (kind == PublicLineKind::Draw)
            result.lines.push_back(drawLine);
        else if (kind == PublicLineKind::Bad)
            badLines.push_back(static_cast<int>(i));
        meantAsDraws = meantAsDraws || (kind != PublicLineKind::Skipped && startsWithIssue(lines[i]));
    }
    if (!meantAsDraws)
        return result;
    if (!badLines.empty()) {
        if (message)
            message(badLinesMessageOf(badLines));
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
    std::vector<std::string> lines = splitLines(text);
    const bool drawDataText = std::any_of(
        lines.begin(), lines.end(), [](const std::string& l) { return l.find(',') != std::string::npos; });
    return drawDataText ? readDrawDataSource(game, std::move(lines), message)
                        : readPublicSource(game, lines, message);
}

} // namespace velmora
