// Settling tickets on the history, the totals and the texts of the ledger.
#include "core/ledger/Settlement.h"
#include "core/ledger/TicketText.h"
#include "core/play/SettleReference.h"

#include <gtest/gtest.h>
#include <random>

using namespace velmora;

namespace {

DrawRecord Draw(int issueKey, int drawCode)
{
    return { issueKey / 1000, issueKey % 1000, 0, drawCode, 0, 0 };
}

Ticket MakeTicket(long long id, int issue, Play play, std::vector<int> bets, int multiple = 1)
{
    Ticket t;
    t.id = id;
    t.issue = issue;
    t.play = play;
    t.bets = std::move(bets);
    t.multiple = multiple;
    return t;
}

} // namespace

TEST(Settlement, TicketRows)
{
    // 2026001 组六 830, 2026002 组三 121, 2026003 豹子 111, 2026005 drew 000, 2026006 组三
    // 112; 2026004 is not drawn. A second record of 2026001 does not count.
    const DrawHistory history = { Draw(2026001, 830), Draw(2026002, 121), Draw(2026003, 111),
        Draw(2026001, 123), Draw(2026005, 0), Draw(2026006, 112) };
    const DrawIndex draws(history);
    const struct {
        Play play;
        int issue;
        std::vector<int> bets;
        int multiple;
        TicketResult expected;
    } rows[] = {
        { Play::Direct, 2026001, { 123, 830 }, 1, { TicketStatus::Won, 830, 1, 1040 } },
        { Play::Direct, 2026001, { 38, 308 }, 5, { TicketStatus::Lost, 830, 0, 0 } },
        { Play::Group, 2026001, { 38 }, 2, { TicketStatus::Won, 830, 1, 346 } },
        { Play::Group, 2026002, { 112, 345 }, 3, { TicketStatus::Won, 121, 1, 1038 } },
        { Play::Group, 2026002, { 122 }, 1, { TicketStatus::Lost, 121, 0, 0 } },
        { Play::Direct, 2026003, { 111 }, 99, { TicketStatus::Won, 111, 1, 102960 } },
        { Play::Group, 2026003, { 11, 111 }, 1, { TicketStatus::Lost, 111, 0, 0 } },
        { Play::Direct, 2026004, { 123 }, 1, { TicketStatus::Pending, -1, 0, 0 } },
        { Play::Direct, 2026005, { 1, 10 }, 1, { TicketStatus::Lost, 0, 0, 0 } },
        { Play::Direct, 2026005, { 0 }, 1, { TicketStatus::Won, 0, 1, 1040 } },
        { Play::Group, 2026006, { 112 }, 2, { TicketStatus::Won, 112, 1, 692 } },
        { Play::Direct, 2026006, { 112, 121 }, 1, { TicketStatus::Won, 112, 1, 1040 } },
    };
    for (const auto& row : rows)
        EXPECT_EQ(settle(MakeTicket(1, row.issue, row.play, row.bets, row.multiple), draws), row.expected)
            << row.issue << " " << row.bets.front();
}

TEST(Settlement, AgreesWithSettlingEveryBet)
{
    std::mt19937 random(20260177);
    DrawHistory history;
    for (int i = 0; i < 300; ++i)
        history.push_back(
            Draw(2026001 + static_cast<int>(random() % 400), static_cast<int>(random() % 1000)));
    const DrawIndex draws(history);
    for (int n = 0; n < 3000; ++n) {
        const Play play = random() % 2 == 0 ? Play::Direct : Play::Group;
        CodeSet codes;
        for (int k = 1 + static_cast<int>(random() % 30); k > 0; --k)
            codes[static_cast<int>(random() % 1000)] = 1;
        const Ticket ticket = MakeTicket(n, 2026001 + static_cast<int>(random() % 450), play,
            ticketBetsOf(play, codes).bets, 1 + static_cast<int>(random() % 99));
        int drawCode = -1;
        for (const DrawRecord& d : history)
            if (d.issueKey() == ticket.issue) {
                drawCode = d.drawCode;
                break;
            }
        const TicketResult result = settle(ticket, draws);
        ASSERT_EQ(result.drawCode, drawCode);
        if (drawCode < 0)
            continue;
        const test::TicketOutcome plain
            = test::settleTicket(ticket.play, ticket.bets, ticket.multiple, drawCode);
        ASSERT_EQ(result.winningBets, plain.winningBets);
        ASSERT_EQ(result.prize, plain.prize);
        ASSERT_EQ(result.status, plain.winningBets > 0 ? TicketStatus::Won : TicketStatus::Lost);
    }
}

TEST(Settlement, TotalsProfitChangedDrawsAndMessage)
{
    const DrawHistory after = { Draw(2026001, 830), Draw(2026002, 122), Draw(2026003, 555) };
    const std::vector<Ticket> tickets = {
        MakeTicket(1, 2026001, Play::Direct, { 830 }), // won 1040, cost 2
        MakeTicket(2, 2026002, Play::Group, { 122, 345 }, 2), // won 692, cost 8
        MakeTicket(3, 2026002, Play::Direct, { 212 }, 1), // lost, cost 2
        MakeTicket(4, 2026003, Play::Direct, { 1, 2, 3 }, 1), // lost, cost 6
        MakeTicket(5, 2026009, Play::Direct, { 1 }, 1), // pending
    };
    const std::vector<TicketResult> results = settleTickets(tickets, after);
    const LedgerTotals totals = ledgerTotals(tickets, results);
    // Expected prize, thousandths: 1040 + 2 × (3·346 + 6·173) + 1040 + 3 × 1040.
    EXPECT_EQ(totals, (LedgerTotals { 5, 4, 2, 18, 1732, 9352 }));
    EXPECT_EQ(
        ticketsReportCsv(totals), "投注数,已开奖,中奖数,投入,奖金,盈亏,回报率\n5,4,2,18,1732,1714,9622.2%\n");
    EXPECT_EQ(ledgerTotalsText(totals), "投入18元，奖金1732元，盈亏1714元，回报率9622.2%");
    // 9352 thousandths of 18 yuan.
    EXPECT_EQ(longRunReturnText(totals), "长期平均回报率52.0%（同样投入平均返还9.4元）");
    EXPECT_EQ(longRunReturnText({}), "长期平均回报率-（同样投入平均返还0.0元）");
    EXPECT_EQ(ticketsReportCsv({}), "投注数,已开奖,中奖数,投入,奖金,盈亏,回报率\n0,0,0,0,0,0,-\n");
    EXPECT_EQ(cumulativeProfit(tickets, results),
        (std::vector<ProfitPoint> {
            { 2026001, 1038, -960 }, { 2026002, 1720, -5768 }, { 2026003, 1714, -8648 } }));

    // 2026002 changed, 2026003 is new; 2026004 has no tickets.
    const std::vector<int> changed = issueKeysOf({ after[2], after[1], after[1] });
    EXPECT_EQ(changed, (std::vector<int> { 2026002, 2026003 }));
    EXPECT_EQ(settlementMessage(tickets, after, changed),
        "第2026002期：1张投注中奖，奖金692元；第2026003期：投注未中奖");
    EXPECT_EQ(settlementMessage(tickets, after, { 2026004 }), "");
}

TEST(TicketText, BetsRefusalsAndList)
{
    CodeSet codes;
    for (const int code : { 830, 38, 308, 111, 222, 121 })
        codes[code] = 1;
    EXPECT_EQ(ticketBetsOf(Play::Direct, codes).bets, (std::vector<int> { 38, 111, 121, 222, 308, 830 }));
    const TicketBets groups = ticketBetsOf(Play::Group, codes);
    EXPECT_EQ(groups.bets, (std::vector<int> { 38, 112 }));
    EXPECT_EQ(tripleGroupRefusal(groups.tripleGroups), "豹子号码不能按组选投注：111,222");

    Ticket ticket = MakeTicket(12, 2026007, Play::Group, { 38, 112 }, 3);
    EXPECT_EQ(ticketAddedText(ticket), "已记入第12号投注：2026007期，组选2注，3倍，共12元");
    ticket.note = "a,\"b\"";
    EXPECT_EQ(ticketsListCsv({ ticket, ticket }, { { TicketStatus::Won, 83, 1, 519 }, {} }),
        "编号,期号,玩法,注数,倍数,金额,开奖号,状态,中奖注数,奖金,备注,号码\n"
        "12,2026007,组选,2,3,12,083,中奖,1,519,\"a,\"\"b\"\"\",038 112\n"
        "12,2026007,组选,2,3,12,,待开奖,,,\"a,\"\"b\"\"\",038 112\n");

    const struct {
        const char* name;
        std::string note;
        bool acceptable;
    } notes[] = {
        { "empty", "", true },
        { "200 characters", std::string(200, 'n'), true },
        { "201 characters", std::string(201, 'n'), false },
        { "malformed UTF-8", "a\xff", false },
        { "truncated sequence", "\xe6\xb3", false },
    };
    for (const auto& row : notes)
        EXPECT_EQ(isAcceptableNote(row.note), row.acceptable) << row.name;
    std::string chinese;
    for (int i = 0; i < 200; ++i)
        chinese += "注";
    EXPECT_TRUE(isAcceptableNote(chinese));
    EXPECT_FALSE(isAcceptableNote(chinese + "x"));

    EXPECT_EQ(parseIssueKey("2026007"), 2026007);
    for (const char* bad : { "", "202607", "20260071", "2026a07", " 2026007" })
        EXPECT_EQ(parseIssueKey(bad), std::nullopt) << bad;
}
