// The result window "查看缩水结果": an ordinary tool window beside the main window
// holding one memo that the filter page fills, shows and hides.
#pragma once

#include <QRect>
#include <QWidget>

class QPlainTextEdit;

namespace velmora {

// Where the result window goes (frame rectangles, global coordinates): right of the
// owner's frame when the screen has room there, top-aligned with it; otherwise at
// the right edge of the screen, with its top below keepClearBottom (the owner's tool
// bars end there) so that it never covers them. A window taller than the room left
// below is cut to that room (never below minHeight).
QRect resultWindowPlace(
    const QRect& screen, const QRect& ownerFrame, int keepClearBottom, QSize frameSize, int minHeight);

class ResultWindow : public QWidget {
    Q_OBJECT

public:
    // A tool window of parent's; it stays above its owner only, never above dialogs.
    explicit ResultWindow(QWidget* parent = nullptr);

    // The memo the filter page fills and its result commands search and print.
    QPlainTextEdit* memo() const { return m_memo; }

    // Shows the window, or raises it when it is already shown. The first time, and
    // whenever it would cover the owner's tool bars, it is placed beside its owner
    // (see resultWindowPlace); otherwise it keeps the place the user gave it.
    void showBeside(const QRect& ownerFrame, int keepClearBottom);

private:
    QPlainTextEdit* m_memo = nullptr;
    bool m_placed = false;
};

} // namespace velmora
