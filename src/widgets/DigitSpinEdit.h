// An integer spin edit that keeps whatever number the user types, even outside
// its range, until it loses the keyboard focus; only then is the value brought
// into range. A text that is no integer reads as the minimum.
#pragma once

#include <QAbstractSpinBox>

namespace velmora {

class DigitSpinEdit : public QAbstractSpinBox {
    Q_OBJECT

public:
    DigitSpinEdit(int minValue, int maxValue, QWidget* parent = nullptr);

    // The text as typed, read as an integer; the minimum for a text that is no integer.
    int value() const;
    // Shows the value brought into range.
    void setValue(int value);
    // Shows the value as it stands, as if typed: it is brought into range only when
    // the edit loses the keyboard focus.
    void setTypedValue(int value);
    int minValue() const { return m_min; }
    int maxValue() const { return m_max; }

    QValidator::State validate(QString& input, int& pos) const override;
    void stepBy(int steps) override;

signals:
    // The text has changed: typed, stepped, or set by a setter.
    void textChanged();

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_min;
    int m_max;
};

} // namespace velmora
