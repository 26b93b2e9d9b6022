// velmora-cli as a process under several locales: the system's reason in a file
// error comes in the language the environment asks for, where the C library has
// that translation, and in English under the C locale.
#include "TempDir.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

using velmora::test::ReadBytes;
using velmora::test::TempDir;

namespace {

const std::string kCli = std::string(VELMORA_BIN_DIR) + "/velmora-cli";

struct Outcome {
    int code = -1;
    std::string err;
};

// Runs velmora-cli with exactly the environment given; stderr is read back.
Outcome RunWithEnvironment(const std::vector<std::string>& args, std::vector<std::string> environment)
{
    TempDir dir;
    const std::string errPath = dir.File("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
    std::vector<std::string> argStrings { kCli };
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    Outcome outcome;
    pid_t pid = 0;
    if (posix_spawn(&pid, kCli.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    outcome.err = ReadBytes(errPath);
    return outcome;
}

bool HasLibcTranslation(const std::string& language)
{
    return std::filesystem::exists("/usr/share/locale/" + language + "/LC_MESSAGES/libc.mo");
}

} // namespace

TEST(CliLocale, FileErrorReasonInTheEnvironmentsLanguage)
{
    struct Row {
        const char* name;
        std::vector<std::string> environment;
        const char* translation; // the libc catalogue the row needs, or null
        std::string reason; // strerror(EISDIR) as the row's locale words it
    };
    const Row rows[] = {
        { "no locale at all", {}, nullptr, "Is a directory" },
        { "C locale", { "LC_ALL=C", "LANGUAGE=zh_CN" }, nullptr, "Is a directory" },
        { "UTF-8 locale, Chinese messages", { "LC_ALL=C.UTF-8", "LANGUAGE=zh_CN" }, "zh_CN", "是一个目录" },
        { "messages category alone", { "LC_MESSAGES=C.UTF-8", "LANGUAGE=zh_CN" }, "zh_CN", "是一个目录" },
        { "German messages", { "LANG=C.UTF-8", "LANGUAGE=de" }, "de", "Ist ein Verzeichnis" },
    };
    TempDir dir;
    const std::string folder = dir.path().string();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.translation && !HasLibcTranslation(row.translation)) {
            std::cout << "skipped row \"" << row.name << "\": no libc catalogue " << row.translation << '\n';
            continue;
        }
        const Outcome outcome = RunWithEnvironment({ "history", "--data", folder }, row.environment);
        EXPECT_EQ(outcome.code, 3);
        EXPECT_EQ(outcome.err, "无法读取文件" + folder + "：" + row.reason + "\n");
    }
}
