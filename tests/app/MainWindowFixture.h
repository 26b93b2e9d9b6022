// Builds a main window over the data file of its own temporary folder (which also
// stands for the program's folder) with a fake Platform, and finds its pages and
// commands as a user would reach them. Without a data file there, the window starts
// as on a first run.
#pragma once

#include "app/FakePlatform.h"
#include "support/TestFiles.h"
#include "support/Widgets.h"

#include "app/HistoryDocument.h"
#include "app/MainWindow.h"
#include "app/pages/DataPage.h"
#include "app/pages/FilterPage.h"
#include "app/pages/RecommendPage.h"
#include "app/pages/SmartShrinkPage.h"

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using velmora::test::historyLines;
using velmora::test::readFile;
using velmora::test::realHistoryBytes;
using velmora::test::writeFile;

struct MainWindowFixture {
    QTemporaryDir folder;
    FakePlatform platform;
    std::unique_ptr<velmora::MainWindow> window;

    QString path(const QString& name) const { return folder.filePath(name); }
    QString dataFile() const { return path(QStringLiteral("lotdata.ldf")); }

    velmora::MainWindow& start(int downloadTimeoutMs = 15000)
    {
        return startWith(platform, downloadTimeoutMs);
    }

    // A window over another Platform (a subclass of the fake, say).
    velmora::MainWindow& startWith(velmora::Platform& other, int downloadTimeoutMs = 15000)
    {
        velmora::MainWindowOptions options;
        options.webEngine = false;
        options.downloadTimeoutMs = downloadTimeoutMs;
        options.programFolder = folder.path();
        window = std::make_unique<velmora::MainWindow>(other, dataFile(), options);
        return *window;
    }

    // Shown and active, so that shortcut keys reach the window.
    velmora::MainWindow& startShown(int downloadTimeoutMs = 15000)
    {
        start(downloadTimeoutMs);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("main window did not become active");
        return *window;
    }

    // Runs a menu command by its action's name ("showFilterPage", "showTrendChart" ...).
    void trigger(const char* action) const
    {
        velmora::test::find<QAction>(window.get(), QString::fromLatin1(action))->trigger();
    }

    velmora::DataPage& dataPage() const { return *velmora::test::find<velmora::DataPage>(window.get()); }
    velmora::FilterPage& filterPage() const
    {
        return *velmora::test::find<velmora::FilterPage>(window.get());
    }
    velmora::SmartShrinkPage& smartShrinkPage() const
    {
        return *velmora::test::find<velmora::SmartShrinkPage>(window.get());
    }
    velmora::RecommendPage& recommendPage() const
    {
        return *velmora::test::find<velmora::RecommendPage>(window.get());
    }
    velmora::HistoryDocument& document() const
    {
        return *velmora::test::find<velmora::HistoryDocument>(window.get());
    }
    const velmora::DrawHistory& history() const { return document().records(); }

    // A part of the window by object name.
    template <typename T> T* part(const char* name) const
    {
        return velmora::test::find<T>(window.get(), QString::fromLatin1(name));
    }
    // Puts text into the status bar's first panel, as a hint would.
    void setStatusText(const QString& text) const { part<QLabel>("statusMessage")->setText(text); }
};
