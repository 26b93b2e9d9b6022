// The filter's units: each row the engine tests on its own, in the order the
// history check lists them, and the tolerance that counts the units a code fails.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// One bit per unit of a UnitMask, in this order.
enum class FilterUnit : int {
    RecentDraw1, // draw code of the third-latest draw
    RecentDraw2,
    RecentDraw3, // draw code of the latest draw
    RecentTest1, // test codes of the same three draws
    RecentTest2,
    RecentTest3,
    RecentPairsIn,
    RecentPairsOut,
    Hundreds,
    Tens,
    Units,
    Bankers,
    SumTails,
    Sums,
    SmbPatterns,
    RoutePatterns,
    OddCounts,
    BigCounts,
    HitGroup1,
    HitGroup2,
    HitGroup3,
    HitGroup4,
    HitGroup5,
    PairsIn,
    PairsOut,
    DigitsIn,
    DigitsOut,
    DigitRange,
    RunKinds,
    CodeTypes,
    Spans,
    PrimeCounts,
    OddShapes,
    BigShapes,
    PrimeShapes,
    RouteShapes,
    Lows,
    Mids,
    Highs,
    PairSums,
    PairDiffs,
};

inline constexpr int kUnitCount = 41;

using UnitMask = std::uint64_t;
static_assert(kUnitCount <= 64, "one bit per unit");

constexpr UnitMask unitBit(FilterUnit unit) { return UnitMask { 1 } << static_cast<int>(unit); }
constexpr UnitMask unitBit(int unit) { return UnitMask { 1 } << unit; }

// The recent-draw units (the only ones that depend on the history).
inline constexpr UnitMask kRecentUnits = unitBit(FilterUnit::RecentDraw1) | unitBit(FilterUnit::RecentDraw2)
    | unitBit(FilterUnit::RecentDraw3) | unitBit(FilterUnit::RecentTest1) | unitBit(FilterUnit::RecentTest2)
    | unitBit(FilterUnit::RecentTest3);

// The name the history check prints for unit 0..kUnitCount-1 ("近期开奖1", "百位", …);
// an index outside that range gives the empty text.
std::string_view unitName(int unit);

// The names of the units in the mask, in unit order, joined by the separator.
std::string unitNames(UnitMask units, std::string_view separator);

// 容错: a code is kept when the number of active units it fails lies in
// min..max. The default 0-0 is the plain filter.
struct Tolerance {
    int min = 0;
    int max = 0;

    bool isPlain() const { return min == 0 && max == 0; }
    friend bool operator==(const Tolerance&, const Tolerance&) = default;
};

// "MAX" (meaning 0-MAX) or "MIN-MAX", non-negative decimal integers with
// MIN <= MAX; anything else (empty, a sign, blanks, MIN > MAX) gives nothing.
// Numbers above the unit count are kept as kUnitCount + 1, which means the same.
std::optional<Tolerance> parseTolerance(std::string_view text);

// "MIN-MAX", which parseTolerance reads back.
std::string toleranceText(const Tolerance& tolerance);

} // namespace velmora
