// Renders every chart over the real history into PNG files for a look by eye:
// $VELMORA_SNAPSHOT_DIR/chart-<name>-top.png and chart-<name>-end.png (totals row).
#include "core/charts/ChartTestSupport.h"
#include "core/charts/Charts.h"
#include "support/Snapshots.h"
#include "widgets/GridView.h"

#include <QApplication>
#include <QDir>
#include <QTest>

class tst_ChartSnapshots : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void render_data();
    void render();

private:
    velmora::DrawHistory m_history;
};

void tst_ChartSnapshots::initTestCase()
{
    QFont font = QApplication::font();
    font.setFamilies({ QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("WenQuanYi Micro Hei") });
    font.setPointSize(9);
    QApplication::setFont(font);
    m_history = velmora::test::RealHistory();
    QVERIFY(m_history.size() > 8000);
}

void tst_ChartSnapshots::render_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(std::size(velmora::kChartKinds)); ++i)
        QTest::newRow(velmora::kChartKinds[i].name) << i;
}

void tst_ChartSnapshots::render()
{
    QFETCH(int, index);
    const velmora::ChartKind& kind = velmora::kChartKinds[index];
    GridView grid;
    grid.resize(780, 500);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    std::vector<std::string> messages;
    const int n
        = kind.build(grid.model(), m_history, 30, [&](const std::string& m) { messages.push_back(m); });
    QCOMPARE(n, 30);
    QVERIFY(messages.empty());

    const QString base = QStringLiteral("chart-") + QString::fromLatin1(kind.name);
    QVERIFY(velmora::test::writeSnapshot(grid, base + QStringLiteral("-top.png")));
    QTest::keyClick(&grid, Qt::Key_End);
    QVERIFY(grid.gridGeometry().topRow() > 0);
    QVERIFY(velmora::test::writeSnapshot(grid, base + QStringLiteral("-end.png")));
}

QTEST_MAIN(tst_ChartSnapshots)
#include "tst_ChartSnapshots.moc"
