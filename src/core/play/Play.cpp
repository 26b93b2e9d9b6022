#include "core/play/Play.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

std::array<int, 3> digitsOf(int code)
{
    const int c = ((code % 1000) + 1000) % 1000;
    return { c / 100, c / 10 % 10, c % 10 };
}

} // namespace

int groupOf(int code)
{
    std::array<int, 3> d = digitsOf(code);
    std::sort(d.begin(), d.end());
    return d[0] * 100 + d[1] * 10 + d[2];
}

GroupKind groupKindOf(int code)
{
    const std::array<int, 3> d = digitsOf(code);
    if (d[0] == d[1] && d[1] == d[2])
        return GroupKind::Triple;
    if (d[0] == d[1] || d[1] == d[2] || d[0] == d[2])
        return GroupKind::Three;
    return GroupKind::Six;
}

int betPrize(Play play, int bet, int drawCode)
{
    if (play == Play::Direct)
        return ((bet % 1000) + 1000) % 1000 == ((drawCode % 1000) + 1000) % 1000 ? kDirectPrize : 0;
    if (groupOf(bet) != groupOf(drawCode))
        return 0;
    switch (groupKindOf(drawCode)) {
    case GroupKind::Six:
        return kGroup6Prize;
    case GroupKind::Three:
        return kGroup3Prize;
    case GroupKind::Triple:
        break;
    }
    return 0;
}

TicketOutcome settleTicket(Play play, const std::vector<int>& bets, int multiple, int drawCode)
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

} // namespace velmora
