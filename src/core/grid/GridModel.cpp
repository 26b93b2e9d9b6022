#include "core/grid/GridModel.h"

#include "core/grid/GridErrors.h"

#include <algorithm>

namespace velmora {

namespace {

const std::string kEmptyText;

} // namespace

GridModel::GridModel() { clear(); }

void GridModel::clear()
{
    m_fixColor = kDefaultFixColor;
    m_fixRowCount = 0;
    m_colsCount = 0;
    m_dynRows = 0;
    m_values.clear();
    m_colors.clear();
    m_merges.clear();
    m_givenWidths.clear();
}

void GridModel::notifyChanged() const
{
    if (m_changedFn)
        m_changedFn();
}

void GridModel::setGridSize(int cols, int dynRows, int fixRows, const std::vector<int>& widths)
{
    m_colsCount = std::max(cols, 0);
    m_dynRows = std::max(dynRows, 0);
    m_fixRowCount = std::max(fixRows, 0);
    const std::size_t cells = static_cast<std::size_t>(rowCount()) * static_cast<std::size_t>(m_colsCount);
    // assign() replaces every entry, so the old texts and colours cannot survive a rebuild.
    m_values.assign(cells, std::string());
    m_colors.assign(cells, CellColor::window());
    m_givenWidths.assign(static_cast<std::size_t>(m_colsCount), 0);
    std::copy_n(widths.begin(), std::min(widths.size(), m_givenWidths.size()), m_givenWidths.begin());
    for (int& width : m_givenWidths)
        width = std::max(width, 0);
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
        report(kGetValueColumnError);
    if (row >= rowCount())
        report(kGetValueRowError);
    if (!cellInRange(row, col))
        return kEmptyText;
    return m_values[cellIndex(row, col)];
}

void GridModel::setValue(int row, int col, std::string text)
{
    if (col >= m_colsCount)
        report(kSetValueColumnError);
    if (row >= rowCount())
        report(kSetValueRowError);
    if (cellInRange(row, col))
        m_values[cellIndex(row, col)] = std::move(text);
}

CellColor GridModel::getCellColor(int row, int col) const
{
    return cellInRange(row, col) ? m_colors[cellIndex(row, col)] : CellColor::window();
}

void GridModel::setCellColor(int row, int col, CellColor color)
{
    if (cellInRange(row, col))
        m_colors[cellIndex(row, col)] = color;
}

void GridModel::setMergeCount(int n)
{
    m_merges.assign(static_cast<std::size_t>(std::max(n, 0)), GridMerge {});
}

void GridModel::setMerge(int index, bool active, int firstCol, int firstRow, int lastCol, int lastRow,
    std::string text, CellColor color)
{
    if (index < 0 || index >= mergeCount())
        return;
    m_merges[static_cast<std::size_t>(index)]
        = GridMerge { active, firstCol, firstRow, lastCol, lastRow, std::move(text), color };
}

// A negative index converts to a size past any vector, so at() refuses it too.
GridMerge& GridModel::mergeAt(int index) { return m_merges.at(static_cast<std::size_t>(index)); }

const GridMerge& GridModel::mergeAt(int index) const { return m_merges.at(static_cast<std::size_t>(index)); }

} // namespace velmora
