// The smart shrink page and the smart recommendation page, driven through the
// window with real clicks and keys, their results compared with the engines.
#include "app/MainWindowFixture.h"

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

using namespace velmora;

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

QByteArray FullHistory() { return readFile(QStringLiteral(VELMORA_DATA_DIR "/3d-history.txt")); }

void ClickButton(QToolBar* bar, QAction* action)
{
    QWidget* button = bar->widgetForAction(action);
    QVERIFY(button);
    QVERIFY(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
}

// The captions of a tool bar's buttons, "|" for a divider.
QStringList captions(QToolBar* bar)
{
    QStringList out;
    for (QAction* action : bar->actions())
        out << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return out;
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
        if (!history.isEmpty() && !writeFile(f.dataFile(), history))
            qFatal("cannot write the data file");
        MainWindow& form = f.startShown();
        QTest::keyClick(&form, pageKey);
        return form;
    }
};

void tst_SmartPages::toolBars()
{
    MainWindowFixture f;
    MainWindow& form = f.startShown();
    QCOMPARE(captions(form.sheet3Tbr), QStringList({ "导入号码", "|", "导出结果", "结果兑奖", "打印结果" }));
    QCOMPARE(captions(form.sheet4Tbr),
        QStringList({ "每日推荐", "每周推荐", "每月推荐", "|", "导出结果", "结果兑奖", "打印结果" }));
    QCOMPARE(form.groupBox1->title(), QStringLiteral("缩水基础号码："));
    QCOMPARE(form.groupBox2->title(), QStringLiteral("智能缩水结果："));
    QCOMPARE(form.sheet4Gbx->title(), QStringLiteral("智能推荐号码："));
    for (QLabel* label : { form.sheet3Lblx1, form.sheet3Lblx2, form.sheet4TipsLbl })
        QCOMPARE(label->text(), QStringLiteral("总共0注号码"));
}

void tst_SmartPages::sliderSettings()
{
    MainWindowFixture f;
    MainWindow& form = Open(f, QByteArray(), Qt::Key_F5);
    QSlider* slider = form.sheet3TrackBar;
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 6);
    QCOMPARE(slider->value(), 1);

    // The highlighted range grows and shrinks with the position, and is gone at 0.
    const int atOne = HighlightedColumns(slider);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_PageUp);
    QTest::keyClick(slider, Qt::Key_PageUp);
    QCOMPARE(slider->value(), 3);
    const int atThree = HighlightedColumns(slider);
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(slider->value(), 6);
    const int atSix = HighlightedColumns(slider);
    QTest::keyClick(slider, Qt::Key_Left);
    QCOMPARE(slider->value(), 0);
    const int atZero = HighlightedColumns(slider);
    QVERIFY2(atOne > 0 && atOne < atThree && atThree < atSix,
        qPrintable(QStringLiteral("%1 %2 %3").arg(atOne).arg(atThree).arg(atSix)));
    QCOMPARE(atZero, 0);

    // The level row lines up: caption, slider and button side by side, inside the panel.
    const QRect caption = form.label2->geometry();
    QVERIFY(caption.right() < slider->x());
    QVERIFY(slider->geometry().right() < form.sheet3ScaleBt->x());
    QVERIFY(form.sheet3ScaleBt->geometry().right() < form.sheet3PanelBottom->width());
    QVERIFY(form.label2->sizeHint().width() <= caption.width());
}

void tst_SmartPages::importThenShrink_data()
{
    QTest::addColumn<QList<int>>("keys"); // keys pressed on the slider, in order
    QTest::addColumn<bool>("clickRightOfHandle");
    QTest::addColumn<int>("level");
    QTest::newRow("start level 1") << QList<int>() << false << 1;
    QTest::newRow("page down to 0") << QList<int> { Qt::Key_PageDown } << false << 0;
    QTest::newRow("page up twice to 3") << QList<int> { Qt::Key_PageUp, Qt::Key_PageUp } << false << 3;
    QTest::newRow("arrow to 6") << QList<int> { Qt::Key_Right } << false << 6;
    QTest::newRow("arrow to 6, page down to 5") << QList<int> { Qt::Key_Up, Qt::Key_PageDown } << false << 5;
    QTest::newRow("click in the channel to 2") << QList<int>() << true << 2;
}

void tst_SmartPages::importThenShrink()
{
    QFETCH(QList<int>, keys);
    QFETCH(bool, clickRightOfHandle);
    QFETCH(int, level);
    MainWindowFixture f;
    MainWindow& form = Open(f, FullHistory(), Qt::Key_F5);
    QCOMPARE(form.mainPctl->activePageIndex(), 2);
    QVERIFY(form.m_history.size() > 8000);

    // A filter result: hundreds 1..6, units not 0, sum 8..20.
    FilterConditions conditions;
    for (int d = 1; d <= 6; ++d)
        conditions.positionDigits[0][static_cast<std::size_t>(d)] = true;
    for (int d = 1; d <= 9; ++d)
        conditions.positionDigits[2][static_cast<std::size_t>(d)] = true;
    for (int s = 8; s <= 20; ++s)
        conditions.sums[static_cast<std::size_t>(s)] = true;
    form.sheet2Codes = runShrink(conditions, form.m_history);
    const int imported = codeSetCount(form.sheet2Codes);
    QVERIFY(imported > 100);

    ClickButton(form.sheet3Tbr, form.sheet3ImportBt);
    QCOMPARE(form.sheet3InitMemo->toPlainText(), MemoTextOf(form.sheet2Codes));
    const QString importText = QStringLiteral("总共导入%1注号码").arg(imported);
    QCOMPARE(form.sheet3Lblx1->text(), importText);
    QCOMPARE(form.statusText(0), importText);

    QSlider* slider = form.sheet3TrackBar;
    slider->setFocus();
    for (int key : keys)
        QTest::keyClick(slider, static_cast<Qt::Key>(key));
    if (clickRightOfHandle)
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() - 3, slider->height() / 2));
    QCOMPARE(slider->value(), level);

    QTest::mouseClick(form.sheet3ScaleBt, Qt::LeftButton);
    QCOMPARE(f.platform.messages, QStringList());
    const std::optional<CodeSet> expected = smartShrink(form.sheet2Codes, level, form.m_history);
    QVERIFY(expected);
    QCOMPARE(CodesOf(form.sheet3InitCodes), CodesOf(form.sheet2Codes));
    QCOMPARE(CodesOf(form.sheet3TargetCodes), CodesOf(*expected));
    QCOMPARE(codeSetCount(form.sheet3TargetCodes), imported * (100 - 12 * level) / 100);
    QCOMPARE(form.sheet3TargetMemo->toPlainText(), MemoTextOf(*expected));
    const QString resultText = QStringLiteral("智能缩水结果有%1注").arg(codeSetCount(*expected));
    QCOMPARE(form.sheet3Lblx2->text(), resultText);
    QCOMPARE(form.statusText(0), resultText);
    QCOMPARE(form.sheet3Lblx1->text(), importText); // the shrink leaves the import count alone
}

void tst_SmartPages::filterResultCarriedOver()
{
    MainWindowFixture f;
    MainWindow& form = Open(f, FullHistory(), Qt::Key_F4);
    QCOMPARE(form.mainPctl->activePageIndex(), 1);
    // Hundreds digit 1, 3 or 5 on the filter page, then "号码缩水".
    for (int digit : { 1, 3, 5 })
        QTest::mouseClick(
            form.sheet2Gbx1Chk1, Qt::LeftButton, {}, form.sheet2Gbx1Chk1->rectOfChk(digit).center());
    ClickButton(form.sheet2Tbr, form.sheet2TbrScaleBt);
    QCOMPARE(codeSetCount(form.sheet2Codes), 300);

    QTest::keyClick(&form, Qt::Key_F5);
    ClickButton(form.sheet3Tbr, form.sheet3ImportBt);
    QCOMPARE(form.sheet3Lblx1->text(), QStringLiteral("总共导入300注号码"));
    QCOMPARE(form.statusText(0), QStringLiteral("总共导入300注号码"));
    QStringList firstLine;
    for (int c = 100; c < 110; ++c)
        firstLine << QString::number(c);
    QVERIFY(form.sheet3InitMemo->toPlainText().startsWith(
        firstLine.join(QLatin1Char(',')) + QStringLiteral(",\n")));

    QTest::mouseClick(form.sheet3ScaleBt, Qt::LeftButton); // level 1: 300 * 88 / 100
    QCOMPARE(form.sheet3Lblx2->text(), QStringLiteral("智能缩水结果有264注"));
    QCOMPARE(CodesOf(form.sheet3TargetCodes), CodesOf(*smartShrink(form.sheet2Codes, 1, form.m_history)));
    QCOMPARE(CodesOf(form.sheet3InitCodes), CodesOf(form.sheet2Codes));
}

void tst_SmartPages::baseComesFromTheMemoText()
{
    MainWindowFixture f;
    MainWindow& form = Open(f, historyLines(12), Qt::Key_F5);
    form.sheet3InitMemo->setFocus();
    QTest::keyClicks(form.sheet3InitMemo, QStringLiteral("999, 5 007 x123"));
    QTest::keyClick(form.sheet3InitMemo, Qt::Key_Return);
    QTest::keyClicks(form.sheet3InitMemo, QStringLiteral("6789 12"));
    form.sheet3TrackBar->setFocus();
    QTest::keyClick(form.sheet3TrackBar, Qt::Key_Left);
    QTest::mouseClick(form.sheet3ScaleBt, Qt::LeftButton);
    // Level 0 keeps the whole base, shown in ascending order.
    QCOMPARE(CodesOf(form.sheet3InitCodes), (QList<int> { 7, 123, 678, 999 }));
    QCOMPARE(form.sheet3TargetMemo->toPlainText(), QStringLiteral("007,123,678,999,\n"));
    QCOMPARE(form.sheet3Lblx2->text(), QStringLiteral("智能缩水结果有4注"));
    QCOMPARE(form.sheet3Lblx1->text(), QStringLiteral("总共0注号码"));

    // A memo without any three-digit group gives an empty result; one code at level 1 too.
    for (const QString& base : { QStringLiteral("12 ab"), QStringLiteral("456") }) {
        form.sheet3InitMemo->setPlainText(base);
        form.sheet3TrackBar->setFocus();
        QTest::keyClick(form.sheet3TrackBar, Qt::Key_Left);
        QTest::keyClick(form.sheet3TrackBar, Qt::Key_PageUp);
        QCOMPARE(form.sheet3TrackBar->value(), 1);
        QTest::mouseClick(form.sheet3ScaleBt, Qt::LeftButton);
        QCOMPARE(codeSetCount(form.sheet3TargetCodes), 0);
        QCOMPARE(form.sheet3TargetMemo->toPlainText(), QString());
        QCOMPARE(form.statusText(0), QStringLiteral("智能缩水结果有0注"));
    }
}

void tst_SmartPages::smartShrinkRefusesBelowTenDraws()
{
    for (int draws : { 0, 9, 10 }) {
        MainWindowFixture f;
        MainWindow& form = Open(f, historyLines(draws), Qt::Key_F5);
        QCOMPARE(static_cast<int>(form.m_history.size()), draws);
        form.sheet2Codes = SetOf({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 });
        ClickButton(form.sheet3Tbr, form.sheet3ImportBt);
        QTest::mouseClick(form.sheet3ScaleBt, Qt::LeftButton);
        if (draws < 10) {
            QCOMPARE(f.platform.messages, QStringList { QString::fromUtf8(kSmartShrinkRefusal) });
            QCOMPARE(codeSetCount(form.sheet3InitCodes), 0);
            QCOMPARE(codeSetCount(form.sheet3TargetCodes), 0);
            QCOMPARE(form.sheet3TargetMemo->toPlainText(), QString());
            QCOMPARE(form.sheet3Lblx2->text(), QStringLiteral("总共0注号码"));
            QCOMPARE(form.statusText(0), QStringLiteral("总共导入10注号码"));
        } else {
            QCOMPARE(f.platform.messages, QStringList());
            QCOMPARE(codeSetCount(form.sheet3TargetCodes), 8);
            QCOMPARE(form.statusText(0), QStringLiteral("智能缩水结果有8注"));
        }
    }
}

void tst_SmartPages::smartExportWritesTheSetNotTheMemo()
{
    MainWindowFixture f;
    MainWindow& form = Open(f, historyLines(10), Qt::Key_F5);
    form.sheet3InitMemo->setPlainText(QStringLiteral("999 005 123"));
    form.sheet3TrackBar->setFocus();
    QTest::keyClick(form.sheet3TrackBar, Qt::Key_PageDown);
    QTest::mouseClick(form.sheet3ScaleBt, Qt::LeftButton);
    form.sheet3TargetMemo->setPlainText(QStringLiteral("555,"));

    f.platform.saveNameAnswer = f.path(QStringLiteral("smart.txt"));
    ClickButton(form.sheet3Tbr, form.sheet3ExportBt);
    QCOMPARE(f.platform.messages, QStringList());
    QCOMPARE(readFile(f.path(QStringLiteral("smart.txt"))),
        Gb18030(QStringLiteral("智能缩水结果有3注\r\n\r\n005,123,999,\r\n\r\n")));
    QCOMPARE(form.statusText(0), QStringLiteral("智能缩水结果有3注"));
    QCOMPARE(form.resultActions->lastFileName(), f.path(QStringLiteral("smart.txt")));

    // A cancelled dialog writes nothing and leaves the status bar.
    form.setStatusText(0, QStringLiteral("-"));
    f.platform.saveNameAnswer.clear();
    ClickButton(form.sheet3Tbr, form.sheet3ExportBt);
    QCOMPARE(form.statusText(0), QStringLiteral("-"));

    // A file that cannot be written is reported and the status bar keeps its text.
    f.platform.saveNameAnswer = f.path(QStringLiteral("no-such-folder/smart.txt"));
    ClickButton(form.sheet3Tbr, form.sheet3ExportBt);
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY2(f.platform.messages[0].startsWith(QStringLiteral("无法写入文件")),
        qPrintable(f.platform.messages[0]));
    QCOMPARE(form.statusText(0), QStringLiteral("-"));
}

void tst_SmartPages::prizeCheck_data()
{
    QTest::addColumn<int>("pageKey");
    QTest::addColumn<QString>("memo"); // the result memo's text at the check
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("status"); // empty: the check does nothing
    QTest::addColumn<QString>("selected");
    // The smart-shrink result is 005,123,999 (level 0); the recommendation the weekly set of 2026-12-09.
    QTest::newRow("smart found") << int(Qt::Key_F5) << QString() << "123"
                                 << "恭喜，找到号码123"
                                 << "123";
    QTest::newRow("smart not found") << int(Qt::Key_F5) << QString() << "124"
                                     << "抱歉，没有找到号码124"
                                     << "";
    QTest::newRow("smart typed into the memo") << int(Qt::Key_F5) << "005,123,\n777,"
                                               << "777"
                                               << "恭喜，找到号码777"
                                               << "777";
    QTest::newRow("smart one character") << int(Qt::Key_F5) << QString() << "5"
                                         << ""
                                         << "";
    QTest::newRow("recommend found") << int(Qt::Key_F6) << QString() << "876"
                                     << "恭喜，找到号码876"
                                     << "876";
    QTest::newRow("recommend not found") << int(Qt::Key_F6) << QString() << "871"
                                         << "抱歉，没有找到号码871"
                                         << "";
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
    MainWindow& form = Open(f, historyLines(10), static_cast<Qt::Key>(pageKey));
    const bool smart = pageKey == Qt::Key_F5;
    QToolBar* bar = smart ? form.sheet3Tbr : form.sheet4Tbr;
    QPlainTextEdit* target = smart ? form.sheet3TargetMemo : form.sheet4Memo;
    if (smart) {
        form.sheet3InitMemo->setPlainText(QStringLiteral("999 005 123"));
        form.sheet3TrackBar->setFocus();
        QTest::keyClick(form.sheet3TrackBar, Qt::Key_PageDown);
        QTest::mouseClick(form.sheet3ScaleBt, Qt::LeftButton);
    } else {
        ClickButton(bar, form.sheet4TbrRcmWeekBt);
    }
    if (!memo.isNull())
        target->setPlainText(memo);
    form.setStatusText(0, QStringLiteral("before"));
    f.platform.inputAnswers = QStringList { entry };

    ClickButton(bar, smart ? form.sheet3TbrCheckBt : form.sheet4TbrCheckBt);
    QCOMPARE(f.platform.inputAnswers, QStringList());
    QCOMPARE(form.statusText(0), status.isEmpty() ? QStringLiteral("before") : status);
    QCOMPARE(target->textCursor().selectedText(), selected);
    QCOMPARE(f.platform.messages, QStringList());
}

void tst_SmartPages::printMemo_data()
{
    QTest::addColumn<int>("pageKey");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QStringList>("printed");
    const QString header = QStringLiteral("Dastrel 号码打印，时间:2024.05.06 07:08:09");
    QTest::newRow("smart result") << int(Qt::Key_F5) << QString()
                                  << QStringList { header, "005,123,999,", "" };
    QTest::newRow("smart edited memo") << int(Qt::Key_F5) << "手写 321,\n"
                                       << QStringList { header, "手写 321,", "" };
    QTest::newRow("recommend result")
        << int(Qt::Key_F6) << QString() << QStringList { header, "560,567,590,860,890,", "" };
}

void tst_SmartPages::printMemo()
{
    QFETCH(int, pageKey);
    QFETCH(QString, memo);
    QFETCH(QStringList, printed);
    MainWindowFixture f;
    MainWindow& form = Open(f,
        DrawLines(
            { 111, 222, 333, 444, 555, 666, 456, 12, 678, 234 }, { 0, 0, 0, 0, 0, 0, 123, 789, 345, 901 }),
        static_cast<Qt::Key>(pageKey));
    const bool smart = pageKey == Qt::Key_F5;
    if (smart) {
        form.sheet3InitMemo->setPlainText(QStringLiteral("999 005 123"));
        form.sheet3TrackBar->setFocus();
        QTest::keyClick(form.sheet3TrackBar, Qt::Key_PageDown);
        QTest::mouseClick(form.sheet3ScaleBt, Qt::LeftButton);
    } else {
        ClickButton(form.sheet4Tbr, form.sheet4TbrRcmDayBt);
    }
    if (!memo.isNull())
        (smart ? form.sheet3TargetMemo : form.sheet4Memo)->setPlainText(memo);
    ClickButton(
        smart ? form.sheet3Tbr : form.sheet4Tbr, smart ? form.sheet3TbrPrintBt : form.sheet4TbrPrintBt);
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
        << QDate(2026, 12, 9) << 0 << "每日推荐5注号码" << QList<int> { 560, 567, 590, 860, 890 };
    QTest::newRow("daily, only 0 and 9 left")
        << DrawLines({ 0, 0, 0, 0, 0, 0, 222, 444, 666, 888 }, { 0, 0, 0, 0, 0, 0, 111, 333, 555, 777 })
        << QDate(2026, 12, 9) << 0 << "每日推荐3注号码" << QList<int> { 9, 90, 900 };
    QTest::newRow("daily, real history")
        << FullHistory() << QDate(2026, 12, 9) << 0 << QString() << QList<int>();
    QTest::newRow("weekly, Wednesday 2026-12-09")
        << tenDraws << QDate(2026, 12, 9) << 1 << "每周推荐35注号码"
        << QList<int> { 113, 116, 119, 210, 213, 216, 240, 243, 246, 249, 270, 273, 276, 279, 510, 513, 540,
               543, 546, 549, 570, 573, 576, 579, 813, 816, 819, 840, 843, 846, 849, 870, 873, 876, 879 };
    QTest::newRow("weekly, Sunday 2026-12-06 same week")
        << tenDraws << QDate(2026, 12, 6) << 1 << "每周推荐35注号码" << QList<int>();
    QTest::newRow("weekly, Saturday 2026-12-12 same week")
        << tenDraws << QDate(2026, 12, 12) << 1 << "每周推荐35注号码" << QList<int>();
    QTest::newRow("weekly, Monday 2026-11-30 (seed 202635)")
        << tenDraws << QDate(2026, 11, 30) << 1 << "每周推荐32注号码" << QList<int>();
    QTest::newRow("weekly, Tuesday 2026-12-01 (seed 202605)")
        << tenDraws << QDate(2026, 12, 1) << 1 << "每周推荐37注号码" << QList<int>();
    QTest::newRow("monthly, December 2026")
        << tenDraws << QDate(2026, 12, 31) << 2 << "每月推荐34注号码"
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
    MainWindow& form = Open(f, history, Qt::Key_F6);
    QCOMPARE(form.mainPctl->activePageIndex(), 3);
    const std::array<QAction*, 3> buttons { form.sheet4TbrRcmDayBt, form.sheet4TbrRcmWeekBt,
        form.sheet4TbrRcmMouthBt };
    ClickButton(form.sheet4Tbr, buttons[static_cast<std::size_t>(button)]);
    QCOMPARE(f.platform.messages, QStringList());

    const RecommendKind kind = std::array { RecommendKind::Daily, RecommendKind::Weekly,
        RecommendKind::Monthly }[static_cast<std::size_t>(button)];
    const int weekday = today.dayOfWeek() % 7 + 1;
    const std::optional<CodeSet> expected
        = velmora::recommend(kind, form.m_history, { today.year(), today.month(), today.day(), weekday });
    QVERIFY(expected);
    QCOMPARE(CodesOf(form.sheet4Codes), CodesOf(*expected));
    if (!codes.isEmpty())
        QCOMPARE(CodesOf(form.sheet4Codes), codes);
    QCOMPARE(form.sheet4Memo->toPlainText(), MemoTextOf(*expected));
    if (tip.isEmpty())
        tip = QString::fromUtf8(recommendKindWord(kind))
            + QStringLiteral("%1注号码").arg(codeSetCount(*expected));
    QCOMPARE(form.sheet4TipsLbl->text(), tip);
    QCOMPARE(form.statusText(0), tip);
}

void tst_SmartPages::recommendRefusesBelowTenDraws()
{
    MainWindowFixture f;
    MainWindow& form = Open(f, historyLines(9), Qt::Key_F6);
    form.sheet4Memo->setPlainText(QStringLiteral("earlier"));
    for (QAction* button : { form.sheet4TbrRcmDayBt, form.sheet4TbrRcmWeekBt, form.sheet4TbrRcmMouthBt })
        ClickButton(form.sheet4Tbr, button);
    const QString refusal = QString::fromUtf8(kRecommendRefusal);
    QCOMPARE(f.platform.messages, (QStringList { refusal, refusal, refusal }));
    QCOMPARE(codeSetCount(form.sheet4Codes), 0);
    QCOMPARE(form.sheet4Memo->toPlainText(), QStringLiteral("earlier"));
    QCOMPARE(form.sheet4TipsLbl->text(), QStringLiteral("总共0注号码"));
}

void tst_SmartPages::recommendExport()
{
    MainWindowFixture f;
    MainWindow& form = Open(f,
        DrawLines(
            { 111, 222, 333, 444, 555, 666, 456, 12, 678, 234 }, { 0, 0, 0, 0, 0, 0, 123, 789, 345, 901 }),
        Qt::Key_F6);
    ClickButton(form.sheet4Tbr, form.sheet4TbrRcmDayBt);
    form.sheet4Memo->setPlainText(QStringLiteral("000,"));
    f.platform.saveNameAnswer = f.path(QStringLiteral("daily.txt"));
    ClickButton(form.sheet4Tbr, form.sheet4TbrExportBt);
    QCOMPARE(readFile(f.path(QStringLiteral("daily.txt"))),
        Gb18030(QStringLiteral("智能推荐结果有5注\r\n\r\n560,567,590,860,890,\r\n\r\n")));
    QCOMPARE(form.statusText(0), QStringLiteral("智能推荐结果有5注"));

    // Exporting an empty set: the header with 0, then two empty lines; the file is replaced.
    form.sheet4Codes = CodeSet();
    ClickButton(form.sheet4Tbr, form.sheet4TbrExportBt);
    QCOMPARE(readFile(f.path(QStringLiteral("daily.txt"))),
        Gb18030(QStringLiteral("智能推荐结果有0注\r\n\r\n\r\n")));
    QCOMPARE(form.statusText(0), QStringLiteral("智能推荐结果有0注"));
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
        const int w3 = form.sheet3Panel->width();
        QCOMPARE(form.sheet3PanelCenter->pos(), QPoint((w3 - 764) / 2, 1));
        QCOMPARE(form.sheet3PanelBottom->x(), (w3 - form.sheet3PanelBottom->width()) / 2);
        QCOMPARE(form.sheet3PanelBottom->y(), 360);

        QTest::keyClick(&form, Qt::Key_F6);
        QApplication::processEvents();
        QCOMPARE(form.sheet4Memo->geometry(),
            QRect(8, 48, form.sheet4Gbx->width() - 16, form.sheet4Gbx->height() - 56));
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
        form.sheet2Codes = runShrink(conditions, form.m_history);
        ClickButton(form.sheet3Tbr, form.sheet3ImportBt);
        form.sheet3TrackBar->setFocus();
        QTest::keyClick(form.sheet3TrackBar, Qt::Key_PageUp);
        QTest::keyClick(form.sheet3TrackBar, Qt::Key_PageUp);
        QTest::mouseClick(form.sheet3ScaleBt, Qt::LeftButton);
        f.platform.inputAnswers = QStringList { QString::fromStdString(
            strOfCode(CodesOf(form.sheet3TargetCodes).value(codeSetCount(form.sheet3TargetCodes) / 2))) };
        ClickButton(form.sheet3Tbr, form.sheet3TbrCheckBt);
        QApplication::processEvents();
        const QString tag = QStringLiteral("-%1x%2.png").arg(size.width()).arg(size.height());
        QVERIFY(form.grab().save(QDir(folder).filePath(QStringLiteral("smartpage-shrink") + tag)));

        QTest::keyClick(&form, Qt::Key_F6);
        ClickButton(form.sheet4Tbr, form.sheet4TbrRcmWeekBt);
        f.platform.inputAnswers = QStringList { QStringLiteral("543") };
        ClickButton(form.sheet4Tbr, form.sheet4TbrCheckBt);
        QApplication::processEvents();
        QVERIFY(form.grab().save(QDir(folder).filePath(QStringLiteral("smartpage-recommend") + tag)));
        QCOMPARE(f.platform.messages, QStringList());
    }
}

QTEST_MAIN(tst_SmartPages)
#include "tst_SmartPages.moc"
