// The history check's units as a table: 条件, 验证期数, 通过期数, 通过率, 当前连续未通过, 最大连续未通过.
#pragma once

#include "core/filter/Backtest.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace velmora {

class BacktestUnitModel : public QAbstractTableModel {
public:
    // Reads units where they stand; reload() after they change.
    BacktestUnitModel(const std::vector<BacktestUnitStats>& units, QObject* parent);

    void reload();

    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const std::vector<BacktestUnitStats>& m_units;
    QStringList m_headers;
};

} // namespace velmora
