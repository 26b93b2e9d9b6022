#include "core/ledger/TicketText.h"

#include "core/code/Code.h"
#include "core/io/TextFormat.h"
#include "core/io/Utf8.h"

namespace velmora {

std::optional<int> parseIssueKey(std::string_view text)
{
    if (text.size() != 7 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return std::stoi(std::string(text));
}

const char* playName(Play play) { return play == Play::Direct ? "直选" : "组选"; }

const char* statusName(TicketStatus status)
{
    switch (status) {
    case TicketStatus::Won:
        return "中奖";
    case TicketStatus::Lost:
        return "未中奖";
    case TicketStatus::Pending:
        break;
    }
    return "待开奖";
}

TicketBets ticketBetsOf(Play play, const CodeSet& codes)
{
    CodeSet bets;
    for (int code = 0; code < CodeSet::kSize; ++code)
        if (codes.has(code))
            bets[play == Play::Direct ? code : groupOf(code)] = 1;
    TicketBets result;
    for (int bet = 0; bet < CodeSet::kSize; ++bet) {
        if (!bets.has(bet))
            continue;
        if (play == Play::Group && groupKindOf(bet) == GroupKind::Triple)
            result.tripleGroups.push_back(bet);
        else
            result.bets.push_back(bet);
    }
    return result;
}

std::string tripleGroupRefusal(const std::vector<int>& groups)
{
    std::string text = "豹子号码不能按组选投注：";
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (i > 0)
            text += ',';
        text += codeText(groups[i]);
    }
    return text;
}

bool isAcceptableNote(std::string_view note)
{
    return isValidUtf8(note) && utf8CharacterCount(note) <= kMaxNoteCharacters;
}

std::string betsListText(const std::vector<int>& bets)
{
    std::string text;
    for (const int bet : bets) {
        if (!text.empty())
            text += ' ';
        text += codeText(bet);
    }
    return text;
}

std::string ticketAddedText(const Ticket& ticket)
{
    return "已记入第" + std::to_string(ticket.id) + "号投注：" + issueKeyText(ticket.issue) + "期，"
        + playName(ticket.play) + std::to_string(ticket.bets.size()) + "注，"
        + std::to_string(ticket.multiple) + "倍，共" + std::to_string(ticketCost(ticket)) + "元";
}

std::string ticketRemovedText(const std::string& id) { return "已删除第" + cutForMessage(id) + "号投注"; }

std::string noSuchTicketText(const std::string& id) { return "没有第" + cutForMessage(id) + "号投注"; }

std::string returnRateText(long long prize, long long staked)
{
    return staked > 0 ? formatRate(prize, staked) : "-";
}

std::string ledgerTotalsText(const LedgerTotals& totals)
{
    return "投入" + std::to_string(totals.staked) + "元，奖金" + std::to_string(totals.prize) + "元，盈亏"
        + std::to_string(totals.profit()) + "元，回报率" + returnRateText(totals.prize, totals.staked);
}

std::string longRunReturnText(const LedgerTotals& totals)
{
    return "长期平均回报率" + returnRateText(totals.expectedPrizeMilli, 1000 * totals.staked)
        + "（同样投入平均返还" + formatAverage(totals.expectedPrizeMilli, 1000) + "元）";
}

std::string ticketsListCsv(const std::vector<Ticket>& tickets, const std::vector<TicketResult>& results)
{
    std::string csv = std::string(kTicketsListHeader) + '\n';
    for (std::size_t i = 0; i < tickets.size() && i < results.size(); ++i) {
        const Ticket& t = tickets[i];
        const TicketResult& r = results[i];
        const bool pending = r.status == TicketStatus::Pending;
        csv += std::to_string(t.id) + ',' + issueKeyText(t.issue) + ',' + playName(t.play) + ','
            + std::to_string(t.bets.size()) + ',' + std::to_string(t.multiple) + ','
            + std::to_string(ticketCost(t)) + ',' + (pending ? std::string() : codeText(r.drawCode)) + ','
            + statusName(r.status) + ',' + (pending ? std::string() : std::to_string(r.winningBets)) + ','
            + (pending ? std::string() : std::to_string(r.prize)) + ',' + csvField(replaceInvalidUtf8(t.note))
            + ',' + csvField(betsListText(t.bets)) + '\n';
    }
    return csv;
}

std::string ticketsReportCsv(const LedgerTotals& totals)
{
    return std::string(kTicketsReportHeader) + '\n' + std::to_string(totals.tickets) + ','
        + std::to_string(totals.drawn) + ',' + std::to_string(totals.won) + ','
        + std::to_string(totals.staked) + ',' + std::to_string(totals.prize) + ','
        + std::to_string(totals.profit()) + ',' + returnRateText(totals.prize, totals.staked) + '\n';
}

} // namespace velmora
