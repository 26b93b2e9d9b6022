// The one UTF-8 decoder of the program. A well-formed sequence is the shortest form of
// a Unicode scalar value: one to four bytes, no surrogate (U+D800..U+DFFF), nothing past
// U+10FFFF. A byte that starts no well-formed sequence (a stray continuation byte, the
// lead of a truncated, overlong or out-of-range sequence) decodes on its own as U+FFFD,
// and decoding goes on at the next byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// One character read from UTF-8 bytes.
struct Utf8Char {
    char32_t code = kReplacementCharacter; // U+FFFD for a malformed byte
    std::size_t length = 1; // bytes read: the sequence's, or 1 for a malformed byte
    bool valid = false;
};

// decodeUtf8At for a lead byte of 0x80 or more.
Utf8Char decodeUtf8Sequence(std::string_view bytes, std::size_t at);

// The character that starts at bytes[at]; `at` must lie inside the bytes.
inline Utf8Char decodeUtf8At(std::string_view bytes, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80)
        return { lead, 1, true };
    return decodeUtf8Sequence(bytes, at);
}

// Calls fn(Utf8Char) for every character of the bytes, in order.
template <typename Fn> void forEachUtf8Char(std::string_view bytes, Fn&& fn)
{
    for (std::size_t at = 0; at < bytes.size();) {
        const Utf8Char c = decodeUtf8At(bytes, at);
        fn(c);
        at += c.length;
    }
}

// True when every byte belongs to a well-formed sequence (empty bytes are valid).
bool isValidUtf8(std::string_view bytes);

// The bytes with each malformed byte replaced by U+FFFD (EF BF BD); well-formed
// sequences are kept as they are.
std::string replaceInvalidUtf8(std::string_view bytes);

// Characters in the text; a malformed byte counts as one.
std::size_t utf8CharacterCount(std::string_view text);

// UTF-16 code units the text takes: two for a character past U+FFFF, one for any
// other (a malformed byte is one U+FFFD).
std::size_t utf16Length(std::string_view text);

} // namespace velmora
