#include "widgets/GridGeometry.h"

#include "core/grid/GridErrors.h"
#include "core/io/Utf8.h"

#include <algorithm>

namespace velmora {

GridRect GridRect::united(const GridRect& other) const
{
    if (other.isEmpty())
        return *this;
    if (isEmpty())
        return other;
    return { std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
        std::max(bottom, other.bottom) };
}

void GridGeometry::report(const char* text) const
{
    if (m_message)
        m_message(text);
}

void GridGeometry::setCharWidthFn(std::function<int(char32_t)> charWidth, int padding)
{
    m_charWidth = std::move(charWidth);
    m_textPadding = padding;
    m_otherWidths.clear();
    for (std::size_t c = 0; c < m_asciiWidths.size(); ++c)
        m_asciiWidths[c] = m_charWidth ? m_charWidth(static_cast<char32_t>(c)) : 0;
}

int GridGeometry::textWidth(std::string_view text) const
{
    if (!m_charWidth)
        return 0;
    // Most cells are digits: ASCII needs no decoding.
    int width = 0;
    std::size_t ascii = 0;
    for (; ascii < text.size() && static_cast<unsigned char>(text[ascii]) < m_asciiWidths.size(); ++ascii)
        width += m_asciiWidths[static_cast<unsigned char>(text[ascii])];
    if (ascii == text.size())
        return width;
    forEachUtf8Char(text.substr(ascii), [this, &width](const Utf8Char& c) {
        if (c.code < m_asciiWidths.size()) {
            width += m_asciiWidths[c.code];
            return;
        }
        auto found = m_otherWidths.find(c.code);
        if (found == m_otherWidths.end())
            found = m_otherWidths.emplace(c.code, m_charWidth(c.code)).first;
        width += found->second;
    });
    return width;
}

void GridGeometry::fitColumnsToTexts(const GridModel& model)
{
    m_colWidths = model.givenWidths();
    if (!m_charWidth || m_colWidths.empty())
        return;
    const std::size_t cols = m_colWidths.size();
    for (int row = 0; row < model.rowCount(); ++row)
        for (std::size_t col = 0; col < cols; ++col) {
            const std::string& text = model.getValue(row, static_cast<int>(col));
            if (!text.empty())
                m_colWidths[col] = std::max(m_colWidths[col], textWidth(text) + m_textPadding);
        }
    for (const GridMerge& merge : model.merges()) {
        if (!merge.active || merge.text.empty() || merge.firstCol < 0 || merge.lastCol < merge.firstCol
            || merge.lastCol >= colCount())
            continue;
        int span = 0;
        for (int col = merge.firstCol; col <= merge.lastCol; ++col)
            span += m_colWidths[static_cast<std::size_t>(col)] + (col > merge.firstCol ? kLineWidth : 0);
        const int missing = textWidth(merge.text) + m_textPadding - span;
        if (missing > 0)
            m_colWidths[static_cast<std::size_t>(merge.lastCol)] += missing;
    }
}

void GridGeometry::layOut(const GridModel& model)
{
    m_fixRows = model.fixRowCount();
    m_dynRows = model.dynRows();
    fitColumnsToTexts(model);
    layOutRows();
}

void GridGeometry::setClientHeight(int height)
{
    m_clientHeight = height;
    layOutRows();
}

void GridGeometry::layOutRows()
{
    const int available = m_clientHeight - kBottomMargin;
    const int rowPitch = pitch();
    // A window shorter than its fixed rows shows no data row rather than a negative count.
    m_visRows = rowPitch < available ? std::max((available + rowPitch - 1) / rowPitch - m_fixRows, 0) : 0;

    m_gridRect = {};
    if (colCount() > 0)
        m_gridRect
            = rectOfCell(0, 0, false).united(rectOfCell(m_visRows + m_fixRows - 1, colCount() - 1, false));

    m_scrollMax = std::max(m_dynRows - m_visRows, 0);
    m_topRow = std::clamp(m_topRow, 0, m_scrollMax);
}

int GridGeometry::scroll(ScrollCommand cmd, int position)
{
    // The layout pass and every command keep topRow() within 0 .. scrollMax().
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

int GridGeometry::colLeft(int col) const
{
    if (col > colCount())
        report(kColLeftColumnError);
    int left = 1;
    for (int k = 0; k < std::min(col, colCount()); ++k)
        left += m_colWidths[static_cast<std::size_t>(k)] + kLineWidth;
    return left;
}

int GridGeometry::rowTop(int row, bool scrolled) const
{
    const int top = scrolled ? m_topRow : 0;
    return 1 + (row - top) * pitch();
}

GridRect GridGeometry::rectOfCell(int row, int col, bool scrolled) const
{
    if (col >= colCount()) {
        report(kRectOfCellColumnError);
        return {};
    }
    if (col < 0)
        return {};
    GridRect rect;
    rect.left = colLeft(col);
    rect.right = rect.left + m_colWidths[static_cast<std::size_t>(col)];
    rect.top = rowTop(row, scrolled);
    rect.bottom = rect.top + kRowHeight;
    return rect;
}

int GridGeometry::endPaintRow() const
{
    return std::max(firstPaintRow(), std::min(firstPaintRow() + m_visRows, m_fixRows + m_dynRows));
}

} // namespace velmora
