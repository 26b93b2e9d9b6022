#include "widgets/GridView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

using velmora::CellColor;
using velmora::GridRect;
using velmora::ScrollCommand;

namespace {

QColor toQColor(CellColor color) { return QColor(color.red(), color.green(), color.blue()); }

QRect toQRect(const GridRect& rect) { return QRect(rect.left, rect.top, rect.width(), rect.height()); }

// Room on each side of the widest text in a column.
constexpr int kCellTextPadding = 4;
constexpr int kHorizontalStep = 20;

// Text on a light fill is drawn black whatever the palette, so that it stays readable.
bool isLightFill(CellColor color)
{
    return color.red() * 299 + color.green() * 587 + color.blue() * 114 >= 160 * 1000;
}

} // namespace

GridView::GridView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setSingleStep(kHorizontalStep);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Every paint fills its whole area itself, so Qt need not clear the viewport first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(1);
    const auto raise = [this](const std::string& text) { emit messageRaised(QString::fromStdString(text)); };
    m_model.setMessageFn(raise);
    m_geometry.setMessageFn(raise);
    m_model.setChangedFn([this] { layOut(); });
    measureCellFont();
    layOut();
}

QFont GridView::cellFont() const
{
    QFont font = this->font();
    font.setBold(true);
    font.setPointSize(11);
    return font;
}

void GridView::measureCellFont()
{
    m_geometry.setCharWidthFn([metrics = QFontMetrics(cellFont())](
                                  char32_t c) { return metrics.horizontalAdvance(QString::fromUcs4(&c, 1)); },
        2 * kCellTextPadding);
}

void GridView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measureCellFont();
        layOut();
    }
}

void GridView::updateHorizontalRange()
{
    QScrollBar* bar = horizontalScrollBar();
    const int width = viewport()->width();
    bar->setRange(0, std::max(m_geometry.gridRect().right + m_geometry.lineWidth() - width, 0));
    bar->setPageStep(std::max(width, 1));
}

void GridView::layOut()
{
    m_geometry.layOut(m_model);
    onLayout();
}

void GridView::onLayout()
{
    QScrollBar* bar = verticalScrollBar();
    m_syncingBar = true;
    bar->setRange(0, m_geometry.scrollMax());
    bar->setPageStep(std::max(m_geometry.visRows(), 1));
    bar->setValue(m_geometry.topRow());
    m_syncingBar = false;
    updateHorizontalRange();
    viewport()->update();
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateHorizontalRange();
    const int height = viewport()->height();
    if (height == m_geometry.clientHeight())
        return;
    m_geometry.setClientHeight(height);
    onLayout();
}

void GridView::scrollContentsBy(int dx, int dy)
{
    // The paint reads the sideways position from its bar.
    if (dx != 0)
        viewport()->update();
    // The vertical bar moved (drag, click, wheel): its value is the thumb position command.
    if (m_syncingBar || dy == 0)
        return;
    m_geometry.scroll(ScrollCommand::ThumbPosition, verticalScrollBar()->value());
    viewport()->update();
    setFocus();
}

void GridView::scrollBy(ScrollCommand cmd)
{
    const int top = m_geometry.scroll(cmd);
    m_syncingBar = true;
    verticalScrollBar()->setValue(top);
    m_syncingBar = false;
    viewport()->update();
    setFocus();
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        scrollBy(ScrollCommand::LineUp);
        break;
    case Qt::Key_Down:
        scrollBy(ScrollCommand::LineDown);
        break;
    case Qt::Key_PageUp:
        scrollBy(ScrollCommand::PageUp);
        break;
    case Qt::Key_PageDown:
        scrollBy(ScrollCommand::PageDown);
        break;
    case Qt::Key_Home:
        scrollBy(ScrollCommand::Top);
        break;
    case Qt::Key_End:
        scrollBy(ScrollCommand::Bottom);
        break;
    case Qt::Key_Left:
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void GridView::drawCellText(QPainter& painter, const GridRect& rect, const std::string& text)
{
    const QString qtext = QString::fromStdString(text);
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = (rect.left + rect.right - metrics.horizontalAdvance(qtext)) / 2;
    const int y = (rect.top + rect.bottom - metrics.height()) / 2;
    painter.drawText(x, y + metrics.ascent(), qtext);
}

void GridView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    // The window colour: the background of the platform's content areas.
    const QColor windowColor = palette().color(QPalette::Base);
    painter.fillRect(event->rect(), windowColor);
    m_paintedDataRows = 0;
    const velmora::GridModel& m = m_model;
    const velmora::GridGeometry& g = m_geometry;
    if (m.colsCount() <= 0 || m.dynRows() <= 0)
        return;

    painter.setFont(cellFont());
    // Everything below is in grid coordinates, moved by the sideways scroll.
    painter.translate(-horizontalScrollBar()->value(), 0);
    // Black lines on a light window; on a dark one, grey lines that stay in sight.
    const QColor lineColor = windowColor.lightness() < 128 ? QColor(128, 128, 128) : QColor(Qt::black);
    painter.setPen(QPen(lineColor, g.lineWidth()));
    painter.setBackgroundMode(Qt::TransparentMode);

    const int lineWidth = g.lineWidth();
    const GridRect& grid = g.gridRect();
    for (int i = 0; i <= g.visRows() + m.fixRowCount(); ++i) {
        const int y = g.rowTop(i, false) - lineWidth;
        painter.drawLine(0, y, grid.right + lineWidth, y);
    }
    for (int j = 0; j <= m.colsCount(); ++j) {
        const int x = g.colLeft(j) - lineWidth;
        painter.drawLine(x, 0, x, grid.bottom + lineWidth);
    }

    // Lines are black; texts take the font's colour, the window-text colour, except
    // on light fills (see textPen).
    const QColor textColor = palette().color(QPalette::WindowText);
    const auto textPen = [&textColor](CellColor fill) {
        return !fill.isWindow() && isLightFill(fill) ? QColor(Qt::black) : textColor;
    };
    painter.setPen(textPen(m.fixColor()));
    const QColor fixColor = toQColor(m.fixColor());
    for (int c = 0; c < m.colsCount(); ++c) {
        for (int r = 0; r < m.fixRowCount(); ++r) {
            const GridRect rect = g.rectOfCell(r, c, false);
            painter.fillRect(toQRect(rect), fixColor);
            drawCellText(painter, rect, m.getValue(r, c));
        }
    }

    for (int r = g.firstPaintRow(); r < g.endPaintRow(); ++r) {
        for (int c = 0; c < m.colsCount(); ++c) {
            const GridRect rect = g.rectOfCell(r, c, true);
            const CellColor color = m.getCellColor(r, c);
            if (!color.isWindow())
                painter.fillRect(toQRect(rect), toQColor(color));
            const std::string& text = m.getValue(r, c);
            if (!text.empty()) {
                painter.setPen(textPen(color));
                drawCellText(painter, rect, text);
            }
        }
        ++m_paintedDataRows;
    }

    for (const velmora::GridMerge& merge : m.merges()) {
        if (!merge.active)
            continue;
        const GridRect area = g.rectOfCell(merge.firstRow, merge.firstCol, false)
                                  .united(g.rectOfCell(merge.lastRow, merge.lastCol, false));
        painter.fillRect(toQRect(area), merge.color.isWindow() ? windowColor : toQColor(merge.color));
        painter.setPen(textPen(merge.color));
        drawCellText(painter, area, merge.text);
    }
}
