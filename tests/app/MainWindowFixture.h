// Builds a main window in its own temporary application folder with a fake Platform.
#pragma once

#include "app/FakePlatform.h"

#include "app/MainWindow.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The first count lines of the real draw history, CR LF ended.
inline QByteArray HistoryLines(int count)
{
    const QByteArray all = ReadBytes(QStringLiteral(VELMORA_DATA_DIR "/3d-history.txt"));
    const QList<QByteArray> lines = all.split('\n');
    QByteArray out;
    for (int i = 0; i < count && i < lines.size(); ++i) {
        if (!lines[i].trimmed().isEmpty())
            out += lines[i].trimmed() + "\r\n";
    }
    return out;
}

struct MainFormFixture {
    QTemporaryDir Folder;
    FakePlatform Platform;
    std::unique_ptr<velmora::MainWindow> Form;

    QString Path(const QString& name) const { return Folder.filePath(name); }
    QString DataFile() const { return Path(QStringLiteral("lotdata.ldf")); }

    velmora::MainWindow& Start(int downloadTimeoutMs = 15000)
    {
        velmora::MainWindowOptions options;
        options.webEngine = false;
        options.downloadTimeoutMs = downloadTimeoutMs;
        Form = std::make_unique<velmora::MainWindow>(Platform, Folder.path(), options);
        return *Form;
    }

    // Shown and active, so that shortcut keys reach the window.
    velmora::MainWindow& StartShown(int downloadTimeoutMs = 15000)
    {
        Start(downloadTimeoutMs);
        Form->show();
        Form->activateWindow();
        if (!QTest::qWaitForWindowActive(Form.get()))
            qWarning("main window did not become active");
        return *Form;
    }
};
