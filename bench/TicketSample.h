// 10,000 sample tickets on the real history, and a ledger file holding them, for
// the settling benchmarks.
#pragma once

#include "core/code/Code.h"
#include "core/ledger/Ledger.h"
#include "core/ledger/Settlement.h"
#include "core/ledger/TicketText.h"

#include <random>
#include <string>
#include <vector>

namespace velmora::bench {

inline constexpr int kSampleTicketCount = 10000;

// Tickets on the latest issues of the history and a few to come: 直选 and 组选,
// 1 to 50 bets, multiples 1 to 10.
inline std::vector<Ticket> sampleTickets(const DrawHistory& history)
{
    std::mt19937 random(2026);
    std::vector<Ticket> tickets;
    for (int n = 0; n < kSampleTicketCount; ++n) {
        Ticket t;
        const std::size_t back = random() % 1200;
        t.issue = back < history.size() ? history[history.size() - 1 - back].issueKey() : 2099001;
        t.play = random() % 3 == 0 ? Play::Group : Play::Direct;
        // 豹子 alone make no 组选 bet: such a draw of codes is drawn again.
        while (t.bets.empty()) {
            CodeSet codes;
            for (int k = 1 + static_cast<int>(random() % 50); k > 0; --k)
                codes[static_cast<int>(random() % 1000)] = 1;
            t.bets = ticketBetsOf(t.play, codes).bets;
        }
        t.multiple = 1 + static_cast<int>(random() % 10);
        tickets.push_back(std::move(t));
    }
    return tickets;
}

// Makes the ledger at path and puts the sample tickets into it as one
// transaction; false when they are not all there afterwards.
inline bool writeSampleLedger(const std::string& path, const DrawHistory& history)
{
    Ledger(path).addTickets(game3d(), sampleTickets(history));
    return readLedger(path, game3d()).size() == kSampleTicketCount;
}

} // namespace velmora::bench
