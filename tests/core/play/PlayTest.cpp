#include "core/play/Play.h"
#include "core/play/SettleReference.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(Play, GroupsAndKinds)
{
    const struct {
        int code;
        int group;
        GroupKind kind;
    } rows[] = {
        { 830, 38, GroupKind::Six },
        { 38, 38, GroupKind::Six },
        { 121, 112, GroupKind::Three },
        { 900, 9, GroupKind::Three },
        { 0, 0, GroupKind::Triple },
        { 777, 777, GroupKind::Triple },
    };
    for (const auto& r : rows) {
        EXPECT_EQ(groupOf(r.code), r.group) << r.code;
        EXPECT_EQ(groupKindOf(r.code), r.kind) << r.code;
    }
}

TEST(Play, BetPrizes)
{
    const struct {
        const char* name;
        Play play;
        int bet;
        int draw;
        int prize;
    } rows[] = {
        { "direct hit", Play::Direct, 38, 38, 1040 },
        { "direct, same group", Play::Direct, 830, 38, 0 },
        { "direct on a triple", Play::Direct, 555, 555, 1040 },
        { "group six, any order", Play::Group, 830, 308, 173 },
        { "group six, the draw itself", Play::Group, 38, 38, 173 },
        { "group three", Play::Group, 121, 211, 346 },
        { "group three, the pair first (112)", Play::Group, 211, 112, 346 },
        { "direct on a 112 draw", Play::Direct, 112, 112, 1040 },
        { "group three, other pair", Play::Group, 112, 122, 0 },
        { "group on a triple draw", Play::Group, 555, 555, 0 },
        { "group, other digits", Play::Group, 123, 124, 0 },
    };
    for (const auto& r : rows)
        EXPECT_EQ(betPrize(r.play, r.bet, r.draw), r.prize) << r.name;
}

TEST(Play, SettleTicketCountsEveryWinningBetTimesMultiple)
{
    const struct {
        const char* name;
        Play play;
        std::vector<int> bets;
        int multiple;
        int draw;
        int winning;
        long long prize;
    } rows[] = {
        { "no bets", Play::Direct, {}, 5, 123, 0, 0 },
        { "direct, one of three wins", Play::Direct, { 123, 321, 456 }, 1, 123, 1, 1040 },
        { "direct, multiple 99", Play::Direct, { 123 }, 99, 123, 1, 102960 },
        { "group six, multiple 3", Play::Group, { 321, 789 }, 3, 213, 1, 519 },
        { "group three, multiple 2", Play::Group, { 112 }, 2, 121, 1, 692 },
        { "group, triple draw wins nothing", Play::Group, { 111, 112 }, 10, 111, 0, 0 },
        { "the same bet twice wins twice", Play::Group, { 123, 321 }, 1, 231, 2, 346 },
    };
    for (const auto& r : rows) {
        const test::TicketOutcome outcome = test::settleTicket(r.play, r.bets, r.multiple, r.draw);
        EXPECT_EQ(outcome.winningBets, r.winning) << r.name;
        EXPECT_EQ(outcome.prize, r.prize) << r.name;
    }
}
