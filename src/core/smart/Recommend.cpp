#include "core/smart/Recommend.h"

#include "core/code/Code.h"
#include "core/code/CodeSetText.h"

#include <algorithm>

namespace velmora {

const char* recommendKindWord(RecommendKind kind)
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

std::string recommendTipText(RecommendKind kind, const CodeSet& codes)
{
    return recommendKindWord(kind) + std::to_string(codeSetCount(codes)) + "注号码";
}

CodeSet dailyRecommend(const Game& game, const DrawHistory& history)
{
    // Digits seen at each position, and sums of the draw codes, in the 4 latest draws.
    bool seen[3][10] = {};
    bool drawSum[28] = {};
    const std::size_t window = std::min<std::size_t>(4, history.size());
    for (std::size_t i = history.size() - window; i < history.size(); ++i) {
        const DrawRecord& r = history[i];
        for (int p = 1; p <= 3; ++p) {
            if (game.hasTestCodes)
                seen[p - 1][digitAt(r.testCode, p)] = true;
            seen[p - 1][digitAt(r.drawCode, p)] = true;
        }
        drawSum[sumOfCode(r.drawCode, false)] = true;
    }

    CodeSet codes;
    for (int c = 0; c < CodeSet::kSize; ++c) {
        const int s = sumOfCode(c, false);
        codes[c] = !seen[0][digitAt(c, 1)] && !seen[1][digitAt(c, 2)] && !seen[2][digitAt(c, 3)] && s >= 6
            && s <= 22 && !drawSum[s];
    }
    return codes;
}

int weekRecommendSeed(const CalendarDate& date) { return date.year * 100 + (date.day + 7 - date.weekday); }

int monthRecommendSeed(const CalendarDate& date) { return date.year * 100 + date.month; }

CodeSet seedRecommend(int seed, const std::array<int, 40>& table)
{
    CodeSet codes;
    int slot[3] = { 1, 1, 1 }; // units, tens, hundreds
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

std::optional<CodeSet> recommend(
    const Game& game, RecommendKind kind, const DrawHistory& history, const CalendarDate& date)
{
    if (history.size() < static_cast<std::size_t>(kRecommendMinDraws))
        return std::nullopt;
    switch (kind) {
    case RecommendKind::Daily:
        return dailyRecommend(game, history);
    case RecommendKind::Weekly:
        return seedRecommend(weekRecommendSeed(date), kWeekDigitTable);
    case RecommendKind::Monthly:
        return seedRecommend(monthRecommendSeed(date), kMonthDigitTable);
    }
    return std::nullopt;
}

} // namespace velmora
