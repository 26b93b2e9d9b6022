#include "app/dialogs/BacktestUnitModel.h"

#include "app/UiSupport.h"
#include "core/filter/FilterUnits.h"
#include "core/io/TextFormat.h"

#include <QColor>

namespace velmora {

namespace {

enum Column { Unit, Checked, Passed, Rate, CurrentFailRun, LongestFailRun, ColumnCount };

} // namespace

BacktestUnitModel::BacktestUnitModel(const std::vector<BacktestUnitStats>& units, QObject* parent)
    : QAbstractTableModel(parent)
    , m_units(units)
    , m_headers({ QStringLiteral("条件"), QStringLiteral("验证期数"), QStringLiteral("通过期数"),
          QStringLiteral("通过率"), QStringLiteral("当前连续未通过"), QStringLiteral("最大连续未通过") })
{
}

void BacktestUnitModel::reload()
{
    beginResetModel();
    endResetModel();
}

int BacktestUnitModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_units.size());
}

int BacktestUnitModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BacktestUnitModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headers.value(section);
    return {};
}

QVariant BacktestUnitModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const BacktestUnitStats& s = m_units[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            index.column() == Unit ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    // A condition that is failing now stands out.
    if (role == Qt::ForegroundRole && index.column() == CurrentFailRun && s.currentFailRun > 0)
        return QColor(220, 0, 0);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Unit:
        return toQString(std::string(unitName(s.unit)));
    case Checked:
        return s.checked;
    case Passed:
        return s.passed;
    case Rate:
        return toQString(formatRate(s.passed, s.checked));
    case CurrentFailRun:
        return s.currentFailRun;
    default:
        return s.longestFailRun;
    }
}

} // namespace velmora
