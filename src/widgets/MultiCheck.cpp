#include "widgets/MultiCheck.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <algorithm>

namespace velmora {

namespace {

QRect toQRect(const CellRect& r) { return { r.left, r.top, r.width, r.height }; }
QSize toQSize(const GridExtent& e) { return { e.width, e.height }; }

} // namespace

MultiCheck::MultiCheck(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    layoutPass();
}

void MultiCheck::addItem(const QString& caption)
{
    m_checks.append(false);
    m_captions.append(caption);
    ++m_layout.count;
    layoutPass();
}

void MultiCheck::setCount(int n)
{
    if (n < 0)
        throw MultiCheckError("SetCount Error!");
    if (n == m_layout.count)
        return;
    // The arrays follow the count so that every item always has a flag and a caption.
    m_checks.resize(n);
    m_captions.resize(n);
    m_layout.count = n;
    layoutPass();
}

void MultiCheck::setCols(int n)
{
    // No columns would leave the items nowhere to stand, so 0 is refused too.
    if (n <= 0)
        throw MultiCheckError("SetCols Error!");
    if (n == m_layout.cols)
        return;
    m_layout.cols = n;
    layoutPass();
}

void MultiCheck::setCapWidth(int n)
{
    if (n < 0)
        throw MultiCheckError("SetCapWidth Error!");
    if (n == m_layout.capWidth)
        return;
    m_layout.capWidth = n;
    layoutPass();
}

void MultiCheck::setCheck(int index, bool checked)
{
    if (index < 0 || index >= m_layout.count)
        throw MultiCheckError("SetCheck Error!");
    if (m_checks[index] == checked)
        return;
    m_checks[index] = checked;
    update();
    emit checksChanged();
}

bool MultiCheck::isChecked(int index) const
{
    return index >= 0 && index < m_layout.count && m_checks[index];
}

void MultiCheck::checkAll()
{
    if (!m_checks.contains(false))
        return;
    m_checks.fill(true);
    update();
    emit checksChanged();
}

void MultiCheck::uncheckAll()
{
    if (!m_checks.contains(true))
        return;
    m_checks.fill(false);
    update();
    emit checksChanged();
}

int MultiCheck::checkedCount() const
{
    return static_cast<int>(std::count(m_checks.cbegin(), m_checks.cend(), true));
}

int MultiCheck::indexOfCap(const QString& caption) const
{
    return static_cast<int>(m_captions.lastIndexOf(caption));
}

QRect MultiCheck::checkRect(int index) const
{
    if (index < 0 || index >= m_layout.count)
        throw MultiCheckError("RectOfChk Index Error!");
    return toQRect(m_layout.chkRect(index));
}

QRect MultiCheck::rectOfCap(int index) const
{
    if (index < 0 || index >= m_layout.count)
        throw MultiCheckError("RectOfCap Index Error!");
    return toQRect(m_layout.capRect(index));
}

QSize MultiCheck::sizeHint() const { return toQSize(m_layout.gridSize()); }

void MultiCheck::layoutPass()
{
    // The control's size is always the grid's; a resize from outside is undone here.
    setFixedSize(toQSize(m_layout.gridSize()));
    if (m_focusIndex < 0 || m_focusIndex >= m_layout.count)
        m_focusIndex = 0;
    update();
    emit changed(this);
}

void MultiCheck::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutPass();
}

void MultiCheck::setItemDisabled(int index, const QString& toolTip)
{
    m_disabledTips.insert(index, toolTip);
    update();
}

bool MultiCheck::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int i = m_layout.itemAt(help->pos().x(), help->pos().y());
        if (m_disabledTips.contains(i))
            QToolTip::showText(help->globalPos(), m_disabledTips.value(i), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void MultiCheck::paintEvent(QPaintEvent*)
{
    // No fill here: the parent's background shows through, and a control given a
    // background of its own (autoFillBackground) has it filled by Qt before this runs.
    QPainter painter(this);
    painter.setFont(font());
    const int textHeight = painter.fontMetrics().height();
    for (int i = 0; i < m_layout.count; ++i) {
        const QRect chk = toQRect(m_layout.chkRect(i));
        const QRect cap = toQRect(m_layout.capRect(i));
        QStyleOptionButton box;
        box.initFrom(this);
        box.rect = chk;
        box.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        box.state |= m_checks[i] ? QStyle::State_On : QStyle::State_Off;
        if (!isItemEnabled(i))
            box.state &= ~QStyle::State_Enabled;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &painter, this);

        if (i == m_focusIndex && hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            const int g = m_layout.spacing;
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
        painter.setPen(
            palette().color(isItemEnabled(i) ? QPalette::Active : QPalette::Disabled, foregroundRole()));
        painter.drawText(QRect(cap.left(), top, width(), textHeight),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_captions[i]);
    }
}

void MultiCheck::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        m_focusIndex = movedFocus(m_layout, m_focusIndex, MultiCheckMove::Left);
        break;
    case Qt::Key_Right:
        m_focusIndex = movedFocus(m_layout, m_focusIndex, MultiCheckMove::Right);
        break;
    case Qt::Key_Up:
        m_focusIndex = movedFocus(m_layout, m_focusIndex, MultiCheckMove::Up);
        break;
    case Qt::Key_Down:
        m_focusIndex = movedFocus(m_layout, m_focusIndex, MultiCheckMove::Down);
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        layoutPass();
        break;
    default:
        break;
    }
    event->accept();
    update();
    emit changed(this);

    // The toggle comes after the change notice, so a listener still sees the old flag.
    const bool toggles
        = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (toggles && m_focusIndex >= 0 && m_focusIndex < m_layout.count && isItemEnabled(m_focusIndex)) {
        m_checks[m_focusIndex] = !m_checks[m_focusIndex];
        update();
        emit checksChanged();
    }
}

// Presses and releases are the control's own, in a gap too: QWidget's handlers would
// ignore them and so pass them on to the parent as well.
void MultiCheck::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    const int i = m_layout.itemAt(at.x(), at.y());
    if (i >= 0 && isItemEnabled(i)) {
        m_checks[i] = !m_checks[i];
        m_focusIndex = i;
    }
    update();
    if (i >= 0 && isItemEnabled(i))
        emit checksChanged();
}

void MultiCheck::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (!hasFocus() && rect().contains(event->position().toPoint()))
        setFocus(Qt::MouseFocusReason);
}

void MultiCheck::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void MultiCheck::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace velmora
