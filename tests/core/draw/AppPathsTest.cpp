#include "core/draw/AppPaths.h"
#include "core/io/TextFile.h"

#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

using namespace velmora;
using velmora::test::TempDir;
using velmora::test::WriteBytes;

namespace fs = std::filesystem;

TEST(AppPaths, DataFileRule)
{
    TempDir dir;
    const std::string bin = dir.File("bin");
    const std::string portableBin = dir.File("portable");
    fs::create_directories(bin);
    fs::create_directories(portableBin);
    WriteBytes(portableBin + "/lotdata.ldf", "");
    const std::string danglingBin = dir.File("dangling");
    fs::create_directories(danglingBin);
    fs::create_symlink(dir.File("nowhere"), danglingBin + "/lotdata.ldf");
    const std::string home = dir.File("home");

    struct Row {
        const char* name;
        std::string exeFolder;
        std::optional<std::string> xdg;
        std::string expected;
    };
    const std::vector<Row> rows = {
        { "portable file present wins over XDG", portableBin + "/", dir.File("xdg"),
            portableBin + "/lotdata.ldf" },
        { "a dangling link counts as the portable file", danglingBin, std::nullopt,
            danglingBin + "/lotdata.ldf" },
        { "portable absent, XDG set", bin, dir.File("xdg"), dir.File("xdg") + "/velmora/lotdata.ldf" },
        { "XDG with a trailing slash", bin, dir.File("xdg") + "/", dir.File("xdg") + "/velmora/lotdata.ldf" },
        { "XDG unset: home's .local/share", bin, std::nullopt, home + "/.local/share/velmora/lotdata.ldf" },
        { "XDG empty counts as unset", bin, std::string(), home + "/.local/share/velmora/lotdata.ldf" },
        { "XDG relative is ignored", bin, std::string("data"), home + "/.local/share/velmora/lotdata.ldf" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(dataFileFor({ row.exeFolder, row.xdg, home }, game3d()), row.expected);
    }
    // Each game's file is found by itself: a portable 3D file leaves 排列三 in XDG.
    EXPECT_EQ(dataFileFor({ portableBin, dir.File("xdg"), home }, gamePl3()),
        dir.File("xdg") + "/velmora/pl3data.ldf");
    EXPECT_EQ(
        dataFileFor({ bin, std::nullopt, home }, gamePl3()), home + "/.local/share/velmora/pl3data.ldf");
    WriteBytes(bin + "/pl3data.ldf", "");
    EXPECT_EQ(dataFileFor({ bin, dir.File("xdg"), home }, gamePl3()), bin + "/pl3data.ldf");
    EXPECT_EQ(
        dataFileFor({ bin, dir.File("xdg"), home }, game3d()), dir.File("xdg") + "/velmora/lotdata.ldf");
    // Looking never creates anything.
    EXPECT_FALSE(fs::exists(dir.File("xdg")));
    EXPECT_FALSE(fs::exists(home));
}

TEST(AppPaths, OverrideAndDownloadFile)
{
    EXPECT_EQ(dataFilePath(gamePl3(), "/x/my.ldf"), "/x/my.ldf");
    EXPECT_EQ(downloadFilePath("/x/y/lotdata.ldf"), "/x/y/tmp.txt");
    EXPECT_EQ(downloadFilePath("lotdata.ldf"), "tmp.txt");
}

TEST(AppPaths, ProcessEnvironment)
{
    TempDir dir;
    ::setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    const DataLocation location = currentDataLocation();
    EXPECT_EQ(location.xdgDataHome, dir.path().string());
    EXPECT_EQ(location.executableFolder, executableFolder());
    if (!fs::exists(executableFolder() + "pl3data.ldf")) {
        EXPECT_EQ(dataFilePath(gamePl3()), dir.File("velmora/pl3data.ldf"));
    }
    if (!fs::exists(executableFolder() + "lotdata.ldf")) {
        EXPECT_EQ(dataFilePath(game3d()), dir.File("velmora/lotdata.ldf"));
    }
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(currentDataLocation().xdgDataHome.has_value());

    // HOME names the home folder; without it the password database does.
    const char* savedHome = std::getenv("HOME");
    const std::string home = savedHome ? savedHome : "";
    ::setenv("HOME", dir.path().c_str(), 1);
    EXPECT_EQ(currentDataLocation().home, dir.path().string());
    ::setenv("HOME", "", 1);
    EXPECT_FALSE(currentDataLocation().home.empty());
    EXPECT_NE(currentDataLocation().home, dir.path().string());
    ::setenv("HOME", home.c_str(), 1);
}

TEST(AppPaths, DataFolderIsCreatedWhenMissing)
{
    TempDir dir;
    const std::string dataFile = dir.File("a/b/velmora/lotdata.ldf");
    createDataFolder(dataFile);
    EXPECT_TRUE(fs::is_directory(dir.File("a/b/velmora")));
    EXPECT_FALSE(fs::exists(dataFile));
    EXPECT_NO_THROW(createDataFolder(dataFile)); // already there

    WriteBytes(dir.File("file"), "x");
    try {
        createDataFolder(dir.File("file/velmora/lotdata.ldf"));
        ADD_FAILURE() << "no error for a folder under a file";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("无法写入文件" + dir.File("file/velmora") + "：", 0), 0u)
            << e.what();
    }
}

TEST(AppPaths, HelpFileBesideTheProgramThenInstalled)
{
    TempDir dir;
    const std::string bin = dir.File("usr/bin/");
    fs::create_directories(bin);
    EXPECT_EQ(helpFilePath(bin), bin + "readme.txt") << "neither: the portable place";
    fs::create_directories(dir.File("usr/share/doc/velmora"));
    WriteBytes(dir.File("usr/share/doc/velmora/readme.txt"), "x");
    EXPECT_EQ(helpFilePath(bin), dir.File("usr/share/doc/velmora/readme.txt"));
    WriteBytes(bin + "readme.txt", "x");
    EXPECT_EQ(helpFilePath(bin), bin + "readme.txt");
}
