#include "core/code/PrizeCheck.h"

#include "core/io/Utf8.h"

namespace velmora {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

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
    std::size_t i = headerLength(memoText);
    std::size_t units = utf16Length(memoText.substr(0, i));
    // Runs of digits and runs of other characters by turns (a digit is never part of a
    // longer UTF-8 sequence); a run of digits is a code when it is exactly three long.
    while (i < memoText.size()) {
        const bool digits = isDigit(memoText[i]);
        std::size_t end = i;
        while (end < memoText.size() && isDigit(memoText[end]) == digits)
            ++end;
        const std::string_view run = memoText.substr(i, end - i);
        if (digits && run.size() == 3)
            codes.push_back({ (run[0] - '0') * 100 + (run[1] - '0') * 10 + (run[2] - '0'), units });
        units += utf16Length(run);
        i = end;
    }
    return codes;
}

} // namespace velmora
