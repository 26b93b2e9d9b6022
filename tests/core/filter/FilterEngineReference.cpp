// runShrinkReference: the rules applied one by one, as they are worded.
#include "core/filter/FilterEngineReference.h"
#include "core/code/Code.h"
#include "core/filter/RecentPanel.h"

#include <optional>

namespace velmora {

CodeSet runShrinkReference(const FilterConditions& fc, const DrawHistory& history)
{
    std::array<std::optional<std::string>, 6> references;
    for (int row = 1; row <= kRecentRows; ++row)
        if (const DrawRecord* draw = recentRowDraw(history, row)) {
            references[row - 1] = intToPadStr(draw->drawCode, 3, true);
            references[row + 2] = intToPadStr(draw->testCode, 3, true);
        }

    CodeSet codes;
    codes.fill(true);
    for (int code = 0; code < CodeSet::kSize; ++code) {
        auto fail = [&] { codes[code] = 0; };

        for (int r = 0; r < 6; ++r)
            if (anyChecked(fc.RecentHits[r]) && references[r]
                && !fc.RecentHits[r][hitCountOfCode(code, *references[r])])
                fail();
        if (!fc.recentPairsIn.empty() && !codeHasPair(code, fc.recentPairsIn))
            fail();
        if (!fc.recentPairsOut.empty() && codeHasPair(code, fc.recentPairsOut))
            fail();
        for (int p = 0; p < 3; ++p)
            if (anyChecked(fc.positionDigits[p]) && !fc.positionDigits[p][numOfCode(code, p + 1)])
                fail();

        bool anyBanker = false;
        bool bankerHit = false;
        const std::string text = strOfCode(code);
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
