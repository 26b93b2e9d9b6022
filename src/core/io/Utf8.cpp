#include "core/io/Utf8.h"

#include <cstdint>
#include <cstring>

namespace velmora {

namespace {

// What a lead byte 0x80..0xFF allows: how many continuation bytes follow, and the
// range of the first of them. The narrowed ranges after E0, ED, F0 and F4 are what
// shuts out overlong forms, surrogates and values past U+10FFFF (Unicode's table of
// well-formed byte sequences); any later continuation byte is 0x80..0xBF.
struct LeadRule {
    int extra = 0; // 0: the byte starts no sequence
    unsigned char firstLow = 0x80;
    unsigned char firstHigh = 0xBF;
};

constexpr LeadRule leadRule(unsigned char lead)
{
    if (lead < 0xC2)
        return {}; // continuation bytes, and C0/C1 (overlong two-byte forms)
    if (lead < 0xE0)
        return { 1 };
    if (lead == 0xE0)
        return { 2, 0xA0, 0xBF };
    if (lead == 0xED)
        return { 2, 0x80, 0x9F };
    if (lead < 0xF0)
        return { 2 };
    if (lead == 0xF0)
        return { 3, 0x90, 0xBF };
    if (lead < 0xF4)
        return { 3 };
    if (lead == 0xF4)
        return { 3, 0x80, 0x8F };
    return {};
}

constexpr char32_t leadPayload(unsigned char lead, int extra)
{
    return lead & (extra == 1 ? 0x1Fu : extra == 2 ? 0x0Fu : 0x07u);
}

} // namespace

Utf8Char decodeUtf8Sequence(std::string_view bytes, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const LeadRule rule = leadRule(lead);
    const auto extra = static_cast<std::size_t>(rule.extra);
    if (extra == 0 || bytes.size() - at <= extra)
        return {};
    char32_t code = leadPayload(lead, rule.extra);
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        const unsigned char low = k == 1 ? rule.firstLow : 0x80;
        const unsigned char high = k == 1 ? rule.firstHigh : 0xBF;
        if (next < low || next > high)
            return {};
        code = (code << 6) | (next & 0x3Fu);
    }
    return { code, extra + 1, true };
}

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        // ASCII, most of every text, is passed over eight bytes at a time.
        std::uint64_t eight = 0;
        if (bytes.size() - at >= sizeof eight) {
            std::memcpy(&eight, bytes.data() + at, sizeof eight);
            if ((eight & 0x8080808080808080U) == 0) {
                at += sizeof eight;
                continue;
            }
        }
        const Utf8Char c = decodeUtf8At(bytes, at);
        if (!c.valid)
            return false;
        at += c.length;
    }
    return true;
}

std::string replaceInvalidUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t at = 0; at < bytes.size();) {
        const Utf8Char c = decodeUtf8At(bytes, at);
        out += c.valid ? bytes.substr(at, c.length) : std::string_view("\xEF\xBF\xBD");
        at += c.length;
    }
    return out;
}

std::size_t utf8CharacterCount(std::string_view text)
{
    std::size_t count = 0;
    forEachUtf8Char(text, [&count](const Utf8Char&) { ++count; });
    return count;
}

std::size_t utf16Length(std::string_view text)
{
    std::size_t units = 0;
    forEachUtf8Char(text, [&units](const Utf8Char& c) { units += c.code > 0xFFFF ? 2 : 1; });
    return units;
}

} // namespace velmora
