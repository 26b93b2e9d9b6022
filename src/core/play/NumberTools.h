// The number tools: groups of a code list, groups expanded, 包号 (the groups of some
// digits), and set operations between two code lists. A code list is a CodeSet; a
// group set is a CodeSet of group codes (digits ascending: 38 stands for "038").
#pragma once

#include "core/code/CodeSet.h"

#include <bitset>
#include <optional>
#include <string_view>

namespace velmora {

// The digits 0..9 of a digit list, one flag each.
using DigitSet = std::bitset<10>;

// The groups of the codes: one group code per group any code belongs to (豹子
// groups included).
CodeSet groupsOf(const CodeSet& codes);

// Every code of every group that a code of the set belongs to; the set's codes are
// read as groups in any digit order (830 stands for the group 038).
CodeSet expandGroups(const CodeSet& codes);

// The 组六 groups of three different digits of the set: C(k, 3) of k digits.
CodeSet group6Pack(DigitSet digits);

// The 组三 groups of a pair digit and a different single digit, both of the set:
// k·(k−1) of k digits.
CodeSet group3Pack(DigitSet digits);

// Codes in a or b, in both, in a but not in b.
CodeSet unionOf(const CodeSet& a, const CodeSet& b);
CodeSet intersectionOf(const CodeSet& a, const CodeSet& b);
CodeSet differenceOf(const CodeSet& a, const CodeSet& b);

// The digits of a digit list: ASCII digits, separated or not by ',' ';' ' ' or a tab;
// a digit given twice counts once. Nothing when the text holds any other character
// or no digit.
std::optional<DigitSet> parseDigitList(std::string_view text);

enum class NumberTool { Group, Expand, Group6, Group3, Union, Intersect, Difference };

// What a tool takes: one code list, a digit list, or two code lists.
enum class NumberToolInput { OneList, Digits, TwoLists };

struct NumberToolInfo {
    NumberTool tool;
    // Its name on the command line (velmora-cli codes NAME).
    const char* name;
    NumberToolInput input;
    // The leading text of the result's header: "组选共" for a group set, "直选共" for codes.
    const char* leadingText;
};

inline constexpr const char* kGroupLeadingText = "组选共";
inline constexpr const char* kDirectLeadingText = "直选共";

inline constexpr NumberToolInfo kNumberTools[] = {
    { NumberTool::Group, "group", NumberToolInput::OneList, kGroupLeadingText },
    { NumberTool::Expand, "expand", NumberToolInput::OneList, kDirectLeadingText },
    { NumberTool::Group6, "group6", NumberToolInput::Digits, kGroupLeadingText },
    { NumberTool::Group3, "group3", NumberToolInput::Digits, kGroupLeadingText },
    { NumberTool::Union, "union", NumberToolInput::TwoLists, kDirectLeadingText },
    { NumberTool::Intersect, "intersect", NumberToolInput::TwoLists, kDirectLeadingText },
    { NumberTool::Difference, "diff", NumberToolInput::TwoLists, kDirectLeadingText },
};

// The table row of the tool.
const NumberToolInfo& numberToolInfo(NumberTool tool);

// The tool named on the command line, or nothing.
std::optional<NumberTool> numberToolNamed(std::string_view name);

// Runs the tool: a one-list tool reads a, a two-list tool a and b, a pack the digits.
CodeSet runNumberTool(NumberTool tool, const CodeSet& a, const CodeSet& b, DigitSet digits);

} // namespace velmora
