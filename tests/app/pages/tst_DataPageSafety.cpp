// The data page never loses the user's draws: the questions before clearing and
// before saving a text that lost most draws, undo, backups, bad lines that can be
// found, a data file that is no regular file, success told only after the save,
// and the caret on the draw just added.
#include "app/MainWindowFixture.h"
#include "app/TestHttpServer.h"
#include "core/game/Game.h"
#include "support/Snapshots.h"

#include "app/UpdateSources.h"

#include "widgets/PageControl.h"

#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextBlock>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using velmora::test::clickToolButton;

namespace {

QPlainTextEdit* editor(const MainWindowFixture& f)
{
    return velmora::test::find<QPlainTextEdit>(&f.dataPage(), QStringLiteral("drawEditor"));
}

QStringList backups(const MainWindowFixture& f)
{
    return QDir(f.path(QStringLiteral("backups"))).entryList(QDir::Files);
}

// Fills the add-draw dialog with the issue and codes and confirms it.
std::function<int(QDialog&)> typeDraw(const QString& issue, const QString& draw)
{
    return [issue, draw](QDialog& dialog) {
        dialog.show();
        for (const auto& [name, text] : { std::pair { "issueEdit", issue },
                 std::pair { "drawCodeEdit", draw }, std::pair { "testCodeEdit", QStringLiteral("456") } }) {
            auto* edit = velmora::test::find<QLineEdit>(&dialog, QString::fromLatin1(name));
            edit->selectAll();
            QTest::keyClicks(edit, text);
        }
        QTest::mouseClick(
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        return dialog.result();
    };
}

} // namespace

class tst_DataPageSafety : public QObject {
    Q_OBJECT

private slots:
    void clearAsksAndCtrlZUndoesIt();
    void clearThenAddKeepsTheFile();
    void shrinkingSaveAsks_data();
    void shrinkingSaveAsks();
    void badLinesAreMarkedAndReached();
    void badDataPausesTheAnalysisPages();
    void fifoAsDataFileStarts();
    void updateTellsSuccessOnlyAfterTheSave();
    void caretOnTheAddedDraw();
    void restoreBackupSavesIt();
};

void tst_DataPageSafety::clearAsksAndCtrlZUndoesIt()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(40)));
    f.startShown();
    f.trigger("showDataPage");
    const QString before = editor(f)->toPlainText();
    clickToolButton(&f.dataPage(), QStringLiteral("清空数据"));
    QCOMPARE(f.platform.confirmations.size(), 1);
    QCOMPARE(editor(f)->toPlainText(), before);
    f.platform.confirmAnswer = true;
    clickToolButton(&f.dataPage(), QStringLiteral("清空数据"));
    QCOMPARE(editor(f)->toPlainText(), QString());
    editor(f)->setFocus();
    QTest::keyClick(editor(f), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor(f)->toPlainText(), before);
}

// The finding of the issue: 清空数据 and 添加开奖 once wrote one line over the history,
// and, declined, left every page analysing that one unsaved draw.
void tst_DataPageSafety::clearThenAddKeepsTheFile()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(10)));
    f.startShown();
    f.trigger("showDataPage");
    const QString before = editor(f)->toPlainText();
    f.platform.confirmAnswer = true;
    clickToolButton(&f.dataPage(), QStringLiteral("清空数据"));
    QVERIFY(f.history().empty());
    f.platform.confirmAnswer = false;
    f.platform.dialogScript = typeDraw(QStringLiteral("2002011"), QStringLiteral("777"));
    QTest::keyClick(f.window.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(f.platform.confirmations.last(), QStringLiteral("将保存1期，文件中现有10期。确定保存吗？"));
    QCOMPARE(readFile(f.dataFile()), historyLines(10));
    QVERIFY(backups(f).isEmpty());
    // Declined: the text and the history as before 添加开奖, and the pages with them.
    QCOMPARE(editor(f)->toPlainText(), QString());
    QVERIFY(f.history().empty());
    QCOMPARE(f.window->statusText(0), QStringLiteral("未保存，开奖数据保持原样"));

    // One Ctrl+Z brings the cleared text back, and the pages follow it.
    editor(f)->setFocus();
    QTest::keyClick(editor(f), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor(f)->toPlainText(), before);
    QTRY_COMPARE(int(f.history().size()), 10);
    QCOMPARE(f.platform.warnings, QStringList());
}

void tst_DataPageSafety::shrinkingSaveAsks_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("question");
    QTest::newRow("no draw left") << historyLines(8) << QByteArray("typed\n")
                                  << u"将保存0期，文件中现有8期。确定保存吗？"_s;
    QTest::newRow("fewer than half") << historyLines(9) << historyLines(4)
                                     << u"将保存4期，文件中现有9期。确定保存吗？"_s;
    QTest::newRow("half") << historyLines(8) << historyLines(4) << QString();
    QTest::newRow("an empty file") << QByteArray() << QByteArray() << QString();
}

void tst_DataPageSafety::shrinkingSaveAsks()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, text);
    QFETCH(QString, question);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), file));
    f.startShown();
    f.trigger("showDataPage");
    editor(f)->setPlainText(QString::fromLatin1(text).remove(u'\r'));
    // Declined: nothing is written.
    QTest::keyClick(editor(f), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.platform.confirmations, question.isEmpty() ? QStringList() : QStringList { question });
    QCOMPARE(readFile(f.dataFile()), question.isEmpty() ? text : file);
}

void tst_DataPageSafety::badLinesAreMarkedAndReached()
{
    MainWindowFixture f;
    QByteArray bytes = historyLines(300);
    bytes.replace("2002003,071", "2002003,07x").replace("2002006,128", "2002006,");
    bytes.replace("2002150,", "2002150,1");
    QVERIFY(writeFile(f.dataFile(), bytes));
    f.platform.choiceAnswers = { 0 }; // 跳到第一处错误
    velmora::MainWindow& form = f.startShown();
    QCOMPARE(f.platform.warningQuestions.size(), 1);
    QVERIFY(f.platform.warningQuestions[0].endsWith(QStringLiteral("|跳到第一处错误/关闭")));
    QApplication::processEvents();
    QCOMPARE(form.frontArea(), f.window->findChild<QWidget*>(QStringLiteral("workPages")));
    QCOMPARE(editor(f)->textCursor().blockNumber(), 2);
    QCOMPARE(editor(f)->extraSelections().size(), 3);
    QCOMPARE(
        f.part<QLabel>("statusBadLines")->text(), QStringLiteral("数据有3行错误，分析暂停：第3、6、150行"));
    QVERIFY(f.part<QLabel>("statusBadLines")->isVisible());
    QCOMPARE(QApplication::focusWidget(), editor(f));
    QCOMPARE(form.statusText(0), QStringLiteral("第3行：开奖号应为3位数字"));

    // F7 from anywhere: the keyboard in the editor, the line in the middle of the
    // view, its reason in the status bar.
    f.trigger("showFilterPage");
    const struct {
        int line;
        QString status;
    } steps[] = { { 5, QStringLiteral("第6行：应有期号、开奖号、试机号、机号、球号5项，用逗号隔开") },
        { 149, QStringLiteral("第150行：开奖号应为3位数字") },
        { 2, QStringLiteral("第3行：开奖号应为3位数字") } };
    for (const auto& step : steps) {
        QTest::keyClick(&form, Qt::Key_F7);
        QCOMPARE(editor(f)->textCursor().blockNumber(), step.line);
        QCOMPARE(QApplication::focusWidget(), editor(f));
        QCOMPARE(form.statusText(0), step.status);
    }
    QTest::keyClick(editor(f), Qt::Key_F7);
    QTest::keyClick(editor(f), Qt::Key_F7);
    const int middle = editor(f)->viewport()->height() / 2;
    QVERIFY2(std::abs(editor(f)->cursorRect().center().y() - middle) <= editor(f)->cursorRect().height(),
        qPrintable(QString::number(editor(f)->cursorRect().center().y())));

    // Mended and saved: the note and the marks go.
    QTextCursor last(editor(f)->document()->findBlockByNumber(149));
    last.select(QTextCursor::LineUnderCursor);
    last.insertText(QStringLiteral("2002150,123,456,1,1"));
    QTextCursor line(editor(f)->document()->findBlockByNumber(5));
    line.select(QTextCursor::BlockUnderCursor);
    line.removeSelectedText();
    QTextCursor first(editor(f)->document()->findBlockByNumber(2));
    first.select(QTextCursor::LineUnderCursor);
    first.insertText(QStringLiteral("2002003,071,102,2,2"));
    clickToolButton(&f.dataPage(), QStringLiteral("保存数据"));
    QCOMPARE(int(f.history().size()), 299);
    QCOMPARE(form.statusText(0), QStringLiteral("保存文档完毕"));
    QVERIFY(!f.part<QLabel>("statusBadLines")->isVisible());
    QCOMPARE(editor(f)->extraSelections().size(), 0);
}

// Bad lines at start: the charts, smart shrink and the recommendations say so
// instead of analysing no draws, keep their settings, and come back once mended.
void tst_DataPageSafety::badDataPausesTheAnalysisPages()
{
    MainWindowFixture f;
    QByteArray bytes = historyLines(60);
    bytes.replace("2002003,071", "2002003,07x");
    QVERIFY(writeFile(f.dataFile(), bytes));
    velmora::MainWindow& form = f.startShown();
    const QString notice = QStringLiteral("开奖数据有错误，请先修正（F7）");
    f.trigger("showTrendChart");
    auto* chartPage = velmora::test::find<QWidget>(f.window.get(), QStringLiteral("trendChartPage"));
    auto* count = velmora::test::find<QSpinBox>(chartPage, QStringLiteral("drawCountEdit"));
    const int asked = count->value();
    QVERIFY(velmora::test::find<QLabel>(chartPage, QStringLiteral("badDataNotice"))->isVisible());
    QVERIFY(!velmora::test::find<QWidget>(chartPage, QStringLiteral("chart"))->isVisible());
    QTest::mouseClick(
        velmora::test::find<QPushButton>(chartPage, QStringLiteral("queryButton")), Qt::LeftButton);
    QCOMPARE(count->value(), asked);
    QVERIFY(velmora::test::writeSnapshot(form, QStringLiteral("chart-bad-data.png")));
    for (const char* page : { "showSmartShrinkPage", "showRecommendPage" }) {
        f.trigger(page);
        QWidget* front = f.part<velmora::PageControl>("workPages")->currentWidget();
        QCOMPARE(velmora::test::find<QLabel>(front, QStringLiteral("badDataNotice"))->text(), notice);
        QVERIFY(velmora::test::find<QLabel>(front, QStringLiteral("badDataNotice"))->isVisible());
    }
    QTest::keyClick(&form, Qt::Key_1, Qt::AltModifier);
    f.trigger("showSmartShrinkPage");
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(f.platform.warnings, (QStringList { notice, notice }));

    // Mended by typing: the pages come back by themselves, the count as it was.
    QTest::keyClick(&form, Qt::Key_F7);
    QTest::keyClick(editor(f), Qt::Key_End);
    QTest::keyClick(editor(f), Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClicks(editor(f), QStringLiteral("2002003,071,102,2,2"));
    QTRY_COMPARE(int(f.history().size()), 60);
    f.trigger("showTrendChart");
    QVERIFY(!velmora::test::find<QLabel>(chartPage, QStringLiteral("badDataNotice"))->isVisible());
    QVERIFY(velmora::test::find<QWidget>(chartPage, QStringLiteral("chart"))->isVisible());
    QCOMPARE(count->value(), asked);
    f.trigger("showRecommendPage");
    QVERIFY(!velmora::test::find<QLabel>(&f.recommendPage(), QStringLiteral("badDataNotice"))->isVisible());
    QCOMPARE(f.platform.warnings.size(), 2);
}

void tst_DataPageSafety::fifoAsDataFileStarts()
{
    MainWindowFixture f;
    QCOMPARE(::mkfifo(QFile::encodeName(f.dataFile()).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    f.start();
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(f.platform.warnings,
        QStringList { QStringLiteral("无法读取文件") + f.dataFile() + QStringLiteral("：不是普通文件") });
    QVERIFY(f.history().empty());
}

void tst_DataPageSafety::updateTellsSuccessOnlyAfterTheSave()
{
    TestHttpServer http;
    QVERIFY(http.Start());
    http.Body = historyLines(12);
    MainWindowFixture f;
    velmora::setUpdateSources(f.platform, velmora::game3d(), { http.BaseUrl() + QStringLiteral("/3d.txt") });
    QVERIFY(writeFile(f.dataFile(), historyLines(10)));
    f.startShown(2000);
    // The data file's place is taken by a folder: the save fails.
    QVERIFY(QFile::remove(f.dataFile()) && QDir().mkdir(f.dataFile()));
    f.trigger("downloadDraws");
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY2(f.platform.messages[0].startsWith(QStringLiteral("无法写入文件")),
        qPrintable(f.platform.messages[0]));
    QCOMPARE(int(f.history().size()), 12);
    QCOMPARE(f.window->statusText(0), QStringLiteral("已合并，尚未保存"));
}

void tst_DataPageSafety::caretOnTheAddedDraw()
{
    MainWindowFixture f;
    QByteArray gap = historyLines(3000);
    gap.replace("2002005,374,634,1,1\r\n", "");
    QVERIFY(writeFile(f.dataFile(), gap));
    f.startShown();
    f.trigger("showDataPage");
    f.platform.dialogScript = typeDraw(QStringLiteral("2002005"), QStringLiteral("374"));
    f.trigger("addDraw");
    const QTextCursor caret = editor(f)->textCursor();
    QCOMPARE(caret.blockNumber(), 4);
    QCOMPARE(caret.block().text(), QStringLiteral("2002005,374,456,0,0"));
    QVERIFY(editor(f)->viewport()->rect().contains(editor(f)->cursorRect().center()));
    // One undo step takes the line out again.
    QTest::keyClick(editor(f), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor(f)->document()->blockCount(), 3000);
}

// 恢复备份… from the menu: the backup chosen becomes the text and is saved, so the
// text it replaced is a backup in turn.
void tst_DataPageSafety::restoreBackupSavesIt()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(6)));
    f.startShown();
    f.trigger("showDataPage");
    editor(f)->setPlainText(QString::fromLatin1(historyLines(7)).remove(u'\r'));
    QTest::keyClick(editor(f), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(backups(f).size(), 1);
    QStringList rows;
    f.platform.dialogScript = [&rows](QDialog& dialog) {
        dialog.show();
        auto* table = velmora::test::find<QTableWidget>(&dialog, QStringLiteral("backupTable"));
        for (int col = 1; col < table->columnCount(); ++col)
            rows << table->item(0, col)->text();
        QTest::mouseClick(
            velmora::test::find<QPushButton>(&dialog, QStringLiteral("restoreButton")), Qt::LeftButton);
        return dialog.result();
    };
    f.trigger("restoreBackup");
    QCOMPARE(rows, (QStringList { QStringLiteral("6"), QStringLiteral("2002006") }));
    QCOMPARE(readFile(f.dataFile()), historyLines(6));
    QCOMPARE(int(f.history().size()), 6);
    QCOMPARE(backups(f).size(), 2);
}

QTEST_MAIN(tst_DataPageSafety)
#include "tst_DataPageSafety.moc"
