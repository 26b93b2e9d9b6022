// A Platform for tests: records what the window shows and answers dialogs from a script.
#pragma once

#include "app/platform/Platform.h"
#include "app/platform/QtPlatform.h"

#include <QList>
#include <QMap>
#include <QStringList>

class FakePlatform : public velmora::Platform {
public:
    QStringList messages;
    QStringList confirmations;
    bool confirmAnswer = false;
    int saveQuestions = 0;
    velmora::SaveChoice saveAnswer = velmora::SaveChoice::Cancel;
    QStringList inputAnswers;
    QString openAnswer;
    QStringList openFilters;
    QString saveNameAnswer;
    // The name each save dialog offered first.
    QStringList offeredSaveNames;
    QList<QUrl> downloads;
    QList<QStringList> printed;
    QList<QUrl> opened;
    QStringList abouts;
    QDateTime fixedNow = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));

    void showMessage(QWidget*, const QString& text) override { messages << text; }
    bool confirm(QWidget*, const QString& text) override
    {
        confirmations << text;
        return confirmAnswer;
    }
    velmora::SaveChoice askSaveChanges(QWidget*, const QString&) override
    {
        ++saveQuestions;
        return saveAnswer;
    }
    QString inputBox(QWidget*, const QString&, const QString&, const QString&) override
    {
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    QString openFileName(QWidget*, const QString& filter, const QString&) override
    {
        openFilters << filter;
        return openAnswer;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString& initialName) override
    {
        offeredSaveNames << initialName;
        return saveNameAnswer;
    }
    // The real transfer (without the dialog ever appearing for short ones), so tests
    // exercise it against their own server.
    bool download(QWidget* parent, const QUrl& url, const QString& path, int timeoutMs) override
    {
        downloads << url;
        return velmora::downloadUrlToFile(parent, url, path, timeoutMs);
    }
    bool printLines(QWidget*, const QStringList& lines, int) override
    {
        printed << lines;
        return true;
    }
    void shellOpen(const QUrl& url) override { opened << url; }
    void showAbout(QWidget*, const QString& title, const QString& text) override
    {
        abouts << title + QLatin1Char('|') + text;
    }
    QDateTime now() override { return fixedNow; }

    QMap<QString, QVariant> settings;
    QVariant setting(const QString& key, const QVariant& defaultValue) override
    {
        return settings.value(key, defaultValue);
    }
    void setSetting(const QString& key, const QVariant& value) override { settings.insert(key, value); }
};
