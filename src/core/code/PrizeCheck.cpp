#include "core/code/PrizeCheck.h"

namespace velmora {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// UTF-16 code units of one UTF-8 lead byte's character: two beyond U+FFFF
// (a four-byte sequence), one for any other character or stray byte, none for a
// continuation byte.
std::size_t utf16Units(char c)
{
    if (isContinuationByte(c))
        return 0;
    return static_cast<unsigned char>(c) >= 0xF0 ? 2 : 1;
}

// Bytes of a first line that reads: a leading text without digits, a number,
// "注"; 0 when the first line is no result header.
std::size_t headerLength(std::string_view text)
{
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    static constexpr std::string_view kUnit = "注";
    if (line.size() <= kUnit.size() || line.substr(line.size() - kUnit.size()) != kUnit)
        return 0;
    const std::string_view rest = line.substr(0, line.size() - kUnit.size());
    std::size_t numberStart = rest.size();
    while (numberStart > 0 && isDigit(rest[numberStart - 1]))
        --numberStart;
    if (numberStart == rest.size() || numberStart == 0)
        return 0;
    for (std::size_t i = 0; i < numberStart; ++i)
        if (isDigit(rest[i]))
            return 0;
    return line.size();
}

} // namespace

std::vector<CodeInText> codesInText(std::string_view memoText)
{
    std::vector<CodeInText> codes;
    const std::size_t start = headerLength(memoText);
    std::size_t units = 0;
    for (std::size_t i = 0; i < start; ++i)
        units += utf16Units(memoText[i]);
    // One pass: a run of digits is a code when it is exactly three long.
    std::size_t i = start;
    while (i < memoText.size()) {
        if (!isDigit(memoText[i])) {
            units += utf16Units(memoText[i]);
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < memoText.size() && isDigit(memoText[end]))
            ++end;
        if (end - i == 3) {
            const int code
                = (memoText[i] - '0') * 100 + (memoText[i + 1] - '0') * 10 + (memoText[i + 2] - '0');
            codes.push_back({ code, units });
        }
        units += end - i;
        i = end;
    }
    return codes;
}

} // namespace velmora
