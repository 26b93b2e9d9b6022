// The spin edit of a chart page: the number of recent draws to chart. It has no
// bounds, starts at 30, and a text that is not a decimal integer reads as 0, so
// whatever the user typed can be queried (a plain QSpinBox refuses such text).
#pragma once

#include <QSpinBox>

namespace velmora {

class ChartSpinEdit : public QSpinBox {
    Q_OBJECT

public:
    static constexpr int kDefaultValue = 30;

    explicit ChartSpinEdit(QWidget* parent = nullptr);

    // The decimal integer the text stands for (blanks around it allowed), else 0.
    static int parseValue(const QString& text);
    // The value of the text as it stands now, typed or set.
    int value() const { return parseValue(text()); }

    // Room for five characters: any history's count, or a short negative number.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // Return or Enter was pressed in the edit.
    void returnPressed();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void fixup(QString& input) const override;
};

} // namespace velmora
