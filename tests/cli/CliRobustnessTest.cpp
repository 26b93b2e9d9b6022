// velmora-cli as a process: standard output that cannot be written, endless
// input, and the default data file; and option values that are empty.
#include "CliRun.h"
#include "TempDir.h"
#include "core/io/TextFormat.h"
#include "core/io/Utf8.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;
using velmora::test::CliResult;
using velmora::test::ReadBytes;
using velmora::test::RunCliArgs;
using velmora::test::TempDir;
using velmora::test::WriteBytes;

extern char** environ;

namespace {

const std::string kCli = std::string(VELMORA_BIN_DIR) + "/velmora-cli";
const std::string kHistory = std::string(VELMORA_HISTORY_FILE);

struct ProcessResult {
    int code = -1;
    std::string err;
    double seconds = 0;
    long peakKb = 0; // the child's largest resident memory
};

// Runs the program with the given standard input and output descriptors; stderr
// goes to a file that is read back.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args, int in, int out)
{
    TempDir dir;
    const std::string errPath = dir.File("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
    std::vector<std::string> argStrings { program };
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    ProcessResult result;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage {};
        wait4(pid, &status, 0, &usage);
        result.peakKb = usage.ru_maxrss;
        result.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.err = ReadBytes(errPath);
    return result;
}

int OpenOrDie(const char* path, int flags)
{
    const int fd = open(path, flags | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error(std::string("cannot open ") + path);
    return fd;
}

bool HaveHistory() { return access(kHistory.c_str(), R_OK) == 0; }

} // namespace

TEST(CliStandardOutput, WriteErrorsExitThree)
{
    if (!HaveHistory())
        GTEST_SKIP() << "real history not found";
    const int devNull = OpenOrDie("/dev/null", O_RDONLY);
    const int devFull = OpenOrDie("/dev/full", O_WRONLY);
    int closedPipe[2];
    ASSERT_EQ(pipe2(closedPipe, O_CLOEXEC), 0);
    close(closedPipe[0]);
    struct Row {
        const char* name;
        int out;
        std::string reason;
    } rows[] = {
        { "full device", devFull, "No space left on device" },
        { "pipe without a reader", closedPipe[1], "Broken pipe" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ProcessResult r = RunProgram(kCli, { "history", "--data", kHistory }, devNull, row.out);
        EXPECT_EQ(r.code, 3);
        EXPECT_EQ(r.err, "无法写入文件标准输出：" + row.reason + "\n");
    }
    // A short output is only written when it is flushed at the end: still checked.
    const ProcessResult chart
        = RunProgram(kCli, { "chart", "trend", "--n", "1", "--data", kHistory }, devNull, devFull);
    EXPECT_EQ(chart.code, 3);
    close(devNull);
    close(devFull);
    close(closedPipe[1]);
}

TEST(CliInputLimit, EndlessInputEndsWithAFileError)
{
    if (!HaveHistory())
        GTEST_SKIP() << "real history not found";
    const int devNull = OpenOrDie("/dev/null", O_WRONLY);
    const int devZero = OpenOrDie("/dev/zero", O_RDONLY);
    const ProcessResult zero = RunProgram(kCli, { "history", "--data", "/dev/zero" }, devNull, devNull);
    EXPECT_EQ(zero.code, 3);
    EXPECT_EQ(zero.err, "无法读取文件/dev/zero：文件太大（超过64MB）\n");

    // `yes 123 | velmora-cli smart-shrink`: a writer that never stops.
    int feed[2];
    ASSERT_EQ(pipe2(feed, O_CLOEXEC), 0);
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        close(feed[0]);
        const std::string chunk = [] {
            std::string s;
            for (int i = 0; i < 16384; ++i)
                s += "123\n";
            return s;
        }();
        while (write(feed[1], chunk.data(), chunk.size()) > 0) { }
        _exit(0);
    }
    close(feed[1]);
    const ProcessResult endless = RunProgram(kCli, { "smart-shrink", "--data", kHistory }, feed[0], devNull);
    close(feed[0]);
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    EXPECT_EQ(endless.code, 3);
    EXPECT_EQ(endless.err, "无法读取文件标准输入：文件太大（超过64MB）\n");
    close(devNull);
    close(devZero);
}

TEST(CliDefaultDataFile, DanglingLinkIsUnreadable)
{
    TempDir dir;
    const std::string cli = dir.File("velmora-cli");
    std::filesystem::copy_file(kCli, cli);
    std::filesystem::permissions(cli, std::filesystem::perms::owner_all);
    ASSERT_EQ(symlink("gone.ldf", dir.File("lotdata.ldf").c_str()), 0);
    const int devNull = OpenOrDie("/dev/null", O_RDWR);
    const ProcessResult r = RunProgram(cli, { "history" }, devNull, devNull);
    close(devNull);
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.err, "无法读取文件" + dir.File("lotdata.ldf") + "：No such file or directory\n");
}

TEST(CliOptions, EmptyValueIsAUsageError)
{
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::string option;
    } rows[] = {
        { "empty list before a number", { "filter", "--sums", "", "10" }, "--sums" },
        { "empty file before an option", { "filter", "--data", "", "--sums", "1" }, "--data" },
        { "empty count before a number", { "chart", "trend", "--n", "", "5" }, "--n" },
        { "empty value joined by =", { "filter", "--sums=" }, "--sums" },
        { "empty level of smart-shrink", { "smart-shrink", "--level", "" }, "--level" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CliResult r = RunCliArgs(row.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(row.option + ": the value is empty\n", 0), 0u) << r.err;
    }
    // An empty TEXT is an empty condition and takes nothing after it; a value
    // may still start with "-".
    const std::string data = std::string(VELMORA_TEST_DATA_DIR) + "/3d-history-last200.txt";
    const CliResult emptyText = RunCliArgs({ "filter", "--digits-in", "", "--sums", "0", "--data", data });
    EXPECT_EQ(emptyText.code, 0) << emptyText.err;
    EXPECT_EQ(emptyText.out.substr(0, emptyText.out.find('\n')), "缩水结果有1注");
    const CliResult joinedEmptyText = RunCliArgs({ "filter", "--pairs-in=", "--sums", "0", "--data", data });
    EXPECT_EQ(joinedEmptyText.out, emptyText.out);
    EXPECT_NE(RunCliArgs({ "chart", "trend", "--n", "-1", "--data", data }).code, 2);
}

TEST(CliMessages, RepeatedInputIsCutAndValidUtf8)
{
    const std::string longValue(120000, 'x');
    struct Row {
        const char* name;
        std::vector<std::string> args;
        int code;
    } rows[] = {
        { "a usage error", { "backtest", "--last", longValue }, 2 },
        { "an unknown command", { longValue }, 2 },
        { "a file error", { "history", "--data", "/nonexistent/" + longValue }, 3 },
        { "invalid UTF-8", { "backtest", "--last", "\xFF\xFE" }, 2 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CliResult r = RunCliArgs(row.args);
        EXPECT_EQ(r.code, row.code);
        EXPECT_LT(r.err.size(), 4000u); // the usage and the cut input, not the whole argument
        EXPECT_TRUE(isValidUtf8(r.err)) << r.err;
        EXPECT_NE(r.err.find(cutForMessage(row.args.back())), std::string::npos) << r.err.substr(0, 300);
    }
}

// Memory follows the input: 64 MiB of line breaks or of random bytes, the largest input
// there is, are refused or read in a small multiple of their size by every reader.
TEST(CliInputLimit, MemoryFollowsTheInput)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's own memory hides the program's";
#endif
    TempDir dir;
    const std::string newlines = dir.File("newlines.txt");
    const std::string random = dir.File("random.bin");
    WriteBytes(newlines, std::string((std::size_t { 64 } << 20) - 1, '\n'));
    std::string bytes((std::size_t { 64 } << 20) - 1, '\0');
    std::mt19937 rng(27);
    for (char& b : bytes)
        b = static_cast<char>(rng());
    WriteBytes(random, bytes);
    bytes = {};
    const int devNull = OpenOrDie("/dev/null", O_RDWR);
    for (const std::string& input : { newlines, random }) {
        const std::vector<std::vector<std::string>> commands = {
            { "codes", "group", input },
            { "backtest", "--data", input },
            { "history", "--game", "pl3", "--data", input },
            { "tickets", "add", "--issue", "2026001", "--play", "direct", input, "--db", dir.File("t.db"),
                "--data", kHistory },
            { "merge", input, "--data", dir.File("lotdata.ldf") },
        };
        for (const std::vector<std::string>& args : commands) {
            SCOPED_TRACE(args.front() + " " + input);
            const ProcessResult r = RunProgram(kCli, args, devNull, devNull);
            EXPECT_LT(r.code, 128); // ended, not killed
            EXPECT_LT(r.peakKb, 300 * 1024);
        }
    }
    close(devNull);
}
