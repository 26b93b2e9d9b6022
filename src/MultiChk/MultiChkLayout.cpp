#include "MultiChk/MultiChkLayout.h"

namespace velmora {

int TMultiChkLayout::Rows() const
{
    if (Count <= 0 || Cols <= 0)
        return 0;
    return (Count + Cols - 1) / Cols;
}

int TMultiChkLayout::ColumnWidth() const { return 2 * Spacing + ChkWidth + CapWidth; }

QSize TMultiChkLayout::GridSize() const
{
    return QSize(Cols * ColumnWidth() + Spacing, (RowHeight + Spacing) * Rows() + Spacing);
}

QRect TMultiChkLayout::ChkRect(int i) const
{
    const int left = (i % Cols) * ColumnWidth() + Spacing;
    const int top = (i / Cols) * (RowHeight + Spacing) + Spacing;
    return QRect(left, top, ChkWidth, RowHeight);
}

QRect TMultiChkLayout::CapRect(int i) const
{
    const QRect chk = ChkRect(i);
    return QRect(chk.left() + ChkWidth + Spacing, chk.top(), CapWidth, RowHeight);
}

int TMultiChkLayout::ItemAt(QPoint p) const
{
    for (int i = 0; i < Count; ++i) {
        if (ChkRect(i).contains(p) || CapRect(i).contains(p))
            return i;
    }
    return -1;
}

int MovedFocus(const TMultiChkLayout& layout, int focus, TMultiChkMove move)
{
    switch (move) {
    case TMultiChkMove::Left:
        return focus > 0 ? focus - 1 : focus;
    case TMultiChkMove::Right:
        return focus < layout.Count - 1 ? focus + 1 : focus;
    case TMultiChkMove::Up:
        return focus - layout.Cols >= 0 ? focus - layout.Cols : focus;
    case TMultiChkMove::Down:
        return focus < layout.Count - layout.Cols ? focus + layout.Cols : focus;
    }
    return focus;
}

} // namespace velmora
