#include "widgets/ChartSpinEdit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <limits>

namespace velmora {

ChartSpinEdit::ChartSpinEdit(QWidget* parent)
    : QSpinBox(parent)
{
    setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    setValue(kDefaultValue);
    connect(lineEdit(), &QLineEdit::returnPressed, this, &ChartSpinEdit::returnPressed);
}

int ChartSpinEdit::parseValue(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

// Every text is accepted: one that is not a number simply means 0.
QValidator::State ChartSpinEdit::validate(QString&, int&) const { return QValidator::Acceptable; }

int ChartSpinEdit::valueFromText(const QString& text) const { return parseValue(text); }

void ChartSpinEdit::fixup(QString&) const { }

QSize ChartSpinEdit::sizeHint() const
{
    ensurePolished();
    // As QAbstractSpinBox measures its text, but for five digits rather than the
    // eleven characters of the unbounded range; 2 pixels for the caret.
    const QSize text(
        fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 2, lineEdit()->sizeHint().height());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

} // namespace velmora
