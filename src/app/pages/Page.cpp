#include "app/pages/Page.h"

#include "app/UiSupport.h"
#include "app/platform/Platform.h"

#include <QAction>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

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
        m_platform.showWarning(this, QString::fromUtf8(error.what()));
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

void Page::addScrolledContent(QVBoxLayout* layout, QWidget* content, QSize designSize)
{
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("pageScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    // The content's controls take the focus; the area itself is no stop of Tab.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    content->setMinimumSize(designSize);
    scroll->setWidget(content);
    layout->addWidget(scroll, 1);
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

QAction* Page::addWindowCommand(const QString& caption, std::function<void()> command, bool onToolBar)
{
    if (!onToolBar)
        return addPageCommand(caption, std::move(command));
    QWidget* lastButton = nullptr;
    for (QAction* action : m_toolBar->actions())
        if (auto* button = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(action)))
            lastButton = button;
    QAction* action = addToolBarCommand(caption, std::move(command));
    // Made after the page's content, the button would otherwise come after it in the Tab order.
    if (QWidget* button = m_toolBar->widgetForAction(action); button != nullptr && lastButton != nullptr)
        setTabOrder(lastButton, button);
    return action;
}

QList<QAction*> Page::addResultCommands(std::function<void()> exportResult, std::function<void()> checkPrize,
    std::function<void()> printResult, std::function<void()> checkLatestDraw)
{
    QList<QAction*> actions = { addToolBarCommand(QStringLiteral("导出结果"), std::move(exportResult)),
        addToolBarCommand(QStringLiteral("结果兑奖"), std::move(checkPrize)),
        addToolBarCommand(QStringLiteral("打印结果"), std::move(printResult)),
        addPageCommand(QStringLiteral("按最新一期兑奖"), std::move(checkLatestDraw)) };
    actions[0]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    actions[1]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    actions[2]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    actions[3]->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    return actions;
}

QList<QAction*> Page::commands() const
{
    QList<QAction*> list;
    if (m_toolBar != nullptr) {
        // A widget of the tool bar (the tolerance range) would be a blank entry in a menu.
        for (QAction* action : m_toolBar->actions()) {
            if (qobject_cast<QWidgetAction*>(action) == nullptr)
                list << action;
        }
    }
    if (!list.isEmpty() && !m_pageCommands.isEmpty())
        list << m_commandSeparator;
    return list + m_pageCommands;
}

void Page::makeContentOnShow(QShowEvent* event, const std::function<void()>& make)
{
    const QObjectList before = children();
    make();
    // Controls made inside a show event are not shown with the page: show them now.
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !before.contains(child) && !widget->isWindow()
            && !widget->testAttribute(Qt::WA_WState_ExplicitShowHide))
            widget->show();
    }
    if (layout())
        layout()->activate();
    Page::showEvent(event);
}

void Page::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    emit shown();
}

} // namespace velmora
