#include "Code/CodeList.h"

#include "Code/Code.h"

namespace velmora {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

int CodeSetCount(const TCodeArr& codes)
{
    int count = 0;
    for (int c = 0; c < TCodeArr::kSize; ++c)
        count += codes.Has(c) ? 1 : 0;
    return count;
}

std::vector<std::string> CodeSetToLines(const TCodeArr& codes)
{
    std::vector<std::string> lines;
    std::string line;
    int counter = 0;
    for (int c = 0; c < TCodeArr::kSize; ++c) {
        if (!codes.Has(c))
            continue;
        line += StrOfCode(c);
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

bool TakeCodeFromText(std::string& text, int& code)
{
    text = std::string(TrimBlanks(text));
    if (text.empty())
        return false;
    if (IsDigit(text[0])) {
        if (text.size() >= 3 && IsDigit(text[1]) && IsDigit(text[2])) {
            code = (text[0] - '0') * 100 + (text[1] - '0') * 10 + (text[2] - '0');
            text.erase(0, 3);
            return true;
        }
        text.erase(0, 1);
        return false;
    }
    if (text.size() > 3)
        text.erase(0, 1);
    else
        text.clear();
    return false;
}

void LinesToCodeSet(const std::vector<std::string>& lines, TCodeArr& target)
{
    // Same result as repeating TakeCodeFromText, in one left-to-right scan:
    // a digit followed by two digits is a code, anything else is skipped.
    target.Clear();
    std::uint8_t* flags = target.data();
    for (const std::string& line : lines) {
        const std::size_t n = line.size();
        std::size_t i = 0;
        while (i < n) {
            if (IsDigit(line[i]) && i + 2 < n && IsDigit(line[i + 1]) && IsDigit(line[i + 2])) {
                flags[(line[i] - '0') * 100 + (line[i + 1] - '0') * 10 + (line[i + 2] - '0')] = 1;
                i += 3;
            } else {
                ++i;
            }
        }
    }
}

std::string ResultHeader(std::string_view leadingText, const TCodeArr& codes)
{
    return std::string(leadingText) + std::to_string(CodeSetCount(codes)) + "注";
}

std::vector<std::string> ResultTextLines(std::string_view leadingText, const TCodeArr& codes)
{
    std::vector<std::string> lines = CodeSetToLines(codes);
    lines.insert(lines.begin(), std::string());
    lines.insert(lines.begin(), ResultHeader(leadingText, codes));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, std::string_view eol)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += eol;
    }
    return text;
}

} // namespace velmora
