// The number tools: groups of a code list, groups expanded, 包号 (the groups of some
// digits), set operations between two code lists, and the bet forms players buy in
// (定位复式, 和值, 跨度, 组选胆拖). A code list is a CodeSet; a group set is a CodeSet
// of group codes (digits ascending: 38 stands for "038").
#pragma once

#include "core/code/CodeSet.h"

#include <array>
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

// 定位复式: every code whose hundreds digit is in h, tens in t and units in u.
CodeSet directMulti(DigitSet h, DigitSet t, DigitSet u);

// Flags of the numbers 0..27 of a number list (和值 0..27, 跨度 0..9).
using NumberSet = std::bitset<28>;

// 和值: every code whose digit sum is in the set.
CodeSet codesWithSums(const NumberSet& sums);

// 跨度: every code whose span (largest minus smallest digit) is in the set.
CodeSet codesWithSpans(const NumberSet& spans);

// What is wrong with a 组选胆拖 input: one or two banker digits, at least one drag
// digit, no digit in both.
enum class DantuoProblem { None, BankerCount, NoDrag, BankerIsDrag };
DantuoProblem dantuoProblem(DigitSet bankers, DigitSet drags);

// 组选胆拖: every group of three digits, not a 豹子, that holds each banker digit
// and whose digits are all banker or drag digits.
CodeSet dantuoGroups(DigitSet bankers, DigitSet drags);

// The digits of a digit list: ASCII digits, separated or not by ',' ';' ' ' or a tab;
// a digit given twice counts once. Nothing when the text holds any other character
// or no digit.
std::optional<DigitSet> parseDigitList(std::string_view text);

// The numbers of a number list: ASCII decimal numbers 0..highest separated by
// commas only; a number given twice counts once. Nothing for any other text (an
// empty item, a blank, a number above highest, an empty text).
std::optional<NumberSet> parseNumberList(std::string_view text, int highest);

enum class NumberTool {
    Group,
    Expand,
    Group6,
    Group3,
    Union,
    Intersect,
    Difference,
    DirectMulti,
    Sums,
    Spans,
    Dantuo,
};

// What a tool takes: one code list, a digit list, two code lists, three digit
// lists (hundreds, tens, units), a number list 0..NumberToolInfo::highest, or
// two digit lists (bankers, drags).
enum class NumberToolInput { OneList, Digits, TwoLists, ThreeDigitLists, Numbers, TwoDigitLists };

struct NumberToolInfo {
    NumberTool tool;
    // Its name on the command line (velmora-cli codes NAME).
    const char* name;
    NumberToolInput input;
    // The leading text of the result's header: "组选共" for a group set, "直选共" for codes.
    const char* leadingText;
    // The largest number of a number list (Numbers only).
    int highest = 0;
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
    { NumberTool::DirectMulti, "direct-multi", NumberToolInput::ThreeDigitLists, kDirectLeadingText },
    { NumberTool::Sums, "sums", NumberToolInput::Numbers, kDirectLeadingText, 27 },
    { NumberTool::Spans, "spans", NumberToolInput::Numbers, kDirectLeadingText, 9 },
    { NumberTool::Dantuo, "dantuo", NumberToolInput::TwoDigitLists, kGroupLeadingText },
};

// The inputs of a tool run; each tool reads the parts of its NumberToolInput:
// OneList a, TwoLists a and b, Digits digits[0], ThreeDigitLists digits[0..2],
// TwoDigitLists digits[0] (bankers) and digits[1] (drags), Numbers numbers.
struct NumberToolInputs {
    CodeSet a;
    CodeSet b;
    std::array<DigitSet, 3> digits {};
    NumberSet numbers;
};

// The table row of the tool.
const NumberToolInfo& numberToolInfo(NumberTool tool);

// The tool named on the command line, or nothing.
std::optional<NumberTool> numberToolNamed(std::string_view name);

// Runs the tool on the inputs it reads. A 组选胆拖 with a DantuoProblem gives
// the groups its definition gives (callers check the problem first).
CodeSet runNumberTool(NumberTool tool, const NumberToolInputs& inputs);

} // namespace velmora
