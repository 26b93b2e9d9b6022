// runShrinkReference: the rules applied one by one, as they are worded.
#include "core/filter/FilterEngineReference.h"
#include "core/code/Code.h"
#include "core/filter/RecentPanel.h"

#include <bit>
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
