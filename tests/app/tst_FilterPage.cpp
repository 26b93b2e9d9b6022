// The filter page driven as a user drives it: clicks in the multi-check rows,
// choices in the banker lists, typing into the edits and spin edits, and the
// buttons of the page's tool bar.
#include "app/MainWindowFixture.h"

#include "app/dialogs/ResultWindow.h"
#include "app/platform/QtPlatform.h"
#include "core/code/Code.h"
#include "core/filter/FilterConditions.h"
#include "core/filter/RecentPanel.h"
#include "widgets/ColumnLabel.h"
#include "widgets/DigitSpinEdit.h"
#include "widgets/GroupBox.h"
#include "widgets/MultiCheck.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QToolBar>
#include <QToolButton>

#include <functional>
#include <vector>

using velmora::FilterConditions;
using velmora::MainWindow;
using velmora::MultiCheck;

namespace {

void ClickItem(MultiCheck* control, int index)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rectOfChk(index).center());
}

void ClickButton(QToolBar* bar, QAction* action)
{
    QWidget* button = bar->widgetForAction(action);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void Press(MainWindow& form, QAction* action) { ClickButton(form.sheet2Tbr, action); }

// Picks an item of a banker list with the keyboard: Home goes to "N", each Down
// one item further.
void ChooseBanker(MainWindow& form, int combo, const QString& item)
{
    QComboBox* box = form.sheet2Gbx1Cbbs[static_cast<std::size_t>(combo)];
    QTest::keyClick(box, Qt::Key_Home);
    const int index = box->findText(item);
    QVERIFY(index >= 0);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(box, Qt::Key_Down);
}

void TypeInto(QWidget* edit, const QString& text)
{
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

QString MemoText(const MainWindow& form) { return form.codeViewForm->memo->toPlainText(); }

int count(const velmora::CodeSet& codes) { return static_cast<int>(velmora::codeSetCount(codes)); }

// The result text of the memo, built here from the codes' flags.
QString ExpectedMemo(const velmora::CodeSet& codes)
{
    QStringList lines { QStringLiteral("缩水结果有%1注").arg(count(codes)), QString() };
    QString line;
    int inLine = 0;
    for (int c = 0; c < 1000; ++c) {
        if (!codes[c])
            continue;
        line += QStringLiteral("%1,").arg(c, 3, 10, QLatin1Char('0'));
        if (++inLine == 10) {
            lines << line;
            line.clear();
            inLine = 0;
        }
    }
    if (!line.isEmpty())
        lines << line;
    lines << QString();
    return lines.join(QLatin1Char('\n'));
}

// Shows the filter page with the real draw history loaded.
MainWindow& StartOnFilterPage(MainFormFixture& f, int historyLines = 9000)
{
    if (historyLines > 0)
        WriteBytes(f.DataFile(), HistoryLines(historyLines));
    MainWindow& form = f.StartShown();
    form.rcmMenuSuperScaleClick();
    return form;
}

struct ConditionRow {
    const char* name;
    std::function<void(MainWindow&)> act;
    std::function<void(FilterConditions&)> expect;
};

std::vector<ConditionRow> ConditionRows()
{
    return {
        { "nothing set", [](MainWindow&) {}, [](FilterConditions&) {} },
        { "row 1 of the draw codes, item 2", [](MainWindow& f) { ClickItem(f.sheet2PanelTopChk1, 2); },
            [](FilterConditions& c) { c.RecentHits[0][2] = true; } },
        { "row 3 of the draw codes, item 0", [](MainWindow& f) { ClickItem(f.sheet2PanelTopChk3, 0); },
            [](FilterConditions& c) { c.RecentHits[2][0] = true; } },
        { "row 2 of the test codes, item 3", [](MainWindow& f) { ClickItem(f.sheet2PanelTopChk5, 3); },
            [](FilterConditions& c) { c.RecentHits[4][3] = true; } },
        { "recent pairs in", [](MainWindow& f) { TypeInto(f.sheet2PanelTopEd1, QStringLiteral("23,56")); },
            [](FilterConditions& c) { c.recentPairsIn = "23,56"; } },
        { "recent pairs out", [](MainWindow& f) { TypeInto(f.sheet2PanelTopEd2, QStringLiteral(" 17 ")); },
            [](FilterConditions& c) { c.recentPairsOut = " 17 "; } },
        { "hundreds 1 and tens 9",
            [](MainWindow& f) {
                ClickItem(f.sheet2Gbx1Chk1, 1);
                ClickItem(f.sheet2Gbx1Chk2, 9);
            },
            [](FilterConditions& c) {
                c.positionDigits[0][1] = true;
                c.positionDigits[1][9] = true;
            } },
        { "units 0", [](MainWindow& f) { ClickItem(f.sheet2Gbx1Chk3, 0); },
            [](FilterConditions& c) { c.positionDigits[2][0] = true; } },
        { "banker lists 1 and 5",
            [](MainWindow& f) {
                ChooseBanker(f, 0, QStringLiteral("5"));
                ChooseBanker(f, 4, QStringLiteral("0"));
            },
            [](FilterConditions& c) {
                c.bankers[0] = 6;
                c.bankers[4] = 1;
            } },
        { "sum tail 7", [](MainWindow& f) { ClickItem(f.sheet2Gbx2Chk1, 7); },
            [](FilterConditions& c) { c.sumTails[7] = true; } },
        { "sum 29", [](MainWindow& f) { ClickItem(f.sheet2Gbx2Chk2, 29); },
            [](FilterConditions& c) { c.sums[29] = true; } },
        { "small/middle/big 012", [](MainWindow& f) { ClickItem(f.sheet2Gbx2Chk3, 8); },
            [](FilterConditions& c) { c.smbPatterns[8] = true; } },
        { "route 300", [](MainWindow& f) { ClickItem(f.sheet2Gbx2Chk4, 0); },
            [](FilterConditions& c) { c.routePatterns[0] = true; } },
        { "odd 2:1", [](MainWindow& f) { ClickItem(f.sheet2Gbx2Chk5, 2); },
            [](FilterConditions& c) { c.oddCounts[2] = true; } },
        { "big 3:0", [](MainWindow& f) { ClickItem(f.sheet2Gbx2Chk6, 3); },
            [](FilterConditions& c) { c.bigCounts[3] = true; } },
        { "hit group 1",
            [](MainWindow& f) {
                TypeInto(f.sheet2Gbx3Eds[0], QStringLiteral("1259"));
                ClickItem(f.sheet2Gbx3Chk1, 1);
            },
            [](FilterConditions& c) {
                c.hitGroups[0].digits = "1259";
                c.hitGroups[0].counts[1] = true;
            } },
        { "hit group 5",
            [](MainWindow& f) {
                TypeInto(f.sheet2Gbx3Eds[4], QStringLiteral("08"));
                ClickItem(f.sheet2Gbx3Chk5, 3);
            },
            [](FilterConditions& c) {
                c.hitGroups[4].digits = "08";
                c.hitGroups[4].counts[3] = true;
            } },
        { "pairs and digits",
            [](MainWindow& f) {
                TypeInto(f.sheet2Gbx4Ed1, QStringLiteral("23"));
                TypeInto(f.sheet2Gbx4Ed2, QStringLiteral("17,39,06"));
                TypeInto(f.sheet2Gbx4Ed3, QStringLiteral("670"));
                TypeInto(f.sheet2Gbx4Ed4, QStringLiteral("24"));
            },
            [](FilterConditions& c) {
                c.pairsIn = "23";
                c.pairsOut = "17,39,06";
                c.digitsIn = "670";
                c.digitsOut = "24";
            } },
        { "digit range by arrow keys",
            [](MainWindow& f) {
                QTest::mouseClick(f.sheet2Gbx4Se1, Qt::LeftButton);
                QTest::keyClick(f.sheet2Gbx4Se1, Qt::Key_Up);
                QTest::keyClick(f.sheet2Gbx4Se1, Qt::Key_Up);
                QTest::mouseClick(f.sheet2Gbx4Se2, Qt::LeftButton);
                QTest::keyClick(f.sheet2Gbx4Se2, Qt::Key_Up); // already at the top
                QTest::keyClick(f.sheet2Gbx4Se2, Qt::Key_Down);
            },
            [](FilterConditions& c) {
                c.minDigit = 2;
                c.maxDigit = 8;
            } },
        { "runs and types",
            [](MainWindow& f) {
                ClickItem(f.sheet2Gbx4Chk1, 2);
                ClickItem(f.sheet2Gbx4Chk2, 0);
            },
            [](FilterConditions& c) {
                c.runKinds[2] = true;
                c.codeTypes[0] = true;
            } },
    };
}

} // namespace

class tst_FilterPage : public QObject {
    Q_OBJECT

private slots:
    void toolBarButtonsInOrder();
    void readConditions_data();
    void readConditions();
    void shrinkCounts_data();
    void shrinkCounts();
    void roadOfOneRequest();
    void printToPdf();
    void resetLeavesAllCodes();
    void positionRowButtons_data();
    void positionRowButtons();
    void spinEditTypedValue();
    void recentPanelTexts();
    void recentPanelLinesUp();
    void recentPanelShortHistory();
    void groupBoxesLineUp();
    void tabWalksInReadingOrder();
    void snapshots();
};

void tst_FilterPage::toolBarButtonsInOrder()
{
    MainFormFixture f;
    MainWindow& form = f.Start();
    QStringList captions;
    for (QAction* action : form.sheet2Tbr->actions())
        captions << (action->isSeparator() ? QStringLiteral("|") : action->text());
    QCOMPARE(captions,
        (QStringList { "清除条件", "|", "导出结果", "结果兑奖", "打印结果", "|", "号码缩水", "查看结果" }));
}

void tst_FilterPage::readConditions_data()
{
    QTest::addColumn<int>("row");
    const auto rows = ConditionRows();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        QTest::newRow(rows[static_cast<std::size_t>(i)].name) << i;
}

// Each control lands in its own member of the record and nowhere else.
void tst_FilterPage::readConditions()
{
    QFETCH(int, row);
    const ConditionRow entry = ConditionRows()[static_cast<std::size_t>(row)];
    MainFormFixture f;
    MainWindow& form = StartOnFilterPage(f, 0);
    entry.act(form);
    FilterConditions expected;
    entry.expect(expected);
    QVERIFY(form.readConditions() == expected);
}

namespace {

struct CountRow {
    const char* name;
    std::function<void(MainWindow&)> act;
    int count;
};

// What a user sees for conditions whose reading is the page's own business: the
// banker lists, texts taken as they stand, the spin edits, half-set digit groups.
std::vector<CountRow> CountRows()
{
    return {
        { "all conditions empty", [](MainWindow&) {}, 1000 },
        { "bankers 5 and 7",
            [](MainWindow& f) {
                ChooseBanker(f, 1, QStringLiteral("5"));
                ChooseBanker(f, 3, QStringLiteral("7"));
            },
            488 },
        { "the same banker twice",
            [](MainWindow& f) {
                ChooseBanker(f, 0, QStringLiteral("5"));
                ChooseBanker(f, 1, QStringLiteral("5"));
            },
            271 },
        { "banker set back to N",
            [](MainWindow& f) {
                ChooseBanker(f, 0, QStringLiteral("5"));
                ChooseBanker(f, 0, QStringLiteral("N"));
            },
            1000 },
        { "digits in, blanks only", [](MainWindow& f) { TypeInto(f.sheet2Gbx4Ed3, QStringLiteral("  ")); },
            0 },
        { "smallest 3, largest 6",
            [](MainWindow& f) {
                TypeInto(f.sheet2Gbx4Se1, QStringLiteral("3"));
                TypeInto(f.sheet2Gbx4Se2, QStringLiteral("6"));
            },
            64 },
        { "sums 28 and 29",
            [](MainWindow& f) {
                ClickItem(f.sheet2Gbx2Chk2, 28);
                ClickItem(f.sheet2Gbx2Chk2, 29);
            },
            0 },
        { "group without a count",
            [](MainWindow& f) { TypeInto(f.sheet2Gbx3Eds[1], QStringLiteral("1259")); }, 1000 },
        { "count without a group", [](MainWindow& f) { ClickItem(f.sheet2Gbx3Chk2, 1); }, 1000 },
    };
}

} // namespace

void tst_FilterPage::shrinkCounts_data()
{
    QTest::addColumn<int>("row");
    const auto rows = CountRows();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        QTest::newRow(rows[static_cast<std::size_t>(i)].name) << i;
}

void tst_FilterPage::shrinkCounts()
{
    QFETCH(int, row);
    const CountRow entry = CountRows()[static_cast<std::size_t>(row)];
    MainFormFixture f;
    MainWindow& form = StartOnFilterPage(f);
    entry.act(form);
    Press(form, form.sheet2TbrScaleBt);
    QCOMPARE(count(form.sheet2Codes), entry.count);
    QCOMPARE(form.statusText(0), QStringLiteral("缩水结果总共%1注").arg(entry.count));
    QCOMPARE(MemoText(form), ExpectedMemo(form.sheet2Codes));
}

void tst_FilterPage::roadOfOneRequest()
{
    MainFormFixture f;
    MainWindow& form = StartOnFilterPage(f);
    for (int digit : { 1, 5, 8 })
        ClickItem(form.sheet2Gbx1Chk1, digit);
    ChooseBanker(form, 0, QStringLiteral("5"));
    ChooseBanker(form, 2, QStringLiteral("7"));
    TypeInto(form.sheet2Gbx3Eds[0], QStringLiteral("1259"));
    ClickItem(form.sheet2Gbx3Chk1, 1);
    Press(form, form.sheet2TbrScaleBt);

    velmora::CodeSet expected;
    for (int c = 0; c < 1000; ++c) {
        const int hundreds = c / 100;
        const std::string text = velmora::strOfCode(c);
        expected[c] = (hundreds == 1 || hundreds == 5 || hundreds == 8)
            && text.find_first_of("57") != std::string::npos && velmora::hitCountOfCode(c, "1259") == 1;
    }
    const int n = count(expected);
    QVERIFY(n > 10);
    QCOMPARE(count(form.sheet2Codes), n);
    QCOMPARE(form.statusText(0), QStringLiteral("缩水结果总共%1注").arg(n));
    QCOMPARE(MemoText(form), ExpectedMemo(expected));
    QVERIFY(!form.codeViewForm->isVisible());

    // Export: the result file in GB18030 with CR LF, the status bar left alone.
    f.Platform.SaveNameAnswer = f.Path(QStringLiteral("result.txt"));
    Press(form, form.sheet2TbrExportBt);
    QStringEncoder gb("GB18030");
    const QByteArray bytes = gb.encode(QString(ExpectedMemo(expected) + QLatin1Char('\n'))
                                           .replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    QCOMPARE(ReadBytes(f.Path(QStringLiteral("result.txt"))), bytes);
    QVERIFY(bytes.startsWith("\xCB\xF5\xCB\xAE\xBD\xE1\xB9\xFB\xD3\xD0"));
    QCOMPARE(form.statusText(0), QStringLiteral("缩水结果总共%1注").arg(n));

    // Prize check: a code of the result is found and selected, one outside is not.
    int inSet = 0;
    while (!expected[inSet])
        ++inSet;
    const QString found = QString::fromStdString(velmora::strOfCode(inSet));
    f.Platform.InputAnswers << found;
    Press(form, form.sheet2TbrCheckBt);
    QCOMPARE(form.statusText(0), QStringLiteral("恭喜，找到号码") + found);
    QCOMPARE(form.codeViewForm->memo->textCursor().selectedText(), found);
    f.Platform.InputAnswers << QStringLiteral("000");
    Press(form, form.sheet2TbrCheckBt);
    QCOMPARE(form.statusText(0), QStringLiteral("抱歉，没有找到号码000"));
    QVERIFY(!form.codeViewForm->memo->textCursor().hasSelection());
    f.Platform.InputAnswers << QStringLiteral("12");
    Press(form, form.sheet2TbrCheckBt);
    QCOMPARE(form.statusText(0), QStringLiteral("抱歉，没有找到号码000"));

    // Print: the header with the time, then the memo's lines.
    Press(form, form.sheet2TbrPrintBt);
    QCOMPARE(f.Platform.Printed.size(), 1);
    QStringList printed { QStringLiteral("Dastrel 号码打印，时间:2024.05.06 07:08:09") };
    printed << MemoText(form).split(QLatin1Char('\n'));
    QCOMPARE(f.Platform.Printed.last(), printed);

    // View: shows and hides the result window; a new run leaves it shown.
    Press(form, form.sheet2TbrViewBt);
    QVERIFY(form.codeViewForm->isVisible());
    Press(form, form.sheet2TbrClearBt);
    ChooseBanker(form, 0, QStringLiteral("5"));
    ChooseBanker(form, 1, QStringLiteral("7"));
    Press(form, form.sheet2TbrScaleBt);
    QVERIFY(form.codeViewForm->isVisible());
    QCOMPARE(form.statusText(0), QStringLiteral("缩水结果总共488注"));
    Press(form, form.sheet2TbrViewBt);
    QVERIFY(!form.codeViewForm->isVisible());

    // 488 holds neither 5 nor 7: the count in the header is not a code of the result.
    QVERIFY(!form.sheet2Codes[488]);
    f.Platform.InputAnswers << QStringLiteral("488");
    Press(form, form.sheet2TbrCheckBt);
    QCOMPARE(form.statusText(0), QStringLiteral("抱歉，没有找到号码488"));
}

namespace {

// Prints for real, into a PDF file.
class PdfPlatform : public FakePlatform {
public:
    QString PdfPath;
    bool printLines(QWidget*, const QStringList& lines, int pointSize) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PdfPath);
        velmora::printLinesTo(printer, lines, pointSize);
        Printed << lines;
        return true;
    }
};

} // namespace

void tst_FilterPage::printToPdf()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    QVERIFY(WriteBytes(dir.filePath(QStringLiteral("lotdata.ldf")), HistoryLines(100)));
    PdfPlatform platform;
    platform.PdfPath = dir.filePath(QStringLiteral("print.pdf"));
    velmora::MainWindowOptions options;
    options.webEngine = false;
    MainWindow form(platform, dir.path(), options);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.rcmMenuSuperScaleClick();
    ClickItem(form.sheet2Gbx1Chk1, 1);
    ClickItem(form.sheet2Gbx1Chk2, 2);
    ClickItem(form.sheet2Gbx1Chk3, 3);
    Press(form, form.sheet2TbrScaleBt);
    Press(form, form.sheet2TbrPrintBt);

    QProcess pdftotext;
    pdftotext.start(
        QStringLiteral("pdftotext"), { QStringLiteral("-layout"), platform.PdfPath, QStringLiteral("-") });
    QVERIFY(pdftotext.waitForFinished(30000));
    QStringList lines;
    for (const QString& line : QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    QCOMPARE(lines,
        (QStringList { QStringLiteral("Dastrel 号码打印，时间:2024.05.06 07:08:09"),
            QStringLiteral("缩水结果有1注"), QStringLiteral("123,") }));
}

void tst_FilterPage::resetLeavesAllCodes()
{
    MainFormFixture f;
    MainWindow& form = StartOnFilterPage(f);
    for (const ConditionRow& row : ConditionRows())
        row.act(form);
    ClickItem(form.sheet2Gbx1Chk1, 4);
    QVERIFY(!(form.readConditions() == FilterConditions()));
    Press(form, form.sheet2TbrScaleBt);
    const velmora::CodeSet before = form.sheet2Codes;
    const QString memo = MemoText(form);
    QVERIFY(count(before) < 1000);

    Press(form, form.sheet2TbrClearBt);
    QVERIFY(form.readConditions() == FilterConditions());
    for (QComboBox* box : form.sheet2Gbx1Cbbs)
        QCOMPARE(box->currentText(), QStringLiteral("N"));
    QCOMPARE(form.sheet2Gbx4Se1->text(), QStringLiteral("0"));
    QCOMPARE(form.sheet2Gbx4Se2->text(), QStringLiteral("9"));
    QVERIFY(form.sheet2Codes == before);
    QCOMPARE(MemoText(form), memo);

    Press(form, form.sheet2TbrScaleBt);
    QCOMPARE(count(form.sheet2Codes), 1000);
    QCOMPARE(form.statusText(0), QStringLiteral("缩水结果总共1000注"));
    QCOMPARE(MemoText(form).split(QLatin1Char('\n')).size(), 3 + 100);
}

void tst_FilterPage::positionRowButtons_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("checked");
    QTest::newRow("hundreds, select all") << 0 << "全选" << 0 << 10;
    QTest::newRow("hundreds, clear") << 1 << "清除" << 0 << 0;
    QTest::newRow("tens, select all") << 2 << "全选" << 1 << 10;
    QTest::newRow("tens, clear") << 3 << "清除" << 1 << 0;
    QTest::newRow("units, select all") << 4 << "全选" << 2 << 10;
    QTest::newRow("units, clear") << 5 << "清除" << 2 << 0;
}

void tst_FilterPage::positionRowButtons()
{
    QFETCH(int, button);
    QFETCH(QString, caption);
    QFETCH(int, row);
    QFETCH(int, checked);
    MainFormFixture f;
    MainWindow& form = StartOnFilterPage(f, 0);
    MultiCheck* const rows[3] = { form.sheet2Gbx1Chk1, form.sheet2Gbx1Chk2, form.sheet2Gbx1Chk3 };
    for (MultiCheck* chk : rows) {
        ClickItem(chk, 4);
        ClickItem(chk, 7);
    }
    QToolButton* bt = form.sheet2Gbx1Bts[static_cast<std::size_t>(button)];
    QCOMPARE(bt->text(), caption);
    QCOMPARE(bt->objectName(), QStringLiteral("Sheet2Gbx1Bt%1").arg(button + 1));
    QTest::mouseClick(bt, Qt::LeftButton);
    for (int r = 0; r < 3; ++r)
        QCOMPARE(rows[r]->checkedCount(), r == row ? checked : 2);
    Press(form, form.sheet2TbrScaleBt);
    // A row with every digit checked restricts as much as an empty row: the two
    // other rows keep 2 digits each.
    QCOMPARE(count(form.sheet2Codes), 2 * 2 * 10);
}

void tst_FilterPage::spinEditTypedValue()
{
    MainFormFixture f;
    MainWindow& form = StartOnFilterPage(f);
    TypeInto(form.sheet2Gbx4Se1, QStringLiteral("12"));
    QVERIFY(form.sheet2Gbx4Se1->hasFocus());
    Press(form, form.sheet2TbrScaleBt);
    QCOMPARE(form.sheet2Gbx4Se1->text(), QStringLiteral("12"));
    QCOMPARE(form.statusText(0), QStringLiteral("缩水结果总共0注"));

    QTest::mouseClick(form.sheet2Gbx4Ed1, Qt::LeftButton);
    QCOMPARE(form.sheet2Gbx4Se1->text(), QStringLiteral("9"));
    Press(form, form.sheet2TbrScaleBt);
    QCOMPARE(count(form.sheet2Codes), 1);
    QVERIFY(form.sheet2Codes[999]);
}

void tst_FilterPage::recentPanelTexts()
{
    MainFormFixture f;
    MainWindow& form = StartOnFilterPage(f);
    ClickItem(form.sheet2PanelTopChk2, 1);
    TypeInto(form.sheet2PanelTopEd1, QStringLiteral("12"));
    const auto expectTexts = [&form] {
        const velmora::RecentPanelTexts texts = velmora::buildRecentPanelTexts(form.m_history);
        QCOMPARE(form.sheet2PanelTopLbls[0]->text(), QString::fromStdString(texts.header));
        for (std::size_t r = 0; r < 3; ++r)
            QCOMPARE(form.sheet2PanelTopLbls[r + 1]->text(), QString::fromStdString(texts.rows[r]));
    };
    expectTexts();
    const velmora::DrawRecord latest = form.m_history.back();
    QVERIFY(
        form.sheet2PanelTopLbls[3]->text().startsWith(QStringLiteral("%1期%2")
                                                          .arg(latest.issue, 3, 10, QLatin1Char('0'))
                                                          .arg(latest.drawCode, 3, 10, QLatin1Char('0'))));

    // A new draw shows once the page is shown again; the conditions stay as they were.
    form.fileMenuManulClick();
    form.m_history.push_back(velmora::DrawRecord { latest.year, 5, 7, 444, 0, 0 });
    form.rcmMenuSuperScaleClick();
    expectTexts();
    QVERIFY(form.sheet2PanelTopLbls[3]->text().startsWith(QStringLiteral("005期444中出")));
    QVERIFY(form.sheet2PanelTopLbls[3]->text().endsWith(QStringLiteral("005期44,44,44     005期00,07,07")));
    QVERIFY(form.sheet2PanelTopLbls[2]->text().startsWith(
        QStringLiteral("%1期").arg(latest.issue, 3, 10, QLatin1Char('0'))));
    form.fileMenuManulClick();
    form.rcmMenuSuperScaleClick();
    expectTexts();
    QVERIFY(form.sheet2PanelTopChk2->getCheck(1));
    QCOMPARE(form.sheet2PanelTopEd1->text(), QStringLiteral("12"));
}

namespace {

// The pieces of a column label clear every item of the controls beside it and each other.
void ExpectClear(const velmora::ColumnLabel* label, const QList<const MultiCheck*>& controls)
{
    QList<QRect> taken;
    for (const MultiCheck* chk : controls) {
        QCOMPARE(chk->parentWidget(), label->parentWidget());
        for (int i = 0; i < chk->count(); ++i) {
            taken << chk->rectOfChk(i).translated(chk->pos()) << chk->rectOfCap(i).translated(chk->pos());
        }
    }
    const QStringList pieces = label->pieces();
    QVERIFY(!pieces.isEmpty());
    int previousRight = label->x() - 1;
    for (int p = 0; p < pieces.size(); ++p) {
        const QRect piece = label->pieceRect(p).translated(label->pos());
        QVERIFY2(piece.left() > previousRight, qPrintable(pieces[p]));
        QVERIFY2(piece.left() >= 0 && piece.right() < label->parentWidget()->width(), qPrintable(pieces[p]));
        for (const QRect& item : taken)
            QVERIFY2(piece.right() < item.left() || piece.left() > item.right(),
                qPrintable(QStringLiteral("%1 meets an item at %2").arg(pieces[p]).arg(item.left())));
        previousRight = piece.right();
    }
}

} // namespace

// With the fonts installed here the texts stand in the gaps, not under the controls.
void tst_FilterPage::recentPanelLinesUp()
{
    MainFormFixture f;
    MainWindow& form = StartOnFilterPage(f);
    ExpectClear(form.sheet2PanelTopLbls[0], {});
    ExpectClear(form.sheet2PanelTopLbls[1], { form.sheet2PanelTopChk1, form.sheet2PanelTopChk4 });
    ExpectClear(form.sheet2PanelTopLbls[2], { form.sheet2PanelTopChk2, form.sheet2PanelTopChk5 });
    ExpectClear(form.sheet2PanelTopLbls[3], { form.sheet2PanelTopChk3, form.sheet2PanelTopChk6 });
    QCOMPARE(form.sheet2PanelTopLbls[1]->pieces().size(), 6);
    // Each row's text sits on the row of its controls.
    for (int r = 1; r <= 3; ++r) {
        const QRect label = form.sheet2PanelTopLbls[static_cast<std::size_t>(r)]->geometry();
        const MultiCheck* chk = form.filterCheckControls()[static_cast<std::size_t>(r - 1)];
        const QRect box = chk->rectOfChk(0).translated(chk->pos());
        QVERIFY(qAbs(label.center().y() - box.center().y()) <= 3);
    }
    const MultiCheck* const hits[5] = { form.sheet2Gbx3Chk1, form.sheet2Gbx3Chk2, form.sheet2Gbx3Chk3,
        form.sheet2Gbx3Chk4, form.sheet2Gbx3Chk5 };
    for (int k = 0; k < 5; ++k) {
        const auto* label
            = form.sheet2Gbx3->findChild<velmora::ColumnLabel*>(QStringLiteral("Sheet2Gbx3Lbl%1").arg(k + 1));
        QVERIFY(label);
        QCOMPARE(label->pieces(), (QStringList { QStringLiteral("中出"), QStringLiteral("个号") }));
        ExpectClear(label, { hits[k] });
    }
}

void tst_FilterPage::recentPanelShortHistory()
{
    MainFormFixture f;
    MainWindow& form = StartOnFilterPage(f, 2);
    QCOMPARE(form.m_history.size(), std::size_t(2));
    QVERIFY(form.sheet2PanelTopLbls[1]->text().isEmpty());
    QVERIFY(!form.sheet2PanelTopLbls[2]->text().isEmpty());
    QVERIFY(!form.sheet2PanelTopLbls[3]->text().isEmpty());
    // The row without a draw restricts nothing.
    ClickItem(form.sheet2PanelTopChk1, 3);
    Press(form, form.sheet2TbrScaleBt);
    QCOMPARE(count(form.sheet2Codes), 1000);
}

// Every control of a group box stands below the frame's top line and inside the
// frame, no two overlap, and every label's text fits its width.
void tst_FilterPage::groupBoxesLineUp()
{
    MainFormFixture f;
    MainWindow& form = StartOnFilterPage(f);
    for (QGroupBox* box : { form.sheet2Gbx1, form.sheet2Gbx2, form.sheet2Gbx3, form.sheet2Gbx4 }) {
        const auto* frame = qobject_cast<velmora::GroupBox*>(box);
        QVERIFY(frame);
        QList<QWidget*> children;
        for (QWidget* child : box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            const QRect r = child->geometry();
            const QString name = box->objectName() + QLatin1Char('/') + child->objectName() + QLatin1Char('/')
                + (qobject_cast<QLabel*>(child) ? qobject_cast<QLabel*>(child)->text() : QString());
            QVERIFY2(r.top() > frame->frameTop() && r.left() > 0 && r.right() < box->width() - 1
                    && r.bottom() < box->height() - 1,
                qPrintable(name));
            if (const auto* label = qobject_cast<QLabel*>(child))
                QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(name));
            if (!qobject_cast<velmora::ColumnLabel*>(child))
                children << child;
        }
        for (int i = 0; i < children.size(); ++i)
            for (int j = i + 1; j < children.size(); ++j)
                QVERIFY2(!children[i]->geometry().intersects(children[j]->geometry()),
                    qPrintable(children[i]->objectName() + QLatin1Char(' ') + children[j]->objectName()));
    }
    const auto* range = form.sheet2Gbx4->findChild<velmora::ColumnLabel*>(QStringLiteral("Sheet2Gbx4Lbl5"));
    QVERIFY(range);
    QCOMPARE(
        range->pieces(), (QStringList { QStringLiteral("号码范围：最小号"), QStringLiteral(", 最大号") }));
    for (int p = 0; p < 2; ++p) {
        const QRect piece = range->pieceRect(p).translated(range->pos());
        for (const QWidget* se :
            { static_cast<QWidget*>(form.sheet2Gbx4Se1), static_cast<QWidget*>(form.sheet2Gbx4Se2) })
            QVERIFY(piece.right() < se->x() || piece.left() > se->geometry().right());
    }
}

void tst_FilterPage::tabWalksInReadingOrder()
{
    MainFormFixture f;
    MainWindow& form = StartOnFilterPage(f, 0);
    const QList<QWidget*> expected = { form.sheet2PanelTopChk1, form.sheet2PanelTopChk4,
        form.sheet2PanelTopChk2, form.sheet2PanelTopChk5, form.sheet2PanelTopChk3, form.sheet2PanelTopChk6,
        form.sheet2PanelTopEd1, form.sheet2PanelTopEd2, form.sheet2Gbx1Cbbs[0], form.sheet2Gbx1Cbbs[1],
        form.sheet2Gbx1Cbbs[2], form.sheet2Gbx1Cbbs[3], form.sheet2Gbx1Cbbs[4], form.sheet2Gbx1Chk1,
        form.sheet2Gbx1Bts[0], form.sheet2Gbx1Bts[1], form.sheet2Gbx1Chk2 };
    ClickItem(form.sheet2PanelTopChk1, 0);
    QCOMPARE(QApplication::focusWidget(), form.sheet2PanelTopChk1);
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected[i]);
    }
    // Backwards from the digit range to the last digit group.
    QTest::mouseClick(form.sheet2Gbx4Ed1, Qt::LeftButton);
    QTest::keyClick(form.sheet2Gbx4Ed1, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), form.sheet2Gbx3Chk5);
}

void tst_FilterPage::snapshots()
{
    MainFormFixture f;
    MainWindow& form = StartOnFilterPage(f);
    form.resize(1024, 640);
    ClickItem(form.sheet2PanelTopChk3, 1);
    ClickItem(form.sheet2Gbx1Chk1, 1);
    ClickItem(form.sheet2Gbx1Chk1, 5);
    ChooseBanker(form, 0, QStringLiteral("5"));
    TypeInto(form.sheet2Gbx3Eds[0], QStringLiteral("1259"));
    ClickItem(form.sheet2Gbx3Chk1, 1);
    TypeInto(form.sheet2Gbx4Se1, QStringLiteral("1"));
    Press(form, form.sheet2TbrScaleBt);
    Press(form, form.sheet2TbrViewBt);
    const QString dir = qEnvironmentVariable("VELMORA_SNAPSHOT_DIR", QDir::tempPath());
    QDir().mkpath(dir);
    QVERIFY(form.grab().save(dir + QStringLiteral("/filter-page.png")));
    QVERIFY(form.codeViewForm->grab().save(dir + QStringLiteral("/filter-result-window.png")));
}

QTEST_MAIN(tst_FilterPage)
#include "tst_FilterPage.moc"
