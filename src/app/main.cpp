// The Velmora desktop program.
#include "app/MainWindow.h"
#include "app/WebPanel.h"
#include "app/platform/QtPlatform.h"

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

// VELMORA_STARTUP_TIMING=1 prints the wall-clock times of entering main, "window shown"
// and, with the web engine, "web view created", then ends the program: for start-up
// measurements.
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
    std::fprintf(
        stderr, "%s %.3f\n", what, static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0);
}

} // namespace

int main(int argc, char** argv)
{
    if (startupTiming())
        printTime("main");
    // Qt webEngine refuses to start as root without this, and then ends the whole program.
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));

    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    velmora::MainWindowOptions options;
    // VELMORA_TEXT_WEBPANEL=1 shows the web panel in a plain text browser.
    options.webEngine = qEnvironmentVariableIntValue("VELMORA_TEXT_WEBPANEL") != 1;
    velmora::QtPlatform platform;
    // The data file by the data-path rule: portable beside the program, else the user's data folder.
    velmora::MainWindow window(platform, QString(), options);
    window.showMaximized();

    if (startupTiming()) {
        // "shown" is the first paint of the window; the web view, when there is one, is
        // made by a timer after that paint.
        auto* probe = new FirstPaintProbe(&window, [&window, &options] {
            printTime("shown");
            auto* poll = new QTimer(&window);
            const auto* webPanel = window.findChild<velmora::WebPanel*>();
            QObject::connect(poll, &QTimer::timeout, &window, [webPanel, &options] {
                if (options.webEngine && !webPanel->browser())
                    return;
                if (options.webEngine)
                    printTime("webview");
                QApplication::quit();
            });
            poll->start(0);
        });
        app.installEventFilter(probe);
    }
    return app.exec();
}
