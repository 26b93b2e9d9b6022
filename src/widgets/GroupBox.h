// A group box drawn as the filter page was laid out for: the title stands on the
// frame's top line. Styles such as Fusion put the title above the frame, which
// would run the first row of controls into the line.
#pragma once

#include <QGroupBox>

namespace velmora {

class GroupBox : public QGroupBox {
    Q_OBJECT

public:
    explicit GroupBox(const QString& title, QWidget* parent = nullptr);

    // The y of the frame's top line: the middle of the title.
    int frameTop() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace velmora
