// velmora-cli's analysis additions: backtest, filter --tolerance, schemes and
// the omission table.
#include "CliRun.h"
#include "TempDir.h"
#include "core/filter/Scheme.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace velmora::test;

namespace {

// The five draws of the hand-worked history check (BacktestTest).
const char* const kFiveDraws = "2026001,123,000,1,1\r\n2026002,567,000,1,1\r\n2026003,408,000,1,1\r\n"
                               "2026004,448,000,1,1\r\n2026005,955,000,1,1\r\n";

class CliAnalysis : public ::testing::Test {
protected:
    void SetUp() override { WriteBytes(m_data, kFiveDraws); }
    CliResult run(std::vector<std::string> args)
    {
        args.insert(args.end(), { "--data", m_data });
        return RunCliArgs(args);
    }
    std::string header(const CliResult& r) { return r.out.substr(0, r.out.find('\n')); }
    TempDir m_dir;
    std::string m_data = m_dir.File("draws.txt");
};

} // namespace

TEST_F(CliAnalysis, BacktestReports)
{
    const std::vector<std::string> conditions = { "--hundreds", "0,1,2,3,4", "--recent-draw", "3:0" };
    auto backtest = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = { "backtest" };
        args.insert(args.end(), conditions.begin(), conditions.end());
        args.insert(args.end(), extra.begin(), extra.end());
        return run(args);
    };
    // The default N of 100 is above the five draws: the message, then every draw.
    CliResult r = backtest({});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "设置的验证期数超过总期数!!\n");
    EXPECT_EQ(r.out,
        "期号,开奖号,注数,命中,未通过\n"
        "2026001,123,500,1,\n"
        "2026002,567,98,0,百位\n"
        "2026003,408,245,1,\n"
        "2026004,448,147,0,近期开奖3\n"
        "2026005,955,256,0,百位\n");

    r = backtest({ "--last", "5", "--report", "conditions" });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
        "条件,验证期数,通过期数,通过率,当前连续未通过,最大连续未通过\n"
        "近期开奖3,4,3,75.0%,0,1\n"
        "百位,5,3,60.0%,1,1\n");

    r = backtest({ "--last", "2", "--report", "summary" });
    EXPECT_EQ(r.out, "验证期数,命中期数,命中率,平均注数,最少注数,最多注数\n2,0,0.0%,201.5,147,256\n");

    r = backtest({ "--last", "005", "--report", "summary", "--tolerance", "0-1" });
    EXPECT_EQ(r.out, "验证期数,命中期数,命中率,平均注数,最少注数,最多注数\n5,5,100.0%,759.0,598,1000\n");

    r = backtest({ "--last", "99999999999999", "--report", "summary" });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "设置的验证期数超过总期数!!\n");

    // 1246 codes kept over five draws, two of them hit.
    r = backtest({ "--last", "5", "--report", "money" });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
        "验证期数,命中期数,命中率,随机命中率,投入,奖金,盈亏,回报率\n5,2,40.0%,24.9%,2492,2080,-412,83.5%\n");
}

TEST_F(CliAnalysis, BacktestRefusals)
{
    const struct {
        std::vector<std::string> args;
        int code;
        const char* errStart;
    } rows[] = {
        { { "backtest", "--last", "0" }, 2, "--last" },
        { { "backtest", "--last", "-1" }, 2, "--last" },
        { { "backtest", "--last", "ten" }, 2, "--last" },
        { { "backtest", "--report", "units" }, 2, "--report" },
        { { "backtest", "--tolerance", "2-1" }, 2, "--tolerance" },
        { { "backtest", "--tolerance", "-1" }, 2, "--tolerance" },
        { { "backtest", "--tolerance", "a" }, 2, "--tolerance" },
        { { "backtest", "--sums", "30" }, 2, "--sums" },
        { { "backtest", "--scheme", "/nonexistent/s.json" }, 3, "无法读取文件/nonexistent/s.json" },
    };
    for (const auto& row : rows) {
        const CliResult r = run(row.args);
        EXPECT_EQ(r.code, row.code) << row.args.back();
        EXPECT_EQ(r.err.rfind(row.errStart, 0), 0u) << r.err;
        EXPECT_EQ(r.out, "");
    }

    WriteBytes(m_data, "");
    const CliResult r = run({ "backtest", "--last", "3" });
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "没有开奖数据，无法验证!\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(CliAnalysis, FilterTolerance)
{
    const struct {
        const char* tolerance;
        const char* header;
    } rows[] = {
        { "0", "缩水结果有10注" },
        { "0-0", "缩水结果有10注" },
        { "1-1", "缩水结果有180注" },
        { "1", "缩水结果有190注" },
        { "2-2", "缩水结果有810注" },
        { "3-9", "缩水结果有0注" },
    };
    for (const auto& row : rows) {
        const CliResult r
            = run({ "filter", "--hundreds", "1", "--units", "3", "--tolerance", row.tolerance });
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(header(r), row.header) << row.tolerance;
    }
    for (const char* bad : { "1-0", "-1", "1-", "x", "1.5", " 1" })
        EXPECT_EQ(run({ "filter", "--tolerance", bad }).code, 2) << bad;
}

TEST_F(CliAnalysis, SchemeOptionsReplaceTheSchemesValuesOneByOne)
{
    const std::string scheme = m_dir.File("s.vscheme.json");
    WriteBytes(scheme,
        R"({"format": "velmora-scheme", "version": 1, "conditions": {"sums": [10], "min-digit": 1,
           "max-digit": 8, "recent-draw": [{"row": 3, "counts": [0]}],
           "recent-test": [{"row": 3, "counts": [3]}], "tolerance": "0-1"}})");
    const struct {
        const char* name;
        std::vector<std::string> withScheme;
        std::vector<std::string> same;
    } rows[] = {
        { "scheme alone", {},
            { "--sums", "10", "--min-digit", "1", "--max-digit", "8", "--recent-draw", "3:0", "--recent-test",
                "3:3", "--tolerance", "1" } },
        { "min-digit keeps max-digit", { "--min-digit", "0" },
            { "--sums", "10", "--max-digit", "8", "--recent-draw", "3:0", "--recent-test", "3:3",
                "--tolerance", "1" } },
        { "recent-draw keeps recent-test", { "--recent-draw", "1:1" },
            { "--sums", "10", "--min-digit", "1", "--max-digit", "8", "--recent-draw", "1:1", "--recent-test",
                "3:3", "--tolerance", "1" } },
        { "tolerance", { "--tolerance", "0" },
            { "--sums", "10", "--min-digit", "1", "--max-digit", "8", "--recent-draw", "3:0", "--recent-test",
                "3:3" } },
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = { "filter", "--scheme", scheme };
        args.insert(args.end(), row.withScheme.begin(), row.withScheme.end());
        std::vector<std::string> direct = { "filter" };
        direct.insert(direct.end(), row.same.begin(), row.same.end());
        const CliResult a = run(args);
        const CliResult b = run(direct);
        EXPECT_EQ(a.code, 0) << row.name << ": " << a.err;
        EXPECT_EQ(a.out, b.out) << row.name;
        EXPECT_NE(header(a), "缩水结果有1000注") << row.name;
    }
}

TEST_F(CliAnalysis, BadSchemeRunsNothingAndWritesNothing)
{
    const std::string scheme = m_dir.File("bad.vscheme.json");
    WriteBytes(scheme, R"({"format": "velmora-scheme", "version": 1, "conditions": {"colour": 1}})");
    const std::string out = m_dir.File("out.txt");
    const std::string saved = m_dir.File("saved.vscheme.json");
    const CliResult r = run({ "filter", "--scheme", scheme, "--out", out, "--save-scheme", saved });
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "方案文件格式错误：未知的键\"colour\"\n");
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(saved));
}

TEST_F(CliAnalysis, SaveSchemeWritesWhatTheRunUsed)
{
    const std::string saved = m_dir.File("saved.vscheme.json");
    const std::vector<std::string> options = { "--banker", "5", "--hit-group", "12:1", "--hit-group", "3:0",
        "--pairs-out", "17", "--smb", "300,111", "--tolerance", "1-2" };
    std::vector<std::string> args = { "filter", "--save-scheme", saved };
    args.insert(args.end(), options.begin(), options.end());
    const CliResult first = run(args);
    ASSERT_EQ(first.code, 0) << first.err;

    velmora::FilterScheme expected;
    expected.conditions.bankers[0] = 6;
    expected.conditions.hitGroups[0] = { "12", { false, true, false, false } };
    expected.conditions.hitGroups[1] = { "3", { true, false, false, false } };
    expected.conditions.pairsOut = "17";
    expected.conditions.smbPatterns[0] = expected.conditions.smbPatterns[4] = true;
    expected.tolerance = { 1, 2 };
    const velmora::SchemeReadResult read = velmora::readSchemeFile(saved);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(*read.scheme, expected);
    EXPECT_EQ(run({ "filter", "--scheme", saved }).out, first.out);

    const CliResult unwritable = run({ "filter", "--save-scheme", m_dir.File("no/such/dir.json") });
    EXPECT_EQ(unwritable.code, 3);
    EXPECT_EQ(unwritable.err.rfind("无法写入文件", 0), 0u) << unwritable.err;
    EXPECT_EQ(unwritable.out, "");
}

TEST_F(CliAnalysis, ChartOmission)
{
    CliResult r = run({ "chart", "omission", "--n", "5" });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    ASSERT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 82);
    EXPECT_EQ(header(r), "项目,号码,出现次数,当前遗漏,最大遗漏,平均遗漏");
    // 百位 4 in draws 3 and 4 of five (408, 448).
    EXPECT_NE(r.out.find("\n百位,4,2,1,2,1\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n类型,豹子,0,5,5,5\n"), std::string::npos);

    r = run({ "chart", "omission" });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "设置的查询期数超过总期数!!\n");

    r = run({ "chart", "omission", "--colors" });
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("--colors"), std::string::npos);
}
