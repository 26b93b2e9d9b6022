#include "H2Net/H2NetModel.h"

#include <algorithm>

namespace velmora {

namespace {

const std::string kEmptyText;

} // namespace

TNetRect TNetRect::United(const TNetRect& other) const
{
    if (other.IsEmpty())
        return *this;
    if (IsEmpty())
        return other;
    return {std::min(Left, other.Left), std::min(Top, other.Top), std::max(Right, other.Right),
            std::max(Bottom, other.Bottom)};
}

TH2NetModel::TH2NetModel()
{
    Clear();
}

void TH2NetModel::Clear()
{
    fixColor_ = kDefaultFixColor;
    fixRowCount_ = 0;
    colWidthArr_.clear();
    rowHeight_ = 20;
    lineWidth_ = 1;
    colsCount_ = 0;
    topRow_ = 0;
    visRows_ = 0;
    dynRows_ = 0;
    values_.clear();
    colors_.clear();
    merges_.clear();
    Resize();
}

void TH2NetModel::SetGridSize(int cols, int dynRows, int fixRows, const std::vector<int>& widths)
{
    colsCount_ = std::max(cols, 0);
    dynRows_ = std::max(dynRows, 0);
    fixRowCount_ = std::max(fixRows, 0);
    const std::size_t cells = static_cast<std::size_t>(RowCount()) * static_cast<std::size_t>(colsCount_);
    // assign() replaces every entry, so the old texts and colours cannot survive a rebuild.
    values_.assign(cells, std::string());
    colors_.assign(cells, TColor::Window());
    colWidthArr_.assign(static_cast<std::size_t>(colsCount_), 0);
    std::copy_n(widths.begin(), std::min(widths.size(), colWidthArr_.size()), colWidthArr_.begin());
}

void TH2NetModel::Report(const char* text) const
{
    if (message_)
        message_(text);
}

bool TH2NetModel::CellInRange(int row, int col) const
{
    return row >= 0 && col >= 0 && row < RowCount() && col < colsCount_;
}

std::size_t TH2NetModel::CellIndex(int row, int col) const
{
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(colsCount_)
           + static_cast<std::size_t>(col);
}

const std::string& TH2NetModel::GetValue(int row, int col) const
{
    if (col >= colsCount_)
        Report("GetValue x>=FColsCount ");
    if (row >= RowCount())
        Report("GetValue y>=FDynRows+FFixRowCount ");
    if (!CellInRange(row, col))
        return kEmptyText;
    return values_[CellIndex(row, col)];
}

void TH2NetModel::SetValue(int row, int col, std::string text)
{
    if (col >= colsCount_)
        Report("SetValue x>=FColsCount ");
    if (row >= RowCount())
        Report("SetValue y>=FDynRows+FFixRowCount ");
    if (CellInRange(row, col))
        values_[CellIndex(row, col)] = std::move(text);
}

TColor TH2NetModel::GetCellColor(int row, int col) const
{
    return CellInRange(row, col) ? colors_[CellIndex(row, col)] : TColor::Window();
}

void TH2NetModel::SetCellColor(int row, int col, TColor color)
{
    if (CellInRange(row, col))
        colors_[CellIndex(row, col)] = color;
}

void TH2NetModel::SetMergeCount(int n)
{
    merges_.assign(static_cast<std::size_t>(std::max(n, 0)), TH2NetMerge{});
}

void TH2NetModel::SetMerge(int index, bool active, int firstCol, int firstRow, int lastCol,
                           int lastRow, std::string text, TColor color)
{
    if (index < 0 || index >= MergeCount())
        return;
    merges_[static_cast<std::size_t>(index)] =
        TH2NetMerge{active, firstCol, firstRow, lastCol, lastRow, std::move(text), color};
}

// A negative index converts to a size past any vector, so at() refuses it too.
TH2NetMerge& TH2NetModel::MergeAt(int index)
{
    return merges_.at(static_cast<std::size_t>(index));
}

const TH2NetMerge& TH2NetModel::MergeAt(int index) const
{
    return merges_.at(static_cast<std::size_t>(index));
}

int TH2NetModel::ColLeft(int col) const
{
    const int count = static_cast<int>(colWidthArr_.size());
    if (col > count)
        Report("ACol>Length(FColWidthArr)");
    int left = 1;
    for (int k = 0; k < std::min(col, count); ++k)
        left += colWidthArr_[static_cast<std::size_t>(k)] + lineWidth_;
    return left;
}

int TH2NetModel::RowTop(int row, bool scrolled) const
{
    const int t = scrolled ? topRow_ : 0;
    return 1 + (row - t) * Pitch();
}

TNetRect TH2NetModel::RectOfCell(int row, int col, bool scrolled) const
{
    if (col >= static_cast<int>(colWidthArr_.size())) {
        Report("RectOfCell ACol>Length(FColWidthArr)");
        return {};
    }
    if (col < 0)
        return {};
    TNetRect rect;
    rect.Left = ColLeft(col);
    rect.Right = rect.Left + colWidthArr_[static_cast<std::size_t>(col)];
    rect.Top = RowTop(row, scrolled);
    rect.Bottom = rect.Top + rowHeight_;
    return rect;
}

void TH2NetModel::Resize()
{
    const int available = clientHeight_ - kBottomMargin;
    const int pitch = Pitch();
    // A window shorter than its fixed rows shows no data row rather than a negative count.
    visRows_ = pitch < available ? std::max((available + pitch - 1) / pitch - fixRowCount_, 0) : 0;

    gridRect_ = {};
    if (colsCount_ > 0)
        gridRect_ = RectOfCell(0, 0, false).United(
            RectOfCell(visRows_ + fixRowCount_ - 1, colsCount_ - 1, false));

    scrollMax_ = std::max(dynRows_ - visRows_, 0);
    topRow_ = std::clamp(topRow_, 0, scrollMax_);
    if (layoutFn_)
        layoutFn_();
}

int TH2NetModel::Scroll(TScrollCmd cmd, int position)
{
    // The layout pass and every command keep FTopRow within 0 .. ScrollMax().
    const int p = topRow_;
    int next = p;
    switch (cmd) {
    case TScrollCmd::LineUp:
        next = std::max(0, p - 1);
        break;
    case TScrollCmd::LineDown:
        next = std::min(scrollMax_, p + 1);
        break;
    case TScrollCmd::PageUp:
        next = std::max(p - visRows_, 0);
        break;
    case TScrollCmd::PageDown:
        next = std::min(p + visRows_, scrollMax_);
        break;
    case TScrollCmd::ThumbPosition:
    case TScrollCmd::ThumbTrack:
        if (position >= 0)
            next = std::min(position, scrollMax_);
        break;
    case TScrollCmd::Top:
        next = 0;
        break;
    case TScrollCmd::Bottom:
        next = scrollMax_;
        break;
    }
    topRow_ = next;
    return topRow_;
}

int TH2NetModel::FirstPaintRow() const
{
    return fixRowCount_ + topRow_;
}

int TH2NetModel::EndPaintRow() const
{
    return std::max(FirstPaintRow(), std::min(FirstPaintRow() + visRows_, RowCount()));
}

} // namespace velmora
