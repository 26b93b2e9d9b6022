#include "app/pages/TicketMonths.h"

#include <algorithm>
#include <map>

namespace velmora {

std::vector<MonthTotals> monthlyTotals(
    const std::vector<Ticket>& tickets, const std::vector<TicketResult>& results)
{
    // Each month's tickets and results, then their totals as the range's are worked out.
    std::map<std::string, std::pair<std::vector<Ticket>, std::vector<TicketResult>>, std::greater<>> months;
    for (std::size_t i = 0; i < tickets.size() && i < results.size(); ++i) {
        auto& [monthTickets, monthResults] = months[tickets[i].enteredAt.substr(0, 7)];
        monthTickets.push_back(tickets[i]);
        monthResults.push_back(results[i]);
    }
    std::vector<MonthTotals> totals;
    totals.reserve(months.size());
    for (const auto& [month, entries] : months)
        totals.push_back({ month, ledgerTotals(entries.first, entries.second) });
    return totals;
}

} // namespace velmora
