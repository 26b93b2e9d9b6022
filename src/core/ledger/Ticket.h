// A ticket of the ledger (我的投注): what was bought for one draw. Its outcome is
// never stored; it is worked out from the draw history when asked.
#pragma once

#include "core/play/Play.h"

#include <cstddef>
#include <string>
#include <vector>

namespace velmora {

inline constexpr int kMinMultiple = 1;
inline constexpr int kMaxMultiple = 99;
// The longest note, in characters.
inline constexpr std::size_t kMaxNoteCharacters = 200;

struct Ticket {
    long long id = 0; // given by the ledger, counting up from 1, never reused
    int issue = 0; // year * 1000 + issue within the year (2026177)
    Play play = Play::Direct;
    // Ascending and distinct: the codes of a 直选 ticket, the groups (digits
    // ascending, 38 for "038") of a 组选 ticket.
    std::vector<int> bets;
    int multiple = 1;
    std::string note;
    std::string enteredAt; // local time of entry, "YYYY-MM-DD HH:MM:SS"

    friend bool operator==(const Ticket&, const Ticket&) = default;
};

// What the ticket cost: 2 yuan per bet and multiple.
inline long long ticketCost(const Ticket& ticket)
{
    return static_cast<long long>(kBetPrice) * static_cast<long long>(ticket.bets.size()) * ticket.multiple;
}

// Issues from..to, both ends included.
struct IssueRange {
    int from = 0;
    int to = 9999999;

    bool contains(int issue) const { return issue >= from && issue <= to; }
};

} // namespace velmora
