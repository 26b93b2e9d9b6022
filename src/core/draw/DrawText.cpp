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

// The first five items of a line, cut as splitByComma cuts it, without copying.
int firstFiveItems(std::string_view line, std::array<std::string_view, 5>& items)
{
    std::string_view rest = trimBlanks(line);
    int count = 0;
    while (count < 5 && !rest.empty()) {
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

} // namespace

bool holdsUnreadableByte(std::string_view line)
{
    return line.find(kReplacementUtf8) != std::string_view::npos;
}

// An all-digit item is ASCII, so its GB2312 byte length is its size.
namespace {

// The items of a draw line and their widths in digits.
constexpr std::size_t kItemLengths[5] = { 7, 3, 3, 1, 1 };
constexpr const char* kItemNames[5] = { "期号", "开奖号", "试机号", "机号", "球号" };
// What checkDrawLine finds besides the index of the first item of the wrong form.
constexpr int kLineOk = -1;
constexpr int kLineUnreadable = -2;
constexpr int kLineTooShort = -3;

// The first fault of the line as a draw line; its items are cut into items.
int checkDrawLine(std::string_view line, std::array<std::string_view, 5>& items)
{
    if (holdsUnreadableByte(line))
        return kLineUnreadable;
    if (firstFiveItems(line, items) < 5)
        return kLineTooShort;
    for (int i = 0; i < 5; ++i)
        if (items[i].size() != kItemLengths[i] || !allDigits(items[i]))
            return i;
    return kLineOk;
}

} // namespace

std::optional<DrawRecord> parseDrawLine(std::string_view line)
{
    std::array<std::string_view, 5> items;
    if (checkDrawLine(line, items) != kLineOk)
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

std::string drawLineProblem(std::string_view line)
{
    std::array<std::string_view, 5> items;
    const int fault = checkDrawLine(line, items);
    switch (fault) {
    case kLineOk:
        return {};
    case kLineUnreadable:
        return "含有无法读取的字符";
    case kLineTooShort:
        if (trimBlanks(line).empty())
            return "空行";
        return "应有期号、开奖号、试机号、机号、球号5项，用逗号隔开";
    default:
        break;
    }
    const auto index = static_cast<std::size_t>(fault);
    return std::string(kItemNames[index]) + "应为" + std::to_string(kItemLengths[index]) + "位数字";
}

std::string formatDrawLine(const DrawRecord& record)
{
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

ParsedHistory parseDrawHistory(const std::vector<std::string>& lines)
{
    ParsedHistory parsed;
    parsed.history.resize(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const std::optional<DrawRecord> record = parseDrawLine(lines[i]))
            parsed.history[i] = *record;
        else
            parsed.badLines.push_back(static_cast<int>(i));
    }
    const std::size_t badCount = parsed.badLines.size();
    if (badCount > 0) {
        std::string badList;
        const std::size_t listed = std::min<std::size_t>(badCount, kBadLinesListed);
        for (std::size_t k = 0; k < listed; ++k) {
            badList += std::to_string(parsed.badLines[k] + 1);
            badList += ',';
            if ((k + 1) % 10 == 0)
                badList += "\r\n";
        }
        if (badCount > listed)
            badList += "…等，共" + std::to_string(badCount) + "行";
        parsed.history.clear();
        parsed.badLinesMessage = std::string(kBadLinesMessage) + "\r\n" + badList;
    }
    return parsed;
}

} // namespace velmora
