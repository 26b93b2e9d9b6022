// A grid of small check boxes with captions, toggled by mouse or keyboard,
// that sizes itself to its contents.
#pragma once

#include "widgets/MultiCheckLayout.h"

#include <QRect>

#include <QHash>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <stdexcept>

namespace velmora {

// Raised for a negative size or an item index out of range; what() is the text shown.
class MultiCheckError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class MultiCheck : public QWidget {
    Q_OBJECT

public:
    explicit MultiCheck(QWidget* parent = nullptr);

    void addItem(const QString& caption);
    void setCount(int n);
    void setCols(int n);
    void setCapWidth(int n);
    void setCheck(int index, bool checked);
    // False for an index outside the items (e.g. -1 from indexOfCap).
    bool isChecked(int index) const;
    void checkAll();
    void uncheckAll();
    int checkedCount() const;
    int indexOfCap(const QString& caption) const;
    QRect checkRect(int index) const;
    // A disabled item is drawn greyed and ignores clicks and keys, while setCheck
    // still sets it; hovering it shows the tool tip (why it is disabled).
    void setItemDisabled(int index, const QString& toolTip);
    bool isItemEnabled(int index) const { return !m_disabledTips.contains(index); }
    QRect rectOfCap(int index) const;

    int count() const { return m_layout.count; }
    int cols() const { return m_layout.cols; }
    int rows() const { return m_layout.rows(); }
    int capWidth() const { return m_layout.capWidth; }
    int chkWidth() const { return m_layout.chkWidth; }
    int rowHeight() const { return m_layout.rowHeight; }
    int spacing() const { return m_layout.spacing; }
    int focusIndex() const { return m_focusIndex; }
    QString caption(int index) const { return m_captions.value(index); }

    QSize sizeHint() const override;

signals:
    // End of every layout pass and of every key press; never for flag changes.
    void changed(velmora::MultiCheck* sender);
    // A flag has changed, by a click, a key or a setter; not emitted when a setter
    // leaves every flag as it was.
    void checksChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void layoutPass();

    QVector<bool> m_checks;
    QStringList m_captions;
    QHash<int, QString> m_disabledTips;
    MultiCheckLayout m_layout;
    int m_focusIndex = 0;
};

} // namespace velmora
