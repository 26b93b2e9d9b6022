#include "app/dialogs/ToolWindow.h"

#include "app/platform/Platform.h"

#include <QMainWindow>
#include <QScopedValueRollback>

#include <algorithm>
#include <utility>

namespace velmora {

ToolWindow::ToolWindow(Platform& platform, QString settingKey, QWidget* parent)
    : QDockWidget(parent)
    , m_platform(platform)
    , m_settingKey(std::move(settingKey))
{
    setAllowedAreas(Qt::RightDockWidgetArea);
    {
        const QScopedValueRollback<bool> placing(m_placing, true);
        // In the main window's layout from the start, so that docking later has a place.
        if (QMainWindow* main = owner())
            main->addDockWidget(Qt::RightDockWidgetArea, this);
        setFloating(true);
        hide();
    }
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (!m_placing)
            m_platform.setSetting(m_settingKey, floating);
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
    }
    show();
    main->resizeDocks({ this }, { std::min(wantedWidth, main->width() * 2 / 5) }, Qt::Horizontal);
}

QMainWindow* ToolWindow::owner() const { return qobject_cast<QMainWindow*>(parentWidget()); }

} // namespace velmora
