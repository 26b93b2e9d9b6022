// The Velmora desktop program.
#include "app/MainWindow.h"
#include "app/WebPanel.h"
#include "app/platform/QtPlatform.h"
#include "core/io/FileSystem.h"

#include <QApplication>
#include <QDateTime>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unistd.h>

namespace {

// VELMORA_STARTUP_TIMING=1 prints the wall-clock times of entering main, of the window's
// first paint ("shown") and, with a site, of the web view's first page loaded
// ("webview"), each with the resident memory then, and ends the program: for start-up
// measurements (scripts/startup-compare.sh).
bool startupTiming() { return qEnvironmentVariableIntValue("VELMORA_STARTUP_TIMING") == 1; }

// Tells once when a widget of the window gets its first paint event.
class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe(QWidget* window, std::function<void()> painted)
        : QObject(window)
        , m_window(window)
        , m_painted(std::move(painted))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_painted && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window() == m_window) {
            auto painted = std::move(m_painted);
            m_painted = nullptr;
            painted();
        }
        return false;
    }

private:
    QWidget* m_window;
    std::function<void()> m_painted;
};

void printTime(const char* what)
{
    std::fprintf(stderr, "%s %.3f rss %ld\n", what,
        static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0, velmora::os::residentMemoryKb());
}

} // namespace

int main(int argc, char** argv)
{
    if (startupTiming())
        printTime("main");
    // Only a site brings the web view, and it needs these before the application object
    // exists. The shared OpenGL context costs much start-up time and memory otherwise.
    if (!velmora::WebPanel::siteAddress().isEmpty()) {
        // Qt WebEngine refuses to start as root without this, and then ends the whole program.
        if (::geteuid() == 0)
            ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));

    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    velmora::QtPlatform platform;
    // The data file by the data-path rule: portable beside the program, else the user's data folder.
    velmora::MainWindow window(platform, QString());
    window.showMaximized();

    if (startupTiming()) {
        // "shown" is the first paint of the window; with a site the web view is made
        // after that paint, and the program ends once it has loaded its page.
        const bool site = !velmora::WebPanel::siteAddress().isEmpty();
        auto* webPanel = window.findChild<velmora::WebPanel*>();
        QObject::connect(webPanel, &velmora::WebPanel::pageLoaded, &window, [] {
            printTime("webview");
            QApplication::quit();
        });
        auto* probe = new FirstPaintProbe(&window, [site, webPanel] {
            printTime("shown");
            if (!site) {
                QTimer::singleShot(0, qApp, &QApplication::quit);
                return;
            }
            // Without the plugin the site ends as its address with a button: no page loads.
            auto* poll = new QTimer(webPanel);
            QObject::connect(poll, &QTimer::timeout, webPanel, [webPanel] {
                if (webPanel->currentView()->objectName() == QLatin1String("siteFallback"))
                    QApplication::quit();
            });
            poll->start(10);
        });
        app.installEventFilter(probe);
    }
    return app.exec();
}
