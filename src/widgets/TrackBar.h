// A slider that highlights a selection range in its channel, as the shrink level
// control shows the levels up to the one chosen, whatever the widget style draws.
#pragma once

#include <QSlider>

namespace velmora {

class TrackBar : public QSlider {
    Q_OBJECT

public:
    using QSlider::QSlider;

    // The highlighted range, in slider values.
    void setSelection(int start, int end);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_selStart = 0;
    int m_selEnd = 0;
};

} // namespace velmora
