#include "widgets/MultiCheckLayout.h"

namespace velmora {

int MultiCheckLayout::rows() const
{
    if (count <= 0 || cols <= 0)
        return 0;
    return (count + cols - 1) / cols;
}

int MultiCheckLayout::columnWidth() const { return 2 * spacing + chkWidth + capWidth; }

GridExtent MultiCheckLayout::gridSize() const
{
    return { cols * columnWidth() + spacing, (rowHeight + spacing) * rows() + spacing };
}

CellRect MultiCheckLayout::chkRect(int i) const
{
    const int left = (i % cols) * columnWidth() + spacing;
    const int top = (i / cols) * (rowHeight + spacing) + spacing;
    return { left, top, chkWidth, rowHeight };
}

CellRect MultiCheckLayout::capRect(int i) const
{
    const CellRect chk = chkRect(i);
    return { chk.left + chkWidth + spacing, chk.top, capWidth, rowHeight };
}

int MultiCheckLayout::itemAt(int x, int y) const
{
    for (int i = 0; i < count; ++i) {
        if (chkRect(i).contains(x, y) || capRect(i).contains(x, y))
            return i;
    }
    return -1;
}

int movedFocus(const MultiCheckLayout& layout, int focus, MultiCheckMove move)
{
    switch (move) {
    case MultiCheckMove::Left:
        return focus > 0 ? focus - 1 : focus;
    case MultiCheckMove::Right:
        return focus < layout.count - 1 ? focus + 1 : focus;
    case MultiCheckMove::Up:
        return focus - layout.cols >= 0 ? focus - layout.cols : focus;
    case MultiCheckMove::Down:
        return focus < layout.count - layout.cols ? focus + layout.cols : focus;
    }
    return focus;
}

} // namespace velmora
