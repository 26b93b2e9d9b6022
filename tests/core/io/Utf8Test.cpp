#include "core/io/Utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace velmora;

namespace {

// The characters of the bytes as code points, malformed bytes as U+FFFD.
std::u32string decodeAll(std::string_view bytes)
{
    std::u32string codes;
    forEachUtf8Char(bytes, [&codes](const Utf8Char& c) { codes += c.code; });
    return codes;
}

// A straightforward decoder to hold the table-driven one against: take the length the
// lead byte's high bits announce, gather the payload bits, then refuse what is not the
// shortest form of a scalar value.
Utf8Char referenceDecode(std::string_view bytes, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80)
        return { lead, 1, true };
    std::size_t length = 0;
    char32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
    } else {
        return {};
    }
    if (at + length > bytes.size())
        return {};
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if ((next & 0xC0) != 0x80)
            return {};
        code = (code << 6) | (next & 0x3F);
    }
    const char32_t shortest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < shortest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    return { code, length, true };
}

} // namespace

TEST(Utf8, EdgeSequences)
{
    constexpr char32_t R = kReplacementCharacter;
    struct Row {
        const char* name;
        std::string_view bytes;
        std::u32string codes;
        std::size_t utf16;
    };
    const Row rows[] = {
        { "empty", "", U"", 0 },
        { "ASCII and NUL", std::string_view("a\0~", 3), std::u32string(U"a\0~", 3), 3 },
        { "smallest two-byte", "\xC2\x80", U"\x80", 1 },
        { "overlong two-byte", "\xC0\xAF", { R, R }, 2 },
        { "overlong two-byte C1", "\xC1\xBF", { R, R }, 2 },
        { "largest three-byte", "\xEF\xBF\xBF", U"\xFFFF", 1 },
        { "overlong three-byte", "\xE0\x9F\xBF", { R, R, R }, 3 },
        { "smallest three-byte", "\xE0\xA0\x80", U"\x800", 1 },
        { "last before the surrogates", "\xED\x9F\xBF", U"\xD7FF", 1 },
        { "surrogate", "\xED\xA0\x80", { R, R, R }, 3 },
        { "Han character", "合", U"合", 1 },
        { "overlong four-byte", "\xF0\x8F\xBF\xBF", { R, R, R, R }, 4 },
        { "smallest four-byte", "\xF0\x90\x80\x80", U"\x10000", 2 },
        { "largest scalar", "\xF4\x8F\xBF\xBF", U"\x10FFFF", 2 },
        { "past U+10FFFF", "\xF4\x90\x80\x80", { R, R, R, R }, 4 },
        { "F5 lead", "\xF5\x80\x80\x80", { R, R, R, R }, 4 },
        { "truncated at the end", "a\xE5\x90", { U'a', R, R }, 3 },
        // The byte after the view would complete the character: it is not the view's.
        { "cut inside a longer buffer", std::string_view("a\xE5\x90\x88", 3), { U'a', R, R }, 3 },
        { "truncated before ASCII", "\xF0\x9F\x98x", { R, R, R, U'x' }, 4 },
        { "stray continuation",
            "\x80"
            "1",
            { R, U'1' }, 2 },
        { "FF byte", "\xFF", { R }, 1 },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const std::u32string codes = decodeAll(r.bytes);
        EXPECT_EQ(codes, r.codes);
        const bool valid = codes.find(R) == std::u32string::npos;
        EXPECT_EQ(isValidUtf8(r.bytes), valid);
        EXPECT_EQ(utf8CharacterCount(r.bytes), r.codes.size());
        EXPECT_EQ(utf16Length(r.bytes), r.utf16);
        const std::string replaced = replaceInvalidUtf8(r.bytes);
        EXPECT_TRUE(isValidUtf8(replaced));
        EXPECT_EQ(decodeAll(replaced), r.codes);
        if (valid) {
            EXPECT_EQ(replaced, r.bytes);
        }
    }
}

// Random bytes, drawn mostly from lead and continuation bytes so that well-formed,
// overlong and cut sequences all come up often.
TEST(Utf8, AgreesWithAStraightforwardDecoderOnRandomBytes)
{
    static constexpr unsigned char kPool[] = { 0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0,
        0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xED, 0xEE, 0xEF, 0xF0, 0xF3, 0xF4, 0xF5, 0xF8, 0xFF };
    std::mt19937 rng(16);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kPool - 1);
    std::uniform_int_distribution<int> any(0, 255);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes(static_cast<std::size_t>(round % 9), '\0');
        for (char& b : bytes)
            b = static_cast<char>(round % 3 == 0 ? any(rng) : kPool[pick(rng)]);
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            const Utf8Char got = decodeUtf8At(bytes, at);
            const Utf8Char want = referenceDecode(bytes, at);
            ASSERT_EQ(got.valid, want.valid) << testing::PrintToString(bytes) << " at " << at;
            ASSERT_EQ(got.code, want.code) << testing::PrintToString(bytes) << " at " << at;
            ASSERT_EQ(got.length, want.length) << testing::PrintToString(bytes) << " at " << at;
        }
    }
}
