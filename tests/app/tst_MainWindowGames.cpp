// Two games side by side: switching with Ctrl+1 / Ctrl+2, each game's own data file
// and backups, both built-in histories on a first start, the filter page in 排列三.
#include "app/MainWindowFixture.h"
#include "app/dialogs/ResultWindow.h"
#include "support/Snapshots.h"

#include "core/filter/FilterEngine.h"
#include "core/game/Game.h"
#include "widgets/ColumnLabel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

using velmora::HistoryDocument;
using velmora::MainWindow;

namespace {

const HistoryDocument& documentOf(const MainWindowFixture& f, const velmora::Game& game)
{
    for (const HistoryDocument* each : f.window->findChildren<HistoryDocument*>())
        if (&each->game() == &game)
            return *each;
    qFatal("no history of the game");
}

QStringList backupsOf(const MainWindowFixture& f)
{
    return QDir(f.path(QStringLiteral("backups"))).entryList(QDir::Files, QDir::Name);
}

void pressGameKey(MainWindowFixture& f, Qt::Key key)
{
    QTest::keyClick(f.window.get(), key, Qt::ControlModifier);
    QCoreApplication::processEvents();
}

} // namespace

class tst_MainWindowGames : public QObject {
    Q_OBJECT

private slots:
    void firstStartWritesEachHistoryWhenShown();
    void eachGameKeepsItsOwnFileAndBackups();
    void switchingAsksAboutUnsavedChanges();
    void filterPageWithoutTestCodes();
    void switchingWithFullHistories();
    void resultsStayWithTheirGame();
};

void tst_MainWindowGames::firstStartWritesEachHistoryWhenShown()
{
    MainWindowFixture f;
    f.startShown();
    const QString pl3File = f.path(QStringLiteral("pl3data.ldf"));
    QVERIFY(QFileInfo::exists(f.dataFile()));
    QVERIFY(!QFileInfo::exists(pl3File));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Velmora — 福彩3D"));
    // The selector names the game; no panel beside it repeats the name.
    QCOMPARE(f.part<QComboBox>("gameSelector")->currentText(), QStringLiteral("福彩3D"));
    QCOMPARE(f.window->statusText(1), QString());

    pressGameKey(f, Qt::Key_2);
    QCOMPARE(&f.window->game(), &velmora::gamePl3());
    QCOMPARE(readFile(pl3File), QByteArray(velmora::gamePl3().builtInHistory().data()));
    QCOMPARE(documentOf(f, velmora::gamePl3()).records().size(), std::size_t { 7732 });
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Velmora — 排列三"));
    QVERIFY(f.window->statusText(0).startsWith(QStringLiteral("已载入内置开奖数据：共7732期")));
    QCOMPARE(f.part<QComboBox>("gameSelector")->currentText(), QStringLiteral("排列三"));
    QCOMPARE(f.platform.settings.value(QString::fromLatin1(velmora::kGameSettingKey)).toString(),
        QStringLiteral("pl3"));

    // The next start comes up in 排列三.
    f.window.reset();
    f.startShown();
    QCOMPARE(&f.window->game(), &velmora::gamePl3());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Velmora — 排列三"));
}

void tst_MainWindowGames::eachGameKeepsItsOwnFileAndBackups()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(30)));
    const QString pl3File = f.path(QStringLiteral("pl3data.ldf"));
    QVERIFY(writeFile(pl3File, "2026250,123\r\n2026251,456\r\n2026252,789\r\n"));
    f.startShown();

    QElapsedTimer timer;
    timer.start();
    pressGameKey(f, Qt::Key_2);
    const qint64 firstSwitchMs = timer.elapsed();
    QCOMPARE(&f.window->game(), &velmora::gamePl3());

    // 添加开奖 asks only 期号 and 开奖号.
    f.platform.dialogScript = [](QDialog& dialog) {
        dialog.show();
        if (dialog.findChild<QLineEdit*>(QStringLiteral("testCodeEdit")))
            return int(QDialog::Rejected);
        auto* code = velmora::test::find<QLineEdit>(&dialog, QStringLiteral("drawCodeEdit"));
        QTest::mouseClick(code, Qt::LeftButton);
        QTest::keyClicks(code, QStringLiteral("493"));
        QTest::mouseClick(
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        return dialog.result();
    };
    f.trigger("addDraw");
    QCOMPARE(readFile(pl3File), QByteArray("2026250,123\r\n2026251,456\r\n2026252,789\r\n2026253,493\r\n"));
    QCOMPARE(readFile(f.dataFile()), historyLines(30));
    const QStringList afterAdd = backupsOf(f);
    QCOMPARE(afterAdd.size(), 1);
    QVERIFY(afterAdd.front().startsWith(QStringLiteral("pl3data-")));

    // 号码缩水 runs on the 排列三 draws: the latest, 493, shares no digit with these.
    f.trigger("showFilterPage");
    velmora::FilterConditions none;
    none.recentHits[2][0] = true;
    f.filterPage().setConditions(none);
    velmora::test::clickToolButton(&f.filterPage(), QStringLiteral("号码缩水"));
    QCOMPARE(f.filterPage().result(), velmora::runShrink(none, documentOf(f, velmora::gamePl3()).records()));
    QVERIFY(!f.filterPage().result()[493]);
    QVERIFY(f.filterPage().result()[120]);

    timer.restart();
    pressGameKey(f, Qt::Key_1);
    const qint64 backMs = timer.elapsed();
    QCOMPARE(&f.window->game(), &velmora::game3d());
    QCOMPARE(f.history(), documentOf(f, velmora::game3d()).records());
    QCOMPARE(f.history().size(), std::size_t { 30 });
    QCOMPARE(backupsOf(f), afterAdd);
    qInfo("switch to 排列三 (first show) %lld ms, back to 福彩3D %lld ms", firstSwitchMs, backMs);
    QVERIFY(backMs < 100);
}

void tst_MainWindowGames::switchingAsksAboutUnsavedChanges()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), historyLines(12)));
    f.startShown();
    f.trigger("showDataPage");
    auto* editor = f.part<QPlainTextEdit>("drawEditor");
    QTest::mouseClick(editor->viewport(), Qt::LeftButton);
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("x"));
    f.platform.saveAnswer = velmora::SaveChoice::Cancel;
    pressGameKey(f, Qt::Key_2);
    QCOMPARE(&f.window->game(), &velmora::game3d());
    QCOMPARE(f.part<QComboBox>("gameSelector")->currentText(), QStringLiteral("福彩3D"));
    QCOMPARE(f.platform.saveQuestions, 1);
    f.platform.saveAnswer = velmora::SaveChoice::Discard;
    pressGameKey(f, Qt::Key_2);
    QCOMPARE(&f.window->game(), &velmora::gamePl3());
    QCOMPARE(readFile(f.dataFile()), historyLines(12));
}

void tst_MainWindowGames::filterPageWithoutTestCodes()
{
    MainWindowFixture f;
    QVERIFY(
        writeFile(f.path(QStringLiteral("pl3data.ldf")), "2026250,123\r\n2026251,456\r\n2026252,789\r\n"));
    f.platform.settings.insert(QString::fromLatin1(velmora::kGameSettingKey), QStringLiteral("pl3"));
    f.startShown();
    f.trigger("showFilterPage");
    QVERIFY(f.part<QWidget>("drawHitsLatestRow")->isVisible());
    QVERIFY(!f.part<QWidget>("testHitsLatestRow")->isVisible());
    const auto* header = f.part<velmora::ColumnLabel>("recentHeader");
    QVERIFY(!header->text().contains(QStringLiteral("试机")));
    QCOMPARE(f.part<velmora::ColumnLabel>("latestDrawLine")->pieces().size(), 3);
    QVERIFY(velmora::test::writeSnapshot(*f.window, QStringLiteral("filter-page-pl3.png")));
    QVERIFY(velmora::test::writeSnapshot(
        *f.part<QWidget>("recentPanel"), QStringLiteral("recent-panel-pl3.png")));

    // A scheme with test-code rows says why it cannot be used, and changes nothing.
    const QString scheme = f.path(QStringLiteral("test.vscheme.json"));
    QVERIFY(writeFile(scheme,
        R"({"format": "velmora-scheme", "version": 1, "conditions": {"recent-test": [{"row": 1, "counts": [0]}]}})"));
    f.platform.openAnswer = scheme;
    f.filterPage().loadScheme();
    QCOMPARE(f.platform.warnings,
        QStringList { QStringLiteral("方案文件格式错误：排列三没有试机号（recent-test）") });

    // Rows the 3D game checked stay, hidden and never active here.
    velmora::FilterConditions withTests;
    withTests.recentHits[3][0] = true;
    f.filterPage().setConditions(withTests);
    QCOMPARE(f.filterPage().conditions(), velmora::FilterConditions {});
    QTest::keyClick(f.window.get(), Qt::Key_1, Qt::ControlModifier);
    QVERIFY(f.part<QWidget>("testHitsLatestRow")->isVisible());
    QCOMPARE(f.filterPage().conditions(), withTests);
}

// Both full histories, the editor filled with each, switched back and forth: each keeps
// its draws. (velmora_gui_bench times the switch.)
void tst_MainWindowGames::switchingWithFullHistories()
{
    MainWindowFixture f;
    QVERIFY(writeFile(f.dataFile(), realHistoryBytes()));
    f.startShown();
    f.trigger("showDataPage");
    pressGameKey(f, Qt::Key_2);
    pressGameKey(f, Qt::Key_1);
    QCOMPARE(documentOf(f, velmora::gamePl3()).records().size(), std::size_t { 7732 });
    for (const Qt::Key key : { Qt::Key_2, Qt::Key_1 })
        pressGameKey(f, key);
    QCOMPARE(&f.window->game(), &velmora::game3d());
    QCOMPARE(documentOf(f, velmora::gamePl3()).records().size(), std::size_t { 7732 });
    QCOMPARE(documentOf(f, velmora::game3d()).records().size(),
        static_cast<std::size_t>(realHistoryBytes().count('\n')));
}

// A result computed from one game's history goes with a switch; the typed base stays.
void tst_MainWindowGames::resultsStayWithTheirGame()
{
    MainWindowFixture f;
    f.startShown();
    f.trigger("showFilterPage");
    QTest::keyClick(f.window.get(), Qt::Key_R, Qt::ControlModifier);
    QVERIFY(velmora::codeSetCount(f.filterPage().result()) > 0);
    f.trigger("showRecommendPage");
    QTest::keyClick(f.window.get(), Qt::Key_1, Qt::AltModifier);
    QVERIFY(velmora::codeSetCount(f.recommendPage().result()) > 0);
    f.trigger("showSmartShrinkPage");
    auto* base = f.part<QPlainTextEdit>("baseMemo");
    base->setPlainText(QStringLiteral("123 456"));

    pressGameKey(f, Qt::Key_2);
    QCOMPARE(velmora::codeSetCount(f.filterPage().result()), 0);
    QCOMPARE(velmora::test::find<velmora::ResultWindow>(f.window.get())->memo()->toPlainText(), QString());
    QCOMPARE(velmora::codeSetCount(f.recommendPage().result()), 0);
    QCOMPARE(base->toPlainText(), QStringLiteral("123 456"));
    velmora::test::clickToolButton(&f.smartShrinkPage(), QStringLiteral("导入号码"));
    QCOMPARE(f.platform.warnings.value(0), QString::fromUtf8(velmora::SmartShrinkPage::kNoFilterResultText));
}

QTEST_MAIN(tst_MainWindowGames)
#include "tst_MainWindowGames.moc"
