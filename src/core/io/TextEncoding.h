// Bytes of a file to UTF-8 and back: UTF-8 when marked or plainly UTF-8, else GB18030.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// A UTF-8 byte-order mark, or valid UTF-8 holding non-ASCII characters, means UTF-8
// (the mark is kept, the line splitter drops it); anything else is decoded as GB18030,
// each undecodable byte becoming one U+FFFD.
std::string decodeFileBytes(std::string_view bytes);

// The text of a text file's bytes: decodeFileBytes, each zero byte as U+FFFD (like any
// byte that is no character: the line holding it is then a bad line, and nothing after
// it is lost), every line break (CR LF, CR, LF) as CR LF. Bytes that need none of it
// become the text without a copy.
std::string decodeTextBytes(std::string bytes);

// GB18030 bytes as UTF-8, each byte that starts no character (a truncated sequence's
// lead included) becoming one U+FFFD, as glibc's iconv decodes them.
std::string decodeGb18030(std::string_view bytes);

// UTF-8 to GB18030 (byte-identical to GB2312 for every GB2312 character).
std::string encodeGb18030(std::string_view utf8);

// Every line break (CR LF, CR, LF) as CR LF.
std::string normalizeLineBreaks(std::string_view text);

} // namespace velmora
