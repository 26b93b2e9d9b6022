// The lines of a printout ("打印结果"): a header with the date and time, then
// the result text's lines.
#pragma once

#include <string>
#include <vector>

namespace velmora {

inline constexpr const char* kPrintoutHeaderText = "Dastrel 号码打印，时间:";
inline constexpr int kPrintoutFontSize = 12;

// Local date and time of the printout.
struct PrintDateTime {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

// "Dastrel 号码打印，时间:" followed by yyyy.MM.dd, a blank and HH:mm:ss.
std::string PrintoutHeader(const PrintDateTime& when);

// The header line, then every line in order.
std::vector<std::string> PrintoutLines(const std::vector<std::string>& lines,
                                       const PrintDateTime& when);

} // namespace velmora
