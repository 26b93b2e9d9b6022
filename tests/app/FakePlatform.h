// A Platform for tests: records what the window shows and answers dialogs from a script.
#pragma once

#include "app/platform/Platform.h"
#include "app/platform/QtPlatform.h"

#include <QList>
#include <QMap>
#include <QStringList>

class FakePlatform : public velmora::Platform {
public:
    QStringList Messages;
    QStringList Confirmations;
    bool ConfirmAnswer = false;
    int SaveQuestions = 0;
    velmora::SaveChoice SaveAnswer = velmora::SaveChoice::Cancel;
    QStringList InputAnswers;
    QString OpenAnswer;
    QStringList OpenFilters;
    QString SaveNameAnswer;
    QList<QUrl> Downloads;
    QList<QStringList> Printed;
    QList<QUrl> Opened;
    QStringList Abouts;
    QDateTime FixedNow = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));

    void showMessage(QWidget*, const QString& text) override { Messages << text; }
    bool confirm(QWidget*, const QString& text) override
    {
        Confirmations << text;
        return ConfirmAnswer;
    }
    velmora::SaveChoice askSaveChanges(QWidget*, const QString&) override
    {
        ++SaveQuestions;
        return SaveAnswer;
    }
    QString inputBox(QWidget*, const QString&, const QString&, const QString&) override
    {
        return InputAnswers.isEmpty() ? QString() : InputAnswers.takeFirst();
    }
    QString openFileName(QWidget*, const QString& filter, const QString&) override
    {
        OpenFilters << filter;
        return OpenAnswer;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return SaveNameAnswer;
    }
    // The real transfer (without the dialog ever appearing for short ones), so tests
    // exercise it against their own server.
    bool download(QWidget* parent, const QUrl& url, const QString& path, int timeoutMs) override
    {
        Downloads << url;
        return velmora::downloadUrlToFile(parent, url, path, timeoutMs);
    }
    bool printLines(QWidget*, const QStringList& lines, int) override
    {
        Printed << lines;
        return true;
    }
    void shellOpen(const QUrl& url) override { Opened << url; }
    void showAbout(QWidget*, const QString& title, const QString& text) override
    {
        Abouts << title + QLatin1Char('|') + text;
    }
    QDateTime now() override { return FixedNow; }

    QMap<QString, QVariant> Settings;
    QVariant setting(const QString& key, const QVariant& defaultValue) override
    {
        return Settings.value(key, defaultValue);
    }
    void setSetting(const QString& key, const QVariant& value) override { Settings.insert(key, value); }
};
