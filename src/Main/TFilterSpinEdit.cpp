#include "Main/TFilterSpinEdit.h"

#include <QLineEdit>

#include <algorithm>

namespace velmora {

TFilterSpinEdit::TFilterSpinEdit(int minValue, int maxValue, QWidget* parent)
    : QAbstractSpinBox(parent)
    , FMin(minValue)
    , FMax(maxValue)
{
    lineEdit()->setText(QString::number(minValue));
}

int TFilterSpinEdit::Value() const
{
    bool ok = false;
    const int value = text().toInt(&ok);
    return ok ? value : FMin;
}

void TFilterSpinEdit::SetValue(int value)
{
    const QString text = QString::number(std::clamp(value, FMin, FMax));
    if (text == lineEdit()->text())
        return;
    lineEdit()->setText(text);
}

QValidator::State TFilterSpinEdit::validate(QString& input, int&) const
{
    // Digits with an optional leading minus sign; an empty text or a lone sign is
    // accepted too and reads as the minimum.
    for (int i = 0; i < input.size(); ++i) {
        const QChar c = input[i];
        if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && !(i == 0 && c == QLatin1Char('-')))
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

void TFilterSpinEdit::stepBy(int steps) { SetValue(std::clamp(Value(), FMin, FMax) + steps); }

QAbstractSpinBox::StepEnabled TFilterSpinEdit::stepEnabled() const
{
    // A value outside the range steps into it from either side.
    const int value = Value();
    StepEnabled enabled = StepNone;
    if (value != FMin)
        enabled |= StepDownEnabled;
    if (value != FMax)
        enabled |= StepUpEnabled;
    return enabled;
}

void TFilterSpinEdit::focusOutEvent(QFocusEvent* event)
{
    QAbstractSpinBox::focusOutEvent(event);
    SetValue(Value());
}

} // namespace velmora
