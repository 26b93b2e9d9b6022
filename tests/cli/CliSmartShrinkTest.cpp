#include "cli/CliEngineTestSupport.h"

#include <gtest/gtest.h>

using namespace velmora::test;

namespace {

const std::vector<int> kSkewed = { 111, 111, 111, 222, 222, 222, 333, 333, 333, 444 };

} // namespace

TEST(CliSmartShrink, BaseFromStandardInput)
{
    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 12, kSkewed);
    std::string base;
    for (int c = 0; c < 100; ++c)
        base += std::to_string(1000 + c).substr(1) + (c % 10 == 9 ? "\n" : " ");
    const std::string expected
        = "智能缩水结果有28注\n\n004,014,024,034,040,041,042,043,044,045,\n"
          "046,047,048,049,054,064,074,084,087,088,\n089,090,094,095,096,097,098,099,\n\n";
    const CliResult fromStdin = RunCliWithInput({ "smart-shrink", "--level", "6", "--data", data }, base);
    EXPECT_EQ(fromStdin.code, 0) << fromStdin.err;
    EXPECT_EQ(fromStdin.out, expected);
    const CliResult dash
        = RunCliWithInput({ "smart-shrink", "--level", "6", "--base", "-", "--data", data }, base);
    EXPECT_EQ(dash.out, expected);
}

TEST(CliSmartShrink, BaseFileAndDefaultLevel)
{
    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 10, kSkewed);
    // A GB2312 result file as the filter page exports it: the header count 10
    // has fewer than three digits and adds nothing.
    WriteBytes(dir.File("base.txt"),
        "\xCB\xF5\xCB\xAE\xBD\xE1\xB9\xFB\xD3\xD0"
        "10"
        "\xD7\xA2\r\n\r\n"
        "000,111,222,333,444,555,666,777,888,999,\r\n\r\n");
    const CliResult r
        = RunCliWithInput({ "smart-shrink", "--base", dir.File("base.txt"), "--data", data }, "");
    EXPECT_EQ(r.code, 0) << r.err;
    // Level 1 keeps 8 of 10: 111, 222 and 333 weigh the most (27), and among
    // equal weights the lower codes drop first, so 111 and 222 go.
    EXPECT_EQ(r.out, "智能缩水结果有8注\n\n000,333,444,555,666,777,888,999,\n\n");
}

TEST(CliSmartShrink, RefusesBelowTenDraws)
{
    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 9);
    const CliResult r = RunCliWithInput({ "smart-shrink", "--data", data }, "000,001,\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "开奖数据期数少于10期，无法继续完成智能缩水！！\n");
}

TEST(CliSmartShrink, UsageAndFileErrors)
{
    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 10, kSkewed);
    for (const char* level : { "7", "-1", "x" }) {
        const CliResult r = RunCliWithInput({ "smart-shrink", "--level", level, "--data", data }, "");
        EXPECT_EQ(r.code, 2) << level;
        EXPECT_NE(r.err.find("--level"), std::string::npos) << r.err;
    }
    const CliResult missing
        = RunCliWithInput({ "smart-shrink", "--base", dir.File("none.txt"), "--data", data }, "");
    EXPECT_EQ(missing.code, 3);
    EXPECT_EQ(missing.err.rfind("无法读取文件" + dir.File("none.txt"), 0), 0u);
}

TEST(CliSmartShrink, OutWritesTheExportFile)
{
    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 10, kSkewed);
    const CliResult r = RunCliWithInput(
        { "smart-shrink", "--level", "0", "--data", data, "--out", dir.File("r.txt") }, "123 456");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "");
    const std::string header = "\xD6\xC7\xC4\xDC\xCB\xF5\xCB\xAE\xBD\xE1\xB9\xFB\xD3\xD0"
                               "2"
                               "\xD7\xA2";
    EXPECT_EQ(ReadBytes(dir.File("r.txt")), header + "\r\n\r\n123,456,\r\n\r\n");
}
