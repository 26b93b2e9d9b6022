// The lines of a printout ("打印结果"): a header with the date and time, then
// the result text's lines.
#pragma once

#include "core/io/LocalTime.h"

#include <string>
#include <vector>

namespace velmora {

inline constexpr const char* kPrintoutHeaderText = "Velmora 号码打印，时间:";
inline constexpr int kPrintoutFontSize = 12;

// "Velmora 号码打印，时间:" followed by yyyy.MM.dd, a blank and HH:mm:ss.
std::string printoutHeader(const LocalDateTime& when);

// The header line, then every line in order.
std::vector<std::string> printoutLines(const std::vector<std::string>& lines, const LocalDateTime& when);

} // namespace velmora
