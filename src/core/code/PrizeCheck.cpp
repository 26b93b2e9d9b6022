#include "core/code/PrizeCheck.h"

namespace velmora {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Characters of a UTF-8 text; a stray byte counts as one.
std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text)
        count += isContinuationByte(c) ? 0 : 1;
    return count;
}

// UTF-16 code units of a UTF-8 text: two for a character beyond U+FFFF
// (four-byte sequence), one for any other character or stray byte.
std::size_t utf16Length(std::string_view text)
{
    std::size_t units = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!isContinuationByte(c))
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
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

PrizeCheckResult findCodeInText(std::string_view memoText, std::string_view entry)
{
    PrizeCheckResult result;
    if (characterCount(entry) != 3)
        return result;
    result.result = PrizeCheckResult::Outcome::NotFound;
    result.statusText = std::string(kPrizeNotFoundText) + std::string(entry);
    if (entry.size() != 3 || !isDigit(entry[0]) || !isDigit(entry[1]) || !isDigit(entry[2]))
        return result;

    std::size_t from = headerLength(memoText);
    while (true) {
        const std::size_t at = memoText.find(entry, from);
        if (at == std::string_view::npos)
            return result;
        const bool digitBefore = at > 0 && isDigit(memoText[at - 1]);
        const bool digitAfter = at + 3 < memoText.size() && isDigit(memoText[at + 3]);
        if (!digitBefore && !digitAfter) {
            result.result = PrizeCheckResult::Outcome::Found;
            result.position = utf16Length(memoText.substr(0, at));
            result.statusText = std::string(kPrizeFoundText) + std::string(entry);
            return result;
        }
        from = at + 1;
    }
}

} // namespace velmora
