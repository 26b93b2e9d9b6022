#include "app/pages/TicketTableModel.h"

#include "app/UiSupport.h"
#include "core/code/Code.h"
#include "core/ledger/TicketText.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <algorithm>

namespace velmora {

namespace {

const char* const kHeaders[TicketTableModel::ColumnCount]
    = { "编号", "期号", "玩法", "号码", "注数", "倍数", "金额", "开奖号", "状态", "奖金", "备注" };

// As many codes as a wide column shows; the rest is in the tool tip.
constexpr std::size_t kShownCodes = 12;

QString betsText(const Ticket& ticket, std::size_t limit, int perLine)
{
    QString text;
    const std::size_t shown = std::min(limit, ticket.bets.size());
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0)
            text += perLine > 0 && i % static_cast<std::size_t>(perLine) == 0 ? QLatin1Char('\n')
                                                                              : QLatin1Char(',');
        text += toQString(codeText(ticket.bets[i]));
    }
    if (shown < ticket.bets.size())
        text += QStringLiteral("…");
    return text;
}

} // namespace

TicketTableModel::TicketTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void TicketTableModel::setTickets(std::vector<Ticket> tickets, std::vector<TicketResult> results)
{
    beginResetModel();
    m_tickets = std::move(tickets);
    m_results = std::move(results);
    m_results.resize(m_tickets.size());
    endResetModel();
}

const Ticket& TicketTableModel::ticketAt(int row) const
{
    return m_tickets.at(m_tickets.size() - 1 - static_cast<std::size_t>(row));
}

const TicketResult& TicketTableModel::resultAt(int row) const
{
    return m_results.at(m_results.size() - 1 - static_cast<std::size_t>(row));
}

int TicketTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_tickets.size());
}

int TicketTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TicketTableModel::displayText(const Ticket& ticket, const TicketResult& result, int column) const
{
    const bool pending = result.status == TicketStatus::Pending;
    switch (column) {
    case Id:
        return QString::number(ticket.id);
    case Issue:
        return toQString(issueKeyText(ticket.issue));
    case PlayColumn:
        return QString::fromUtf8(playName(ticket.play));
    case Numbers:
        return betsText(ticket, kShownCodes, 0);
    case Bets:
        return QString::number(ticket.bets.size());
    case Multiple:
        return QString::number(ticket.multiple);
    case Cost:
        return QString::number(ticketCost(ticket));
    case DrawCode:
        return pending ? QString() : toQString(codeText(result.drawCode));
    case Status:
        return QString::fromUtf8(statusName(result.status));
    case Prize:
        return pending ? QString() : QString::number(result.prize);
    case Note:
        return toQString(ticket.note);
    default:
        return {};
    }
}

QVariant TicketTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const std::size_t at = m_tickets.size() - 1 - static_cast<std::size_t>(index.row());
    const Ticket& ticket = m_tickets[at];
    const TicketResult& result = m_results[at];
    const bool won = result.status == TicketStatus::Won;
    switch (role) {
    case Qt::DisplayRole:
        return displayText(ticket, result, index.column());
    case Qt::BackgroundRole:
        return won ? QVariant(QBrush(QColor(0xff, 0xec, 0xb3))) : QVariant();
    case Qt::ForegroundRole:
        return won && (index.column() == Status || index.column() == Prize)
            ? QVariant(QBrush(QColor(0xc0, 0, 0)))
            : QVariant();
    case Qt::ToolTipRole:
        return index.column() == Numbers ? QVariant(betsText(ticket, ticket.bets.size(), 10)) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == Note || index.column() == Numbers
            ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
            : QVariant(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant TicketTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(kHeaders[section]) : QVariant();
}

} // namespace velmora
