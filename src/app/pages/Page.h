// What every page of the window shares: the Platform it reports through, commands
// whose errors end in a message box instead of crossing the event loop, and the
// signals by which it tells the window what happened.
#pragma once

#include <QList>
#include <QWidget>

#include <functional>

class QAction;
class QToolBar;
class QVBoxLayout;

namespace velmora {

class Platform;

class Page : public QWidget {
    Q_OBJECT

public:
    Page(Platform& platform, QWidget* parent);

    // The page's commands in the order the window's menu offers them: its tool bar's
    // buttons (separators included), then those it runs from buttons of its own.
    // Their shortcuts act while the page is shown.
    QList<QAction*> commands() const;

    // Brings what the page shows of the history up to date. The window calls it when
    // a command shows the page that is already in front (a page hidden before learns
    // it from its show event).
    virtual void refreshView() { }

    // A command of the window on the page ("记入投注" on a result page): a button at the
    // end of its tool bar, which Tab reaches right after the bar's other buttons; with
    // onToolBar false (a bar that is full at the window's width) only among the page's
    // commands (menu and shortcut).
    QAction* addWindowCommand(const QString& caption, std::function<void()> command, bool onToolBar = true);

signals:
    // A message for the status bar's first panel.
    void statusTextChanged(const QString& text);
    // The page has become visible.
    void shown();

protected:
    Platform& platform() const { return m_platform; }

    // Runs a command; an error it raises (a control's index error, a file or printer
    // error) ends it and is shown in a message box.
    void runCommand(const std::function<void()>& command);
    // Runs the command through runCommand whenever the sender emits the signal.
    template <typename Sender, typename Signal>
    void connectCommand(Sender* sender, Signal signal, std::function<void()> command)
    {
        connect(sender, signal, this, [this, command = std::move(command)] { runCommand(command); });
    }

    // A work page: its tool bar on top and the layout below it, into which the page
    // puts its content.
    QVBoxLayout* makeWorkPageLayout();
    // Adds the content to the layout inside a scroll area that takes the room left:
    // the content is never made smaller than its designed size, and scrolls when the
    // page is smaller than that.
    void addScrolledContent(QVBoxLayout* layout, QWidget* content, QSize designSize);
    // Appends a button to the page's tool bar that runs the command.
    QAction* addToolBarCommand(const QString& caption, std::function<void()> command);
    // A command of a button inside the page: it joins the page's commands (menu and
    // shortcut) without a tool bar button; the button triggers it.
    QAction* addPageCommand(const QString& caption, std::function<void()> command);
    QToolBar* toolBar() const { return m_toolBar; }
    // A result page's 导出结果, 结果兑奖 and 打印结果 on its tool bar, with Ctrl+E, Ctrl+F
    // and Ctrl+P, and 按最新一期兑奖 (Ctrl+Shift+F) among its commands; their actions
    // in that order.
    QList<QAction*> addResultCommands(std::function<void()> exportResult, std::function<void()> checkPrize,
        std::function<void()> printResult, std::function<void()> checkLatestDraw);

    // Ctrl+R runs the page's main command (号码缩水, 智能缩水); F8 shows the result window.
    static constexpr QKeyCombination kRunShortcut { Qt::CTRL, Qt::Key_R };
    static constexpr QKeyCombination kViewResultShortcut { Qt::Key_F8 };

    void showEvent(QShowEvent* event) override;
    // For a page that makes its content when first needed (make): before it is shown,
    // or as it shows, its new controls then shown with it. Start-up makes none of it.
    void makeContentOnShow(QShowEvent* event, const std::function<void()>& make);

private:
    Platform& m_platform;
    QToolBar* m_toolBar = nullptr;
    QList<QAction*> m_pageCommands;
    // Between the tool bar's commands and the page's own in the menu.
    QAction* m_commandSeparator = nullptr;
};

} // namespace velmora
