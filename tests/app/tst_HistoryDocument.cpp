// The history document replaces its text as one undo step, whatever the old and
// the new text share; the records follow the text.
#include "app/HistoryDocument.h"

#include <QSignalSpy>
#include <QTextDocument>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_HistoryDocument : public QObject {
    Q_OBJECT

private slots:
    void replacedTextIsOneUndoStep_data();
    void replacedTextIsOneUndoStep();
    void changedDrawsAreTheNewAndAltered();
};

void tst_HistoryDocument::replacedTextIsOneUndoStep_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("from nothing") << QString() << u"2002001,073,526,2,2\n"_s;
    QTest::newRow("to nothing") << u"2002001,073,526,2,2\n"_s << QString();
    QTest::newRow("the same") << u"2002001,073,526,2,2\n"_s << u"2002001,073,526,2,2\n"_s;
    QTest::newRow("a line inserted") << u"2002001,073,526,2,2\n2002003,071,102,2,2\n"_s
                                     << u"2002001,073,526,2,2\n2002002,237,203,1,1\n2002003,071,102,2,2\n"_s;
    QTest::newRow("start and end overlap") << u"aaa"_s << u"aa"_s;
    QTest::newRow("repeated lines") << u"x\nx\nx\n"_s << u"x\nx\n"_s;
    QTest::newRow("a character outside the BMP") << u"a\U0001F600b"_s << u"a\U0001F601b"_s;
}

void tst_HistoryDocument::replacedTextIsOneUndoStep()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    velmora::HistoryDocument document(velmora::game3d(), QString(), nullptr);
    QTextDocument* text = document.textDocument();
    document.setText(before);
    text->clearUndoRedoStacks();
    document.setText(after);
    QCOMPARE(document.text(), after);
    QCOMPARE(text->toPlainText(), after);
    if (before != after) {
        text->undo();
        QCOMPARE(document.text(), before);
    }
    QVERIFY(!text->isUndoAvailable());
}

void tst_HistoryDocument::changedDrawsAreTheNewAndAltered()
{
    velmora::HistoryDocument document(velmora::game3d(), QString(), nullptr);
    QSignalSpy changed(&document, &velmora::HistoryDocument::changed);
    document.setText(u"2002001,073,526,2,2\n2002002,237,203,1,1\n"_s);
    QCOMPARE(document.changedDraws().size(), std::size_t(2));
    // Altered, kept, added; the same text again changes nothing.
    for (int i = 0; i < 2; ++i)
        document.setText(u"2002001,073,526,2,2\n2002002,999,203,1,1\n2002003,071,102,2,2\n"_s);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(document.revision(), std::uint64_t(2));
    QCOMPARE(document.changedDraws().size(), std::size_t(2));
    QCOMPARE(document.changedDraws()[0].drawCode, 999);
    QCOMPARE(document.changedDraws()[1].issue, 3);
    // A text with a bad line keeps the records and says nothing.
    document.setText(u"2002001,07x,526,2,2\n"_s);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(document.badLines(), std::vector<int> { 0 });
}

QTEST_MAIN(tst_HistoryDocument)
#include "tst_HistoryDocument.moc"
