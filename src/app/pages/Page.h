// What every page of the window shares: the Platform it reports through, commands
// whose errors end in a message box instead of crossing the event loop, and the
// signals by which it tells the window what happened.
#pragma once

#include <QWidget>

#include <functional>

class QToolBar;
class QVBoxLayout;

namespace velmora {

class Platform;

class Page : public QWidget {
    Q_OBJECT

public:
    Page(Platform& platform, QWidget* parent);

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
    // Appends a button to the page's tool bar that runs the command.
    QAction* addToolBarCommand(const QString& caption, std::function<void()> command);
    QToolBar* toolBar() const { return m_toolBar; }

    void showEvent(QShowEvent* event) override;

private:
    Platform& m_platform;
    QToolBar* m_toolBar = nullptr;
};

} // namespace velmora
