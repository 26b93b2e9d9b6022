// QTEST_MAIN on an offscreen screen of a chosen size, for tests of where windows go:
// the offscreen platform's own screen is 800 x 600. Under another platform (a real
// display) the test runs on that display's screens.
#pragma once

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace velmora::test {

// Points the offscreen platform at a configuration of one screen of the size; the
// folder holds the file until the application has read it.
inline void useOffscreenScreen(const QTemporaryDir& folder, int width, int height)
{
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("offscreen")))
        return;
    const QString path = folder.filePath(QStringLiteral("screens.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(QStringLiteral("{\"screens\": [{\"name\": \"screen\", \"x\": 0, \"y\": 0, \"width\": %1, "
                              "\"height\": %2, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                   .arg(width)
                   .arg(height)
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toUtf8());
}

} // namespace velmora::test

#define VELMORA_TEST_MAIN_ON_SCREEN(TestObject, width, height)                                               \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        const QTemporaryDir folder;                                                                          \
        velmora::test::useOffscreenScreen(folder, width, height);                                            \
        QApplication app(argc, argv);                                                                        \
        TestObject test;                                                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
