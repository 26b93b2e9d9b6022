// An integer spin edit that keeps whatever number the user types, even outside
// its range, until it loses the keyboard focus; only then is the value brought
// into range. A text that is no integer reads as the minimum.
#pragma once

#include <QAbstractSpinBox>

namespace velmora {

class TFilterSpinEdit : public QAbstractSpinBox {
    Q_OBJECT

public:
    TFilterSpinEdit(int minValue, int maxValue, QWidget* parent = nullptr);

    // The text as typed, read as an integer; the minimum for a text that is no integer.
    int Value() const;
    // Shows the value brought into range.
    void SetValue(int value);
    int MinValue() const { return FMin; }
    int MaxValue() const { return FMax; }

    QValidator::State validate(QString& input, int& pos) const override;
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int FMin;
    int FMax;
};

} // namespace velmora
