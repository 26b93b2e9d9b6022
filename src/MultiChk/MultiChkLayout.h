// Cell geometry of the multi-check control, kept apart from the widget so it
// can be checked without a window.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace velmora {

struct TMultiChkLayout {
    int ChkWidth = 14;
    int CapWidth = 26;
    int RowHeight = 14;
    int Spacing = 3;
    int Cols = 3;
    int Count = 0;

    // ceil(Count / Cols); 0 without items.
    int Rows() const;
    // Width of one grid column: Spacing, check cell, Spacing, caption cell, Spacing.
    int ColumnWidth() const;
    QSize GridSize() const;
    // Cells of item i (no range check; the control checks indexes).
    QRect ChkRect(int i) const;
    QRect CapRect(int i) const;
    // The item whose check or caption cell holds the point, or -1 for a gap.
    int ItemAt(QPoint p) const;
};

// Where the keyboard focus mark goes for an arrow key.
enum class TMultiChkMove { Left, Right, Up, Down };
int MovedFocus(const TMultiChkLayout& layout, int focus, TMultiChkMove move);

} // namespace velmora
