#include "Main/TChartSpinEdit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <limits>

namespace velmora {

TChartSpinEdit::TChartSpinEdit(QWidget* parent)
    : QSpinBox(parent)
{
    setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    setValue(kDefaultValue);
}

int TChartSpinEdit::ParseValue(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

// Every text is accepted: one that is not a number simply means 0.
QValidator::State TChartSpinEdit::validate(QString&, int&) const { return QValidator::Acceptable; }

int TChartSpinEdit::valueFromText(const QString& text) const { return ParseValue(text); }

void TChartSpinEdit::fixup(QString&) const { }

QSize TChartSpinEdit::sizeHint() const
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
