// The detail pane of 我的投注: everything about one ticket, its codes ten a line with
// the winning one marked.
#pragma once

#include "core/ledger/Settlement.h"
#include "core/ledger/Ticket.h"

#include <QString>

namespace velmora {

// The pane's rich text; the winning bet (if any) bold and in red on the win colour.
QString ticketDetailHtml(const Ticket& ticket, const TicketResult& result);

} // namespace velmora
