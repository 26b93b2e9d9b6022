// "数据源设置": editing the list with real clicks and keys, what OK keeps, and
// "测试" against local HTTP servers in both source formats.
#include "app/AutoUpdate.h"
#include "app/FakePlatform.h"
#include "app/TestHttpServer.h"
#include "app/UpdateSources.h"
#include "app/dialogs/DataSourcesDialog.h"
#include "core/game/Game.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

using velmora::DataSourcesDialog;

namespace {

QPushButton* Button(QWidget* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

void Click(QWidget* widget)
{
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton);
}

void ClickRow(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

QByteArray ReadData(const char* name)
{
    const bool whole = qstrcmp(name, "3d-history.txt") == 0;
    QFile file(whole ? QStringLiteral(VELMORA_HISTORY_FILE)
                     : QStringLiteral(VELMORA_TEST_DATA_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The draw lines in the public blank-separated layout, with a GBK header.
QByteArray PublicLayout(const QByteArray& drawText)
{
    QStringEncoder gbk("GB18030");
    QByteArray text = gbk(QStringLiteral("期号 开奖日期 开奖号码 试机号 机号 球号 销售额\r\n"));
    for (const QByteArray& line : drawText.split('\n')) {
        const QList<QByteArray> f = line.trimmed().split(',');
        if (f.size() < 5)
            continue;
        text += f[0] + " 2026-01-01";
        for (const char c : f[1] + f[2])
            text += ' ' + QByteArray(1, c);
        text += ' ' + f[3] + ' ' + f[4] + " 106919648 18035\r\n";
    }
    return text;
}

} // namespace

class tst_DataSourcesDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void keptByQtSettings();
    void startsWithTheDefaultList();
    void editsTheListAndOkKeepsIt();
    void enterAddsAndTheDialogStaysOpen_data();
    void enterAddsAndTheDialogStaysOpen();
    void refusesBadAddresses_data();
    void refusesBadAddresses();
    void cancelKeepsNothing();
    void emptiedListStaysEmpty();
    void testOne_data();
    void testOne();
    void snapshot();

private:
    QTemporaryDir m_config;
};

void tst_DataSourcesDialog::initTestCase()
{
    // QtPlatform's settings go to a folder of this test, never the user's.
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

void tst_DataSourcesDialog::keptByQtSettings()
{
    {
        velmora::QtPlatform platform;
        QCOMPARE(velmora::updateSources(platform, velmora::game3d()),
            velmora::defaultUpdateSources(velmora::game3d()));
        velmora::setUpdateSources(platform, velmora::game3d(), {});
        QCOMPARE(velmora::updateSources(platform, velmora::game3d()), QStringList());
        velmora::setUpdateSources(platform, velmora::game3d(),
            { QStringLiteral("http://a.example/1.txt"), QStringLiteral("http://b") });
    }
    velmora::QtPlatform later;
    QCOMPARE(velmora::updateSources(later, velmora::game3d()),
        QStringList({ QStringLiteral("http://a.example/1.txt"), QStringLiteral("http://b") }));
    QVERIFY(QFile::exists(m_config.filePath(QStringLiteral("velmora/velmora.conf"))));
}

void tst_DataSourcesDialog::startsWithTheDefaultList()
{
    FakePlatform platform;
    DataSourcesDialog dialog(platform, velmora::game3d());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("数据源设置"));
    QCOMPARE(dialog.sources(),
        QStringList({ QStringLiteral("https://data.17500.cn/3d_asc.txt"),
            QStringLiteral("http://data.17500.cn/3d_asc.txt") }));
}

void tst_DataSourcesDialog::editsTheListAndOkKeepsIt()
{
    FakePlatform platform;
    velmora::setUpdateSources(platform, velmora::game3d(), { QStringLiteral("http://a.example/1.txt") });
    DataSourcesDialog dialog(platform, velmora::game3d());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("sourceList"));
    auto* address = dialog.findChild<QLineEdit*>(QStringLiteral("addressEdit"));
    QVERIFY(list && address);

    // Added by the button and by Return, each selected at the end.
    address->setFocus();
    QTest::keyClicks(address, QStringLiteral("http://b.example/2.txt"));
    Click(Button(&dialog, QStringLiteral("添加")));
    QTest::mouseClick(address, Qt::LeftButton);
    QTest::keyClicks(address, QStringLiteral("  https://c.example/3.txt "));
    QTest::keyClick(address, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.sources(),
        QStringList({ QStringLiteral("http://a.example/1.txt"), QStringLiteral("http://b.example/2.txt"),
            QStringLiteral("https://c.example/3.txt") }));
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(address->text().isEmpty());

    // The last row cannot go down; up moves it before b.
    QVERIFY(!Button(&dialog, QStringLiteral("下移"))->isEnabled());
    Click(Button(&dialog, QStringLiteral("上移")));
    QCOMPARE(dialog.sources().at(1), QStringLiteral("https://c.example/3.txt"));
    ClickRow(list, 0);
    QVERIFY(!Button(&dialog, QStringLiteral("上移"))->isEnabled());
    Click(Button(&dialog, QStringLiteral("下移")));
    QCOMPARE(dialog.sources(),
        QStringList({ QStringLiteral("https://c.example/3.txt"), QStringLiteral("http://a.example/1.txt"),
            QStringLiteral("http://b.example/2.txt") }));

    ClickRow(list, 2);
    Click(Button(&dialog, QStringLiteral("删除")));
    QCOMPARE(dialog.sources(),
        QStringList({ QStringLiteral("https://c.example/3.txt"), QStringLiteral("http://a.example/1.txt") }));
    QCOMPARE(list->currentRow(), 1);

    // 自动更新 is on until turned off here.
    auto* autoUpdate = dialog.findChild<QCheckBox*>(QStringLiteral("autoUpdateBox"));
    QVERIFY(autoUpdate->isChecked());
    Click(autoUpdate);

    QCOMPARE(velmora::updateSources(platform, velmora::game3d()),
        QStringList({ QStringLiteral("http://a.example/1.txt") }));
    QVERIFY(velmora::AutoUpdate::isEnabled(platform));
    // Enter outside the address field is OK.
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(velmora::updateSources(platform, velmora::game3d()), dialog.sources());
    QVERIFY(!velmora::AutoUpdate::isEnabled(platform));
}

void tst_DataSourcesDialog::enterAddsAndTheDialogStaysOpen_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
}

// Run modally as the window runs it, where OK is the default button.
void tst_DataSourcesDialog::enterAddsAndTheDialogStaysOpen()
{
    QFETCH(int, key);
    FakePlatform platform;
    velmora::setUpdateSources(platform, velmora::game3d(), { QStringLiteral("http://a.example/1.txt") });
    DataSourcesDialog dialog(platform, velmora::game3d());
    bool openAfterKey = false;
    QTimer::singleShot(0, &dialog, [&] {
        auto* address = dialog.findChild<QLineEdit*>(QStringLiteral("addressEdit"));
        QTest::mouseClick(address, Qt::LeftButton);
        QTest::keyClicks(address, QStringLiteral("http://b.example/2.txt"));
        QTest::keyClick(address, static_cast<Qt::Key>(key));
        openAfterKey = dialog.isVisible();
        Click(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(openAfterKey);
    QCOMPARE(velmora::updateSources(platform, velmora::game3d()),
        QStringList({ QStringLiteral("http://a.example/1.txt"), QStringLiteral("http://b.example/2.txt") }));
}

void tst_DataSourcesDialog::refusesBadAddresses_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << ""
                             << "请输入地址";
    QTest::newRow("blanks") << "   "
                            << "请输入地址";
    QTest::newRow("ftp") << "ftp://a.example/1.txt"
                         << "地址应以 http:// 或 https:// 开头，后面是服务器和文件";
    QTest::newRow("no scheme") << "a.example/1.txt"
                               << "地址应以 http:// 或 https:// 开头，后面是服务器和文件";
    QTest::newRow("no host") << "http:///1.txt"
                             << "地址应以 http:// 或 https:// 开头，后面是服务器和文件";
    QTest::newRow("already listed") << "http://a.example/1.txt"
                                    << "这个地址已在列表中";
}

void tst_DataSourcesDialog::refusesBadAddresses()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    FakePlatform platform;
    velmora::setUpdateSources(platform, velmora::game3d(), { QStringLiteral("http://a.example/1.txt") });
    DataSourcesDialog dialog(platform, velmora::game3d());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* address = dialog.findChild<QLineEdit*>(QStringLiteral("addressEdit"));
    auto* error = dialog.findChild<QLabel*>(QStringLiteral("addressError"));
    QTest::keyClicks(address, typed);
    Click(Button(&dialog, QStringLiteral("添加")));
    QCOMPARE(error->text(), message);
    QVERIFY(error->isVisible());
    QCOMPARE(dialog.sources(), QStringList({ QStringLiteral("http://a.example/1.txt") }));
    // Typing again takes the message away.
    QTest::keyClick(address, Qt::Key_X);
    QVERIFY(!error->isVisible());
}

void tst_DataSourcesDialog::cancelKeepsNothing()
{
    FakePlatform platform;
    DataSourcesDialog dialog(platform, velmora::game3d());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Click(Button(&dialog, QStringLiteral("删除")));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(platform.settings.isEmpty());
    QCOMPARE(velmora::updateSources(platform, velmora::game3d()),
        velmora::defaultUpdateSources(velmora::game3d()));
}

void tst_DataSourcesDialog::emptiedListStaysEmpty()
{
    FakePlatform platform;
    DataSourcesDialog dialog(platform, velmora::game3d());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Click(Button(&dialog, QStringLiteral("删除")));
    Click(Button(&dialog, QStringLiteral("删除")));
    QVERIFY(!Button(&dialog, QStringLiteral("删除"))->isEnabled());
    QVERIFY(!Button(&dialog, QStringLiteral("测试"))->isEnabled());
    dialog.accept();
    QCOMPARE(velmora::updateSources(platform, velmora::game3d()), QStringList());

    qunsetenv("VELMORA_SERVER");
    QVERIFY(velmora::updateSourceUrls(platform, velmora::game3d()).isEmpty());
    qputenv("VELMORA_SERVER", "http://127.0.0.1:8000/");
    velmora::setUpdateSources(platform, velmora::game3d(), { QStringLiteral("http://a.example/1.txt") });
    QCOMPARE(velmora::updateSourceUrls(platform, velmora::game3d()),
        QList<QUrl>({ QUrl(QStringLiteral("http://127.0.0.1:8000/3dcp.txt")),
            QUrl(QStringLiteral("http://a.example/1.txt")) }));
    qunsetenv("VELMORA_SERVER");

    // "恢复默认" brings the default list back.
    DataSourcesDialog again(platform, velmora::game3d());
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    Click(Button(&again, QStringLiteral("恢复默认")));
    QCOMPARE(again.sources(), velmora::defaultUpdateSources(velmora::game3d()));
}

void tst_DataSourcesDialog::testOne_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("result");
    QTest::newRow("not found") << 404 << QByteArray("gone") << "测试失败：无法下载 %1";
    QTest::newRow("error page") << 200 << QByteArray("<html><body>服务器忙</body></html>\r\n")
                                << "测试失败：下载的内容中没有开奖数据";
    QTest::newRow("bad lines") << 200 << QByteArray("2026001,123,456,0,0\r\n2026002,12,456,0,0\r\n")
                               << "测试失败：文本内容中下列行的数据有错误，请纠正再保存！！\n2,";
    QTest::newRow("draw-data text, newest not last")
        << 200 << QByteArray("2026003,333,333,0,0\r\n2026001,111,111,0,0\r\n2026002,222,222,0,0\r\n")
        << "测试成功：共3期，最新一期2026003";
    QTest::newRow("real history") << 200 << ReadData("3d-history.txt")
                                  << "测试成功：共8684期，最新一期2026176";
    QTest::newRow("public layout") << 200 << PublicLayout(ReadData("3d-history-last200.txt"))
                                   << "测试成功：共200期，最新一期2026176";
}

void tst_DataSourcesDialog::testOne()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, result);
    TestHttpServer server;
    QVERIFY(server.Start());
    server.Status = status;
    server.Body = body;
    const QString url = server.BaseUrl() + QStringLiteral("/3d_asc.txt");
    FakePlatform platform;
    velmora::setUpdateSources(platform, velmora::game3d(), { QStringLiteral("http://a.example/1.txt"), url });
    DataSourcesDialog dialog(platform, velmora::game3d());
    dialog.setDownloadTimeout(5000);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    ClickRow(dialog.findChild<QListWidget*>(QStringLiteral("sourceList")), 1);
    Click(Button(&dialog, QStringLiteral("测试")));
    QCOMPARE(platform.downloads, QList<QUrl>({ QUrl(url) }));
    result.replace(QStringLiteral("%1"), url);
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("testResult"))->text(), result);
    QVERIFY(dialog.isEnabled());
    QVERIFY(platform.messages.isEmpty());
}

void tst_DataSourcesDialog::snapshot()
{
    const QString folder = qEnvironmentVariable("VELMORA_SNAPSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("VELMORA_SNAPSHOT_DIR is not set");
    QVERIFY(QDir().mkpath(folder));
    TestHttpServer server;
    QVERIFY(server.Start());
    server.Body = ReadData("3d-history-last200.txt");
    FakePlatform platform;
    velmora::setUpdateSources(platform, velmora::game3d(),
        { server.BaseUrl() + QStringLiteral("/3d_asc.txt"),
            QStringLiteral("https://data.17500.cn/3d_asc.txt") });
    DataSourcesDialog dialog(platform, velmora::game3d());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Click(Button(&dialog, QStringLiteral("测试")));
    QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("addressEdit")), QStringLiteral("ftp://x"));
    Click(Button(&dialog, QStringLiteral("添加")));
    QVERIFY(dialog.grab().save(QDir(folder).filePath(QStringLiteral("data-sources-dialog.png"))));
}

QTEST_MAIN(tst_DataSourcesDialog)
#include "tst_DataSourcesDialog.moc"
