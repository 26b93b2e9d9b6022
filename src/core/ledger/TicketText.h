// The ledger's texts: a ticket's bets from a code list, the messages of adding
// and removing, the list and the report as velmora-cli prints them.
#pragma once

#include "core/code/CodeSet.h"
#include "core/ledger/Settlement.h"
#include "core/ledger/Ticket.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr const char* kNoCodesRefusal = "没有号码";
inline constexpr const char* kTicketsListHeader
    = "编号,期号,玩法,注数,倍数,金额,开奖号,状态,中奖注数,奖金,备注,号码";
inline constexpr const char* kTicketsReportHeader = "投注数,已开奖,中奖数,投入,奖金,盈亏,回报率";

// Exactly seven ASCII digits, read as year and issue; nothing for anything else.
std::optional<int> parseIssueKey(std::string_view text);

// "直选" or "组选".
const char* playName(Play play);

// "待开奖", "中奖" or "未中奖".
const char* statusName(TicketStatus status);

// A ticket's bets from the codes of a code list: the codes themselves for 直选,
// their groups (duplicates merged) for 组选, ascending. 豹子 groups cannot be
// bought as 组选: they are left out of bets and listed in tripleGroups.
struct TicketBets {
    std::vector<int> bets;
    std::vector<int> tripleGroups;
};
TicketBets ticketBetsOf(Play play, const CodeSet& codes);

// The refusal of the 豹子 groups: "豹子号码不能按组选投注：000,111".
std::string tripleGroupRefusal(const std::vector<int>& groups);

// Whether a note can be recorded: valid UTF-8 of at most kMaxNoteCharacters characters.
bool isAcceptableNote(std::string_view note);

// The bets as recorded, ascending, joined by one blank: "038 308 380".
std::string betsListText(const std::vector<int>& bets);

// "已记入第ID号投注：YYYYIII期，直选K注，M倍，共X元".
std::string ticketAddedText(const Ticket& ticket);
// "已删除第ID号投注" and "没有第ID号投注"; the id as text, as the user gave it (cut
// for the message, cutForMessage).
std::string ticketRemovedText(const std::string& id);
std::string noSuchTicketText(const std::string& id);

// The list: header, then one CSV line per ticket in the order given (results
// in the same order); every line ends with LF. Every byte is UTF-8: a malformed
// byte of a note is written as U+FFFD.
std::string ticketsListCsv(const std::vector<Ticket>& tickets, const std::vector<TicketResult>& results);
// The report: header and one line of the totals.
std::string ticketsReportCsv(const LedgerTotals& totals);

// The totals for the window: "投入X元，奖金Y元，盈亏Z元，回报率R".
std::string ledgerTotalsText(const LedgerTotals& totals);
// What the game returns on average for the same stakes:
// "长期平均回报率51.9%（同样投入平均返还14.5元）"; the rate "-" when nothing was staked.
std::string longRunReturnText(const LedgerTotals& totals);

// 100·prize/staked as a rate, "-" when nothing was staked.
std::string returnRateText(long long prize, long long staked);

} // namespace velmora
