// A grid model's state as text, one line per row, so that a failed comparison
// reads as a diff.
#pragma once

#include "core/grid/GridModel.h"

#include <QString>
#include <QStringList>

namespace velmora::test {

// Every cell's text and colour, one line per row, then the merged captions.
inline QStringList gridDump(const GridModel& grid)
{
    const auto text
        = [](const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); };
    QStringList lines;
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.colsCount(); ++c) {
            const CellColor color = grid.getCellColor(r, c);
            cells << text(grid.getValue(r, c)) + QLatin1Char('@')
                    + (color.isWindow() ? QStringLiteral("-")
                                        : QStringLiteral("%1,%2,%3")
                                              .arg(color.red())
                                              .arg(color.green())
                                              .arg(color.blue()));
        }
        lines << QStringLiteral("%1: ").arg(r) + cells.join(QLatin1Char('|'));
    }
    for (const GridMerge& merge : grid.merges())
        lines << QStringLiteral("merge %1 %2-%3 %4-%5 %6")
                     .arg(merge.active)
                     .arg(merge.firstCol)
                     .arg(merge.lastCol)
                     .arg(merge.firstRow)
                     .arg(merge.lastRow)
                     .arg(text(merge.text));
    return lines;
}

} // namespace velmora::test
