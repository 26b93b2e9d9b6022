#include "core/charts/ChartCsv.h"

#include <cstdio>

namespace velmora {

std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    quoted += '"';
    return quoted;
}

namespace {

std::string ColorField(CellColor color)
{
    if (color.isWindow())
        return {};
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", color.red(), color.green(), color.blue());
    return buffer;
}

const std::string& cellText(const GridModel& net, int row, int col)
{
    if (row < net.fixRowCount()) {
        // Counting down rather than std::views::reverse, which clang 14 cannot
        // compile against libstdc++ 12 (the fuzz build).
        const auto& merges = net.merges();
        for (std::size_t i = merges.size(); i-- > 0;)
            if (merges[i].covers(row, col))
                return merges[i].text;
    }
    return net.getValue(row, col);
}

} // namespace

std::string gridToCsv(const GridModel& net, bool colors)
{
    std::string csv;
    for (int row = 0; row < net.rowCount(); ++row) {
        for (int col = 0; col < net.colsCount(); ++col) {
            if (col > 0)
                csv += ',';
            csv += colors ? ColorField(net.getCellColor(row, col)) : csvField(cellText(net, row, col));
        }
        csv += '\n';
    }
    return csv;
}

} // namespace velmora
