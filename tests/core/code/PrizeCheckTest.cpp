#include "core/code/PrizeCheck.h"
#include "core/code/CodeSetText.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

// The codes found, each as "code@position", joined by blanks.
std::string found(std::string_view memo)
{
    std::string text;
    for (const CodeInText& c : codesInText(memo))
        text += (text.empty() ? "" : " ") + std::to_string(c.code) + "@" + std::to_string(c.position);
    return text;
}

struct SearchRow {
    const char* name;
    const char* memo;
    const char* codes;
};

const SearchRow kRows[] = {
    { "EmptyMemo", "", "" },
    { "CodeLine", "000,001,123,\n", "0@0 1@4 123@8" },
    { "HeaderCountIsNoCode", "缩水结果有123注\n\n000,\n\n", "0@11" },
    { "GroupHeaderCountIsNoCode", "组选共220注\n\n038,\n\n", "38@9" },
    { "PartOfLongerRun", "12345,\n", "" },
    { "DigitBefore", "1123, 123\n", "123@6" },
    { "TwoDigitsAreNoCode", "12, 7\n", "" },
    { "TypedByHandAmongText", "我买了 789 号\n", "789@4" },
    { "HeaderWithoutNumberIsSearched", "共123个\n", "123@1" },
    { "FirstLineNotAHeaderIsSearched", "123注\n", "123@0" },
    { "HeaderOnlyFirstLine", "abc\n缩水结果有123注\n", "123@9" },
    { "EmojiCountsTwoUnits", "\xF0\x9F\x98\x80 555,\n", "555@3" },
    { "CodeAtEndWithoutBreak", "001,002", "1@0 2@4" },
    { "RepeatsKept", "005 005", "5@0 5@4" },
};

class PrizeSearch : public ::testing::TestWithParam<SearchRow> { };

} // namespace

TEST_P(PrizeSearch, Row) { EXPECT_EQ(found(GetParam().memo), GetParam().codes); }

INSTANTIATE_TEST_SUITE_P(rows, PrizeSearch, ::testing::ValuesIn(kRows),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrizeCheck, EveryCodeOfAResultTextIsFoundAndNoOther)
{
    CodeSet set;
    for (int c = 0; c < 1000; c += 7)
        set[c] = 1;
    // A three-digit count in the header: 143 codes.
    const std::string memo = joinLines(resultTextLines("缩水结果有", set), "\n");
    ASSERT_EQ(memo.rfind("缩水结果有143注", 0), 0u);
    // Six Chinese characters in the header: bytes are units plus 12.
    CodeSet read;
    for (const CodeInText& c : codesInText(memo)) {
        EXPECT_EQ(memo.substr(c.position + 12, 3), std::to_string(1000 + c.code).substr(1));
        read[c.code] = 1;
    }
    EXPECT_EQ(read, set);
}
