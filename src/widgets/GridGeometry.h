// Where the cells of a GridModel lie in a grid view's viewport, in pixels, and which
// data rows a vertical scroll position shows. Plain arithmetic without toolkit types,
// so its tests need no QApplication: GridView owns one beside its model, gives it the
// viewport height and the cell font's character widths, and paints where it says.
#pragma once

#include "core/grid/GridModel.h"

#include <array>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora {

// A rectangle in viewport pixels; right and bottom are exclusive.
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

// Commands of the vertical scroll bar (and of the keys that stand for them).
enum class ScrollCommand { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, Top, Bottom };

// Rows are grid rows of the model (fixed rows first); a `scrolled` row is placed as the
// data rows are, moved up by topRow(), a row that is not as the fixed rows are.
class GridGeometry {
public:
    static constexpr int kBottomMargin = 13; // pixels always kept free below the grid
    static constexpr int kRowHeight = 20;
    static constexpr int kLineWidth = 1;

    // Index errors (GridErrors.h) go to this callback; without one they are dropped.
    void setMessageFn(MessageFn message) { m_message = std::move(message); }
    // The width in pixels of one character as cells are painted. With it, layOut makes
    // every column as wide as its widest text plus padding (a merged caption widens the
    // last column it covers), never narrower than the model's given width. Without it
    // (an empty function) columns keep those widths. Takes effect at the next layOut.
    void setCharWidthFn(std::function<int(char32_t)> charWidth, int padding);
    // The width of the text as layOut measures it (0 without a width function).
    int textWidth(std::string_view text) const;

    // The layout pass after the model changed: its sizes, its given widths widened to
    // its texts, then the rows for the client height (see setClientHeight).
    void layOut(const GridModel& model);
    // The rows for a new viewport height: the visible data rows, gridRect(), the scroll
    // range, and the scroll position pulled back into it.
    void setClientHeight(int height);
    int clientHeight() const { return m_clientHeight; }

    // Applies a scroll command within 0 .. scrollMax() and returns the new topRow().
    // `position` is the thumb's position for ThumbPosition and ThumbTrack.
    int scroll(ScrollCommand cmd, int position = 0);

    // Geometry of the cell interiors (grid lines lie just left of and above them).
    // colLeft(colCount()) is one line width past the last interior.
    int colLeft(int col) const;
    int rowTop(int row, bool scrolled) const;
    GridRect rectOfCell(int row, int col, bool scrolled) const;

    // Grid rows that a paint shows: [first, end), at most visRows().
    int firstPaintRow() const { return m_fixRows + m_topRow; }
    int endPaintRow() const;

    int colCount() const { return static_cast<int>(m_colWidths.size()); }
    const std::vector<int>& colWidths() const { return m_colWidths; }
    int topRow() const { return m_topRow; }
    int visRows() const { return m_visRows; }
    int scrollMax() const { return m_scrollMax; }
    // All columns, the fixed rows and the visible data rows (empty without columns).
    const GridRect& gridRect() const { return m_gridRect; }
    int rowHeight() const { return kRowHeight; }
    int lineWidth() const { return kLineWidth; }
    int pitch() const { return kRowHeight + kLineWidth; }

private:
    void fitColumnsToTexts(const GridModel& model);
    void layOutRows();
    void report(const char* text) const;

    // The model's sizes at the last layOut.
    int m_fixRows = 0;
    int m_dynRows = 0;
    std::vector<int> m_colWidths;
    std::function<int(char32_t)> m_charWidth;
    int m_textPadding = 0;
    std::array<int, 128> m_asciiWidths {};
    mutable std::unordered_map<char32_t, int> m_otherWidths;
    int m_clientHeight = 0;
    int m_topRow = 0;
    int m_visRows = 0;
    int m_scrollMax = 0;
    GridRect m_gridRect;
    MessageFn m_message;
};

} // namespace velmora
