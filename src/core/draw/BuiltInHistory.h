// The draw history the programs ship with (resources/history/3d-history.txt).
#pragma once

#include <string_view>

namespace velmora {

// The shipped history's bytes as they stand in the file: ASCII draw lines, each
// ended by CR LF, oldest first. Never empty.
std::string_view builtInHistoryText();

} // namespace velmora
