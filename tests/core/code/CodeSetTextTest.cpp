#include "core/code/CodeSetText.h"
#include "core/draw/DrawText.h"

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

TEST(readCodeList, FreeTextRules)
{
    struct Row {
        const char* name;
        const char* text;
        std::vector<int> codes;
    } rows[] = {
        { "four digits give the first three", "1234", { 123 } },
        { "six digits give two codes", "123456", { 123, 456 } },
        { "two digits give nothing", "12", {} },
        { "a broken group gives nothing", "1 23\n4,56", {} },
        { "codes never span lines", "12\n3", {} },
        { "any separators", " 007,abc 999\t中 010", { 7, 999, 10 } },
        { "duplicates set once", "555 555", { 555 } },
        { "header with three-digit count", "缩水结果有123注\r\n\r\n001,", { 1 } },
        { "header after a byte-order mark", "\xEF\xBB\xBF组选共120注\n005", { 5 } },
        { "header with blanks after 注", "组选共120注 \t\r\n002", { 2 } },
        { "header ends at a lone CR", "直选共100注\r003", { 3 } },
        { "header on the last line", "004\n智能推荐结果有250注", { 4 } },
        { "digits after 注 make no header", "共123注456", { 123, 456 } },
        { "a full-width space after 注 makes no header", "共123注\xE3\x80\x80", { 123 } },
        { "注 inside the line makes no header", "123注,", { 123 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CodeSet expected;
        for (int c : row.codes)
            expected[c] = 1;
        EXPECT_EQ(readCodeList(row.text).codes, expected);
    }
}

TEST(readCodeList, ResultTextReadsBackItsCodes)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        CodeSet set;
        for (int c = 0; c < 1000; ++c)
            set[c] = rng() % 3 == 0;
        const CodeListRead back = readCodeList(joinLines(resultTextLines("缩水结果有", set), "\r\n"));
        ASSERT_EQ(back.codes, set);
        EXPECT_TRUE(back.badItems.empty());
    }
}

TEST(readCodeList, ScanAgreesWithStepwiseReading)
{
    std::mt19937 rng(11);
    const std::string alphabet = "0123456789012345678901234567 ,\t\r\n\xE4\xB8\xAD"
                                 "a\xE6\xB3\xA8";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int k = rng() % 60; k > 0; --k)
            text += alphabet[rng() % alphabet.size()];
        if (rng() % 4 == 0)
            text += "注";
        // The oracle: the lines one by one, headers dropped, each read step by step.
        std::vector<std::string> lines;
        for (const std::string& line : splitLines(text))
            if (!isCodeListHeader(line))
                lines.push_back(line);
        ASSERT_EQ(readCodeList(text).codes, ReadByTakeSteps(lines)) << text;
    }
}

TEST(readTicketCodes, StrictReading)
{
    const std::string many = "1a 2a 3a 4a 5a 6a 7a 8a 9a 10a 11a";
    const std::string longItem = std::string(61, 'x');
    const struct {
        const char* name;
        std::string text;
        std::vector<int> codes;
        std::string error;
    } rows[] = {
        { "codes with every separator", "001,002;003，004；005、006 007\t008\r\n009\r010\n",
            { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }, "" },
        { "header line skipped", "\xEF\xBB\xBF缩水结果有2注\n\n123,456,\n", { 123, 456 }, "" },
        { "empty text", "", {}, "" },
        { "four digits", "123 1234", {}, "号码有误：1234" },
        { "digits and letters", "12a,123abc", {}, "号码有误：12a、123abc" },
        { "two digits", "12", {}, "号码有误：12" },
        { "full-width digits", "\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x93", {},
            "号码有误：\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x93" },
        { "a full-width space is no separator",
            "123\xE3\x80\x80"
            "456",
            {},
            "号码有误：123\xE3\x80\x80"
            "456" },
        { "a digit-free word", "123 abc", {}, "号码有误：abc" },
        { "ten listed, then 等", many, {}, "号码有误：1a、2a、3a、4a、5a、6a、7a、8a、9a、10a等" },
        { "a long item cut", longItem, {}, "号码有误：" + std::string(60, 'x') + "…" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const TicketCodesRead read = readTicketCodes(row.text);
        CodeSet expected;
        for (int c : row.codes)
            expected[c] = 1;
        EXPECT_EQ(read.codes, expected);
        EXPECT_EQ(read.error, row.error);
        EXPECT_EQ(read.ok(), row.error.empty());
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
