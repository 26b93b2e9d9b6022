#include "app/dialogs/BacktestDrawModel.h"

#include "app/UiSupport.h"
#include "core/code/Code.h"
#include "core/filter/FilterUnits.h"

#include <QColor>

namespace velmora {

namespace {

const QColor kHitGreen(0, 128, 0);
const QColor kMissRed(220, 0, 0);
const QColor kHitBackground(226, 244, 226);
const QColor kMissBackground(252, 228, 228);

enum Column { Issue, DrawCode, Kept, Hit, Failed, ColumnCount };

// ✓ and ✗ from one font: the CJK fonts hold ✓ but not ✗, so each mark would be
// drawn in a font of its own, a thin ✓ beside a heavy ✗.
QFont markFont()
{
    QFont font = appFont();
    font.setFamilies({ QStringLiteral("DejaVu Sans"), QStringLiteral("Segoe UI Symbol") });
    return font;
}

} // namespace

BacktestDrawModel::BacktestDrawModel(
    const DrawHistory& history, const std::vector<BacktestDraw>& draws, QObject* parent)
    : QAbstractTableModel(parent)
    , m_history(history)
    , m_draws(draws)
    , m_headers({ QStringLiteral("期号"), QStringLiteral("开奖号"), QStringLiteral("注数"),
          QStringLiteral("命中"), QStringLiteral("未通过的条件") })
    , m_markFont(markFont())
{
}

void BacktestDrawModel::reload()
{
    beginResetModel();
    endResetModel();
}

int BacktestDrawModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_draws.size());
}

int BacktestDrawModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BacktestDrawModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headers.value(section);
    return {};
}

QVariant BacktestDrawModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const BacktestDraw& draw = m_draws[m_draws.size() - 1 - static_cast<std::size_t>(index.row())];
    const int col = index.column();
    if (role == Qt::DisplayRole) {
        const DrawRecord& record = m_history.at(static_cast<std::size_t>(draw.index));
        switch (col) {
        case Issue:
            return toQString(record.issueText());
        case DrawCode:
            return toQString(codeText(record.drawCode));
        case Kept:
            return draw.keptCount;
        case Hit:
            return draw.hit ? QStringLiteral("✓") : QStringLiteral("✗");
        default:
            return toQString(unitNames(draw.failed & draw.active, "、"));
        }
    }
    if (role == Qt::ForegroundRole && col == Hit)
        return draw.hit ? kHitGreen : kMissRed;
    if (role == Qt::BackgroundRole && col == Hit)
        return draw.hit ? kHitBackground : kMissBackground;
    if (role == Qt::FontRole && col == Hit)
        return m_markFont;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(col == Failed ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    return {};
}

} // namespace velmora
