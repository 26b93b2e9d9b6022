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
    { "LettersSaySo", "abc,\n", "12a", Outcome::Malformed, "开奖号码应为3位数字：12a", "", "" },
    { "ThreeChineseCharactersSaySo", "一二三\n", "一二三", Outcome::Malformed, "开奖号码应为3位数字：一二三",
        "", "" },
    { "OneDigitSaysSo", "005,\n", "5", Outcome::Malformed, "开奖号码应为3位数字：5", "", "" },
    { "FourDigitsSaySo", "1234,\n", "1234", Outcome::Malformed, "开奖号码应为3位数字：1234", "", "" },
    { "NothingEnteredNotSearched", "005,\n", "", Outcome::NotSearched, "", "", "" },
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

namespace {

struct WholeRow {
    const char* name;
    const char* memo;
    int drawCode;
    const char* status;
    const char* direct;
    const char* group;
};

const WholeRow kWholeRows[] = {
    { "DirectAndTwoOfGroupSix", "缩水结果共5注\n\n145,154,451,999,514,\n", 154,
        "按最新一期兑奖（第2026178期，开奖号154）：直选1注1040元，组选3注519元，共1559元", "13", "9 17 25" },
    { "GroupThreeOnly", "211,121,\n", 112,
        "按最新一期兑奖（第2026178期，开奖号112）：直选0注0元，组选2注692元，共692元", "", "0 4" },
    { "TripleWinsDirectOnly", "555,556,\n", 555,
        "按最新一期兑奖（第2026178期，开奖号555）：直选1注1040元，组选0注0元，共1040元", "0", "" },
    { "NothingWon", "缩水结果有830注\n\n001,\n", 38,
        "按最新一期兑奖（第2026178期，开奖号038）：直选0注0元，组选0注0元，共0元", "", "" },
};

class WholeResultCheck : public ::testing::TestWithParam<WholeRow> { };

} // namespace

TEST_P(WholeResultCheck, Row)
{
    const WholeRow& r = GetParam();
    const ResultPrizeReport report = checkResultAgainstDraw(r.memo, { 2026, 178, 0, r.drawCode, 0, 0 });
    EXPECT_EQ(report.statusText, r.status);
    EXPECT_EQ(positions(report.directHits), r.direct);
    EXPECT_EQ(positions(report.groupHits), r.group);
    EXPECT_EQ(report.prize(), report.directPrize + report.groupPrize);
}

INSTANTIATE_TEST_SUITE_P(rows, WholeResultCheck, ::testing::ValuesIn(kWholeRows),
    [](const auto& info) { return std::string(info.param.name); });
