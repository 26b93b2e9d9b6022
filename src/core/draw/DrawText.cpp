#include "core/draw/DrawText.h"

#include "core/code/Code.h"
#include "core/io/TextFormat.h"
#include "core/io/Utf8.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

bool allDigits(std::string_view item)
{
    return std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int toInt(std::string_view digits)
{
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// The first items of a line, cut as splitByComma cuts it, without copying; returns
// how many there were, at most N.
template <std::size_t N> std::size_t firstItems(std::string_view line, std::array<std::string_view, N>& items)
{
    std::string_view rest = trimBlanks(line);
    std::size_t count = 0;
    while (count < N && !rest.empty()) {
        const auto comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        if (!item.empty())
            items[count++] = item;
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    return count;
}

bool digitsOfLengths(const std::string_view* items, const std::size_t* lengths, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        if (items[i].size() != lengths[i] || !allDigits(items[i]))
            return false;
    return true;
}

// An all-digit item is ASCII, so its GB2312 byte length is its size.
std::optional<DrawRecord> parseLineWithTestCode(std::string_view line)
{
    static constexpr std::size_t kLengths[5] = { 7, 3, 3, 1, 1 };
    std::array<std::string_view, 5> items;
    if (firstItems(line, items) < items.size() || !digitsOfLengths(items.data(), kLengths, items.size()))
        return std::nullopt;
    DrawRecord record;
    record.year = toInt(items[0].substr(0, 4));
    record.issue = toInt(items[0].substr(4, 3));
    record.testCode = toInt(items[2]);
    record.drawCode = toInt(items[1]);
    record.extra1 = toInt(items[3]);
    record.extra2 = toInt(items[4]);
    return record;
}

// A third item is looked for so that a line of the other game is refused.
std::optional<DrawRecord> parseLineWithoutTestCode(std::string_view line)
{
    static constexpr std::size_t kLengths[2] = { 7, 3 };
    std::array<std::string_view, 3> items;
    if (firstItems(line, items) != 2 || !digitsOfLengths(items.data(), kLengths, 2))
        return std::nullopt;
    DrawRecord record;
    record.year = toInt(items[0].substr(0, 4));
    record.issue = toInt(items[0].substr(4, 3));
    record.drawCode = toInt(items[1]);
    return record;
}

} // namespace

bool holdsUnreadableByte(std::string_view line)
{
    return line.find(kReplacementUtf8) != std::string_view::npos || line.find('\0') != std::string_view::npos;
}

std::optional<DrawRecord> parseDrawLine(const Game& game, std::string_view line)
{
    if (holdsUnreadableByte(line))
        return std::nullopt;
    return game.hasTestCodes ? parseLineWithTestCode(line) : parseLineWithoutTestCode(line);
}

std::string drawLineProblem(const Game& game, std::string_view line)
{
    static constexpr std::size_t kLengths[5] = { 7, 3, 3, 1, 1 };
    static constexpr const char* kNames[5] = { "期号", "开奖号", "试机号", "机号", "球号" };
    if (parseDrawLine(game, line))
        return {};
    if (holdsUnreadableByte(line))
        return "含有无法读取的字符";
    if (trimBlanks(line).empty())
        return "空行";
    const std::size_t wanted = game.hasTestCodes ? 5 : 2;
    std::array<std::string_view, 6> items;
    const std::size_t count = firstItems(line, items);
    if (count < wanted || (!game.hasTestCodes && count > wanted))
        return game.hasTestCodes ? "应有期号、开奖号、试机号、机号、球号5项，用逗号隔开"
                                 : "应只有期号、开奖号2项，用逗号隔开";
    for (std::size_t i = 0; i < wanted; ++i)
        if (!digitsOfLengths(&items[i], &kLengths[i], 1))
            return std::string(kNames[i]) + "应为" + std::to_string(kLengths[i]) + "位数字";
    return "应只有期号、开奖号2项，用逗号隔开";
}

std::string formatDrawLine(const Game& game, const DrawRecord& record)
{
    if (!game.hasTestCodes)
        return record.issueText() + ',' + codeText(record.drawCode);
    return record.issueText() + ',' + codeText(record.drawCode) + ',' + codeText(record.testCode) + ','
        + std::to_string(record.extra1) + ',' + std::to_string(record.extra2);
}

std::vector<std::string> splitLines(std::string_view text)
{
    if (startsWithUtf8Bom(text))
        text.remove_prefix(3);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::size_t gbByteLength(std::string_view text)
{
    std::size_t length = 0;
    forEachUtf8Char(text, [&length](const Utf8Char& c) { length += c.code < 0x80 ? 1 : 2; });
    return length;
}

std::string badLinesMessageOf(const std::vector<int>& badLines)
{
    return badLinesMessageOf(badLines, badLines.size());
}

std::string badLinesMessageOf(const std::vector<int>& badLines, std::size_t badCount)
{
    if (badCount == 0)
        return {};
    std::string badList;
    const std::size_t listed
        = std::min<std::size_t>({ badCount, badLines.size(), static_cast<std::size_t>(kBadLinesListed) });
    for (std::size_t k = 0; k < listed; ++k) {
        badList += std::to_string(badLines[k] + 1);
        badList += ',';
        if ((k + 1) % 10 == 0)
            badList += "\r\n";
    }
    if (badCount > listed)
        badList += "…等，共" + std::to_string(badCount) + "行";
    return std::string(kBadLinesMessage) + "\r\n" + badList;
}

ParsedHistory parseDrawHistory(const Game& game, const std::vector<std::string>& lines)
{
    ParsedHistory parsed;
    parsed.history.resize(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const std::optional<DrawRecord> record = parseDrawLine(game, lines[i]))
            parsed.history[i] = *record;
        else
            parsed.badLines.push_back(static_cast<int>(i));
    }
    if (!parsed.badLines.empty()) {
        parsed.history.clear();
        parsed.badLinesMessage = badLinesMessageOf(parsed.badLines);
    }
    return parsed;
}

ParsedHistory parseDrawHistory(const Game& game, std::string_view text)
{
    ParsedHistory parsed;
    std::size_t badCount = 0;
    forEachLine(text, [&](std::string_view line, std::size_t index) {
        const std::optional<DrawRecord> record = line.empty() ? std::nullopt : parseDrawLine(game, line);
        if (record && badCount == 0) {
            parsed.history.push_back(*record);
        } else if (!record && badCount++ < static_cast<std::size_t>(kBadLinesListed)) {
            parsed.badLines.push_back(static_cast<int>(index));
        }
    });
    if (badCount > 0) {
        parsed.history = {};
        parsed.badLinesMessage = badLinesMessageOf(parsed.badLines, badCount);
    }
    return parsed;
}

} // namespace velmora
