// Play types, groups and prizes: what a bet on a code or a group wins on a draw.
#pragma once

#include "core/code/Code.h"

namespace velmora {

// 直选 bets a code in its order; 组选 bets a group (the digits in any order).
enum class Play { Direct, Group };

// One bet (注) costs 2 yuan; the prizes are per bet and per multiple.
inline constexpr int kBetPrice = 2;
inline constexpr int kDirectPrize = 1040;
inline constexpr int kGroup3Prize = 346;
inline constexpr int kGroup6Prize = 173;

// The prize of one bet of one multiple on the draw code: for Direct the bet is a
// code and wins kDirectPrize when it equals the draw; for Group the bet is read as
// a group and wins kGroup3Prize or kGroup6Prize when the draw is 组三 or 组六 of
// that group. A 豹子 draw wins no 组选 bet. 0 when the bet does not win.
int betPrize(Play play, int bet, int drawCode);

} // namespace velmora
