#include "Shrink/Recommend.h"

#include "Code/Code.h"
#include "Code/CodeList.h"

#include <algorithm>

namespace velmora {

const char* RecommendKindWord(RecommendKind kind)
{
    switch (kind) {
    case RecommendKind::Daily:
        return "每日推荐";
    case RecommendKind::Weekly:
        return "每周推荐";
    case RecommendKind::Monthly:
        return "每月推荐";
    }
    return "";
}

std::string RecommendTipText(RecommendKind kind, const TCodeArr& codes)
{
    return RecommendKindWord(kind) + std::to_string(CodeSetCount(codes)) + "注号码";
}

TCodeArr DailyRecommend(const TCodeRecArr& history)
{
    // Digits seen at each position, and sums of the draw codes, in the 4 latest draws.
    bool seen[3][10] = {};
    bool drawSum[28] = {};
    const std::size_t window = std::min<std::size_t>(4, history.size());
    for (std::size_t i = history.size() - window; i < history.size(); ++i) {
        const TCodeRec& r = history[i];
        for (int p = 1; p <= 3; ++p) {
            seen[p - 1][NumOfCode(r.TestCode, p)] = true;
            seen[p - 1][NumOfCode(r.DrawCode, p)] = true;
        }
        drawSum[SumOfCode(r.DrawCode, false)] = true;
    }

    TCodeArr codes;
    for (int c = 0; c < TCodeArr::kSize; ++c) {
        const int s = SumOfCode(c, false);
        codes[c] = !seen[0][NumOfCode(c, 1)] && !seen[1][NumOfCode(c, 2)] &&
                   !seen[2][NumOfCode(c, 3)] && s >= 6 && s <= 22 && !drawSum[s];
    }
    return codes;
}

int WeekRecommendSeed(const CalendarDate& date)
{
    return date.Year * 100 + (date.Day + 7 - date.Weekday);
}

int MonthRecommendSeed(const CalendarDate& date)
{
    return date.Year * 100 + date.Month;
}

TCodeArr SeedRecommend(int seed, const std::array<int, 40>& table)
{
    TCodeArr codes;
    int slot[3] = {1, 1, 1}; // units, tens, hundreds
    for (int p = 2; p <= 150; ++p) {
        // A negative seed cannot come from a calendar date; the index is kept
        // inside the table all the same.
        const int index = ((seed / p) % 40 + 40) % 40;
        const int v = table[index];
        slot[v % 3] = v;
        codes[slot[2] * 100 + slot[1] * 10 + slot[0]] = 1;
    }
    return codes;
}

std::optional<TCodeArr> Recommend(RecommendKind kind, const TCodeRecArr& history,
                                  const CalendarDate& date)
{
    if (history.size() < static_cast<std::size_t>(kRecommendMinDraws))
        return std::nullopt;
    switch (kind) {
    case RecommendKind::Daily:
        return DailyRecommend(history);
    case RecommendKind::Weekly:
        return SeedRecommend(WeekRecommendSeed(date), kWeekDigitTable);
    case RecommendKind::Monthly:
        return SeedRecommend(MonthRecommendSeed(date), kMonthDigitTable);
    }
    return std::nullopt;
}

} // namespace velmora
