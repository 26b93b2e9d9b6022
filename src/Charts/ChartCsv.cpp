#include "Charts/ChartCsv.h"

#include <cstdio>

namespace velmora {

std::string CsvField(const std::string& text)
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

std::string ColorField(TColor color)
{
    if (color.IsWindow())
        return {};
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", color.Red(), color.Green(), color.Blue());
    return buffer;
}

const std::string& CellText(const TH2NetModel& net, int row, int col)
{
    if (row < net.FixRowCount()) {
        const auto& merges = net.Merges();
        for (auto it = merges.rbegin(); it != merges.rend(); ++it)
            if (it->Covers(row, col))
                return it->Text;
    }
    return net.GetValue(row, col);
}

} // namespace

std::string GridToCsv(const TH2NetModel& net, bool colors)
{
    std::string csv;
    for (int row = 0; row < net.RowCount(); ++row) {
        for (int col = 0; col < net.ColsCount(); ++col) {
            if (col > 0)
                csv += ',';
            csv += colors ? ColorField(net.GetCellColor(row, col)) : CsvField(CellText(net, row, col));
        }
        csv += '\n';
    }
    return csv;
}

} // namespace velmora
