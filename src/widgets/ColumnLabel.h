// A one-line label whose text falls into pieces at runs of two or more blanks;
// each piece is drawn at its own column stop, so that the pieces line up with
// controls placed in the gaps between them whatever the widths of the font.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

namespace velmora {

class ColumnLabel : public QWidget {
    Q_OBJECT

public:
    // Where a piece goes: starting at x (left) or ending at x (right), in the
    // label's own coordinates.
    struct Stop {
        int x = 0;
        bool alignRight = false;
        bool operator==(const Stop&) const = default;
    };

    explicit ColumnLabel(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    // Stop i places piece i; pieces without a stop follow the previous one after a blank.
    void setStops(const QVector<Stop>& stops);

    QStringList pieces() const { return m_pieces; }
    // Where piece i is drawn, in the label's coordinates.
    QRect pieceRect(int index) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString m_text;
    QStringList m_pieces;
    QVector<Stop> m_stops;
};

} // namespace velmora
