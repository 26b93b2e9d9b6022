// The build skeleton all six charts share; a chart is a TChartLayout (its columns,
// header and totals texts as data) plus one function that fills a draw row.
#pragma once

#include "Draw/DrawRecord.h"
#include "Draw/DrawText.h"
#include "H2Net/H2NetModel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::charts {

inline constexpr TColor kTotalsGrey = TColor::Rgb(128, 128, 128);

// How a column's total is written in the totals row.
enum class TTotalText : std::uint8_t {
    Empty,      // nothing
    Decimal,    // the total in decimal, 0 as "0"
    IfPositive, // the total in decimal when above 0, else nothing
};

struct TMergeArea {
    const char* Caption;
    int FirstCol;
    int LastCol;
    bool BothRows; // covers rows 0 and 1, otherwise row 0 only
};

struct TSubHeader {
    int Col;
    std::string Text;
};

// Writes one draw row of the grid and gathers the column totals.
class TChartRow {
public:
    TChartRow(TH2NetModel& net, std::vector<long long>& totals, int row)
        : net_(net), totals_(totals), row_(row)
    {
    }
    void Text(int col, std::string text) { net_.SetValue(row_, col, std::move(text)); }
    void Color(int col, TColor color) { net_.SetCellColor(row_, col, color); }
    // Colours columns first..last (inclusive).
    void Fill(int first, int last, TColor color);
    // A column outside the grid has no total (the model has already reported it).
    void Add(int col, long long amount)
    {
        if (col >= 0 && static_cast<std::size_t>(col) < totals_.size())
            totals_[static_cast<std::size_t>(col)] += amount;
    }
    // Writes a count in decimal and adds it to the column's total.
    void Count(int col, int value);
    // The cell of the value drawn: its text and colour, and one more for its total.
    void Mark(int col, std::string text, TColor color);

private:
    TH2NetModel& net_;
    std::vector<long long>& totals_;
    int row_;
};

struct TChartLayout {
    std::vector<int> Widths;
    std::vector<TSubHeader> SubHeaders; // row 1
    std::vector<TMergeArea> Merges;     // in index order
    std::vector<TTotalText> Totals;     // one per column; column 0 is always "合计"
    void (*FillRow)(TChartRow& row, int code) = nullptr;
};

// Columns 0 to 3 every chart starts with: the issue under "期号" (both header
// rows) and the three digits under `codeCaption` with the sub-headers "百", "十", "个".
TChartLayout StartLayout(const char* codeCaption);
// Appends `count` copies of `width`.
void AppendWidths(std::vector<int>& widths, int count, int width);
// Sub-headers "0", "1", ... at columns first, first + 1, ...
void AppendDigitHeaders(std::vector<TSubHeader>& headers, int first, int count);
// Sets the total style of columns first..last (inclusive), growing the list as needed.
void SetTotals(std::vector<TTotalText>& totals, int first, int last, TTotalText style);

// Runs the skeleton; see Charts.h for the contract.
int BuildChart(const TChartLayout& chart, TH2NetModel& net, const TCodeRecArr& history, int n,
               const MessageFn& message);

} // namespace velmora::charts
