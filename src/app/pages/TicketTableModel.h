// The tickets of 我的投注 as a table: 编号, 期号, 玩法, 号码, 注数, 倍数, 金额, 开奖号,
// 状态, 奖金, 备注; newest issue first (and, within an issue, the latest entered
// first); the rows of winning tickets are marked. 号码 shows the first codes, its
// tool tip all of them.
#pragma once

#include "core/ledger/Settlement.h"
#include "core/ledger/Ticket.h"

#include <QAbstractTableModel>

#include <vector>

namespace velmora {

class TicketTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Id,
        Issue,
        PlayColumn,
        Numbers,
        Bets,
        Multiple,
        Cost,
        DrawCode,
        Status,
        Prize,
        Note,
        ColumnCount
    };

    explicit TicketTableModel(QObject* parent = nullptr);

    // Tickets as the ledger lists them (issue, then id ascending) with their results.
    void setTickets(std::vector<Ticket> tickets, std::vector<TicketResult> results);
    // The ticket shown in the row, and its outcome.
    const Ticket& ticketAt(int row) const;
    const TicketResult& resultAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant displayText(const Ticket& ticket, const TicketResult& result, int column) const;

    // In the ledger's order; row r shows entry size() - 1 - r.
    std::vector<Ticket> m_tickets;
    std::vector<TicketResult> m_results;
};

} // namespace velmora
