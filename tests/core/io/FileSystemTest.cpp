#include "core/io/FileSystem.h"
#include "TempDir.h"
#include "core/io/TextFile.h"

#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace velmora;
using velmora::test::ReadBytes;
using velmora::test::TempDir;
using velmora::test::WriteBytes;

namespace {

std::vector<std::string> FolderEntries(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string WriteError(const std::string& path, const std::string& bytes)
{
    try {
        writeFileAtomic(path, bytes);
    } catch (const FileError& e) {
        return e.what();
    }
    return "no error";
}

// Restores the default after a test that forces named temporaries.
struct TemporaryKind {
    explicit TemporaryKind(bool unnamed) { os::allowUnnamedTemporaryFiles(unnamed); }
    ~TemporaryKind() { os::allowUnnamedTemporaryFiles(true); }
    TemporaryKind(const TemporaryKind&) = delete;
    TemporaryKind& operator=(const TemporaryKind&) = delete;
};

} // namespace

TEST(AtomicWrite, LinksThatNameNoFileAreErrors)
{
    TempDir dir;
    const std::string loop = dir.File("loop.ldf");
    const std::string dangling = dir.File("dangling.ldf");
    ASSERT_EQ(symlink("loop.ldf", loop.c_str()), 0);
    ASSERT_EQ(symlink("gone.ldf", dangling.c_str()), 0);
    struct Row {
        const char* name;
        std::string path;
        std::string reason;
    } rows[] = {
        { "a link to itself", loop, "Too many levels of symbolic links" },
        { "a dangling link", dangling, "No such file or directory" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WriteError(row.path, "new"), "无法写入文件" + row.path + "：" + row.reason);
        EXPECT_TRUE(std::filesystem::is_symlink(row.path));
    }
    EXPECT_EQ(FolderEntries(dir), (std::vector<std::string> { "dangling.ldf", "loop.ldf" }));
}

TEST(AtomicWrite, RootKeepsOwnerAndGroup)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root";
    TempDir dir;
    const std::string path = dir.File("lotdata.ldf");
    WriteBytes(path, "old");
    ASSERT_EQ(chown(path.c_str(), 4321, 8765), 0);
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    writeFileAtomic(path, "new");
    struct stat info { };
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 8765u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(path), "new");
}

TEST(AtomicWrite, NewFileTakesTheUmask)
{
    TempDir dir;
    const mode_t old = umask(027);
    writeFileAtomic(dir.File("new.txt"), "x");
    umask(old);
    struct stat info { };
    ASSERT_EQ(stat(dir.File("new.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderEntries(dir), std::vector<std::string> { "new.txt" });
}

TEST(AtomicWrite, StaleTemporariesOfTheTargetAreRemoved)
{
    TempDir dir;
    const std::string path = dir.File("lotdata.ldf");
    WriteBytes(path, "old");
    // Left by killed saves of this target, and files that only look alike.
    WriteBytes(dir.File(".lotdata.ldf.velmora-tmp-a1B2c3"), "stale");
    WriteBytes(dir.File(".lotdata.ldf.velmora-tmp-zzzzzz"), "stale");
    WriteBytes(dir.File(".lotdata.ldf.backup"), "user's");
    WriteBytes(dir.File(".other.ldf.velmora-tmp-a1B2c3"), "another target's");
    WriteBytes(dir.File(".lotdata.ldf.velmora-tmp-toolong"), "not ours");
    writeFileAtomic(path, "new");
    EXPECT_EQ(FolderEntries(dir),
        (std::vector<std::string> { ".lotdata.ldf.backup", ".lotdata.ldf.velmora-tmp-toolong",
            ".other.ldf.velmora-tmp-a1B2c3", "lotdata.ldf" }));
    EXPECT_EQ(ReadBytes(path), "new");
}

// A child saves the file again and again and is killed at a random moment: the
// file holds the old or the new content, and the next save leaves no temporary.
TEST(AtomicWrite, KilledSavesLeaveOldOrNewAndNoTemporary)
{
    for (const bool unnamed : { true, false }) {
        SCOPED_TRACE(unnamed ? "unnamed temporaries" : "named temporaries");
        TemporaryKind kind(unnamed);
        TempDir dir;
        const std::string path = dir.File("lotdata.ldf");
        const std::string first(256 * 1024, 'a');
        const std::string second(300 * 1024, 'b');
        writeFileAtomic(path, first);
        std::mt19937 random(12345);
        std::uniform_int_distribution<int> delayUs(0, 6000);
        for (int trial = 0; trial < 100; ++trial) {
            const pid_t saver = fork();
            ASSERT_GE(saver, 0);
            if (saver == 0) {
                for (int i = 0;; ++i)
                    writeFileAtomic(path, i % 2 == 0 ? second : first);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
            kill(saver, SIGKILL);
            waitpid(saver, nullptr, 0);
            const std::string content = ReadBytes(path);
            ASSERT_TRUE(content == first || content == second) << "trial " << trial << ": " << content.size();
        }
        writeFileAtomic(path, first);
        EXPECT_EQ(FolderEntries(dir), std::vector<std::string> { "lotdata.ldf" });
    }
}

TEST(FileSystem, EntryExistsSeesDanglingLinks)
{
    TempDir dir;
    ASSERT_EQ(symlink("gone", dir.File("dangling").c_str()), 0);
    EXPECT_TRUE(os::entryExists(dir.File("dangling")));
    EXPECT_FALSE(os::entryExists(dir.File("gone")));
    EXPECT_EQ(os::executablePath().substr(os::executablePath().rfind('/') + 1), "velmora_core_tests");
}
