// The small text formats every layer prints: rates and averages with one decimal,
// CSV fields, the UTF-8 byte-order mark, user input repeated in a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// The UTF-8 byte-order mark: spreadsheets read a CSV that starts with it as UTF-8.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Whether text starts with the UTF-8 byte-order mark.
inline bool startsWithUtf8Bom(std::string_view text) { return text.substr(0, kUtf8Bom.size()) == kUtf8Bom; }

// 100·a/b with one decimal and "%", rounded half away from zero on the exact
// fraction (2/3 → "66.7%"); b <= 0 or a < 0 gives "0.0%".
std::string formatRate(long long a, long long b);

// a/b with one decimal, rounded the same way; b <= 0 or a < 0 gives "0.0".
std::string formatAverage(long long a, long long b);

// One CSV field (RFC 4180), quoted only when it holds a comma, a quote or a line break.
std::string csvField(std::string_view text);

// How much of the user's input a message repeats.
inline constexpr std::size_t kMessageInputLimit = 60;

// The text as a message repeats it: its first kMessageInputLimit characters, then
// "…" when there were more; a malformed UTF-8 byte is one U+FFFD, so the result is
// always valid UTF-8.
std::string cutForMessage(std::string_view text);

} // namespace velmora
