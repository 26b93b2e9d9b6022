#include "cli/CliEngineTestSupport.h"

#include <gtest/gtest.h>

using namespace velmora::test;

TEST(CliRecommend, KindsAndDates)
{
    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 10);
    const struct {
        const char* kind;
        const char* date;
        const char* header;
    } rows[] = {
        { "week", "2026-12-06", "智能推荐结果有35注" },
        { "week", "2026-12-12", "智能推荐结果有35注" },
        { "week", "2026-11-29", "智能推荐结果有32注" },
        { "week", "2026-11-30", "智能推荐结果有32注" },
        { "week", "2026-12-01", "智能推荐结果有37注" },
        { "week", "2026-12-05", "智能推荐结果有37注" },
        { "month", "2026-12-01", "智能推荐结果有34注" },
        { "month", "2026-12-31", "智能推荐结果有34注" },
    };
    for (const auto& row : rows) {
        const CliResult r = RunCliArgs({ "recommend", row.kind, "--date", row.date, "--data", data });
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out.substr(0, r.out.find('\n')), row.header) << row.kind << " " << row.date;
    }
    const CliResult month = RunCliArgs({ "recommend", "month", "--date", "2026-12-07", "--data", data });
    EXPECT_EQ(month.out,
        "智能推荐结果有34注\n\n"
        "213,216,219,240,243,246,249,270,273,276,\n279,510,511,513,516,519,540,543,549,570,\n"
        "573,576,579,810,813,816,819,840,843,846,\n849,870,876,879,\n\n");
}

TEST(CliRecommend, Daily)
{
    TempDir dir;
    WriteBytes(dir.File("d.txt"), [] {
        std::string text;
        for (int i = 1; i <= 6; ++i)
            text += "202600" + std::to_string(i) + ",999,999,1,1\r\n";
        return text
            + "2026007,456,123,1,1\r\n2026008,012,789,1,1\r\n2026009,678,345,1,1\r\n"
              "2026010,234,901,1,1\r\n";
    }());
    const CliResult r = RunCliArgs({ "recommend", "day", "--data", dir.File("d.txt") });
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "智能推荐结果有5注\n\n560,567,590,860,890,\n\n");
}

TEST(CliRecommend, RefusesBelowTenDrawsForEveryKind)
{
    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 9);
    for (const char* kind : { "day", "week", "month" }) {
        const CliResult r = RunCliArgs({ "recommend", kind, "--date", "2026-12-07", "--data", data });
        EXPECT_EQ(r.code, 1) << kind;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "开奖数据期数少于10期，无法继续完成智能推荐！！\n");
    }
}

TEST(CliRecommend, UsageErrors)
{
    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 10);
    const std::vector<std::vector<std::string>> rows = {
        { "recommend", "--data", data },
        { "recommend", "year", "--data", data },
        { "recommend", "week", "--date", "2026-02-30", "--data", data },
        { "recommend", "week", "--date", "2026-2-3", "--data", data },
        { "recommend", "week", "--date", "", "--data", data },
        { "recommend", "week", "--date", "2026-12-07x", "--data", data },
    };
    for (const auto& args : rows) {
        const CliResult r = RunCliArgs(args);
        EXPECT_EQ(r.code, 2) << args[1] << " " << (args.size() > 3 ? args[3] : "");
        EXPECT_EQ(r.out, "");
    }
}

TEST(CliRecommend, OutWritesTheExportFile)
{
    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 10);
    const CliResult r = RunCliArgs(
        { "recommend", "week", "--date", "2026-11-29", "--data", data, "--out", dir.File("r.txt") });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "");
    const std::string bytes = ReadBytes(dir.File("r.txt"));
    const std::string header = "\xD6\xC7\xC4\xDC\xCD\xC6\xBC\xF6\xBD\xE1\xB9\xFB\xD3\xD0"
                               "32"
                               "\xD7\xA2\r\n\r\n";
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    EXPECT_EQ(bytes.substr(bytes.size() - 5), ",\r\n\r\n");
}
