// The straightforward settlement of one ticket on one draw, the reference the ledger's
// settlement is compared with.
#pragma once

#include "core/play/Play.h"

#include <vector>

namespace velmora::test {

struct TicketOutcome {
    int winningBets = 0;
    long long prize = 0;
};

// Every bet as given, each prize counted once per multiple.
inline TicketOutcome settleTicket(Play play, const std::vector<int>& bets, int multiple, int drawCode)
{
    TicketOutcome outcome;
    for (const int bet : bets) {
        const int prize = betPrize(play, bet, drawCode);
        if (prize > 0) {
            ++outcome.winningBets;
            outcome.prize += static_cast<long long>(prize) * multiple;
        }
    }
    return outcome;
}

} // namespace velmora::test
