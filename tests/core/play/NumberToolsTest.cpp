#include "core/play/NumberTools.h"
#include "core/code/CodeSetText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>

using namespace velmora;

namespace {

CodeSet setOf(std::initializer_list<int> codes)
{
    CodeSet set;
    for (const int c : codes)
        set[c] = 1;
    return set;
}

CodeSet allCodes()
{
    CodeSet set;
    set.fill(true);
    return set;
}

DigitSet digitsOf(const std::string& text) { return parseDigitList(text).value_or(DigitSet()); }

std::string listText(const CodeSet& codes) { return joinLines(codeSetToLines(codes), ""); }

struct ToolRow {
    const char* name;
    NumberTool tool;
    CodeSet a;
    CodeSet b;
    const char* digits;
    int count;
    // The result's codes when short enough to spell out, else "*".
    const char* codes;
};

const ToolRow kRows[] = {
    { "GroupOfEmpty", NumberTool::Group, {}, {}, "", 0, "" },
    { "GroupOfAllIsEveryGroup", NumberTool::Group, allCodes(), {}, "", 220, "*" },
    { "GroupOf000", NumberTool::Group, setOf({ 0 }), {}, "", 1, "000," },
    { "GroupOfOneGroupsCodes", NumberTool::Group, setOf({ 308, 380, 830 }), {}, "", 1, "038," },
    { "GroupKeepsTriples", NumberTool::Group, setOf({ 111, 999, 191 }), {}, "", 3, "111,119,999," },
    { "ExpandOfEmpty", NumberTool::Expand, {}, {}, "", 0, "" },
    { "ExpandOf038IsSixCodes", NumberTool::Expand, setOf({ 38 }), {}, "", 6, "038,083,308,380,803,830," },
    { "ExpandReadsAnyOrder", NumberTool::Expand, setOf({ 830 }), {}, "", 6, "038,083,308,380,803,830," },
    { "ExpandOfPairIsThree", NumberTool::Expand, setOf({ 121 }), {}, "", 3, "112,121,211," },
    { "ExpandOfTripleIsItself", NumberTool::Expand, setOf({ 0 }), {}, "", 1, "000," },
    { "ExpandOfAllIsAll", NumberTool::Expand, allCodes(), {}, "", 1000, "*" },
    { "Group6OfOneDigit", NumberTool::Group6, {}, {}, "5", 0, "" },
    { "Group6OfTwoDigits", NumberTool::Group6, {}, {}, "12", 0, "" },
    { "Group6OfThreeDigits", NumberTool::Group6, {}, {}, "8,3,0", 1, "038," },
    { "Group6OfFourDigits", NumberTool::Group6, {}, {}, "1234", 4, "123,124,134,234," },
    { "Group6OfTenDigits", NumberTool::Group6, {}, {}, "0123456789", 120, "*" },
    { "Group3OfOneDigit", NumberTool::Group3, {}, {}, "7", 0, "" },
    { "Group3OfTwoDigitsIsTwoGroups", NumberTool::Group3, {}, {}, "12", 2, "112,122," },
    { "Group3OfTenDigits", NumberTool::Group3, {}, {}, "9876543210", 90, "*" },
    { "UnionWithEmpty", NumberTool::Union, setOf({ 5, 7 }), {}, "", 2, "005,007," },
    { "UnionOfAllAndSome", NumberTool::Union, allCodes(), setOf({ 5 }), "", 1000, "*" },
    { "UnionOverlapping", NumberTool::Union, setOf({ 1, 2 }), setOf({ 2, 3 }), "", 3, "001,002,003," },
    { "IntersectWithEmpty", NumberTool::Intersect, allCodes(), {}, "", 0, "" },
    { "IntersectWithAll", NumberTool::Intersect, setOf({ 999 }), allCodes(), "", 1, "999," },
    { "IntersectOverlapping", NumberTool::Intersect, setOf({ 1, 2 }), setOf({ 2, 3 }), "", 1, "002," },
    { "DiffAllMinusAll", NumberTool::Difference, allCodes(), allCodes(), "", 0, "" },
    { "DiffMinusEmpty", NumberTool::Difference, setOf({ 1, 2 }), {}, "", 2, "001,002," },
    { "DiffIsOneSided", NumberTool::Difference, setOf({ 1, 2 }), setOf({ 2, 3 }), "", 1, "001," },
};

void PrintTo(const ToolRow& row, std::ostream* os) { *os << row.name; }

class NumberToolRows : public ::testing::TestWithParam<ToolRow> { };

} // namespace

TEST_P(NumberToolRows, Row)
{
    const ToolRow& r = GetParam();
    const CodeSet result = runNumberTool(r.tool, r.a, r.b, digitsOf(r.digits));
    EXPECT_EQ(codeSetCount(result), r.count);
    if (std::string_view(r.codes) != "*") {
        EXPECT_EQ(listText(result), r.codes);
    }
}

INSTANTIATE_TEST_SUITE_P(rows, NumberToolRows, ::testing::ValuesIn(kRows),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberTools, DigitLists)
{
    const struct {
        const char* text;
        const char* digits; // the digits read, or "-" for a refused text
    } rows[] = {
        { "0369", "0369" }, { "0,3,6,9", "0369" }, { "9;6 3\t0", "0369" }, { "0033", "03" }, { ",5,", "5" },
        { "", "-" }, { ", ;", "-" }, { "1-2", "-" }, { "12a", "-" }, { "1\n2", "-" },
        { "\xEF\xBC\x91", "-" }, // a full-width 1
    };
    for (const auto& row : rows) {
        const std::optional<DigitSet> digits = parseDigitList(row.text);
        std::string read = digits ? "" : "-";
        for (std::size_t d = 0; digits && d < 10; ++d)
            read += (*digits)[d] ? std::to_string(d) : "";
        EXPECT_EQ(read, row.digits) << row.text;
    }
}

namespace {

// The straightforward versions, on sorted sets of codes.
using Codes = std::set<int>;

std::string digitsText(int code) { return std::to_string(1000 + code).substr(1); }

int sortedCode(std::string digits)
{
    std::sort(digits.begin(), digits.end());
    return std::stoi(digits);
}

Codes plainGroups(const Codes& codes)
{
    Codes out;
    for (const int c : codes)
        out.insert(sortedCode(digitsText(c)));
    return out;
}

Codes plainExpand(const Codes& codes)
{
    Codes out;
    for (const int c : plainGroups(codes)) {
        std::string digits = digitsText(c);
        do
            out.insert(std::stoi(digits));
        while (std::next_permutation(digits.begin(), digits.end()));
    }
    return out;
}

Codes plainPack(const DigitSet& digits, bool pairs)
{
    Codes out;
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            for (int z = 0; z < 10; ++z) {
                const bool chosen = digits[static_cast<std::size_t>(x)] && digits[static_cast<std::size_t>(y)]
                    && digits[static_cast<std::size_t>(z)];
                const bool six = x < y && y < z;
                const bool pair = (x == y && y < z) || (x < y && y == z);
                if (chosen && (pairs ? pair : six))
                    out.insert(x * 100 + y * 10 + z);
            }
    return out;
}

Codes codesOf(const CodeSet& set)
{
    Codes out;
    for (int c = 0; c < CodeSet::kSize; ++c)
        if (set.has(c))
            out.insert(c);
    return out;
}

} // namespace

TEST(NumberTools, AgreeWithPlainSetsOverRandomLists)
{
    std::mt19937 random(19);
    for (int round = 0; round < 300; ++round) {
        // Densities from nearly empty to nearly full.
        std::bernoulli_distribution pickA((round % 10 + 0.5) / 10.0);
        std::bernoulli_distribution pickB(((round / 10) % 10 + 0.5) / 10.0);
        CodeSet a;
        CodeSet b;
        Codes plainA;
        Codes plainB;
        for (int c = 0; c < CodeSet::kSize; ++c) {
            if (pickA(random)) {
                a[c] = 1;
                plainA.insert(c);
            }
            if (pickB(random)) {
                b[c] = 1;
                plainB.insert(c);
            }
        }
        const DigitSet digits(random() & 0x3FFU);
        Codes both;
        Codes either;
        Codes onlyA;
        std::set_intersection(
            plainA.begin(), plainA.end(), plainB.begin(), plainB.end(), std::inserter(both, both.end()));
        std::set_union(
            plainA.begin(), plainA.end(), plainB.begin(), plainB.end(), std::inserter(either, either.end()));
        std::set_difference(
            plainA.begin(), plainA.end(), plainB.begin(), plainB.end(), std::inserter(onlyA, onlyA.end()));
        EXPECT_EQ(codesOf(groupsOf(a)), plainGroups(plainA));
        EXPECT_EQ(codesOf(expandGroups(a)), plainExpand(plainA));
        EXPECT_EQ(codesOf(group6Pack(digits)), plainPack(digits, false));
        EXPECT_EQ(codesOf(group3Pack(digits)), plainPack(digits, true));
        EXPECT_EQ(codesOf(intersectionOf(a, b)), both);
        EXPECT_EQ(codesOf(unionOf(a, b)), either);
        EXPECT_EQ(codesOf(differenceOf(a, b)), onlyA);
        if (HasFailure())
            FAIL() << "round " << round;
    }
}
