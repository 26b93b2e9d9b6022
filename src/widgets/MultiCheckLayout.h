// Cell geometry of the multi-check control, kept apart from the widget so it
// can be checked without a window.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace velmora {

struct MultiCheckLayout {
    int chkWidth = 14;
    int capWidth = 26;
    int rowHeight = 14;
    int spacing = 3;
    int cols = 3;
    int count = 0;

    // ceil(Count / Cols); 0 without items.
    int rows() const;
    // Width of one grid column: Spacing, check cell, Spacing, caption cell, Spacing.
    int columnWidth() const;
    QSize gridSize() const;
    // Cells of item i (no range check; the control checks indexes).
    QRect chkRect(int i) const;
    QRect capRect(int i) const;
    // The item whose check or caption cell holds the point, or -1 for a gap.
    int itemAt(QPoint p) const;
};

// Where the keyboard focus mark goes for an arrow key.
enum class MultiCheckMove { Left, Right, Up, Down };
int movedFocus(const MultiCheckLayout& layout, int focus, MultiCheckMove move);

} // namespace velmora
