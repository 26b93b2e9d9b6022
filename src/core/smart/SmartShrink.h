// Smart shrink ("智能缩水"): cuts a base set to the share chosen by the level,
// dropping the codes whose digits scored highest in the 10 latest draw codes.
#pragma once

#include "core/code/CodeSet.h"
#include "core/draw/DrawRecord.h"

#include <array>
#include <optional>
#include <string>

namespace velmora {

inline constexpr const char* kSmartShrinkLeadingText = "智能缩水结果有";
inline constexpr const char* kSmartShrinkRefusal = "开奖数据期数少于10期，无法继续完成智能缩水！！";
inline constexpr int kSmartShrinkWindow = 10;
inline constexpr int kMinShrinkLevel = 0;
inline constexpr int kMaxShrinkLevel = 6;

// Digit counts over the draw codes of the last (at most 10) draws, then folded:
// with mean = sum div 10 + 1, a digit whose count is more than 1 below the mean
// gets 2 * mean - count.
std::array<int, 10> smartShrinkDigitWeights(const DrawHistory& history);

// How many of n base codes the level keeps: n * (100 - 12 * level) div 100.
int smartShrinkTarget(int baseCount, int level);

// The result, or nullopt when the history holds fewer than 10 draws (show
// kSmartShrinkRefusal and change nothing). The kept codes are those of the
// lowest weights (sum of their digits' weights); at a tie on the boundary the
// higher codes are kept.
std::optional<CodeSet> smartShrink(const CodeSet& base, int level, const DrawHistory& history);

// The result label and status text: "智能缩水结果有" N "注".
std::string smartShrinkResultText(const CodeSet& result);

// The base label and status text after "导入号码": "总共导入" N "注号码".
std::string smartShrinkImportText(const CodeSet& imported);

} // namespace velmora
