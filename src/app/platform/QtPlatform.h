// The Platform on real Qt dialogs, network and printer. The print dialog opens on
// the PDF file of the last print that went to one (kept in the settings too, so a
// new session starts from it).
#pragma once

#include "app/platform/Platform.h"
#include "app/platform/UrlDownload.h"

class QPrinter;

namespace velmora {

class QtPlatform : public Platform {
public:
    void showMessage(QWidget* parent, const QString& text) override;
    void showWarning(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    SaveChoice askSaveChanges(QWidget* parent, const QString& text) override;
    int choose(QWidget* parent, const QString& text, const QStringList& choices) override;
    int chooseOnWarning(QWidget* parent, const QString& text, const QStringList& choices) override;
    int runDialog(QDialog& dialog) override;
    QString inputBox(
        QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) override;
    QString openFileName(QWidget* parent, const QString& filter, const QString& defaultExt) override;
    QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultExt,
        const QString& initialName) override;
    DownloadResult download(QWidget* parent, const QUrl& url, const QString& path, int timeoutMs) override;
    bool printLines(QWidget* parent, const QStringList& lines, int pointSize) override;
    bool shellOpen(const QUrl& url) override;
    void showAbout(QWidget* parent, const QString& title, const QString& text) override;
    QDateTime now() override;

    QVariant setting(const QString& key, const QVariant& defaultValue) override;
    void setSetting(const QString& key, const QVariant& value) override;

private:
    // The PDF file the last print wrote to; empty when it went to a printer.
    QString m_lastPrintToPdf;
};

// "文本文件|*.txt" as a Qt name filter list: "文本文件 (*.txt)".
QString qtNameFilters(const QString& filter);

// Prints the lines on an already set-up printer; raises std::runtime_error when the
// printer cannot be opened.
void printLinesTo(QPrinter& printer, const QStringList& lines, int pointSize);

} // namespace velmora
