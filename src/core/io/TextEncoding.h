// Bytes of a file to UTF-8 and back: UTF-8 when marked or plainly UTF-8, else GB18030.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// A UTF-8 byte-order mark, or valid UTF-8 holding non-ASCII characters, means UTF-8
// (the mark is kept, the line splitter drops it); anything else is decoded as GB18030,
// each undecodable byte becoming one U+FFFD.
std::string decodeFileBytes(std::string_view bytes);

// UTF-8 to GB18030 (byte-identical to GB2312 for every GB2312 character).
std::string encodeGb18030(std::string_view utf8);

} // namespace velmora
