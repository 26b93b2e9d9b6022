// The data page's first run and its online update: the built-in history written as
// the data file, sources tried in order against local servers, the merge and its
// message, and the sources dialog when there is no source.
#include "app/MainWindowFixture.h"
#include "app/TestHttpServer.h"
#include "core/game/Game.h"

#include "app/UpdateSources.h"
#include "core/draw/DrawText.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

using velmora::MainWindow;

namespace {

const QString kNoSource
    = QStringLiteral("没有设置开奖数据的更新地址。\n请在“数据源设置”中添加至少一个地址，再在线更新。");

QString editorText(QByteArray bytes) { return QString::fromUtf8(bytes.replace("\r\n", "\n")); }

QPlainTextEdit* editor(const MainWindowFixture& f)
{
    return velmora::test::find<QPlainTextEdit>(&f.dataPage(), QStringLiteral("drawEditor"));
}

// The first count lines of the real history, the one of the given issue (of 2002)
// with another draw code.
QByteArray historyWithDrawCode(int count, int issue, const QByteArray& drawCode)
{
    QList<QByteArray> lines = historyLines(count).split('\n');
    QList<QByteArray> fields = lines[issue - 1].split(',');
    fields[1] = drawCode;
    lines[issue - 1] = fields.join(',');
    return lines.join('\n');
}

// A draw-data text as the public full history gives it: blank-separated fields with
// a date and sales figures.
QByteArray publicHistory(const QByteArray& drawText)
{
    QByteArray out = "期号 日期 开奖号 试机号\r\n";
    for (const QByteArray& line : drawText.split('\n')) {
        const QList<QByteArray> f = line.trimmed().split(',');
        if (f.size() < 5)
            continue;
        out += f[0] + " 2002-01-01 " + f[1][0] + ' ' + f[1][1] + ' ' + f[1][2] + ' ' + f[2][0] + ' ' + f[2][1]
            + ' ' + f[2][2] + ' ' + f[3] + ' ' + f[4] + " 106919648 1040\r\n";
    }
    return out;
}

velmora::DrawHistory parsed(const QByteArray& bytes)
{
    return velmora::parseDrawHistory(velmora::game3d(), velmora::splitLines(bytes.toStdString())).history;
}

// Restores an environment variable when the test ends, however it ends.
class EnvironmentGuard {
public:
    explicit EnvironmentGuard(const char* name)
        : m_name(name)
        , m_set(qEnvironmentVariableIsSet(name))
        , m_value(qgetenv(name))
    {
    }
    ~EnvironmentGuard()
    {
        if (m_set)
            qputenv(m_name, m_value);
        else
            qunsetenv(m_name);
    }
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

private:
    const char* m_name;
    bool m_set;
    QByteArray m_value;
};

} // namespace

class tst_DataPageUpdate : public QObject {
    Q_OBJECT

private slots:
    void init() { qunsetenv("VELMORA_SERVER"); }
    void firstRunWritesBuiltInHistory();
    void firstRunFindsTheUsersDataFolder();
    void firstRunWhenTheFileCannotBeWritten();
    void updateMerges_data();
    void updateMerges();
    void velmoraServerComesFirst();
    void noSourceOpensTheSourcesDialog();
    void sourcesDialogFromTheMenu();
};

void tst_DataPageUpdate::firstRunWritesBuiltInHistory()
{
    MainWindowFixture f;
    MainWindow& form = f.start();
    const velmora::DrawHistory shipped = parsed(realHistoryBytes());
    QCOMPARE(f.platform.messages, QStringList());
    QCOMPARE(f.history(), shipped);
    // The shipped history's bytes, unchanged, as the data file.
    QCOMPARE(readFile(f.dataFile()), realHistoryBytes());
    QCOMPARE(form.statusText(0),
        QStringLiteral("已载入内置开奖数据：共%1期，最新一期%2%3")
            .arg(shipped.size())
            .arg(shipped.back().year)
            .arg(shipped.back().issue, 3, 10, QLatin1Char('0')));
    QVERIFY(!f.document().isModified());

    // The next start reads the file and says nothing of a built-in history.
    MainWindowFixture again;
    QVERIFY(writeFile(again.dataFile(), readFile(f.dataFile())));
    MainWindow& second = again.start();
    QCOMPARE(again.history(), shipped);
    QCOMPARE(second.statusText(0), QString());
}

void tst_DataPageUpdate::firstRunFindsTheUsersDataFolder()
{
    MainWindowFixture f;
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/lotdata.ldf");
    if (QFileInfo::exists(beside))
        QSKIP("a portable data file stands beside the test program");
    EnvironmentGuard guard("XDG_DATA_HOME");
    // The folder does not exist yet: the first run makes it.
    const QString dataHome = f.path(QStringLiteral("data home"));
    qputenv("XDG_DATA_HOME", dataHome.toUtf8());
    velmora::MainWindowOptions options;
    options.webEngine = false;
    f.window = std::make_unique<MainWindow>(f.platform, QString(), options);
    const QString expected = dataHome + QStringLiteral("/velmora/lotdata.ldf");
    QCOMPARE(f.document().filePath(), expected);
    QCOMPARE(readFile(expected), realHistoryBytes());
    QCOMPARE(f.platform.messages, QStringList());
}

void tst_DataPageUpdate::firstRunWhenTheFileCannotBeWritten()
{
    MainWindowFixture f;
    // The data folder would have to be made where a file stands.
    QVERIFY(writeFile(f.path(QStringLiteral("blocker")), "a file"));
    const QString dataFile = f.path(QStringLiteral("blocker/velmora/lotdata.ldf"));
    velmora::MainWindowOptions options;
    options.webEngine = false;
    f.window = std::make_unique<MainWindow>(f.platform, dataFile, options);
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].startsWith(QStringLiteral("无法写入文件")));
    QCOMPARE(f.history(), parsed(realHistoryBytes()));
    QVERIFY(f.window->statusText(0).startsWith(QStringLiteral("已载入内置开奖数据")));
    // Nothing was written, so closing asks about the text.
    QVERIFY(f.document().isModified());
    f.platform.saveAnswer = velmora::SaveChoice::Cancel;
    QVERIFY(!f.window->close());
    QCOMPARE(f.platform.saveQuestions, 1);
}

void tst_DataPageUpdate::updateMerges_data()
{
    QTest::addColumn<QByteArray>("local");
    QTest::addColumn<int>("firstStatus");
    QTest::addColumn<QByteArray>("firstBody");
    QTest::addColumn<int>("secondStatus");
    QTest::addColumn<QByteArray>("secondBody");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<int>("requests");

    const QByteArray h10 = historyLines(10);
    const QByteArray h13 = historyLines(13);
    const QByteArray typed = "2026177,123,456,0,0\r\n";
    const QByteArray bad = "2002001,073,526,2,2\r\n2002002,23x,203,1,1\r\n";
    const QByteArray html = "<html><body>Not here</body></html>\r\n";
    QTest::newRow("first fails (404), second adds three")
        << h10 << 404 << QByteArray("gone") << 200 << h13 << u"在线更新成功：新增3期，更正0期，共13期"_s
        << h13 << 2;
    QTest::newRow("first answers, second never asked")
        << h10 << 200 << h13 << 200 << QByteArray("unused") << u"在线更新成功：新增3期，更正0期，共13期"_s
        << h13 << 1;
    QTest::newRow("public format") << h10 << 200 << publicHistory(h13) << 200 << QByteArray()
                                   << u"在线更新成功：新增3期，更正0期，共13期"_s << h13 << 1;
    QTest::newRow("correction listed")
        << historyWithDrawCode(10, 5, "999") << 200 << h13 << 200 << QByteArray()
        << u"在线更新成功：新增3期，更正1期，共13期\n2002005：999,%1 → %2,%1"_s.arg(
               QString::fromLatin1(h13.split('\n')[4].split(',')[2]),
               QString::fromLatin1(h13.split('\n')[4].split(',')[1]))
        << h13 << 1;
    QTest::newRow("a typed newer draw stays last")
        << h10 + typed << 200 << h13 << 200 << QByteArray() << u"在线更新成功：新增3期，更正0期，共14期"_s
        << h13 + typed << 1;
    QTest::newRow("already up to date")
        << h10 << 200 << historyLines(8) << 200 << QByteArray() << u"已是最新，共10期"_s << h10 << 1;
    QTest::newRow("an error page is a failed source")
        << h10 << 200 << html << 200 << h13 << u"在线更新成功：新增3期，更正0期，共13期"_s << h13 << 2;
    QTest::newRow("bad lines stop the update")
        << h10 << 200 << bad << 200 << h13 << QString::fromUtf8(velmora::kBadLinesMessage) << h10 << 1;
    QTest::newRow("every source fails")
        << h10 << 404 << QByteArray() << 500 << h13 << u"在线更新开奖数据失败："_s << h10 << 2;
}

void tst_DataPageUpdate::updateMerges()
{
    QFETCH(QByteArray, local);
    QFETCH(int, firstStatus);
    QFETCH(QByteArray, firstBody);
    QFETCH(int, secondStatus);
    QFETCH(QByteArray, secondBody);
    QFETCH(QString, message);
    QFETCH(QByteArray, result);
    QFETCH(int, requests);

    TestHttpServer first;
    TestHttpServer second;
    QVERIFY(first.Start() && second.Start());
    first.Status = firstStatus;
    first.Body = firstBody;
    second.Status = secondStatus;
    second.Body = secondBody;

    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), local));
    const QString tmp = f.path(QStringLiteral("tmp.txt"));
    velmora::setUpdateSources(f.platform, velmora::game3d(),
        { first.BaseUrl() + QStringLiteral("/first.txt"), second.BaseUrl() + QStringLiteral("/second.txt") });
    f.startShown(2000);
    f.trigger("showDataPage");
    QVERIFY(writeFile(tmp, "old download"));
    f.platform.messages.clear();
    f.trigger("downloadDraws");

    // A failure is a warning (it offers 数据源设置); anything else a message.
    QCOMPARE(f.platform.messages.size() + f.platform.warningQuestions.size(), 1);
    const QString told = f.platform.messages.value(0) + f.platform.warningQuestions.value(0);
    QVERIFY2(told.startsWith(message), qPrintable(told));
    QCOMPARE(f.platform.downloads.size(), requests);
    QCOMPARE(second.RequestLines.size(), requests - 1);
    const bool changed = result != local;
    QCOMPARE(editor(f)->toPlainText(), editorText(result));
    QCOMPARE(f.history(), parsed(result));
    // A merge that changed something is saved at once; otherwise the file stays as it was.
    QCOMPARE(readFile(f.dataFile()), result);
    QCOMPARE(f.window->statusText(0) == QStringLiteral("保存文档完毕"), changed);
    QVERIFY(!f.document().isModified());
    // tmp.txt holds what the last source tried gave (the old one is always gone).
    QVERIFY(readFile(tmp) != "old download");
}

void tst_DataPageUpdate::velmoraServerComesFirst()
{
    TestHttpServer server;
    TestHttpServer listed;
    QVERIFY(server.Start() && listed.Start());
    server.Status = 404;
    listed.Body = historyLines(12);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(10)));
    velmora::setUpdateSources(
        f.platform, velmora::game3d(), { listed.BaseUrl() + QStringLiteral("/3d.txt") });
    qputenv("VELMORA_SERVER", (server.BaseUrl() + QStringLiteral("/")).toUtf8());
    f.start(2000);
    f.trigger("downloadDraws");
    qunsetenv("VELMORA_SERVER");
    QCOMPARE(f.platform.downloads,
        (QList<QUrl> { QUrl(server.BaseUrl() + QStringLiteral("/3dcp.txt")),
            QUrl(listed.BaseUrl() + QStringLiteral("/3d.txt")) }));
    QCOMPARE(f.platform.messages, QStringList { QStringLiteral("在线更新成功：新增2期，更正0期，共12期") });
    QCOMPARE(readFile(f.dataFile()), historyLines(12));
}

void tst_DataPageUpdate::noSourceOpensTheSourcesDialog()
{
    TestHttpServer server;
    QVERIFY(server.Start());
    server.Body = historyLines(11);
    const QString address = server.BaseUrl() + QStringLiteral("/history.txt");
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(10)));
    velmora::setUpdateSources(f.platform, velmora::game3d(), {});
    // The user adds an address in the dialog and confirms it.
    f.platform.dialogScript = [&address](QDialog& dialog) {
        dialog.show();
        auto* edit = velmora::test::find<QLineEdit>(&dialog, QStringLiteral("addressEdit"));
        QTest::keyClicks(edit, address);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::mouseClick(
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        return dialog.result();
    };
    f.startShown(2000);
    f.trigger("showDataPage");
    velmora::test::clickToolButton(&f.dataPage(), QStringLiteral("在线更新"));
    QCOMPARE(f.platform.messages, QStringList { kNoSource });
    QCOMPARE(f.platform.dialogsRun, QStringList { QStringLiteral("数据源设置") });
    QVERIFY(f.platform.downloads.isEmpty());
    QCOMPARE(int(f.history().size()), 10);
    QCOMPARE(velmora::updateSources(f.platform, velmora::game3d()), QStringList { address });

    // The next update uses the address just added.
    f.trigger("downloadDraws");
    QCOMPARE(f.platform.downloads, QList<QUrl> { QUrl(address) });
    QCOMPARE(int(f.history().size()), 11);
}

void tst_DataPageUpdate::sourcesDialogFromTheMenu()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(3)));
    const QStringList before = velmora::updateSources(f.platform, velmora::game3d());
    f.start();
    // Cancelled: the list stays as it was.
    f.platform.dialogScript = [](QDialog& dialog) {
        dialog.show();
        auto* edit = velmora::test::find<QLineEdit>(&dialog, QStringLiteral("addressEdit"));
        QTest::keyClicks(edit, QStringLiteral("http://127.0.0.1:1/x.txt"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.result();
    };
    f.trigger("editDataSources");
    QCOMPARE(f.platform.dialogsRun, QStringList { QStringLiteral("数据源设置") });
    QCOMPARE(velmora::updateSources(f.platform, velmora::game3d()), before);
    QVERIFY(f.platform.downloads.isEmpty());
}

QTEST_MAIN(tst_DataPageUpdate)
#include "tst_DataPageUpdate.moc"
