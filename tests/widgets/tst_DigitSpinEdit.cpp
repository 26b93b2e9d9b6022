// The spin edit of the filter page's digit range: a typed value counts as typed
// until the focus leaves, then it is brought into range.
#include "widgets/DigitSpinEdit.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::StringLiterals;

using velmora::DigitSpinEdit;

class tst_TFilterSpinEdit : public QObject {
    Q_OBJECT

private slots:
    void typedThenLeft_data();
    void typedThenLeft();
    void arrowKeys_data();
    void arrowKeys();
    void textChangesAreSignalled();
};

namespace {

struct Window {
    QWidget top;
    DigitSpinEdit* Spin = new DigitSpinEdit(0, 9, &top);
    QLineEdit* Other = new QLineEdit(&top);

    Window()
    {
        auto* layout = new QVBoxLayout(&top);
        layout->addWidget(Spin);
        layout->addWidget(Other);
        top.show();
        top.activateWindow();
        if (!QTest::qWaitForWindowActive(&top))
            qWarning("window did not become active");
    }

    void Type(const QString& text)
    {
        QTest::mouseClick(Spin, Qt::LeftButton);
        QTest::keyClick(Spin, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Spin, Qt::Key_Delete);
        QTest::keyClicks(Spin, text);
    }
};

} // namespace

void tst_TFilterSpinEdit::typedThenLeft_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("afterLeaving");
    QTest::addColumn<int>("valueAfterLeaving");
    QTest::newRow("in range") << u"5"_s << u"5"_s << 5 << u"5"_s << 5;
    QTest::newRow("above the range") << u"12"_s << u"12"_s << 12 << u"9"_s << 9;
    QTest::newRow("below the range") << u"-3"_s << u"-3"_s << -3 << u"0"_s << 0;
    QTest::newRow("a lone minus sign") << u"-"_s << u"-"_s << 0 << u"0"_s << 0;
    QTest::newRow("nothing") << u""_s << u""_s << 0 << u"0"_s << 0;
    QTest::newRow("letters are refused") << u"a7b"_s << u"7"_s << 7 << u"7"_s << 7;
    QTest::newRow("a minus sign inside is refused") << u"4-"_s << u"4"_s << 4 << u"4"_s << 4;
    QTest::newRow("leading zeros") << u"007"_s << u"007"_s << 7 << u"7"_s << 7;
    QTest::newRow("too long for a number") << u"99999999999"_s << u"99999999999"_s << 0 << u"0"_s << 0;
}

void tst_TFilterSpinEdit::typedThenLeft()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, value);
    QFETCH(QString, afterLeaving);
    QFETCH(int, valueAfterLeaving);
    Window w;
    w.Type(typed);
    QVERIFY(w.Spin->hasFocus());
    QCOMPARE(w.Spin->text(), shown);
    QCOMPARE(w.Spin->value(), value);
    QTest::mouseClick(w.Other, Qt::LeftButton);
    QVERIFY(!w.Spin->hasFocus());
    QCOMPARE(w.Spin->text(), afterLeaving);
    QCOMPARE(w.Spin->value(), valueAfterLeaving);
}

void tst_TFilterSpinEdit::arrowKeys_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("shown");
    QTest::newRow("up inside") << u"4"_s << int(Qt::Key_Up) << u"5"_s;
    QTest::newRow("down inside") << u"4"_s << int(Qt::Key_Down) << u"3"_s;
    QTest::newRow("up at the top") << u"9"_s << int(Qt::Key_Up) << u"9"_s;
    QTest::newRow("down at the bottom") << u"0"_s << int(Qt::Key_Down) << u"0"_s;
    QTest::newRow("up from above the range") << u"12"_s << int(Qt::Key_Up) << u"9"_s;
    QTest::newRow("down from above the range") << u"12"_s << int(Qt::Key_Down) << u"8"_s;
    QTest::newRow("up from no number") << u"-"_s << int(Qt::Key_Up) << u"1"_s;
    QTest::newRow("down from below the range") << u"-3"_s << int(Qt::Key_Down) << u"0"_s;
}

void tst_TFilterSpinEdit::arrowKeys()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, shown);
    Window w;
    w.Type(typed);
    QTest::keyClick(w.Spin, static_cast<Qt::Key>(key));
    QCOMPARE(w.Spin->text(), shown);
}

// Every change of the text tells, whether typed, stepped or set; a setter that
// leaves the text as it was does not.
void tst_TFilterSpinEdit::textChangesAreSignalled()
{
    Window w;
    QSignalSpy spy(w.Spin, &DigitSpinEdit::textChanged);
    w.Spin->setValue(0);
    w.Spin->setTypedValue(0);
    QCOMPARE(spy.count(), 0);
    w.Spin->setValue(12);
    QCOMPARE(w.Spin->text(), u"9"_s);
    QCOMPARE(spy.count(), 1);
    w.Spin->setTypedValue(12);
    QCOMPARE(spy.count(), 2);
    w.Type(u"34"_s);
    QCOMPARE(w.Spin->text(), u"34"_s);
    const int afterTyping = static_cast<int>(spy.count());
    QVERIFY(afterTyping >= 4); // the deletion and each digit
    QTest::keyClick(w.Spin, Qt::Key_Down);
    QCOMPARE(spy.count(), afterTyping + 1);
    QTest::keyClick(w.Spin, Qt::Key_Down);
    QCOMPARE(w.Spin->text(), u"7"_s);
    QCOMPARE(spy.count(), afterTyping + 2);
    // Leaving with a value in range changes nothing.
    QTest::mouseClick(w.Other, Qt::LeftButton);
    QCOMPARE(spy.count(), afterTyping + 2);
}

QTEST_MAIN(tst_TFilterSpinEdit)
#include "tst_DigitSpinEdit.moc"
