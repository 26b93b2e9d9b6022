// The online update's sources tried in order against local servers: each failure
// named with its reason in one warning that offers 数据源设置, the first history
// that arrives taken, a cancel ending it all.
#include "app/FakePlatform.h"
#include "app/TestHttpServer.h"
#include "app/UpdateSources.h"
#include "core/game/Game.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using velmora::fetchUpdate;
using velmora::setUpdateSources;

class tst_UpdateSources : public QObject {
    Q_OBJECT

private slots:
    void init() { qunsetenv("VELMORA_SERVER"); }
    void everyFailedSourceIsNamedWithItsReason();
    void cancelEndsTheUpdate();
};

void tst_UpdateSources::everyFailedSourceIsNamedWithItsReason()
{
    TestHttpServer notFound;
    TestHttpServer page;
    TestHttpServer shortBody;
    TestHttpServer good;
    for (TestHttpServer* server : { &notFound, &page, &shortBody, &good })
        QVERIFY(server->Start());
    notFound.Status = 404;
    notFound.ReasonPhrase = "Not Found";
    page.ContentType = "text/html";
    page.Body = "<html><body>Sorry, the draws, the page: gone</body></html>\r\n";
    good.Body = "2026001,111,222,0,0\r\n2026002,333,444,1,2\r\n";
    shortBody.Body = good.Body;
    shortBody.DeclaredLength = good.Body.size() + 10;
    QString refused;
    {
        TestHttpServer closed;
        QVERIFY(closed.Start());
        refused = closed.BaseUrl() + QStringLiteral("/3d.txt");
    }
    const auto url
        = [](const TestHttpServer& server) { return server.BaseUrl() + QStringLiteral("/3d.txt"); };

    FakePlatform platform;
    QTemporaryDir dir;
    const QString dataFile = dir.filePath(QStringLiteral("lotdata.ldf"));
    setUpdateSources(platform, velmora::game3d(), { url(notFound), refused, url(page), url(shortBody) });
    QVERIFY(!fetchUpdate(platform, nullptr, velmora::game3d(), dataFile, 5000).lines);
    QCOMPARE(platform.warningQuestions,
        QStringList {
            QStringLiteral("在线更新开奖数据失败：\n%1：404 Not Found\n%2：连接被拒绝\n%3：不是开奖数据\n"
                           "%4：内容不完整|数据源设置/关闭")
                .arg(url(notFound), refused, url(page), url(shortBody)) });
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(platform.dialogsRun.isEmpty());
    // Quietly (自动更新), the same reasons come back in one line and nothing is shown.
    const velmora::UpdateFetch quiet
        = velmora::fetchUpdateQuietly(platform, nullptr, velmora::game3d(), dataFile, 5000);
    QVERIFY(!quiet.lines);
    QCOMPARE(quiet.failure,
        QStringLiteral("%1：404 Not Found；%2：连接被拒绝；%3：不是开奖数据；%4：内容不完整")
            .arg(url(notFound), refused, url(page), url(shortBody)));
    QCOMPARE(platform.warningQuestions.size(), 1);

    // The warning's first choice asks the caller to open the sources.
    platform.choiceAnswers = { 0 };
    setUpdateSources(platform, velmora::game3d(), { refused });
    const velmora::UpdateFetch declined = fetchUpdate(platform, nullptr, velmora::game3d(), dataFile, 5000);
    QVERIFY(!declined.lines);
    QVERIFY(declined.editSources);

    // A failed source passes to the next; the first history wins, unwarned.
    setUpdateSources(platform, velmora::game3d(), { url(notFound), url(good), url(page) });
    const auto lines = fetchUpdate(platform, nullptr, velmora::game3d(), dataFile, 5000).lines;
    QVERIFY(lines);
    QCOMPARE(*lines, (std::vector<std::string> { "2026001,111,222,0,0", "2026002,333,444,1,2" }));
    QCOMPARE(platform.warningQuestions.size(), 2);
    // Asked once in the loud and once in the quiet round; the last round stops at good.
    QVERIFY(page.RequestLines.size() == 2);
}

// Cancel in the progress dialog is the user's answer, not a failed source: no other
// source is tried and nothing is said.
void tst_UpdateSources::cancelEndsTheUpdate()
{
    TestHttpServer silent;
    TestHttpServer good;
    QVERIFY(silent.Start() && good.Start());
    silent.ServerMode = TestHttpServer::Mode::Silent;
    good.Body = "2026001,111,222,0,0\r\n";
    FakePlatform platform;
    setUpdateSources(platform, velmora::game3d(),
        { silent.BaseUrl() + QStringLiteral("/3d.txt"), good.BaseUrl() + QStringLiteral("/3d.txt") });
    QTimer::singleShot(1200, this, [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(widget); progress && progress->isVisible())
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    QTemporaryDir dir;
    QVERIFY(
        !fetchUpdate(platform, nullptr, velmora::game3d(), dir.filePath(QStringLiteral("lotdata.ldf")), 60000)
             .lines);
    QCOMPARE(silent.RequestLines.size(), 1);
    QVERIFY(good.RequestLines.isEmpty());
    QVERIFY(platform.warningQuestions.isEmpty() && platform.messages.isEmpty());
}

QTEST_MAIN(tst_UpdateSources)
#include "tst_UpdateSources.moc"
