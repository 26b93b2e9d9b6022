// 历史验证 (the history check): how a set of conditions would have done on each
// of the latest draws, the filter run each time on the history before the draw.
#pragma once

#include "core/draw/DrawRecord.h"
#include "core/filter/FilterConditions.h"
#include "core/filter/FilterUnits.h"
#include "core/play/Play.h"

#include <string>
#include <vector>

namespace velmora {

inline constexpr const char* kBacktestTooManyDrawsMessage = "设置的验证期数超过总期数!!";
inline constexpr const char* kBacktestNoDataMessage = "没有开奖数据，无法验证!";

// One target draw of the history check.
struct BacktestDraw {
    int index = 0; // the target draw's index in the history
    int keptCount = 0; // codes the filter kept on the history before it
    bool hit = false; // its draw code is among them
    UnitMask active = 0; // the units active for it
    UnitMask failed = 0; // the active units its draw code fails

    friend bool operator==(const BacktestDraw&, const BacktestDraw&) = default;
};

// The latest `count` draws of the history as target draws, oldest first; count
// is clamped to 0..history.size(). Everything that does not depend on the
// target draw is computed once, so every draw of a long history takes
// milliseconds.
std::vector<BacktestDraw> runBacktest(
    const FilterConditions& conditions, const Tolerance& tolerance, const DrawHistory& history, int count);

// One unit over the target draws.
struct BacktestUnitStats {
    int unit = 0;
    int checked = 0; // target draws for which it was active
    int passed = 0; // of those, the draws whose code passed it
    int currentFailRun = 0; // latest draws in a row that failed it (inactive ends the run)
    int longestFailRun = 0; // the longest such run

    friend bool operator==(const BacktestUnitStats&, const BacktestUnitStats&) = default;
};

// The units active for at least one target draw, in unit order; none for no draws.
std::vector<BacktestUnitStats> backtestUnitStats(const std::vector<BacktestDraw>& draws);

struct BacktestSummary {
    int draws = 0;
    int hits = 0;
    long long keptTotal = 0;
    int fewestKept = 0; // 0 when there are no draws
    int mostKept = 0;

    friend bool operator==(const BacktestSummary&, const BacktestSummary&) = default;
};

// Totals over the checked draws; no draws give a summary of zeros.
BacktestSummary backtestSummary(const std::vector<BacktestDraw>& draws);

// The three reports as velmora-cli prints them (CSV, LF-ended lines, header
// first). The draws report reads issue and code from the history by index.
std::string backtestDrawsCsv(const std::vector<BacktestDraw>& draws, const DrawHistory& history);
std::string backtestUnitsCsv(const std::vector<BacktestUnitStats>& units);
std::string backtestSummaryCsv(const BacktestSummary& summary);

// The money report: every kept code bought as one 直选 bet at every target draw.
struct BacktestMoney {
    long long staked = 0; // 2 yuan a kept code
    long long prize = 0; // the 直选 prize a hit

    long long profit() const { return prize - staked; }
};
BacktestMoney backtestMoney(const BacktestSummary& summary);

// What a random pick of the same numbers of codes would hit on average:
// 100·keptTotal/(1000·draws) as a rate.
std::string chanceRate(const BacktestSummary& summary);

// The money report as velmora-cli prints it: header and one line.
std::string backtestMoneyCsv(const BacktestSummary& summary);

// The money figures: "投入X元，奖金Y元，盈亏Z元，回报率R".
std::string backtestMoneyText(const BacktestSummary& summary);
// The summary as two lines of text for the window:
// "验证N期，命中H期，命中率R（随机C），平均注数A，最少F注，最多M注", LF, backtestMoneyText.
std::string backtestSummaryText(const BacktestSummary& summary);

} // namespace velmora
