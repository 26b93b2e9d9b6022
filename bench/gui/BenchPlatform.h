// A Platform for the GUI benchmark: dialogs answer at once from fixed values, so no
// command ever waits for a user.
#pragma once

#include "app/platform/Platform.h"

#include <QDialog>
#include <QVariant>

#include <functional>

class BenchPlatform : public velmora::Platform {
public:
    // The file "导入数据" reads.
    QString openAnswer;
    int messages = 0;
    // The choice the questions with several buttons get (the import's 合并/替换/取消).
    int chooseAnswer = 0;
    // Fills and closes a dialog as a user would; none: the dialog is cancelled.
    std::function<int(QDialog&)> dialogScript;

    void showMessage(QWidget*, const QString&) override { ++messages; }
    void showWarning(QWidget*, const QString&) override { ++messages; }
    bool confirm(QWidget*, const QString&) override { return true; }
    velmora::SaveChoice askSaveChanges(QWidget*, const QString&) override
    {
        return velmora::SaveChoice::Discard;
    }
    QString inputBox(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return openAnswer; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    velmora::DownloadResult download(QWidget*, const QUrl&, const QString&, int) override
    {
        return velmora::DownloadResult::failed(QStringLiteral("基准测试不连网"));
    }
    bool printLines(QWidget*, const QStringList&, int) override { return false; }
    bool shellOpen(const QUrl&) override { return false; }
    void showAbout(QWidget*, const QString&, const QString&) override { }
    QDateTime now() override { return QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)); }
    QVariant setting(const QString&, const QVariant& defaultValue) override { return defaultValue; }
    void setSetting(const QString&, const QVariant&) override { }
    int choose(QWidget*, const QString&, const QStringList&) override { return chooseAnswer; }
    int chooseOnWarning(QWidget*, const QString&, const QStringList&) override { return chooseAnswer; }
    int runDialog(QDialog& dialog) override
    {
        return dialogScript ? dialogScript(dialog) : int(QDialog::Rejected);
    }
};
