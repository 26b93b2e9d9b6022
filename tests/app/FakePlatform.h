// A Platform for tests: records what the window shows and answers dialogs from a script.
#pragma once

#include "app/platform/Platform.h"
#include "app/platform/QtPlatform.h"

#include <QDialog>
#include <QList>
#include <QMap>
#include <QStringList>

#include <functional>

class FakePlatform : public velmora::Platform {
public:
    // The text of every message box, warnings included, in order.
    QStringList messages;
    QStringList warnings;
    QStringList confirmations;
    bool confirmAnswer = false;
    int saveQuestions = 0;
    velmora::SaveChoice saveAnswer = velmora::SaveChoice::Cancel;
    QStringList choiceQuestions;
    // Indexes answered in turn; the last choice (the cancel) when none is left.
    QList<int> choiceAnswers;
    // Window titles of the dialogs run, in order.
    QStringList dialogsRun;
    // Plays the user's part in a dialog run; without it the dialog is rejected unseen.
    std::function<int(QDialog&)> dialogScript;
    QStringList inputAnswers;
    QString openAnswer;
    QStringList openFilters;
    QString saveNameAnswer;
    // The name each save dialog offered first.
    QStringList offeredSaveNames;
    QList<QUrl> downloads;
    QList<QStringList> printed;
    QList<QUrl> opened;
    // What shellOpen answers: false stands for a system without a launcher.
    bool shellOpenAnswer = true;
    QStringList abouts;
    QDateTime fixedNow = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));

    void showMessage(QWidget*, const QString& text) override { messages << text; }
    void showWarning(QWidget*, const QString& text) override
    {
        messages << text;
        warnings << text;
    }
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
    int choose(QWidget*, const QString& text, const QStringList& choices) override
    {
        choiceQuestions << text + QLatin1Char('|') + choices.join(QLatin1Char('/'));
        return choiceAnswers.isEmpty() ? int(choices.size()) - 1 : choiceAnswers.takeFirst();
    }
    // Warnings that offer choices, recorded and answered as the questions of choose().
    QStringList warningQuestions;
    int chooseOnWarning(QWidget*, const QString& text, const QStringList& choices) override
    {
        warningQuestions << text + QLatin1Char('|') + choices.join(QLatin1Char('/'));
        return choiceAnswers.isEmpty() ? int(choices.size()) - 1 : choiceAnswers.takeFirst();
    }
    int runDialog(QDialog& dialog) override
    {
        dialogsRun << dialog.windowTitle();
        return dialogScript ? dialogScript(dialog) : int(QDialog::Rejected);
    }
    // The text each input box offered.
    QStringList inputOffers;
    QString inputBox(QWidget*, const QString&, const QString&, const QString& offered) override
    {
        inputOffers << offered;
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
    // exercise it against their own server; any other host fails unasked, so that no
    // test reaches the network (the default update sources, say).
    velmora::DownloadResult download(
        QWidget* parent, const QUrl& url, const QString& path, int timeoutMs) override
    {
        downloads << url;
        if (url.host() != QLatin1String("127.0.0.1") && url.host() != QLatin1String("localhost"))
            return velmora::DownloadResult::failed(QStringLiteral("测试不连外网"));
        return velmora::downloadUrlToFile(parent, url, path, timeoutMs);
    }
    bool printLines(QWidget*, const QStringList& lines, int) override
    {
        printed << lines;
        return true;
    }
    bool shellOpen(const QUrl& url) override
    {
        opened << url;
        return shellOpenAnswer;
    }
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
