// Settling 10,000 tickets against the real history (budget: 16 ms), and reading
// them from the ledger and settling them as the page does when it opens (budget:
// 100 ms for the whole page).
#include "TempDir.h"
#include "core/ShrinkTestSupport.h"
#include "core/code/Code.h"
#include "core/ledger/Ledger.h"
#include "core/ledger/Settlement.h"
#include "core/ledger/TicketText.h"

#include <benchmark/benchmark.h>
#include <random>
#include <sqlite3.h>

using namespace velmora;

namespace {

constexpr int kTicketCount = 10000;

// Tickets on the latest issues of the history and a few to come: 直选 and 组选,
// 1 to 50 bets, multiples 1 to 10.
std::vector<Ticket> SampleTickets(const DrawHistory& history)
{
    std::mt19937 random(2026);
    std::vector<Ticket> tickets;
    for (int n = 0; n < kTicketCount; ++n) {
        Ticket t;
        const std::size_t back = random() % 1200;
        t.issue = back < history.size() ? issueKeyOf(history[history.size() - 1 - back]) : 2099001;
        t.play = random() % 3 == 0 ? Play::Group : Play::Direct;
        CodeSet codes;
        for (int k = 1 + static_cast<int>(random() % 50); k > 0; --k)
            codes[static_cast<int>(random() % 1000)] = 1;
        t.bets = ticketBetsOf(t.play, codes).bets;
        t.multiple = 1 + static_cast<int>(random() % 10);
        tickets.push_back(std::move(t));
    }
    return tickets;
}

void BM_Settle10000Tickets(benchmark::State& state)
{
    const DrawHistory history = velmora::test::RealHistory();
    if (history.empty()) {
        state.SkipWithError("no real history");
        return;
    }
    const std::vector<Ticket> tickets = SampleTickets(history);
    for (auto _ : state)
        benchmark::DoNotOptimize(settleTickets(tickets, history));
    const LedgerTotals totals = ledgerTotals(tickets, settleTickets(tickets, history));
    state.counters["won"] = totals.won;
}
BENCHMARK(BM_Settle10000Tickets)->Unit(benchmark::kMillisecond);

void BM_SettleLedgerOf10000Tickets(benchmark::State& state)
{
    const DrawHistory history = velmora::test::RealHistory();
    if (history.empty()) {
        state.SkipWithError("no real history");
        return;
    }
    const velmora::test::TempDir dir;
    const std::string path = dir.File("velmora.db");
    Ledger(path, Ledger::OpenMode::Create);
    // The tickets go in as one transaction: one by one, each would wait for the disk.
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO tickets (issue, play, bets, multiple) VALUES (?1, ?2, ?3, ?4)", -1,
        &insert, nullptr);
    for (const Ticket& t : SampleTickets(history)) {
        std::string bets;
        for (const int bet : t.bets)
            bets += (bets.empty() ? "" : ",") + codeText(bet);
        sqlite3_bind_int(insert, 1, t.issue);
        sqlite3_bind_int(insert, 2, t.play == Play::Group ? 1 : 0);
        sqlite3_bind_text(insert, 3, bets.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 4, t.multiple);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    if (readLedger(path).size() != kTicketCount) {
        state.SkipWithError("the tickets were not written");
        return;
    }
    for (auto _ : state) {
        const std::vector<Ticket> tickets = readLedger(path);
        const std::vector<TicketResult> results = settleTickets(tickets, history);
        benchmark::DoNotOptimize(ledgerTotals(tickets, results));
        benchmark::DoNotOptimize(cumulativeProfit(tickets, results));
    }
}
BENCHMARK(BM_SettleLedgerOf10000Tickets)->Unit(benchmark::kMillisecond);

} // namespace
