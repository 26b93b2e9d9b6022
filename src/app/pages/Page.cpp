#include "app/pages/Page.h"

#include "app/UiSupport.h"
#include "app/platform/Platform.h"

#include <QAction>
#include <QToolBar>
#include <QVBoxLayout>

namespace velmora {

Page::Page(Platform& platform, QWidget* parent)
    : QWidget(parent)
    , m_platform(platform)
{
}

void Page::runCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        m_platform.showMessage(this, QString::fromUtf8(error.what()));
    }
}

QVBoxLayout* Page::makeWorkPageLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolBar = makePageToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    layout->addWidget(m_toolBar);
    return layout;
}

QAction* Page::addToolBarCommand(const QString& caption, std::function<void()> command)
{
    QAction* action = addPageButton(m_toolBar, caption);
    connectCommand(action, &QAction::triggered, std::move(command));
    return action;
}

void Page::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    emit shown();
}

} // namespace velmora
