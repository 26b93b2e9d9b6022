// Renders every chart over the real history into PNG files for a look by eye:
// $VELMORA_SNAPSHOT_DIR/chart-<name>-top.png and chart-<name>-end.png (totals row).
#include "Charts/ChartTestSupport.h"
#include "Charts/Charts.h"
#include "H2Net/TH2Net.h"

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
    QString dir_;
    velmora::TCodeRecArr history_;
};

void tst_ChartSnapshots::initTestCase()
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei")});
    font.setPointSize(9);
    QApplication::setFont(font);
    dir_ = qEnvironmentVariable("VELMORA_SNAPSHOT_DIR", QDir::tempPath() + "/velmora-snapshots");
    QVERIFY(QDir().mkpath(dir_));
    history_ = velmora::test::RealHistory();
    QVERIFY(history_.size() > 8000);
}

void tst_ChartSnapshots::render_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(std::size(velmora::kChartKinds)); ++i)
        QTest::newRow(velmora::kChartKinds[i].Name) << i;
}

void tst_ChartSnapshots::render()
{
    QFETCH(int, index);
    const velmora::TChartKind& kind = velmora::kChartKinds[index];
    TH2Net net;
    net.resize(780, 500);
    net.show();
    QVERIFY(QTest::qWaitForWindowExposed(&net));
    std::vector<std::string> messages;
    const int n = kind.Build(net.Model(), history_, 30,
                             [&](const std::string& m) { messages.push_back(m); });
    QCOMPARE(n, 30);
    QVERIFY(messages.empty());

    const QString base = dir_ + "/chart-" + QString::fromLatin1(kind.Name);
    QVERIFY(net.grab().save(base + "-top.png"));
    QTest::keyClick(&net, Qt::Key_End);
    QVERIFY(net.Model().TopRow() > 0);
    QVERIFY(net.grab().save(base + "-end.png"));
}

QTEST_MAIN(tst_ChartSnapshots)
#include "tst_ChartSnapshots.moc"
