#include "app/MainWindowFixture.h"
#include "app/TestHttpServer.h"
#include "core/game/Game.h"

#include "app/UpdateSources.h"
#include "core/draw/DrawText.h"
#include "widgets/ColumnLabel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>

using namespace Qt::StringLiterals;

using velmora::MainWindow;
using velmora::test::clickToolButton;

namespace {

QString editorText(QByteArray bytes) { return QString::fromUtf8(bytes.replace("\r\n", "\n")); }

QPlainTextEdit* editor(const MainWindowFixture& f)
{
    return velmora::test::find<QPlainTextEdit>(&f.dataPage(), QStringLiteral("drawEditor"));
}

velmora::DrawHistory parsed(const QByteArray& bytes)
{
    return velmora::parseDrawHistory(velmora::game3d(), velmora::splitLines(bytes.toStdString())).history;
}

QLineEdit* field(QDialog& dialog, const char* name)
{
    return velmora::test::find<QLineEdit>(&dialog, QLatin1String(name) + QLatin1String("Edit"));
}

QString fieldError(QDialog& dialog, const char* name)
{
    return velmora::test::find<QLabel>(&dialog, QLatin1String(name) + QLatin1String("Error"))->text();
}

// Replaces a field's text as a user does: select all, type.
void retype(QLineEdit* edit, const QString& text)
{
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

void clickDialogButton(QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
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
    void importAsksMergeOrReplace_data();
    void importAsksMergeOrReplace();
    void importThatCannotBeReadChangesNothing();
    void importCancelledOrMissingDoesNothing();
    void clearThenCloseLeavesFile();
    void onlineUpdate_data();
    void onlineUpdate();
    void onlineUpdateWithUnusableServerFails();
    void onlineUpdateIsSaved();
    void addDrawRefusesThenAdds();
    void addDrawAsksBeforeReplacing();
    void addDrawInKeyOrder();
    void addDrawBeforeThePageWasShown();
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
    // A text that is no draw line is saved as it is, and the status bar says so.
    QCOMPARE(f.window->statusText(0),
        f.document().badLines().empty() ? QStringLiteral("保存文档完毕")
                                        : QStringLiteral("已保存，但有1行错误"));
    QCOMPARE(f.history(), history);

    MainWindowFixture again;
    QVERIFY(writeFile(again.dataFile(), readFile(f.dataFile())));
    again.start();
    QCOMPARE(again.document().text(), text);
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
    QCOMPARE(f.platform.warningQuestions.size(), 1);
    QVERIFY(f.platform.warningQuestions[0].startsWith(QString::fromUtf8(velmora::kBadLinesMessage)));
    QVERIFY(f.platform.warningQuestions[0].endsWith(QStringLiteral("|跳到第一处错误/关闭")));
}

void tst_DataPage::failedSaveKeepsOldFile()
{
    MainWindowFixture f;
    const QByteArray bytes = historyLines(30);
    QVERIFY(writeFile(f.dataFile(), bytes));
    QVERIFY(QFile::setPermissions(f.dataFile(), QFile::ReadOwner));
    StartOnDataPage(f);
    editor(f)->setPlainText(editorText(historyLines(20)));
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

void tst_DataPage::importAsksMergeOrReplace_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QByteArray>("imported");
    QTest::addColumn<QByteArray>("editor");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("warning");
    QTest::addColumn<QString>("status"); // what the status bar says after the message
    const QString unsaved = u"已合并，尚未保存"_s;
    const QByteArray local = historyLines(500) + "2026177,123,456,0,0\r\n";
    const QByteArray ten = historyLines(10);
    QByteArray corrected = historyLines(510);
    corrected.replace("2002005,374,634,1,1", "2002005,375,634,1,1");
    QTest::newRow("merge adds and corrects, keeps the typed line")
        << 0 << corrected
        << historyLines(510).replace("2002005,374,634,1,1", "2002005,375,634,1,1") + "2026177,123,456,0,0\r\n"
        << u"新增10期，更正1期，共511期\n2002005：374,634 → 375,634"_s << false << unsaved;
    QTest::newRow("merge of what is there already")
        << 0 << ten << local << u"已是最新，共501期"_s << false << QString();
    QTest::newRow("merge refuses bad lines")
        << 0 << QByteArray("2002001,073,52x,2,2\r\n") << local << QString::fromUtf8(velmora::kBadLinesMessage)
        << true << QString();
    QTest::newRow("merge of a file without draws")
        << 0 << QByteArray("nothing here\r\n") << local << u"文件中没有开奖数据："_s << true << QString();
    QTest::newRow("replace") << 1 << ten << ten << QString() << false << QString();
    QTest::newRow("cancel") << 2 << ten << local << QString() << false << QString();
}

void tst_DataPage::importAsksMergeOrReplace()
{
    QFETCH(int, choice);
    QFETCH(QByteArray, imported);
    QFETCH(QByteArray, editor);
    QFETCH(QString, message);
    QFETCH(bool, warning);
    QFETCH(QString, status);
    MainWindowFixture f;
    const QByteArray local = historyLines(500) + "2026177,123,456,0,0\r\n";
    QVERIFY(writeFile(f.dataFile(), local));
    const QString importFile = f.path(QStringLiteral("import.txt"));
    QVERIFY(writeFile(importFile, imported));
    StartOnDataPage(f);
    f.platform.openAnswer = importFile;
    f.platform.choiceAnswers = { choice };
    clickToolButton(&f.dataPage(), QStringLiteral("导入数据"));
    QCOMPARE(f.platform.openFilters, QStringList { QStringLiteral("文本文件|*.txt") });
    QCOMPARE(f.platform.choiceQuestions.size(), 1);
    QVERIFY(f.platform.choiceQuestions[0].endsWith(QStringLiteral("|合并/替换/取消")));
    QCOMPARE(f.platform.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(f.platform.messages[0].startsWith(message), qPrintable(f.platform.messages[0]));
    QCOMPARE(f.platform.warnings.size(), warning ? 1 : 0);
    if (!status.isEmpty())
        QCOMPARE(f.window->statusText(0), status);
    else
        QVERIFY(f.window->statusText(0) != u"已合并，尚未保存"_s);
    QCOMPARE(::editor(f)->toPlainText(), editorText(editor));
    QCOMPARE(f.history(), parsed(editor));
    // An import changes the editor, not the file.
    QCOMPARE(readFile(f.dataFile()), local);
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
    QCOMPARE(f.platform.choiceQuestions, QStringList());
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
    f.platform.confirmAnswer = true;
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
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("records");
    const QByteArray html = "<html><body><h1>Welcome</h1></body></html>\r\n";
    QTest::newRow("success") << u"answer"_s << 200 << historyLines(12)
                             << u"在线更新成功：新增5期，更正0期，共12期"_s << 12;
    // A failure is told by its reason.
    QTest::newRow("not found") << u"answer"_s << 404 << QByteArray("no such file") << u"404 X"_s << 7;
    QTest::newRow("server error") << u"answer"_s << 500 << historyLines(12) << u"500 X"_s << 7;
    QTest::newRow("empty body") << u"answer"_s << 200 << QByteArray() << u"不是开奖数据"_s << 7;
    QTest::newRow("refused") << u"refused"_s << 0 << QByteArray() << u"连接被拒绝"_s << 7;
    QTest::newRow("never answers") << u"silent"_s << 0 << QByteArray() << u"超时"_s << 7;
    QTest::newRow("html page holds no draws") << u"answer"_s << 200 << html << u"不是开奖数据"_s << 7;
}

void tst_DataPage::onlineUpdate()
{
    QFETCH(QString, server);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
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
    velmora::setUpdateSources(f.platform, velmora::game3d(), {});
    const QString source = velmora::updateSourceUrls(f.platform, velmora::game3d()).constFirst().toString();
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

    const bool succeeded = status == 200 && records > 7;
    // A failure is one warning naming the source and why, offering 数据源设置.
    QCOMPARE(succeeded ? f.platform.messages : f.platform.warningQuestions,
        QStringList {
            succeeded ? message : u"在线更新开奖数据失败：\n%1：%2|数据源设置/关闭"_s.arg(source, message) });
    QCOMPARE(int(f.history().size()), records);
    QCOMPARE(editor(f)->toPlainText(), succeeded ? editorText(body) : before);
    // The old download is always gone; a 2xx answer stands in tmp.txt, even an empty one.
    QCOMPARE(QFileInfo::exists(tmp), status == 200);
    if (status == 200)
        QCOMPARE(readFile(tmp), body);
    if (server != QLatin1String("refused"))
        QCOMPARE(http.RequestLines, QStringList { QStringLiteral("GET /3dcp.txt HTTP/1.1") });
    QCOMPARE(readFile(f.dataFile()), succeeded ? body : historyLines(7));
}

void tst_DataPage::onlineUpdateWithUnusableServerFails()
{
    MainWindowFixture f;
    velmora::setUpdateSources(f.platform, velmora::game3d(), {});
    QVERIFY(writeFile(f.dataFile(), historyLines(3)));
    StartOnDataPage(f);
    for (const char* server : { "ftp://127.0.0.1", "http://" }) {
        qputenv("VELMORA_SERVER", server);
        clickToolButton(&f.dataPage(), QStringLiteral("在线更新"));
        qunsetenv("VELMORA_SERVER");
    }
    QCOMPARE(f.platform.warningQuestions.size(), 2);
    QVERIFY(f.platform.messages.isEmpty());
    QVERIFY(f.platform.downloads.isEmpty());
    QVERIFY(f.platform.dialogsRun.isEmpty());
    QCOMPARE(int(f.history().size()), 3);
}

void tst_DataPage::onlineUpdateIsSaved()
{
    TestHttpServer http;
    QVERIFY(http.Start());
    http.Body = historyLines(20);
    MainWindowFixture f;
    velmora::setUpdateSources(f.platform, velmora::game3d(), { http.BaseUrl() + QStringLiteral("/3d.txt") });
    QVERIFY(writeFile(f.dataFile(), historyLines(4)));
    StartOnDataPage(f);
    f.trigger("downloadDraws");
    QCOMPARE(int(f.history().size()), 20);
    // Saved with the merge: closing asks nothing, and the next start has the draws.
    QVERIFY(f.window->close());
    QCOMPARE(f.platform.saveQuestions, 0);
    QCOMPARE(readFile(f.dataFile()), historyLines(20));
    f.start();
    QCOMPARE(int(f.history().size()), 20);
}

void tst_DataPage::addDrawRefusesThenAdds()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(10)));
    // Still 2002: the next issue follows the latest draw.
    f.platform.fixedNow = QDateTime(QDate(2002, 1, 12), QTime(20, 0));
    MainWindow& form = f.startShown();
    f.trigger("showFilterPage");
    QString prefilled;
    QString refusal;
    f.platform.dialogScript = [&](QDialog& dialog) {
        dialog.show();
        prefilled = field(dialog, "issue")->text();
        retype(field(dialog, "drawCode"), QStringLiteral("12"));
        retype(field(dialog, "testCode"), QStringLiteral("456"));
        clickDialogButton(dialog, QDialogButtonBox::Ok);
        refusal = fieldError(dialog, "drawCode");
        if (!dialog.isVisible())
            return dialog.result();
        retype(field(dialog, "drawCode"), QStringLiteral("123"));
        clickDialogButton(dialog, QDialogButtonBox::Ok);
        return dialog.result();
    };
    QTest::keyClick(&form, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(f.platform.dialogsRun, QStringList { QStringLiteral("添加开奖") });
    QCOMPARE(prefilled, QStringLiteral("2002011"));
    QCOMPARE(refusal, QStringLiteral("开奖号应为3位数字"));
    QCOMPARE(readFile(f.dataFile()), historyLines(10) + "2002011,123,456,0,0\r\n");
    QCOMPARE(int(f.history().size()), 11);
    QCOMPARE(form.statusText(0), QStringLiteral("保存文档完毕"));
    // The filter page in front shows the new draw at once.
    const auto* latest
        = velmora::test::find<velmora::ColumnLabel>(&f.filterPage(), QStringLiteral("latestDrawLine"));
    QVERIFY2(latest->text().startsWith(QStringLiteral("011期123")), qPrintable(latest->text()));
}

void tst_DataPage::addDrawAsksBeforeReplacing()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(10)));
    StartOnDataPage(f);
    f.platform.confirmAnswer = false;
    f.platform.dialogScript = [](QDialog& dialog) {
        dialog.show();
        retype(field(dialog, "issue"), QStringLiteral("2002005"));
        retype(field(dialog, "drawCode"), QStringLiteral("000"));
        retype(field(dialog, "testCode"), QStringLiteral("111"));
        clickDialogButton(dialog, QDialogButtonBox::Ok);
        // Declined: the dialog stays for another issue or a cancel.
        if (dialog.isVisible())
            clickDialogButton(dialog, QDialogButtonBox::Cancel);
        return dialog.result();
    };
    clickToolButton(&f.dataPage(), QStringLiteral("添加开奖"));
    QCOMPARE(f.platform.confirmations.size(), 1);
    QVERIFY(f.platform.confirmations[0].contains(QStringLiteral("2002005,374,634,1,1")));
    QCOMPARE(readFile(f.dataFile()), historyLines(10));
    QCOMPARE(editor(f)->toPlainText(), editorText(historyLines(10)));
}

void tst_DataPage::addDrawInKeyOrder()
{
    MainWindowFixture f;
    QByteArray gap = historyLines(10);
    gap.replace("2002005,374,634,1,1\r\n", "");
    QVERIFY(writeFile(f.dataFile(), gap));
    StartOnDataPage(f);
    f.platform.dialogScript = [](QDialog& dialog) {
        dialog.show();
        retype(field(dialog, "issue"), QStringLiteral("2002005"));
        retype(field(dialog, "drawCode"), QStringLiteral("374"));
        retype(field(dialog, "testCode"), QStringLiteral("634"));
        retype(field(dialog, "machine"), QStringLiteral("1"));
        retype(field(dialog, "ball"), QStringLiteral("1"));
        clickDialogButton(dialog, QDialogButtonBox::Ok);
        return dialog.result();
    };
    f.trigger("addDraw");
    QCOMPARE(f.platform.confirmations, QStringList());
    QCOMPARE(readFile(f.dataFile()), historyLines(10));
    QCOMPARE(f.history(), parsed(historyLines(10)));
}

// The data file's text waits for the page's first show; a draw added before it (from
// the menu, the web panel in front) goes into the editor all the same.
void tst_DataPage::addDrawBeforeThePageWasShown()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(10)));
    f.startShown();
    f.platform.dialogScript = [](QDialog& dialog) {
        dialog.show();
        retype(field(dialog, "issue"), QStringLiteral("2002011"));
        retype(field(dialog, "drawCode"), QStringLiteral("217"));
        retype(field(dialog, "testCode"), QStringLiteral("530"));
        retype(field(dialog, "machine"), QStringLiteral("2"));
        retype(field(dialog, "ball"), QStringLiteral("1"));
        clickDialogButton(dialog, QDialogButtonBox::Ok);
        return dialog.result();
    };
    f.trigger("addDraw");
    QCOMPARE(readFile(f.dataFile()), historyLines(11));
    QCOMPARE(f.history(), parsed(historyLines(11)));
    QVERIFY(!f.document().isModified());
    f.trigger("showDataPage");
    QCOMPARE(editor(f)->toPlainText().toLatin1(), QByteArray(historyLines(11)).replace("\r\n", "\n"));
    QVERIFY(!f.document().isModified());
}

QTEST_MAIN(tst_DataPage)
#include "tst_DataPage.moc"
