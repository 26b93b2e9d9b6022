#include "core/charts/ChartCsv.h"

#include <algorithm>
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
        const auto& merges = net.merges();
        // The last merge added wins where merges overlap.
        const auto hit = std::find_if(
            merges.rbegin(), merges.rend(), [&](const auto& merge) { return merge.covers(row, col); });
        if (hit != merges.rend())
            return hit->text;
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
