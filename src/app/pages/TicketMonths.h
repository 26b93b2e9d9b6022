// The monthly totals beside the plot of 我的投注. The draws carry no dates, so a
// ticket counts in the month it was entered (bought): a 追号 of next month's issues
// counts where its money was spent.
#pragma once

#include "core/ledger/Settlement.h"
#include "core/ledger/Ticket.h"

#include <string>
#include <vector>

namespace velmora {

struct MonthTotals {
    std::string month; // "2026-05"
    LedgerTotals totals;
};

// The totals of each month that has tickets, newest month first; tickets and results
// in the same order.
std::vector<MonthTotals> monthlyTotals(
    const std::vector<Ticket>& tickets, const std::vector<TicketResult>& results);

} // namespace velmora
