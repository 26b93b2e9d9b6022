#include "core/play/PrizeCheckReport.h"

#include <gtest/gtest.h>

using namespace velmora;
using Outcome = PrizeCheckReport::Outcome;

namespace {

std::string positions(const std::vector<std::size_t>& at)
{
    std::string text;
    for (const std::size_t p : at)
        text += (text.empty() ? "" : " ") + std::to_string(p);
    return text;
}

struct ReportRow {
    const char* name;
    const char* memo;
    const char* entry;
    Outcome outcome;
    const char* status;
    const char* direct;
    const char* group;
};

const ReportRow kRows[] = {
    { "DirectOnly", "038,123,\n", "038", Outcome::Found, "直选命中：038（直选1040元）", "0", "" },
    { "GroupSixOnly", "组选共3注\n\n308,380,456,\n", "038", Outcome::Found,
        "同组号码：308、380（按组选投注：组六173元）", "", "7 11" },
    { "GroupThreeOnly", "211,\n", "112", Outcome::Found, "同组号码：211（按组选投注：组三346元）", "", "0" },
    { "BothJoined", "830,038,308,\n", "038", Outcome::Found,
        "直选命中：038（直选1040元）；同组号码：308、830（按组选投注：组六173元）", "4", "0 8" },
    { "RepeatsNamedOnceMarkedEach", "380 380 038 038\n", "038", Outcome::Found,
        "直选命中：038（直选1040元）；同组号码：380（按组选投注：组六173元）", "8 12", "0 4" },
    { "TripleHasNoGroupMates", "555,\n", "555", Outcome::Found, "直选命中：555（直选1040元）", "0", "" },
    { "Neither", "308,380,\n", "123", Outcome::NotFound, "抱歉，没有找到号码123", "", "" },
    { "HeaderCountIsNoCode", "缩水结果有830注\n\n001,\n", "038", Outcome::NotFound, "抱歉，没有找到号码038",
        "", "" },
    { "LongerRunIsNoCode", "03801\n", "038", Outcome::NotFound, "抱歉，没有找到号码038", "", "" },
    { "LettersSearchedNeverFound", "abc,\n", "abc", Outcome::NotFound, "抱歉，没有找到号码abc", "", "" },
    { "ThreeChineseCharacters", "一二三\n", "一二三", Outcome::NotFound, "抱歉，没有找到号码一二三", "", "" },
    { "OneCharacterNotSearched", "005,\n", "5", Outcome::NotSearched, "", "", "" },
    { "FourCharactersNotSearched", "1234,\n", "1234", Outcome::NotSearched, "", "", "" },
};

class PrizeReport : public ::testing::TestWithParam<ReportRow> { };

} // namespace

TEST_P(PrizeReport, Row)
{
    const ReportRow& r = GetParam();
    const PrizeCheckReport report = checkPrizeInText(r.memo, r.entry);
    EXPECT_EQ(report.outcome, r.outcome);
    EXPECT_EQ(report.statusText, r.status);
    EXPECT_EQ(positions(report.directHits), r.direct);
    EXPECT_EQ(positions(report.groupHits), r.group);
}

INSTANTIATE_TEST_SUITE_P(rows, PrizeReport, ::testing::ValuesIn(kRows),
    [](const auto& info) { return std::string(info.param.name); });
