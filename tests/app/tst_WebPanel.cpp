// The web panel: the start page in a text browser without a site, the site's address
// with a button where the web view plugin cannot be loaded, and no Qt WebEngine
// library in the process unless a site has been shown.
#include "app/MainWindowFixture.h"
#include "support/MappedLibraries.h"

#include "app/WebPanel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBrowser>

using velmora::WebPanel;
using velmora::test::find;
using velmora::test::mappedLibraries;

namespace {

const QString kSite = QStringLiteral("http://127.0.0.1:9/news");

// The libraries a web view brings: none may be mapped before a site is shown.
QStringList webLibraries()
{
    return mappedLibraries(QStringLiteral("libQt6WebEngine")) + mappedLibraries(QStringLiteral("libQt6Quick"))
        + mappedLibraries(QStringLiteral("libQt6Qml"));
}

} // namespace

class tst_WebPanel : public QObject {
    Q_OBJECT

private slots:
    void noSiteNeverMapsWebEngine();
    void helpAndStartPageNameEveryKey();
    void siteWithoutPlugin_data();
    void siteWithoutPlugin();
};

void tst_WebPanel::noSiteNeverMapsWebEngine()
{
    qunsetenv("VELMORA_SITE");
    MainWindowFixture f;
    // The plugin folders of the build, where the real plugin lies when it was built.
    velmora::MainWindowOptions options;
    options.webEngine = true;
    f.window = std::make_unique<velmora::MainWindow>(f.platform, f.folder.path(), options);
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    auto* panel = find<WebPanel>(f.window.get());
    f.trigger("showDataPage");
    f.trigger("showTrendChart");
    f.trigger("showWebSite");
    f.trigger("showNews");
    QTest::qWait(50);
    QCOMPARE(f.window->frontArea(), panel);
    QCOMPARE(panel->currentView()->objectName(), QStringLiteral("webBrowser"));
    const QString startPage = find<QTextBrowser>(panel, QStringLiteral("webBrowser"))->toPlainText();
    QVERIFY(startPage.contains(u"Velmora V6.00"));
    // Every chart's key, the omission table's included.
    QVERIFY(startPage.contains(
        u"（Ctrl+F1 至 Ctrl+F7）：走势图、K线分布图、和值与合值分布图、奇偶与大小走势图、遗漏统计表；"));
    QCOMPARE(panel->webView(), nullptr);
    QCOMPARE(webLibraries(), QStringList());
}

// The help file names every menu command that has a key, with its key; the start
// page names the keys of every command outside the chart menu.
void tst_WebPanel::helpAndStartPageNameEveryKey()
{
    qunsetenv("VELMORA_SITE");
    MainWindowFixture f;
    f.start();
    QFile file(QStringLiteral(VELMORA_TEST_DATA_DIR "/../../resources/readme.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString help = QString::fromUtf8(file.readAll());
    const QString startPage
        = find<QTextBrowser>(find<WebPanel>(f.window.get()), QStringLiteral("webBrowser"))->toPlainText();
    for (QAction* menu : f.window->menuBar()->actions()) {
        if (menu->menu() == nullptr || menu->menu()->objectName() == QStringLiteral("pageMenu"))
            continue;
        for (QAction* action : menu->menu()->actions()) {
            if (action->shortcut().isEmpty())
                continue;
            const QString key = action->shortcut().toString(QKeySequence::PortableText);
            const QString name = action->text().section(u'(', 0, 0);
            QVERIFY2(help.contains(key) && help.contains(name), qPrintable(name + QLatin1Char(' ') + key));
            if (menu->text() != QStringLiteral("分析图表(&G)"))
                QVERIFY2(startPage.contains(u'（' + key), qPrintable(name + QLatin1Char(' ') + key));
        }
    }
}

void tst_WebPanel::siteWithoutPlugin_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("pluginFile"); // copied into the first folder as the plugin

    QTest::newRow("no folder to look in") << QStringList() << QString();
    QTest::newRow("folder missing") << QStringList { QStringLiteral("missing") } << QString();
    QTest::newRow("folder without the plugin") << QStringList { QStringLiteral("plugins") } << QString();
    QTest::newRow("file that is no library")
        << QStringList { QStringLiteral("plugins") } << QStringLiteral(VELMORA_HISTORY_FILE);
    QTest::newRow("Qt plugin of another interface")
        << QStringList { QStringLiteral("plugins"), QStringLiteral("missing") }
        << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqoffscreen.so");
}

void tst_WebPanel::siteWithoutPlugin()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, pluginFile);
    QTemporaryDir root;
    QStringList paths;
    for (const QString& folder : folders)
        paths << root.filePath(folder);
    if (folders.contains(QStringLiteral("plugins")))
        QVERIFY(QDir(root.path()).mkdir(QStringLiteral("plugins")));
    if (!pluginFile.isEmpty())
        QVERIFY(QFile::copy(pluginFile, root.filePath(QStringLiteral("plugins/libvelmora_webpanel.so"))));

    FakePlatform platform;
    qputenv("VELMORA_SITE", kSite.toUtf8());
    WebPanel panel(platform, paths, nullptr);
    panel.resize(400, 300);
    panel.show();
    // Before the window has been painted a site is the start page with its address.
    panel.showSite();
    QCOMPARE(panel.currentView()->objectName(), QStringLiteral("webBrowser"));
    QVERIFY(find<QTextBrowser>(&panel, QStringLiteral("webBrowser"))->toPlainText().contains(kSite));

    panel.windowPainted();
    qunsetenv("VELMORA_SITE");
    QCOMPARE(panel.currentView()->objectName(), QStringLiteral("siteFallback"));
    QVERIFY(panel.currentView()->isVisible());
    QCOMPARE(find<QLabel>(&panel, QStringLiteral("siteAddress"))->text(), kSite);
    QCOMPARE(panel.webView(), nullptr);
    QTest::mouseClick(find<QPushButton>(&panel, QStringLiteral("openSiteButton")), Qt::LeftButton);
    QCOMPARE(platform.opened, QList<QUrl> { QUrl(kSite) });
    QCOMPARE(webLibraries(), QStringList());

    // Without a site again the panel is the start page.
    panel.showSite();
    QCOMPARE(panel.currentView()->objectName(), QStringLiteral("webBrowser"));
}

QTEST_MAIN(tst_WebPanel)
#include "tst_WebPanel.moc"
