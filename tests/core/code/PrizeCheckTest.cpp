#include "core/code/PrizeCheck.h"
#include "core/code/CodeSetText.h"

#include <gtest/gtest.h>

using namespace velmora;
using Outcome = velmora::PrizeCheckResult::Outcome;

namespace {

struct SearchRow {
    const char* name;
    const char* memo;
    const char* entry;
    Outcome outcome;
    std::size_t position;
};

const SearchRow kRows[] = {
    { "EntryInCodeLine", "000,001,123,\n", "123", Outcome::Found, 8 },
    { "FirstEntry", "123,456,\n", "123", Outcome::Found, 0 },
    { "HeaderCountIsNoCode", "缩水结果有123注\n\n000,001,\n\n", "123", Outcome::NotFound, 0 },
    { "CodeAfterHeaderCountsCharacters", "缩水结果有123注\n\n000,123,\n\n", "123", Outcome::Found, 15 },
    { "PartOfLongerRun", "12345,\n", "234", Outcome::NotFound, 0 },
    { "DigitBefore", "1123,\n", "123", Outcome::NotFound, 0 },
    { "LaterWholeEntry", "1123, 123\n", "123", Outcome::Found, 6 },
    { "TypedByHandAmongText", "我买了 789 号\n", "789", Outcome::Found, 4 },
    { "HeaderWithoutNumberIsSearched", "共123个\n", "123", Outcome::Found, 1 },
    { "FirstLineNotAHeaderIsSearched", "123注\n", "123", Outcome::Found, 0 },
    { "HeaderOnlyFirstLine", "abc\n缩水结果有123注\n", "123", Outcome::Found, 9 },
    { "EmojiCountsTwoUnits", "\xF0\x9F\x98\x80 555,\n", "555", Outcome::Found, 3 },
    { "CodeAtEndWithoutBreak", "001,002", "002", Outcome::Found, 4 },
    { "NonDigitEntrySearchedNotFound", "abc,\n", "abc", Outcome::NotFound, 0 },
    { "ThreeChineseCharacters", "一二三\n", "一二三", Outcome::NotFound, 0 },
    { "EmptyMemo", "", "000", Outcome::NotFound, 0 },
    { "OneCharacterNotSearched", "005,\n", "5", Outcome::NotSearched, 0 },
    { "FourCharactersNotSearched", "1234,\n", "1234", Outcome::NotSearched, 0 },
    { "EmptyEntryNotSearched", "000,\n", "", Outcome::NotSearched, 0 },
};

class PrizeSearch : public ::testing::TestWithParam<SearchRow> { };

} // namespace

TEST_P(PrizeSearch, Row)
{
    const SearchRow& r = GetParam();
    const PrizeCheckResult result = findCodeInText(r.memo, r.entry);
    EXPECT_EQ(result.result, r.outcome);
    if (r.outcome == Outcome::Found) {
        EXPECT_EQ(result.position, r.position);
    }
}

INSTANTIATE_TEST_SUITE_P(rows, PrizeSearch, ::testing::ValuesIn(kRows),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrizeCheck, StatusTexts)
{
    EXPECT_EQ(findCodeInText("005,\n", "005").statusText, "恭喜，找到号码005");
    EXPECT_EQ(findCodeInText("005,\n", "006").statusText, "抱歉，没有找到号码006");
    EXPECT_EQ(findCodeInText("005,\n", "5").statusText, "");
}

TEST(PrizeCheck, EveryCodeOfAResultTextIsFoundAndNoOther)
{
    CodeSet set;
    for (int c = 0; c < 1000; c += 7)
        set[c] = 1;
    // A three-digit count in the header: 143 codes.
    const std::string memo = joinLines(resultTextLines("缩水结果有", set), "\n");
    ASSERT_EQ(memo.rfind("缩水结果有143注", 0), 0u);
    for (int c = 0; c < 1000; ++c) {
        const std::string entry = std::to_string(1000 + c).substr(1);
        const PrizeCheckResult result = findCodeInText(memo, entry);
        EXPECT_EQ(result.result == Outcome::Found, set.has(c)) << entry;
    }
}
