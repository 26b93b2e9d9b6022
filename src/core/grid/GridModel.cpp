#include "core/grid/GridModel.h"

#include <algorithm>

namespace velmora {

namespace {

const std::string kEmptyText;

} // namespace

GridRect GridRect::united(const GridRect& other) const
{
    if (other.isEmpty())
        return *this;
    if (isEmpty())
        return other;
    return { std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
        std::max(bottom, other.bottom) };
}

GridModel::GridModel() { clear(); }

void GridModel::clear()
{
    m_fixColor = kDefaultFixColor;
    m_fixRowCount = 0;
    m_colWidthArr.clear();
    m_rowHeight = 20;
    m_lineWidth = 1;
    m_colsCount = 0;
    m_topRow = 0;
    m_visRows = 0;
    m_dynRows = 0;
    m_values.clear();
    m_colors.clear();
    m_merges.clear();
    m_givenWidths.clear();
    m_textsChanged = true;
    resize();
}

void GridModel::setGridSize(int cols, int dynRows, int fixRows, const std::vector<int>& widths)
{
    m_colsCount = std::max(cols, 0);
    m_dynRows = std::max(dynRows, 0);
    m_fixRowCount = std::max(fixRows, 0);
    const std::size_t cells = static_cast<std::size_t>(rowCount()) * static_cast<std::size_t>(m_colsCount);
    // assign() replaces every entry, so the old texts and colours cannot survive a rebuild.
    m_values.assign(cells, std::string());
    m_colors.assign(cells, CellColor::Window());
    m_colWidthArr.assign(static_cast<std::size_t>(m_colsCount), 0);
    std::copy_n(widths.begin(), std::min(widths.size(), m_colWidthArr.size()), m_colWidthArr.begin());
    for (int& width : m_colWidthArr)
        width = std::max(width, 0);
    m_givenWidths = m_colWidthArr;
    m_textsChanged = true;
}

void GridModel::setCharWidthFn(std::function<int(char32_t)> charWidth, int padding)
{
    m_charWidth = std::move(charWidth);
    m_textPadding = padding;
    m_otherWidths.clear();
    for (std::size_t c = 0; c < m_asciiWidths.size(); ++c)
        m_asciiWidths[c] = m_charWidth ? m_charWidth(static_cast<char32_t>(c)) : 0;
    m_textsChanged = true;
}

int GridModel::textWidth(std::string_view text) const
{
    if (!m_charWidth)
        return 0;
    int width = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            width += m_asciiWidths[lead];
            ++i;
            continue;
        }
        // The length and payload of a UTF-8 sequence; anything malformed is one U+FFFD.
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char32_t code = length == 4 ? lead & 0x07u : length == 3 ? lead & 0x0Fu : lead & 0x1Fu;
        bool valid = length > 1 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0u) == 0x80u;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (!valid)
            code = 0xFFFD;
        i += valid ? static_cast<std::size_t>(length) : 1;
        auto found = m_otherWidths.find(code);
        if (found == m_otherWidths.end())
            found = m_otherWidths.emplace(code, m_charWidth(code)).first;
        width += found->second;
    }
    return width;
}

void GridModel::fitColumnsToTexts()
{
    m_textsChanged = false;
    m_colWidthArr = m_givenWidths;
    m_colWidthArr.resize(static_cast<std::size_t>(m_colsCount), 0);
    if (!m_charWidth)
        return;
    const auto fit = [this](std::size_t col, const std::string& text) {
        if (!text.empty())
            m_colWidthArr[col] = std::max(m_colWidthArr[col], textWidth(text) + m_textPadding);
    };
    for (std::size_t cell = 0; cell < m_values.size(); ++cell)
        fit(cell % static_cast<std::size_t>(m_colsCount), m_values[cell]);
    for (const GridMerge& merge : m_merges) {
        if (!merge.active || merge.text.empty() || merge.firstCol < 0 || merge.lastCol < merge.firstCol
            || merge.lastCol >= m_colsCount)
            continue;
        int span = 0;
        for (int col = merge.firstCol; col <= merge.lastCol; ++col)
            span += m_colWidthArr[static_cast<std::size_t>(col)] + (col > merge.firstCol ? m_lineWidth : 0);
        const int missing = textWidth(merge.text) + m_textPadding - span;
        if (missing > 0)
            m_colWidthArr[static_cast<std::size_t>(merge.lastCol)] += missing;
    }
}

void GridModel::report(const char* text) const
{
    if (m_message)
        m_message(text);
}

bool GridModel::cellInRange(int row, int col) const
{
    return row >= 0 && col >= 0 && row < rowCount() && col < m_colsCount;
}

std::size_t GridModel::cellIndex(int row, int col) const
{
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_colsCount)
        + static_cast<std::size_t>(col);
}

const std::string& GridModel::getValue(int row, int col) const
{
    if (col >= m_colsCount)
        report("GetValue x>=FColsCount ");
    if (row >= rowCount())
        report("GetValue y>=FDynRows+FFixRowCount ");
    if (!cellInRange(row, col))
        return kEmptyText;
    return m_values[cellIndex(row, col)];
}

void GridModel::setValue(int row, int col, std::string text)
{
    if (col >= m_colsCount)
        report("SetValue x>=FColsCount ");
    if (row >= rowCount())
        report("SetValue y>=FDynRows+FFixRowCount ");
    if (cellInRange(row, col)) {
        m_values[cellIndex(row, col)] = std::move(text);
        m_textsChanged = true;
    }
}

CellColor GridModel::getCellColor(int row, int col) const
{
    return cellInRange(row, col) ? m_colors[cellIndex(row, col)] : CellColor::Window();
}

void GridModel::setCellColor(int row, int col, CellColor color)
{
    if (cellInRange(row, col))
        m_colors[cellIndex(row, col)] = color;
}

void GridModel::setMergeCount(int n)
{
    m_merges.assign(static_cast<std::size_t>(std::max(n, 0)), GridMerge {});
    m_textsChanged = true;
}

void GridModel::setMerge(int index, bool active, int firstCol, int firstRow, int lastCol, int lastRow,
    std::string text, CellColor color)
{
    if (index < 0 || index >= mergeCount())
        return;
    m_merges[static_cast<std::size_t>(index)]
        = GridMerge { active, firstCol, firstRow, lastCol, lastRow, std::move(text), color };
    m_textsChanged = true;
}

// A negative index converts to a size past any vector, so at() refuses it too.
GridMerge& GridModel::mergeAt(int index) { return m_merges.at(static_cast<std::size_t>(index)); }

const GridMerge& GridModel::mergeAt(int index) const { return m_merges.at(static_cast<std::size_t>(index)); }

int GridModel::colLeft(int col) const
{
    const int count = static_cast<int>(m_colWidthArr.size());
    if (col > count)
        report("ACol>Length(FColWidthArr)");
    int left = 1;
    for (int k = 0; k < std::min(col, count); ++k)
        left += m_colWidthArr[static_cast<std::size_t>(k)] + m_lineWidth;
    return left;
}

int GridModel::rowTop(int row, bool scrolled) const
{
    const int t = scrolled ? m_topRow : 0;
    return 1 + (row - t) * pitch();
}

GridRect GridModel::rectOfCell(int row, int col, bool scrolled) const
{
    if (col >= static_cast<int>(m_colWidthArr.size())) {
        report("RectOfCell ACol>Length(FColWidthArr)");
        return {};
    }
    if (col < 0)
        return {};
    GridRect rect;
    rect.left = colLeft(col);
    rect.right = rect.left + m_colWidthArr[static_cast<std::size_t>(col)];
    rect.top = rowTop(row, scrolled);
    rect.bottom = rect.top + m_rowHeight;
    return rect;
}

void GridModel::resize()
{
    if (m_textsChanged)
        fitColumnsToTexts();
    const int available = m_clientHeight - kBottomMargin;
    const int rowPitch = pitch();
    // A window shorter than its fixed rows shows no data row rather than a negative count.
    m_visRows = rowPitch < available ? std::max((available + rowPitch - 1) / rowPitch - m_fixRowCount, 0) : 0;

    m_gridRect = {};
    if (m_colsCount > 0)
        m_gridRect = rectOfCell(0, 0, false)
                         .united(rectOfCell(m_visRows + m_fixRowCount - 1, m_colsCount - 1, false));

    m_scrollMax = std::max(m_dynRows - m_visRows, 0);
    m_topRow = std::clamp(m_topRow, 0, m_scrollMax);
    if (m_layoutFn)
        m_layoutFn();
}

int GridModel::scroll(ScrollCommand cmd, int position)
{
    // The layout pass and every command keep FTopRow within 0 .. scrollMax().
    const int p = m_topRow;
    int next = p;
    switch (cmd) {
    case ScrollCommand::LineUp:
        next = std::max(0, p - 1);
        break;
    case ScrollCommand::LineDown:
        next = std::min(m_scrollMax, p + 1);
        break;
    case ScrollCommand::PageUp:
        next = std::max(p - m_visRows, 0);
        break;
    case ScrollCommand::PageDown:
        next = std::min(p + m_visRows, m_scrollMax);
        break;
    case ScrollCommand::ThumbPosition:
    case ScrollCommand::ThumbTrack:
        if (position >= 0)
            next = std::min(position, m_scrollMax);
        break;
    case ScrollCommand::Top:
        next = 0;
        break;
    case ScrollCommand::Bottom:
        next = m_scrollMax;
        break;
    }
    m_topRow = next;
    return m_topRow;
}

int GridModel::firstPaintRow() const { return m_fixRowCount + m_topRow; }

int GridModel::endPaintRow() const
{
    return std::max(firstPaintRow(), std::min(firstPaintRow() + m_visRows, rowCount()));
}

} // namespace velmora
