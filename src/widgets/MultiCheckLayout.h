// Cell geometry of the multi-check control, kept apart from the widget and free of
// Qt types so that it can be checked without a window or an application object.
#pragma once

namespace velmora {

// A rectangle of whole pixels; right() and bottom() are its last pixels.
struct CellRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width - 1; }
    int bottom() const { return top + height - 1; }
    bool contains(int x, int y) const { return x >= left && x <= right() && y >= top && y <= bottom(); }

    friend bool operator==(const CellRect&, const CellRect&) = default;
};

struct GridExtent {
    int width = 0;
    int height = 0;

    friend bool operator==(const GridExtent&, const GridExtent&) = default;
};

struct MultiCheckLayout {
    int chkWidth = 14;
    int capWidth = 26;
    int rowHeight = 14;
    int spacing = 3;
    int cols = 3;
    int count = 0;

    // ceil(count / cols); 0 without items or columns.
    int rows() const;
    // Width of one grid column: spacing, check cell, spacing, caption cell, spacing.
    int columnWidth() const;
    GridExtent gridSize() const;
    // Cells of item i (no range check; the control checks indexes).
    CellRect chkRect(int i) const;
    CellRect capRect(int i) const;
    // The item whose check or caption cell holds the point, or -1 for a gap.
    int itemAt(int x, int y) const;
};

// Where the keyboard focus mark goes for an arrow key; it stays at the edges.
enum class MultiCheckMove { Left, Right, Up, Down };
int movedFocus(const MultiCheckLayout& layout, int focus, MultiCheckMove move);

} // namespace velmora
