#include "app/TestHttpServer.h"

#include "app/platform/UrlDownload.h"

#include <QApplication>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>

using velmora::DownloadLimits;
using velmora::DownloadResult;
using velmora::downloadUrlToFile;

namespace {

enum class Misbehaviour {
    None,
    NotFound,
    Silent,
    RedirectWithoutLocation,
    ShortBody,
    HugeDeclared,
    HugeUndeclared,
    Drip,
    RedirectToOtherHost,
    RedirectToOtherScheme,
    SixRedirects,
    Refused,
};

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Resident memory of this process, in bytes.
qint64 ResidentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * 4096;
}

} // namespace

Q_DECLARE_METATYPE(Misbehaviour)

class tst_UrlDownload : public QObject {
    Q_OBJECT

private slots:
    void failureSaysWhyAndKeepsTheFile_data();
    void failureSaysWhyAndKeepsTheFile();
    void cancelIsNotAFailure();
    void redirectsOnTheSameServerAreFollowed();
    void bodyWithoutLengthStaysOutOfMemory();
};

void tst_UrlDownload::failureSaysWhyAndKeepsTheFile_data()
{
    QTest::addColumn<Misbehaviour>("misbehaviour");
    QTest::addColumn<QString>("reason");
    QTest::newRow("200") << Misbehaviour::None << QString();
    QTest::newRow("404") << Misbehaviour::NotFound << QStringLiteral("404 Not Found");
    QTest::newRow("no answer") << Misbehaviour::Silent << QStringLiteral("超时");
    QTest::newRow("connection refused") << Misbehaviour::Refused << QStringLiteral("连接被拒绝");
    QTest::newRow("301 without location") << Misbehaviour::RedirectWithoutLocation << QStringLiteral("301 X");
    QTest::newRow("connection closed 100 bytes before the declared end")
        << Misbehaviour::ShortBody << QStringLiteral("内容不完整");
    QTest::newRow("100 MB declared") << Misbehaviour::HugeDeclared << QStringLiteral("超过64MB");
    QTest::newRow("100 MB without Content-Length")
        << Misbehaviour::HugeUndeclared << QStringLiteral("超过64MB");
    QTest::newRow("one byte per 100 ms past the overall limit")
        << Misbehaviour::Drip << QStringLiteral("超时");
    QTest::newRow("redirect to 127.0.0.2")
        << Misbehaviour::RedirectToOtherHost << QStringLiteral("重定向到其他网站");
    QTest::newRow("redirect to https")
        << Misbehaviour::RedirectToOtherScheme << QStringLiteral("重定向到其他网站");
    QTest::newRow("six redirects") << Misbehaviour::SixRedirects << QStringLiteral("重定向次数过多");
}

// Each ends at its limit with its reason; without one it would run to success or
// for minutes.
void tst_UrlDownload::failureSaysWhyAndKeepsTheFile()
{
    QFETCH(Misbehaviour, misbehaviour);
    QFETCH(QString, reason);
    TestHttpServer http;
    QVERIFY(http.Start());
    TestHttpServer otherHost;
    QVERIFY(otherHost.Start(QHostAddress(QStringLiteral("127.0.0.2"))));
    otherHost.Body = "2002001,073,526,2,2\r\n";
    http.Body = "2002001,073,526,2,2\r\n2002002,123,456,1,1\r\n";
    QString url = http.BaseUrl() + QStringLiteral("/3dcp.txt");
    DownloadLimits limits;
    limits.overallMs = 1000;
    int timeoutMs = 5000;
    switch (misbehaviour) {
    case Misbehaviour::None:
        break;
    case Misbehaviour::NotFound:
        http.Status = 404;
        http.ReasonPhrase = "Not Found";
        break;
    case Misbehaviour::Silent:
        http.ServerMode = TestHttpServer::Mode::Silent;
        timeoutMs = 300;
        limits.overallMs = 60000;
        break;
    case Misbehaviour::Refused: {
        TestHttpServer closed;
        QVERIFY(closed.Start());
        url = closed.BaseUrl() + QStringLiteral("/3dcp.txt");
        break;
    }
    case Misbehaviour::RedirectWithoutLocation:
        http.Status = 301;
        break;
    case Misbehaviour::ShortBody:
        http.DeclaredLength = http.Body.size() + 100;
        break;
    case Misbehaviour::HugeDeclared:
        http.StreamedBytes = qint64 { 100 } << 20;
        break;
    case Misbehaviour::HugeUndeclared:
        http.StreamedBytes = qint64 { 100 } << 20;
        http.SendLength = false;
        limits.overallMs = 60000;
        break;
    case Misbehaviour::Drip:
        http.DripIntervalMs = 100;
        break;
    case Misbehaviour::RedirectToOtherHost:
        http.Redirects.insert("/3dcp.txt", otherHost.BaseUrl().toLatin1() + "/3dcp.txt");
        break;
    case Misbehaviour::RedirectToOtherScheme:
        http.Redirects.insert(
            "/3dcp.txt", "https://127.0.0.1:" + QByteArray::number(http.Port()) + "/3dcp.txt");
        break;
    case Misbehaviour::SixRedirects:
        for (int i = 0; i < 6; ++i)
            http.Redirects.insert(i == 0 ? QByteArray("/3dcp.txt") : "/r" + QByteArray::number(i),
                "/r" + QByteArray::number(i + 1));
        break;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tmp.txt"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QElapsedTimer clock;
    clock.start();
    const DownloadResult result = downloadUrlToFile(nullptr, QUrl(url), path, timeoutMs, limits);
    qInfo("%s: %lld ms", QTest::currentDataTag(), static_cast<long long>(clock.elapsed()));
    QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(result.reason, reason);
    QCOMPARE(result.status, reason.isEmpty() ? DownloadResult::Status::Ok : DownloadResult::Status::Failed);
    QCOMPARE(FileBytes(path), reason.isEmpty() ? http.Body : QByteArray("old"));
    QCOMPARE(
        QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("tmp.txt") });
    QVERIFY(otherHost.RequestLines.isEmpty());
}

void tst_UrlDownload::cancelIsNotAFailure()
{
    TestHttpServer http;
    QVERIFY(http.Start());
    http.ServerMode = TestHttpServer::Mode::Silent;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tmp.txt"));
    bool modal = false;
    QTimer::singleShot(1200, this, [&modal] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(widget);
            if (progress && progress->isVisible()) {
                modal = progress->windowModality() == Qt::ApplicationModal;
                const auto buttons = progress->findChildren<QPushButton*>();
                if (!buttons.isEmpty())
                    QTest::mouseClick(buttons.first(), Qt::LeftButton);
            }
        }
    });
    QElapsedTimer clock;
    clock.start();
    const DownloadResult result
        = downloadUrlToFile(nullptr, QUrl(http.BaseUrl() + QStringLiteral("/3dcp.txt")), path, 60000);
    QCOMPARE(result.status, DownloadResult::Status::Canceled);
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(modal);
    QVERIFY(!QFileInfo::exists(path));
}

void tst_UrlDownload::redirectsOnTheSameServerAreFollowed()
{
    TestHttpServer http;
    QVERIFY(http.Start());
    http.Body = "2002001,073,526,2,2\r\n";
    // Five hops, to other paths and at last to another port of the same host.
    TestHttpServer otherPort;
    QVERIFY(otherPort.Start());
    otherPort.Body = http.Body;
    http.Redirects.insert("/3dcp.txt", "/r1");
    for (int i = 1; i < 4; ++i)
        http.Redirects.insert("/r" + QByteArray::number(i), "/r" + QByteArray::number(i + 1));
    http.Redirects.insert("/r4", otherPort.BaseUrl().toLatin1() + "/data.txt");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tmp.txt"));
    const DownloadResult result
        = downloadUrlToFile(nullptr, QUrl(http.BaseUrl() + QStringLiteral("/3dcp.txt")), path, 5000);
    QVERIFY2(result, qPrintable(result.reason + QLatin1Char('|') + http.RequestLines.join(QLatin1Char('|'))));
    QCOMPARE(FileBytes(path), http.Body);
    QCOMPARE(http.RequestLines.size(), 5);
    QCOMPARE(otherPort.RequestLines, QStringList { QStringLiteral("GET /data.txt HTTP/1.1") });
}

// 200 MB without Content-Length from a server that keeps sending (on a thread of
// its own) while the window is busy for 1.5 s: the reply reads no further ahead than
// its buffer, so the process grows by far less than the body.
void tst_UrlDownload::bodyWithoutLengthStaysOutOfMemory()
{
    QString base;
    QSemaphore ready;
    QEventLoop* serverLoop = nullptr;
    std::unique_ptr<QThread> server(QThread::create([&] {
        TestHttpServer http;
        http.Start();
        http.StreamedBytes = qint64 { 200 } << 20;
        http.SendLength = false;
        base = http.BaseUrl();
        QEventLoop loop;
        serverLoop = &loop;
        ready.release();
        loop.exec();
    }));
    server->start();
    ready.acquire();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tmp.txt"));
    const qint64 before = ResidentBytes();
    qint64 peak = before;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&peak] { peak = std::max(peak, ResidentBytes()); });
    sampler.start(10);
    QTimer::singleShot(30, this, [] { QThread::msleep(1500); });
    QElapsedTimer clock;
    clock.start();
    const DownloadResult result
        = downloadUrlToFile(nullptr, QUrl(base + QStringLiteral("/3dcp.txt")), path, 5000);
    sampler.stop();
    peak = std::max(peak, ResidentBytes());
    QMetaObject::invokeMethod(serverLoop, &QEventLoop::quit);
    server->wait();
    qInfo("memory growth %lld KiB in %lld ms", static_cast<long long>((peak - before) >> 10),
        static_cast<long long>(clock.elapsed()));
    QCOMPARE(result.reason, QStringLiteral("超过64MB"));
    QVERIFY2(peak - before < (qint64 { 100 } << 20), qPrintable(QString::number((peak - before) >> 20)));
}

QTEST_MAIN(tst_UrlDownload)
#include "tst_UrlDownload.moc"
