// Every service of the desktop that the windows use, behind one interface so
// that tests can answer dialogs with scripted values and never block.
#pragma once

#include "app/platform/UrlDownload.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>

class QDialog;
class QWidget;

namespace velmora {

enum class SaveChoice { Save, Discard, Cancel };

class Platform {
public:
    virtual ~Platform() = default;

    // Modal information box: caption "Velmora", one OK button.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // The same with the warning icon: for failures and refusals.
    virtual void showWarning(QWidget* parent, const QString& text) = 0;
    // Modal yes/no question; true for yes. No is the default answer.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // Save / discard / cancel question; Cancel is the default button.
    virtual SaveChoice askSaveChanges(QWidget* parent, const QString& text) = 0;
    // Modal question with one button per choice; the index of the one clicked. The last
    // choice is the cancel: Escape and closing the box give it, and it is the default.
    virtual int choose(QWidget* parent, const QString& text, const QStringList& choices) = 0;
    // The same with the warning icon: a failure that offers a way on.
    virtual int chooseOnWarning(QWidget* parent, const QString& text, const QStringList& choices) = 0;
    // Runs a dialog of the program modally; QDialog::Accepted or Rejected.
    virtual int runDialog(QDialog& dialog) = 0;
    // Modal input box; the empty text when cancelled.
    virtual QString inputBox(
        QWidget* parent, const QString& caption, const QString& prompt, const QString& initial)
        = 0;
    // File dialogs. filter is written "label|pattern[|label|pattern...]" ("文本文件|*.txt");
    // defaultExt (without dot) is appended to a typed name without one. Empty on cancel.
    virtual QString openFileName(QWidget* parent, const QString& filter, const QString& defaultExt) = 0;
    virtual QString saveFileName(
        QWidget* parent, const QString& filter, const QString& defaultExt, const QString& initialName)
        = 0;
    // Downloads url into the file at path (see downloadUrlToFile): done only when the
    // server answered 2xx and the whole body now stands in the file; otherwise why
    // not, or that the user cancelled. timeoutMs without any data is a failure.
    virtual DownloadResult download(QWidget* parent, const QUrl& url, const QString& path, int timeoutMs) = 0;
    // Prints the lines, one printed line each, at pointSize, on a printer (or PDF file)
    // the user picks. False when the user cancels; a printer that cannot be opened
    // raises std::runtime_error.
    virtual bool printLines(QWidget* parent, const QStringList& lines, int pointSize) = 0;
    // Opens a document or address with its default application; false when the
    // system has no way to open it (no launcher, no application for it).
    virtual bool shellOpen(const QUrl& url) = 0;
    virtual void showAbout(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual QDateTime now() = 0;

    // Settings kept between runs: the stored value of key, or defaultValue when the
    // key was never set.
    virtual QVariant setting(const QString& key, const QVariant& defaultValue) = 0;
    virtual void setSetting(const QString& key, const QVariant& value) = 0;
};

} // namespace velmora
