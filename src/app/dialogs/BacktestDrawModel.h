// The history check's target draws as a table, newest first: 期号, 开奖号, 注数, 命中, 未通过的条件.
#pragma once

#include "core/draw/DrawRecord.h"
#include "core/filter/Backtest.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QStringList>

#include <vector>

namespace velmora {

class BacktestDrawModel : public QAbstractTableModel {
public:
    // Reads history and draws where they stand; reload() after they change.
    BacktestDrawModel(const DrawHistory& history, const std::vector<BacktestDraw>& draws, QObject* parent);

    void reload();

    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const DrawHistory& m_history;
    const std::vector<BacktestDraw>& m_draws;
    QStringList m_headers;
    QFont m_markFont;
};

} // namespace velmora
