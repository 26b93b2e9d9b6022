#include "core/code/CodeSetText.h"

#include "core/code/Code.h"

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

void linesToCodeSet(const std::vector<std::string>& lines, CodeSet& target)
{
    // Same result as repeating takeCodeFromText, in one left-to-right scan:
    // a digit followed by two digits is a code, anything else is skipped.
    target.clear();
    std::uint8_t* flags = target.data();
    for (const std::string& line : lines) {
        const std::size_t n = line.size();
        std::size_t i = 0;
        while (i < n) {
            if (isDigit(line[i]) && i + 2 < n && isDigit(line[i + 1]) && isDigit(line[i + 2])) {
                flags[(line[i] - '0') * 100 + (line[i + 1] - '0') * 10 + (line[i + 2] - '0')] = 1;
                i += 3;
            } else {
                ++i;
            }
        }
    }
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
