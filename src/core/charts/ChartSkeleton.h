// The build skeleton all six charts share; a chart is a ChartLayout (its columns,
// header and totals texts as data) plus one function that fills a draw row.
#pragma once

#include "core/draw/DrawRecord.h"
#include "core/draw/DrawText.h"
#include "core/grid/GridModel.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace velmora::charts {

// A light grey under the window-text colour, so that the totals stay readable.
inline constexpr CellColor kTotalsGrey = CellColor::rgb(216, 216, 216);

// How a column's total is written in the totals row.
enum class TotalText : std::uint8_t {
    Empty, // nothing
    Decimal, // the total in decimal, 0 as "0"
    IfPositive, // the total in decimal when above 0, else nothing
};

struct MergeArea {
    const char* caption;
    int firstCol;
    int lastCol;
    bool bothRows; // covers rows 0 and 1, otherwise row 0 only
};

struct SubHeader {
    int col;
    std::string text;
};

// What a chart writes into one draw row, in the order written.
struct RowCells {
    std::vector<std::pair<int, std::string>> texts;
    std::vector<std::pair<int, CellColor>> colors;
    std::vector<std::pair<int, long long>> amounts; // added to the column totals
};

// Takes down what a chart writes into one draw row; the skeleton then writes it into
// the grid and the column totals. A row depends on the draw code alone, so what is
// taken down for a code serves every draw of it.
class ChartRow {
public:
    explicit ChartRow(RowCells& cells)
        : m_cells(cells)
    {
    }

    void setText(int col, std::string text) { m_cells.texts.emplace_back(col, std::move(text)); }
    void setColor(int col, CellColor color) { m_cells.colors.emplace_back(col, color); }
    // Colours columns first..last (inclusive).
    void fill(int first, int last, CellColor color);
    void add(int col, long long amount) { m_cells.amounts.emplace_back(col, amount); }
    // Writes a count in decimal and adds it to the column's total.
    void count(int col, int value);
    // The cell of the value drawn: its text and colour, and one more for its total.
    void mark(int col, std::string text, CellColor color);

private:
    RowCells& m_cells;
};

struct ChartLayout {
    std::vector<int> widths;
    std::vector<SubHeader> subHeaders; // row 1
    std::vector<MergeArea> merges; // in index order
    std::vector<TotalText> totals; // one per column; column 0 is always "合计"
    void (*fillRow)(ChartRow& row, int code) = nullptr;
};

// Columns 0 to 3 every chart starts with: the issue under "期号" (both header
// rows) and the three digits under `codeCaption` with the sub-headers "百", "十", "个".
ChartLayout startLayout(const char* codeCaption);
// Appends `count` copies of `width`.
void appendWidths(std::vector<int>& widths, int count, int width);
// Sub-headers "0", "1", ... at columns first, first + 1, ...
void appendDigitHeaders(std::vector<SubHeader>& headers, int first, int count);
// Sets the total style of columns first..last (inclusive), growing the list as needed.
void setTotals(std::vector<TotalText>& totals, int first, int last, TotalText style);

// The value a chart page's spin edit holds after building n draws: history.size(),
// with kTooManyDrawsMessage to `message`, when n is more; n otherwise.
int checkDrawCount(const DrawHistory& history, int n, const MessageFn& message);

// Runs the skeleton; see Charts.h for the contract.
int buildChart(
    const ChartLayout& chart, GridModel& grid, const DrawHistory& history, int n, const MessageFn& message);

} // namespace velmora::charts
