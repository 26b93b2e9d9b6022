// The Velmora desktop program.
#include "Draw/AppPaths.h"
#include "Main/QtPlatform.h"
#include "Main/TMainForm.h"
#include "Main/UiSupport.h"

#include <QApplication>
#include <QDateTime>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// VELMORA_STARTUP_TIMING=1 prints the wall-clock times of "window shown" and, with the
// web engine, "web view created", then ends the program: for start-up measurements.
bool StartupTiming() { return qEnvironmentVariableIntValue("VELMORA_STARTUP_TIMING") == 1; }

void PrintTime(const char* what)
{
    std::fprintf(
        stderr, "%s %.3f\n", what, static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0);
}

} // namespace

int main(int argc, char** argv)
{
    // Qt WebEngine refuses to start as root without this, and then ends the whole program.
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));

    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    velmora::TMainFormOptions options;
    // VELMORA_TEXT_WEBPANEL=1 shows the web panel in a plain text browser.
    options.WebEngine = qEnvironmentVariableIntValue("VELMORA_TEXT_WEBPANEL") != 1;
    velmora::QtPlatform platform;
    velmora::TMainForm window(platform, velmora::ToQString(velmora::ExecutableFolder()), options);
    window.showMaximized();

    if (StartupTiming()) {
        QTimer::singleShot(0, &window, [&window] {
            PrintTime("shown");
            if (!window.WebBrowser
                || window.WebBrowser->metaObject()->className() == QByteArray("QTextBrowser")) {
                QApplication::quit();
                return;
            }
            QTimer::singleShot(0, &window, [] {
                PrintTime("webview");
                QApplication::quit();
            });
        });
    }
    return app.exec();
}
