// The smart shrink page and the smart recommendation page, driven through the
// window with real clicks and keys, their results compared with the engines.
#include "app/MainWindowFixture.h"
#include "core/game/Game.h"

#include "app/ResultCommands.h"
#include "core/code/Code.h"
#include "core/code/CodeSetText.h"
#include "core/filter/FilterEngine.h"
#include "core/smart/Recommend.h"
#include "core/smart/SmartShrink.h"
#include "widgets/MultiCheck.h"
#include "widgets/PageControl.h"
#include "widgets/TrackBar.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStringEncoder>
#include <QToolBar>

using namespace Qt::StringLiterals;

using namespace velmora;
using velmora::test::clickToolButton;
using velmora::test::toolBarCaptions;

namespace {

QString MemoTextOf(const CodeSet& codes)
{
    QStringList lines;
    for (const std::string& line : codeSetToLines(codes))
        lines << QString::fromStdString(line);
    return lines.join(QLatin1Char('\n'));
}

QList<int> CodesOf(const CodeSet& codes)
{
    QList<int> out;
    for (int c = 0; c < CodeSet::kSize; ++c) {
        if (codes.has(c))
            out << c;
    }
    return out;
}

CodeSet SetOf(const QList<int>& codes)
{
    CodeSet set;
    for (int c : codes)
        set[c] = 1;
    return set;
}

QByteArray Gb18030(const QString& text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

// Draw-data lines whose draw and test codes are given, oldest first.
QByteArray DrawLines(const QList<int>& drawCodes, const QList<int>& testCodes)
{
    QByteArray out;
    for (int i = 0; i < drawCodes.size(); ++i) {
        out += QStringLiteral("2026%1,%2,%3,0,0\r\n")
                   .arg(i + 1, 3, 10, QLatin1Char('0'))
                   .arg(drawCodes[i], 3, 10, QLatin1Char('0'))
                   .arg(testCodes.value(i), 3, 10, QLatin1Char('0'))
                   .toLatin1();
    }
    return out;
}

QByteArray FullHistory() { return realHistoryBytes(); }

template <typename T> T* smartPart(const MainWindowFixture& f, const char* name)
{
    return velmora::test::find<T>(&f.smartShrinkPage(), QString::fromLatin1(name));
}

template <typename T> T* recommendPart(const MainWindowFixture& f, const char* name)
{
    return velmora::test::find<T>(&f.recommendPage(), QString::fromLatin1(name));
}

// The columns of the slider's image that hold the highlight colour on some row.
int HighlightedColumns(QSlider* slider)
{
    const QImage image = slider->grab().toImage();
    const QRgb highlight = slider->palette().color(QPalette::Highlight).rgb();
    const qreal ratio = image.devicePixelRatio();
    int columns = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) == highlight) {
                ++columns;
                break;
            }
        }
    }
    return qRound(columns / ratio);
}

} // namespace

Q_DECLARE_METATYPE(QList<int>)

class tst_SmartPages : public QObject {
    Q_OBJECT

private slots:
    void toolBars();
    void sliderSettings();
    void importThenShrink_data();
    void importThenShrink();
    void filterResultCarriedOver();
    void baseComesFromTheMemoText();
    void importSaysWhereTheCodesCameFrom();
    void smartShrinkRefusesBelowTenDraws();
    void smartExportWritesTheSetNotTheMemo();
    void prizeCheck_data();
    void prizeCheck();
    void printMemo_data();
    void printMemo();
    void recommend_data();
    void recommend();
    void recommendRefusesBelowTenDraws();
    void recommendExport();
    void resizeRule();
    void snapshots();

private:
    // A window over the history, shown, on the smart-shrink (F5) or recommendation (F6) page.
    MainWindow& Open(MainWindowFixture& f, const QByteArray& history, Qt::Key pageKey)
    {
        // Always a data file, so that an empty history is not a first run.
        if (!writeFile(f.dataFile(), history))
            qFatal("cannot write the data file");
        MainWindow& form = f.startShown();
        QTest::keyClick(&form, pageKey);
        return form;
    }
};

void tst_SmartPages::toolBars()
{
    MainWindowFixture f;
    f.startShown();
    QCOMPARE(toolBarCaptions(&f.smartShrinkPage()),
        QStringList({ u"导入号码"_s, u"从文件导入…"_s, u"|"_s, u"导出结果"_s, u"结果兑奖"_s, u"打印结果"_s,
            u"记入投注"_s }));
    QCOMPARE(toolBarCaptions(&f.recommendPage()),
        QStringList({ u"每日推荐"_s, u"每周推荐"_s, u"每月推荐"_s, u"|"_s, u"导出结果"_s, u"结果兑奖"_s,
            u"打印结果"_s, u"记入投注"_s }));
    QCOMPARE(smartPart<QGroupBox>(f, "baseBox")->title(), QStringLiteral("缩水基础号码："));
    QCOMPARE(smartPart<QGroupBox>(f, "resultBox")->title(), QStringLiteral("智能缩水结果："));
    QCOMPARE(recommendPart<QGroupBox>(f, "resultBox")->title(), QStringLiteral("智能推荐号码："));
    for (QLabel* label : { smartPart<QLabel>(f, "baseCount"), smartPart<QLabel>(f, "resultCount"),
             recommendPart<QLabel>(f, "tip") })
        QCOMPARE(label->text(), QStringLiteral("总共0注号码"));
}

void tst_SmartPages::sliderSettings()
{
    MainWindowFixture f;
    Open(f, QByteArray(), Qt::Key_F5);
    QSlider* slider = smartPart<QSlider>(f, "levelSlider");
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 6);
    QCOMPARE(slider->value(), 1);

    // Each key moves one level, Home and End go to the ends; the level stands beside
    // the slider, and the highlighted range grows and shrinks with it, gone at 0.
    const auto* shown = smartPart<QLabel>(f, "levelValue");
    QCOMPARE(shown->text(), QStringLiteral("1"));
    const int atOne = HighlightedColumns(slider);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_PageUp);
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(slider->value(), 3);
    QCOMPARE(shown->text(), QStringLiteral("3"));
    const int atThree = HighlightedColumns(slider);
    QTest::keyClick(slider, Qt::Key_End);
    QCOMPARE(slider->value(), 6);
    QCOMPARE(shown->text(), QStringLiteral("6"));
    const int atSix = HighlightedColumns(slider);
    QTest::keyClick(slider, Qt::Key_Home);
    QCOMPARE(slider->value(), 0);
    QCOMPARE(shown->text(), QStringLiteral("0"));
    const int atZero = HighlightedColumns(slider);
    QVERIFY2(atOne > 0 && atOne < atThree && atThree < atSix,
        qPrintable(QStringLiteral("%1 %2 %3").arg(atOne).arg(atThree).arg(atSix)));
    QCOMPARE(atZero, 0);

    // The level row lines up: caption, slider and button side by side, inside the panel.
    const QRect caption = smartPart<QLabel>(f, "levelCaption")->geometry();
    QVERIFY(caption.right() < slider->x());
    QVERIFY(slider->geometry().right() < shown->x());
    QVERIFY(shown->geometry().right() < smartPart<QPushButton>(f, "runButton")->x());
    QVERIFY(smartPart<QPushButton>(f, "runButton")->geometry().right()
        < smartPart<QWidget>(f, "levelPanel")->width());
    QVERIFY(smartPart<QLabel>(f, "levelCaption")->sizeHint().width() <= caption.width());
}

void tst_SmartPages::importThenShrink_data()
{
    QTest::addColumn<QList<int>>("keys"); // keys pressed on the slider, in order
    QTest::addColumn<bool>("clickRightOfHandle");
    QTest::addColumn<int>("level");
    QTest::newRow("start level 1") << QList<int>() << false << 1;
    QTest::newRow("page down to 0") << QList<int> { Qt::Key_PageDown } << false << 0;
    QTest::newRow("page up twice to 3") << QList<int> { Qt::Key_PageUp, Qt::Key_PageUp } << false << 3;
    QTest::newRow("arrow to 2") << QList<int> { Qt::Key_Right } << false << 2;
    QTest::newRow("end to 6, page down to 5") << QList<int> { Qt::Key_End, Qt::Key_PageDown } << false << 5;
    QTest::newRow("home to 0, arrow up to 1") << QList<int> { Qt::Key_Home, Qt::Key_Up } << false << 1;
    QTest::newRow("click in the channel to 2") << QList<int>() << true << 2;
}

void tst_SmartPages::importThenShrink()
{
    QFETCH(QList<int>, keys);
    QFETCH(bool, clickRightOfHandle);
    QFETCH(int, level);
    MainWindowFixture f;
    Open(f, FullHistory(), Qt::Key_F5);
    QCOMPARE(f.part<velmora::PageControl>("workPages")->activePageIndex(), 2);
    QVERIFY(f.history().size() > 8000);

    // A filter result: hundreds 1..6, units not 0, sum 8..20.
    FilterConditions conditions;
    for (int d = 1; d <= 6; ++d)
        conditions.positionDigits[0][static_cast<std::size_t>(d)] = true;
    for (int d = 1; d <= 9; ++d)
        conditions.positionDigits[2][static_cast<std::size_t>(d)] = true;
    for (int s = 8; s <= 20; ++s)
        conditions.sums[static_cast<std::size_t>(s)] = true;
    const CodeSet filtered = runShrink(conditions, f.history());
    f.smartShrinkPage().setImportableCodes(filtered);
    const int imported = codeSetCount(filtered);
    QVERIFY(imported > 100);

    clickToolButton(&f.smartShrinkPage(), QStringLiteral("导入号码"));
    QCOMPARE(smartPart<QPlainTextEdit>(f, "baseMemo")->toPlainText(), MemoTextOf(filtered));
    const QString importText = QStringLiteral("总共导入%1注号码").arg(imported);
    QCOMPARE(smartPart<QLabel>(f, "baseCount")->text(), importText);
    QCOMPARE(f.window->statusText(0), QStringLiteral("从号码缩水结果导入%1注").arg(imported));

    QSlider* slider = smartPart<QSlider>(f, "levelSlider");
    slider->setFocus();
    for (int key : keys)
        QTest::keyClick(slider, static_cast<Qt::Key>(key));
    if (clickRightOfHandle)
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() - 3, slider->height() / 2));
    QCOMPARE(slider->value(), level);

    QTest::mouseClick(smartPart<QPushButton>(f, "runButton"), Qt::LeftButton);
    QCOMPARE(f.platform.messages, QStringList());
    const std::optional<CodeSet> expected = smartShrink(filtered, level, f.history());
    QVERIFY(expected);
    QCOMPARE(CodesOf(f.smartShrinkPage().base()), CodesOf(filtered));
    QCOMPARE(CodesOf(f.smartShrinkPage().result()), CodesOf(*expected));
    QCOMPARE(codeSetCount(f.smartShrinkPage().result()), imported * (100 - 12 * level) / 100);
    QCOMPARE(smartPart<QPlainTextEdit>(f, "resultMemo")->toPlainText(), MemoTextOf(*expected));
    const QString resultText = QStringLiteral("智能缩水结果有%1注").arg(codeSetCount(*expected));
    QCOMPARE(smartPart<QLabel>(f, "resultCount")->text(), resultText);
    QCOMPARE(f.window->statusText(0), resultText);
    QCOMPARE(
        smartPart<QLabel>(f, "baseCount")->text(), importText); // the shrink leaves the import count alone
}

void tst_SmartPages::filterResultCarriedOver()
{
    MainWindowFixture f;
    MainWindow& form = Open(f, FullHistory(), Qt::Key_F4);
    QCOMPARE(f.part<velmora::PageControl>("workPages")->activePageIndex(), 1);
    // Hundreds digit 1, 3 or 5 on the filter page, then "号码缩水".
    auto* hundreds = velmora::test::find<MultiCheck>(&f.filterPage(), QStringLiteral("hundredsRow"));
    for (int digit : { 1, 3, 5 })
        QTest::mouseClick(hundreds, Qt::LeftButton, {}, hundreds->checkRect(digit).center());
    clickToolButton(&f.filterPage(), QStringLiteral("号码缩水"));
    QCOMPARE(codeSetCount(f.filterPage().result()), 300);

    QTest::keyClick(&form, Qt::Key_F5);
    clickToolButton(&f.smartShrinkPage(), QStringLiteral("导入号码"));
    QCOMPARE(smartPart<QLabel>(f, "baseCount")->text(), QStringLiteral("总共导入300注号码"));
    QCOMPARE(f.window->statusText(0), QStringLiteral("从号码缩水结果导入300注"));
    QStringList firstLine;
    for (int c = 100; c < 110; ++c)
        firstLine << QString::number(c);
    QVERIFY(smartPart<QPlainTextEdit>(f, "baseMemo")
                ->toPlainText()
                .startsWith(firstLine.join(QLatin1Char(',')) + QStringLiteral(",\n")));

    QTest::mouseClick(smartPart<QPushButton>(f, "runButton"), Qt::LeftButton); // level 1: 300 * 88 / 100
    QCOMPARE(smartPart<QLabel>(f, "resultCount")->text(), QStringLiteral("智能缩水结果有264注"));
    QCOMPARE(CodesOf(f.smartShrinkPage().result()),
        CodesOf(*smartShrink(f.filterPage().result(), 1, f.history())));
    QCOMPARE(CodesOf(f.smartShrinkPage().base()), CodesOf(f.filterPage().result()));
}

void tst_SmartPages::baseComesFromTheMemoText()
{
    MainWindowFixture f;
    Open(f, historyLines(12), Qt::Key_F5);
    smartPart<QPlainTextEdit>(f, "baseMemo")->setFocus();
    QTest::keyClicks(smartPart<QPlainTextEdit>(f, "baseMemo"), QStringLiteral("999, 5 007 x123"));
    QTest::keyClick(smartPart<QPlainTextEdit>(f, "baseMemo"), Qt::Key_Return);
    QTest::keyClicks(smartPart<QPlainTextEdit>(f, "baseMemo"), QStringLiteral("6789 12"));
    smartPart<QSlider>(f, "levelSlider")->setFocus();
    QTest::keyClick(smartPart<QSlider>(f, "levelSlider"), Qt::Key_Left);
    QTest::mouseClick(smartPart<QPushButton>(f, "runButton"), Qt::LeftButton);
    // Level 0 keeps the whole base, shown in ascending order.
    QCOMPARE(CodesOf(f.smartShrinkPage().base()), (QList<int> { 7, 123, 678, 999 }));
    QCOMPARE(smartPart<QPlainTextEdit>(f, "resultMemo")->toPlainText(), QStringLiteral("007,123,678,999,\n"));
    QCOMPARE(smartPart<QLabel>(f, "resultCount")->text(), QStringLiteral("智能缩水结果有4注"));
    QCOMPARE(smartPart<QLabel>(f, "baseCount")->text(), QStringLiteral("总共0注号码"));

    // A memo without any three-digit group is refused and changes nothing; one code
    // at level 1 gives an empty result.
    smartPart<QPlainTextEdit>(f, "baseMemo")->setPlainText(QStringLiteral("12 ab"));
    QTest::mouseClick(smartPart<QPushButton>(f, "runButton"), Qt::LeftButton);
    QCOMPARE(
        f.platform.warnings, QStringList { QString::fromUtf8(velmora::SmartShrinkPage::kEmptyBaseText) });
    QVERIFY(f.platform.warnings[0].startsWith(QStringLiteral("基础号码为空")));
    QCOMPARE(CodesOf(f.smartShrinkPage().result()), (QList<int> { 7, 123, 678, 999 }));
    smartPart<QPlainTextEdit>(f, "baseMemo")->setPlainText(QStringLiteral("456"));
    smartPart<QSlider>(f, "levelSlider")->setFocus();
    QTest::keyClick(smartPart<QSlider>(f, "levelSlider"), Qt::Key_PageUp);
    QCOMPARE(smartPart<QSlider>(f, "levelSlider")->value(), 1);
    QTest::mouseClick(smartPart<QPushButton>(f, "runButton"), Qt::LeftButton);
    QCOMPARE(codeSetCount(f.smartShrinkPage().result()), 0);
    QCOMPARE(smartPart<QPlainTextEdit>(f, "resultMemo")->toPlainText(), QString());
    QCOMPARE(f.window->statusText(0), QStringLiteral("智能缩水结果有0注"));
    QCOMPARE(f.platform.messages.size(), 1);
}

// "导入号码" before any filter result says so; "从文件导入…" reads a code list as the
// memo is read (an exported result file here), and says from which file.
void tst_SmartPages::importSaysWhereTheCodesCameFrom()
{
    MainWindowFixture f;
    Open(f, historyLines(12), Qt::Key_F5);
    QPlainTextEdit* base = smartPart<QPlainTextEdit>(f, "baseMemo");
    base->setPlainText(QStringLiteral("111"));
    clickToolButton(&f.smartShrinkPage(), QStringLiteral("导入号码"));
    QCOMPARE(f.platform.warnings,
        QStringList { QString::fromUtf8(velmora::SmartShrinkPage::kNoFilterResultText) });
    QCOMPARE(base->toPlainText(), QStringLiteral("111"));

    const QString list = f.path(QStringLiteral("codes.txt"));
    QVERIFY(writeFile(list, Gb18030(QStringLiteral("缩水结果有3注\r\n\r\n999,005,123,\r\n"))));
    f.platform.openAnswer = list;
    clickToolButton(&f.smartShrinkPage(), QStringLiteral("从文件导入…"));
    QCOMPARE(base->toPlainText(), QStringLiteral("005,123,999,\n"));
    QCOMPARE(smartPart<QLabel>(f, "baseCount")->text(), QStringLiteral("总共导入3注号码"));
    QCOMPARE(f.window->statusText(0), QStringLiteral("从文件codes.txt导入3注"));

    // A file that cannot be read is a warning and changes nothing; a cancel does nothing.
    f.platform.openAnswer = f.path(QStringLiteral("missing.txt"));
    clickToolButton(&f.smartShrinkPage(), QStringLiteral("从文件导入…"));
    QCOMPARE(f.platform.warnings.size(), 2);
    QVERIFY(f.platform.warnings[1].startsWith(QStringLiteral("无法读取文件")));
    f.platform.openAnswer.clear();
    clickToolButton(&f.smartShrinkPage(), QStringLiteral("从文件导入…"));
    QCOMPARE(f.platform.messages.size(), 2);
    QCOMPARE(base->toPlainText(), QStringLiteral("005,123,999,\n"));
}

void tst_SmartPages::smartShrinkRefusesBelowTenDraws()
{
    for (int draws : { 0, 9, 10 }) {
        MainWindowFixture f;
        Open(f, historyLines(draws), Qt::Key_F5);
        QCOMPARE(static_cast<int>(f.history().size()), draws);
        f.smartShrinkPage().setImportableCodes(SetOf({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }));
        clickToolButton(&f.smartShrinkPage(), QStringLiteral("导入号码"));
        QTest::mouseClick(smartPart<QPushButton>(f, "runButton"), Qt::LeftButton);
        if (draws < 10) {
            QCOMPARE(f.platform.warnings, QStringList { QString::fromUtf8(kSmartShrinkRefusal) });
            QCOMPARE(codeSetCount(f.smartShrinkPage().base()), 0);
            QCOMPARE(codeSetCount(f.smartShrinkPage().result()), 0);
            QCOMPARE(smartPart<QPlainTextEdit>(f, "resultMemo")->toPlainText(), QString());
            QCOMPARE(smartPart<QLabel>(f, "resultCount")->text(), QStringLiteral("总共0注号码"));
            QCOMPARE(f.window->statusText(0), QStringLiteral("从号码缩水结果导入10注"));
        } else {
            QCOMPARE(f.platform.messages, QStringList());
            QCOMPARE(codeSetCount(f.smartShrinkPage().result()), 8);
            QCOMPARE(f.window->statusText(0), QStringLiteral("智能缩水结果有8注"));
        }
    }
}

void tst_SmartPages::smartExportWritesTheSetNotTheMemo()
{
    MainWindowFixture f;
    Open(f, historyLines(10), Qt::Key_F5);
    smartPart<QPlainTextEdit>(f, "baseMemo")->setPlainText(QStringLiteral("999 005 123"));
    smartPart<QSlider>(f, "levelSlider")->setFocus();
    QTest::keyClick(smartPart<QSlider>(f, "levelSlider"), Qt::Key_PageDown);
    QTest::mouseClick(smartPart<QPushButton>(f, "runButton"), Qt::LeftButton);
    smartPart<QPlainTextEdit>(f, "resultMemo")->setPlainText(QStringLiteral("555,"));

    f.platform.saveNameAnswer = f.path(QStringLiteral("smart.txt"));
    clickToolButton(&f.smartShrinkPage(), QStringLiteral("导出结果"));
    QCOMPARE(f.platform.messages, QStringList());
    QCOMPARE(readFile(f.path(QStringLiteral("smart.txt"))),
        Gb18030(QStringLiteral("智能缩水结果有3注\r\n\r\n005,123,999,\r\n\r\n")));
    QCOMPARE(f.window->statusText(0), QStringLiteral("已导出3注到 ") + f.path(QStringLiteral("smart.txt")));

    // A cancelled dialog writes nothing and leaves the status bar.
    f.setStatusText(QStringLiteral("-"));
    f.platform.saveNameAnswer.clear();
    clickToolButton(&f.smartShrinkPage(), QStringLiteral("导出结果"));
    QCOMPARE(f.window->statusText(0), QStringLiteral("-"));
    // The dialog offered the result's name and the issue it is for, in the folder chosen last.
    QCOMPARE(f.platform.offeredSaveNames.first(), QStringLiteral("智能缩水结果-2024001.txt"));
    QCOMPARE(f.platform.offeredSaveNames.last(), f.path(QStringLiteral("智能缩水结果-2024001.txt")));

    // A file that cannot be written is reported and the status bar keeps its text.
    f.platform.saveNameAnswer = f.path(QStringLiteral("no-such-folder/smart.txt"));
    clickToolButton(&f.smartShrinkPage(), QStringLiteral("导出结果"));
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY2(f.platform.messages[0].startsWith(QStringLiteral("无法写入文件")),
        qPrintable(f.platform.messages[0]));
    QCOMPARE(f.window->statusText(0), QStringLiteral("-"));
}

void tst_SmartPages::prizeCheck_data()
{
    QTest::addColumn<int>("pageKey");
    QTest::addColumn<QString>("memo"); // the result memo's text at the check
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("status"); // empty: the check does nothing
    QTest::addColumn<QString>("selected");
    // The smart-shrink result is 005,123,999 (level 0); the recommendation the weekly set of 2026-12-09.
    QTest::newRow("smart found") << int(Qt::Key_F5) << QString() << u"123"_s
                                 << u"直选命中：123（直选1040元）"_s << u"123"_s;
    QTest::newRow("smart not found") << int(Qt::Key_F5) << QString() << u"124"_s << u"抱歉，没有找到号码124"_s
                                     << u""_s;
    QTest::newRow("smart typed into the memo")
        << int(Qt::Key_F5) << u"005,123,\n777,"_s << u"777"_s << u"直选命中：777（直选1040元）"_s << u"777"_s;
    QTest::newRow("smart one character says why")
        << int(Qt::Key_F5) << QString() << u"5"_s << u"开奖号码应为3位数字：5"_s << u""_s;
    QTest::newRow("recommend found") << int(Qt::Key_F6) << QString() << u"876"_s
                                     << u"直选命中：876（直选1040元）"_s << u"876"_s;
    QTest::newRow("recommend not found")
        << int(Qt::Key_F6) << QString() << u"871"_s << u"抱歉，没有找到号码871"_s << u""_s;
}

void tst_SmartPages::prizeCheck()
{
    QFETCH(int, pageKey);
    QFETCH(QString, memo);
    QFETCH(QString, entry);
    QFETCH(QString, status);
    QFETCH(QString, selected);
    MainWindowFixture f;
    f.platform.fixedNow = QDateTime(QDate(2026, 12, 9), QTime(20, 30));
    Open(f, historyLines(10), static_cast<Qt::Key>(pageKey));
    const bool smart = pageKey == Qt::Key_F5;
    const QWidget* page = smart ? static_cast<QWidget*>(&f.smartShrinkPage()) : &f.recommendPage();
    QPlainTextEdit* target
        = smart ? smartPart<QPlainTextEdit>(f, "resultMemo") : recommendPart<QPlainTextEdit>(f, "resultMemo");
    if (smart) {
        smartPart<QPlainTextEdit>(f, "baseMemo")->setPlainText(QStringLiteral("999 005 123"));
        smartPart<QSlider>(f, "levelSlider")->setFocus();
        QTest::keyClick(smartPart<QSlider>(f, "levelSlider"), Qt::Key_PageDown);
        QTest::mouseClick(smartPart<QPushButton>(f, "runButton"), Qt::LeftButton);
    } else {
        clickToolButton(page, QStringLiteral("每周推荐"));
    }
    if (!memo.isNull())
        target->setPlainText(memo);
    f.setStatusText(QStringLiteral("before"));
    f.platform.inputAnswers = QStringList { entry };

    clickToolButton(page, QStringLiteral("结果兑奖"));
    QCOMPARE(f.platform.inputAnswers, QStringList());
    QCOMPARE(f.window->statusText(0), status.isEmpty() ? QStringLiteral("before") : status);
    QCOMPARE(target->textCursor().selectedText(), selected);
    QCOMPARE(f.platform.messages, QStringList());
}

void tst_SmartPages::printMemo_data()
{
    QTest::addColumn<int>("pageKey");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QStringList>("printed");
    const QString header = QStringLiteral("Velmora 号码打印，时间:2024.05.06 07:08:09");
    QTest::newRow("smart result") << int(Qt::Key_F5) << QString()
                                  << QStringList { header, u"005,123,999,"_s, u""_s };
    QTest::newRow("smart edited memo")
        << int(Qt::Key_F5) << u"手写 321,\n"_s << QStringList { header, u"手写 321,"_s, u""_s };
    QTest::newRow("recommend result")
        << int(Qt::Key_F6) << QString() << QStringList { header, u"560,567,590,860,890,"_s, u""_s };
}

void tst_SmartPages::printMemo()
{
    QFETCH(int, pageKey);
    QFETCH(QString, memo);
    QFETCH(QStringList, printed);
    MainWindowFixture f;
    Open(f,
        DrawLines(
            { 111, 222, 333, 444, 555, 666, 456, 12, 678, 234 }, { 0, 0, 0, 0, 0, 0, 123, 789, 345, 901 }),
        static_cast<Qt::Key>(pageKey));
    const bool smart = pageKey == Qt::Key_F5;
    if (smart) {
        smartPart<QPlainTextEdit>(f, "baseMemo")->setPlainText(QStringLiteral("999 005 123"));
        smartPart<QSlider>(f, "levelSlider")->setFocus();
        QTest::keyClick(smartPart<QSlider>(f, "levelSlider"), Qt::Key_PageDown);
        QTest::mouseClick(smartPart<QPushButton>(f, "runButton"), Qt::LeftButton);
    } else {
        clickToolButton(&f.recommendPage(), QStringLiteral("每日推荐"));
    }
    if (!memo.isNull())
        (smart ? smartPart<QPlainTextEdit>(f, "resultMemo") : recommendPart<QPlainTextEdit>(f, "resultMemo"))
            ->setPlainText(memo);
    clickToolButton(
        smart ? static_cast<QWidget*>(&f.smartShrinkPage()) : &f.recommendPage(), QStringLiteral("打印结果"));
    QCOMPARE(f.platform.printed, QList<QStringList> { printed });
}

void tst_SmartPages::recommend_data()
{
    QTest::addColumn<QByteArray>("history");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("button"); // 0 daily, 1 weekly, 2 monthly
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QList<int>>("codes"); // empty: the engine's result is the only reference
    const QByteArray tenDraws = historyLines(10);
    QTest::newRow("daily, digits and sums excluded")
        << DrawLines(
               { 111, 222, 333, 444, 555, 666, 456, 12, 678, 234 }, { 0, 0, 0, 0, 0, 0, 123, 789, 345, 901 })
        << QDate(2026, 12, 9) << 0 << u"每日推荐5注号码"_s << QList<int> { 560, 567, 590, 860, 890 };
    QTest::newRow("daily, only 0 and 9 left")
        << DrawLines({ 0, 0, 0, 0, 0, 0, 222, 444, 666, 888 }, { 0, 0, 0, 0, 0, 0, 111, 333, 555, 777 })
        << QDate(2026, 12, 9) << 0 << u"每日推荐3注号码"_s << QList<int> { 9, 90, 900 };
    QTest::newRow("daily, real history")
        << FullHistory() << QDate(2026, 12, 9) << 0 << QString() << QList<int>();
    QTest::newRow("weekly, Wednesday 2026-12-09")
        << tenDraws << QDate(2026, 12, 9) << 1 << u"每周推荐35注号码"_s
        << QList<int> { 113, 116, 119, 210, 213, 216, 240, 243, 246, 249, 270, 273, 276, 279, 510, 513, 540,
               543, 546, 549, 570, 573, 576, 579, 813, 816, 819, 840, 843, 846, 849, 870, 873, 876, 879 };
    QTest::newRow("weekly, Sunday 2026-12-06 same week")
        << tenDraws << QDate(2026, 12, 6) << 1 << u"每周推荐35注号码"_s << QList<int>();
    QTest::newRow("weekly, Saturday 2026-12-12 same week")
        << tenDraws << QDate(2026, 12, 12) << 1 << u"每周推荐35注号码"_s << QList<int>();
    QTest::newRow("weekly, Monday 2026-11-30 (seed 202635)")
        << tenDraws << QDate(2026, 11, 30) << 1 << u"每周推荐32注号码"_s << QList<int>();
    QTest::newRow("weekly, Tuesday 2026-12-01 (seed 202605)")
        << tenDraws << QDate(2026, 12, 1) << 1 << u"每周推荐37注号码"_s << QList<int>();
    QTest::newRow("monthly, December 2026")
        << tenDraws << QDate(2026, 12, 31) << 2 << u"每月推荐34注号码"_s
        << QList<int> { 213, 216, 219, 240, 243, 246, 249, 270, 273, 276, 279, 510, 511, 513, 516, 519, 540,
               543, 549, 570, 573, 576, 579, 810, 813, 816, 819, 840, 843, 846, 849, 870, 876, 879 };
}

void tst_SmartPages::recommend()
{
    QFETCH(QByteArray, history);
    QFETCH(QDate, today);
    QFETCH(int, button);
    QFETCH(QString, tip);
    QFETCH(QList<int>, codes);
    MainWindowFixture f;
    f.platform.fixedNow = QDateTime(today, QTime(23, 59, 59));
    Open(f, history, Qt::Key_F6);
    QCOMPARE(f.part<velmora::PageControl>("workPages")->activePageIndex(), 3);
    const std::array<QString, 3> buttons { QStringLiteral("每日推荐"), QStringLiteral("每周推荐"),
        QStringLiteral("每月推荐") };
    clickToolButton(&f.recommendPage(), buttons[static_cast<std::size_t>(button)]);
    QCOMPARE(f.platform.messages, QStringList());

    const RecommendKind kind = std::array { RecommendKind::Daily, RecommendKind::Weekly,
        RecommendKind::Monthly }[static_cast<std::size_t>(button)];
    const int weekday = today.dayOfWeek() % 7 + 1;
    const std::optional<CodeSet> expected = velmora::recommend(
        velmora::game3d(), kind, f.history(), { today.year(), today.month(), today.day(), weekday });
    QVERIFY(expected);
    QCOMPARE(CodesOf(f.recommendPage().result()), CodesOf(*expected));
    if (!codes.isEmpty())
        QCOMPARE(CodesOf(f.recommendPage().result()), codes);
    QCOMPARE(recommendPart<QPlainTextEdit>(f, "resultMemo")->toPlainText(), MemoTextOf(*expected));
    if (tip.isEmpty())
        tip = QString::fromUtf8(recommendKindWord(kind))
            + QStringLiteral("%1注号码").arg(codeSetCount(*expected));
    QCOMPARE(recommendPart<QLabel>(f, "tip")->text(), tip);
    QCOMPARE(f.window->statusText(0), tip);
}

void tst_SmartPages::recommendRefusesBelowTenDraws()
{
    MainWindowFixture f;
    Open(f, historyLines(9), Qt::Key_F6);
    recommendPart<QPlainTextEdit>(f, "resultMemo")->setPlainText(QStringLiteral("earlier"));
    for (const QString& button :
        { QStringLiteral("每日推荐"), QStringLiteral("每周推荐"), QStringLiteral("每月推荐") })
        clickToolButton(&f.recommendPage(), button);
    const QString refusal = QString::fromUtf8(kRecommendRefusal);
    QCOMPARE(f.platform.messages, (QStringList { refusal, refusal, refusal }));
    QCOMPARE(codeSetCount(f.recommendPage().result()), 0);
    QCOMPARE(recommendPart<QPlainTextEdit>(f, "resultMemo")->toPlainText(), QStringLiteral("earlier"));
    QCOMPARE(recommendPart<QLabel>(f, "tip")->text(), QStringLiteral("总共0注号码"));
}

void tst_SmartPages::recommendExport()
{
    MainWindowFixture f;
    Open(f,
        DrawLines(
            { 111, 222, 333, 444, 555, 666, 456, 12, 678, 234 }, { 0, 0, 0, 0, 0, 0, 123, 789, 345, 901 }),
        Qt::Key_F6);
    // Exporting before any recommendation: the empty set, the header with 0, then two
    // empty lines.
    f.platform.saveNameAnswer = f.path(QStringLiteral("daily.txt"));
    clickToolButton(&f.recommendPage(), QStringLiteral("导出结果"));
    QCOMPARE(readFile(f.path(QStringLiteral("daily.txt"))),
        Gb18030(QStringLiteral("智能推荐结果有0注\r\n\r\n\r\n")));
    QCOMPARE(f.window->statusText(0), QStringLiteral("已导出0注到 ") + f.path(QStringLiteral("daily.txt")));

    // The set is written, not the memo; the file is replaced.
    clickToolButton(&f.recommendPage(), QStringLiteral("每日推荐"));
    recommendPart<QPlainTextEdit>(f, "resultMemo")->setPlainText(QStringLiteral("000,"));
    clickToolButton(&f.recommendPage(), QStringLiteral("导出结果"));
    QCOMPARE(readFile(f.path(QStringLiteral("daily.txt"))),
        Gb18030(QStringLiteral("智能推荐结果有5注\r\n\r\n560,567,590,860,890,\r\n\r\n")));
    QCOMPARE(f.window->statusText(0), QStringLiteral("已导出5注到 ") + f.path(QStringLiteral("daily.txt")));
    QCOMPARE(f.platform.messages, QStringList());
}

void tst_SmartPages::resizeRule()
{
    MainWindowFixture f;
    MainWindow& form = Open(f, QByteArray(), Qt::Key_F5);
    for (const QSize& size : { QSize(789, 584), QSize(1280, 800), QSize(1013, 677), QSize(500, 400) }) {
        form.resize(size);
        QTest::keyClick(&form, Qt::Key_F5);
        QApplication::processEvents();
        const int w3 = smartPart<QWidget>(f, "panel")->width();
        QCOMPARE(smartPart<QWidget>(f, "memoPanel")->pos(), QPoint((w3 - 764) / 2, 1));
        QCOMPARE(smartPart<QWidget>(f, "levelPanel")->x(),
            (w3 - smartPart<QWidget>(f, "levelPanel")->width()) / 2);
        QCOMPARE(smartPart<QWidget>(f, "levelPanel")->y(), 360);

        QTest::keyClick(&form, Qt::Key_F6);
        QApplication::processEvents();
        QCOMPARE(recommendPart<QPlainTextEdit>(f, "resultMemo")->geometry(),
            QRect(8, 48, recommendPart<QGroupBox>(f, "resultBox")->width() - 16,
                recommendPart<QGroupBox>(f, "resultBox")->height() - 56));
    }
}

void tst_SmartPages::snapshots()
{
    const QString folder = qEnvironmentVariable("VELMORA_SNAPSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("VELMORA_SNAPSHOT_DIR is not set");
    QVERIFY(QDir().mkpath(folder));
    for (const QSize& size : { QSize(789, 584), QSize(1280, 800) }) {
        MainWindowFixture f;
        f.platform.fixedNow = QDateTime(QDate(2026, 12, 9), QTime(20, 30));
        MainWindow& form = Open(f, FullHistory(), Qt::Key_F5);
        form.resize(size);
        FilterConditions conditions;
        for (int d : { 1, 3, 5, 7, 8 })
            conditions.positionDigits[0][static_cast<std::size_t>(d)] = true;
        for (int s = 10; s <= 17; ++s)
            conditions.sums[static_cast<std::size_t>(s)] = true;
        const CodeSet filtered = runShrink(conditions, f.history());
        f.smartShrinkPage().setImportableCodes(filtered);
        clickToolButton(&f.smartShrinkPage(), QStringLiteral("导入号码"));
        smartPart<QSlider>(f, "levelSlider")->setFocus();
        QTest::keyClick(smartPart<QSlider>(f, "levelSlider"), Qt::Key_PageUp);
        QTest::keyClick(smartPart<QSlider>(f, "levelSlider"), Qt::Key_PageUp);
        QTest::mouseClick(smartPart<QPushButton>(f, "runButton"), Qt::LeftButton);
        f.platform.inputAnswers = QStringList { QString::fromStdString(codeText(
            CodesOf(f.smartShrinkPage().result()).value(codeSetCount(f.smartShrinkPage().result()) / 2))) };
        clickToolButton(&f.smartShrinkPage(), QStringLiteral("结果兑奖"));
        QApplication::processEvents();
        const QString tag = QStringLiteral("-%1x%2.png").arg(size.width()).arg(size.height());
        QVERIFY(form.grab().save(QDir(folder).filePath(QStringLiteral("smartpage-shrink") + tag)));

        QTest::keyClick(&form, Qt::Key_F6);
        clickToolButton(&f.recommendPage(), QStringLiteral("每周推荐"));
        f.platform.inputAnswers = QStringList { QStringLiteral("543") };
        clickToolButton(&f.recommendPage(), QStringLiteral("结果兑奖"));
        QApplication::processEvents();
        QVERIFY(form.grab().save(QDir(folder).filePath(QStringLiteral("smartpage-recommend") + tag)));
        QCOMPARE(f.platform.messages, QStringList());
    }
}

QTEST_MAIN(tst_SmartPages)
#include "tst_SmartPages.moc"
