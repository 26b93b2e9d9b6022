// Play types, groups and prizes: what a bet on a code or a group wins on a draw.
#pragma once

#include <vector>

namespace velmora {

// 直选 bets a code in its order; 组选 bets a group (the digits in any order).
enum class Play { Direct, Group };

// One bet (注) costs 2 yuan; the prizes are per bet and per multiple.
inline constexpr int kBetPrice = 2;
inline constexpr int kDirectPrize = 1040;
inline constexpr int kGroup3Prize = 346;
inline constexpr int kGroup6Prize = 173;

// What a group holds: three different digits (组六, 6 codes), exactly two equal
// (组三, 3 codes), three equal (豹子, 1 code).
enum class GroupKind { Six, Three, Triple };

// The group of a code: its digits ascending, as a code (830 -> 38, written "038").
// Codes outside 0..999 are read by their last three digits.
int groupOf(int code);

// The kind of the code's group.
GroupKind groupKindOf(int code);

// The prize of one bet of one multiple on the draw code: for Direct the bet is a
// code and wins kDirectPrize when it equals the draw; for Group the bet is read as
// a group and wins kGroup3Prize or kGroup6Prize when the draw is 组三 or 组六 of
// that group. A 豹子 draw wins no 组选 bet. 0 when the bet does not win.
int betPrize(Play play, int bet, int drawCode);

// A ticket's outcome on one draw: the bets that won and the prize, multiple included.
struct TicketOutcome {
    int winningBets = 0;
    long long prize = 0;
};

// Settles a ticket (its bets as given, each counted once per multiple) on the draw code.
TicketOutcome settleTicket(Play play, const std::vector<int>& bets, int multiple, int drawCode);

} // namespace velmora
