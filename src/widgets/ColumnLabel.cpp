#include "widgets/ColumnLabel.h"

#include <QEvent>
#include <QPainter>
#include <QRegularExpression>

namespace velmora {

ColumnLabel::ColumnLabel(QWidget* parent)
    : QWidget(parent)
{
}

void ColumnLabel::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    static const QRegularExpression kGap(QStringLiteral(" {2,}"));
    m_pieces = text.trimmed().split(kGap, Qt::SkipEmptyParts);
    updateGeometry();
    update();
}

void ColumnLabel::setStops(const QVector<Stop>& stops)
{
    if (stops == m_stops)
        return;
    m_stops = stops;
    updateGeometry();
    update();
}

QRect ColumnLabel::pieceRect(int index) const
{
    if (index < 0 || index >= m_pieces.size())
        return {};
    const QFontMetrics metrics = fontMetrics();
    const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
    int left = 0;
    int width = 0;
    for (int i = 0; i <= index; ++i) {
        const int previousEnd = left + width;
        width = metrics.horizontalAdvance(m_pieces[i]);
        if (i < m_stops.size())
            left = m_stops[i].alignRight ? m_stops[i].x - width : m_stops[i].x;
        else
            left = i == 0 ? 0 : previousEnd + blank;
    }
    return QRect(left, 0, width, height());
}

QSize ColumnLabel::sizeHint() const
{
    const QRect last = pieceRect(static_cast<int>(m_pieces.size()) - 1);
    return QSize(last.isValid() ? last.right() + 1 : 0, fontMetrics().height());
}

void ColumnLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    // Centre the glyphs of the line (not its leading) in the label's height, so a
    // label as high as the controls beside it lines up with their texts.
    const QRect glyphs = fontMetrics().tightBoundingRect(QStringLiteral("中"));
    const int baseline = (height() - glyphs.height()) / 2 - glyphs.top();
    for (int i = 0; i < m_pieces.size(); ++i)
        painter.drawText(pieceRect(i).left(), baseline, m_pieces[i]);
}

void ColumnLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

} // namespace velmora
