#include "widgets/DigitSpinEdit.h"

#include <QLineEdit>

#include <algorithm>

namespace velmora {

DigitSpinEdit::DigitSpinEdit(int minValue, int maxValue, QWidget* parent)
    : QAbstractSpinBox(parent)
    , m_min(minValue)
    , m_max(maxValue)
{
    lineEdit()->setText(QString::number(minValue));
    connect(lineEdit(), &QLineEdit::textChanged, this, &DigitSpinEdit::textChanged);
}

int DigitSpinEdit::value() const
{
    bool ok = false;
    const int value = text().toInt(&ok);
    return ok ? value : m_min;
}

void DigitSpinEdit::setValue(int value)
{
    const QString text = QString::number(std::clamp(value, m_min, m_max));
    if (text == lineEdit()->text())
        return;
    lineEdit()->setText(text);
}

void DigitSpinEdit::setTypedValue(int value)
{
    const QString text = QString::number(value);
    if (text == lineEdit()->text())
        return;
    lineEdit()->setText(text);
}

QValidator::State DigitSpinEdit::validate(QString& input, int&) const
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

void DigitSpinEdit::stepBy(int steps) { setValue(std::clamp(value(), m_min, m_max) + steps); }

QAbstractSpinBox::StepEnabled DigitSpinEdit::stepEnabled() const
{
    // A value outside the range steps into it from either side.
    const int current = value();
    StepEnabled enabled = StepNone;
    if (current != m_min)
        enabled |= StepDownEnabled;
    if (current != m_max)
        enabled |= StepUpEnabled;
    return enabled;
}

void DigitSpinEdit::focusOutEvent(QFocusEvent* event)
{
    QAbstractSpinBox::focusOutEvent(event);
    setValue(value());
}

} // namespace velmora
