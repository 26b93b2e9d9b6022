#include "app/MainWindowFixture.h"
#include "app/TestHttpServer.h"

#include "core/draw/DrawText.h"

#include <QPlainTextEdit>
#include <QTcpServer>

using namespace Qt::StringLiterals;

using velmora::MainWindow;
using velmora::test::clickToolButton;

namespace {

const QString kOk = QStringLiteral("Velmora在线更新开奖数据 成功!");
const QString kFailed = QStringLiteral("Velmora在线更新开奖数据 失败!");

QString editorText(QByteArray bytes) { return QString::fromUtf8(bytes.replace("\r\n", "\n")); }

QPlainTextEdit* editor(const MainWindowFixture& f)
{
    return velmora::test::find<QPlainTextEdit>(&f.dataPage(), QStringLiteral("drawEditor"));
}

// Shown, with the data page in front.
MainWindow& StartOnDataPage(MainWindowFixture& f, int downloadTimeoutMs = 15000)
{
    MainWindow& window = f.startShown(downloadTimeoutMs);
    f.trigger("showDataPage");
    return window;
}

} // namespace

class tst_DataPage : public QObject {
    Q_OBJECT

private slots:
    void saveThenRestartIsByteForByte_data();
    void saveThenRestartIsByteForByte();
    void saveWithBadLinesStoresTextAndReports();
    void failedSaveKeepsOldFile();
    void importReplacesHistory();
    void importThatCannotBeReadChangesNothing();
    void importCancelledOrMissingDoesNothing();
    void clearThenCloseLeavesFile();
    void onlineUpdate_data();
    void onlineUpdate();
    void onlineUpdateWithoutServerFails();
    void onlineUpdateIsNotSaved();
};

void tst_DataPage::saveThenRestartIsByteForByte_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("real history, CR LF") << historyLines(9000) << historyLines(9000);
    QTest::newRow("no final break") << QByteArray("2002001,073,526,2,2\r\n2002002,237,203,1,1")
                                    << QByteArray("2002001,073,526,2,2\r\n2002002,237,203,1,1");
    QTest::newRow("LF only is normalised") << QByteArray("2002001,073,526,2,2\n2002002,237,203,1,1\n")
                                           << QByteArray("2002001,073,526,2,2\r\n2002002,237,203,1,1\r\n");
    QTest::newRow("GB2312 text kept")
        << QByteArray("\xD6\xD0\xCE\xC4\r\n") << QByteArray("\xD6\xD0\xCE\xC4\r\n");
}

void tst_DataPage::saveThenRestartIsByteForByte()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, saved);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), bytes));
    StartOnDataPage(f);
    const QString text = editor(f)->toPlainText();
    const auto history = f.history();
    f.platform.messages.clear();
    clickToolButton(&f.dataPage(), QStringLiteral("保存数据"));
    QCOMPARE(readFile(f.dataFile()), saved);
    QCOMPARE(f.window->statusText(0), QStringLiteral("保存文档完毕"));
    QCOMPARE(f.history(), history);

    MainWindowFixture again;
    QVERIFY(writeFile(again.dataFile(), readFile(f.dataFile())));
    again.start();
    QCOMPARE(again.dataPage().drawText(), text);
    QCOMPARE(again.history(), history);
}

void tst_DataPage::saveWithBadLinesStoresTextAndReports()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(3)));
    StartOnDataPage(f);
    editor(f)->appendPlainText(QStringLiteral("2024001,12x,456,0,0"));
    clickToolButton(&f.dataPage(), QStringLiteral("保存数据"));
    QVERIFY(readFile(f.dataFile()).endsWith("2024001,12x,456,0,0"));
    QCOMPARE(int(f.history().size()), 3);
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].startsWith(QString::fromUtf8(velmora::kBadLinesMessage)));
}

void tst_DataPage::failedSaveKeepsOldFile()
{
    MainWindowFixture f;
    const QByteArray bytes = historyLines(30);
    QVERIFY(writeFile(f.dataFile(), bytes));
    QVERIFY(QFile::setPermissions(f.dataFile(), QFile::ReadOwner));
    StartOnDataPage(f);
    editor(f)->setPlainText(editorText(historyLines(10)));
    clickToolButton(&f.dataPage(), QStringLiteral("保存数据"));
    QCOMPARE(readFile(f.dataFile()), bytes);
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].startsWith(QStringLiteral("无法写入文件") + f.dataFile()));
    // The status bar keeps the caret position; it never claims the save.
    QCOMPARE(f.window->statusText(0), QStringLiteral("第1行1列"));
    // The history is rebuilt only after a save that worked.
    QCOMPARE(int(f.history().size()), 30);
    QCOMPARE(QDir(f.folder.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList { QStringLiteral("lotdata.ldf") });
}

void tst_DataPage::importReplacesHistory()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(500)));
    const QString importFile = f.path(QStringLiteral("ten.txt"));
    QVERIFY(writeFile(importFile, historyLines(10)));
    StartOnDataPage(f);
    QCOMPARE(int(f.history().size()), 500);
    f.platform.openAnswer = importFile;
    clickToolButton(&f.dataPage(), QStringLiteral("导入数据"));
    QCOMPARE(f.platform.openFilters, QStringList { QStringLiteral("文本文件|*.txt") });
    QCOMPARE(int(f.history().size()), 10);
    QCOMPARE(editor(f)->toPlainText(), editorText(historyLines(10)));
    QCOMPARE(f.platform.messages, QStringList());
    QCOMPARE(readFile(f.dataFile()), historyLines(500));
}

void tst_DataPage::importThatCannotBeReadChangesNothing()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(50)));
    StartOnDataPage(f);
    editor(f)->appendPlainText(QStringLiteral("typed but not saved"));
    const QString before = editor(f)->toPlainText();
    // A folder exists but cannot be read as a file.
    QVERIFY(QDir(f.folder.path()).mkdir(QStringLiteral("folder.txt")));
    f.platform.openAnswer = f.path(QStringLiteral("folder.txt"));
    clickToolButton(&f.dataPage(), QStringLiteral("导入数据"));
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].startsWith(QStringLiteral("无法读取文件")));
    QCOMPARE(editor(f)->toPlainText(), before);
    QCOMPARE(int(f.history().size()), 50);
}

void tst_DataPage::importCancelledOrMissingDoesNothing()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(5)));
    StartOnDataPage(f);
    for (const QString& answer : { QString(), f.path(QStringLiteral("typed-name.txt")) }) {
        f.platform.openAnswer = answer;
        clickToolButton(&f.dataPage(), QStringLiteral("导入数据"));
    }
    QCOMPARE(f.platform.messages, QStringList());
    QCOMPARE(editor(f)->toPlainText(), editorText(historyLines(5)));
    QCOMPARE(int(f.history().size()), 5);
}

void tst_DataPage::clearThenCloseLeavesFile()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    StartOnDataPage(f);
    clickToolButton(&f.dataPage(), QStringLiteral("清空数据"));
    QCOMPARE(editor(f)->toPlainText(), QString());
    QVERIFY(f.history().empty());
    f.platform.saveAnswer = velmora::SaveChoice::Discard;
    QVERIFY(f.window->close());
    QCOMPARE(readFile(f.dataFile()), historyLines(40));
}

void tst_DataPage::onlineUpdate_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("records");
    const QByteArray html = "<html><body><h1>Welcome</h1></body></html>\r\n";
    const QString bad = QString::fromUtf8(velmora::kBadLinesMessage);
    QTest::newRow("success") << u"answer"_s << 200 << historyLines(12) << QStringList { kOk } << 12;
    QTest::newRow("not found") << u"answer"_s << 404 << QByteArray("no such file") << QStringList { kFailed }
                               << 7;
    QTest::newRow("server error") << u"answer"_s << 500 << historyLines(12) << QStringList { kFailed } << 7;
    QTest::newRow("empty body") << u"answer"_s << 200 << QByteArray() << QStringList { kFailed } << 7;
    QTest::newRow("refused") << u"refused"_s << 0 << QByteArray() << QStringList { kFailed } << 7;
    QTest::newRow("never answers") << u"silent"_s << 0 << QByteArray() << QStringList { kFailed } << 7;
    QTest::newRow("html page") << u"answer"_s << 200 << html << QStringList { kOk, bad } << 7;
}

void tst_DataPage::onlineUpdate()
{
    QFETCH(QString, server);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QStringList, messages);
    QFETCH(int, records);

    TestHttpServer http;
    QVERIFY(http.Start());
    http.Status = status;
    http.Body = body;
    http.ServerMode
        = server == QLatin1String("silent") ? TestHttpServer::Mode::Silent : TestHttpServer::Mode::Answer;
    QString base = http.BaseUrl() + QLatin1Char('/');
    if (server == QLatin1String("refused")) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        base = QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort());
        closed.close();
    }
    qputenv("VELMORA_SERVER", base.toUtf8());

    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(7)));
    const QString tmp = f.path(QStringLiteral("tmp.txt"));
    QVERIFY(writeFile(tmp, "old download"));
    MainWindow& form = StartOnDataPage(f, 400);
    const QString before = editor(f)->toPlainText();

    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(&form, Qt::Key_F3);
    qunsetenv("VELMORA_SERVER");
    QVERIFY(clock.elapsed() < 10000);

    // Bad-line messages carry the lines after the fixed text.
    QStringList shown = f.platform.messages;
    if (shown.size() == 2)
        shown[1] = shown[1].left(messages.value(1).size());
    QCOMPARE(shown, messages);
    QCOMPARE(int(f.history().size()), records);
    const bool succeeded = messages.first() == kOk;
    QCOMPARE(editor(f)->toPlainText(), succeeded ? editorText(body) : before);
    // The old download is always gone; a 2xx answer stands in tmp.txt, even an empty one.
    QCOMPARE(QFileInfo::exists(tmp), status == 200);
    if (status == 200)
        QCOMPARE(readFile(tmp), body);
    if (server != QLatin1String("refused"))
        QCOMPARE(http.RequestLines, QStringList { QStringLiteral("GET /3dcp.txt HTTP/1.1") });
    QCOMPARE(readFile(f.dataFile()), historyLines(7));
}

void tst_DataPage::onlineUpdateWithoutServerFails()
{
    qunsetenv("VELMORA_SERVER");
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(3)));
    StartOnDataPage(f);
    clickToolButton(&f.dataPage(), QStringLiteral("在线更新"));
    QCOMPARE(f.platform.messages, QStringList { kFailed });
    QVERIFY(f.platform.downloads.isEmpty());
    QCOMPARE(int(f.history().size()), 3);

    qputenv("VELMORA_SERVER", "ftp://127.0.0.1");
    f.trigger("downloadDraws");
    qunsetenv("VELMORA_SERVER");
    QCOMPARE(f.platform.messages, (QStringList { kFailed, kFailed }));
    QVERIFY(f.platform.downloads.isEmpty());
}

void tst_DataPage::onlineUpdateIsNotSaved()
{
    TestHttpServer http;
    QVERIFY(http.Start());
    http.Body = historyLines(20);
    qputenv("VELMORA_SERVER", http.BaseUrl().toUtf8());
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(4)));
    {
        StartOnDataPage(f);
        f.trigger("downloadDraws");
        qunsetenv("VELMORA_SERVER");
        QCOMPARE(int(f.history().size()), 20);
        f.platform.saveAnswer = velmora::SaveChoice::Discard;
        QVERIFY(f.window->close());
        QCOMPARE(f.platform.saveQuestions, 1);
    }
    QCOMPARE(readFile(f.dataFile()), historyLines(4));
    f.start();
    QCOMPARE(int(f.history().size()), 4);
}

QTEST_MAIN(tst_DataPage)
#include "tst_DataPage.moc"
