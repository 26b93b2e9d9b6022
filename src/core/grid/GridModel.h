// The grid model of the chart control GridView: sizes, cell texts and colours, merged
// header captions. It holds no toolkit object and no pixel, so chart builders,
// velmora-cli and tests fill and read it without a window; the view lays it out
// (widgets/GridGeometry.h) and paints it.
#pragma once

#include "core/io/Message.h"

#include <cstdint>
#include <functional>
#include <string>
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
    static constexpr CellColor window() { return CellColor(kWindowValue); }

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

// One merged area of the header: a caption painted across its cells.
struct GridMerge {
    bool active = false;
    int firstCol = 0;
    int firstRow = 0;
    int lastCol = 0;
    int lastRow = 0;
    std::string text;
    CellColor color = CellColor::window();

    bool covers(int row, int col) const
    {
        return active && col >= firstCol && col <= lastCol && row >= firstRow && row <= lastRow;
    }
};

// Rows 0 .. fixRowCount()-1 are fixed header rows, the dynRows() rows below them
// are data rows; cell (row, col) is addressed by grid row and column.
class GridModel {
public:
    static constexpr CellColor kDefaultFixColor = CellColor::rgb(228, 224, 243);

    GridModel();

    // Index errors (GridErrors.h) go to this callback; without one they are dropped.
    // Either way nothing outside the arrays is touched.
    void setMessageFn(MessageFn message) { m_message = std::move(message); }
    // Called by notifyChanged: the view lays the grid out again and repaints.
    void setChangedFn(std::function<void()> changed) { m_changedFn = std::move(changed); }
    // Ends a rebuild (chart builders end with it). Setters do not call it, so that a
    // rebuild of thousands of cells is laid out once.
    void notifyChanged() const;

    // Back to the initial state (no cells, no merges, default colours); the callbacks
    // stay and no one is notified.
    void clear();
    // Sizes the grid; every text becomes empty and every colour the window colour.
    // Widths missing from `widths` count as 0; negative counts as 0. Merges stay.
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

    int fixRowCount() const { return m_fixRowCount; }
    int dynRows() const { return m_dynRows; }
    int rowCount() const { return m_fixRowCount + m_dynRows; }
    int colsCount() const { return m_colsCount; }
    CellColor fixColor() const { return m_fixColor; }
    // The column widths setGridSize gave: the least each column's interior takes in pixels.
    const std::vector<int>& givenWidths() const { return m_givenWidths; }
    int mergeCount() const { return static_cast<int>(m_merges.size()); }

private:
    bool cellInRange(int row, int col) const;
    std::size_t cellIndex(int row, int col) const;
    void report(const char* text) const;

    std::vector<GridMerge> m_merges;
    std::vector<std::string> m_values;
    std::vector<CellColor> m_colors;
    int m_fixRowCount = 0;
    CellColor m_fixColor = kDefaultFixColor;
    int m_colsCount = 0;
    int m_dynRows = 0;
    std::vector<int> m_givenWidths;
    MessageFn m_message;
    std::function<void()> m_changedFn;
};

} // namespace velmora
