// The grid model of the chart control GridView: sizes, cell texts and colours,
// merged header captions, geometry and scroll arithmetic. It holds no toolkit
// object, so chart builders, velmora-cli and tests fill and read it without a window;
// the GridView widget only translates events into calls on it and paints what it says.
#pragma once

#include "core/io/Message.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora {

// A 24-bit RGB colour, or the window colour (the platform's standard window
// background), which in a cell means "not filled".
class CellColor {
public:
    static constexpr CellColor rgb(int red, int green, int blue)
    {
        return CellColor((static_cast<std::uint32_t>(red & 0xFF) << 16)
            | (static_cast<std::uint32_t>(green & 0xFF) << 8) | static_cast<std::uint32_t>(blue & 0xFF));
    }
    static constexpr CellColor Window() { return CellColor(kWindowValue); }

    constexpr bool isWindow() const { return m_value == kWindowValue; }
    constexpr int red() const { return static_cast<int>((m_value >> 16) & 0xFF); }
    constexpr int green() const { return static_cast<int>((m_value >> 8) & 0xFF); }
    constexpr int blue() const { return static_cast<int>(m_value & 0xFF); }

    friend constexpr bool operator==(CellColor, CellColor) = default;

private:
    // Outside the 24-bit range, so no RGB value can be mistaken for it.
    static constexpr std::uint32_t kWindowValue = 0xFF000000u;
    constexpr explicit CellColor(std::uint32_t value)
        : m_value(value)
    {
    }
    std::uint32_t m_value;
};

// A rectangle in window pixels; Right and Bottom are exclusive.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool isEmpty() const { return right <= left || bottom <= top; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    // The smallest rectangle holding both; an empty operand is ignored.
    GridRect united(const GridRect& other) const;

    friend bool operator==(const GridRect&, const GridRect&) = default;
};

// One merged area of the header: a caption painted across its cells.
struct GridMerge {
    bool active = false;
    int firstCol = 0;
    int firstRow = 0;
    int lastCol = 0;
    int lastRow = 0;
    std::string text;
    CellColor color = CellColor::Window();

    bool covers(int row, int col) const
    {
        return active && col >= firstCol && col <= lastCol && row >= firstRow && row <= lastRow;
    }
};

// Commands of the vertical scroll bar (and of the keys that stand for them).
enum class ScrollCommand { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, Top, Bottom };

// Rows 0 .. fixRowCount()-1 are fixed header rows, the dynRows() rows below them
// are data rows; cell (row, col) is addressed by grid row and column.
class GridModel {
public:
    static constexpr int kBottomMargin = 13; // pixels always kept free below the grid
    static constexpr CellColor kDefaultFixColor = CellColor::rgb(228, 224, 243);

    GridModel();

    // Index errors ("getValue x>=FColsCount " and the rest) go to this callback;
    // without one they are dropped. Either way nothing outside the arrays is touched.
    void setMessageFn(MessageFn message) { m_message = std::move(message); }
    // Called at the end of every layout pass (the widget updates its scroll bar and repaints).
    void setLayoutFn(std::function<void()> layout) { m_layoutFn = std::move(layout); }
    // The width in pixels of one character as cells are painted. With it, the layout
    // pass after a change of texts makes every column as wide as its widest text plus
    // padding (a merged caption widens the last column it covers), never narrower than
    // the width setGridSize gave. Without it (an empty function) columns keep those widths.
    void setCharWidthFn(std::function<int(char32_t)> charWidth, int padding);
    // The width of the text as the layout pass measures it (0 without a width function);
    // a malformed UTF-8 byte counts as one U+FFFD.
    int textWidth(std::string_view text) const;

    // Back to the initial state (no cells, no merges, default sizes), then a layout pass.
    void clear();
    // Sizes the grid; every text becomes empty and every colour the window colour.
    // Widths missing from `widths` count as 0; negative counts as 0. Merges, the scroll
    // position and the geometry stay; no layout pass runs (so the widths stand as given
    // until the next one fits them to the texts).
    void setGridSize(int cols, int dynRows, int fixRows, const std::vector<int>& widths);

    // Out of range: the message (column test first), then an empty text / no write.
    const std::string& getValue(int row, int col) const;
    void setValue(int row, int col, std::string text);
    // Unchecked by contract (no message); out of range reads the window colour / writes nothing.
    CellColor getCellColor(int row, int col) const;
    void setCellColor(int row, int col, CellColor color);

    // n inactive records (cells (0, 0), empty text, window colour); negative counts as 0.
    void setMergeCount(int n);
    // Fills record `index`; an index outside the records is ignored.
    void setMerge(int index, bool active, int firstCol, int firstRow, int lastCol, int lastRow,
        std::string text, CellColor color);
    // Throws std::out_of_range for an index outside the records.
    GridMerge& mergeAt(int index);
    const GridMerge& mergeAt(int index) const;
    const std::vector<GridMerge>& merges() const { return m_merges; }

    // Geometry of the cell interiors (grid lines lie just left of and above them).
    int colLeft(int col) const;
    int rowTop(int row, bool scrolled) const;
    GridRect rectOfCell(int row, int col, bool scrolled) const;

    // The layout pass: FVisRows from the client height, FGridRect, the scroll range,
    // and the scroll position pulled back into that range; then the layout callback.
    void setClientHeight(int height) { m_clientHeight = height; }
    int clientHeight() const { return m_clientHeight; }
    void resize();

    // Applies a scroll command within 0 .. scrollMax() and returns the new FTopRow.
    // `position` is the thumb's position for ThumbPosition and ThumbTrack.
    int scroll(ScrollCommand cmd, int position = 0);
    int scrollMax() const { return m_scrollMax; }

    // Grid rows (absolute indices) that a paint shows: [first, last), at most FVisRows.
    int firstPaintRow() const;
    int endPaintRow() const;

    int fixRowCount() const { return m_fixRowCount; }
    int dynRows() const { return m_dynRows; }
    int rowCount() const { return m_fixRowCount + m_dynRows; }
    int colsCount() const { return m_colsCount; }
    int topRow() const { return m_topRow; }
    int visRows() const { return m_visRows; }
    int rowHeight() const { return m_rowHeight; }
    int lineWidth() const { return m_lineWidth; }
    int pitch() const { return m_rowHeight + m_lineWidth; }
    CellColor fixColor() const { return m_fixColor; }
    const GridRect& gridRect() const { return m_gridRect; }
    const std::vector<int>& colWidths() const { return m_colWidthArr; }
    int mergeCount() const { return static_cast<int>(m_merges.size()); }

private:
    bool cellInRange(int row, int col) const;
    // Widens the columns from their given widths to hold their texts.
    void fitColumnsToTexts();
    std::size_t cellIndex(int row, int col) const;
    void report(const char* text) const;

    std::vector<GridMerge> m_merges;
    std::vector<std::string> m_values;
    std::vector<CellColor> m_colors;
    int m_topRow = 0;
    int m_visRows = 0;
    int m_fixRowCount = 0;
    CellColor m_fixColor = kDefaultFixColor;
    int m_colsCount = 0;
    int m_dynRows = 0;
    std::vector<int> m_colWidthArr;
    // The widths setGridSize gave, before any fitting to texts.
    std::vector<int> m_givenWidths;
    std::function<int(char32_t)> m_charWidth;
    int m_textPadding = 0;
    std::array<int, 128> m_asciiWidths {};
    mutable std::unordered_map<char32_t, int> m_otherWidths;
    // Texts or merges changed since the columns were last fitted.
    bool m_textsChanged = false;
    int m_rowHeight = 20;
    int m_lineWidth = 1;
    GridRect m_gridRect;
    int m_scrollMax = 0;
    int m_clientHeight = 0;
    MessageFn m_message;
    std::function<void()> m_layoutFn;
};

} // namespace velmora
