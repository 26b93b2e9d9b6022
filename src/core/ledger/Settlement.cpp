#include "core/ledger/Settlement.h"

#include "core/ledger/TicketText.h"

#include <algorithm>
#include <map>

namespace velmora {

DrawIndex::DrawIndex(const DrawHistory& history)
{
    m_codes.reserve(history.size());
    for (const DrawRecord& draw : history)
        m_codes.emplace_back(draw.issueKey(), draw.drawCode);
    // Stable, so that unique keeps the first record of an issue.
    std::stable_sort(m_codes.begin(), m_codes.end(),
        [](const std::pair<int, int>& a, const std::pair<int, int>& b) { return a.first < b.first; });
    m_codes.erase(
        std::unique(m_codes.begin(), m_codes.end(),
            [](const std::pair<int, int>& a, const std::pair<int, int>& b) { return a.first == b.first; }),
        m_codes.end());
}

int DrawIndex::drawCodeOf(int issueKey) const
{
    const auto at = std::lower_bound(m_codes.begin(), m_codes.end(), issueKey,
        [](const std::pair<int, int>& entry, int key) { return entry.first < key; });
    return at != m_codes.end() && at->first == issueKey ? at->second : -1;
}

TicketResult settle(const Ticket& ticket, const DrawIndex& draws)
{
    TicketResult result;
    const int drawCode = draws.drawCodeOf(ticket.issue);
    if (drawCode < 0)
        return result;
    result.drawCode = drawCode;
    result.status = TicketStatus::Lost;
    // The one bet that could win: the draw code itself, or its group.
    const int candidate = ticket.play == Play::Direct ? drawCode % 1000 : groupOf(drawCode);
    if (!std::binary_search(ticket.bets.begin(), ticket.bets.end(), candidate))
        return result;
    const int prize = betPrize(ticket.play, candidate, drawCode);
    if (prize > 0) {
        result.status = TicketStatus::Won;
        result.winningBets = 1;
        result.prize = static_cast<long long>(prize) * ticket.multiple;
    }
    return result;
}

std::vector<TicketResult> settleTickets(const std::vector<Ticket>& tickets, const DrawHistory& history)
{
    const DrawIndex draws(history);
    std::vector<TicketResult> results;
    results.reserve(tickets.size());
    for (const Ticket& ticket : tickets)
        results.push_back(settle(ticket, draws));
    return results;
}

long long expectedBetPrizeMilli(Play play, int bet)
{
    if (play == Play::Direct)
        return kDirectPrize;
    switch (groupKindOf(bet)) {
    case GroupKind::Six:
        return 6LL * kGroup6Prize;
    case GroupKind::Three:
        return 3LL * kGroup3Prize;
    case GroupKind::Triple:
        break;
    }
    return 0;
}

namespace {

long long expectedTicketPrizeMilli(const Ticket& ticket)
{
    long long sum = 0;
    for (const int bet : ticket.bets)
        sum += expectedBetPrizeMilli(ticket.play, bet);
    return sum * ticket.multiple;
}

} // namespace

LedgerTotals ledgerTotals(const std::vector<Ticket>& tickets, const std::vector<TicketResult>& results)
{
    LedgerTotals totals;
    totals.tickets = static_cast<int>(tickets.size());
    for (std::size_t i = 0; i < tickets.size() && i < results.size(); ++i) {
        if (results[i].status == TicketStatus::Pending)
            continue;
        ++totals.drawn;
        totals.won += results[i].status == TicketStatus::Won ? 1 : 0;
        totals.staked += ticketCost(tickets[i]);
        totals.prize += results[i].prize;
        totals.expectedPrizeMilli += expectedTicketPrizeMilli(tickets[i]);
    }
    return totals;
}

std::vector<ProfitPoint> cumulativeProfit(
    const std::vector<Ticket>& tickets, const std::vector<TicketResult>& results)
{
    std::vector<ProfitPoint> points;
    ProfitPoint running;
    for (std::size_t i = 0; i < tickets.size() && i < results.size(); ++i) {
        if (results[i].status == TicketStatus::Pending)
            continue;
        const long long cost = ticketCost(tickets[i]);
        running.issue = tickets[i].issue;
        running.profit += results[i].prize - cost;
        running.expectedProfitMilli += expectedTicketPrizeMilli(tickets[i]) - 1000 * cost;
        if (!points.empty() && points.back().issue == running.issue)
            points.back() = running;
        else
            points.push_back(running);
    }
    return points;
}

std::vector<int> issueKeysOf(const std::vector<DrawRecord>& draws)
{
    std::vector<int> issues;
    issues.reserve(draws.size());
    for (const DrawRecord& draw : draws)
        issues.push_back(draw.issueKey());
    std::sort(issues.begin(), issues.end());
    issues.erase(std::unique(issues.begin(), issues.end()), issues.end());
    return issues;
}

std::string settlementMessage(
    const std::vector<Ticket>& tickets, const DrawHistory& history, const std::vector<int>& issues)
{
    struct Tally {
        int won = 0;
        long long prize = 0;
    };
    const DrawIndex draws(history);
    std::map<int, Tally> tallies;
    for (const Ticket& ticket : tickets) {
        if (!std::binary_search(issues.begin(), issues.end(), ticket.issue))
            continue;
        const TicketResult result = settle(ticket, draws);
        if (result.status == TicketStatus::Pending)
            continue;
        Tally& tally = tallies[ticket.issue];
        tally.won += result.status == TicketStatus::Won ? 1 : 0;
        tally.prize += result.prize;
    }
    std::string message;
    for (const auto& [issue, tally] : tallies) {
        if (!message.empty())
            message += "；";
        message += "第" + issueKeyText(issue) + "期：";
        message += tally.won > 0
            ? std::to_string(tally.won) + "张投注中奖，奖金" + std::to_string(tally.prize) + "元"
            : std::string("投注未中奖");
    }
    return message;
}

} // namespace velmora
