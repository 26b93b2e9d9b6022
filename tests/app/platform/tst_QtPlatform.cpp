#include "app/TestHttpServer.h"

#include "app/platform/QtPlatform.h"

#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

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
    void printToPdf();
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

QTEST_MAIN(tst_QtPlatform)
#include "tst_QtPlatform.moc"
