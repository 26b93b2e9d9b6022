// Writes a PNG of the main window on every work page and the web panel into
// $VELMORA_SNAPSHOT_DIR, for people to look at after each change to the window
// (tst_ChartPages writes those of the chart pages).
#include "app/MainWindowFixture.h"

#include "app/dialogs/ResultWindow.h"

#include <QDir>
#include <QPlainTextEdit>

using velmora::MainWindow;

class tst_Snapshots : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pages_data();
    void pages();
    void resultWindow();

private:
    QString FDir;
};

void tst_Snapshots::initTestCase()
{
    FDir = qEnvironmentVariable("VELMORA_SNAPSHOT_DIR");
    if (FDir.isEmpty())
        QSKIP("VELMORA_SNAPSHOT_DIR is not set");
    QVERIFY(QDir().mkpath(FDir));
}

void tst_Snapshots::pages_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QSize>("size");
    QTest::newRow("main-web") << "" << QSize(789, 584);
    QTest::newRow("main-data") << "FileMenuManulClick" << QSize(789, 584);
    QTest::newRow("main-filter") << "RcmMenuSuperScaleClick" << QSize(789, 584);
    QTest::newRow("main-smart") << "RcmMenuSmartScaleClick" << QSize(789, 584);
    QTest::newRow("main-recommend") << "RcmMenuSmartRcmClick" << QSize(789, 584);
    QTest::newRow("main-filter-wide") << "RcmMenuSuperScaleClick" << QSize(1280, 800);
    QTest::newRow("main-smart-wide") << "RcmMenuSmartScaleClick" << QSize(1280, 800);
}

void tst_Snapshots::pages()
{
    QFETCH(QString, command);
    QFETCH(QSize, size);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), readFile(QStringLiteral(VELMORA_DATA_DIR "/3d-history.txt"))));
    MainWindow& form = f.startShown();
    form.resize(size);
    QCOMPARE(f.platform.messages, QStringList());
    const std::map<QString, void (MainWindow::*)()> commands = {
        { "FileMenuManulClick", &MainWindow::fileMenuManulClick },
        { "RcmMenuSuperScaleClick", &MainWindow::rcmMenuSuperScaleClick },
        { "RcmMenuSmartScaleClick", &MainWindow::rcmMenuSmartScaleClick },
        { "RcmMenuSmartRcmClick", &MainWindow::rcmMenuSmartRcmClick },
    };
    if (!command.isEmpty())
        (form.*commands.at(command))();
    QApplication::processEvents();
    if (command == QLatin1String("FileMenuManulClick"))
        form.dataMemo->setFocus();
    const QString path = QDir(FDir).filePath(QString::fromLatin1(QTest::currentDataTag()) + ".png");
    QVERIFY(form.grab().save(path));
}

void tst_Snapshots::resultWindow()
{
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    form.codeViewForm->memo->setPlainText(
        QStringLiteral("缩水结果有12注\n\n001,002,003,004,005,006,007,008,009,010,\n011,012,\n"));
    form.codeViewForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.codeViewForm));
    QVERIFY(form.codeViewForm->grab().save(QDir(FDir).filePath(QStringLiteral("result-window.png"))));
}

QTEST_MAIN(tst_Snapshots)
#include "tst_Snapshots.moc"
