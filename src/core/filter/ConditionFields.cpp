#include "core/filter/ConditionFields.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace velmora {

namespace {

using C = Condition;
using K = ValueKind;
using U = FilterUnit;
using F = FilterConditions;

constexpr int kHitGroupRows = static_cast<int>(std::tuple_size_v<decltype(F::hitGroups)>);

// Columns: id, key, name, kind, lo, hi, places, first unit, unit count, unit name, help, slot.
constexpr ConditionField kFields[] = {
    { C::RecentDraw, "recent-draw", "近期开奖", K::RecentRows, 0, 3, 3, U::RecentDraw1, 3, "近期开奖",
        "Hits against draw code of row R (1 third-latest, 3 latest)",
        [](F& c, int place) { return ConditionSlot { c.recentHits.at(static_cast<std::size_t>(place)) }; } },
    { C::RecentTest, "recent-test", "近期试机", K::RecentRows, 0, 3, 3, U::RecentTest1, 3, "近期试机",
        "Hits against test code of row R",
        [](F& c, int place) {
            return ConditionSlot { c.recentHits.at(static_cast<std::size_t>(place) + 3) };
        } },
    { C::RecentPairsIn, "recent-pairs-in", "近期两码限于", K::Text, 0, 0, 1, U::RecentPairsIn, 1,
        "近期两码限于", "近期两码限于",
        [](F& c, int) {
            return ConditionSlot { {}, &c.recentPairsIn };
        } },
    { C::RecentPairsOut, "recent-pairs-out", "近期排除两码", K::Text, 0, 0, 1, U::RecentPairsOut, 1,
        "近期排除两码", "近期排除两码",
        [](F& c, int) {
            return ConditionSlot { {}, &c.recentPairsOut };
        } },
    { C::Hundreds, "hundreds", "百位", K::Numbers, 0, 9, 1, U::Hundreds, 1, "百位",
        "Allowed hundreds digits {range}", [](F& c, int) { return ConditionSlot { c.positionDigits[0] }; } },
    { C::Tens, "tens", "十位", K::Numbers, 0, 9, 1, U::Tens, 1, "十位", "Allowed tens digits {range}",
        [](F& c, int) { return ConditionSlot { c.positionDigits[1] }; } },
    { C::Units, "units", "个位", K::Numbers, 0, 9, 1, U::Units, 1, "个位", "Allowed units digits {range}",
        [](F& c, int) { return ConditionSlot { c.positionDigits[2] }; } },
    { C::Banker, "banker", "胆号", K::Bankers, 0, 9, kBankerCount, U::Bankers, 1, "胆号",
        "Banker digit {range} (up to {places} times)",
        [](F& c, int place) {
            return ConditionSlot { {}, nullptr, &c.bankers.at(static_cast<std::size_t>(place)) };
        } },
    { C::SumTails, "sum-tails", "合值", K::Numbers, 0, 9, 1, U::SumTails, 1, "合值",
        "Allowed sum tails {range}", [](F& c, int) { return ConditionSlot { c.sumTails }; } },
    { C::Sums, "sums", "和值", K::Numbers, 0, 29, 1, U::Sums, 1, "和值", "Allowed sums {range}",
        [](F& c, int) { return ConditionSlot { c.sums }; } },
    { C::SmbPatterns, "smb", "小中大比例", K::Patterns, 0, 9, 1, U::SmbPatterns, 1, "小中大比例",
        "Allowed small/middle/big patterns", [](F& c, int) { return ConditionSlot { c.smbPatterns }; } },
    { C::RoutePatterns, "routes", "012路比例", K::Patterns, 0, 9, 1, U::RoutePatterns, 1, "012路比例",
        "Allowed 012-route patterns", [](F& c, int) { return ConditionSlot { c.routePatterns }; } },
    { C::OddCounts, "odd", "奇偶比例", K::Numbers, 0, 3, 1, U::OddCounts, 1, "奇偶比例",
        "Allowed numbers of odd digits {range}", [](F& c, int) { return ConditionSlot { c.oddCounts }; } },
    { C::BigCounts, "big", "大小比例", K::Numbers, 0, 3, 1, U::BigCounts, 1, "大小比例",
        "Allowed numbers of big digits {range}", [](F& c, int) { return ConditionSlot { c.bigCounts }; } },
    { C::HitGroup, "hit-group", "控制中奖号", K::HitGroups, 0, 3, kHitGroupRows, U::HitGroup1, kHitGroupRows,
        "控制中奖号", "Digit group and allowed hit counts (up to {places} times)",
        [](F& c, int place) {
            HitGroup& group = c.hitGroups.at(static_cast<std::size_t>(place));
            return ConditionSlot { group.counts, &group.digits };
        } },
    { C::PairsIn, "pairs-in", "两码限于", K::Text, 0, 0, 1, U::PairsIn, 1, "两码限于", "两码限于",
        [](F& c, int) {
            return ConditionSlot { {}, &c.pairsIn };
        } },
    { C::PairsOut, "pairs-out", "排除两码", K::Text, 0, 0, 1, U::PairsOut, 1, "排除两码", "排除两码",
        [](F& c, int) {
            return ConditionSlot { {}, &c.pairsOut };
        } },
    { C::DigitsIn, "digits-in", "必选号", K::Text, 0, 0, 1, U::DigitsIn, 1, "必选号", "必选号",
        [](F& c, int) {
            return ConditionSlot { {}, &c.digitsIn };
        } },
    { C::DigitsOut, "digits-out", "排除号", K::Text, 0, 0, 1, U::DigitsOut, 1, "排除号", "排除号",
        [](F& c, int) {
            return ConditionSlot { {}, &c.digitsOut };
        } },
    { C::MinDigit, "min-digit", "最小号", K::Digit, 0, 9, 1, U::DigitRange, 1, "号码范围",
        "Smallest allowed digit {range} (default 0)",
        [](F& c, int) {
            return ConditionSlot { {}, nullptr, &c.minDigit };
        } },
    { C::MaxDigit, "max-digit", "最大号", K::Digit, 0, 9, 1, U::DigitRange, 1, "号码范围",
        "Largest allowed digit {range} (default 9)",
        [](F& c, int) {
            return ConditionSlot { {}, nullptr, &c.maxDigit };
        } },
    { C::RunKinds, "runs", "连号", K::Numbers, 0, 2, 1, U::RunKinds, 1, "连号",
        "Allowed run kinds: 0 不连, 1 二连, 2 拖拉机",
        [](F& c, int) { return ConditionSlot { c.runKinds }; } },
    { C::CodeTypes, "types", "类型", K::Numbers, 0, 2, 1, U::CodeTypes, 1, "类型",
        "Allowed code types: 0 组六, 1 组三, 2 豹子",
        [](F& c, int) { return ConditionSlot { c.codeTypes }; } },
    { C::Spans, "spans", "跨度", K::Numbers, 0, 9, 1, U::Spans, 1, "跨度",
        "Allowed spans (largest minus smallest digit) {range}",
        [](F& c, int) { return ConditionSlot { c.spans }; } },
    { C::PrimeCounts, "primes", "质合比例", K::Numbers, 0, 3, 1, U::PrimeCounts, 1, "质合比例",
        "Allowed numbers of prime digits (1 2 3 5 7) {range}",
        [](F& c, int) { return ConditionSlot { c.primeCounts }; } },
    { C::OddShapes, "odd-pos", "奇偶形态", K::Shapes, 0, 1, 1, U::OddShapes, 1, "奇偶形态",
        "Allowed odd/even patterns by position, 1 odd: 000..111",
        [](F& c, int) { return ConditionSlot { c.oddShapes }; } },
    { C::BigShapes, "big-pos", "大小形态", K::Shapes, 0, 1, 1, U::BigShapes, 1, "大小形态",
        "Allowed big/small patterns by position, 1 big: 000..111",
        [](F& c, int) { return ConditionSlot { c.bigShapes }; } },
    { C::PrimeShapes, "prime-pos", "质合形态", K::Shapes, 0, 1, 1, U::PrimeShapes, 1, "质合形态",
        "Allowed prime/composite patterns by position, 1 prime: 000..111",
        [](F& c, int) { return ConditionSlot { c.primeShapes }; } },
    { C::RouteShapes, "route-pos", "012路形态", K::Shapes, 0, 2, 1, U::RouteShapes, 1, "012路形态",
        "Allowed 012-route patterns by position: 000..222",
        [](F& c, int) { return ConditionSlot { c.routeShapes }; } },
    { C::Lows, "lows", "最小值", K::Numbers, 0, 9, 1, U::Lows, 1, "最小值", "Allowed lowest digits {range}",
        [](F& c, int) { return ConditionSlot { c.lows }; } },
    { C::Mids, "mids", "中间值", K::Numbers, 0, 9, 1, U::Mids, 1, "中间值", "Allowed middle digits {range}",
        [](F& c, int) { return ConditionSlot { c.mids }; } },
    { C::Highs, "highs", "最大值", K::Numbers, 0, 9, 1, U::Highs, 1, "最大值",
        "Allowed highest digits {range}", [](F& c, int) { return ConditionSlot { c.highs }; } },
    { C::PairSums, "pair-sums", "两码和", K::PairCounts, 0, 3, 1, U::PairSums, 1, "两码和",
        "Pair-sum tail digits and allowed numbers {range} of such pairs",
        [](F& c, int) {
            return ConditionSlot { c.pairSums.counts, nullptr, nullptr, c.pairSums.digits };
        } },
    { C::PairDiffs, "pair-diffs", "两码差", K::PairCounts, 0, 3, 1, U::PairDiffs, 1, "两码差",
        "Pair-difference digits and allowed numbers {range} of such pairs",
        [](F& c, int) {
            return ConditionSlot { c.pairDiffs.counts, nullptr, nullptr, c.pairDiffs.digits };
        } },
};

constexpr bool rowsInIdOrder()
{
    for (std::size_t i = 0; i < std::size(kFields); ++i)
        if (static_cast<std::size_t>(kFields[i].id) != i)
            return false;
    return true;
}
static_assert(rowsInIdOrder(), "conditionField(id) indexes the table by id");

} // namespace

std::span<const ConditionField> conditionFields() { return kFields; }

const ConditionField& conditionField(Condition id) { return kFields[static_cast<std::size_t>(id)]; }

const ConditionField* conditionFieldOfKey(std::string_view key)
{
    const auto* row = std::find_if(
        std::begin(kFields), std::end(kFields), [key](const ConditionField& f) { return key == f.key; });
    return row == std::end(kFields) ? nullptr : row;
}

std::string rangeText(const ConditionField& field)
{
    return std::to_string(field.lo) + ".." + std::to_string(field.hi);
}

int shapeCount(const ConditionField& field)
{
    const int base = field.hi + 1;
    return base * base * base;
}

int shapeIndex(const ConditionField& field, std::string_view pattern)
{
    if (pattern.size() != 3)
        return -1;
    int index = 0;
    for (char ch : pattern) {
        if (ch < '0' || ch > '0' + field.hi)
            return -1;
        index = index * (field.hi + 1) + (ch - '0');
    }
    return index;
}

std::string shapeText(const ConditionField& field, int index)
{
    const int base = field.hi + 1;
    return { static_cast<char>('0' + index / (base * base)), static_cast<char>('0' + index / base % base),
        static_cast<char>('0' + index % base) };
}

std::string conditionLabel(const ConditionField& field)
{
    return std::string(field.name) + "（" + field.key + "）";
}

void copyCondition(const ConditionField& field, FilterConditions& to, const FilterConditions& from)
{
    // The slots view a record they may change: they are taken from a copy.
    FilterConditions source = from;
    for (int place = 0; place < field.places; ++place) {
        const ConditionSlot target = field.slot(to, place);
        const ConditionSlot value = field.slot(source, place);
        std::copy(value.flags.begin(), value.flags.end(), target.flags.begin());
        std::copy(value.digits.begin(), value.digits.end(), target.digits.begin());
        if (target.text != nullptr)
            *target.text = *value.text;
        if (target.number != nullptr)
            *target.number = *value.number;
    }
}

const std::vector<std::string>& conditionUnitNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all(kUnitCount);
        for (const ConditionField& field : kFields)
            for (int k = 0; k < field.unitCount; ++k)
                all.at(static_cast<std::size_t>(field.unit) + static_cast<std::size_t>(k))
                    = field.unitName + (field.unitCount > 1 ? std::to_string(k + 1) : std::string());
        return all;
    }();
    return names;
}

} // namespace velmora
