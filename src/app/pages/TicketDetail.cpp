#include "app/pages/TicketDetail.h"

#include "app/UiSupport.h"
#include "core/ledger/TicketText.h"

namespace velmora {

QString ticketDetailHtml(const Ticket& ticket, const TicketResult& result)
{
    const bool pending = result.status == TicketStatus::Pending;
    QString html = QStringLiteral("<p><b>第%1号投注</b>　%2期　%3<br>%4注 × %5倍，共%6元<br>")
                       .arg(ticket.id)
                       .arg(toQString(issueKeyText(ticket.issue)), QString::fromUtf8(playName(ticket.play)))
                       .arg(ticket.bets.size())
                       .arg(ticket.multiple)
                       .arg(ticketCost(ticket));
    html += pending
        ? QStringLiteral("待开奖")
        : QStringLiteral("开奖号%1，%2，奖金%3元")
              .arg(toQString(codeText(result.drawCode)), QString::fromUtf8(statusName(result.status)))
              .arg(result.prize);
    if (!ticket.note.empty())
        html += QStringLiteral("<br>备注：") + toQString(ticket.note).toHtmlEscaped();
    html += QStringLiteral("</p><p style=\"font-family: monospace\">");
    for (std::size_t i = 0; i < ticket.bets.size(); ++i) {
        if (i > 0)
            html += i % 10 == 0 ? QStringLiteral("<br>") : QStringLiteral(" ");
        const QString code = toQString(codeText(ticket.bets[i]));
        const bool wins = !pending && betPrize(ticket.play, ticket.bets[i], result.drawCode) > 0;
        html += wins ? QStringLiteral("<span style=\"font-weight: bold; color: #c00000; background-color: "
                                      "#ffecb3\">%1</span>")
                           .arg(code)
                     : code;
    }
    return html + QStringLiteral("</p>");
}

} // namespace velmora
