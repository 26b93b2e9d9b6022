// Writes a PNG of the main window on every work page and the web panel into the
// snapshot folder, for people to look at after each change to the window
// (tst_ChartPage writes those of the chart pages), and of the result and
// history-check windows.
#include "app/MainWindowFixture.h"
#include "support/Snapshots.h"

#include "app/Theme.h"
#include "app/dialogs/HistoryCheckWindow.h"
#include "app/dialogs/ResultWindow.h"
#include "widgets/MultiCheck.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QToolBar>

#include <cmath>

using velmora::MainWindow;

class tst_Snapshots : public QObject {
    Q_OBJECT

private slots:
    void pages_data();
    void pages();
    void resultWindow();
    void sumRow();
    void historyCheckBesideMainWindow();
    void faultTextsReadableInBothThemes();
};

void tst_Snapshots::pages_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("dark");
    QTest::newRow("main-web") << QString() << QSize(789, 584) << false;
    QTest::newRow("main-data") << QStringLiteral("showDataPage") << QSize(789, 584) << false;
    QTest::newRow("main-filter") << QStringLiteral("showFilterPage") << QSize(789, 584) << false;
    QTest::newRow("main-smart") << QStringLiteral("showSmartShrinkPage") << QSize(789, 584) << false;
    QTest::newRow("main-recommend") << QStringLiteral("showRecommendPage") << QSize(789, 584) << false;
    QTest::newRow("main-numbertools") << QStringLiteral("showNumberToolsPage") << QSize(789, 584) << false;
    QTest::newRow("main-filter-wide") << QStringLiteral("showFilterPage") << QSize(1280, 800) << false;
    QTest::newRow("main-smart-wide") << QStringLiteral("showSmartShrinkPage") << QSize(1280, 800) << false;
    QTest::newRow("main-filter-640x480") << QStringLiteral("showFilterPage") << QSize(640, 480) << false;
    QTest::newRow("main-smart-640x480") << QStringLiteral("showSmartShrinkPage") << QSize(640, 480) << false;
    // Every page in both palettes at a large and a small screen's window.
    const std::pair<const char*, const char*> pages[] = { { "web", "" }, { "data", "showDataPage" },
        { "filter", "showFilterPage" }, { "smart", "showSmartShrinkPage" },
        { "recommend", "showRecommendPage" }, { "numbertools", "showNumberToolsPage" },
        { "tickets", "showTicketsPage" }, { "trend", "showTrendChart" }, { "kline", "showKLineChart" },
        { "oddeven", "showOddEvenChart" }, { "omission", "showOmissionTable" } };
    for (const bool dark : { false, true }) {
        for (const QSize size : { QSize(1280, 900), QSize(800, 600) }) {
            for (const auto& [name, command] : pages) {
                QTest::addRow("%s%s-%dx%d", dark ? "dark-" : "main-", name, size.width(), size.height())
                    << QString::fromLatin1(command) << size << dark;
            }
        }
    }
}

namespace {

// The contrast ratio of two colours as the web's guidelines define it (1 to 21).
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel
            = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

void tst_Snapshots::pages()
{
    QFETCH(QString, command);
    QFETCH(QSize, size);
    QFETCH(bool, dark);
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), realHistoryBytes()));
    MainWindow& window = f.startShown();
    window.resize(size);
    QCOMPARE(f.platform.messages, QStringList());
    auto* darkTheme = f.part<QAction>("darkTheme");
    QVERIFY(!darkTheme->isChecked());
    if (dark)
        darkTheme->trigger();
    if (!command.isEmpty())
        f.trigger(command.toLatin1().constData());
    QApplication::processEvents();
    if (command == QLatin1String("showDataPage"))
        velmora::test::find<QPlainTextEdit>(&f.dataPage(), QStringLiteral("drawEditor"))->setFocus();
    QVERIFY(velmora::test::writeSnapshot(
        window, QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".png")));
    // Every text the palette colours stands out from its background.
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || !widget->styleSheet().isEmpty()
            || !(qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget)))
            continue;
        const QPalette& palette = widget->palette();
        const double ratio
            = contrast(palette.color(widget->foregroundRole()), palette.color(widget->backgroundRole()));
        QVERIFY2(ratio >= 3.0, qPrintable(widget->objectName() + QLatin1Char(' ') + QString::number(ratio)));
    }
    if (dark) {
        QCOMPARE(f.platform.settings.value(QStringLiteral("view/dark")), QVariant(true));
        darkTheme->trigger();
    }
}

void tst_Snapshots::resultWindow()
{
    MainWindowFixture f;
    f.startShown();
    auto* resultWindow = velmora::test::find<velmora::ResultWindow>(f.window.get());
    resultWindow->memo()->setPlainText(
        QStringLiteral("缩水结果有12注\n\n001,002,003,004,005,006,007,008,009,010,\n011,012,\n"));
    resultWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(resultWindow));
    QVERIFY(velmora::test::writeSnapshot(*resultWindow, QStringLiteral("result-window.png")));
}

// The box of the sum row with a few sums checked: which caption goes with which box.
void tst_Snapshots::sumRow()
{
    MainWindowFixture f;
    f.startShown();
    f.trigger("showFilterPage");
    auto* sums = velmora::test::find<velmora::MultiCheck>(&f.filterPage(), QStringLiteral("sumRow"));
    for (const int sum : { 0, 9, 10, 19, 21, 29 })
        QTest::mouseClick(sums, Qt::LeftButton, {}, sums->checkRect(sum).center());
    QVERIFY(velmora::test::writeSnapshot(*sums->parentWidget(), QStringLiteral("filter-sum-row.png")));
}

// The main window on the filter page with a few conditions and a tolerance, and the
// history-check window opened by its button, side by side in one picture.
void tst_Snapshots::historyCheckBesideMainWindow()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), realHistoryBytes()));
    MainWindow& window = f.startShown();
    f.trigger("showFilterPage");
    velmora::FilterPage& page = f.filterPage();
    auto* hundreds = velmora::test::find<velmora::MultiCheck>(&page, QStringLiteral("hundredsRow"));
    for (const int digit : { 0, 2, 3, 5, 6, 8 })
        QTest::mouseClick(hundreds, Qt::LeftButton, {}, hundreds->checkRect(digit).center());
    auto* sums = velmora::test::find<velmora::MultiCheck>(&page, QStringLiteral("sumRow"));
    for (int sum = 6; sum <= 21; ++sum)
        QTest::mouseClick(sums, Qt::LeftButton, {}, sums->checkRect(sum).center());
    auto* digitsOut = velmora::test::find<QLineEdit>(&page, QStringLiteral("digitsOutEdit"));
    QTest::mouseClick(digitsOut, Qt::LeftButton);
    QTest::keyClicks(digitsOut, QStringLiteral("4"));
    // The tool bar is used before the check opens: docked on this small screen, it narrows
    // the page, so the filter then runs from its shortcut.
    auto* toleranceMax = velmora::test::find<QWidget>(&page, QStringLiteral("toleranceMaxEdit"));
    QTest::mouseClick(toleranceMax, Qt::LeftButton, {}, QPoint(6, toleranceMax->height() / 2));
    QTest::keyClick(toleranceMax, Qt::Key_Up);
    velmora::test::clickToolButton(&page, QStringLiteral("历史验证"));
    auto* check = velmora::test::find<velmora::HistoryCheckWindow>(f.window.get());
    QVERIFY(QTest::qWaitForWindowExposed(check));
    QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
    QApplication::processEvents();
    QCOMPARE(f.platform.messages, QStringList());

    const QPixmap main = window.grab();
    const QPixmap beside = check->grab();
    constexpr int kGap = 8;
    QPixmap both(main.width() + kGap + beside.width(), std::max(main.height(), beside.height()));
    both.fill(Qt::darkGray);
    QPainter painter(&both);
    painter.drawPixmap(0, 0, main);
    painter.drawPixmap(main.width() + kGap, 0, beside);
    painter.end();
    QVERIFY(both.save(
        QDir(velmora::test::snapshotFolder()).filePath(QStringLiteral("history-check-beside-main.png"))));
    QVERIFY(velmora::test::writeSnapshot(*check, QStringLiteral("history-check-window.png")));
}

// The status bar's bad-line note, the fault and success colours of the dialogs and the
// start page's blue stand out from the window in the light and the dark palette.
void tst_Snapshots::faultTextsReadableInBothThemes()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), "2024001,123,456\r\nnot a draw\r\n"));
    f.startShown();
    auto* note = f.part<QLabel>("statusBadLines");
    for (const bool dark : { false, true }) {
        if (dark)
            f.part<QAction>("darkTheme")->trigger();
        QVERIFY(note->isVisible());
        const QColor window = QApplication::palette().color(QPalette::Window);
        QVERIFY2(
            contrast(note->palette().color(QPalette::WindowText), window) >= 4.5, dark ? "dark" : "light");
        QVERIFY(contrast(velmora::errorTextColor(QApplication::palette()), window) >= 4.5);
        QVERIFY(contrast(velmora::successTextColor(QApplication::palette()), window) >= 4.5);
    }
    // The start page's blue follows the palette too.
    f.trigger("showWebSite");
    QVERIFY(f.part<QTextBrowser>("webBrowser")->toHtml().contains(QStringLiteral("#6eaaff")));
    f.part<QAction>("darkTheme")->trigger();
}

QTEST_MAIN(tst_Snapshots)
#include "tst_Snapshots.moc"
