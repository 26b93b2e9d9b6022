// Where the programs keep their files: one rule for the GUI and the CLI.
#pragma once

#include "core/game/Game.h"

#include <optional>
#include <string>

namespace velmora {

// Folder of the running executable, with a trailing '/'.
std::string executableFolder();

// folder (with or without trailing '/') followed by name.
std::string appFilePath(const std::string& folder, const std::string& name);

inline constexpr const char* kDownloadFileName = "tmp.txt";
inline constexpr const char* kHelpFileName = "readme.txt";

// What the data file's place depends on.
struct DataLocation {
    std::string executableFolder;
    std::optional<std::string> xdgDataHome; // nullopt when the variable is unset
    std::string home;
};

// The game's data file (lotdata.ldf, pl3data.ldf): in the executable's folder when
// something stands there (a portable install; a dangling link counts, so it is
// reported rather than passed over), else <XDG_DATA_HOME>/velmora/<name>, where an
// unset, empty or relative XDG_DATA_HOME means <home>/.local/share. Each game's file
// is found by itself. Looks at the file system, changes nothing.
std::string dataFileFor(const DataLocation& location, const Game& game);

// This process's executable folder, XDG_DATA_HOME and home folder (HOME, else the
// user's entry in the password database).
DataLocation currentDataLocation();

// overridePath when not empty (--data, a test's folder), else
// dataFileFor(currentDataLocation(), game).
std::string dataFilePath(const Game& game, const std::string& overridePath = {});

// Makes the folder of dataFile, parents included, when it is missing; nothing when it
// exists. A folder that cannot be made raises FileError ("无法写入文件", folder, reason).
void createDataFolder(const std::string& dataFile);

// tmp.txt (the download's copy) in the folder of dataFile; a bare name gives "tmp.txt".
std::string downloadFilePath(const std::string& dataFile);

// readme.txt beside the executable when it exists there, else the installed
// <folder>/../share/doc/velmora/readme.txt when that exists, else the first (so a
// message names the place a portable install would have it).
std::string helpFilePath(const std::string& executableFolder);

} // namespace velmora
