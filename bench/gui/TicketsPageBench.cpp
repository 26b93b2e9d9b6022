// velmora_tickets_bench: 我的投注 opened over 10,000 tickets and the real history,
// from making the page to its table and plot painted (budget: 100 ms), offscreen.
#include "TempDir.h"
#include "TicketSample.h"
#include "app/FakePlatform.h"
#include "app/pages/TicketsPage.h"
#include "core/ShrinkTestSupport.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

void BM_SettleTicketsPageOpen(
    benchmark::State& state, const velmora::DrawHistory& history, const QString& ledger)
{
    FakePlatform platform;
    for (auto _ : state) {
        velmora::TicketsPage page(
            platform, ledger, [&history]() -> const velmora::DrawHistory& { return history; }, nullptr);
        page.resize(1024, 700);
        page.show();
        page.repaint();
        state.counters["staked"] = static_cast<double>(page.totals().staked);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const velmora::DrawHistory history = velmora::test::RealHistory();
    const velmora::test::TempDir dir;
    const std::string ledger = dir.File("velmora.db");
    if (history.empty() || !velmora::bench::writeSampleLedger(ledger, history))
        qFatal("no real history, or the sample tickets were not written");
    benchmark::RegisterBenchmark(
        "BM_SettleTicketsPageOpen", BM_SettleTicketsPageOpen, history, QString::fromStdString(ledger))
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
