// A one-line label that keeps its whole text but draws only what fits, ending in
// "…" when it is cut; the tool tip then shows the whole text.
#pragma once

#include <QLabel>

namespace velmora {

class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // The text as drawn in the label's present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRect textArea() const;
};

} // namespace velmora
