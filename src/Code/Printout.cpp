#include "Code/Printout.h"

#include "Code/Code.h"

namespace velmora {

std::string PrintoutHeader(const PrintDateTime& when)
{
    return std::string(kPrintoutHeaderText) + IntToPadStr(when.Year, 4, true) + "." +
           IntToPadStr(when.Month, 2, true) + "." + IntToPadStr(when.Day, 2, true) + " " +
           IntToPadStr(when.Hour, 2, true) + ":" + IntToPadStr(when.Minute, 2, true) + ":" +
           IntToPadStr(when.Second, 2, true);
}

std::vector<std::string> PrintoutLines(const std::vector<std::string>& lines,
                                       const PrintDateTime& when)
{
    std::vector<std::string> printout;
    printout.reserve(lines.size() + 1);
    printout.push_back(PrintoutHeader(when));
    printout.insert(printout.end(), lines.begin(), lines.end());
    return printout;
}

} // namespace velmora
