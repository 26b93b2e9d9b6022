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

QAction* Page::addPageCommand(const QString& caption, std::function<void()> command)
{
    if (m_commandSeparator == nullptr) {
        m_commandSeparator = new QAction(this);
        m_commandSeparator->setSeparator(true);
    }
    auto* action = new QAction(caption, this);
    // Its shortcut needs a widget that is shown exactly while the page is.
    addAction(action);
    m_pageCommands << action;
    connectCommand(action, &QAction::triggered, std::move(command));
    return action;
}

void Page::setResultShortcuts(QAction* exportResult, QAction* checkPrize, QAction* printResult)
{
    exportResult->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    checkPrize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    printResult->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
}

QList<QAction*> Page::commands() const
{
    QList<QAction*> list = m_toolBar != nullptr ? m_toolBar->actions() : QList<QAction*>();
    if (!list.isEmpty() && !m_pageCommands.isEmpty())
        list << m_commandSeparator;
    return list + m_pageCommands;
}

void Page::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    emit shown();
}

} // namespace velmora
