// --game: every command that reads a history reads the game's, by the game's line
// rule, and 排列三 refuses what it has no draws for (test codes).
#include "CliRun.h"
#include "TempDir.h"
#include "core/draw/AppPaths.h"
#include "core/draw/DrawText.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace velmora;
using velmora::test::CliResult;
using velmora::test::ReadBytes;
using velmora::test::RunCliArgs;
using velmora::test::TempDir;
using velmora::test::WriteBytes;

namespace fs = std::filesystem;

namespace {

// Twelve 排列三 draws, enough for smart shrink and the recommendations.
std::string Pl3Draws()
{
    std::string text;
    for (int i = 1; i <= 12; ++i)
        text += "2026" + std::to_string(240 + i) + "," + std::to_string(100 + i * 67 % 900) + "\r\n";
    return text;
}

const std::string kDraws3d = "2026001,111,222,0,0\r\n2026002,333,444,0,0\r\n";

struct Row {
    const char* name;
    std::vector<std::string> args; // "DATA", "DATA3D", "SCHEME" and "SOURCE" stand for files
    int code;
    std::string out; // compared when not "*"
    std::string err; // compared when not "*"
};

} // namespace

TEST(CliGame, CommandsWithPl3)
{
    TempDir dir;
    const std::string pl3 = Pl3Draws();
    WriteBytes(dir.File("pl3.ldf"), pl3);
    WriteBytes(dir.File("3d.ldf"), kDraws3d);
    WriteBytes(dir.File("base.txt"), "123 456 789 012 345 678 901 234 567 890\n");
    WriteBytes(dir.File("test.json"),
        R"({"format": "velmora-scheme", "version": 1, "conditions": {"recent-test": [{"row": 1, "counts": []}]}})");
    WriteBytes(dir.File("testempty.json"),
        R"({"format": "velmora-scheme", "version": 1, "conditions": {"recent-test": [], "sums": [10]}})");
    WriteBytes(dir.File("testbad.json"),
        R"({"format": "velmora-scheme", "version": 1, "conditions": {"recent-test": [{"row": 1, "counts": [1]}], "sums": [40]}})");
    const std::string bad = std::string(kBadLinesMessage) + "\n";
    const std::string noTest = "方案文件格式错误：排列三没有试机号（recent-test）\n";
    const std::vector<Row> rows = {
        { "history prints YYYYIII,DDD", { "history", "--game", "pl3", "--data", "DATA" }, 0,
            "2026241,167\n2026242,234\n2026243,301\n2026244,368\n2026245,435\n2026246,502\n2026247,569\n"
            "2026248,636\n2026249,703\n2026250,770\n2026251,837\n2026252,904\n",
            "" },
        { "a 3D file is bad lines in 排列三", { "history", "--game", "pl3", "--data", "DATA3D" }, 1, "",
            bad + "1,2,\n" },
        { "a 排列三 file is bad lines in 3D", { "history", "--data", "DATA" }, 1, "",
            bad + "1,2,3,4,5,6,7,8,9,10,\n11,12,\n" },
        { "--game 3d is the default", { "history", "--game", "3d", "--data", "DATA3D" }, 0,
            "2026001,111,222,0,0\n2026002,333,444,0,0\n", "" },
        { "another game", { "history", "--game", "PL3", "--data", "DATA" }, 2, "", "*" },
        { "an empty game", { "chart", "trend", "--game", "", "--data", "DATA" }, 2, "", "*" },
        { "filter runs on the 排列三 draws",
            { "filter", "--game", "pl3", "--recent-draw", "3:3", "--data", "DATA" }, 0,
            "缩水结果有6注\n\n049,094,409,490,904,940,\n\n", "" },
        { "--recent-test refused", { "filter", "--game", "pl3", "--recent-test", "1:0", "--data", "DATA" }, 2,
            "", "*" },
        { "a scheme with test-code rows",
            { "filter", "--game", "pl3", "--scheme", "test.json", "--data", "DATA" }, 1, "", noTest },
        { "an empty recent-test list is accepted",
            { "filter", "--game", "pl3", "--scheme", "testempty.json", "--data", "DATA" }, 0, "*", "" },
        { "the rest of the scheme is checked first",
            { "filter", "--game", "pl3", "--scheme", "testbad.json", "--data", "DATA" }, 1, "", "*" },
        { "3D takes the test-code scheme", { "filter", "--scheme", "test.json", "--data", "DATA3D" }, 0, "*",
            "" },
        { "backtest refuses --recent-test",
            { "backtest", "--game", "pl3", "--recent-test", "2:1", "--data", "DATA" }, 2, "", "*" },
        { "backtest on 排列三",
            { "backtest", "--game", "pl3", "--last", "2", "--report", "conditions", "--recent-draw", "3:0",
                "--data", "DATA" },
            0, "条件,验证期数,通过期数,通过率,当前连续未通过,最大连续未通过\n近期开奖3,2,1,50.0%,0,1\n", "" },
        { "smart shrink", { "smart-shrink", "--game", "pl3", "--base", "base.txt", "--data", "DATA" }, 0, "*",
            "" },
        { "chart", { "chart", "sum", "--game", "pl3", "--n", "2", "--data", "DATA" }, 0, "*", "" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> args;
        for (const std::string& arg : row.args)
            args.push_back(arg == "DATA"     ? dir.File("pl3.ldf")
                    : arg == "DATA3D"        ? dir.File("3d.ldf")
                    : arg.ends_with(".json") ? dir.File(arg)
                    : arg == "base.txt"      ? dir.File(arg)
                                             : arg);
        const CliResult r = RunCliArgs(args);
        EXPECT_EQ(r.code, row.code) << r.err;
        if (row.out != "*") {
            EXPECT_EQ(r.out, row.out);
        }
        if (row.err != "*") {
            EXPECT_EQ(r.err, row.err);
        }
        if (row.code == 2) {
            EXPECT_NE(r.err.find(row.args[2] == "--game" ? "--game" : row.args[3]), std::string::npos)
                << r.err;
        }
    }
}

// The day recommendation strikes digits by the draw codes only.
TEST(CliGame, RecommendDayWithoutTestCodes)
{
    TempDir dir;
    std::string text;
    for (int i = 1; i <= 10; ++i)
        text += "2026" + std::to_string(100 + i) + ",555\r\n";
    WriteBytes(dir.File("pl3.ldf"), text);
    const CliResult r = RunCliArgs(
        { "recommend", "day", "--game", "pl3", "--date", "2026-09-24", "--data", dir.File("pl3.ldf") });
    ASSERT_EQ(r.code, 0) << r.err;
    // 0 is never struck (no test code), 5 is; sums 6..22 but not 15.
    EXPECT_NE(r.out.find("006,"), std::string::npos);
    EXPECT_EQ(r.out.find("056,"), std::string::npos);
    EXPECT_EQ(r.out.find("069,"), std::string::npos);
}

// Each game has its own data file, built-in history and backups in the one folder.
class CliGameFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : { "lotdata.ldf", "pl3data.ldf" })
            if (fs::exists(fs::symlink_status(executableFolder() + name)))
                GTEST_SKIP() << "a portable data file stands beside the test binary";
        ::setenv("XDG_DATA_HOME", m_dir.path().c_str(), 1);
    }
    void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }
    TempDir m_dir;
};

TEST_F(CliGameFiles, BuiltInHistoryMergeAndBackups)
{
    const std::string folder = m_dir.File("velmora");
    const CliResult builtIn = RunCliArgs({ "history", "--game", "pl3" });
    ASSERT_EQ(builtIn.code, 0);
    EXPECT_EQ(std::count(builtIn.out.begin(), builtIn.out.end(), '\n'), 7732);
    EXPECT_EQ(builtIn.out.substr(0, 12), "2004001,192\n");
    EXPECT_FALSE(fs::exists(folder));

    // Merging into no file takes the built-in history as the local side.
    WriteBytes(m_dir.File("update.txt"),
        "期号 日期 百 十 个\n2026257 2026-09-24 4 9 3 93402486\n2099001 2099-01-01 1 2 3\n");
    const CliResult first = RunCliArgs({ "merge", m_dir.File("update.txt"), "--game", "pl3" });
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out.substr(0, first.out.find('\n')).starts_with("新增1期，更正"), true) << first.out;
    EXPECT_TRUE(fs::exists(folder + "/pl3data.ldf"));
    EXPECT_FALSE(fs::exists(folder + "/lotdata.ldf"));
    EXPECT_TRUE(ReadBytes(folder + "/pl3data.ldf").ends_with("2099001,123\r\n"));

    // A correction is listed with the draw codes alone, and the old file is kept.
    WriteBytes(m_dir.File("fix.txt"), "2099001,124\r\n");
    const CliResult fixed = RunCliArgs({ "merge", m_dir.File("fix.txt"), "--game", "pl3" });
    ASSERT_EQ(fixed.code, 0) << fixed.err;
    EXPECT_EQ(fixed.out, "新增0期，更正1期，共7733期\n2099001：123 → 124\n");
    const CliResult wrongGame = RunCliArgs({ "merge", m_dir.File("fix.txt") });
    EXPECT_EQ(wrongGame.code, 1);

    // A 3D merge beside it: each game lists only its own backups.
    WriteBytes(folder + "/lotdata.ldf", kDraws3d);
    WriteBytes(m_dir.File("fix3d.txt"), "2026002,333,445,0,0\r\n");
    ASSERT_EQ(RunCliArgs({ "merge", m_dir.File("fix3d.txt") }).code, 0);
    const CliResult pl3Backups = RunCliArgs({ "backups", "--game", "pl3" });
    const CliResult backups3d = RunCliArgs({ "backups" });
    ASSERT_EQ(pl3Backups.code, 0);
    ASSERT_EQ(backups3d.code, 0);
    EXPECT_EQ(std::count(pl3Backups.out.begin(), pl3Backups.out.end(), '\n'), 2);
    EXPECT_NE(pl3Backups.out.find("\npl3data-"), std::string::npos);
    EXPECT_NE(pl3Backups.out.find(",7733,2099001\n"), std::string::npos) << pl3Backups.out;
    EXPECT_EQ(std::count(backups3d.out.begin(), backups3d.out.end(), '\n'), 2);
    EXPECT_NE(backups3d.out.find("\nlotdata-"), std::string::npos);
    EXPECT_EQ(backups3d.out.find("pl3data"), std::string::npos);
}
