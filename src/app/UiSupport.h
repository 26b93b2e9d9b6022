// Small helpers shared by the windows and pages.
#pragma once

#include <QFont>
#include <QString>

#include <string>

class QAction;
class QLabel;
class QPlainTextEdit;
class QToolBar;
class QWidget;

namespace velmora {

// The font of the windows: 宋体 at 14 pixels, with the CJK fonts of Linux as fall-backs.
QFont appFont();

// Keeps a memo's selection drawn in the active colours while it has no focus,
// so that a code found in it stays marked.
void keepSelectionVisible(QPlainTextEdit* memo);

// A result page's code memo at (8, 48), 353 x 281: plain text, a vertical scroll
// bar, its selection kept visible, and Tab moving on to the next control.
QPlainTextEdit* makeCodeMemo(QWidget* parent, const QString& name);
// The count label above a code memo, at (11, 24), reading "总共0注号码" at first.
QLabel* makeCountLabel(QWidget* parent, const QString& name);

// The tool bar at the top of a work page: captions only, 29 pixels high.
QToolBar* makePageToolBar(QWidget* page);
// Appends a button of 63 pixels width with the caption to a page's tool bar; Tab
// reaches it.
QAction* addPageButton(QToolBar* bar, const QString& caption);

inline QString toQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toStdString(const QString& text) { return text.toUtf8().toStdString(); }

// A text of the core (a message, a file's text), its lines ended or joined by CR LF,
// as Qt's widgets take text: lines joined by '\n'.
QString toUiText(const std::string& text);

} // namespace velmora
