// runShrinkReference: the rules applied one by one, as they are worded.
#include "core/filter/FilterEngineReference.h"
#include "core/code/Code.h"
#include "core/filter/RecentPanel.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <optional>

namespace velmora {

CodeSet runShrinkReference(const FilterConditions& fc, const DrawHistory& history)
{
    std::array<std::optional<std::string>, 6> references;
    for (int row = 1; row <= kRecentRows; ++row)
        if (const DrawRecord* draw = recentRowDraw(history, row)) {
            references[row - 1] = zeroPadded(draw->drawCode, 3);
            references[row + 2] = zeroPadded(draw->testCode, 3);
        }

    constexpr UnitMask kShapeUnits = ~UnitMask { 0 } << static_cast<int>(FilterUnit::Spans);
    const bool anyShapeUnit = (activeUnitsReference(fc, history) & kShapeUnits) != 0;
    CodeSet codes;
    codes.fill(true);
    for (int code = 0; code < CodeSet::kSize; ++code) {
        auto fail = [&] { codes[code] = 0; };

        for (int r = 0; r < 6; ++r)
            if (anyChecked(fc.recentHits[r]) && references[r]
                && !fc.recentHits[r][hitCountOfCode(code, *references[r])])
                fail();
        if (!fc.recentPairsIn.empty() && !codeHasPair(code, fc.recentPairsIn))
            fail();
        if (!fc.recentPairsOut.empty() && codeHasPair(code, fc.recentPairsOut))
            fail();
        for (int p = 0; p < 3; ++p)
            if (anyChecked(fc.positionDigits[p]) && !fc.positionDigits[p][digitAt(code, p + 1)])
                fail();

        bool anyBanker = false;
        bool bankerHit = false;
        const std::string text = codeText(code);
        for (int item : fc.bankers) {
            const int digit = bankerDigit(item);
            if (digit < 0)
                continue;
            anyBanker = true;
            if (text.find(static_cast<char>('0' + digit)) != std::string::npos) {
                bankerHit = true;
                break;
            }
        }
        if (anyBanker && !bankerHit)
            fail();

        if (anyChecked(fc.sumTails) && !fc.sumTails[sumOfCode(code, true)])
            fail();
        if (anyChecked(fc.sums) && !fc.sums[sumOfCode(code, false)])
            fail();
        if (anyChecked(fc.smbPatterns) && !fc.smbPatterns[ratioPatternIndex(smbOfCode(code))])
            fail();
        if (anyChecked(fc.routePatterns) && !fc.routePatterns[ratioPatternIndex(routeOfCode(code))])
            fail();
        if (anyChecked(fc.oddCounts) && !fc.oddCounts[oddCountOfCode(code)])
            fail();
        if (anyChecked(fc.bigCounts) && !fc.bigCounts[bigCountOfCode(code)])
            fail();
        for (const HitGroup& group : fc.hitGroups)
            if (!group.isEmpty() && !group.counts[hitCountOfCode(code, group.digits)])
                fail();
        if (!fc.pairsIn.empty() && !codeHasPair(code, fc.pairsIn))
            fail();
        if (!fc.pairsOut.empty() && codeHasPair(code, fc.pairsOut))
            fail();
        if (!fc.digitsIn.empty() && !codeHasNum(code, fc.digitsIn))
            fail();
        if (!fc.digitsOut.empty() && codeHasNum(code, fc.digitsOut))
            fail();
        if (codes[code] && !(minOfCode(code) >= fc.minDigit && maxOfCode(code) <= fc.maxDigit))
            fail();
        if (anyChecked(fc.runKinds) && !fc.runKinds[linkOfCode(code)])
            fail();
        if (anyChecked(fc.codeTypes) && !fc.codeTypes[repeatOfCode(code)])
            fail();
        // Units 31-41 (跨度 to 两码差), each tested as worded in the unit reference.
        if (anyShapeUnit && (failedUnitsReference(fc, history, code) & kShapeUnits) != 0)
            fail();
    }
    return codes;
}

} // namespace velmora

namespace velmora {

namespace {

// Reference texts of the six recent-draw rows; empty where the draw is missing.
std::array<std::optional<std::string>, 6> recentReferences(const DrawHistory& history)
{
    std::array<std::optional<std::string>, 6> references;
    for (int row = 1; row <= kRecentRows; ++row)
        if (const DrawRecord* draw = recentRowDraw(history, row)) {
            references[row - 1] = zeroPadded(draw->drawCode, 3);
            references[row + 2] = zeroPadded(draw->testCode, 3);
        }
    return references;
}

UnitMask unitIf(bool condition, int unit) { return condition ? unitBit(unit) : 0; }

// The rules of units 31-41 as worded, from the code's digit characters.
struct Digits {
    int h, t, u;
    explicit Digits(int code)
        : h(code / 100)
        , t(code / 10 % 10)
        , u(code % 10)
    {
    }
    std::array<int, 3> sorted() const
    {
        std::array<int, 3> d { h, t, u };
        std::sort(d.begin(), d.end());
        return d;
    }
};

bool isPrime(int d) { return d == 1 || d == 2 || d == 3 || d == 5 || d == 7; }

// The pattern text, e.g. "101", read back as the flags' item by the same rule
// the option text uses: base 2 or 3.
int patternItem(int first, int second, int third, int base) { return (first * base + second) * base + third; }

int pairsMatching(const PairCount& pair, int code, bool difference)
{
    const Digits d(code);
    const std::pair<int, int> pairs[] = { { d.h, d.t }, { d.h, d.u }, { d.t, d.u } };
    int count = 0;
    for (const auto& [x, y] : pairs) {
        const int value = difference ? std::abs(x - y) : (x + y) % 10;
        count += pair.digits[static_cast<std::size_t>(value)] ? 1 : 0;
    }
    return count;
}

} // namespace

UnitMask activeUnitsReference(const FilterConditions& fc, const DrawHistory& history)
{
    const auto references = recentReferences(history);
    UnitMask active = 0;
    for (int r = 0; r < 6; ++r)
        active |= unitIf(anyChecked(fc.recentHits[r]) && references[r].has_value(), r);
    active |= unitIf(!fc.recentPairsIn.empty(), 6);
    active |= unitIf(!fc.recentPairsOut.empty(), 7);
    for (int p = 0; p < 3; ++p)
        active |= unitIf(anyChecked(fc.positionDigits[p]), 8 + p);
    bool anyBanker = false;
    for (int item : fc.bankers)
        anyBanker = anyBanker || bankerDigit(item) >= 0;
    active |= unitIf(anyBanker, 11);
    active |= unitIf(anyChecked(fc.sumTails), 12);
    active |= unitIf(anyChecked(fc.sums), 13);
    active |= unitIf(anyChecked(fc.smbPatterns), 14);
    active |= unitIf(anyChecked(fc.routePatterns), 15);
    active |= unitIf(anyChecked(fc.oddCounts), 16);
    active |= unitIf(anyChecked(fc.bigCounts), 17);
    for (int k = 0; k < 5; ++k)
        active |= unitIf(!fc.hitGroups[k].digits.empty() && anyChecked(fc.hitGroups[k].counts), 18 + k);
    active |= unitIf(!fc.pairsIn.empty(), 23);
    active |= unitIf(!fc.pairsOut.empty(), 24);
    active |= unitIf(!fc.digitsIn.empty(), 25);
    active |= unitIf(!fc.digitsOut.empty(), 26);
    active |= unitIf(fc.minDigit > 0 || fc.maxDigit < 9, 27);
    active |= unitIf(anyChecked(fc.runKinds), 28);
    active |= unitIf(anyChecked(fc.codeTypes), 29);
    active |= unitIf(anyChecked(fc.spans), 30);
    active |= unitIf(anyChecked(fc.primeCounts), 31);
    active |= unitIf(anyChecked(fc.oddShapes), 32);
    active |= unitIf(anyChecked(fc.bigShapes), 33);
    active |= unitIf(anyChecked(fc.primeShapes), 34);
    active |= unitIf(anyChecked(fc.routeShapes), 35);
    active |= unitIf(anyChecked(fc.lows), 36);
    active |= unitIf(anyChecked(fc.mids), 37);
    active |= unitIf(anyChecked(fc.highs), 38);
    active |= unitIf(anyChecked(fc.pairSums.digits) && anyChecked(fc.pairSums.counts), 39);
    active |= unitIf(anyChecked(fc.pairDiffs.digits) && anyChecked(fc.pairDiffs.counts), 40);
    return active;
}

UnitMask failedUnitsReference(const FilterConditions& fc, const DrawHistory& history, int code)
{
    const UnitMask active = activeUnitsReference(fc, history);
    const auto references = recentReferences(history);
    const std::string text = codeText(code);
    UnitMask failed = 0;
    auto test = [&](int unit, auto passes) {
        if ((active & unitBit(unit)) != 0 && !passes())
            failed |= unitBit(unit);
    };
    for (int r = 0; r < 6; ++r)
        test(r, [&] { return fc.recentHits[r][hitCountOfCode(code, *references[r])]; });
    test(6, [&] { return codeHasPair(code, fc.recentPairsIn); });
    test(7, [&] { return !codeHasPair(code, fc.recentPairsOut); });
    for (int p = 0; p < 3; ++p)
        test(8 + p, [&] { return fc.positionDigits[p][digitAt(code, p + 1)]; });
    test(11, [&] {
        for (int item : fc.bankers)
            if (bankerDigit(item) >= 0
                && text.find(static_cast<char>('0' + bankerDigit(item))) != std::string::npos)
                return true;
        return false;
    });
    test(12, [&] { return fc.sumTails[sumOfCode(code, true)]; });
    test(13, [&] { return fc.sums[sumOfCode(code, false)]; });
    test(14, [&] { return fc.smbPatterns[ratioPatternIndex(smbOfCode(code))]; });
    test(15, [&] { return fc.routePatterns[ratioPatternIndex(routeOfCode(code))]; });
    test(16, [&] { return fc.oddCounts[oddCountOfCode(code)]; });
    test(17, [&] { return fc.bigCounts[bigCountOfCode(code)]; });
    for (int k = 0; k < 5; ++k)
        test(18 + k, [&] { return fc.hitGroups[k].counts[hitCountOfCode(code, fc.hitGroups[k].digits)]; });
    test(23, [&] { return codeHasPair(code, fc.pairsIn); });
    test(24, [&] { return !codeHasPair(code, fc.pairsOut); });
    test(25, [&] { return codeHasNum(code, fc.digitsIn); });
    test(26, [&] { return !codeHasNum(code, fc.digitsOut); });
    test(27, [&] { return minOfCode(code) >= fc.minDigit && maxOfCode(code) <= fc.maxDigit; });
    test(28, [&] { return fc.runKinds[linkOfCode(code)]; });
    test(29, [&] { return fc.codeTypes[repeatOfCode(code)]; });
    const Digits d(code);
    const auto s = d.sorted();
    test(30, [&] { return fc.spans[s[2] - s[0]]; });
    test(31, [&] { return fc.primeCounts[isPrime(d.h) + isPrime(d.t) + isPrime(d.u)]; });
    test(32, [&] { return fc.oddShapes[patternItem(d.h % 2, d.t % 2, d.u % 2, 2)]; });
    test(33, [&] { return fc.bigShapes[patternItem(d.h >= 5, d.t >= 5, d.u >= 5, 2)]; });
    test(34, [&] { return fc.primeShapes[patternItem(isPrime(d.h), isPrime(d.t), isPrime(d.u), 2)]; });
    test(35, [&] { return fc.routeShapes[patternItem(d.h % 3, d.t % 3, d.u % 3, 3)]; });
    test(36, [&] { return fc.lows[s[0]]; });
    test(37, [&] { return fc.mids[s[1]]; });
    test(38, [&] { return fc.highs[s[2]]; });
    test(39, [&] { return fc.pairSums.counts[pairsMatching(fc.pairSums, code, false)]; });
    test(40, [&] { return fc.pairDiffs.counts[pairsMatching(fc.pairDiffs, code, true)]; });
    return failed;
}

CodeSet runShrinkReference(const FilterConditions& fc, const DrawHistory& history, const Tolerance& tolerance)
{
    CodeSet codes;
    for (int code = 0; code < CodeSet::kSize; ++code) {
        const int fails = std::popcount(failedUnitsReference(fc, history, code));
        codes[code] = fails >= tolerance.min && fails <= tolerance.max ? 1 : 0;
    }
    return codes;
}

} // namespace velmora
