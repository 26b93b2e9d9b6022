// Smart recommendation ("智能推荐"): the daily set from the 4 latest draws, and
// the weekly and monthly sets from a fixed digit table driven by the date.
#pragma once

#include "core/code/CodeSet.h"
#include "core/draw/DrawRecord.h"
#include "core/game/Game.h"

#include <array>
#include <optional>
#include <string>

namespace velmora {

inline constexpr const char* kRecommendLeadingText = "智能推荐结果有";
inline constexpr const char* kRecommendRefusal = "开奖数据期数少于10期，无法继续完成智能推荐！！";
inline constexpr int kRecommendMinDraws = 10;

enum class RecommendKind { Daily, Weekly, Monthly };

// Local calendar date: year (four digits), month 1..12, day 1..31, weekday
// 1 = Sunday .. 7 = Saturday.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    int weekday = 0;
};

inline constexpr std::array<int, 40> kWeekDigitTable = { 1, 4, 2, 5, 7, 0, 9, 6, 8, 3, 8, 7, 2, 3, 0, 4, 5, 9,
    6, 1, 8, 5, 2, 9, 1, 3, 6, 4, 7, 0, 0, 1, 3, 6, 5, 9, 4, 2, 7, 8 };
// The third block holds the digit 9 twice and no 8.
inline constexpr std::array<int, 40> kMonthDigitTable = { 3, 1, 0, 6, 5, 4, 9, 2, 7, 8, 1, 3, 2, 8, 7, 0, 9,
    6, 4, 5, 7, 9, 4, 2, 0, 1, 5, 9, 6, 3, 8, 5, 2, 3, 1, 7, 0, 4, 9, 6 };

// The word of the kind: "每日推荐", "每周推荐", "每月推荐".
const char* recommendKindWord(RecommendKind kind);

// The page's label and status text: the kind's word, the count, "注号码".
std::string recommendTipText(RecommendKind kind, const CodeSet& codes);

// Codes whose digit at each position occurs at that position in none of the draw
// codes of the 4 latest draws (fewer if the history is shorter) nor in their test
// codes when the game has them, whose sum lies in 6..22 and equals the sum of none
// of those draw codes.
CodeSet dailyRecommend(const Game& game, const DrawHistory& history);

// year * 100 + the day of the month of the week's Saturday (counted on past the
// month's end: up to 37).
int weekRecommendSeed(const CalendarDate& date);
// year * 100 + month.
int monthRecommendSeed(const CalendarDate& date);

// The codes picked from the table by the seed in 149 rounds.
CodeSet seedRecommend(int seed, const std::array<int, 40>& table);

// The recommendation of the kind, or nullopt when the history holds fewer than
// 10 draws (show kRecommendRefusal and change nothing), for every kind.
std::optional<CodeSet> recommend(
    const Game& game, RecommendKind kind, const DrawHistory& history, const CalendarDate& date);

} // namespace velmora
