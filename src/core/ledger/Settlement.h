// Settling tickets against the draw history: nothing of it is stored, so a
// corrected draw corrects its tickets the next time they are settled.
#pragma once

#include "core/draw/DrawRecord.h"
#include "core/ledger/Ticket.h"

#include <string>
#include <utility>
#include <vector>

namespace velmora {

// The draw codes of a history by issue key, built once; the first record of an
// issue counts.
class DrawIndex {
public:
    explicit DrawIndex(const DrawHistory& history);
    // The draw code of the issue, or -1 when the history has no such draw.
    int drawCodeOf(int issueKey) const;

private:
    std::vector<std::pair<int, int>> m_codes; // (key, draw code), by key
};

enum class TicketStatus { Pending, Won, Lost };

struct TicketResult {
    TicketStatus status = TicketStatus::Pending;
    int drawCode = -1; // -1 while pending
    int winningBets = 0;
    long long prize = 0; // multiple included

    friend bool operator==(const TicketResult&, const TicketResult&) = default;
};

// The ticket's outcome on the draw of its issue. Its bets are ascending and
// distinct (Ticket), so at most one of them wins.
TicketResult settle(const Ticket& ticket, const DrawIndex& draws);

// The outcome of each ticket, in the same order.
std::vector<TicketResult> settleTickets(const std::vector<Ticket>& tickets, const DrawHistory& history);

// What a bet of one multiple returns on average over all draws, in thousandths of
// a yuan: 直选 1040/1000 of a yuan, a 组六 group 6·173/1000, a 组三 group 3·346/1000
// (about 52% of the 2 yuan it costs).
long long expectedBetPrizeMilli(Play play, int bet);

struct LedgerTotals {
    int tickets = 0; // all tickets
    int drawn = 0; // those with a draw
    int won = 0;
    // Over the tickets with a draw only:
    long long staked = 0;
    long long prize = 0;
    long long expectedPrizeMilli = 0; // what the game returns on average for those stakes

    long long profit() const { return prize - staked; }
    friend bool operator==(const LedgerTotals&, const LedgerTotals&) = default;
};

LedgerTotals ledgerTotals(const std::vector<Ticket>& tickets, const std::vector<TicketResult>& results);

// The running 盈亏 after each drawn issue, issues ascending: what was won and
// what the game would have returned on average, less the stakes, summed up to it.
struct ProfitPoint {
    int issue = 0;
    long long profit = 0;
    long long expectedProfitMilli = 0;

    friend bool operator==(const ProfitPoint&, const ProfitPoint&) = default;
};

// Tickets ordered by issue (as the ledger lists them).
std::vector<ProfitPoint> cumulativeProfit(
    const std::vector<Ticket>& tickets, const std::vector<TicketResult>& results);

// Issue keys of the draws (those a history change added or altered), ascending, each once.
std::vector<int> issueKeysOf(const std::vector<DrawRecord>& draws);

// For each of the issues (ascending) that has tickets: "第2026177期：2张投注中奖，奖金1386元"
// or "第2026177期：投注未中奖" (a draw the history lacks is left out), joined by
// "；"; empty when none of them has a ticket.
std::string settlementMessage(
    const std::vector<Ticket>& tickets, const DrawHistory& history, const std::vector<int>& issues);

} // namespace velmora
