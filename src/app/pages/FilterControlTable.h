// The controls of the filter page as one table: each control's widget kind, place
// and captions, and the condition it sets. What a condition is (its range, its
// key, where it lives in the record) is the condition table's (ConditionFields.h).
#pragma once

#include "core/filter/ConditionFields.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace velmora {

// The panel or group box a control stands in.
enum class FilterArea { RecentPanel, RangeBox, RatioBox, HitBox, LimitBox, ShapeBox };

enum class ControlKind {
    Checks, // a multi-check row: one flag per item
    Text, // a line edit: the text as it stands
    Banker, // a banker list: "N" and the digits, its item index
    Digit, // a digit spin edit: its value
};

struct FilterControlEntry {
    // The control's object name, which names its condition.
    QString name;
    ControlKind kind = ControlKind::Checks;
    FilterArea area = FilterArea::RecentPanel;
    // In the area's coordinates; a multi-check row takes its size from its items.
    QRect geometry;
    // Multi-check rows: the item captions, caption width and columns.
    QStringList captions;
    int capWidth = 0;
    int cols = 0;
    // The caption label to the control's left, if any, and where it stands.
    QString label;
    QRect labelGeometry;
    // For a digit-position row (0 hundreds .. 2 units): its "全选" and "清除" buttons
    // follow it; -1 otherwise.
    int position = -1;
    // The condition the control sets (ConditionFields.h) and its place in it: the
    // row of a repeated condition, or the banker combo.
    Condition condition = Condition::RecentDraw;
    int place = 0;
    // A multi-check row of a pair count's digits rather than of its counts.
    bool digitsPart = false;
    // Items of a multi-check row no code can have: shown disabled with the tip,
    // while a scheme or setConditions may still check them.
    QList<int> disabledItems;
    QString disabledTip;

    // Where the control's value lives in the record.
    ConditionSlot slot(FilterConditions& record) const
    {
        return conditionField(condition).slot(record, place);
    }
};

// Every control of the page, in the order the Tab key walks them (reading order).
const std::vector<FilterControlEntry>& filterControlEntries();

// The control a entry describes, named and placed in parent.
QWidget* makeFilterControl(const FilterControlEntry& entry, QWidget* parent);
// Copies the control's state into the record's field.
void readFilterControl(const FilterControlEntry& entry, const QWidget* control, const ConditionSlot& slot);
// Sets the control from the record's field (a digit as typed, even outside 0..9).
void writeFilterControl(const FilterControlEntry& entry, QWidget* control, const ConditionSlot& slot);

} // namespace velmora
