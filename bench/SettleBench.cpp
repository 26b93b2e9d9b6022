// Settling 10,000 tickets against the real history (budget: 16 ms), and reading
// them from the ledger and settling them as the page does when it opens (the
// whole page has 100 ms: TicketsPageBench).
#include "TempDir.h"
#include "TicketSample.h"
#include "core/ShrinkTestSupport.h"

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

void BM_Settle10000Tickets(benchmark::State& state)
{
    const DrawHistory history = velmora::test::RealHistory();
    if (history.empty()) {
        state.SkipWithError("no real history");
        return;
    }
    const std::vector<Ticket> tickets = bench::sampleTickets(history);
    for (auto _ : state)
        benchmark::DoNotOptimize(settleTickets(tickets, history));
    const LedgerTotals totals = ledgerTotals(tickets, settleTickets(tickets, history));
    state.counters["won"] = totals.won;
}
BENCHMARK(BM_Settle10000Tickets)->Unit(benchmark::kMillisecond);

void BM_SettleLedgerOf10000Tickets(benchmark::State& state)
{
    const DrawHistory history = velmora::test::RealHistory();
    const velmora::test::TempDir dir;
    const std::string path = dir.File("velmora.db");
    if (history.empty() || !bench::writeSampleLedger(path, history)) {
        state.SkipWithError("no real history, or the tickets were not written");
        return;
    }
    for (auto _ : state) {
        const std::vector<Ticket> tickets = readLedger(path, game3d());
        const std::vector<TicketResult> results = settleTickets(tickets, history);
        benchmark::DoNotOptimize(ledgerTotals(tickets, results));
        benchmark::DoNotOptimize(cumulativeProfit(tickets, results));
    }
}
BENCHMARK(BM_SettleLedgerOf10000Tickets)->Unit(benchmark::kMillisecond);

} // namespace
