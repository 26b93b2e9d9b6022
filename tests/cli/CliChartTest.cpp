#include "CliRun.h"
#include "TempDir.h"
#include "core/draw/DrawText.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace velmora::test;

namespace {

// Three draws, oldest first; the latest is 2026003 with 505.
const char* const kThreeDraws = "2026001,123,000,1,1\r\n2026002,069,111,1,1\r\n2026003,505,222,1,1\r\n";

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

class CliChart : public ::testing::Test {
protected:
    void SetUp() override { WriteBytes(m_data, kThreeDraws); }
    CliResult run(std::vector<std::string> args)
    {
        args.insert(args.begin(), "chart");
        args.insert(args.end(), { "--data", m_data });
        return RunCliArgs(args);
    }
    TempDir m_dir;
    std::string m_data = m_dir.File("draws.txt");
};

} // namespace

TEST_F(CliChart, PrintsTheGridAsCsv)
{
    const CliResult r = run({ "kline", "--n", "2" });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    ASSERT_EQ(r.out.back(), '\n');
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 5u); // rows 0 to N + 2
    EXPECT_EQ(lines[0],
        "期号,号码,号码,号码,百位,百位,百位,百位,百位,百位,百位,百位,百位,百位,"
        "十位,十位,十位,十位,十位,十位,十位,十位,十位,十位,"
        "个位,个位,个位,个位,个位,个位,个位,个位,个位,个位");
    EXPECT_EQ(lines[1], "期号,百,十,个,0,1,2,3,4,5,6,7,8,9,0,1,2,3,4,5,6,7,8,9,0,1,2,3,4,5,6,7,8,9");
    EXPECT_EQ(lines[2], "2026003,5,0,5,,,,,,5,,,,,0,,,,,,,,,,,,,,,5,,,,");
    EXPECT_EQ(lines[3], "2026002,0,6,9,0,,,,,,,,,,,,,,,,6,,,,,,,,,,,,,9");
    EXPECT_EQ(lines[4], "合计,,,,1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,0,1,0,0,0,0,0,0,0,0,1,0,0,0,1");
}

TEST_F(CliChart, ColoursInsteadOfTexts)
{
    const CliResult r = run({ "trend", "--n", "1", "--colors" });
    EXPECT_EQ(r.code, 0);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::string(28, ','));
    EXPECT_EQ(lines[1], std::string(28, ','));
    EXPECT_EQ(lines[2], ",,,,#008000,,,,,#ff0000" + std::string(19, ','));
    std::string grey = "#d8d8d8";
    for (int i = 1; i < 29; ++i)
        grey += ",#d8d8d8";
    EXPECT_EQ(lines[3], grey);
}

TEST_F(CliChart, NTable)
{
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::size_t lines;
        std::string err;
    };
    const Row rows[] = {
        { "default N 30 is clamped", { "sum" }, 6, "设置的查询期数超过总期数!!\n" },
        { "N above the history", { "tail", "--n", "4" }, 6, "设置的查询期数超过总期数!!\n" },
        { "N equal to the history", { "oddeven", "--n", "3" }, 6, "" },
        { "negative N builds as 0", { "bigsmall", "--n", "-1" }, 3, "" },
        { "zero", { "trend", "--n", "0" }, 3, "" },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const CliResult result = run(r.args);
        EXPECT_EQ(result.code, 0);
        EXPECT_EQ(result.err, r.err);
        EXPECT_EQ(Lines(result.out).size(), r.lines);
    }
}

TEST_F(CliChart, Refusals)
{
    struct Row {
        const char* name;
        std::vector<std::string> args;
        int code;
        std::string errStart;
    };
    const Row rows[] = {
        { "unknown chart", { "chart", "pie" }, 2, "kind: pie" },
        { "no chart", { "chart" }, 2, "" },
        { "N not a number", { "chart", "sum", "--n", "x" }, 2, "" },
        { "missing data file", { "chart", "sum", "--data", m_dir.File("none.txt") }, 3, "无法读取文件" },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const CliResult result = RunCliArgs(r.args);
        EXPECT_EQ(result.code, r.code);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind(r.errStart, 0), 0u) << result.err;
    }
}

TEST_F(CliChart, BadDataLinesRefuseTheCommand)
{
    WriteBytes(m_data, "2026001,123,000,1,1\r\nnot a draw\r\n");
    const CliResult r = run({ "trend" });
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind(velmora::kBadLinesMessage, 0), 0u) << r.err;
}
