#include "widgets/GridView.h"

#include "core/charts/Charts.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using velmora::CellColor;
using velmora::GridModel;
using velmora::GridRect;

namespace {

// A grid of `dynRows` data rows below 2 fixed rows, three columns, laid out.
void FillGrid(GridModel& m, int dynRows)
{
    m.setGridSize(3, dynRows, 2, { 66, 20, 20 });
    for (int r = 2; r < m.rowCount(); ++r)
        m.setValue(r, 0, std::to_string(r - 2));
    m.notifyChanged();
}

// Sizes the widget so that its client area (the viewport) is `clientHeight` high.
void ShowWithClientHeight(GridView& grid, int clientHeight)
{
    grid.resize(300, clientHeight + 2 * grid.frameWidth());
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.viewport()->height(), clientHeight);
}

QColor Pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

QColor toQColor(CellColor c) { return QColor(c.red(), c.green(), c.blue()); }

} // namespace

class tst_TH2Net : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void layoutFollowsTheClientHeight();
    void keysScroll_data();
    void keysScroll();
    void scrollBarCommands();
    void wheelScrolls();
    void paintsOnlyVisibleRows();
    void emptyGridShowsOnlyBackground();
    void paintsCellsLinesAndMerges();
    void indexErrorsAreSignalled();
    void rebuildPullsScrollPositionBack();
};

void tst_TH2Net::initTestCase()
{
    QFont font = QApplication::font();
    font.setFamilies({ QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("WenQuanYi Micro Hei") });
    QApplication::setFont(font);
}

void tst_TH2Net::layoutFollowsTheClientHeight()
{
    GridView grid;
    FillGrid(grid.model(), 30);
    ShowWithClientHeight(grid, 150);
    QCOMPARE(grid.gridGeometry().visRows(), 5);
    QCOMPARE(grid.verticalScrollBar()->maximum(), 25);
    QCOMPARE(grid.verticalScrollBar()->pageStep(), 5);

    grid.resize(300, 56 + 2 * grid.frameWidth());
    QCOMPARE(grid.gridGeometry().visRows(), 1);
    grid.resize(300, 55 + 2 * grid.frameWidth());
    QCOMPARE(grid.gridGeometry().visRows(), 0);
    QCOMPARE(grid.verticalScrollBar()->maximum(), 30);
}

void tst_TH2Net::keysScroll_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("down") << 0 << int(Qt::Key_Down) << 1;
    QTest::newRow("down at the end stays") << 8 << int(Qt::Key_Down) << 8;
    QTest::newRow("up") << 4 << int(Qt::Key_Up) << 3;
    QTest::newRow("up at 0 stays") << 0 << int(Qt::Key_Up) << 0;
    QTest::newRow("page down from 5 stops at 8") << 5 << int(Qt::Key_PageDown) << 8;
    QTest::newRow("page up from 5 stops at 0") << 5 << int(Qt::Key_PageUp) << 0;
    QTest::newRow("home") << 6 << int(Qt::Key_Home) << 0;
    QTest::newRow("end") << 2 << int(Qt::Key_End) << 8;
}

void tst_TH2Net::keysScroll()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    GridView grid;
    FillGrid(grid.model(), 30);
    ShowWithClientHeight(grid, 500);
    QCOMPARE(grid.gridGeometry().visRows(), 22);
    QCOMPARE(grid.verticalScrollBar()->maximum(), 8);
    grid.verticalScrollBar()->setValue(start);
    QCOMPARE(grid.gridGeometry().topRow(), start);

    QTest::keyClick(&grid, Qt::Key(key));
    QCOMPARE(grid.gridGeometry().topRow(), expected);
    QCOMPARE(grid.verticalScrollBar()->value(), expected);
}

void tst_TH2Net::scrollBarCommands()
{
    GridView grid;
    FillGrid(grid.model(), 30);
    ShowWithClientHeight(grid, 500);
    QScrollBar* bar = grid.verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(grid.gridGeometry().topRow(), 1);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(grid.gridGeometry().topRow(), 8);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(grid.gridGeometry().topRow(), 8);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(grid.gridGeometry().topRow(), 0);
    bar->setSliderPosition(6);
    QCOMPARE(grid.gridGeometry().topRow(), 6);
    QVERIFY(grid.hasFocus());
}

void tst_TH2Net::wheelScrolls()
{
    GridView grid;
    FillGrid(grid.model(), 100);
    ShowWithClientHeight(grid, 150);
    const QPoint at(20, 60);
    QWheelEvent down(at, grid.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &down);
    const int lines = QApplication::wheelScrollLines();
    QCOMPARE(grid.gridGeometry().topRow(), lines);
    QWheelEvent up(at, grid.viewport()->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &up);
    QCOMPARE(grid.gridGeometry().topRow(), 0);
}

void tst_TH2Net::paintsOnlyVisibleRows()
{
    GridView grid;
    FillGrid(grid.model(), 10000);
    ShowWithClientHeight(grid, 150);
    grid.viewport()->grab();
    QCOMPARE(grid.paintedDataRows(), 5);

    QTest::keyClick(&grid, Qt::Key_End);
    QCOMPARE(grid.gridGeometry().topRow(), 9995);
    grid.viewport()->grab();
    QCOMPARE(grid.paintedDataRows(), 5);

    FillGrid(grid.model(), 3);
    grid.viewport()->grab();
    QCOMPARE(grid.paintedDataRows(), 3);
}

void tst_TH2Net::emptyGridShowsOnlyBackground()
{
    GridView grid;
    ShowWithClientHeight(grid, 150);
    const QColor background = grid.palette().color(QPalette::Base);
    auto allBackground = [&] {
        const QImage image = grid.viewport()->grab().toImage();
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                if (Pixel(image, x, y) != background)
                    return false;
        return true;
    };
    QVERIFY(allBackground());
    grid.model().setGridSize(3, 0, 2, { 66, 20, 20 });
    grid.model().setValue(0, 0, "期号");
    grid.model().notifyChanged();
    QVERIFY(allBackground());
}

void tst_TH2Net::paintsCellsLinesAndMerges()
{
    GridView grid;
    GridModel& m = grid.model();
    const velmora::GridGeometry& g = grid.gridGeometry();
    m.setGridSize(3, 10, 2, { 66, 20, 20 });
    m.setCellColor(2, 0, CellColor::rgb(255, 0, 0));
    m.setCellColor(3, 1, CellColor::rgb(0, 128, 0));
    m.setValue(3, 1, "1");
    m.setMergeCount(1);
    m.setMerge(0, true, 0, 0, 0, 1, "期号", CellColor::rgb(10, 20, 200));
    m.notifyChanged();
    ShowWithClientHeight(grid, 150);
    const QImage image = grid.viewport()->grab().toImage();
    const QColor background = grid.palette().color(QPalette::Base);

    const GridRect red = g.rectOfCell(2, 0, true);
    QCOMPARE(Pixel(image, red.left + 1, red.top + 1), QColor(255, 0, 0));
    const GridRect green = g.rectOfCell(3, 1, true);
    QCOMPARE(Pixel(image, green.left, green.top), QColor(0, 128, 0));
    // A window-coloured empty data cell shows the background between black grid lines.
    const GridRect plain = g.rectOfCell(4, 2, true);
    QCOMPARE(Pixel(image, plain.left + 2, plain.top + 2), background);
    QCOMPARE(Pixel(image, plain.left - 1, plain.top + 2), QColor(Qt::black));
    QCOMPARE(Pixel(image, plain.left + 2, plain.top - 1), QColor(Qt::black));
    // Fixed cells take the fixed-row colour.
    const GridRect fixed = g.rectOfCell(0, 2, false);
    QCOMPARE(Pixel(image, fixed.left + 1, fixed.top + 1), toQColor(m.fixColor()));
    // The merge over rows 0 and 1 of column 0 paints over the line between them.
    const int lineBetween = g.rowTop(1, false) - g.lineWidth();
    QCOMPARE(Pixel(image, 3, lineBetween), QColor(10, 20, 200));
    QCOMPARE(Pixel(image, 70, lineBetween), QColor(Qt::black));
    // Rows past the last data row stay empty: the grid lines still run through them.
    GridView shortNet;
    FillGrid(shortNet.model(), 1);
    ShowWithClientHeight(shortNet, 150);
    const QImage shortImage = shortNet.viewport()->grab().toImage();
    const GridRect below = shortNet.gridGeometry().rectOfCell(5, 0, false);
    QCOMPARE(Pixel(shortImage, below.left + 1, below.top + 1), background);
    QCOMPARE(Pixel(shortImage, below.left - 1, below.top + 1), QColor(Qt::black));
}

void tst_TH2Net::indexErrorsAreSignalled()
{
    GridView grid;
    FillGrid(grid.model(), 2);
    QSignalSpy spy(&grid, &GridView::messageRaised);
    QCOMPARE(grid.model().getValue(9, 7), std::string());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("GetValue x>=FColsCount "));
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("GetValue y>=FDynRows+FFixRowCount "));
}

void tst_TH2Net::rebuildPullsScrollPositionBack()
{
    GridView grid;
    ShowWithClientHeight(grid, 300);
    velmora::DrawHistory history;
    for (int i = 0; i < 500; ++i)
        history.push_back({ 2020, i + 1, 0, (i * 37) % 1000, 0, 0 });
    velmora::buildTrendChart(grid.model(), history, 500, nullptr);
    QCOMPARE(grid.verticalScrollBar()->maximum(), grid.gridGeometry().scrollMax());
    QVERIFY(grid.gridGeometry().scrollMax() > 400);
    QTest::keyClick(&grid, Qt::Key_End);
    QCOMPARE(grid.gridGeometry().topRow(), grid.gridGeometry().scrollMax());

    velmora::buildTrendChart(grid.model(), history, 30, nullptr);
    QCOMPARE(grid.gridGeometry().topRow(), grid.gridGeometry().scrollMax());
    QCOMPARE(grid.verticalScrollBar()->value(), grid.gridGeometry().topRow());
    QVERIFY(grid.gridGeometry().scrollMax() < 30);
}

QTEST_MAIN(tst_TH2Net)
#include "tst_GridView.moc"
