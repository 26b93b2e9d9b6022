// The data file's earlier contents: every save that changes the file first keeps
// what it held in a backups folder beside it, and the backups can be listed.
#pragma once

#include "core/game/Game.h"
#include "core/io/LocalTime.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Backups kept beside a data file; older ones go after a save succeeded.
inline constexpr int kBackupsKept = 30;
inline constexpr const char* kBackupFolderName = "backups";
// Why a backups folder that is a link, a file or anything but a folder is refused.
inline constexpr const char* kBackupFolderNotPlain = "备份文件夹不是普通文件夹";

// The system clock as local time.
LocalDateTime currentBackupTime();

// "backups" in the folder of dataFile.
std::string backupFolderOf(const std::string& dataFile);

// The name of the game's backup made at time: "<prefix>-YYYYMMDD-HHMMSS.ldf"
// (lotdata-…, pl3data-…), and for the second and later ones within that second "-2",
// "-3" … before ".ldf".
std::string backupFileName(const Game& game, const LocalDateTime& time, int sequence);

// What a backup's name says.
struct BackupName {
    LocalDateTime time;
    int sequence = 1;
};

// The time and sequence of the game's backup name: exactly the names backupFileName
// writes (a real date and time, a sequence 2..999 without leading zeros); nothing for
// any other name.
std::optional<BackupName> parseBackupName(const Game& game, std::string_view name);

enum class DataSave { Unchanged, Saved };

// Saves text (UTF-8, any line breaks) as the game's data file, in the bytes writeTextFile
// writes. When those are the file's bytes already nothing is written (Unchanged).
// Otherwise a file that holds something is first copied, byte for byte, into a new file
// in the backups folder named for now (made atomically, never replacing another, never
// sharing the data file's inode); then the data file is replaced atomically, and only
// then are the game's backups pruned to the one just made and the newest
// kBackupsKept - 1 others by name. The backups folder is made with mode 0700; a link, a
// file or anything but a folder there refuses the save (kBackupFolderNotPlain). Pruning
// removes only regular files with the game's exact backup names. The data file must be
// a regular file or missing. Failure raises FileError ("无法写入文件" path "：" reason);
// the data file is then as it was and the backup of this save is gone again.
DataSave saveDataFile(
    const Game& game, const std::string& path, std::string_view text, const LocalDateTime& now);

struct BackupInfo {
    std::string fileName;
    std::string path;
    LocalDateTime time;
    int sequence = 1;
    // False when the backup could not be read; draws and newestDraw are then empty.
    bool readable = true;
    int draws = 0;
    // "YYYYIII" of the draw with the largest issue; empty without a draw.
    std::string newestDraw;
};

// The game's backups of dataFile, newest first (by the time in their names): regular
// files with real times in their names, read without following links, one piece at a
// time. No backups folder gives none; one that is not a plain folder or cannot be read
// raises FileError ("无法读取文件" folder "：" reason).
std::vector<BackupInfo> listBackups(const Game& game, const std::string& dataFile);

// "2026-12-07 16:05:09".
std::string backupTimeText(const LocalDateTime& time);

// The listing as CSV lines ended by LF: "文件,时间,期数,最新一期", then one line per
// backup (file name, time, draws, newest draw), in the order given.
std::string backupsCsv(const std::vector<BackupInfo>& backups);

} // namespace velmora
