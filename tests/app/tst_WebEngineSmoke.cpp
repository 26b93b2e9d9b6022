// Starts the main window with the real web engine panel: the view appears only
// after the window is shown and loads the start page built into the program.
#include "app/MainWindowFixture.h"

#include <cstdlib>
#include <unistd.h>

#include "app/WebPanel.h"

#ifdef VELMORA_HAVE_WEBENGINE
#include <QWebEngineView>
#endif

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
    void startPageLoadsAfterShow();
};

void tst_WebEngineSmoke::startPageLoadsAfterShow()
{
#ifndef VELMORA_HAVE_WEBENGINE
    QSKIP("built without Qt WebEngine");
#else
    QVERIFY(kEnginePrepared);
    qunsetenv("VELMORA_SITE");
    MainWindowFixture f;
    velmora::MainWindowOptions options;
    options.webEngine = true;
    f.window = std::make_unique<velmora::MainWindow>(f.platform, f.dataFile(), options);
    const auto* panel = velmora::test::find<velmora::WebPanel>(f.window.get());
    QCOMPARE(panel->browser(), nullptr);
    f.window->show();
    QTRY_VERIFY(panel->browser() != nullptr);
    auto* view = qobject_cast<QWebEngineView*>(panel->browser());
    QVERIFY(view);
    QTRY_COMPARE_WITH_TIMEOUT(view->title(), QStringLiteral("Velmora"), 30000);
    QCOMPARE(f.window->frontArea(), panel);
    f.trigger("showDataPage");
    f.trigger("showWebSite");
    QCOMPARE(f.window->frontArea(), panel);
    QTRY_COMPARE_WITH_TIMEOUT(view->title(), QStringLiteral("Velmora"), 30000);
#endif
}

QTEST_MAIN(tst_WebEngineSmoke)
#include "tst_WebEngineSmoke.moc"
