#include "app/dialogs/ToolWindow.h"

#include "app/platform/Platform.h"

#include <QMainWindow>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <utility>

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

ToolWindow::ToolWindow(Platform& platform, QString settingKey, QWidget* parent)
    : QDockWidget(parent)
    , m_platform(platform)
    , m_settingKey(std::move(settingKey))
{
    setAllowedAreas(Qt::RightDockWidgetArea);
    {
        const QScopedValueRollback<bool> placing(m_placing, true);
        // In the main window's layout from the start, so that docking later has a place.
        // Hidden and docked until first shown: floating makes a window of its own, which
        // costs start-up milliseconds; showing floats it first.
        if (QMainWindow* main = owner())
            main->addDockWidget(Qt::RightDockWidgetArea, this);
        else
            setFloating(true);
        hide();
    }
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (m_placing)
            return;
        m_platform.setSetting(m_settingKey, floating);
        // Once Qt has finished floating it.
        if (floating)
            QTimer::singleShot(0, this, [this] { placeFloated(); });
    });
}

std::optional<bool> ToolWindow::chosenFloating() const
{
    const QVariant chosen = m_platform.setting(m_settingKey, QVariant());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen.toBool();
}

bool ToolWindow::floats(bool roomBeside) const
{
    if (owner() == nullptr)
        return true;
    return chosenFloating().value_or(roomBeside);
}

bool ToolWindow::makeFloating()
{
    if (isFloating())
        return false;
    const QScopedValueRollback<bool> placing(m_placing, true);
    hide();
    setFloating(true);
    return true;
}

void ToolWindow::showDocked(int wantedWidth)
{
    QMainWindow* main = owner();
    {
        const QScopedValueRollback<bool> placing(m_placing, true);
        setFloating(false);
        // Another tool window docked there: a tab beside it, so that each has the
        // area's whole height instead of half of it.
        for (ToolWindow* other : main->findChildren<ToolWindow*>(Qt::FindDirectChildrenOnly)) {
            if (other != this && other->isVisible() && !other->isFloating()) {
                main->tabifyDockWidget(other, this);
                break;
            }
        }
    }
    show();
    raise();
    main->resizeDocks({ this }, { std::min(wantedWidth, main->width() * 2 / 5) }, Qt::Horizontal);
}

void ToolWindow::placeFloated()
{
    QMainWindow* main = owner();
    if (main == nullptr || !isFloating())
        return;
    const QScreen* screen = main->screen();
    // Below the main window's tool bars and the page's (the lowest).
    int keepClear = main->geometry().top();
    for (const QToolBar* bar : main->findChildren<QToolBar*>()) {
        if (bar->isVisible() && !isAncestorOf(bar))
            keepClear = std::max(keepClear, bar->mapToGlobal(QPoint(0, bar->height() - 1)).y());
    }
    const QSize frameExtra = frameGeometry().size() - size();
    const QRect frame = resultWindowPlace(screen->availableGeometry(), main->frameGeometry(), keepClear,
        size().expandedTo(designSize()) + frameExtra, minimumSizeHint().height() + frameExtra.height());
    resize(frame.size() - frameExtra);
    move(frame.topLeft());
}

QMainWindow* ToolWindow::owner() const { return qobject_cast<QMainWindow*>(parentWidget()); }

} // namespace velmora
