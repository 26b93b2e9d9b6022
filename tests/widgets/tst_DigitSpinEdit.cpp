// The spin edit of the filter page's digit range: a typed value counts as typed
// until the focus leaves, then it is brought into range.
#include "widgets/DigitSpinEdit.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using velmora::DigitSpinEdit;

class tst_TFilterSpinEdit : public QObject {
    Q_OBJECT

private slots:
    void typedThenLeft_data();
    void typedThenLeft();
    void arrowKeys_data();
    void arrowKeys();
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
    QTest::newRow("in range") << "5"
                              << "5" << 5 << "5" << 5;
    QTest::newRow("above the range") << "12"
                                     << "12" << 12 << "9" << 9;
    QTest::newRow("below the range") << "-3"
                                     << "-3" << -3 << "0" << 0;
    QTest::newRow("a lone minus sign") << "-"
                                       << "-" << 0 << "0" << 0;
    QTest::newRow("nothing") << ""
                             << "" << 0 << "0" << 0;
    QTest::newRow("letters are refused") << "a7b"
                                         << "7" << 7 << "7" << 7;
    QTest::newRow("a minus sign inside is refused") << "4-"
                                                    << "4" << 4 << "4" << 4;
    QTest::newRow("leading zeros") << "007"
                                   << "007" << 7 << "7" << 7;
    QTest::newRow("too long for a number") << "99999999999"
                                           << "99999999999" << 0 << "0" << 0;
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
    QTest::newRow("up inside") << "4" << int(Qt::Key_Up) << "5";
    QTest::newRow("down inside") << "4" << int(Qt::Key_Down) << "3";
    QTest::newRow("up at the top") << "9" << int(Qt::Key_Up) << "9";
    QTest::newRow("down at the bottom") << "0" << int(Qt::Key_Down) << "0";
    QTest::newRow("up from above the range") << "12" << int(Qt::Key_Up) << "9";
    QTest::newRow("down from above the range") << "12" << int(Qt::Key_Down) << "8";
    QTest::newRow("up from no number") << "-" << int(Qt::Key_Up) << "1";
    QTest::newRow("down from below the range") << "-3" << int(Qt::Key_Down) << "0";
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

QTEST_MAIN(tst_TFilterSpinEdit)
#include "tst_DigitSpinEdit.moc"
