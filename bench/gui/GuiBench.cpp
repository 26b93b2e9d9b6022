// velmora_gui_bench: each command of the window timed from its click to its result
// painted, offscreen, over the real draw history. A frame is 16 ms: every command
// should fit in one. The dialogs answer through a fake Platform, so none blocks.
// `--game=pl3` runs every command in 排列三 (福彩3D otherwise); switching games is
// timed in both directions either way.
#include "BenchConditions.h"
#include "gui/BenchPlatform.h"

#include "app/HistoryDocument.h"
#include "app/MainWindow.h"
#include "app/dialogs/HistoryCheckWindow.h"
#include "app/dialogs/ResultWindow.h"
#include "app/pages/DataPage.h"
#include "app/pages/FilterPage.h"
#include "app/pages/SmartShrinkPage.h"
#include "core/code/CodeSet.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string_view>

namespace {

const QString kHistoryFile = QStringLiteral(VELMORA_HISTORY_FILE);
const QString kPl3HistoryFile = QStringLiteral(VELMORA_PL3_HISTORY_FILE);

// The window over a copy of the real history in a folder of its own.
struct Gui {
    QTemporaryDir folder;
    BenchPlatform platform;
    std::unique_ptr<velmora::MainWindow> window;
    // The real history of the game the commands run in.
    QString historyFile;
};
Gui* gui = nullptr;

template <typename T> T* part(const QObject* parent, const QString& name)
{
    T* child = parent->findChild<T*>(name);
    if (!child)
        qFatal("no %s under %s", qPrintable(name), qPrintable(parent->objectName()));
    return child;
}

void trigger(const char* action) { part<QAction>(gui->window.get(), QString::fromLatin1(action))->trigger(); }

// The page's tool bar button with the caption.
QWidget* toolButton(const QWidget* page, const QString& caption)
{
    const auto* bar = part<QToolBar>(page, QStringLiteral("toolBar"));
    for (QAction* action : bar->actions()) {
        if (action->text() == caption)
            return bar->widgetForAction(action);
    }
    qFatal("no tool bar button %s", qPrintable(caption));
}

void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }

// Paints every window on show now, as the next frame would.
void paintWindows()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->repaint();
    }
}

const velmora::HistoryDocument& document()
{
    for (const velmora::HistoryDocument* each : gui->window->findChildren<velmora::HistoryDocument*>())
        if (&each->game() == &gui->window->game())
            return *each;
    qFatal("no history of the game in front");
}
const velmora::DrawHistory& history() { return document().records(); }

void BM_Shrink(benchmark::State& state)
{
    trigger("showFilterPage");
    auto* page = gui->window->findChild<velmora::FilterPage*>();
    page->setConditions(velmora::AllActiveConditions());
    if (!gui->window->findChild<velmora::ResultWindow*>()->isVisible())
        click(toolButton(page, QStringLiteral("查看结果")));
    QWidget* run = toolButton(page, QStringLiteral("号码缩水"));
    for (auto _ : state) {
        click(run);
        paintWindows();
    }
    state.counters["codes"] = velmora::codeSetCount(page->result());
    page->setConditions(velmora::FilterConditions());
    click(toolButton(page, QStringLiteral("查看结果")));
}

void BM_SmartShrink(benchmark::State& state)
{
    trigger("showSmartShrinkPage");
    auto* page = gui->window->findChild<velmora::SmartShrinkPage*>();
    velmora::CodeSet all;
    all.fill(true);
    page->setImportableCodes(all);
    click(toolButton(page, QStringLiteral("导入号码")));
    QWidget* run = part<QPushButton>(page, QStringLiteral("runButton"));
    for (auto _ : state) {
        click(run);
        paintWindows();
    }
    state.counters["codes"] = velmora::codeSetCount(page->result());
}

void BM_Recommend(benchmark::State& state)
{
    static const QString captions[]
        = { QStringLiteral("每日推荐"), QStringLiteral("每周推荐"), QStringLiteral("每月推荐") };
    trigger("showRecommendPage");
    QWidget* run = toolButton(
        gui->window->findChild<QWidget*>(QStringLiteral("recommendPage")), captions[state.range(0)]);
    for (auto _ : state) {
        click(run);
        paintWindows();
    }
}

const char* const kChartActions[] = { "showTrendChart", "showKLineChart", "showSumChart", "showSumTailChart",
    "showOddEvenChart", "showBigSmallChart" };
const char* const kChartPages[] = { "trendChartPage", "klineChartPage", "sumChartPage", "tailChartPage",
    "oddevenChartPage", "bigsmallChartPage" };

// "查询" on a chart page with N = every draw of the history.
void BM_ChartQuery(benchmark::State& state)
{
    trigger(kChartActions[state.range(0)]);
    auto* page = part<QWidget>(gui->window.get(), QString::fromLatin1(kChartPages[state.range(0)]));
    part<QSpinBox>(page, QStringLiteral("drawCountEdit"))->setValue(static_cast<int>(history().size()));
    QWidget* query = part<QPushButton>(page, QStringLiteral("queryButton"));
    for (auto _ : state) {
        click(query);
        paintWindows();
    }
    state.counters["draws"] = static_cast<double>(history().size());
}

// Bringing a chart page to the front from the data page: it rebuilds as it appears.
void BM_ChartShow(benchmark::State& state)
{
    trigger(kChartActions[state.range(0)]);
    auto* page = part<QWidget>(gui->window.get(), QString::fromLatin1(kChartPages[state.range(0)]));
    part<QSpinBox>(page, QStringLiteral("drawCountEdit"))->setValue(static_cast<int>(history().size()));
    for (auto _ : state) {
        state.PauseTiming();
        trigger("showDataPage");
        paintWindows();
        state.ResumeTiming();
        trigger(kChartActions[state.range(0)]);
        paintWindows();
    }
}

// The history check's rerun over every draw (the window's draw count changed), all
// conditions active.
void BM_HistoryCheck(benchmark::State& state)
{
    velmora::HistoryCheckWindow window(gui->platform, document());
    window.setConditions(velmora::AllActiveConditions(), velmora::Tolerance {});
    window.show();
    auto* count = part<QSpinBox>(&window, QStringLiteral("drawCountEdit"));
    const int all = count->maximum();
    count->setValue(all);
    window.repaint();
    int step = 0;
    for (auto _ : state) {
        count->setValue(all - (++step % 2));
        paintWindows();
    }
    state.counters["draws"] = static_cast<double>(window.draws().size());
}

void BM_SaveData(benchmark::State& state)
{
    trigger("showDataPage");
    QWidget* save = toolButton(gui->window->findChild<velmora::DataPage*>(), QStringLiteral("保存数据"));
    for (auto _ : state) {
        click(save);
        paintWindows();
    }
}

// "导入数据" of the real history: merged into the same history (range 0), or replacing it (1).
void BM_ImportData(benchmark::State& state)
{
    trigger("showDataPage");
    gui->platform.openAnswer = gui->historyFile;
    gui->platform.chooseAnswer = static_cast<int>(state.range(0));
    QWidget* import = toolButton(gui->window->findChild<velmora::DataPage*>(), QStringLiteral("导入数据"));
    for (auto _ : state) {
        click(import);
        paintWindows();
    }
    state.counters["draws"] = static_cast<double>(history().size());
}

// "添加开奖" with the dialog filled at once: the next issue it offers, codes 123 and 456.
void BM_AddDraw(benchmark::State& state)
{
    trigger("showDataPage");
    gui->platform.dialogScript = [](QDialog& dialog) {
        part<QLineEdit>(&dialog, QStringLiteral("drawCodeEdit"))->setText(QStringLiteral("123"));
        // 排列三 has no test code.
        if (auto* test = dialog.findChild<QLineEdit*>(QStringLiteral("testCodeEdit"));
            test && test->isEnabled())
            test->setText(QStringLiteral("456"));
        dialog.accept();
        return dialog.result();
    };
    const auto drawsBefore = history().size();
    for (auto _ : state) {
        trigger("addDraw");
        paintWindows();
    }
    gui->platform.dialogScript = nullptr;
    state.counters["added"] = static_cast<double>(history().size() - drawsBefore);
}

// Ctrl+1 or Ctrl+2 with the data page in front, both full histories shown before:
// to the other game (range 0) or back to the game the commands run in (1).
void BM_SwitchGame(benchmark::State& state)
{
    trigger("showDataPage");
    const QString home = QStringLiteral("showGame_") + QString::fromLatin1(gui->window->game().key.data());
    const QString other = home == QStringLiteral("showGame_3d") ? QStringLiteral("showGame_pl3")
                                                                : QStringLiteral("showGame_3d");
    QAction* there = part<QAction>(gui->window.get(), state.range(0) == 0 ? other : home);
    QAction* back = part<QAction>(gui->window.get(), state.range(0) == 0 ? home : other);
    back->trigger();
    paintWindows();
    for (auto _ : state) {
        there->trigger();
        paintWindows();
        state.PauseTiming();
        back->trigger();
        paintWindows();
        state.ResumeTiming();
    }
    part<QAction>(gui->window.get(), home)->trigger();
    state.counters["draws"] = static_cast<double>(history().size());
}

void registerBenchmarks()
{
    const auto add = [](const char* name, void (*fn)(benchmark::State&)) {
        return benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond)->UseRealTime();
    };
    add("号码缩水", BM_Shrink);
    add("智能缩水", BM_SmartShrink);
    add("推荐/日", BM_Recommend)->Arg(0);
    add("推荐/周", BM_Recommend)->Arg(1);
    add("推荐/月", BM_Recommend)->Arg(2);
    for (int i = 0; i < 6; ++i) {
        const std::string name = kChartPages[i];
        add(("查询/" + name).c_str(), BM_ChartQuery)->Arg(i);
        add(("显示/" + name).c_str(), BM_ChartShow)->Arg(i);
    }
    add("历史验证", BM_HistoryCheck);
    add("保存数据", BM_SaveData);
    add("导入数据/合并", BM_ImportData)->Arg(0);
    add("导入数据/替换", BM_ImportData)->Arg(1);
    add("添加开奖", BM_AddDraw);
    add("切换彩种/到另一彩种", BM_SwitchGame)->Arg(0);
    add("切换彩种/回来", BM_SwitchGame)->Arg(1);
}

// Takes `--game=pl3` out of the arguments: the game the commands run in.
bool takeGameArgument(int& argc, char** argv)
{
    const std::string_view flag = "--game=pl3";
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == flag) {
            std::copy(argv + i + 1, argv + argc, argv + i);
            --argc;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("VELMORA_SITE");
    const bool pl3 = takeGameArgument(argc, argv);
    QApplication app(argc, argv);
    Gui state;
    state.historyFile = pl3 ? kPl3HistoryFile : kHistoryFile;
    if (!QFile::copy(kHistoryFile, state.folder.filePath(QStringLiteral("lotdata.ldf")))
        || !QFile::copy(kPl3HistoryFile, state.folder.filePath(QStringLiteral("pl3data.ldf"))))
        qFatal("cannot copy the real histories");
    velmora::MainWindowOptions options;
    options.webEngine = false;
    state.window = std::make_unique<velmora::MainWindow>(
        state.platform, state.folder.filePath(QStringLiteral("lotdata.ldf")), options);
    if (state.window->findChild<velmora::HistoryDocument*>()->records().empty())
        qFatal("the real history did not load");
    state.window->resize(1024, 740);
    state.window->show();
    QApplication::processEvents();
    gui = &state;
    // Both histories loaded and shown once, as after the first switch of an evening.
    trigger("showDataPage");
    trigger("showGame_pl3");
    QApplication::processEvents();
    if (!pl3)
        trigger("showGame_3d");
    if (history().empty())
        qFatal("the real history of the game did not load");

    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gui = nullptr;
    return 0;
}
