#include "core/code/CodeSetText.h"

#include "core/code/Code.h"
#include "core/io/TextFormat.h"

#include <cstdint>
#include <vector>

namespace velmora {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

int codeSetCount(const CodeSet& codes)
{
    int count = 0;
    for (int c = 0; c < CodeSet::kSize; ++c)
        count += codes.has(c) ? 1 : 0;
    return count;
}

std::vector<std::string> codeSetToLines(const CodeSet& codes)
{
    std::vector<std::string> lines;
    std::string line;
    int counter = 0;
    for (int c = 0; c < CodeSet::kSize; ++c) {
        if (!codes.has(c))
            continue;
        line += codeText(c);
        line += ',';
        if (++counter % 10 == 0) {
            lines.push_back(std::move(line));
            line.clear();
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    lines.emplace_back();
    return lines;
}

std::optional<int> takeCodeFromText(std::string& text)
{
    text = std::string(trimBlanks(text));
    if (text.empty())
        return std::nullopt;
    if (isDigit(text[0])) {
        if (text.size() >= 3 && isDigit(text[1]) && isDigit(text[2])) {
            const int code = (text[0] - '0') * 100 + (text[1] - '0') * 10 + (text[2] - '0');
            text.erase(0, 3);
            return code;
        }
        text.erase(0, 1);
        return std::nullopt;
    }
    if (text.size() > 3)
        text.erase(0, 1);
    else
        text.clear();
    return std::nullopt;
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// True when a separator may begin with the byte: the test most bytes of an item need.
bool maySeparate(char c)
{
    return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\xEF' || c == '\xE3';
}

// The length of the item separator at text[i], or 0: blanks, ',' ';' and the
// full-width '，' '；' '、'.
std::size_t separatorAt(std::string_view text, std::size_t i)
{
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == ',' || c == ';')
        return 1;
    if ((c != '\xEF' && c != '\xE3') || i + 3 > text.size())
        return 0;
    const std::string_view three = text.substr(i, 3);
    return three == "，" || three == "；" || three == "、" ? 3 : 0;
}

bool isThreeDigits(std::string_view item)
{
    return item.size() == 3 && isDigit(item[0]) && isDigit(item[1]) && isDigit(item[2]);
}

// The item as a message quotes it: at most kItemChars characters, then "…".
std::string quotedItem(std::string_view item)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < item.size(); ++i) {
        if ((static_cast<unsigned char>(item[i]) & 0xC0) == 0x80)
            continue;
        if (chars++ == kItemChars)
            return std::string(item.substr(0, i)) + "…";
    }
    return std::string(item);
}

// Takes the codes of the line that begins at `start`, each a digit and the two after it,
// noting in `added` those it is the first to hold; returns where the line ends.
std::size_t takeLineCodes(std::string_view text, std::size_t start, CodeSet& codes, std::vector<int>& added)
{
    std::uint8_t* flags = codes.data();
    std::size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
        if (isDigit(text[end]) && end + 2 < text.size() && isDigit(text[end + 1]) && isDigit(text[end + 2])) {
            const int code = (text[end] - '0') * 100 + (text[end + 1] - '0') * 10 + (text[end + 2] - '0');
            if (flags[code] == 0) {
                flags[code] = 1;
                added.push_back(code);
            }
            end += 3;
        } else {
            ++end;
        }
    }
    return end;
}

// The offending items of one line without its line break.
void readItems(std::string_view line, CodeListRead& read)
{
    const std::size_t n = line.size();
    std::size_t start = 0;
    while (start < n) {
        if (const std::size_t sep = separatorAt(line, start); sep > 0) {
            start += sep;
            continue;
        }
        std::size_t end = start;
        while (end < n && (!maySeparate(line[end]) || separatorAt(line, end) == 0))
            ++end;
        const std::string_view item = line.substr(start, end - start);
        if (!isThreeDigits(item) && read.badItems.size() <= kListedItems)
            read.badItems.push_back(quotedItem(item));
        start = end;
    }
}

} // namespace

bool isCodeListHeader(std::string_view line)
{
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    constexpr std::string_view kZhu = "注";
    return line.size() >= kZhu.size() && line.substr(line.size() - kZhu.size()) == kZhu;
}

CodeListRead readCodeList(std::string_view text)
{
    CodeListRead read;
    if (startsWithUtf8Bom(text))
        text.remove_prefix(3);
    // The codes a line adds, taken back when its end shows it a header: so each byte is
    // looked at once.
    std::vector<int> added;
    const std::size_t size = text.size();
    std::size_t start = 0;
    while (start < size) {
        const std::size_t end = takeLineCodes(text, start, read.codes, added);
        if (end > start) {
            const std::string_view line = text.substr(start, end - start);
            if (isCodeListHeader(line)) {
                for (const int code : added)
                    read.codes[code] = 0;
            } else if (read.badItems.size() <= kListedItems) {
                // Once the message has all the items it can name, the rest need not be cut out.
                readItems(line, read);
            }
            added.clear();
        }
        start = end + (end + 1 < size && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
    return read;
}

std::string listedItems(const std::vector<std::string>& items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size() && i < kListedItems; ++i)
        text += (i == 0 ? "" : "、") + items[i];
    if (items.size() > kListedItems)
        text += "等";
    return text;
}

std::string ignoredItemsText(const CodeListRead& read)
{
    return read.badItems.empty() ? std::string() : kIgnoredLeadingText + listedItems(read.badItems);
}

TicketCodesRead readTicketCodes(std::string_view text)
{
    CodeListRead read = readCodeList(text);
    if (!read.badItems.empty())
        return { {}, kBadCodesLeadingText + listedItems(read.badItems) };
    return { read.codes, {} };
}

std::string resultHeader(std::string_view leadingText, const CodeSet& codes)
{
    return std::string(leadingText) + std::to_string(codeSetCount(codes)) + "注";
}

std::vector<std::string> resultTextLines(std::string_view leadingText, const CodeSet& codes)
{
    std::vector<std::string> lines = codeSetToLines(codes);
    lines.insert(lines.begin(), std::string());
    lines.insert(lines.begin(), resultHeader(leadingText, codes));
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines, std::string_view eol)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += eol;
    }
    return text;
}

} // namespace velmora
