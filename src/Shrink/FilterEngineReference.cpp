// RunShrinkReference: the rules applied one by one, as they are worded.
#include "Code/Code.h"
#include "Shrink/FilterEngine.h"
#include "Shrink/RecentPanel.h"

#include <optional>

namespace velmora {

TCodeArr RunShrinkReference(const FilterConditions& fc, const TCodeRecArr& history)
{
    std::array<std::optional<std::string>, 6> references;
    for (int row = 1; row <= kRecentRows; ++row)
        if (const TCodeRec* draw = RecentRowDraw(history, row)) {
            references[row - 1] = IntToPadStr(draw->DrawCode, 3, true);
            references[row + 2] = IntToPadStr(draw->TestCode, 3, true);
        }

    TCodeArr codes;
    codes.Fill(true);
    for (int code = 0; code < TCodeArr::kSize; ++code) {
        auto fail = [&] { codes[code] = 0; };

        for (int r = 0; r < 6; ++r)
            if (AnyChecked(fc.RecentHits[r]) && references[r] &&
                !fc.RecentHits[r][HitCountOfCode(code, *references[r])])
                fail();
        if (!fc.RecentPairsIn.empty() && !CodeHasPair(code, fc.RecentPairsIn))
            fail();
        if (!fc.RecentPairsOut.empty() && CodeHasPair(code, fc.RecentPairsOut))
            fail();
        for (int p = 0; p < 3; ++p)
            if (AnyChecked(fc.PositionDigits[p]) && !fc.PositionDigits[p][NumOfCode(code, p + 1)])
                fail();

        bool anyBanker = false;
        bool bankerHit = false;
        const std::string text = StrOfCode(code);
        for (int item : fc.Bankers) {
            const int digit = BankerDigit(item);
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

        if (AnyChecked(fc.SumTails) && !fc.SumTails[SumOfCode(code, true)])
            fail();
        if (AnyChecked(fc.Sums) && !fc.Sums[SumOfCode(code, false)])
            fail();
        if (AnyChecked(fc.SmbPatterns) && !fc.SmbPatterns[RatioPatternIndex(SmbOfCode(code))])
            fail();
        if (AnyChecked(fc.RoutePatterns) && !fc.RoutePatterns[RatioPatternIndex(RouteOfCode(code))])
            fail();
        if (AnyChecked(fc.OddCounts) && !fc.OddCounts[OddCountOfCode(code)])
            fail();
        if (AnyChecked(fc.BigCounts) && !fc.BigCounts[BigCountOfCode(code)])
            fail();
        for (const HitGroup& group : fc.HitGroups)
            if (!group.IsEmpty() && !group.Counts[HitCountOfCode(code, group.Digits)])
                fail();
        if (!fc.PairsIn.empty() && !CodeHasPair(code, fc.PairsIn))
            fail();
        if (!fc.PairsOut.empty() && CodeHasPair(code, fc.PairsOut))
            fail();
        if (!fc.DigitsIn.empty() && !CodeHasNum(code, fc.DigitsIn))
            fail();
        if (!fc.DigitsOut.empty() && CodeHasNum(code, fc.DigitsOut))
            fail();
        if (codes[code] && !(MinOfCode(code) >= fc.MinDigit && MaxOfCode(code) <= fc.MaxDigit))
            fail();
        if (AnyChecked(fc.RunKinds) && !fc.RunKinds[LinkOfCode(code)])
            fail();
        if (AnyChecked(fc.CodeTypes) && !fc.CodeTypes[RepeatOfCode(code)])
            fail();
    }
    return codes;
}

} // namespace velmora
