// The quick counts beside 期数 on every chart page: 30, 50, 100 and 全部, by click
// and by key, set the count and build the chart for it.
#include "app/MainWindowFixture.h"
#include "support/GridDump.h"

#include "app/pages/ChartPage.h"

#include "core/charts/Charts.h"
#include "widgets/ChartSpinEdit.h"
#include "widgets/GridView.h"

#include <QPushButton>

using velmora::ChartSpinEdit;
using velmora::MainWindow;
using velmora::test::find;
using velmora::test::gridDump;

namespace {

const Qt::Key kMenuKeys[]
    = { Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F7 };

QStringList Expected(int page, const velmora::DrawHistory& history, int n)
{
    velmora::GridModel model;
    velmora::kChartKinds[page].build(model, history, n, nullptr);
    return gridDump(model);
}

velmora::ChartPage* chartPage(const MainWindowFixture& f, int page)
{
    return find<velmora::ChartPage>(
        f.window.get(), QString::fromLatin1(velmora::kChartKinds[page].name) + QStringLiteral("ChartPage"));
}

ChartSpinEdit* drawCountEdit(const MainWindowFixture& f, int page)
{
    return find<ChartSpinEdit>(chartPage(f, page), QStringLiteral("drawCountEdit"));
}

void TypeInto(ChartSpinEdit* spin, const QString& text)
{
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(8, spin->height() / 2));
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(spin, Qt::Key_Backspace);
    QTest::keyClicks(spin, text);
}

} // namespace

class tst_ChartPageCounts : public QObject {
    Q_OBJECT

private slots:
    void quickCounts_data();
    void quickCounts();
};

void tst_ChartPageCounts::quickCounts_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("count");
    QTest::newRow("30 by click") << 0 << QStringLiteral("quick30") << 0 << 30;
    QTest::newRow("50 by Alt+5") << 1 << QString() << int(Qt::Key_5) << 50;
    QTest::newRow("100 by click") << 2 << QStringLiteral("quick100") << 0 << 100;
    QTest::newRow("100 by Alt+1") << 6 << QString() << int(Qt::Key_1) << 100;
    QTest::newRow("30 by Alt+3") << 4 << QString() << int(Qt::Key_3) << 30;
    QTest::newRow("all by click") << 5 << QStringLiteral("quickAll") << 0 << 120;
    QTest::newRow("all by Alt+A") << 3 << QString() << int(Qt::Key_A) << 120;
}

// 30, 50, 100 and 全部 beside 期数: the count edit takes the count and the chart is built for it.
void tst_ChartPageCounts::quickCounts()
{
    QFETCH(int, page);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, count);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(120)));
    MainWindow& form = f.startShown();
    QTest::keyClick(&form, kMenuKeys[page], Qt::ControlModifier);
    TypeInto(drawCountEdit(f, page), QStringLiteral("7"));
    if (button.isEmpty())
        QTest::keyClick(&form, Qt::Key(key), Qt::AltModifier);
    else
        QTest::mouseClick(find<QPushButton>(chartPage(f, page), button), Qt::LeftButton);
    QCOMPARE(drawCountEdit(f, page)->value(), count);
    QCOMPARE(gridDump(find<GridView>(chartPage(f, page), QStringLiteral("chart"))->model()),
        Expected(page, f.history(), count));
    QCOMPARE(f.platform.messages, QStringList());
}

QTEST_MAIN(tst_ChartPageCounts)
#include "tst_ChartPageCounts.moc"
