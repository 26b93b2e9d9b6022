// The user's draws are never lost: a zero byte is a bad line, merge keeps a backup,
// a pipe as the default data file never hangs, an empty FILE is a usage error.
#include "CliRun.h"
#include "TempDir.h"
#include "core/draw/AppPaths.h"
#include "core/draw/DrawText.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace velmora;
using velmora::test::CliResult;
using velmora::test::ReadBytes;
using velmora::test::RunCliArgs;
using velmora::test::TempDir;
using velmora::test::WriteBytes;

namespace fs = std::filesystem;

namespace {

const std::string kDraws = "2026001,111,222,0,0\r\n2026002,333,444,0,0\r\n2026003,555,666,0,0\r\n";

} // namespace

TEST(CliDataSafety, AZeroByteIsABadLineAndNothingIsWritten)
{
    TempDir dir;
    const std::string zeroData = dir.File("zero.ldf");
    const std::string data = dir.File("lotdata.ldf");
    const std::string source = dir.File("source.txt");
    const std::string zeroSource = dir.File("zerosource.txt");
    // The zero byte sits in line 2; everything after it must still count.
    const std::string damaged = std::string("2026001,111,222,0,0\r\n2026002,333,444,0,0\0\r\n", 43)
        + "2026003,555,666,0,0\r\nbroken\r\n";
    WriteBytes(zeroData, damaged);
    WriteBytes(data, kDraws);
    WriteBytes(source, "2026004,777,888,0,0\r\n");
    WriteBytes(zeroSource, damaged.substr(0, 43) + "2026004,777,888,0,0\r\n");

    const std::string bad = std::string(kBadLinesMessage) + "\n";
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::string err;
    } rows[] = {
        { "data file", { "history", "--data", zeroData }, bad + "2,4,\n" },
        { "merge source", { "merge", zeroSource, "--data", data }, bad + "2,\n" },
        { "merge into it", { "merge", source, "--data", zeroData }, bad + "2,4,\n" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CliResult r = RunCliArgs(row.args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, row.err);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(ReadBytes(zeroData), damaged);
    EXPECT_EQ(ReadBytes(data), kDraws);
    EXPECT_FALSE(fs::exists(dir.File("backups")));
}

TEST(CliDataSafety, MergeKeepsOneBackupOfTheOldContent)
{
    TempDir dir;
    const std::string data = dir.File("lotdata.ldf");
    const std::string source = dir.File("source.txt");
    WriteBytes(data, "2026001,111,222,0,0\n");
    WriteBytes(source, kDraws);

    EXPECT_EQ(RunCliArgs({ "merge", source, "--data", data }).out, "新增2期，更正0期，共3期\n");
    EXPECT_EQ(RunCliArgs({ "merge", source, "--data", data }).out, "已是最新，共3期\n");
    ASSERT_EQ(std::distance(fs::directory_iterator(dir.File("backups")), fs::directory_iterator()), 1);
    const fs::path backup = fs::directory_iterator(dir.File("backups"))->path();
    EXPECT_EQ(ReadBytes(backup.string()), "2026001,111,222,0,0\n");
    EXPECT_EQ(ReadBytes(data), kDraws);

    const CliResult listed = RunCliArgs({ "backups", "--data", data });
    EXPECT_EQ(listed.code, 0);
    const std::regex line(
        R"(文件,时间,期数,最新一期\n(lotdata-(\d{8})-(\d{6})\.ldf),\d{4}-\d\d-\d\d \d\d:\d\d:\d\d,1,2026001\n)");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(listed.out, m, line)) << listed.out;
    EXPECT_EQ(m[1], backup.filename().string());
}

TEST(CliDataSafety, AnEmptyMergeFileIsAUsageError)
{
    const CliResult r = RunCliArgs({ "merge", "" });
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "FILE: the value is empty");
}

// In a child process with a deadline, so that a wait for a writer fails the test
// instead of hanging it.
TEST(CliDataSafety, APipeAsTheDefaultDataFileIsAFileErrorAtOnce)
{
    if (fs::exists(fs::symlink_status(executableFolder() + "lotdata.ldf")))
        GTEST_SKIP() << "a portable lotdata.ldf stands beside the test binary";
    TempDir dir;
    fs::create_directory(dir.File("velmora"));
    const std::string fifo = dir.File("velmora/lotdata.ldf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string errFile = dir.File("err.txt");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
        const CliResult r = RunCliArgs({ "history" });
        WriteBytes(errFile, r.err);
        ::_exit(r.code);
    }
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (::waitpid(child, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (::waitpid(child, &status, WNOHANG) == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        FAIL() << "still reading after 5 s";
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(ReadBytes(errFile), "无法读取文件" + fifo + "：不是普通文件\n");
}
