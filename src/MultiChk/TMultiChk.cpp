#include "MultiChk/TMultiChk.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace velmora {

TMultiChk::TMultiChk(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    LayoutPass();
}

void TMultiChk::AddItem(const QString& caption)
{
    Checks.append(false);
    Captions.append(caption);
    ++FLayout.Count;
    LayoutPass();
}

void TMultiChk::SetCount(int n)
{
    if (n < 0)
        throw TMultiChkError("SetCount Error!");
    if (n == FLayout.Count)
        return;
    // The arrays follow the count so that every item always has a flag and a caption.
    Checks.resize(n);
    Captions.resize(n);
    FLayout.Count = n;
    LayoutPass();
}

void TMultiChk::SetCols(int n)
{
    // No columns would leave the items nowhere to stand, so 0 is refused too.
    if (n <= 0)
        throw TMultiChkError("SetCols Error!");
    if (n == FLayout.Cols)
        return;
    FLayout.Cols = n;
    LayoutPass();
}

void TMultiChk::SetCapWidth(int n)
{
    if (n < 0)
        throw TMultiChkError("SetCapWidth Error!");
    if (n == FLayout.CapWidth)
        return;
    FLayout.CapWidth = n;
    LayoutPass();
}

void TMultiChk::SetCheck(int index, bool checked)
{
    if (index < 0 || index >= FLayout.Count)
        throw TMultiChkError("SetCheck Error!");
    if (Checks[index] == checked)
        return;
    Checks[index] = checked;
    update();
}

bool TMultiChk::GetCheck(int index) const { return index >= 0 && index < FLayout.Count && Checks[index]; }

void TMultiChk::CheckAll()
{
    if (FLayout.Count == 0)
        return;
    Checks.fill(true);
    update();
}

void TMultiChk::UncheckAll()
{
    if (FLayout.Count == 0)
        return;
    Checks.fill(false);
    update();
}

int TMultiChk::CheckedCount() const
{
    return static_cast<int>(std::count(Checks.cbegin(), Checks.cend(), true));
}

int TMultiChk::IndexOfCap(const QString& caption) const
{
    return static_cast<int>(Captions.lastIndexOf(caption));
}

QRect TMultiChk::RectOfChk(int index) const
{
    if (index < 0 || index >= FLayout.Count)
        throw TMultiChkError("RectOfChk Index Error!");
    return FLayout.ChkRect(index);
}

QRect TMultiChk::RectOfCap(int index) const
{
    if (index < 0 || index >= FLayout.Count)
        throw TMultiChkError("RectOfCap Index Error!");
    return FLayout.CapRect(index);
}

QSize TMultiChk::sizeHint() const { return FLayout.GridSize(); }

void TMultiChk::LayoutPass()
{
    // The control's size is always the grid's; a resize from outside is undone here.
    setFixedSize(FLayout.GridSize());
    if (FFocusIndex < 0 || FFocusIndex >= FLayout.Count)
        FFocusIndex = 0;
    update();
    emit OnChange(this);
}

void TMultiChk::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutPass();
}

void TMultiChk::paintEvent(QPaintEvent*)
{
    // No fill here: the parent's background shows through, and a control given a
    // background of its own (autoFillBackground) has it filled by Qt before this runs.
    QPainter painter(this);
    painter.setFont(font());
    const int textHeight = painter.fontMetrics().height();
    for (int i = 0; i < FLayout.Count; ++i) {
        const QRect chk = FLayout.ChkRect(i);
        const QRect cap = FLayout.CapRect(i);
        QStyleOptionButton box;
        box.initFrom(this);
        box.rect = chk;
        box.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        box.state |= Checks[i] ? QStyle::State_On : QStyle::State_Off;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &painter, this);

        if (i == FFocusIndex && hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            const int g = FLayout.Spacing;
            focus.rect
                = QRect(QPoint(cap.left() - g / 2, cap.top()), QPoint(cap.right() + g / 3, cap.bottom()));
            focus.backgroundColor = palette().color(backgroundRole());
            // Styles such as Fusion draw the mark only after keyboard navigation; this
            // control shows it whenever it has the focus.
            focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }

        // Centred vertically and not clipped to the cell, like the caption of a check box.
        const int top = (cap.top() + cap.top() + cap.height() - textHeight) / 2;
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(QRect(cap.left(), top, width(), textHeight),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Captions[i]);
    }
}

void TMultiChk::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        FFocusIndex = MovedFocus(FLayout, FFocusIndex, TMultiChkMove::Left);
        break;
    case Qt::Key_Right:
        FFocusIndex = MovedFocus(FLayout, FFocusIndex, TMultiChkMove::Right);
        break;
    case Qt::Key_Up:
        FFocusIndex = MovedFocus(FLayout, FFocusIndex, TMultiChkMove::Up);
        break;
    case Qt::Key_Down:
        FFocusIndex = MovedFocus(FLayout, FFocusIndex, TMultiChkMove::Down);
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        LayoutPass();
        break;
    default:
        break;
    }
    event->accept();
    update();
    emit OnChange(this);

    // The toggle comes after the change notice, so a listener still sees the old flag.
    const bool toggles
        = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (toggles && FFocusIndex >= 0 && FFocusIndex < FLayout.Count) {
        Checks[FFocusIndex] = !Checks[FFocusIndex];
        update();
    }
}

// Presses and releases are the control's own, in a gap too: QWidget's handlers would
// ignore them and so pass them on to the parent as well.
void TMultiChk::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    const int i = FLayout.ItemAt(event->position().toPoint());
    if (i >= 0) {
        Checks[i] = !Checks[i];
        FFocusIndex = i;
    }
    update();
}

void TMultiChk::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (!hasFocus() && rect().contains(event->position().toPoint()))
        setFocus(Qt::MouseFocusReason);
}

void TMultiChk::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TMultiChk::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace velmora
