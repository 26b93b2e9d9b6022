#include "core/code/Printout.h"

#include "core/code/Code.h"

namespace velmora {

std::string printoutHeader(const LocalDateTime& when)
{
    return std::string(kPrintoutHeaderText) + zeroPadded(when.year, 4) + "." + zeroPadded(when.month, 2) + "."
        + zeroPadded(when.day, 2) + " " + zeroPadded(when.hour, 2) + ":" + zeroPadded(when.minute, 2) + ":"
        + zeroPadded(when.second, 2);
}

std::vector<std::string> printoutLines(const std::vector<std::string>& lines, const LocalDateTime& when)
{
    std::vector<std::string> printout;
    printout.reserve(lines.size() + 1);
    printout.push_back(printoutHeader(when));
    printout.insert(printout.end(), lines.begin(), lines.end());
    return printout;
}

} // namespace velmora
