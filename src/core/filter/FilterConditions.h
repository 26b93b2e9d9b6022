// The thirty conditions of the filter page, copied from its controls at the
// moment of a run. A default-constructed record is what "清除条件" leaves:
// every condition empty, smallest digit 0, largest digit 9.
#pragma once

#include <array>
#include <string>

namespace velmora {

// Check flags of a multi-check row, in item order.
template <std::size_t N> using CheckFlags = std::array<bool, N>;

// A multi-check row is empty when none of its items is checked.
template <std::size_t N> bool anyChecked(const CheckFlags<N>& flags)
{
    for (bool f : flags)
        if (f)
            return true;
    return false;
}

// One row of "控制中奖号：": a group of digits (free text, taken as it stands)
// and the allowed numbers 0..3 of the code's digits found in it.
struct HitGroup {
    std::string digits;
    CheckFlags<4> counts {};

    // Empty when the text is empty or no count is checked.
    bool isEmpty() const { return digits.empty() || !anyChecked(counts); }

    friend bool operator==(const HitGroup&, const HitGroup&) = default;
};

// 两码和 / 两码差: the digits a pair's sum tail (or difference) may be, and the
// allowed numbers 0..3 of the code's three pairs (百十, 百个, 十个) that match.
struct PairCount {
    CheckFlags<10> digits {};
    CheckFlags<4> counts {};

    // Empty when no digit or no count is checked.
    bool isEmpty() const { return !anyChecked(digits) || !anyChecked(counts); }

    friend bool operator==(const PairCount&, const PairCount&) = default;
};

inline constexpr int kBankerCount = 5;
inline constexpr int kBankerNone = 0; // item "N"

struct FilterConditions {
    // Rows 0..2: hits against the draw codes of the third-latest, second-latest
    // and latest draw; rows 3..5: the same draws' test codes. Item h allows h
    // shared digits.
    std::array<CheckFlags<4>, 6> recentHits {};
    std::string recentPairsIn; // 近期两码限于
    std::string recentPairsOut; // 近期排除两码
    // Hundreds, tens, units: the allowed digits.
    std::array<CheckFlags<10>, 3> positionDigits {};
    // Item index of each banker combo: 0 = "N", k = digit k - 1 (1..10).
    // Any other value counts as "N".
    std::array<int, kBankerCount> bankers {};
    CheckFlags<10> sumTails {};
    CheckFlags<30> sums {}; // items 28 and 29 match no code
    CheckFlags<10> smbPatterns {}; // in the order of kRatioPatterns
    CheckFlags<10> routePatterns {}; // in the order of kRatioPatterns
    CheckFlags<4> oddCounts {}; // item k: k odd digits
    CheckFlags<4> bigCounts {}; // item k: k digits 5..9
    std::array<HitGroup, 5> hitGroups {};
    std::string pairsIn; // 两码限于
    std::string pairsOut; // 排除两码
    std::string digitsIn; // 必选号
    std::string digitsOut; // 排除号
    // Never empty; 0 and 9 restrict nothing. Values outside 0..9 are used as they
    // stand (a smallest digit of 12 keeps no code).
    int minDigit = 0;
    int maxDigit = 9;
    CheckFlags<3> runKinds {}; // 0 不连, 1 二连, 2 拖拉机
    CheckFlags<3> codeTypes {}; // 0 组六, 1 组三, 2 豹子
    CheckFlags<10> spans {}; // largest digit minus smallest
    CheckFlags<4> primeCounts {}; // item k: k prime digits (1, 2, 3, 5, 7)
    // Position shapes, item = the pattern (hundreds, tens, units) read as a
    // number: base 2 for odd/big/prime ("101" is 5), base 3 for routes.
    CheckFlags<8> oddShapes {};
    CheckFlags<8> bigShapes {};
    CheckFlags<8> primeShapes {};
    CheckFlags<27> routeShapes {};
    CheckFlags<10> lows {}; // the smallest digit
    CheckFlags<10> mids {}; // the middle one of the sorted digits
    CheckFlags<10> highs {}; // the largest digit
    PairCount pairSums; // a pair's sum, last digit
    PairCount pairDiffs; // a pair's difference, larger minus smaller

    friend bool operator==(const FilterConditions&, const FilterConditions&) = default;
};

// Banker digit of a combo's item index, or -1 for "N".
inline int bankerDigit(int itemIndex) { return itemIndex >= 1 && itemIndex <= 10 ? itemIndex - 1 : -1; }

} // namespace velmora
