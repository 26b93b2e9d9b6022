// A grid of small check boxes with captions, toggled by mouse or keyboard,
// that sizes itself to its contents.
#pragma once

#include "MultiChk/MultiChkLayout.h"

#include <QStringList>
#include <QVector>
#include <QWidget>

#include <stdexcept>

namespace velmora {

// Raised for a negative size or an item index out of range; what() is the text shown.
class TMultiChkError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TMultiChk : public QWidget {
    Q_OBJECT

public:
    explicit TMultiChk(QWidget* parent = nullptr);

    void AddItem(const QString& caption);
    void SetCount(int n);
    void SetCols(int n);
    void SetCapWidth(int n);
    void SetCheck(int index, bool checked);
    // False for an index outside the items (e.g. -1 from IndexOfCap).
    bool GetCheck(int index) const;
    void CheckAll();
    void UncheckAll();
    int CheckedCount() const;
    int IndexOfCap(const QString& caption) const;
    QRect RectOfChk(int index) const;
    QRect RectOfCap(int index) const;

    int Count() const { return FLayout.Count; }
    int Cols() const { return FLayout.Cols; }
    int Rows() const { return FLayout.Rows(); }
    int CapWidth() const { return FLayout.CapWidth; }
    int ChkWidth() const { return FLayout.ChkWidth; }
    int RowHeight() const { return FLayout.RowHeight; }
    int Spacing() const { return FLayout.Spacing; }
    int FocusIndex() const { return FFocusIndex; }
    QString Caption(int index) const { return Captions.value(index); }

    QSize sizeHint() const override;

signals:
    // End of every layout pass and of every key press; never for flag changes.
    void OnChange(velmora::TMultiChk* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void LayoutPass();

    QVector<bool> Checks;
    QStringList Captions;
    TMultiChkLayout FLayout;
    int FFocusIndex = 0;
};

} // namespace velmora
