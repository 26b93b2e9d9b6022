#include "widgets/MultiCheck.h"

#include <QSignalSpy>
#include <QtTest>

using velmora::MultiCheck;
using velmora::MultiCheckError;

namespace {

void fill(MultiCheck& chk, int count, int capWidth, int cols, int width = 1)
{
    for (int i = 0; i < count; ++i)
        chk.addItem(QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0')));
    chk.setCapWidth(capWidth);
    chk.setCols(cols);
}

QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const MultiCheckError& error) {
        return QString::fromUtf8(error.what());
    }
    return QString();
}

} // namespace

class tst_MultiCheck : public QObject {
    Q_OBJECT

private slots:
    void freshControl();
    void gridSize_data();
    void gridSize();
    void cellRectangles();
    void resizeIsUndone();
    void arrowKeys_data();
    void arrowKeys();
    void unchangedSettersFireNothing();
    void spaceTogglesFocusedItemAfterOnChange();
    void enterTogglesAndOtherKeysDoNot();
    void homeEndKeepFocus();
    void indexOfCap();
    void errorsLeaveStateUnchanged();
    void checkAllAndCount();
    void mousePresses_data();
    void mousePresses();
    void mouseStaysWithTheControl();
    void focusRectangleFollowsFocus();
    void checksChangedOnEveryFlip_data();
    void checksChangedOnEveryFlip();
};

void tst_MultiCheck::freshControl()
{
    MultiCheck chk;
    QCOMPARE(chk.count(), 0);
    QCOMPARE(chk.cols(), 3);
    QCOMPARE(chk.rows(), 0);
    QCOMPARE(chk.size(), QSize(141, 3));
    QCOMPARE(chk.focusIndex(), 0);
    QCOMPARE(chk.checkedCount(), 0);
}

void tst_MultiCheck::gridSize_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("capWidth");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QSize>("size");
    QTest::newRow("ten digits") << 10 << 10 << 10 << 1 << QSize(303, 20);
    QTest::newRow("thirty sums") << 30 << 14 << 10 << 3 << QSize(343, 54);
    QTest::newRow("ten patterns in five") << 10 << 50 << 5 << 2 << QSize(353, 37);
    QTest::newRow("partial last row") << 10 << 14 << 4 << 3 << QSize(139, 54);
    QTest::newRow("one item") << 1 << 26 << 3 << 1 << QSize(141, 20);
}

void tst_MultiCheck::gridSize()
{
    QFETCH(int, count);
    QFETCH(int, capWidth);
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(QSize, size);
    MultiCheck chk;
    fill(chk, count, capWidth, cols);
    QCOMPARE(chk.rows(), rows);
    QCOMPARE(chk.size(), size);
}

void tst_MultiCheck::cellRectangles()
{
    MultiCheck digits;
    fill(digits, 10, 10, 10);
    QCOMPARE(digits.checkRect(0), QRect(QPoint(3, 3), QSize(14, 14)));
    QCOMPARE(digits.rectOfCap(0), QRect(QPoint(20, 3), QSize(10, 14)));
    QCOMPARE(digits.checkRect(9).left(), 273);

    MultiCheck sums;
    fill(sums, 30, 14, 10, 2);
    QCOMPARE(sums.checkRect(10), QRect(QPoint(3, 20), QSize(14, 14)));
    QCOMPARE(sums.rectOfCap(29), QRect(QPoint(9 * 34 + 20, 37), QSize(14, 14)));
}

void tst_MultiCheck::resizeIsUndone()
{
    MultiCheck chk;
    fill(chk, 10, 10, 10);
    chk.resize(500, 500);
    QCOMPARE(chk.size(), QSize(303, 20));
}

void tst_MultiCheck::arrowKeys_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    // Ten items in four columns.
    QTest::newRow("down into short last row") << 5 << int(Qt::Key_Down) << 9;
    QTest::newRow("down below the last item") << 6 << int(Qt::Key_Down) << 6;
    QTest::newRow("right wraps to next row") << 3 << int(Qt::Key_Right) << 4;
    QTest::newRow("right at last item") << 9 << int(Qt::Key_Right) << 9;
    QTest::newRow("left wraps to previous row") << 4 << int(Qt::Key_Left) << 3;
    QTest::newRow("left at first item") << 0 << int(Qt::Key_Left) << 0;
    QTest::newRow("up from second row") << 6 << int(Qt::Key_Up) << 2;
    QTest::newRow("up in first row") << 2 << int(Qt::Key_Up) << 2;
    QTest::newRow("page down does nothing") << 5 << int(Qt::Key_PageDown) << 5;
}

void tst_MultiCheck::arrowKeys()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    MultiCheck chk;
    fill(chk, 10, 14, 4);
    for (int i = 0; i < start; ++i)
        QTest::keyClick(&chk, Qt::Key_Right);
    QCOMPARE(chk.focusIndex(), start);
    QSignalSpy spy(&chk, &MultiCheck::changed);
    QTest::keyClick(&chk, Qt::Key(key));
    QCOMPARE(chk.focusIndex(), expected);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(chk.checkedCount(), 0);
}

void tst_MultiCheck::unchangedSettersFireNothing()
{
    MultiCheck chk;
    fill(chk, 10, 10, 10);
    QSignalSpy spy(&chk, &MultiCheck::changed);
    chk.setCols(10);
    chk.setCapWidth(10);
    chk.setCount(10);
    chk.setCheck(3, true);
    chk.setCheck(3, false);
    QCOMPARE(spy.count(), 0);
    chk.setCols(5);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<MultiCheck*>(), &chk);
    QCOMPARE(chk.size(), QSize(5 * 30 + 3, 37));
}

void tst_MultiCheck::spaceTogglesFocusedItemAfterOnChange()
{
    MultiCheck chk;
    fill(chk, 4, 10, 4);
    QTest::keyClick(&chk, Qt::Key_Right);
    QTest::keyClick(&chk, Qt::Key_Right);
    QList<bool> seen;
    connect(&chk, &MultiCheck::changed, this, [&] { seen << chk.isChecked(2); });
    QTest::keyClick(&chk, Qt::Key_Space);
    QCOMPARE(seen, QList<bool> { false });
    QVERIFY(chk.isChecked(2));
    QCOMPARE(chk.checkedCount(), 1);
    QTest::keyClick(&chk, Qt::Key_Space);
    QCOMPARE(seen, (QList<bool> { false, true }));
    QVERIFY(!chk.isChecked(2));
}

void tst_MultiCheck::enterTogglesAndOtherKeysDoNot()
{
    MultiCheck chk;
    fill(chk, 4, 10, 4);
    QSignalSpy spy(&chk, &MultiCheck::changed);
    QTest::keyClick(&chk, Qt::Key_Return);
    QVERIFY(chk.isChecked(0));
    QTest::keyClick(&chk, Qt::Key_A);
    QTest::keyClick(&chk, Qt::Key_0);
    QCOMPARE(chk.checkedCount(), 1);
    QCOMPARE(spy.count(), 3);

    MultiCheck empty;
    QTest::keyClick(&empty, Qt::Key_Space);
    QCOMPARE(empty.checkedCount(), 0);
}

void tst_MultiCheck::homeEndKeepFocus()
{
    MultiCheck chk;
    fill(chk, 10, 10, 10);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(&chk, Qt::Key_Right);
    QSignalSpy spy(&chk, &MultiCheck::changed);
    QTest::keyClick(&chk, Qt::Key_Home);
    QCOMPARE(chk.focusIndex(), 7);
    QTest::keyClick(&chk, Qt::Key_End);
    QCOMPARE(chk.focusIndex(), 7);
    // Each is a layout pass and a key press: two notices each.
    QCOMPARE(spy.count(), 4);
}

void tst_MultiCheck::indexOfCap()
{
    MultiCheck chk;
    for (const char* caption : { "组六", "组三", "组六", "a b" })
        chk.addItem(QString::fromUtf8(caption));
    QCOMPARE(chk.indexOfCap(QStringLiteral("组六")), 2);
    QCOMPARE(chk.indexOfCap(QStringLiteral("组三")), 1);
    QCOMPARE(chk.indexOfCap(QStringLiteral("A B")), -1);
    QCOMPARE(chk.indexOfCap(QStringLiteral("a b ")), -1);
    QCOMPARE(chk.indexOfCap(QStringLiteral("ab")), -1);
    QCOMPARE(chk.indexOfCap(QString()), -1);
    QVERIFY(!chk.isChecked(chk.indexOfCap(QStringLiteral("豹子"))));
}

void tst_MultiCheck::errorsLeaveStateUnchanged()
{
    MultiCheck chk;
    fill(chk, 4, 14, 4);
    chk.setCheck(1, true);
    QCOMPARE(ErrorOf([&] { chk.setCheck(4, true); }), QStringLiteral("SetCheck Error!"));
    QCOMPARE(ErrorOf([&] { chk.setCheck(-1, true); }), QStringLiteral("SetCheck Error!"));
    QCOMPARE(ErrorOf([&] { chk.rectOfCap(-1); }), QStringLiteral("RectOfCap Index Error!"));
    QCOMPARE(ErrorOf([&] { chk.checkRect(4); }), QStringLiteral("RectOfChk Index Error!"));
    QCOMPARE(ErrorOf([&] { chk.setCount(-1); }), QStringLiteral("SetCount Error!"));
    QCOMPARE(ErrorOf([&] { chk.setCols(-1); }), QStringLiteral("SetCols Error!"));
    QCOMPARE(ErrorOf([&] { chk.setCols(0); }), QStringLiteral("SetCols Error!"));
    QCOMPARE(ErrorOf([&] { chk.setCapWidth(-1); }), QStringLiteral("SetCapWidth Error!"));
    QCOMPARE(chk.count(), 4);
    QCOMPARE(chk.cols(), 4);
    QCOMPARE(chk.capWidth(), 14);
    QCOMPARE(chk.checkedCount(), 1);
    QCOMPARE(chk.size(), QSize(139, 20));
    QVERIFY(!chk.isChecked(4));
    QVERIFY(!chk.isChecked(-1));
}

void tst_MultiCheck::checkAllAndCount()
{
    MultiCheck chk;
    fill(chk, 10, 10, 10);
    chk.checkAll();
    QCOMPARE(chk.checkedCount(), 10);
    chk.setCheck(4, false);
    QCOMPARE(chk.checkedCount(), 9);
    chk.uncheckAll();
    QCOMPARE(chk.checkedCount(), 0);
    // setCount above the stored items grows them unchecked with empty captions.
    chk.setCount(12);
    QCOMPARE(chk.count(), 12);
    QVERIFY(!chk.isChecked(11));
    QCOMPARE(chk.caption(11), QString());
    chk.setCount(3);
    QCOMPARE(chk.rows(), 1);
    QCOMPARE(chk.caption(2), QStringLiteral("2"));
}

void tst_MultiCheck::mousePresses_data()
{
    QTest::addColumn<QList<QPoint>>("presses");
    QTest::addColumn<QList<int>>("checked");
    QTest::addColumn<int>("focus");
    // Ten items in four columns, caption width 14: column width 34.
    QTest::newRow("caption cell of item 5") << QList<QPoint> { { 34 + 25, 25 } } << QList<int> { 5 } << 5;
    QTest::newRow("second press toggles back")
        << QList<QPoint> { { 34 + 25, 25 }, { 34 + 25, 25 } } << QList<int> {} << 5;
    QTest::newRow("check cell of item 9") << QList<QPoint> { { 38, 40 } } << QList<int> { 9 } << 9;
    QTest::newRow("gap between cells") << QList<QPoint> { { 18, 5 } } << QList<int> {} << 0;
    QTest::newRow("gap between rows") << QList<QPoint> { { 5, 18 } } << QList<int> {} << 0;
    QTest::newRow("two items") << QList<QPoint> { { 5, 5 }, { 110, 5 } } << QList<int> { 0, 3 } << 3;
}

void tst_MultiCheck::mousePresses()
{
    QFETCH(QList<QPoint>, presses);
    QFETCH(QList<int>, checked);
    QFETCH(int, focus);
    MultiCheck chk;
    fill(chk, 10, 14, 4);
    QSignalSpy spy(&chk, &MultiCheck::changed);
    for (const QPoint& p : presses)
        QTest::mousePress(&chk, Qt::LeftButton, {}, p);
    QList<int> actual;
    for (int i = 0; i < chk.count(); ++i) {
        if (chk.isChecked(i))
            actual << i;
    }
    QCOMPARE(actual, checked);
    QCOMPARE(chk.focusIndex(), focus);
    QCOMPARE(spy.count(), 0);
}

// The control handles its mouse presses and releases itself: they must not also reach
// the widget it sits on, even for a press in a gap or a double click.
void tst_MultiCheck::mouseStaysWithTheControl()
{
    struct Parent : QWidget {
        int events = 0;
        void mousePressEvent(QMouseEvent*) override { ++events; }
        void mouseReleaseEvent(QMouseEvent*) override { ++events; }
        void mouseDoubleClickEvent(QMouseEvent*) override { ++events; }
    } parent;
    auto* chk = new MultiCheck(&parent);
    fill(*chk, 10, 14, 4);
    parent.resize(200, 80);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));

    QTest::mouseClick(chk, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(chk, Qt::LeftButton, {}, QPoint(18, 5));
    QTest::mouseDClick(chk, Qt::LeftButton, {}, QPoint(38, 5));
    QCOMPARE(parent.events, 0);
    QVERIFY(chk->isChecked(0));
    // QTest delivers a double click as the double-click event alone: one more press.
    QVERIFY(chk->isChecked(1));
}

void tst_MultiCheck::focusRectangleFollowsFocus()
{
    QWidget window;
    auto* chk = new MultiCheck(&window);
    fill(*chk, 4, 14, 4);
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    other->setGeometry(0, 40, 20, 20);
    window.resize(200, 80);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    other->setFocus();
    const QImage unfocused = chk->grab().toImage();
    chk->setFocus();
    QTest::keyClick(chk, Qt::Key_Right);
    const QImage focused = chk->grab().toImage();
    QVERIFY(focused != unfocused);
    // The mark sits on item 1's caption cell: item 0's area is unchanged.
    QCOMPARE(focused.copy(0, 0, 30, 20), unfocused.copy(0, 0, 30, 20));
    QVERIFY(focused.copy(34 + 17, 0, 20, 20) != unfocused.copy(34 + 17, 0, 20, 20));

    other->setFocus();
    QCOMPARE(chk->focusIndex(), 1);
    QCOMPARE(chk->grab().toImage(), unfocused);
    chk->setFocus();
    QCOMPARE(chk->grab().toImage(), focused);
}

void tst_MultiCheck::checksChangedOnEveryFlip_data()
{
    QTest::addColumn<std::function<void(MultiCheck&)>>("act");
    QTest::addColumn<int>("notices");
    QTest::addColumn<int>("checked");
    using Act = std::function<void(MultiCheck&)>;
    // Four items in one row, caption width 10, items 1 and 3 checked at the start.
    QTest::newRow("set to what it is") << Act([](MultiCheck& c) { c.setCheck(1, true); }) << 0 << 2;
    QTest::newRow("setCheck flips") << Act([](MultiCheck& c) { c.setCheck(0, true); }) << 1 << 3;
    QTest::newRow("checkAll") << Act([](MultiCheck& c) { c.checkAll(); }) << 1 << 4;
    QTest::newRow("checkAll twice") << Act([](MultiCheck& c) {
        c.checkAll();
        c.checkAll();
    }) << 1 << 4;
    QTest::newRow("uncheckAll") << Act([](MultiCheck& c) { c.uncheckAll(); }) << 1 << 0;
    QTest::newRow("click on an item")
        << Act([](MultiCheck& c) { QTest::mouseClick(&c, Qt::LeftButton, {}, c.checkRect(2).center()); }) << 1
        << 3;
    QTest::newRow("click in a gap") << Act([](MultiCheck& c) {
        QTest::mouseClick(
            &c, Qt::LeftButton, {}, QPoint(c.checkRect(1).left() - 1, c.checkRect(1).center().y()));
    }) << 0 << 2;
    QTest::newRow("space") << Act([](MultiCheck& c) { QTest::keyClick(&c, Qt::Key_Space); }) << 1 << 3;
    QTest::newRow("arrow keys") << Act([](MultiCheck& c) {
        QTest::keyClick(&c, Qt::Key_Right);
        QTest::keyClick(&c, Qt::Key_Left);
    }) << 0 << 2;
    QTest::newRow("layout change") << Act([](MultiCheck& c) { c.setCols(2); }) << 0 << 2;
}

void tst_MultiCheck::checksChangedOnEveryFlip()
{
    QFETCH(std::function<void(MultiCheck&)>, act);
    QFETCH(int, notices);
    QFETCH(int, checked);
    MultiCheck chk;
    fill(chk, 4, 10, 4);
    chk.setCheck(1, true);
    chk.setCheck(3, true);
    QSignalSpy spy(&chk, &MultiCheck::checksChanged);
    act(chk);
    QCOMPARE(spy.count(), notices);
    QCOMPARE(chk.checkedCount(), checked);
}

QTEST_MAIN(tst_MultiCheck)
#include "tst_MultiCheck.moc"
