// The result commands shared by the three result pages.
#include "app/FakePlatform.h"
#include "app/ResultCommands.h"
#include "support/TestFiles.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace velmora;

namespace {

// Also records what the save dialog was asked with.
class RecordingPlatform : public FakePlatform {
public:
    QStringList saveRequests;
    QString saveFileName(QWidget*, const QString& filter, const QString& ext, const QString& initial) override
    {
        saveRequests << filter + QLatin1Char(';') + ext + QLatin1Char(';') + initial;
        return saveNameAnswer;
    }
};

CodeSet SetOf(std::initializer_list<int> codes)
{
    CodeSet set;
    for (int c : codes)
        set[c] = 1;
    return set;
}

} // namespace

class tst_ResultCommands : public QObject {
    Q_OBJECT

private:
    RecordingPlatform platform;
    QStringList status;
    QWidget parent;

    ResultCommands make()
    {
        return ResultCommands(platform, &parent, [this](const QString& s) { status << s; });
    }

private slots:
    void init()
    {
        platform = RecordingPlatform();
        status.clear();
    }

    void exportWritesResultFileAndRemembersName()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.txt"));
        ResultCommands actions = make();
        platform.saveNameAnswer = path;
        QVERIFY(actions.exportResult(SetOf({ 7, 123 }), "智能推荐结果有"));
        QCOMPARE(test::readFile(path),
            QByteArray("\xD6\xC7\xC4\xDC\xCD\xC6\xBC\xF6\xBD\xE1\xB9\xFB\xD3\xD0"
                       "2\xD7\xA2\r\n\r\n007,123,\r\n\r\n"));
        QCOMPARE(status, QStringList { QStringLiteral("已导出2注到 ") + path });

        actions.setIssueOfResults([] { return QStringLiteral("2026178"); });
        QVERIFY(actions.exportResult(CodeSet {}, "缩水结果有"));
        QCOMPARE(test::readFile(path),
            QByteArray("\xCB\xF5\xCB\xAE\xBD\xE1\xB9\xFB\xD3\xD0"
                       "0\xD7\xA2\r\n\r\n\r\n"));
        QCOMPARE(status.last(), QStringLiteral("已导出0注到 ") + path);
        // The result's name, then with the issue it is for, in the folder chosen last.
        QCOMPARE(platform.saveRequests,
            (QStringList { QStringLiteral("文本文件|*.txt;txt;智能推荐结果.txt"),
                QStringLiteral("文本文件|*.txt;txt;")
                    + dir.filePath(QStringLiteral("缩水结果-2026178.txt")) }));
    }

    void exportCancelledWritesNothing()
    {
        ResultCommands actions = make();
        platform.saveNameAnswer.clear();
        QVERIFY(!actions.exportResult(SetOf({ 1 }), "缩水结果有"));
        QVERIFY(status.isEmpty());
    }

    void prizeCheck_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("selected");
        QTest::newRow("direct hit") << u"456"_s << u"直选命中：456（直选1040元）"_s << u"456"_s;
        QTest::newRow("other codes of a six group")
            << u"645"_s << u"同组号码：456（按组选投注：组六173元）"_s << u"456"_s;
        QTest::newRow("both, on a pair group")
            << u"007"_s << u"直选命中：007（直选1040元）；同组号码：700（按组选投注：组三346元）"_s
            << u"007"_s;
        QTest::newRow("group mates only, the first selected")
            << u"070"_s << u"同组号码：007、700（按组选投注：组三346元）"_s << u"007"_s;
        QTest::newRow("count in the header is no code") << u"123"_s << u"抱歉，没有找到号码123"_s << u""_s;
        QTest::newRow("one character says why") << u"5"_s << u"开奖号码应为3位数字：5"_s << u""_s;
        QTest::newRow("cancel does nothing") << u""_s << u""_s << u""_s;
        QTest::newRow("a letter says why") << u"12a"_s << u"开奖号码应为3位数字：12a"_s << u""_s;
        QTest::newRow("blanks around are dropped")
            << u" 456 "_s << u"直选命中：456（直选1040元）"_s << u"456"_s;
    }

    void prizeCheck()
    {
        QFETCH(QString, entry);
        QFETCH(QString, status);
        QFETCH(QString, selected);
        QPlainTextEdit memo;
        memo.setPlainText(QStringLiteral("缩水结果有123注\n\n007,456,700,\n"));
        ResultCommands actions = make();
        platform.inputAnswers << entry;
        actions.checkPrize(&memo);
        QCOMPARE(this->status.value(0), status);
        QCOMPARE(memo.textCursor().selectedText(), selected);
    }

    // Every code found is marked, the entered code first; each search drops the
    // marks of the one before, a search that finds nothing included.
    void prizeCheckMarksWhatItFoundOnly()
    {
        QPlainTextEdit memo;
        memo.setPlainText(QStringLiteral("缩水结果有4注\n\n308,038,380,111,\n"));
        ResultCommands actions = make();
        const auto marked = [&memo] {
            QStringList texts;
            for (const QTextEdit::ExtraSelection& mark : memo.extraSelections())
                texts << mark.cursor.selectedText();
            return texts;
        };
        platform.inputAnswers = QStringList { u"038"_s, u"111"_s, u"999"_s };
        actions.checkPrize(&memo);
        QCOMPARE(marked(), (QStringList { u"038"_s, u"308"_s, u"380"_s }));
        actions.checkPrize(&memo);
        QCOMPARE(marked(), QStringList { u"111"_s });
        actions.checkPrize(&memo);
        QCOMPARE(marked(), QStringList());
        QVERIFY(!memo.textCursor().hasSelection());
        QCOMPARE(status.last(), u"抱歉，没有找到号码999"_s);
    }

    void printMemoAddsHeaderAndKeepsLines()
    {
        QPlainTextEdit memo;
        ResultCommands actions = make();
        actions.printMemo(&memo);
        memo.setPlainText(resultMemoText("缩水结果有", SetOf({ 5 })));
        actions.printMemo(&memo);
        QCOMPARE(platform.printed.size(), 2);
        QCOMPARE(platform.printed[0],
            QStringList { QStringLiteral("Velmora 号码打印，时间:2024.05.06 07:08:09") });
        QCOMPARE(platform.printed[1],
            (QStringList { QStringLiteral("Velmora 号码打印，时间:2024.05.06 07:08:09"),
                QStringLiteral("缩水结果有1注"), QString(), QStringLiteral("005,"), QString() }));
        // The status counts the codes printed; a header's count is none of them.
        memo.setPlainText(QStringLiteral("缩水结果有123注\n\n005,678,"));
        actions.printMemo(&memo);
        QCOMPARE(status, (QStringList { u"已打印0注"_s, u"已打印1注"_s, u"已打印2注"_s }));
    }
};

QTEST_MAIN(tst_ResultCommands)
#include "tst_ResultCommands.moc"
