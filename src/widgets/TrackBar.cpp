#include "widgets/TrackBar.h"

#include <QMouseEvent>
#include <QStyleOptionSlider>
#include <QStylePainter>

namespace velmora {

void TrackBar::setSelection(int start, int end)
{
    if (start == m_selStart && end == m_selEnd)
        return;
    m_selStart = start;
    m_selEnd = end;
    update();
}

// The channel is a thin line in a control 24 pixels high: a press anywhere
// beside the handle counts as a press in the channel at that column.
void TrackBar::mousePressEvent(QMouseEvent* event)
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QPointF pos = event->position();
    if (handle.contains(pos.toPoint()) || groove.contains(pos.toPoint())) {
        QSlider::mousePressEvent(event);
        return;
    }
    const QPointF inChannel(pos.x(), groove.center().y());
    QMouseEvent moved(event->type(), inChannel, mapTo(window(), inChannel), mapToGlobal(inChannel),
        event->button(), event->buttons(), event->modifiers(), event->pointingDevice());
    QSlider::mousePressEvent(&moved);
    event->setAccepted(moved.isAccepted());
}

void TrackBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove;
    if (tickPosition() != NoTicks)
        option.subControls |= QStyle::SC_SliderTickmarks;
    painter.drawComplexControl(QStyle::CC_Slider, option);

    // The band runs between the handle's centres at the two ends of the selection.
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    auto centre = [&](int value) {
        return groove.x() + handle.width() / 2
            + QStyle::sliderPositionFromValue(minimum(), maximum(), value, span, option.upsideDown);
    };
    if (m_selEnd > m_selStart) {
        const int top = groove.center().y() - 1;
        painter.fillRect(QRect(QPoint(centre(m_selStart), top), QPoint(centre(m_selEnd), top + 2)),
            palette().color(QPalette::Highlight));
    }

    option.subControls = QStyle::SC_SliderHandle;
    painter.drawComplexControl(QStyle::CC_Slider, option);
}

} // namespace velmora
