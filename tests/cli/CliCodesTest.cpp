#include "CliRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace velmora::test;

namespace {

struct CodesRow {
    const char* name;
    std::vector<std::string> args; // "A" and "B" stand for the two list files
    const char* input;
    const char* out;
};

} // namespace

TEST(CliCodes, Results)
{
    TempDir dir;
    WriteBytes(dir.File("a.txt"), "组选共9注\r\n\r\n830,123,\r\n555\r\n");
    WriteBytes(dir.File("b.txt"), "123 456;038\n");
    const CodesRow rows[] = {
        { "group", { "group", "A" }, "", "组选共3注\n\n038,123,555,\n\n" },
        { "group from stdin", { "group", "-" }, "308 380\n111,", "组选共2注\n\n038,111,\n\n" },
        { "expand", { "expand", "-" }, "803", "直选共6注\n\n038,083,308,380,803,830,\n\n" },
        { "expand of an empty list", { "expand", "-" }, "no codes", "直选共0注\n\n\n" },
        { "a header line holds no code", { "group", "-" }, "缩水结果有120注 \r\n\r\n038,\r\n",
            "组选共1注\n\n038,\n\n" },
        { "group6", { "group6", "8;3,0" }, "", "组选共1注\n\n038,\n\n" },
        { "group6 of two digits", { "group6", "12" }, "", "组选共0注\n\n\n" },
        { "group3", { "group3", "1 2" }, "", "组选共2注\n\n112,122,\n\n" },
        { "union", { "union", "A", "B" }, "", "直选共5注\n\n038,123,456,555,830,\n\n" },
        { "intersect", { "intersect", "A", "B" }, "", "直选共1注\n\n123,\n\n" },
        { "diff", { "diff", "A", "B" }, "", "直选共2注\n\n555,830,\n\n" },
        { "diff of stdin", { "diff", "-", "B" }, "123 777", "直选共1注\n\n777,\n\n" },
        { "stdin read once for both", { "union", "-", "-" }, "001 002", "直选共2注\n\n001,002,\n\n" },
        { "stdin minus itself", { "diff", "-", "-" }, "001 002", "直选共0注\n\n\n" },
        { "direct-multi", { "direct-multi", "0,9", "5", "1 2 3" }, "",
            "直选共6注\n\n051,052,053,951,952,953,\n\n" },
        { "sums", { "sums", "0,1,1" }, "", "直选共4注\n\n000,001,010,100,\n\n" },
        { "spans", { "spans", "0" }, "", "直选共10注\n\n000,111,222,333,444,555,666,777,888,999,\n\n" },
        { "dantuo", { "dantuo", "1", "2,3" }, "", "组选共5注\n\n112,113,122,123,133,\n\n" },
        { "dantuo, banker given twice", { "dantuo", "11", "2" }, "", "组选共2注\n\n112,122,\n\n" },
        { "dantuo, two bankers", { "dantuo", "1;2", "3" }, "", "组选共3注\n\n112,122,123,\n\n" },
    };
    for (const CodesRow& row : rows) {
        std::vector<std::string> args { "codes" };
        for (const std::string& arg : row.args)
            args.push_back(arg == "A" ? dir.File("a.txt") : arg == "B" ? dir.File("b.txt") : arg);
        const CliResult r = RunCliWithInput(args, row.input);
        EXPECT_EQ(r.code, 0) << row.name << ": " << r.err;
        EXPECT_EQ(r.out, row.out) << row.name;
        EXPECT_EQ(r.err, "") << row.name;
    }
}

TEST(CliCodes, UsageErrors)
{
    TempDir dir;
    WriteBytes(dir.File("a.txt"), "123");
    const std::string a = dir.File("a.txt");
    const std::vector<std::vector<std::string>> rows = {
        { "codes" },
        { "codes", "shuffle", a },
        { "codes", "group" },
        { "codes", "union", a },
        { "codes", "group", a, a },
        { "codes", "intersect", a, a, a },
        { "codes", "group", "" },
        { "codes", "group6", "12a" },
        { "codes", "group3", "" },
        { "codes", "group3", ", ;" },
        { "codes", "group6", "0-9" },
        { "codes", "group", a, "--out" },
        { "codes", "group", a, "--out", "" },
        { "codes", "group", a, "--bogus" },
        { "codes", "direct-multi", "1", "2" },
        { "codes", "direct-multi", "1", "2", "3", "4" },
        { "codes", "direct-multi", "1", "", "3" },
        { "codes", "direct-multi", "1", "2", "x" },
        { "codes", "sums", "28" },
        { "codes", "sums", "1 2" },
        { "codes", "sums", "1;2" },
        { "codes", "sums", "1," },
        { "codes", "sums", "-1" },
        { "codes", "spans", "10" },
        { "codes", "spans", "1,,2" },
        { "codes", "spans", "1", "2" },
        { "codes", "dantuo", "1" },
        { "codes", "dantuo", "123", "4" },
        { "codes", "dantuo", "1", "12" },
        { "codes", "dantuo", "1", ", " },
        { "codes", "dantuo", "", "2" },
    };
    for (const auto& args : rows) {
        const CliResult r = RunCliWithInput(args, "123");
        const std::string shown = ::testing::PrintToString(args);
        EXPECT_EQ(r.code, 2) << shown << r.err;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_NE(r.err.find("velmora-cli codes"), std::string::npos) << shown << r.err;
    }
}

TEST(CliCodes, UnreadableListIsAFileError)
{
    TempDir dir;
    WriteBytes(dir.File("a.txt"), "123");
    const std::string a = dir.File("a.txt");
    const std::string missing = dir.File("none.txt");
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        { { "codes", "expand", missing }, missing },
        { { "codes", "diff", a, missing }, missing },
        { { "codes", "union", missing, "-" }, missing },
        { { "codes", "group", dir.File("") }, dir.File("") },
    };
    for (const auto& [args, path] : rows) {
        const CliResult r = RunCliWithInput(args, "123");
        const std::string shown = ::testing::PrintToString(args);
        EXPECT_EQ(r.code, 3) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_EQ(r.err.rfind("无法读取文件" + path + "：", 0), 0u) << shown << r.err;
    }
}

TEST(CliCodes, OutWritesTheExportFile)
{
    TempDir dir;
    const CliResult r = RunCliWithInput({ "codes", "group", "-", "--out", dir.File("r.txt") }, "830 308");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    // "组选共1注" in GB18030.
    EXPECT_EQ(ReadBytes(dir.File("r.txt")),
        "\xD7\xE9\xD1\xA1\xB9\xB2"
        "1\xD7\xA2\r\n\r\n038,\r\n\r\n");
}
