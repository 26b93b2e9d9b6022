#include "H2Net/TH2Net.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

using velmora::TColor;
using velmora::TNetRect;
using velmora::TScrollCmd;

namespace {

QColor ToQColor(TColor color)
{
    return QColor(color.Red(), color.Green(), color.Blue());
}

QRect ToQRect(const TNetRect& rect)
{
    return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

} // namespace

TH2Net::TH2Net(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Every paint fills its whole area itself, so Qt need not clear the viewport first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(1);
    model_.SetMessageFn(
        [this](const std::string& text) { emit MessageRaised(QString::fromStdString(text)); });
    model_.SetLayoutFn([this] { OnLayout(); });
    model_.Clear();
}

void TH2Net::OnLayout()
{
    QScrollBar* bar = verticalScrollBar();
    syncingBar_ = true;
    bar->setRange(0, model_.ScrollMax());
    bar->setPageStep(std::max(model_.VisRows(), 1));
    bar->setValue(model_.TopRow());
    syncingBar_ = false;
    viewport()->update();
}

void TH2Net::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const int height = viewport()->height();
    if (height == model_.ClientHeight())
        return;
    model_.SetClientHeight(height);
    model_.Resize();
}

void TH2Net::scrollContentsBy(int, int)
{
    // The bar moved (drag, click, wheel): its value is the thumb position command.
    if (syncingBar_)
        return;
    model_.Scroll(TScrollCmd::ThumbPosition, verticalScrollBar()->value());
    viewport()->update();
    setFocus();
}

void TH2Net::ScrollBy(TScrollCmd cmd)
{
    const int top = model_.Scroll(cmd);
    syncingBar_ = true;
    verticalScrollBar()->setValue(top);
    syncingBar_ = false;
    viewport()->update();
    setFocus();
}

void TH2Net::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        ScrollBy(TScrollCmd::LineUp);
        break;
    case Qt::Key_Down:
        ScrollBy(TScrollCmd::LineDown);
        break;
    case Qt::Key_PageUp:
        ScrollBy(TScrollCmd::PageUp);
        break;
    case Qt::Key_PageDown:
        ScrollBy(TScrollCmd::PageDown);
        break;
    case Qt::Key_Home:
        ScrollBy(TScrollCmd::Top);
        break;
    case Qt::Key_End:
        ScrollBy(TScrollCmd::Bottom);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TH2Net::DrawCellText(QPainter& painter, const TNetRect& rect, const std::string& text)
{
    const QString qtext = QString::fromStdString(text);
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = (rect.Left + rect.Right - metrics.horizontalAdvance(qtext)) / 2;
    const int y = (rect.Top + rect.Bottom - metrics.height()) / 2;
    painter.drawText(x, y + metrics.ascent(), qtext);
}

void TH2Net::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    // The window colour: the background of the platform's content areas.
    const QColor windowColor = palette().color(QPalette::Base);
    painter.fillRect(event->rect(), windowColor);
    paintedDataRows_ = 0;
    const velmora::TH2NetModel& m = model_;
    if (m.ColsCount() <= 0 || m.DynRows() <= 0)
        return;

    QFont font = this->font();
    font.setBold(true);
    font.setPointSize(11);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, m.LineWidth()));
    painter.setBackgroundMode(Qt::TransparentMode);

    const int lineWidth = m.LineWidth();
    const TNetRect& grid = m.GridRect();
    for (int i = 0; i <= m.VisRows() + m.FixRowCount(); ++i) {
        const int y = m.RowTop(i, false) - lineWidth;
        painter.drawLine(0, y, grid.Right + lineWidth, y);
    }
    for (int j = 0; j <= m.ColsCount(); ++j) {
        const int x = m.ColLeft(j) - lineWidth;
        painter.drawLine(x, 0, x, grid.Bottom + lineWidth);
    }

    // Lines are black; texts take the font's colour, the window-text colour.
    painter.setPen(palette().color(QPalette::WindowText));
    const QColor fixColor = ToQColor(m.FixColor());
    for (int c = 0; c < m.ColsCount(); ++c) {
        for (int r = 0; r < m.FixRowCount(); ++r) {
            const TNetRect rect = m.RectOfCell(r, c, false);
            painter.fillRect(ToQRect(rect), fixColor);
            DrawCellText(painter, rect, m.GetValue(r, c));
        }
    }

    for (int r = m.FirstPaintRow(); r < m.EndPaintRow(); ++r) {
        for (int c = 0; c < m.ColsCount(); ++c) {
            const TNetRect rect = m.RectOfCell(r, c, true);
            const TColor color = m.GetCellColor(r, c);
            if (!color.IsWindow())
                painter.fillRect(ToQRect(rect), ToQColor(color));
            const std::string& text = m.GetValue(r, c);
            if (!text.empty())
                DrawCellText(painter, rect, text);
        }
        ++paintedDataRows_;
    }

    for (const velmora::TH2NetMerge& merge : m.Merges()) {
        if (!merge.Active)
            continue;
        const TNetRect area = m.RectOfCell(merge.FirstRow, merge.FirstCol, false)
                                  .United(m.RectOfCell(merge.LastRow, merge.LastCol, false));
        painter.fillRect(ToQRect(area), merge.Color.IsWindow() ? windowColor : ToQColor(merge.Color));
        DrawCellText(painter, area, merge.Text);
    }
}
