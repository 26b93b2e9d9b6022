#include "app/dialogs/ResultWindow.h"

#include "app/UiSupport.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

QRect resultWindowPlace(
    const QRect& screen, const QRect& ownerFrame, int keepClearBottom, QSize frameSize, int minHeight)
{
    if (ownerFrame.right() + frameSize.width() <= screen.right()) {
        // Up as far as needed to end on the screen, but never above its top.
        const int top
            = std::max(std::min(ownerFrame.top(), screen.bottom() - frameSize.height() + 1), screen.top());
        return QRect(QPoint(ownerFrame.right() + 1, top), frameSize);
    }
    const int top = std::clamp(keepClearBottom + 1, screen.top(), screen.bottom());
    const int height = std::max(std::min(frameSize.height(), screen.bottom() - top + 1), minHeight);
    const int left = std::max(screen.right() - frameSize.width() + 1, screen.left());
    return QRect(left, top, frameSize.width(), height);
}

ResultWindow::ResultWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("resultWindow"));
    setWindowTitle(QStringLiteral("查看缩水结果"));
    setFont(appFont());
    resize(361, 391);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("memo"));
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setTabChangesFocus(true);
    keepSelectionVisible(m_memo);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_memo);
}

void ResultWindow::showBeside(const QRect& ownerFrame, int keepClearBottom)
{
    // Where the user put it stays, unless it would cover the owner's tool bars.
    const QRect toolBars(
        ownerFrame.left(), ownerFrame.top(), ownerFrame.width(), keepClearBottom - ownerFrame.top() + 1);
    if (!isVisible() && (!m_placed || frameGeometry().intersects(toolBars))) {
        const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : nullptr;
        if (screen == nullptr)
            screen = QGuiApplication::primaryScreen();
        // The frame is only known once the window has been shown; before that it is
        // estimated as the main window's.
        const QSize frameExtra = parentWidget() != nullptr
            ? parentWidget()->frameGeometry().size() - parentWidget()->size()
            : QSize();
        const QRect frame = resultWindowPlace(screen->availableGeometry(), ownerFrame, keepClearBottom,
            size() + frameExtra, minimumSizeHint().height() + frameExtra.height());
        resize(frame.size() - frameExtra);
        move(frame.topLeft());
        m_placed = true;
    }
    show();
    raise();
}

} // namespace velmora
