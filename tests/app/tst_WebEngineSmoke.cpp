// Starts the main window with a site and the real web view plugin: Qt WebEngine is
// mapped only once the window has been painted, and the view then loads the site.
#include "app/MainWindowFixture.h"
#include "support/MappedLibraries.h"

#include "app/WebPanel.h"

#include <QSignalSpy>

#include <cstdlib>
#include <unistd.h>

using velmora::test::mappedLibraries;

namespace {

// Before the application object exists: the engine needs both to start here.
const bool kEnginePrepared = [] {
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}();

} // namespace

class tst_WebEngineSmoke : public QObject {
    Q_OBJECT

private slots:
    void siteLoadsThroughPluginAfterShow();
};

void tst_WebEngineSmoke::siteLoadsThroughPluginAfterShow()
{
#ifndef VELMORA_HAVE_WEBPANEL_PLUGIN
    QSKIP("built without Qt WebEngine, so without the web view plugin");
#else
    QVERIFY(kEnginePrepared);
    MainWindowFixture f;
    QVERIFY(writeFile(f.path(QStringLiteral("site.html")),
        QByteArrayLiteral("<html><head><title>Velmora site</title></head><body>news</body></html>")));
    qputenv("VELMORA_SITE", QUrl::fromLocalFile(f.path(QStringLiteral("site.html"))).toString().toUtf8());
    velmora::MainWindowOptions options;
    options.webEngine = true;
    f.window = std::make_unique<velmora::MainWindow>(f.platform, f.dataFile(), options);
    auto* panel = velmora::test::find<velmora::WebPanel>(f.window.get());
    QSignalSpy loaded(panel, &velmora::WebPanel::pageLoaded);
    QCOMPARE(mappedLibraries(QStringLiteral("libQt6WebEngine")), QStringList());
    QCOMPARE(panel->currentView()->objectName(), QStringLiteral("webBrowser"));

    f.window->show();
    QTRY_VERIFY(panel->webView() != nullptr);
    QVERIFY(!mappedLibraries(QStringLiteral("libQt6WebEngineCore")).isEmpty());
    QCOMPARE(panel->currentView(), panel->webView());
    QVERIFY(loaded.wait(30000) || !loaded.isEmpty());
    QCOMPARE(loaded.first().first().toBool(), true);
    QCOMPARE(panel->webView()->property("title").toString(), QStringLiteral("Velmora site"));

    QWidget* view = panel->webView();
    f.trigger("showDataPage");
    f.trigger("showWebSite");
    QCOMPARE(f.window->frontArea(), panel);
    QCOMPARE(panel->webView(), view);
    QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 2, 30000);
    qunsetenv("VELMORA_SITE");
#endif
}

QTEST_MAIN(tst_WebEngineSmoke)
#include "tst_WebEngineSmoke.moc"
