#include "app/platform/QtPlatform.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

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
    void messageBoxFitsScreen_data();
    void messageBoxFitsScreen();
    void printToPdf();
    void choiceQuestion_data();
    void choiceQuestion();
    void warningChoiceShowsTheWarningIcon();
    void printDialogKeepsTheLastPdfFile();
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
    QCOMPARE(velmora::qtNameFilters(filter), expected);
}

void tst_QtPlatform::messageBoxFitsScreen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("warning");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("short information") << QStringLiteral("已保存") << false << false;
    QTest::newRow("short warning") << QStringLiteral("下载开奖数据失败!") << true << false;
    QString lines;
    for (int i = 1; i <= 5000; ++i)
        lines += QStringLiteral("%1,").arg(i) + (i % 10 == 0 ? QStringLiteral("\n") : QString());
    QTest::newRow("5000 line numbers") << lines << false << true;
    QTest::newRow("one line of 200,000 characters") << QString(200000, QLatin1Char('8')) << true << true;
}

void tst_QtPlatform::messageBoxFitsScreen()
{
    QFETCH(QString, text);
    QFETCH(bool, warning);
    QFETCH(bool, scrolls);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QRect boxRect;
    QRect buttonRect;
    bool scrollArea = false;
    bool clicked = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
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
            if (const auto* messageBox = qobject_cast<QMessageBox*>(box))
                icon = messageBox->icon();
            QTest::mouseClick(ok, Qt::LeftButton);
            clicked = true;
        }
    });
    velmora::QtPlatform platform;
    if (warning)
        platform.showWarning(nullptr, text);
    else
        platform.showMessage(nullptr, text);
    QVERIFY(clicked);
    QVERIFY2(screen.contains(boxRect),
        qPrintable(QStringLiteral("%1x%2").arg(boxRect.width()).arg(boxRect.height())));
    QVERIFY(screen.contains(buttonRect));
    QCOMPARE(scrollArea, scrolls);
    if (!scrolls)
        QCOMPARE(icon, warning ? QMessageBox::Warning : QMessageBox::Information);
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
    QStringList lines { QStringLiteral("Velmora 号码打印，时间:2024.05.06 07:08:09"),
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

// The print dialog opens on the PDF file the last print wrote, within the session and,
// through the settings, in the next one; a print to a printer ends that.
void tst_QtPlatform::printDialogKeepsTheLastPdfFile()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QStringLiteral("velmora"), QStringLiteral("velmora")).clear();
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.pdf"));
    // Answers the next print dialog: records the file it offers, then prints to `target`
    // (a PDF file, or the native format standing for a printer).
    QString offered;
    const auto answerDialog = [&offered](const QString& target) {
        QTimer::singleShot(0, qApp, [&offered, target] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
            auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
            QVERIFY(printers && fileName);
            const int pdfEntry = printers->count() - 1; // "Print to File (PDF)" comes last
            offered = printers->currentIndex() == pdfEntry ? fileName->text() : QString();
            printers->setCurrentIndex(pdfEntry);
            fileName->setText(target);
            dialog->accept();
        });
    };
    const QStringList lines { QStringLiteral("缩水结果有1注"), QStringLiteral("123,") };

    velmora::QtPlatform session;
    answerDialog(first);
    QVERIFY(session.printLines(nullptr, lines, 12));
    QVERIFY(QFileInfo(first).size() > 0);
    answerDialog(first);
    QVERIFY(session.printLines(nullptr, lines, 12));
    QCOMPARE(offered, first);

    velmora::QtPlatform nextSession;
    answerDialog(first);
    QVERIFY(nextSession.printLines(nullptr, lines, 12));
    QCOMPARE(offered, first);
}

void tst_QtPlatform::warningChoiceShowsTheWarningIcon()
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(300, this, [&icon] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            icon = box->icon();
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    velmora::QtPlatform platform;
    QCOMPARE(platform.chooseOnWarning(nullptr, QStringLiteral("在线更新开奖数据失败：…"),
                 { QStringLiteral("数据源设置"), QStringLiteral("关闭") }),
        1);
    QCOMPARE(icon, QMessageBox::Warning);
}

QTEST_MAIN(tst_QtPlatform)
#include "tst_QtPlatform.moc"
