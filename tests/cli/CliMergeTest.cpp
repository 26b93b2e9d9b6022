#include "CliRun.h"
#include "TempDir.h"
#include "core/draw/AppPaths.h"
#include "core/draw/DrawText.h"
#include "core/io/TextEncoding.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace velmora;
using velmora::test::CliResult;
using velmora::test::ReadBytes;
using velmora::test::RunCliArgs;
using velmora::test::TempDir;
using velmora::test::WriteBytes;

namespace fs = std::filesystem;

namespace {

const std::string kRealHistory = VELMORA_HISTORY_FILE;

// The first n lines of the real history, CR LF each.
std::string RealPrefix(std::size_t n)
{
    const std::string all = ReadBytes(kRealHistory);
    std::size_t end = 0;
    for (std::size_t i = 0; i < n; ++i)
        end = all.find("\r\n", end) + 2;
    return all.substr(0, end);
}

// Each test gets its own data folder through XDG_DATA_HOME; a portable data file
// beside the test binary would take precedence, so those tests skip.
class CliDefaultData : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (fs::exists(fs::symlink_status(executableFolder() + "lotdata.ldf")))
            GTEST_SKIP() << "a portable lotdata.ldf stands beside the test binary";
        if (ReadBytes(kRealHistory).empty())
            GTEST_SKIP() << "real history not found";
        ::setenv("XDG_DATA_HOME", m_dir.path().c_str(), 1);
    }
    void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }
    std::string DefaultDataFile() const { return m_dir.File("velmora/lotdata.ldf"); }
    TempDir m_dir;
};

} // namespace

TEST(CliMerge, IntoDataFile)
{
    if (ReadBytes(kRealHistory).empty())
        GTEST_SKIP() << "real history not found";
    TempDir dir;
    const std::string data = dir.File("lotdata.ldf");
    const std::string update = dir.File("update.txt");

    WriteBytes(data, RealPrefix(8000));
    WriteBytes(update, RealPrefix(8020));
    const CliResult added = RunCliArgs({ "merge", update, "--data", data });
    EXPECT_EQ(added.code, 0) << added.err;
    EXPECT_EQ(added.out, "新增20期，更正0期，共8020期\n");
    EXPECT_EQ(ReadBytes(data), RealPrefix(8020));

    // A corrected draw is listed, local codes first; the source's line replaces the local one.
    std::string local = RealPrefix(8020);
    const std::size_t at = local.size() - 21; // the last line, "YYYYIII,DDD,TTT,E,E\r\n"
    const std::string issue = local.substr(at, 7);
    const std::string realCodes = local.substr(at + 8, 7);
    const std::string mine = realCodes == "111,222" ? "111,223" : "111,222";
    local.replace(at, 21, issue + "," + mine + ",0,0,mine\r\n");
    WriteBytes(data, local);
    const CliResult corrected = RunCliArgs({ "merge", update, "--data", data });
    EXPECT_EQ(corrected.code, 0) << corrected.err;
    EXPECT_EQ(corrected.out, "新增0期，更正1期，共8020期\n" + issue + "：" + mine + " → " + realCodes + "\n");
    EXPECT_EQ(ReadBytes(data), RealPrefix(8020));
}

TEST(CliMerge, UpToDateWritesNothing)
{
    TempDir dir;
    const std::string data = dir.File("lotdata.ldf");
    // LF line ends would be rewritten as CR LF by any save.
    WriteBytes(data, "2026001,111,222,0,0\n2026002,333,444,0,0,note\n");
    WriteBytes(dir.File("same.txt"), "2026001,111,222,1,1\r\n");
    struct stat before { };
    ASSERT_EQ(::stat(data.c_str(), &before), 0);
    const CliResult r = RunCliArgs({ "merge", dir.File("same.txt"), "--data", data });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "已是最新，共2期\n");
    EXPECT_EQ(ReadBytes(data), "2026001,111,222,0,0\n2026002,333,444,0,0,note\n");
    struct stat after { };
    ASSERT_EQ(::stat(data.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST(CliMerge, PublicHistoryInGbk)
{
    TempDir dir;
    const std::string data = dir.File("lotdata.ldf");
    WriteBytes(data, "2026154,123,456,0,0\r\n");
    WriteBytes(dir.File("3d_asc.txt"),
        encodeGb18030("期号 日期 开奖号码 试机号\n2026154 2026-06-13 1 2 3 4 5 6 1 1 999\n"
                      "2026155 2026-06-14 4 0 9 9 0 3 1 1 106919648 18035\n"));
    const CliResult r = RunCliArgs({ "merge", dir.File("3d_asc.txt"), "--data", data });
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "新增1期，更正0期，共2期\n");
    EXPECT_EQ(ReadBytes(data), "2026154,123,456,0,0\r\n2026155,409,903,1,1\r\n");
}

TEST(CliMerge, RefusalsChangeNothing)
{
    TempDir dir;
    const std::string data = dir.File("lotdata.ldf");
    const std::string original = "2026001,111,222,0,0\r\n";
    WriteBytes(data, original);
    WriteBytes(dir.File("bad.txt"), "2026002,333,444,0,0\r\n2026003,555\r\n");
    WriteBytes(dir.File("badpublic.txt"), "header\n2026002 2026-01-02 3 3 3 4 4 4 0\n");
    WriteBytes(dir.File("page.html"), "<html><body>Not Found</body></html>\n");
    WriteBytes(dir.File("badlocal.ldf"), "2026001,111,222,0,0\r\nbroken\r\n");
    WriteBytes(dir.File("good.txt"), "2026002,333,444,0,0\r\n");

    struct Row {
        const char* name;
        std::vector<std::string> args;
        int code;
        std::string err;
    };
    const std::vector<Row> rows = {
        { "bad line in FILE", { "merge", dir.File("bad.txt"), "--data", data }, 1,
            std::string(kBadLinesMessage) + "\n2,\n" },
        { "bad line in a public FILE", { "merge", dir.File("badpublic.txt"), "--data", data }, 1,
            std::string(kBadLinesMessage) + "\n2,\n" },
        { "no draw in FILE", { "merge", dir.File("page.html"), "--data", data }, 1,
            "文件中没有开奖数据：" + dir.File("page.html") + "\n" },
        { "FILE missing", { "merge", dir.File("none.txt"), "--data", data }, 3,
            "无法读取文件" + dir.File("none.txt") + "：No such file or directory\n" },
        { "data file missing", { "merge", dir.File("good.txt"), "--data", dir.File("none.ldf") }, 3,
            "无法读取文件" + dir.File("none.ldf") + "：No such file or directory\n" },
        { "bad line in the data file", { "merge", dir.File("good.txt"), "--data", dir.File("badlocal.ldf") },
            1, std::string(kBadLinesMessage) + "\n2,\n" },
        { "FILE not given", { "merge", "--data", data }, 2, "" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CliResult r = RunCliArgs(row.args);
        EXPECT_EQ(r.code, row.code);
        EXPECT_EQ(r.out, "");
        if (!row.err.empty()) {
            EXPECT_EQ(r.err, row.err);
        }
        EXPECT_EQ(ReadBytes(data), original);
    }
    EXPECT_FALSE(fs::exists(dir.File("none.ldf")));
}

TEST_F(CliDefaultData, CommandsWithoutDataFileReadTheBuiltInHistory)
{
    const CliResult r = RunCliArgs({ "history" });
    EXPECT_EQ(r.code, 0) << r.err;
    std::string expected;
    for (const char c : ReadBytes(kRealHistory))
        if (c != '\r')
            expected += c;
    EXPECT_EQ(r.out, expected);
    EXPECT_FALSE(fs::exists(m_dir.File("velmora"))) << "reading wrote something";

    const CliResult chart = RunCliArgs({ "chart", "sum", "--n", "3" });
    EXPECT_EQ(chart.code, 0) << chart.err;
}

TEST_F(CliDefaultData, MergeWithoutDataFileWritesTheDefaultFile)
{
    WriteBytes(m_dir.File("new.txt"), "2026177 2026-07-06 1 2 3 4 5 6 0 0 1\r\n");
    const CliResult r = RunCliArgs({ "merge", m_dir.File("new.txt") });
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "新增1期，更正0期，共8685期\n");
    EXPECT_EQ(ReadBytes(DefaultDataFile()), ReadBytes(kRealHistory) + "2026177,123,456,0,0\r\n");

    // From now on the commands read that file.
    const CliResult history = RunCliArgs({ "history" });
    EXPECT_EQ(history.out.substr(history.out.size() - 20), "2026177,123,456,0,0\n");

    // Nothing new: nothing written, and no file appears where none was.
    TempDir other;
    ::setenv("XDG_DATA_HOME", other.path().c_str(), 1);
    WriteBytes(other.File("old.txt"), "2026176,269,547,0,0\r\n");
    const CliResult same = RunCliArgs({ "merge", other.File("old.txt") });
    EXPECT_EQ(same.out, "已是最新，共8684期\n");
    EXPECT_FALSE(fs::exists(other.File("velmora")));
}
