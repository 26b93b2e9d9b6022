#include "app/TestHttpServer.h"

#include "app/platform/QtPlatform.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

using velmora::DownloadLimits;
using velmora::downloadUrlToFile;

namespace {

QString RunTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class tst_QtPlatform : public QObject {
    Q_OBJECT

private slots:
    void nameFilters_data();
    void nameFilters();
    void download_data();
    void download();
    void cancelStopsDownload();
    void downloadFailureKeepsFile_data();
    void downloadFailureKeepsFile();
    void downloadFollowsRedirectsOnTheSameServer();
    void messageBoxFitsScreen_data();
    void messageBoxFitsScreen();
    void printToPdf();
    void choiceQuestion_data();
    void choiceQuestion();
};

void tst_QtPlatform::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one entry") << u"文本文件|*.txt"_s << u"文本文件 (*.txt)"_s;
    QTest::newRow("two entries") << u"文本文件|*.txt|所有文件|*.*"_s << u"文本文件 (*.txt);;所有文件 (*.*)"_s;
    QTest::newRow("several patterns") << u"数据|*.txt;*.ldf"_s << u"数据 (*.txt *.ldf)"_s;
    QTest::newRow("label without pattern") << u"文本文件"_s << u""_s;
}

void tst_QtPlatform::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(velmora::QtNameFilters(filter), expected);
}

void tst_QtPlatform::download_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("ok");
    QTest::newRow("200") << 200 << false << true;
    QTest::newRow("204 empty") << 204 << false << true;
    QTest::newRow("404") << 404 << false << false;
    QTest::newRow("301 without location") << 301 << false << false;
    QTest::newRow("no answer") << 200 << true << false;
}

void tst_QtPlatform::download()
{
    QFETCH(int, status);
    QFETCH(bool, silent);
    QFETCH(bool, ok);
    TestHttpServer http;
    QVERIFY(http.Start());
    http.Status = status;
    http.Body = status == 204 ? QByteArray() : QByteArray("2002001,073,526,2,2\r\n");
    http.ServerMode = silent ? TestHttpServer::Mode::Silent : TestHttpServer::Mode::Answer;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tmp.txt"));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(downloadUrlToFile(nullptr, QUrl(http.BaseUrl() + QStringLiteral("/3dcp.txt")), path, 300), ok);
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(QFileInfo::exists(path), ok);
    if (ok) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), http.Body);
    }
}

void tst_QtPlatform::cancelStopsDownload()
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
    QVERIFY(!downloadUrlToFile(nullptr, QUrl(http.BaseUrl() + QStringLiteral("/3dcp.txt")), path, 60000));
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(modal);
    QVERIFY(!QFileInfo::exists(path));
}

namespace {

enum class Misbehaviour {
    ShortBody,
    HugeDeclared,
    HugeUndeclared,
    Drip,
    RedirectToOtherHost,
    RedirectToOtherScheme,
    SixRedirects,
};

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

Q_DECLARE_METATYPE(Misbehaviour)

void tst_QtPlatform::downloadFailureKeepsFile_data()
{
    QTest::addColumn<Misbehaviour>("misbehaviour");
    QTest::newRow("connection closed 100 bytes before the declared end") << Misbehaviour::ShortBody;
    QTest::newRow("100 MB declared") << Misbehaviour::HugeDeclared;
    QTest::newRow("100 MB without Content-Length") << Misbehaviour::HugeUndeclared;
    QTest::newRow("one byte per 100 ms past the overall limit") << Misbehaviour::Drip;
    QTest::newRow("redirect to 127.0.0.2") << Misbehaviour::RedirectToOtherHost;
    QTest::newRow("redirect to https") << Misbehaviour::RedirectToOtherScheme;
    QTest::newRow("six redirects") << Misbehaviour::SixRedirects;
}

void tst_QtPlatform::downloadFailureKeepsFile()
{
    QFETCH(Misbehaviour, misbehaviour);
    TestHttpServer http;
    QVERIFY(http.Start());
    TestHttpServer otherHost;
    QVERIFY(otherHost.Start(QHostAddress(QStringLiteral("127.0.0.2"))));
    otherHost.Body = "2002001,073,526,2,2\r\n";
    http.Body = "2002001,073,526,2,2\r\n2002002,123,456,1,1\r\n";
    DownloadLimits limits;
    limits.overallMs = 1000;
    switch (misbehaviour) {
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
    QVERIFY(
        !downloadUrlToFile(nullptr, QUrl(http.BaseUrl() + QStringLiteral("/3dcp.txt")), path, 5000, limits));
    // Each ends at its limit; without one it would run to success or for minutes.
    QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(FileBytes(path), QByteArray("old"));
    QCOMPARE(
        QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("tmp.txt") });
    QVERIFY(otherHost.RequestLines.isEmpty());
}

void tst_QtPlatform::downloadFollowsRedirectsOnTheSameServer()
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
    const bool ok
        = downloadUrlToFile(nullptr, QUrl(http.BaseUrl() + QStringLiteral("/3dcp.txt")), path, 5000);
    QVERIFY2(ok, qPrintable(http.RequestLines.join(QLatin1Char('|'))));
    QCOMPARE(FileBytes(path), http.Body);
    QCOMPARE(http.RequestLines.size(), 5);
    QCOMPARE(otherPort.RequestLines, QStringList { QStringLiteral("GET /data.txt HTTP/1.1") });
}

void tst_QtPlatform::messageBoxFitsScreen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("short") << QStringLiteral("下载开奖数据失败!") << false;
    QString lines;
    for (int i = 1; i <= 5000; ++i)
        lines += QStringLiteral("%1,").arg(i) + (i % 10 == 0 ? QStringLiteral("\n") : QString());
    QTest::newRow("5000 line numbers") << lines << true;
    QTest::newRow("one line of 200,000 characters") << QString(200000, QLatin1Char('8')) << true;
}

void tst_QtPlatform::messageBoxFitsScreen()
{
    QFETCH(QString, text);
    QFETCH(bool, scrolls);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QRect boxRect;
    QRect buttonRect;
    bool scrollArea = false;
    bool clicked = false;
    QTimer::singleShot(300, this, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr)
            return;
        boxRect = box->frameGeometry();
        const auto buttons = box->findChildren<QAbstractButton*>();
        if (!buttons.isEmpty()) {
            QAbstractButton* ok = buttons.first();
            buttonRect = QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size());
            scrollArea = box->findChild<QScrollArea*>(QStringLiteral("MessageScroll")) != nullptr;
            QTest::mouseClick(ok, Qt::LeftButton);
            clicked = true;
        }
    });
    velmora::QtPlatform platform;
    platform.showMessage(nullptr, text);
    QVERIFY(clicked);
    QVERIFY2(screen.contains(boxRect),
        qPrintable(QStringLiteral("%1x%2").arg(boxRect.width()).arg(boxRect.height())));
    QVERIFY(screen.contains(buttonRect));
    QCOMPARE(scrollArea, scrolls);
}

void tst_QtPlatform::printToPdf()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("print.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QStringList lines { QStringLiteral("Dastrel 号码打印，时间:2024.05.06 07:08:09"),
        QStringLiteral("缩水结果有120注"), QString() };
    for (int i = 0; i < 120; ++i)
        lines << QStringLiteral("%1,").arg(i, 3, 10, QLatin1Char('0'));
    velmora::printLinesTo(printer, lines, 12);

    const QString text
        = RunTool(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
    QVERIFY(text.contains(lines[0]));
    QVERIFY(text.contains(lines[1]));
    QVERIFY(text.contains(QStringLiteral("119,")));
    // 123 lines at 12 points do not fit one page; each page goes on where the last ended.
    QVERIFY(text.count(QLatin1Char('\f')) >= 2);
    const qsizetype at050 = text.indexOf(QStringLiteral("050,"));
    const qsizetype at100 = text.indexOf(QStringLiteral("100,"));
    QVERIFY(at050 > 0 && at100 > at050);
}

void tst_QtPlatform::choiceQuestion_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("choice");
    QTest::newRow("first button") << QStringLiteral("合并") << 0;
    QTest::newRow("second button") << QStringLiteral("替换") << 1;
    QTest::newRow("Escape is the last choice") << QString() << 2;
    QTest::newRow("Return takes the default, the last") << QStringLiteral("\n") << 2;
}

void tst_QtPlatform::choiceQuestion()
{
    QFETCH(QString, answer);
    QFETCH(int, choice);
    QStringList captions;
    bool answered = false;
    QTimer::singleShot(300, this, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr)
            return;
        for (QAbstractButton* button : box->findChildren<QAbstractButton*>())
            captions << button->text();
        answered = true;
        if (answer.isEmpty())
            QTest::keyClick(box, Qt::Key_Escape);
        else if (answer == QLatin1String("\n"))
            QTest::keyClick(box, Qt::Key_Return);
        else
            for (QAbstractButton* button : box->findChildren<QAbstractButton*>())
                if (button->text() == answer)
                    QTest::mouseClick(button, Qt::LeftButton);
    });
    velmora::QtPlatform platform;
    const int chosen = platform.choose(nullptr, QStringLiteral("合并还是替换？"),
        { QStringLiteral("合并"), QStringLiteral("替换"), QStringLiteral("取消") });
    QVERIFY(answered);
    captions.sort();
    QCOMPARE(
        captions, (QStringList { QStringLiteral("取消"), QStringLiteral("合并"), QStringLiteral("替换") }));
    QCOMPARE(chosen, choice);
}

QTEST_MAIN(tst_QtPlatform)
#include "tst_QtPlatform.moc"
