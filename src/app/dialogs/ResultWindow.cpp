#include "app/dialogs/ResultWindow.h"

#include "app/UiSupport.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

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
    m_verdictLine = new QLabel(content);
    m_verdictLine->setObjectName(QStringLiteral("verdictLine"));
    m_verdictLine->setWordWrap(true);
    m_verdictLine->setTextFormat(Qt::PlainText);
    m_verdictLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_verdictLine->setContentsMargins(4, 3, 4, 3);
    m_verdictLine->setStyleSheet(QStringLiteral("background: #fff6d5; color: #000000"));
    m_verdictLine->hide();
    layout->addWidget(m_verdictLine);
    m_memo = new QPlainTextEdit(content);
    m_memo->setObjectName(QStringLiteral("memo"));
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
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
