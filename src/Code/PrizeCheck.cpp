#include "Code/PrizeCheck.h"

namespace velmora {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Characters of a UTF-8 text; a stray byte counts as one.
std::size_t CharacterCount(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text)
        count += IsContinuationByte(c) ? 0 : 1;
    return count;
}

// UTF-16 code units of a UTF-8 text: two for a character beyond U+FFFF
// (four-byte sequence), one for any other character or stray byte.
std::size_t Utf16Length(std::string_view text)
{
    std::size_t units = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!IsContinuationByte(c))
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

// Bytes of a first line that reads: a leading text without digits, a number,
// "注"; 0 when the first line is no result header.
std::size_t HeaderLength(std::string_view text)
{
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    static constexpr std::string_view kUnit = "注";
    if (line.size() <= kUnit.size() || line.substr(line.size() - kUnit.size()) != kUnit)
        return 0;
    const std::string_view rest = line.substr(0, line.size() - kUnit.size());
    std::size_t numberStart = rest.size();
    while (numberStart > 0 && IsDigit(rest[numberStart - 1]))
        --numberStart;
    if (numberStart == rest.size() || numberStart == 0)
        return 0;
    for (std::size_t i = 0; i < numberStart; ++i)
        if (IsDigit(rest[i]))
            return 0;
    return line.size();
}

} // namespace

PrizeCheckResult FindCodeInText(std::string_view memoText, std::string_view entry)
{
    PrizeCheckResult result;
    if (CharacterCount(entry) != 3)
        return result;
    result.Result = PrizeCheckResult::Outcome::NotFound;
    result.StatusText = std::string(kPrizeNotFoundText) + std::string(entry);
    if (entry.size() != 3 || !IsDigit(entry[0]) || !IsDigit(entry[1]) || !IsDigit(entry[2]))
        return result;

    std::size_t from = HeaderLength(memoText);
    while (true) {
        const std::size_t at = memoText.find(entry, from);
        if (at == std::string_view::npos)
            return result;
        const bool digitBefore = at > 0 && IsDigit(memoText[at - 1]);
        const bool digitAfter = at + 3 < memoText.size() && IsDigit(memoText[at + 3]);
        if (!digitBefore && !digitAfter) {
            result.Result = PrizeCheckResult::Outcome::Found;
            result.Position = Utf16Length(memoText.substr(0, at));
            result.StatusText = std::string(kPrizeFoundText) + std::string(entry);
            return result;
        }
        from = at + 1;
    }
}

} // namespace velmora
