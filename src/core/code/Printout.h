// The lines of a printout ("打印结果"): a header with the date and time, then
// the result text's lines.
#pragma once

#include <string>
#include <vector>

namespace velmora {

inline constexpr const char* kPrintoutHeaderText = "Velmora 号码打印，时间:";
inline constexpr int kPrintoutFontSize = 12;

// Local date and time of the printout.
struct PrintDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "Velmora 号码打印，时间:" followed by yyyy.MM.dd, a blank and HH:mm:ss.
std::string printoutHeader(const PrintDateTime& when);

// The header line, then every line in order.
std::vector<std::string> printoutLines(const std::vector<std::string>& lines, const PrintDateTime& when);

} // namespace velmora
