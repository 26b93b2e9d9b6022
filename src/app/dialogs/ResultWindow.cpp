#include "app/dialogs/ResultWindow.h"

#include "app/UiSupport.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolBar>
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

ResultWindow::ResultWindow(Platform& platform, QWidget* parent)
    : ToolWindow(platform, QStringLiteral("windows/resultWindowFloats"), parent)
{
    setObjectName(QStringLiteral("resultWindow"));
    setWindowTitle(QStringLiteral("查看缩水结果"));
    setFont(appFont());

    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolBar = makePageToolBar(content);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    // Shown with its first command.
    m_toolBar->hide();
    layout->addWidget(m_toolBar);
    m_memo = new QPlainTextEdit(content);
    m_memo->setObjectName(QStringLiteral("memo"));
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setTabChangesFocus(true);
    keepSelectionVisible(m_memo);
    layout->addWidget(m_memo, 1);
    setWidget(content);
    resize(kDesignSize);
}

QAction* ResultWindow::addCommand(const QString& caption)
{
    m_toolBar->show();
    return addPageButton(m_toolBar, caption);
}

void ResultWindow::showBeside(const QRect& ownerFrame, int keepClearBottom)
{
    if (isVisible()) {
        raise();
        return;
    }
    const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : nullptr;
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    // The frame is only known once the window has been shown; before that it is
    // estimated as the main window's.
    const QSize frameExtra = parentWidget() != nullptr
        ? parentWidget()->frameGeometry().size() - parentWidget()->size()
        : QSize();
    const auto place = [&](QSize windowSize) {
        return resultWindowPlace(screen->availableGeometry(), ownerFrame, keepClearBottom,
            windowSize + frameExtra, minimumSizeHint().height() + frameExtra.height());
    };
    if (!floats(place(kDesignSize).left() == ownerFrame.right() + 1)) {
        showDocked(kDesignSize.width());
        return;
    }
    // Placed anew at its design size the first time and after it was docked.
    if (makeFloating() || !m_placed) {
        resize(kDesignSize);
        m_placed = false;
    }
    // Where the user put it stays, unless it would cover the owner's tool bars.
    const QRect toolBars(
        ownerFrame.left(), ownerFrame.top(), ownerFrame.width(), keepClearBottom - ownerFrame.top() + 1);
    if (!m_placed || frameGeometry().intersects(toolBars)) {
        const QRect frame = place(size());
        resize(frame.size() - frameExtra);
        move(frame.topLeft());
        m_placed = true;
    }
    show();
    raise();
}

} // namespace velmora
