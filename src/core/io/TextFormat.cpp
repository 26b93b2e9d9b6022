#include "core/io/TextFormat.h"

#include "core/io/Utf8.h"

namespace velmora {

namespace {

// Tenths of a/b (a >= 0, b > 0), rounded half away from zero.
std::string tenthsText(long long scaledA, long long b)
{
    const long long tenths = (2 * scaledA + b) / (2 * b);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

} // namespace

std::string formatRate(long long a, long long b)
{
    if (b <= 0 || a < 0)
        return "0.0%";
    return tenthsText(1000 * a, b) + "%";
}

std::string formatAverage(long long a, long long b)
{
    if (b <= 0 || a < 0)
        return "0.0";
    return tenthsText(10 * a, b);
}

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    quoted += '"';
    return quoted;
}

std::string cutForMessage(std::string_view text)
{
    std::size_t characters = 0;
    std::size_t at = 0;
    while (at < text.size() && characters < kMessageInputLimit) {
        at += decodeUtf8At(text, at).length;
        ++characters;
    }
    std::string cut = replaceInvalidUtf8(text.substr(0, at));
    if (at < text.size())
        cut += "…";
    return cut;
}

} // namespace velmora
