#include "core/draw/Backups.h"
#include "TempDir.h"
#include "core/io/FileSystem.h"
#include "core/io/TextFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;
using velmora::test::ReadBytes;
using velmora::test::TempDir;
using velmora::test::WriteBytes;

namespace fs = std::filesystem;

namespace {

const LocalDateTime kTime { 2026, 12, 7, 16, 5, 9 };

LocalDateTime secondsLater(int seconds)
{
    LocalDateTime t = kTime;
    t.minute += (t.second + seconds) / 60;
    t.second = (t.second + seconds) % 60;
    return t;
}

std::vector<std::string> BackupNames(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const BackupInfo& b : listBackups(game3d(), dir.File("lotdata.ldf")))
        names.push_back(b.fileName);
    return names;
}

} // namespace

TEST(Backups, ASaveKeepsTheOldContentOnceAndAnUnchangedSaveNone)
{
    TempDir dir;
    const std::string data = dir.File("lotdata.ldf");
    // No file yet: nothing to keep.
    EXPECT_EQ(saveDataFile(game3d(), data, "2026001,111,222,0,0\n", kTime), DataSave::Saved);
    EXPECT_TRUE(BackupNames(dir).empty());
    // LF-only bytes on disk are kept as they were, not as the program would write them.
    WriteBytes(data, "2026001,111,222,0,0\n");
    EXPECT_EQ(saveDataFile(game3d(), data, "2026001,111,222,0,0\r\n2026002,333,444,0,0\r\n", kTime),
        DataSave::Saved);
    ASSERT_EQ(BackupNames(dir), std::vector<std::string> { "lotdata-20261207-160509.ldf" });
    EXPECT_EQ(ReadBytes(dir.File("backups/lotdata-20261207-160509.ldf")), "2026001,111,222,0,0\n");
    EXPECT_EQ(ReadBytes(data), "2026001,111,222,0,0\r\n2026002,333,444,0,0\r\n");

    // The same text again, line breaks aside: nothing written, nothing kept.
    const auto before = fs::last_write_time(data);
    EXPECT_EQ(saveDataFile(game3d(), data, "2026001,111,222,0,0\n2026002,333,444,0,0\n", secondsLater(1)),
        DataSave::Unchanged);
    EXPECT_EQ(fs::last_write_time(data), before);
    EXPECT_EQ(BackupNames(dir).size(), 1U);

    // The backup is a file of its own: writing the data file in place leaves it alone.
    WriteBytes(data, "");
    EXPECT_EQ(ReadBytes(dir.File("backups/lotdata-20261207-160509.ldf")), "2026001,111,222,0,0\n");
}

TEST(Backups, SavesWithinOneSecondAreNumberedAndTheNewestThirtyStay)
{
    TempDir dir;
    const std::string data = dir.File("lotdata.ldf");
    WriteBytes(data, "0\r\n");
    for (int i = 1; i <= 3; ++i)
        saveDataFile(game3d(), data, std::to_string(i) + "\r\n", kTime);
    EXPECT_EQ(BackupNames(dir),
        (std::vector<std::string> { "lotdata-20261207-160509-3.ldf", "lotdata-20261207-160509-2.ldf",
            "lotdata-20261207-160509.ldf" }));
    EXPECT_EQ(ReadBytes(dir.File("backups/lotdata-20261207-160509-3.ldf")), "2\r\n");

    for (int i = 4; i <= 35; ++i)
        saveDataFile(game3d(), data, std::to_string(i) + "\r\n", secondsLater(i));
    const std::vector<BackupInfo> left = listBackups(game3d(), data);
    ASSERT_EQ(left.size(), static_cast<std::size_t>(kBackupsKept));
    // Newest first: the content before the last save, down to the one before save 6.
    EXPECT_EQ(ReadBytes(left.front().path), "34\r\n");
    EXPECT_EQ(ReadBytes(left.back().path), "5\r\n");
    EXPECT_EQ(ReadBytes(data), "35\r\n");
}

TEST(Backups, AFailedSaveLeavesTheFileAndNoBackup)
{
    TempDir dir;
    const std::string data = dir.File("lotdata.ldf");
    WriteBytes(data, "old\r\n");
    ::chmod(data.c_str(), 0444);
    EXPECT_THROW(saveDataFile(game3d(), data, "new\r\n", kTime), FileError);
    EXPECT_EQ(ReadBytes(data), "old\r\n");
    // Not even the folder made for the backup stays.
    EXPECT_FALSE(fs::exists(dir.File("backups")));

    // A folder where the data file should be is refused before anything is kept.
    const std::string folder = dir.File("folder.ldf");
    fs::create_directory(folder);
    try {
        saveDataFile(game3d(), folder, "new\r\n", kTime);
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "无法写入文件" + folder + "：不是普通文件");
    }
}

TEST(Backups, ListingGivesTimeDrawsAndNewestDrawAsCsv)
{
    TempDir dir;
    const std::string data = dir.File("lotdata.ldf");
    fs::create_directory(dir.File("backups"));
    WriteBytes(dir.File("backups/lotdata-20261207-160509.ldf"),
        "2026002,333,444,0,0\r\n2026001,111,222,0,0\r\nbroken\r\n");
    WriteBytes(dir.File("backups/lotdata-20261207-160509-2.ldf"), "");
    WriteBytes(dir.File("backups/lotdata-20261208-000000.ldf"), "2026003,555,666,1,2\r\n");
    WriteBytes(dir.File("backups/lotdata-20240229-235959.ldf"),
        "\xEF\xBB\xBF"
        "2024001,000,000,0,0\n");
    // Not backups: another name or game, times that are no times, sequences out of rule, a link.
    for (const char* name : { "notes.txt", "lotdata-2026120-160509.ldf", "lotdata-20261207-160509-1.ldf",
             "lotdata-99999999-999999.ldf", "lotdata-20261307-160509.ldf", "lotdata-20250229-120000.ldf",
             "lotdata-20261207-240000.ldf", "lotdata-20261207-160509-02.ldf",
             "lotdata-20261207-160509-1000.ldf", "lotdata-20261207-160560.ldf", "pl3data-20261207-160509.ldf",
             "lotdata_20261207-160509.ldf" })
        WriteBytes(dir.File(std::string("backups/") + name), "2026009,000,000,0,0\r\n");
    fs::create_symlink(
        dir.File("backups/lotdata-20261208-000000.ldf"), dir.File("backups/lotdata-20261209-000000.ldf"));
    EXPECT_EQ(backupsCsv(listBackups(game3d(), data)),
        "文件,时间,期数,最新一期\n"
        "lotdata-20261208-000000.ldf,2026-12-08 00:00:00,1,2026003\n"
        "lotdata-20261207-160509-2.ldf,2026-12-07 16:05:09,0,\n"
        "lotdata-20261207-160509.ldf,2026-12-07 16:05:09,2,2026002\n"
        "lotdata-20240229-235959.ldf,2024-02-29 23:59:59,1,2024001\n");
    EXPECT_EQ(listBackups(gamePl3(), data).size(), 1U);
}

TEST(Backups, TheBackupsFolderIsOursAlone)
{
    struct Row {
        const char* name;
        void (*make)(const TempDir& dir);
    } rows[] = {
        { "a link to a folder of someone else's",
            [](const TempDir& dir) {
                fs::create_directory_symlink(dir.File("other"), dir.File("backups"));
            } },
        { "a file", [](const TempDir& dir) { WriteBytes(dir.File("backups"), "x"); } },
        { "a dangling link",
            [](const TempDir& dir) { fs::create_symlink(dir.File("gone"), dir.File("backups")); } },
        { "a link loop",
            [](const TempDir& dir) { fs::create_symlink(dir.File("backups"), dir.File("backups")); } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const std::string data = dir.File("lotdata.ldf");
        WriteBytes(data, "old\r\n");
        row.make(dir);
        fs::create_directory(dir.File("other"));
        for (int day = 1; day <= 31; ++day)
            WriteBytes(dir.File("other/lotdata-201901" + std::string(day < 10 ? "0" : "")
                           + std::to_string(day) + "-120000.ldf"),
                "theirs");
        const std::string reason = std::string("：") + kBackupFolderNotPlain;
        try {
            saveDataFile(game3d(), data, "new\r\n", kTime);
            ADD_FAILURE() << "saved";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), "无法写入文件" + dir.File("backups") + reason);
        }
        EXPECT_EQ(ReadBytes(data), "old\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("other")), fs::directory_iterator()), 31);
        try {
            listBackups(game3d(), data);
            ADD_FAILURE() << "listed";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), "无法读取文件" + dir.File("backups") + reason);
        }
    }
}

TEST(Backups, TheNewBackupSurvivesFutureNamesAndPruningTouchesOnlyOurFiles)
{
    TempDir dir;
    const std::string data = dir.File("lotdata.ldf");
    WriteBytes(data, "old\r\n");
    fs::create_directory(dir.File("backups"));
    for (int i = 0; i < 30; ++i)
        WriteBytes(dir.File("backups/lotdata-2099010" + std::to_string(i / 10 + 1) + "-1200"
                       + std::to_string(10 + i) + ".ldf"),
            "wrong clock");
    WriteBytes(dir.File("notes.txt"), "mine");
    fs::create_symlink(dir.File("notes.txt"), dir.File("backups/lotdata-20000101-000000.ldf"));
    WriteBytes(dir.File("backups/pl3data-20000101-000000.ldf"), "other game");
    EXPECT_EQ(saveDataFile(game3d(), data, "new\r\n", kTime), DataSave::Saved);
    EXPECT_EQ(ReadBytes(dir.File("backups/lotdata-20261207-160509.ldf")), "old\r\n");
    EXPECT_EQ(listBackups(game3d(), data).size(), static_cast<std::size_t>(kBackupsKept));
    EXPECT_TRUE(fs::is_symlink(dir.File("backups/lotdata-20000101-000000.ldf")));
    EXPECT_EQ(ReadBytes(dir.File("notes.txt")), "mine");
    EXPECT_EQ(ReadBytes(dir.File("backups/pl3data-20000101-000000.ldf")), "other game");
}

TEST(Backups, ABackupNeverSharesTheDataFilesInodeEvenWhenTheSaveIsKilled)
{
    TempDir dir;
    const std::string data = dir.File("lotdata.ldf");
    WriteBytes(data, "old\r\n");
    const pid_t child = ::fork();
    if (child == 0) {
        os::setFaultHook([](const char* point) {
            if (std::string_view(point) == "backup-written")
                ::_exit(0);
        });
        saveDataFile(game3d(), data, "new\r\n", kTime);
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save did not reach the fault point";
    const std::string backup = dir.File("backups/lotdata-20261207-160509.ldf");
    EXPECT_EQ(ReadBytes(data), "old\r\n");
    EXPECT_EQ(ReadBytes(backup), "old\r\n");
    struct stat a {
    }, b {};
    ASSERT_EQ(::stat(data.c_str(), &a), 0);
    ASSERT_EQ(::stat(backup.c_str(), &b), 0);
    EXPECT_NE(a.st_ino, b.st_ino);
    EXPECT_EQ(b.st_nlink, 1U);
    // The folder this program made is its own.
    struct stat folder { };
    ASSERT_EQ(::stat(dir.File("backups").c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700U);
}
