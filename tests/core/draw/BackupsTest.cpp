#include "core/draw/Backups.h"
#include "TempDir.h"
#include "core/io/TextFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

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
    for (const BackupInfo& b : listBackups(dir.File("lotdata.ldf")))
        names.push_back(b.fileName);
    return names;
}

} // namespace

TEST(Backups, ASaveKeepsTheOldContentOnceAndAnUnchangedSaveNone)
{
    TempDir dir;
    const std::string data = dir.File("lotdata.ldf");
    // No file yet: nothing to keep.
    EXPECT_EQ(saveDataFile(data, "2026001,111,222,0,0\n", kTime), DataSave::Saved);
    EXPECT_TRUE(BackupNames(dir).empty());
    // LF-only bytes on disk are kept as they were, not as the program would write them.
    WriteBytes(data, "2026001,111,222,0,0\n");
    EXPECT_EQ(saveDataFile(data, "2026001,111,222,0,0\r\n2026002,333,444,0,0\r\n", kTime), DataSave::Saved);
    ASSERT_EQ(BackupNames(dir), std::vector<std::string> { "lotdata-20261207-160509.ldf" });
    EXPECT_EQ(ReadBytes(dir.File("backups/lotdata-20261207-160509.ldf")), "2026001,111,222,0,0\n");
    EXPECT_EQ(ReadBytes(data), "2026001,111,222,0,0\r\n2026002,333,444,0,0\r\n");

    // The same text again, line breaks aside: nothing written, nothing kept.
    const auto before = fs::last_write_time(data);
    EXPECT_EQ(saveDataFile(data, "2026001,111,222,0,0\n2026002,333,444,0,0\n", secondsLater(1)),
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
        saveDataFile(data, std::to_string(i) + "\r\n", kTime);
    EXPECT_EQ(BackupNames(dir),
        (std::vector<std::string> { "lotdata-20261207-160509-3.ldf", "lotdata-20261207-160509-2.ldf",
            "lotdata-20261207-160509.ldf" }));
    EXPECT_EQ(ReadBytes(dir.File("backups/lotdata-20261207-160509-3.ldf")), "2\r\n");

    for (int i = 4; i <= 35; ++i)
        saveDataFile(data, std::to_string(i) + "\r\n", secondsLater(i));
    const std::vector<BackupInfo> left = listBackups(data);
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
    EXPECT_THROW(saveDataFile(data, "new\r\n", kTime), FileError);
    EXPECT_EQ(ReadBytes(data), "old\r\n");
    // Not even the folder made for the backup stays.
    EXPECT_FALSE(fs::exists(dir.File("backups")));

    // A folder where the data file should be is refused before anything is kept.
    const std::string folder = dir.File("folder.ldf");
    fs::create_directory(folder);
    try {
        saveDataFile(folder, "new\r\n", kTime);
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
    // Not backups: another name, a time that is no time, a sequence of 1.
    WriteBytes(dir.File("backups/notes.txt"), "x");
    WriteBytes(dir.File("backups/lotdata-2026120-160509.ldf"), "x");
    WriteBytes(dir.File("backups/lotdata-20261207-160509-1.ldf"), "x");
    EXPECT_EQ(backupsCsv(listBackups(data)),
        "文件,时间,期数,最新一期\n"
        "lotdata-20261208-000000.ldf,2026-12-08 00:00:00,1,2026003\n"
        "lotdata-20261207-160509-2.ldf,2026-12-07 16:05:09,0,\n"
        "lotdata-20261207-160509.ldf,2026-12-07 16:05:09,2,2026002\n");
}
