// The Platform on real Qt dialogs, network and printer.
#pragma once

#include "Main/Platform.h"

class QPrinter;

namespace velmora {

class QtPlatform : public Platform {
public:
    void ShowMessage(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text) override;
    TSaveChoice AskSaveChanges(QWidget* parent, const QString& text) override;
    QString InputBox(
        QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) override;
    QString OpenFileName(QWidget* parent, const QString& filter, const QString& defaultExt) override;
    QString SaveFileName(QWidget* parent, const QString& filter, const QString& defaultExt,
        const QString& initialName) override;
    bool Download(QWidget* parent, const QUrl& url, const QString& path, int timeoutMs) override;
    bool PrintLines(QWidget* parent, const QStringList& lines, int pointSize) override;
    void ShellOpen(const QUrl& url) override;
    void ShowAbout(QWidget* parent, const QString& title, const QString& text) override;
    QDateTime Now() override;
};

// "文本文件|*.txt" as a Qt name filter list: "文本文件 (*.txt)".
QString QtNameFilters(const QString& filter);

// The download behind QtPlatform::Download, with its application-modal progress
// dialog (shown after a moment) whose Cancel aborts the transfer.
bool DownloadUrlToFile(QWidget* parent, const QUrl& url, const QString& path, int timeoutMs);

// Prints the lines on an already set-up printer; raises std::runtime_error when the
// printer cannot be opened.
void PrintLinesTo(QPrinter& printer, const QStringList& lines, int pointSize);

} // namespace velmora
