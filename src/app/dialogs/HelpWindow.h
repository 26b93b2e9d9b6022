// The help text in a window of the program's own, for a system that cannot open
// readme.txt itself: the text read-only, in a window beside the main window.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace velmora {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the text under the file's name in the caption, from its first line.
    void showText(const QString& fileName, const QString& text);
    QString text() const;

private:
    QPlainTextEdit* m_text = nullptr;
};

} // namespace velmora
