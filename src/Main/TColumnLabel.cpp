#include "Main/TColumnLabel.h"

#include <QEvent>
#include <QPainter>
#include <QRegularExpression>

namespace velmora {

TColumnLabel::TColumnLabel(QWidget* parent)
    : QWidget(parent)
{
}

void TColumnLabel::setText(const QString& text)
{
    if (text == FText)
        return;
    FText = text;
    static const QRegularExpression kGap(QStringLiteral(" {2,}"));
    FPieces = text.trimmed().split(kGap, Qt::SkipEmptyParts);
    updateGeometry();
    update();
}

void TColumnLabel::SetStops(const QVector<Stop>& stops)
{
    if (stops == FStops)
        return;
    FStops = stops;
    updateGeometry();
    update();
}

QRect TColumnLabel::PieceRect(int index) const
{
    if (index < 0 || index >= FPieces.size())
        return {};
    const QFontMetrics metrics = fontMetrics();
    const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
    int left = 0;
    int width = 0;
    for (int i = 0; i <= index; ++i) {
        const int previousEnd = left + width;
        width = metrics.horizontalAdvance(FPieces[i]);
        if (i < FStops.size())
            left = FStops[i].AlignRight ? FStops[i].X - width : FStops[i].X;
        else
            left = i == 0 ? 0 : previousEnd + blank;
    }
    return QRect(left, 0, width, height());
}

QSize TColumnLabel::sizeHint() const
{
    const QRect last = PieceRect(static_cast<int>(FPieces.size()) - 1);
    return QSize(last.isValid() ? last.right() + 1 : 0, fontMetrics().height());
}

void TColumnLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    // Centre the glyphs of the line (not its leading) in the label's height, so a
    // label as high as the controls beside it lines up with their texts.
    const QRect glyphs = fontMetrics().tightBoundingRect(QStringLiteral("中"));
    const int baseline = (height() - glyphs.height()) / 2 - glyphs.top();
    for (int i = 0; i < FPieces.size(); ++i)
        painter.drawText(PieceRect(i).left(), baseline, FPieces[i]);
}

void TColumnLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

} // namespace velmora
