#include "CliRun.h"
#include "TempDir.h"
#include "core/draw/DrawText.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace velmora;
using velmora::test::TempDir;
using velmora::test::WriteBytes;

using velmora::test::CliResult;
using velmora::test::RunCliArgs;

TEST(CliHistory, PrintsRecordsInFixedForm)
{
    TempDir dir;
    WriteBytes(dir.File("d.txt"), " ,2004123,,579,108,1,2,extra\r\n2004001,000,009,0,9\n");
    const CliResult r = RunCliArgs({ "history", "--data", dir.File("d.txt") });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "2004123,579,108,1,2\n2004001,000,009,0,9\n");
    EXPECT_EQ(r.err, "");
}

TEST(CliHistory, ReproducesRealHistory)
{
    const std::string source = std::string(VELMORA_HISTORY_FILE);
    if (access(source.c_str(), R_OK) != 0)
        GTEST_SKIP() << "real history not found";
    const CliResult r = RunCliArgs({ "history", "--data", source });
    ASSERT_EQ(r.code, 0);
    std::string expected = test::ReadBytes(source);
    std::string withoutCr;
    for (char c : expected)
        if (c != '\r')
            withoutCr += c;
    EXPECT_EQ(r.out, withoutCr);
}

TEST(CliHistory, ExitCodes)
{
    TempDir dir;
    WriteBytes(dir.File("bad.txt"), "2004123,579,108,1,2\r\nbad\r\n");
    WriteBytes(dir.File("empty.txt"), "");

    const CliResult bad = RunCliArgs({ "history", "--data", dir.File("bad.txt") });
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, std::string(kBadLinesMessage) + "\n2,\n");

    const CliResult empty = RunCliArgs({ "history", "--data", dir.File("empty.txt") });
    EXPECT_EQ(empty.code, 0);
    EXPECT_EQ(empty.out, "");

    const CliResult missing = RunCliArgs({ "history", "--data", dir.File("none.txt") });
    EXPECT_EQ(missing.code, 3);
    EXPECT_EQ(missing.err, "无法读取文件" + dir.File("none.txt") + "：No such file or directory\n");

    const CliResult unknown = RunCliArgs({ "history", "--bogus" });
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("--bogus"), std::string::npos);

    const CliResult noCommand = RunCliArgs({});
    EXPECT_EQ(noCommand.code, 2);
}
