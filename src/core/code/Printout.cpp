#include "core/code/Printout.h"

#include "core/code/Code.h"

namespace velmora {

std::string printoutHeader(const PrintDateTime& when)
{
    return std::string(kPrintoutHeaderText) + intToPadStr(when.year, 4, true) + "."
        + intToPadStr(when.month, 2, true) + "." + intToPadStr(when.day, 2, true) + " "
        + intToPadStr(when.hour, 2, true) + ":" + intToPadStr(when.minute, 2, true) + ":"
        + intToPadStr(when.second, 2, true);
}

std::vector<std::string> printoutLines(const std::vector<std::string>& lines, const PrintDateTime& when)
{
    std::vector<std::string> printout;
    printout.reserve(lines.size() + 1);
    printout.push_back(printoutHeader(when));
    printout.insert(printout.end(), lines.begin(), lines.end());
    return printout;
}

} // namespace velmora
