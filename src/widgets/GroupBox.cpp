#include "widgets/GroupBox.h"

#include <QPainter>

namespace velmora {

namespace {

constexpr int kTitleLeft = 8;
constexpr int kTitlePadding = 2;

} // namespace

GroupBox::GroupBox(const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
{
}

int GroupBox::frameTop() const { return fontMetrics().height() / 2; }

void GroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int top = frameTop();
    const int right = width() - 1;
    const int bottom = height() - 1;
    const int gapLeft = kTitleLeft - kTitlePadding;
    const int gapRight = kTitleLeft + metrics.horizontalAdvance(title()) + kTitlePadding;

    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, top, gapLeft, top);
    painter.drawLine(gapRight, top, right, top);
    painter.drawLine(0, top, 0, bottom);
    painter.drawLine(right, top, right, bottom);
    painter.drawLine(0, bottom, right, bottom);

    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(kTitleLeft, metrics.ascent(), title());
}

} // namespace velmora
