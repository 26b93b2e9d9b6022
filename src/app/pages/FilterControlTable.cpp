#include "app/pages/FilterControlTable.h"

#include "app/UiSupport.h"
#include "core/code/Code.h"
#include "widgets/DigitSpinEdit.h"
#include "widgets/MultiCheck.h"

#include <QComboBox>
#include <QLineEdit>

#include <array>

namespace velmora {

namespace {

// The numbers of the condition's range, zero-filled to the width.
QStringList numberCaptions(Condition condition, int width)
{
    const ConditionField& field = conditionField(condition);
    QStringList captions;
    for (int i = field.lo; i <= field.hi; ++i)
        captions << QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'));
    return captions;
}

FilterControlEntry checks(QString name, FilterArea area, QPoint at, QStringList captions, int capWidth,
    int cols, Condition condition, int place = 0)
{
    FilterControlEntry entry;
    entry.name = std::move(name);
    entry.kind = ControlKind::Checks;
    entry.area = area;
    entry.geometry = QRect(at, QSize());
    entry.captions = std::move(captions);
    entry.capWidth = capWidth;
    entry.cols = cols;
    entry.condition = condition;
    entry.place = place;
    return entry;
}

FilterControlEntry edit(
    QString name, ControlKind kind, FilterArea area, QRect geometry, Condition condition, int place = 0)
{
    FilterControlEntry entry;
    entry.name = std::move(name);
    entry.kind = kind;
    entry.area = area;
    entry.geometry = geometry;
    entry.condition = condition;
    entry.place = place;
    return entry;
}

FilterControlEntry labelled(FilterControlEntry entry, QString label, QRect labelGeometry)
{
    entry.label = std::move(label);
    entry.labelGeometry = labelGeometry;
    return entry;
}

// "形态条件：" below the two columns: on the left the rows of ten digits (跨度,
// 最小/中间/最大值, 两码和, 两码差 with their counts), on the right 质合比例 and the
// binary position shapes, and 012路形态 across the box at the bottom.
void addShapeEntries(std::vector<FilterControlEntry>& entries, const QStringList& ratios)
{
    const auto row
        = [&entries](const QString& name, const QString& label, int x, int top, const QStringList& captions,
              int capWidth, int cols, Condition condition, int labelWidth = 64) {
              entries.push_back(labelled(checks(name, FilterArea::ShapeBox, QPoint(x + labelWidth, top),
                                             captions, capWidth, cols, condition),
                  label, QRect(x, top, labelWidth, 20)));
              return &entries.back();
          };
    const QStringList digits = numberCaptions(Condition::Spans, 1);
    const QStringList pairCounts
        = { QStringLiteral("0对"), QStringLiteral("1对"), QStringLiteral("2对"), QStringLiteral("3对") };
    QStringList binary;
    for (int i = 0; i < 8; ++i)
        binary << toQString(shapeText(conditionField(Condition::OddShapes), i));
    QStringList routes;
    for (int i = 0; i < 27; ++i)
        routes << toQString(shapeText(conditionField(Condition::RouteShapes), i));

    row(QStringLiteral("spanRow"), QStringLiteral("跨度:"), 8, 20, digits, 10, 10, Condition::Spans);
    row(QStringLiteral("lowRow"), QStringLiteral("最小值:"), 8, 40, digits, 10, 10, Condition::Lows);
    row(QStringLiteral("midRow"), QStringLiteral("中间值:"), 8, 60, digits, 10, 10, Condition::Mids);
    row(QStringLiteral("highRow"), QStringLiteral("最大值:"), 8, 80, digits, 10, 10, Condition::Highs);
    row(QStringLiteral("pairSumDigitRow"), QStringLiteral("两码和:"), 8, 100, digits, 10, 10,
        Condition::PairSums)
        ->digitsPart
        = true;
    row(QStringLiteral("pairSumCountRow"), QStringLiteral("  符合:"), 8, 120, pairCounts, 24, 4,
        Condition::PairSums);
    row(QStringLiteral("pairDiffDigitRow"), QStringLiteral("两码差:"), 8, 140, digits, 10, 10,
        Condition::PairDiffs)
        ->digitsPart
        = true;
    row(QStringLiteral("pairDiffCountRow"), QStringLiteral("  符合:"), 8, 160, pairCounts, 24, 4,
        Condition::PairDiffs);
    row(QStringLiteral("primeCountRow"), QStringLiteral("质合比例:"), 452, 20, ratios, 30, 4,
        Condition::PrimeCounts);
    row(QStringLiteral("oddShapeRow"), QStringLiteral("奇偶形态:"), 452, 42, binary, 22, 4,
        Condition::OddShapes);
    row(QStringLiteral("bigShapeRow"), QStringLiteral("大小形态:"), 452, 82, binary, 22, 4,
        Condition::BigShapes);
    row(QStringLiteral("primeShapeRow"), QStringLiteral("质合形态:"), 452, 122, binary, 22, 4,
        Condition::PrimeShapes);
    row(QStringLiteral("routeShapeRow"), QStringLiteral("012路形态:"), 8, 184, routes, 22, 14,
        Condition::RouteShapes, 76);
}

std::vector<FilterControlEntry> buildSpecs()
{
    const QStringList hits = numberCaptions(Condition::RecentDraw, 1);
    QStringList patterns;
    for (const char* pattern : kRatioPatterns)
        patterns << QLatin1String(pattern);
    const QStringList ratios
        = { QStringLiteral("0:3"), QStringLiteral("1:2"), QStringLiteral("2:1"), QStringLiteral("3:0") };
    const std::array<QString, 3> draws
        = { QStringLiteral("ThirdLatest"), QStringLiteral("SecondLatest"), QStringLiteral("Latest") };
    const std::array<QString, 5> ordinals = { QStringLiteral("first"), QStringLiteral("second"),
        QStringLiteral("third"), QStringLiteral("fourth"), QStringLiteral("fifth") };
    const std::array<QString, 3> positions
        = { QStringLiteral("hundreds"), QStringLiteral("tens"), QStringLiteral("units") };
    const std::array<Condition, 3> positionConditions
        = { Condition::Hundreds, Condition::Tens, Condition::Units };
    const std::array<QString, 3> positionLabels
        = { QStringLiteral("百位:"), QStringLiteral("十位:"), QStringLiteral("个位:") };
    using Area = FilterArea;
    using Kind = ControlKind;

    std::vector<FilterControlEntry> entries;
    // Recent-draw panel: each draw's row of hits against its draw code (left) and
    // its test code (right), rows from the third-latest draw down to the latest.
    for (std::size_t row = 0; row < draws.size(); ++row) {
        const int top = 12 + 16 * static_cast<int>(row);
        entries.push_back(checks(QStringLiteral("drawHits%1Row").arg(draws[row]), Area::RecentPanel,
            QPoint(99, top), hits, 10, 4, Condition::RecentDraw, static_cast<int>(row)));
        entries.push_back(checks(QStringLiteral("testHits%1Row").arg(draws[row]), Area::RecentPanel,
            QPoint(330, top), hits, 10, 4, Condition::RecentTest, static_cast<int>(row)));
    }
    entries.push_back(labelled(edit(QStringLiteral("recentPairsInEdit"), Kind::Text, Area::RecentPanel,
                                   QRect(108, 70, 262, 22), Condition::RecentPairsIn),
        QStringLiteral("近期两码限于:"), QRect(16, 70, 92, 22)));
    entries.push_back(labelled(edit(QStringLiteral("recentPairsOutEdit"), Kind::Text, Area::RecentPanel,
                                   QRect(482, 70, 266, 22), Condition::RecentPairsOut),
        QStringLiteral("近期排除两码:"), QRect(390, 70, 92, 22)));

    // "出号范围：": the banker lists, then a row of digits for each position.
    for (std::size_t k = 0; k < ordinals.size(); ++k) {
        FilterControlEntry banker
            = edit(ordinals[k] + QStringLiteral("BankerList"), Kind::Banker, Area::RangeBox,
                QRect(44 + static_cast<int>(k) * 60, 18, 56, 22), Condition::Banker, static_cast<int>(k));
        entries.push_back(k == 0 ? labelled(banker, QStringLiteral("胆号:"), QRect(8, 18, 36, 22)) : banker);
    }
    for (std::size_t p = 0; p < positions.size(); ++p) {
        const int top = 42 + static_cast<int>(p) * 22;
        FilterControlEntry row
            = labelled(checks(positions[p] + QStringLiteral("Row"), Area::RangeBox, QPoint(44, top),
                           numberCaptions(positionConditions[p], 1), 10, 10, positionConditions[p]),
                positionLabels[p], QRect(8, top, 36, 20));
        row.position = static_cast<int>(p);
        entries.push_back(row);
    }

    // "比例及和值：".
    entries.push_back(labelled(checks(QStringLiteral("sumTailRow"), Area::RatioBox, QPoint(80, 20),
                                   numberCaptions(Condition::SumTails, 1), 14, 10, Condition::SumTails),
        QStringLiteral("合值范围:"), QRect(8, 20, 72, 20)));
    // Two-digit captions: cells wider than their text, so that a box's caption stands
    // apart from the next box; the row begins where its label ends to make room.
    FilterControlEntry sumRow = labelled(checks(QStringLiteral("sumRow"), Area::RatioBox, QPoint(73, 46),
                                             numberCaptions(Condition::Sums, 2), 16, 10, Condition::Sums),
        QStringLiteral("和值范围:"), QRect(8, 46, 65, 20));
    sumRow.disabledItems = { 28, 29 };
    sumRow.disabledTip = QStringLiteral("和值最大为27，没有号码的和值是28或29");
    entries.push_back(sumRow);
    entries.push_back(labelled(checks(QStringLiteral("smallMiddleBigRow"), Area::RatioBox, QPoint(80, 105),
                                   patterns, 50, 5, Condition::SmbPatterns),
        QStringLiteral("小中大比例"), QRect(8, 105, 72, 20)));
    entries.push_back(labelled(checks(QStringLiteral("routeRow"), Area::RatioBox, QPoint(80, 145), patterns,
                                   50, 5, Condition::RoutePatterns),
        QStringLiteral("012路比例:"), QRect(8, 145, 72, 20)));
    entries.push_back(labelled(checks(QStringLiteral("oddCountRow"), Area::RatioBox, QPoint(80, 186), ratios,
                                   64, 4, Condition::OddCounts),
        QStringLiteral("奇偶比例:"), QRect(8, 186, 72, 20)));
    entries.push_back(labelled(checks(QStringLiteral("bigCountRow"), Area::RatioBox, QPoint(80, 212), ratios,
                                   64, 4, Condition::BigCounts),
        QStringLiteral("大小比例:"), QRect(8, 212, 72, 20)));

    // "控制中奖号：": five digit groups, each with the counts of its digits allowed.
    for (std::size_t k = 0; k < ordinals.size(); ++k) {
        const int top = 24 + static_cast<int>(k) * 24;
        entries.push_back(edit(ordinals[k] + QStringLiteral("HitGroupEdit"), Kind::Text, Area::HitBox,
            QRect(8, top, 73, 20), Condition::HitGroup, static_cast<int>(k)));
        entries.push_back(checks(ordinals[k] + QStringLiteral("HitGroupCountRow"), Area::HitBox,
            QPoint(118, top), hits, 14, 4, Condition::HitGroup, static_cast<int>(k)));
    }

    // "定位限制：": pairs and digits, the digit range, runs and code types.
    const auto limitEdit = [&entries](
                               const QString& name, const QString& label, int top, Condition condition) {
        entries.push_back(labelled(edit(name, Kind::Text, Area::LimitBox, QRect(76, top, 228, 21), condition),
            label, QRect(8, top, 68, 21)));
    };
    limitEdit(QStringLiteral("pairsInEdit"), QStringLiteral("两码限于:"), 20, Condition::PairsIn);
    limitEdit(QStringLiteral("pairsOutEdit"), QStringLiteral("排除两码:"), 44, Condition::PairsOut);
    limitEdit(QStringLiteral("digitsInEdit"), QStringLiteral("必选号:"), 68, Condition::DigitsIn);
    limitEdit(QStringLiteral("digitsOutEdit"), QStringLiteral("排除号:"), 92, Condition::DigitsOut);
    entries.push_back(edit(QStringLiteral("smallestDigitEdit"), Kind::Digit, Area::LimitBox,
        QRect(124, 115, 50, 22), Condition::MinDigit));
    entries.push_back(edit(QStringLiteral("largestDigitEdit"), Kind::Digit, Area::LimitBox,
        QRect(232, 115, 50, 22), Condition::MaxDigit));
    entries.push_back(
        labelled(checks(QStringLiteral("runKindRow"), Area::LimitBox, QPoint(80, 140),
                     { QStringLiteral("不连"), QStringLiteral("二连"), QStringLiteral("拖拉机") }, 50, 3,
                     Condition::RunKinds),
            QStringLiteral("连号:"), QRect(8, 140, 60, 20)));
    entries.push_back(labelled(checks(QStringLiteral("codeTypeRow"), Area::LimitBox, QPoint(80, 160),
                                   { QStringLiteral("组六"), QStringLiteral("组三"), QStringLiteral("豹子") },
                                   50, 3, Condition::CodeTypes),
        QStringLiteral("类型:"), QRect(8, 160, 60, 20)));
    addShapeEntries(entries, ratios);
    return entries;
}

} // namespace

const std::vector<FilterControlEntry>& filterControlEntries()
{
    static const std::vector<FilterControlEntry> entries = buildSpecs();
    return entries;
}

QWidget* makeFilterControl(const FilterControlEntry& entry, QWidget* parent)
{
    QWidget* control = nullptr;
    switch (entry.kind) {
    case ControlKind::Checks: {
        auto* checks = new MultiCheck(parent);
        for (const QString& caption : entry.captions)
            checks->addItem(caption);
        checks->setCapWidth(entry.capWidth);
        checks->setCols(entry.cols);
        for (int item : entry.disabledItems)
            checks->setItemDisabled(item, entry.disabledTip);
        checks->move(entry.geometry.topLeft());
        checks->setCursor(Qt::PointingHandCursor);
        control = checks;
        break;
    }
    case ControlKind::Text:
        control = new QLineEdit(parent);
        control->setGeometry(entry.geometry);
        break;
    case ControlKind::Banker: {
        auto* list = new QComboBox(parent);
        list->addItem(QStringLiteral("N"));
        for (int digit = 0; digit < 10; ++digit)
            list->addItem(QString::number(digit));
        list->setGeometry(entry.geometry);
        control = list;
        break;
    }
    case ControlKind::Digit:
        control = new DigitSpinEdit(0, 9, parent);
        control->setGeometry(entry.geometry);
        break;
    }
    control->setObjectName(entry.name);
    return control;
}

void readFilterControl(const FilterControlEntry& entry, const QWidget* control, const ConditionSlot& slot)
{
    switch (entry.kind) {
    case ControlKind::Checks: {
        const auto* checks = static_cast<const MultiCheck*>(control);
        const std::span<bool> flags = entry.digitsPart ? slot.digits : slot.flags;
        for (std::size_t i = 0; i < flags.size(); ++i)
            flags[i] = checks->isChecked(static_cast<int>(i));
        break;
    }
    case ControlKind::Text:
        *slot.text = toStdString(static_cast<const QLineEdit*>(control)->text());
        break;
    case ControlKind::Banker:
        *slot.number = static_cast<const QComboBox*>(control)->currentIndex();
        break;
    case ControlKind::Digit:
        *slot.number = static_cast<const DigitSpinEdit*>(control)->value();
        break;
    }
}

void writeFilterControl(const FilterControlEntry& entry, QWidget* control, const ConditionSlot& slot)
{
    switch (entry.kind) {
    case ControlKind::Checks: {
        auto* checks = static_cast<MultiCheck*>(control);
        const std::span<bool> flags = entry.digitsPart ? slot.digits : slot.flags;
        for (std::size_t i = 0; i < flags.size(); ++i)
            checks->setCheck(static_cast<int>(i), flags[i]);
        break;
    }
    case ControlKind::Text:
        static_cast<QLineEdit*>(control)->setText(toQString(*slot.text));
        break;
    case ControlKind::Banker:
        static_cast<QComboBox*>(control)->setCurrentIndex(*slot.number);
        break;
    case ControlKind::Digit:
        static_cast<DigitSpinEdit*>(control)->setTypedValue(*slot.number);
        break;
    }
}

} // namespace velmora
