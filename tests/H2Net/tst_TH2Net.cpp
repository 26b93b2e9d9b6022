#include "H2Net/TH2Net.h"

#include "Charts/Charts.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using velmora::TColor;
using velmora::TH2NetModel;
using velmora::TNetRect;

namespace {

// A grid of `dynRows` data rows below 2 fixed rows, three columns, laid out.
void FillGrid(TH2NetModel& m, int dynRows)
{
    m.SetGridSize(3, dynRows, 2, {66, 20, 20});
    for (int r = 2; r < m.RowCount(); ++r)
        m.SetValue(r, 0, std::to_string(r - 2));
    m.Resize();
}

// Sizes the widget so that its client area (the viewport) is `clientHeight` high.
void ShowWithClientHeight(TH2Net& net, int clientHeight)
{
    net.resize(300, clientHeight + 2 * net.frameWidth());
    net.show();
    QVERIFY(QTest::qWaitForWindowExposed(&net));
    QCOMPARE(net.viewport()->height(), clientHeight);
}

QColor Pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

QColor ToQColor(TColor c)
{
    return QColor(c.Red(), c.Green(), c.Blue());
}

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
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei")});
    QApplication::setFont(font);
}

void tst_TH2Net::layoutFollowsTheClientHeight()
{
    TH2Net net;
    FillGrid(net.Model(), 30);
    ShowWithClientHeight(net, 150);
    QCOMPARE(net.Model().VisRows(), 5);
    QCOMPARE(net.verticalScrollBar()->maximum(), 25);
    QCOMPARE(net.verticalScrollBar()->pageStep(), 5);

    net.resize(300, 56 + 2 * net.frameWidth());
    QCOMPARE(net.Model().VisRows(), 1);
    net.resize(300, 55 + 2 * net.frameWidth());
    QCOMPARE(net.Model().VisRows(), 0);
    QCOMPARE(net.verticalScrollBar()->maximum(), 30);
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
    TH2Net net;
    FillGrid(net.Model(), 30);
    ShowWithClientHeight(net, 500);
    QCOMPARE(net.Model().VisRows(), 22);
    QCOMPARE(net.verticalScrollBar()->maximum(), 8);
    net.verticalScrollBar()->setValue(start);
    QCOMPARE(net.Model().TopRow(), start);

    QTest::keyClick(&net, Qt::Key(key));
    QCOMPARE(net.Model().TopRow(), expected);
    QCOMPARE(net.verticalScrollBar()->value(), expected);
}

void tst_TH2Net::scrollBarCommands()
{
    TH2Net net;
    FillGrid(net.Model(), 30);
    ShowWithClientHeight(net, 500);
    QScrollBar* bar = net.verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(net.Model().TopRow(), 1);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(net.Model().TopRow(), 8);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(net.Model().TopRow(), 8);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(net.Model().TopRow(), 0);
    bar->setSliderPosition(6);
    QCOMPARE(net.Model().TopRow(), 6);
    QVERIFY(net.hasFocus());
}

void tst_TH2Net::wheelScrolls()
{
    TH2Net net;
    FillGrid(net.Model(), 100);
    ShowWithClientHeight(net, 150);
    const QPoint at(20, 60);
    QWheelEvent down(at, net.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(net.viewport(), &down);
    const int lines = QApplication::wheelScrollLines();
    QCOMPARE(net.Model().TopRow(), lines);
    QWheelEvent up(at, net.viewport()->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(net.viewport(), &up);
    QCOMPARE(net.Model().TopRow(), 0);
}

void tst_TH2Net::paintsOnlyVisibleRows()
{
    TH2Net net;
    FillGrid(net.Model(), 10000);
    ShowWithClientHeight(net, 150);
    net.viewport()->grab();
    QCOMPARE(net.PaintedDataRows(), 5);

    QTest::keyClick(&net, Qt::Key_End);
    QCOMPARE(net.Model().TopRow(), 9995);
    net.viewport()->grab();
    QCOMPARE(net.PaintedDataRows(), 5);

    FillGrid(net.Model(), 3);
    net.viewport()->grab();
    QCOMPARE(net.PaintedDataRows(), 3);
}

void tst_TH2Net::emptyGridShowsOnlyBackground()
{
    TH2Net net;
    ShowWithClientHeight(net, 150);
    const QColor background = net.palette().color(QPalette::Base);
    auto allBackground = [&] {
        const QImage image = net.viewport()->grab().toImage();
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                if (Pixel(image, x, y) != background)
                    return false;
        return true;
    };
    QVERIFY(allBackground());
    net.Model().SetGridSize(3, 0, 2, {66, 20, 20});
    net.Model().SetValue(0, 0, "期号");
    net.Model().Resize();
    QVERIFY(allBackground());
}

void tst_TH2Net::paintsCellsLinesAndMerges()
{
    TH2Net net;
    TH2NetModel& m = net.Model();
    m.SetGridSize(3, 10, 2, {66, 20, 20});
    m.SetCellColor(2, 0, TColor::Rgb(255, 0, 0));
    m.SetCellColor(3, 1, TColor::Rgb(0, 128, 0));
    m.SetValue(3, 1, "1");
    m.SetMergeCount(1);
    m.SetMerge(0, true, 0, 0, 0, 1, "期号", TColor::Rgb(10, 20, 200));
    m.Resize();
    ShowWithClientHeight(net, 150);
    const QImage image = net.viewport()->grab().toImage();
    const QColor background = net.palette().color(QPalette::Base);

    const TNetRect red = m.RectOfCell(2, 0, true);
    QCOMPARE(Pixel(image, red.Left + 1, red.Top + 1), QColor(255, 0, 0));
    const TNetRect green = m.RectOfCell(3, 1, true);
    QCOMPARE(Pixel(image, green.Left, green.Top), QColor(0, 128, 0));
    // A window-coloured empty data cell shows the background between black grid lines.
    const TNetRect plain = m.RectOfCell(4, 2, true);
    QCOMPARE(Pixel(image, plain.Left + 2, plain.Top + 2), background);
    QCOMPARE(Pixel(image, plain.Left - 1, plain.Top + 2), QColor(Qt::black));
    QCOMPARE(Pixel(image, plain.Left + 2, plain.Top - 1), QColor(Qt::black));
    // Fixed cells take FFixColor.
    const TNetRect fixed = m.RectOfCell(0, 2, false);
    QCOMPARE(Pixel(image, fixed.Left + 1, fixed.Top + 1), ToQColor(m.FixColor()));
    // The merge over rows 0 and 1 of column 0 paints over the line between them.
    const int lineBetween = m.RowTop(1, false) - m.LineWidth();
    QCOMPARE(Pixel(image, 3, lineBetween), QColor(10, 20, 200));
    QCOMPARE(Pixel(image, 70, lineBetween), QColor(Qt::black));
    // Rows past the last data row stay empty: the grid lines still run through them.
    TH2Net shortNet;
    FillGrid(shortNet.Model(), 1);
    ShowWithClientHeight(shortNet, 150);
    const QImage shortImage = shortNet.viewport()->grab().toImage();
    const TNetRect below = shortNet.Model().RectOfCell(5, 0, false);
    QCOMPARE(Pixel(shortImage, below.Left + 1, below.Top + 1), background);
    QCOMPARE(Pixel(shortImage, below.Left - 1, below.Top + 1), QColor(Qt::black));
}

void tst_TH2Net::indexErrorsAreSignalled()
{
    TH2Net net;
    FillGrid(net.Model(), 2);
    QSignalSpy spy(&net, &TH2Net::MessageRaised);
    QCOMPARE(net.Model().GetValue(9, 7), std::string());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("GetValue x>=FColsCount "));
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("GetValue y>=FDynRows+FFixRowCount "));
}

void tst_TH2Net::rebuildPullsScrollPositionBack()
{
    TH2Net net;
    ShowWithClientHeight(net, 300);
    velmora::TCodeRecArr history;
    for (int i = 0; i < 500; ++i)
        history.push_back({2020, i + 1, 0, (i * 37) % 1000, 0, 0});
    velmora::BuildTrendChart(net.Model(), history, 500, nullptr);
    QCOMPARE(net.verticalScrollBar()->maximum(), net.Model().ScrollMax());
    QVERIFY(net.Model().ScrollMax() > 400);
    QTest::keyClick(&net, Qt::Key_End);
    QCOMPARE(net.Model().TopRow(), net.Model().ScrollMax());

    velmora::BuildTrendChart(net.Model(), history, 30, nullptr);
    QCOMPARE(net.Model().TopRow(), net.Model().ScrollMax());
    QCOMPARE(net.verticalScrollBar()->value(), net.Model().TopRow());
    QVERIFY(net.Model().ScrollMax() < 30);
}

QTEST_MAIN(tst_TH2Net)
#include "tst_TH2Net.moc"
