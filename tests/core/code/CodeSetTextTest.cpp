#include "core/code/CodeSetText.h"

#include <gtest/gtest.h>
#include <random>

using namespace velmora;

namespace {

CodeSet SetOf(std::initializer_list<int> codes)
{
    CodeSet set;
    for (int c : codes)
        set[c] = 1;
    return set;
}

// Reading by repeated takeCodeFromText, exactly as a line is read step by step.
CodeSet ReadByTakeSteps(const std::vector<std::string>& lines)
{
    CodeSet set;
    for (std::string copy : lines) {
        while (!copy.empty())
            if (const std::optional<int> code = takeCodeFromText(copy))
                set[*code] = 1;
    }
    return set;
}

} // namespace

TEST(CodeArr, HoldsExactlyThousandFlagsAndRefusesOutOfRange)
{
    CodeSet set;
    EXPECT_EQ(set.size(), 1000);
    EXPECT_EQ(codeSetCount(set), 0);
    set.fill(true);
    EXPECT_EQ(codeSetCount(set), 1000);
    EXPECT_THROW(set[1000], std::out_of_range);
    EXPECT_THROW(set[-1], std::out_of_range);
}

TEST(codeSetToLines, LineLayout)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(codeSetToLines(CodeSet {}), V { "" });
    EXPECT_EQ(codeSetToLines(SetOf({ 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 })),
        (V { "000,001,002,003,004,005,006,007,008,009,", "" }));
    EXPECT_EQ(codeSetToLines(SetOf({ 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 999 })),
        (V { "000,001,002,003,004,005,006,007,008,009,", "999,", "" }));

    CodeSet all;
    all.fill(true);
    const auto lines = codeSetToLines(all);
    ASSERT_EQ(lines.size(), 101u);
    for (std::size_t i = 0; i < 100; ++i)
        EXPECT_EQ(lines[i].size(), 40u);
    EXPECT_EQ(lines.back(), "");
}

TEST(ResultText, HeaderCountAndEmptyLines)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(resultTextLines("缩水结果有", CodeSet {}), (V { "缩水结果有0注", "", "" }));
    EXPECT_EQ(resultTextLines("智能推荐结果有", SetOf({ 7, 123 })),
        (V { "智能推荐结果有2注", "", "007,123,", "" }));
    EXPECT_EQ(joinLines({ "a", "", "b,", "" }, "\r\n"), "a\r\n\r\nb,\r\n\r\n");
}

TEST(linesToCodeSet, FreeTextRules)
{
    struct Row {
        const char* name;
        std::vector<std::string> lines;
        std::vector<int> codes;
    } rows[] = {
        { "four digits give the first three", { "1234" }, { 123 } },
        { "six digits give two codes", { "123456" }, { 123, 456 } },
        { "two digits give nothing", { "12" }, {} },
        { "a broken group gives nothing", { "1 23", "4,56" }, {} },
        { "header with three-digit count", { "缩水结果有123注" }, { 123 } },
        { "header with two-digit count", { "缩水结果有45注" }, {} },
        { "any separators", { " 007,abc 999\t中 010" }, { 7, 999, 10 } },
        { "duplicates set once", { "555 555" }, { 555 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CodeSet expected;
        for (int c : row.codes)
            expected[c] = 1;
        CodeSet target;
        target.fill(true); // must be cleared first
        linesToCodeSet(row.lines, target);
        EXPECT_EQ(target, expected);
        EXPECT_EQ(ReadByTakeSteps(row.lines), expected);
    }
}

TEST(linesToCodeSet, RoundTripOfCodeLines)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        CodeSet set;
        for (int c = 0; c < 1000; ++c)
            set[c] = rng() % 3 == 0;
        CodeSet back;
        linesToCodeSet(codeSetToLines(set), back);
        ASSERT_EQ(back, set);
    }
}

TEST(linesToCodeSet, ScanAgreesWithStepwiseReading)
{
    std::mt19937 rng(11);
    const std::string alphabet = "0123456789012345678901234567 ,\t\r\xE4\xB8\xAD"
                                 "a";
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> lines(1 + rng() % 3);
        for (auto& line : lines)
            for (int k = rng() % 30; k > 0; --k)
                line += alphabet[rng() % alphabet.size()];
        CodeSet fast;
        linesToCodeSet(lines, fast);
        ASSERT_EQ(fast, ReadByTakeSteps(lines)) << lines[0];
    }
}

TEST(takeCodeFromText, Steps)
{
    std::string text = "  x12 007,";
    EXPECT_EQ(takeCodeFromText(text), std::nullopt); // "x" dropped
    EXPECT_EQ(text, "12 007,");
    EXPECT_EQ(takeCodeFromText(text), std::nullopt); // "1" not followed by two digits
    EXPECT_EQ(takeCodeFromText(text), std::nullopt);
    EXPECT_EQ(takeCodeFromText(text), 7);
    EXPECT_EQ(text, ",");
    EXPECT_EQ(takeCodeFromText(text), std::nullopt);
    EXPECT_EQ(text, "");
}
