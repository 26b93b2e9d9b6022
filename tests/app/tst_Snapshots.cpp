// Writes a PNG of the main window on every work page and the web panel into the
// snapshot folder, for people to look at after each change to the window
// (tst_ChartPage writes those of the chart pages).
#include "app/MainWindowFixture.h"
#include "support/Snapshots.h"

#include "app/dialogs/ResultWindow.h"

#include <QPlainTextEdit>

using velmora::MainWindow;

class tst_Snapshots : public QObject {
    Q_OBJECT

private slots:
    void pages_data();
    void pages();
    void resultWindow();
};

void tst_Snapshots::pages_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QSize>("size");
    QTest::newRow("main-web") << QString() << QSize(789, 584);
    QTest::newRow("main-data") << QStringLiteral("showDataPage") << QSize(789, 584);
    QTest::newRow("main-filter") << QStringLiteral("showFilterPage") << QSize(789, 584);
    QTest::newRow("main-smart") << QStringLiteral("showSmartShrinkPage") << QSize(789, 584);
    QTest::newRow("main-recommend") << QStringLiteral("showRecommendPage") << QSize(789, 584);
    QTest::newRow("main-filter-wide") << QStringLiteral("showFilterPage") << QSize(1280, 800);
    QTest::newRow("main-smart-wide") << QStringLiteral("showSmartShrinkPage") << QSize(1280, 800);
}

void tst_Snapshots::pages()
{
    QFETCH(QString, command);
    QFETCH(QSize, size);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), realHistoryBytes()));
    MainWindow& window = f.startShown();
    window.resize(size);
    QCOMPARE(f.platform.messages, QStringList());
    if (!command.isEmpty())
        f.trigger(command.toLatin1().constData());
    QApplication::processEvents();
    if (command == QLatin1String("showDataPage"))
        velmora::test::find<QPlainTextEdit>(&f.dataPage(), QStringLiteral("drawEditor"))->setFocus();
    QVERIFY(velmora::test::writeSnapshot(
        window, QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".png")));
}

void tst_Snapshots::resultWindow()
{
    MainWindowFixture f;
    f.startShown();
    auto* resultWindow = velmora::test::find<velmora::ResultWindow>(f.window.get());
    resultWindow->memo()->setPlainText(
        QStringLiteral("缩水结果有12注\n\n001,002,003,004,005,006,007,008,009,010,\n011,012,\n"));
    resultWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(resultWindow));
    QVERIFY(velmora::test::writeSnapshot(*resultWindow, QStringLiteral("result-window.png")));
}

QTEST_MAIN(tst_Snapshots)
#include "tst_Snapshots.moc"
