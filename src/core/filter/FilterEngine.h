// The filter engine behind "号码缩水": for each of the 1000 codes, which active
// units of the filter page it fails. The plain filter keeps the codes that fail
// none; with a tolerance it keeps those that fail between MIN and MAX.
#pragma once

#include "core/code/CodeSet.h"
#include "core/draw/DrawRecord.h"
#include "core/filter/FilterConditions.h"
#include "core/filter/FilterUnits.h"

#include <array>
#include <cstdint>

namespace velmora {

// Leading text of the result header: "缩水结果有" N "注".
inline constexpr const char* kShrinkLeadingText = "缩水结果有";
// Status bar text after a run: "缩水结果总共" N "注".
inline constexpr const char* kShrinkStatusLeadingText = "缩水结果总共";

// Failed units of every code, indexed by code.
using CodeUnitMasks = std::array<UnitMask, CodeSet::kSize>;

// The conditions compiled into small tables indexed by a digit, a digit pair,
// a sum or a class key of the code, so that a code's failed units are the OR
// of fifteen table lookups. The recent-draw rows compare against the three
// latest draws of the history (recentRowDraw); a row whose draw is missing is
// inactive. Texts are searched as raw bytes: characters other than the digits
// never match.
class FilterEngine {
public:
    FilterEngine(const FilterConditions& conditions, const DrawHistory& history);

    // The units the engine tests (the unit table of the history check).
    UnitMask activeUnits() const { return m_active; }
    // The active units the code fails: 0 when it passes every one. A code
    // outside 0..999 fails every active unit.
    UnitMask failedUnits(int code) const;
    // failedUnits of all 1000 codes in one pass.
    CodeUnitMasks failedUnitsOfAllCodes() const;
    // The codes that fail between tolerance.min and tolerance.max active units
    // (the plain filter for 0-0; nothing when min > max).
    CodeSet keep(const Tolerance& tolerance) const;

private:
    // Each table below is indexed by a small key of the code, so that its size
    // is the number of keys:
    // - m_position[p][d]: digit d at position p (the position row, the digit
    //   range and 排除号 fail per digit).
    // - m_setFails[held]: `held` is the OR of m_anyOf over the code's three
    //   digits and of m_pairBits over its three digit pairs, six Held bits, so
    //   64 entries: the units failed when those bits are (not) held.
    // - m_sum[s]: the sum 0..27 (和值, and 合值 as s % 10).
    // - m_ratio[k]: k = 小中大 pattern index * 10 + 012路 pattern index, 100 keys.
    // - m_counts[k]: k = (odd digits 0..3 * 4 + big digits 0..3) * 9 + run kind
    //   0..2 * 3 + code type 0..2, 4 * 4 * 9 = 144 keys.
    // - m_routeOdd[k]: k = 012路形态 index * 8 + 奇偶形态 index, 216 keys.
    // - m_bigPrime[k]: k = 大小形态 index * 8 + 质合形态 index, 64 keys.
    // - m_sorted[k]: k = the class of the code's sorted digits (220 multisets),
    //   which decides 跨度, 质合比例, 最小/中间/最大值, 两码和 and 两码差.
    // - m_hits and m_hitGroups: the packed hit counters below.
    enum Held : std::uint8_t {
        kRecentIn = 1, // a pair of 近期两码限于 (or that list is empty)
        kIn = 2, // a pair of 两码限于 (or that list is empty)
        kRecentOut = 4, // a pair of 近期排除两码
        kOut = 8, // a pair of 排除两码
        kBanker = 16, // a banker digit (or no banker is set)
        kDigitIn = 32, // a digit of 必选号 (or that text is empty)
    };
    static constexpr int kHeldKeys = 64;
    static constexpr int kSumKeys = 28;
    static constexpr int kRatioKeys = 100;
    static constexpr int kCountKeys = 144;
    static constexpr int kRouteOddKeys = 216;
    static constexpr int kBigPrimeKeys = 64;
    static constexpr int kSortedKeys = 220;

    // Hit counts of up to eleven texts (six recent-draw references, five hit
    // groups), two bits each, in one 64-bit word: m_hits[d][e] has field t
    // set to 1 when text t holds digit d more than e times. The code's digit
    // that repeats e earlier digits is matched when the text holds it more than
    // e times (hitCountOfCode's each-character-once rule), so the sum of three
    // such words counts every text's hits at once; a field never exceeds 3, so
    // two bits hold it. The fields are read three at a time (6 bits, 64 keys):
    // four groups cover fields 0..11, the twelfth being unused.
    struct HitGroup {
        int shift = 0; // 6 * group
        std::array<UnitMask, 64> fails {}; // over the packed counts of the group's three rows
    };

    template <bool Plain> void forEachCode(int minFails, int maxFails, std::uint8_t* flags) const;
    void compilePositions(const FilterConditions& fc);
    void compileHeldDigits(const FilterConditions& fc);
    void compilePairs(const FilterConditions& fc);
    void compileHeldFails();
    void compileClasses(const FilterConditions& fc);
    void compileShapes(const FilterConditions& fc);
    void compileHits(const FilterConditions& fc, const DrawHistory& history);

    UnitMask m_active = 0;
    UnitMask m_position[3][10] {};
    std::uint8_t m_anyOf[10] {}; // Held bits of a digit
    std::uint8_t m_pairBits[10][10] {}; // Held bits of a digit pair
    UnitMask m_setFails[kHeldKeys] {};
    UnitMask m_sum[kSumKeys] {};
    UnitMask m_ratio[kRatioKeys] {};
    UnitMask m_counts[kCountKeys] {};
    UnitMask m_routeOdd[kRouteOddKeys] {};
    UnitMask m_bigPrime[kBigPrimeKeys] {};
    UnitMask m_sorted[kSortedKeys] {};

    std::uint64_t m_hits[10][3] {};
    std::array<HitGroup, 4> m_hitGroups {};
};

// The codes that pass every active condition; with every condition empty, all
// 1000 codes. Pure and fast (tables built once per run, one pass over the codes).
CodeSet runShrink(const FilterConditions& conditions, const DrawHistory& history);

// The codes that fail between tolerance.min and tolerance.max active units;
// tolerance 0-0 is runShrink.
CodeSet runShrink(const FilterConditions& conditions, const DrawHistory& history, const Tolerance& tolerance);

// "缩水结果总共" N "注".
std::string shrinkStatusText(const CodeSet& codes);

} // namespace velmora
