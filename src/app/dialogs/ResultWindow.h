// The result window "查看缩水结果": a tool window beside the main window, or docked
// at its right where the screen has no room beside it (see ToolWindow), holding one
// memo that the filter page fills, shows and hides, under a tool bar of the commands
// that act on that result from here.
#pragma once

#include "app/dialogs/ToolWindow.h"

#include <QRect>

class QAction;
class QLabel;
class QPlainTextEdit;
class QToolBar;

namespace velmora {

class Platform;

class ResultWindow : public ToolWindow {
    Q_OBJECT

public:
    static constexpr QSize kDesignSize { 361, 391 };

    // A tool window of parent's; floating, it stays above its owner only, never above
    // dialogs. The user's choice between floating and docked is kept through platform.
    explicit ResultWindow(Platform& platform, QWidget* parent = nullptr);

    // The memo the filter page fills and its result commands search and print. Its
    // lines are never wrapped, so that no code is broken across two lines; a narrow
    // window scrolls sideways.
    QPlainTextEdit* memo() const { return m_memo; }
    // The line above the memo where a prize check's verdict stands whole; hidden
    // while empty.
    QLabel* verdictLine() const { return m_verdictLine; }
    // A button with the caption on the window's tool bar; its action.
    QAction* addCommand(const QString& caption);

    // Shows the window, or raises it when it is already shown. Docked when there is no
    // room beside the owner (or the user docked it). Floating, it is placed beside its
    // owner (see resultWindowPlace) the first time, after it was docked, and whenever
    // it would cover the owner's tool bars; otherwise it keeps the place the user gave it.
    void showBeside(const QRect& ownerFrame, int keepClearBottom);

protected:
    QSize designSize() const override { return kDesignSize; }

private:
    QPlainTextEdit* m_memo = nullptr;
    QLabel* m_verdictLine = nullptr;
    QToolBar* m_toolBar = nullptr;
    bool m_placed = false;
};

} // namespace velmora
