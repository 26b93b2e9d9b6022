// The help text in a window of the program's own, for a system that cannot open
// readme.txt itself: the text read-only and wrapped by the window's width, in a
// window that opens centred on the main window.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace velmora {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the text under the file's name in the caption, from its first line; a
    // window that was hidden opens centred on its parent's window.
    void showText(const QString& fileName, const QString& text);
    QString text() const;

private:
    // Moves the window so that its centre is the owner's, inside the owner's screen.
    void centreOn(const QWidget& owner);

    QPlainTextEdit* m_text = nullptr;
};

} // namespace velmora
