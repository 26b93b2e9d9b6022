// Finding a window's parts by object name, as a test drives them.
#pragma once

#include <QAction>
#include <QObject>
#include <QTest>
#include <QToolBar>
#include <QWidget>

namespace velmora::test {

// The descendant of the given type and name; ends the test run when there is none,
// since every later step would use it.
template <typename T> T* find(const QObject* parent, const QString& name)
{
    T* child = parent->findChild<T*>(name);
    if (!child)
        qFatal("no child named %s under %s", qPrintable(name), qPrintable(parent->objectName()));
    return child;
}

// The only descendant of the given type.
template <typename T> T* find(const QObject* parent)
{
    T* child = parent->findChild<T*>();
    if (!child)
        qFatal("no child of the type asked for under %s", qPrintable(parent->objectName()));
    return child;
}

// The action of a tool bar with the caption.
inline QAction* toolBarAction(const QToolBar* bar, const QString& caption)
{
    for (QAction* action : bar->actions()) {
        if (action->text() == caption)
            return action;
    }
    qFatal("no tool bar button %s", qPrintable(caption));
}

// Clicks the button of the page's tool bar with the caption.
inline void clickToolButton(const QWidget* page, const QString& caption)
{
    const auto* bar = find<QToolBar>(page, QStringLiteral("toolBar"));
    QWidget* button = bar->widgetForAction(toolBarAction(bar, caption));
    QVERIFY(button);
    QVERIFY(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
}

// The captions of a tool bar's buttons, "|" for a divider.
inline QStringList toolBarCaptions(const QWidget* page)
{
    QStringList out;
    for (QAction* action : find<QToolBar>(page, QStringLiteral("toolBar"))->actions())
        out << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return out;
}

} // namespace velmora::test
