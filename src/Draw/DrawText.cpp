#include "Draw/DrawText.h"

#include "Code/Code.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

bool AllDigits(std::string_view item)
{
    return std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int ToInt(std::string_view digits)
{
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// The first five items of a line, cut as SplitByComma cuts it, without copying.
int FirstFiveItems(std::string_view line, std::array<std::string_view, 5>& items)
{
    std::string_view rest = TrimBlanks(line);
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

// A line is valid when it has at least five items of the right lengths, all digits.
// An all-digit item is ASCII, so its GB2312 byte length is its size.
bool ParseLine(std::string_view line, TCodeRec& record)
{
    static constexpr std::size_t kLengths[5] = {7, 3, 3, 1, 1};
    std::array<std::string_view, 5> items;
    if (FirstFiveItems(line, items) < 5)
        return false;
    for (int i = 0; i < 5; ++i)
        if (items[i].size() != kLengths[i] || !AllDigits(items[i]))
            return false;
    record.Year = ToInt(items[0].substr(0, 4));
    record.Issue = ToInt(items[0].substr(4, 3));
    record.TestCode = ToInt(items[2]);
    record.DrawCode = ToInt(items[1]);
    record.Extra1 = ToInt(items[3]);
    record.Extra2 = ToInt(items[4]);
    return true;
}

} // namespace

std::vector<std::string> SplitLines(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
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

std::size_t GbByteLength(std::string_view text)
{
    std::size_t length = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            length += 1;
        else if ((c & 0xC0) != 0x80) // lead byte of a multi-byte character
            length += 2;
    }
    return length;
}

bool DataTxtToCodeArr(const std::vector<std::string>& lines, TCodeRecArr& history,
                      const MessageFn& message)
{
    TCodeRecArr parsed(lines.size());
    std::string badList;
    int badCount = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (ParseLine(lines[i], parsed[i]))
            continue;
        badList += std::to_string(i + 1);
        badList += ',';
        if (++badCount % 10 == 0)
            badList += "\r\n";
    }
    if (badCount > 0) {
        if (message)
            message(std::string(kBadLinesMessage) + "\r\n" + badList);
        return false;
    }
    history = std::move(parsed);
    return true;
}

} // namespace velmora
