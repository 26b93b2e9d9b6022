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
    // The digit lists, '|' between lists (H|T|U, BANKERS|DRAGS); the number list of sums and spans.
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
    { "DirectMultiOneEach", NumberTool::DirectMulti, {}, {}, "1|2|3", 1, "123," },
    { "DirectMultiIsAProduct", NumberTool::DirectMulti, {}, {}, "0,9|5|1 2 3", 6,
        "051,052,053,951,952,953," },
    { "DirectMultiAllDigits", NumberTool::DirectMulti, {}, {}, "0123456789|0123456789|0123456789", 1000,
        "*" },
    { "SumZeroIsOneCode", NumberTool::Sums, {}, {}, "0", 1, "000," },
    { "SumOneIsThreeCodes", NumberTool::Sums, {}, {}, "1,27", 4, "001,010,100,999," },
    { "SumTenIs63Codes", NumberTool::Sums, {}, {}, "10", 63, "*" },
    { "EverySumIsEveryCode", NumberTool::Sums, {}, {},
        "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,"
        "22,23,24,25,26,27",
        1000, "*" },
    { "SpanZeroIsTheTriples", NumberTool::Spans, {}, {}, "0", 10,
        "000,111,222,333,444,555,666,777,888,999," },
    { "SpanNine", NumberTool::Spans, {}, {}, "9", 54, "*" },
    { "DantuoOneBankerTwoDrags", NumberTool::Dantuo, {}, {}, "1|2,3", 5, "112,113,122,123,133," },
    { "DantuoTwoBankersOneDrag", NumberTool::Dantuo, {}, {}, "12|3", 3, "112,122,123," },
    { "DantuoBankerGivenTwice", NumberTool::Dantuo, {}, {}, "11|2", 2, "112,122," },
};

void PrintTo(const ToolRow& row, std::ostream* os) { *os << row.name; }

class NumberToolRows : public ::testing::TestWithParam<ToolRow> { };

NumberToolInputs inputsOf(const ToolRow& r)
{
    NumberToolInputs in { r.a, r.b, {}, {} };
    const int highest = numberToolInfo(r.tool).highest;
    if (highest > 0) {
        in.numbers = parseNumberList(r.digits, highest).value();
        return in;
    }
    std::string_view rest = r.digits;
    for (DigitSet& digits : in.digits) {
        const std::size_t bar = std::min(rest.find('|'), rest.size());
        digits = digitsOf(std::string(rest.substr(0, bar)));
        rest.remove_prefix(std::min(bar + 1, rest.size()));
    }
    return in;
}

} // namespace

TEST_P(NumberToolRows, Row)
{
    const ToolRow& r = GetParam();
    const CodeSet result = runNumberTool(r.tool, inputsOf(r));
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

TEST(NumberTools, NumberLists)
{
    const struct {
        const char* text;
        int highest;
        const char* numbers; // the numbers read, blank-separated, or "-" for a refused text
    } rows[] = {
        { "10", 27, "10" },
        { "27,0,27", 27, "0 27" },
        { "05", 9, "5" },
        { "9", 9, "9" },
        { "10", 9, "-" },
        { "28", 27, "-" },
        { "", 27, "-" },
        { "1,", 27, "-" },
        { ",1", 27, "-" },
        { "1,,2", 27, "-" },
        { "1 2", 27, "-" },
        { "1;2", 27, "-" },
        { "-1", 27, "-" },
        { "99999999999999999999", 27, "-" },
    };
    for (const auto& row : rows) {
        const std::optional<NumberSet> numbers = parseNumberList(row.text, row.highest);
        std::string read = numbers ? "" : "-";
        for (std::size_t n = 0; numbers && n < numbers->size(); ++n)
            read += (*numbers)[n] ? (read.empty() ? "" : " ") + std::to_string(n) : "";
        EXPECT_EQ(read, row.numbers) << row.text;
    }
}

TEST(NumberTools, DantuoProblems)
{
    const struct {
        const char* bankers;
        const char* drags;
        DantuoProblem problem;
    } rows[] = {
        { "1", "2", DantuoProblem::None },
        { "12", "3456789", DantuoProblem::None },
        { "11", "2", DantuoProblem::None },
        { "123", "4", DantuoProblem::BankerCount },
        { "", "4", DantuoProblem::BankerCount },
        { "1", "", DantuoProblem::NoDrag },
        { "12", "23", DantuoProblem::BankerIsDrag },
    };
    for (const auto& row : rows)
        EXPECT_EQ(dantuoProblem(digitsOf(row.bankers), digitsOf(row.drags)), row.problem)
            << row.bankers << " " << row.drags;
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

// The bet forms by enumerating every code and testing it as the rule is worded.
Codes plainDirectMulti(const DigitSet& h, const DigitSet& t, const DigitSet& u)
{
    Codes out;
    for (int c = 0; c < 1000; ++c) {
        const std::string d = digitsText(c);
        if (h[static_cast<std::size_t>(d[0] - '0')] && t[static_cast<std::size_t>(d[1] - '0')]
            && u[static_cast<std::size_t>(d[2] - '0')])
            out.insert(c);
    }
    return out;
}

Codes plainSumsAndSpans(const NumberSet& numbers, bool span)
{
    Codes out;
    for (int c = 0; c < 1000; ++c) {
        const std::string d = digitsText(c);
        const auto [low, high] = std::minmax_element(d.begin(), d.end());
        const int value = span ? *high - *low : (d[0] - '0') + (d[1] - '0') + (d[2] - '0');
        if (numbers[static_cast<std::size_t>(value)])
            out.insert(c);
    }
    return out;
}

Codes plainDantuo(const DigitSet& bankers, const DigitSet& drags)
{
    Codes out;
    for (int c = 0; c < 1000; ++c) {
        const std::string d = digitsText(c);
        if (!std::is_sorted(d.begin(), d.end()) || (d[0] == d[1] && d[1] == d[2]))
            continue;
        bool allowed = true;
        for (const char ch : d)
            allowed = allowed && (bankers | drags)[static_cast<std::size_t>(ch - '0')];
        bool holdsBankers = true;
        for (std::size_t b = 0; b < 10; ++b)
            holdsBankers
                = holdsBankers && (!bankers[b] || d.find(static_cast<char>('0' + b)) != std::string::npos);
        if (allowed && holdsBankers)
            out.insert(c);
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
        const DigitSet tens(random() & 0x3FFU);
        const DigitSet units(random() & 0x3FFU);
        const NumberSet numbers(random() & 0xFFFFFFFU);
        EXPECT_EQ(codesOf(directMulti(digits, tens, units)), plainDirectMulti(digits, tens, units));
        EXPECT_EQ(codesOf(codesWithSums(numbers)), plainSumsAndSpans(numbers, false));
        EXPECT_EQ(codesOf(codesWithSpans(numbers)), plainSumsAndSpans(numbers, true));
        // Mostly one or two bankers, as players give them.
        const DigitSet bankers = digits & DigitSet(1U << (random() % 10) | 1U << (random() % 10));
        EXPECT_EQ(codesOf(dantuoGroups(bankers, tens)), plainDantuo(bankers, tens));
        if (HasFailure())
            FAIL() << "round " << round;
    }
}
