// The grid model of the chart control TH2Net: sizes, cell texts and colours,
// merged header captions, geometry and scroll arithmetic. It holds no toolkit
// object, so chart builders, velmora-cli and tests fill and read it without a window;
// the TH2Net widget only translates events into calls on it and paints what it says.
#pragma once

#include "Draw/DrawText.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

// A 24-bit RGB colour, or the window colour (the platform's standard window
// background), which in a cell means "not filled".
class TColor {
public:
    static constexpr TColor Rgb(int red, int green, int blue)
    {
        return TColor((static_cast<std::uint32_t>(red & 0xFF) << 16)
                      | (static_cast<std::uint32_t>(green & 0xFF) << 8)
                      | static_cast<std::uint32_t>(blue & 0xFF));
    }
    static constexpr TColor Window() { return TColor(kWindowValue); }

    constexpr bool IsWindow() const { return value_ == kWindowValue; }
    constexpr int Red() const { return static_cast<int>((value_ >> 16) & 0xFF); }
    constexpr int Green() const { return static_cast<int>((value_ >> 8) & 0xFF); }
    constexpr int Blue() const { return static_cast<int>(value_ & 0xFF); }

    friend constexpr bool operator==(TColor, TColor) = default;

private:
    // Outside the 24-bit range, so no RGB value can be mistaken for it.
    static constexpr std::uint32_t kWindowValue = 0xFF000000u;
    constexpr explicit TColor(std::uint32_t value) : value_(value) {}
    std::uint32_t value_;
};

// A rectangle in window pixels; Right and Bottom are exclusive.
struct TNetRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    // The smallest rectangle holding both; an empty operand is ignored.
    TNetRect United(const TNetRect& other) const;

    friend bool operator==(const TNetRect&, const TNetRect&) = default;
};

// One merged area of the header: a caption painted across its cells.
struct TH2NetMerge {
    bool Active = false;
    int FirstCol = 0;
    int FirstRow = 0;
    int LastCol = 0;
    int LastRow = 0;
    std::string Text;
    TColor Color = TColor::Window();

    bool Covers(int row, int col) const
    {
        return Active && col >= FirstCol && col <= LastCol && row >= FirstRow && row <= LastRow;
    }
};

// Commands of the vertical scroll bar (and of the keys that stand for them).
enum class TScrollCmd { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, Top, Bottom };

// Rows 0 .. FixRowCount()-1 are fixed header rows, the DynRows() rows below them
// are data rows; cell (row, col) is addressed by grid row and column.
class TH2NetModel {
public:
    static constexpr int kBottomMargin = 13; // pixels always kept free below the grid
    static constexpr TColor kDefaultFixColor = TColor::Rgb(228, 224, 243);

    TH2NetModel();

    // Index errors ("GetValue x>=FColsCount " and the rest) go to this callback;
    // without one they are dropped. Either way nothing outside the arrays is touched.
    void SetMessageFn(MessageFn message) { message_ = std::move(message); }
    // Called at the end of every layout pass (the widget updates its scroll bar and repaints).
    void SetLayoutFn(std::function<void()> layout) { layoutFn_ = std::move(layout); }

    // Back to the initial state (no cells, no merges, default sizes), then a layout pass.
    void Clear();
    // Sizes the grid; every text becomes empty and every colour the window colour.
    // Widths missing from `widths` count as 0; negative counts as 0. Merges, the scroll
    // position and the geometry stay; no layout pass runs.
    void SetGridSize(int cols, int dynRows, int fixRows, const std::vector<int>& widths);

    // Out of range: the message (column test first), then an empty text / no write.
    const std::string& GetValue(int row, int col) const;
    void SetValue(int row, int col, std::string text);
    // Unchecked by contract (no message); out of range reads the window colour / writes nothing.
    TColor GetCellColor(int row, int col) const;
    void SetCellColor(int row, int col, TColor color);

    // n inactive records (cells (0, 0), empty text, window colour); negative counts as 0.
    void SetMergeCount(int n);
    // Fills record `index`; an index outside the records is ignored.
    void SetMerge(int index, bool active, int firstCol, int firstRow, int lastCol, int lastRow,
                  std::string text, TColor color);
    // Throws std::out_of_range for an index outside the records.
    TH2NetMerge& MergeAt(int index);
    const TH2NetMerge& MergeAt(int index) const;
    const std::vector<TH2NetMerge>& Merges() const { return merges_; }

    // Geometry of the cell interiors (grid lines lie just left of and above them).
    int ColLeft(int col) const;
    int RowTop(int row, bool scrolled) const;
    TNetRect RectOfCell(int row, int col, bool scrolled) const;

    // The layout pass: FVisRows from the client height, FGridRect, the scroll range,
    // and the scroll position pulled back into that range; then the layout callback.
    void SetClientHeight(int height) { clientHeight_ = height; }
    int ClientHeight() const { return clientHeight_; }
    void Resize();

    // Applies a scroll command within 0 .. ScrollMax() and returns the new FTopRow.
    // `position` is the thumb's position for ThumbPosition and ThumbTrack.
    int Scroll(TScrollCmd cmd, int position = 0);
    int ScrollMax() const { return scrollMax_; }

    // Grid rows (absolute indices) that a paint shows: [first, last), at most FVisRows.
    int FirstPaintRow() const;
    int EndPaintRow() const;

    int FixRowCount() const { return fixRowCount_; }
    int DynRows() const { return dynRows_; }
    int RowCount() const { return fixRowCount_ + dynRows_; }
    int ColsCount() const { return colsCount_; }
    int TopRow() const { return topRow_; }
    int VisRows() const { return visRows_; }
    int RowHeight() const { return rowHeight_; }
    int LineWidth() const { return lineWidth_; }
    int Pitch() const { return rowHeight_ + lineWidth_; }
    TColor FixColor() const { return fixColor_; }
    const TNetRect& GridRect() const { return gridRect_; }
    const std::vector<int>& ColWidths() const { return colWidthArr_; }
    int MergeCount() const { return static_cast<int>(merges_.size()); }

private:
    bool CellInRange(int row, int col) const;
    std::size_t CellIndex(int row, int col) const;
    void Report(const char* text) const;

    std::vector<TH2NetMerge> merges_;
    std::vector<std::string> values_;
    std::vector<TColor> colors_;
    int topRow_ = 0;
    int visRows_ = 0;
    int fixRowCount_ = 0;
    TColor fixColor_ = kDefaultFixColor;
    int colsCount_ = 0;
    int dynRows_ = 0;
    std::vector<int> colWidthArr_;
    int rowHeight_ = 20;
    int lineWidth_ = 1;
    TNetRect gridRect_;
    int scrollMax_ = 0;
    int clientHeight_ = 0;
    MessageFn message_;
    std::function<void()> layoutFn_;
};

} // namespace velmora
