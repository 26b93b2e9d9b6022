#include "core/code/Code.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

std::array<int, 3> digits(int code) { return { code / 100 % 10, code / 10 % 10, code % 10 }; }

} // namespace

std::string codeText(int code)
{
    std::string text = std::to_string(code);
    while (text.size() < 3)
        text.insert(text.begin(), '0');
    return text;
}

std::string zeroPadded(long long value, int width)
{
    std::string text = std::to_string(value);
    while (static_cast<int>(text.size()) < width)
        text.insert(text.begin(), '0');
    return text;
}

int digitAt(int code, int position)
{
    if (position < 1 || position > 3)
        throw CodeError("NumOfCode Error!");
    return digits(code)[position - 1];
}

char digitCharAt(int code, int position)
{
    if (position < 1 || position > 3)
        throw CodeError("ChrOfCode Error!");
    return static_cast<char>('0' + digits(code)[position - 1]);
}

int minOfCode(int code)
{
    const auto d = digits(code);
    return std::min({ d[0], d[1], d[2] });
}

int maxOfCode(int code)
{
    const auto d = digits(code);
    return std::max({ d[0], d[1], d[2] });
}

int countNumInCode(int code, int digit)
{
    const auto d = digits(code);
    return static_cast<int>(std::count(d.begin(), d.end(), digit));
}

int mostNumOfCode(int code)
{
    int best = countNumInCode(code, 0);
    int answer = 0;
    for (int digit = 1; digit <= 9; ++digit) {
        const int count = countNumInCode(code, digit);
        if (count > best) {
            best = count;
            answer = digit;
        }
    }
    return answer;
}

GroupKind groupKindOf(int code)
{
    const std::array<int, 3> d = digits(((code % 1000) + 1000) % 1000);
    if (d[0] == d[1] && d[1] == d[2])
        return GroupKind::Triple;
    if (d[0] == d[1] || d[1] == d[2] || d[0] == d[2])
        return GroupKind::Three;
    return GroupKind::Six;
}

int groupOf(int code)
{
    std::array<int, 3> d = digits(((code % 1000) + 1000) % 1000);
    std::sort(d.begin(), d.end());
    return d[0] * 100 + d[1] * 10 + d[2];
}

int repeatOfCode(int code) { return static_cast<int>(groupKindOf(code)); }

int linkOfCode(int code)
{
    auto d = digits(code);
    std::sort(d.begin(), d.end());
    int links = 0;
    if (d[1] - d[0] == 1)
        ++links;
    if (d[2] - d[1] == 1)
        ++links;
    if (d[2] - d[0] == 9)
        ++links;
    return links;
}

int sumOfCode(int code, bool tailOnly)
{
    const auto d = digits(code);
    const int sum = d[0] + d[1] + d[2];
    return tailOnly ? sum % 10 : sum;
}

int oddCountOfCode(int code)
{
    int count = 0;
    for (int d : digits(code))
        count += d % 2;
    return count;
}

int bigCountOfCode(int code)
{
    int count = 0;
    for (int d : digits(code))
        count += d > 4 ? 1 : 0;
    return count;
}

int oddMaskOfCode(int code)
{
    const auto d = digits(code);
    return (d[0] % 2) * 4 + (d[1] % 2) * 2 + (d[2] % 2);
}

int bigMaskOfCode(int code)
{
    const auto d = digits(code);
    return (d[0] > 4) * 4 + (d[1] > 4) * 2 + (d[2] > 4);
}

bool isPrimeDigit(int digit) { return digit == 1 || digit == 2 || digit == 3 || digit == 5 || digit == 7; }

int primeCountOfCode(int code)
{
    int count = 0;
    for (int d : digits(code))
        count += isPrimeDigit(d) ? 1 : 0;
    return count;
}

int primeMaskOfCode(int code)
{
    const auto d = digits(code);
    return isPrimeDigit(d[0]) * 4 + isPrimeDigit(d[1]) * 2 + isPrimeDigit(d[2]);
}

int routeMaskOfCode(int code)
{
    const auto d = digits(code);
    return (d[0] % 3) * 9 + (d[1] % 3) * 3 + d[2] % 3;
}

int spanOfCode(int code) { return maxOfCode(code) - minOfCode(code); }

std::string smbOfCode(int code)
{
    std::array<int, 3> counts {};
    for (int d : digits(code))
        ++counts[smbOfNum(d)];
    return { static_cast<char>('0' + counts[0]), static_cast<char>('0' + counts[1]),
        static_cast<char>('0' + counts[2]) };
}

std::string routeOfCode(int code)
{
    std::array<int, 3> counts {};
    for (int d : digits(code))
        ++counts[d % 3];
    return { static_cast<char>('0' + counts[0]), static_cast<char>('0' + counts[1]),
        static_cast<char>('0' + counts[2]) };
}

int ratioPatternIndex(std::string_view pattern)
{
    for (int i = 0; i < 10; ++i)
        if (pattern == kRatioPatterns[i])
            return i;
    return -1;
}

bool isOddNum(long long value) { return value % 2 == 1; }

bool isBigNum(long long value) { return value % 10 > 4; }

int smbOfNum(long long value)
{
    const long long r = value % 10;
    if (r <= 2)
        return 0;
    if (r <= 6)
        return 1;
    return 2;
}

bool codeHasNum(int code, std::string_view text)
{
    for (int d : digits(code))
        if (text.find(static_cast<char>('0' + d)) != std::string_view::npos)
            return true;
    return false;
}

bool codeHasPair(int code, std::string_view text)
{
    const auto d = digits(code);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            if (i == j)
                continue;
            const char pair[2] = { static_cast<char>('0' + d[i]), static_cast<char>('0' + d[j]) };
            if (text.find(std::string_view(pair, 2)) != std::string_view::npos)
                return true;
        }
    return false;
}

int hitCountOfCode(int code, std::string_view text)
{
    std::string scratch(text);
    int hits = 0;
    for (int d : digits(code)) {
        const auto at = scratch.find(static_cast<char>('0' + d));
        if (at != std::string::npos) {
            scratch[at] = ' ';
            ++hits;
        }
    }
    return hits;
}

std::string_view trimBlanks(std::string_view text)
{
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string> splitByComma(std::string_view text)
{
    text = trimBlanks(text);
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = text.find(',', start);
        const auto end = comma == std::string_view::npos ? text.size() : comma;
        if (end > start)
            items.emplace_back(text.substr(start, end - start));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return items;
}

} // namespace velmora
