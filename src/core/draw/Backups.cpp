#include "core/draw/Backups.h"

#include "core/code/Code.h"
#include "core/draw/DrawText.h"
#include "core/io/FileSystem.h"
#include "core/io/TextEncoding.h"
#include "core/io/TextFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

namespace velmora {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBackupPrefix = "lotdata-";
constexpr std::string_view kBackupSuffix = ".ldf";
// Backups made within one second before the save gives up.
constexpr int kMaxSequence = 999;

[[noreturn]] void throwWriteError(const std::string& path, const std::string& reason)
{
    throw FileError("无法写入文件" + path + "：" + reason);
}

std::string twoDigits(int value) { return zeroPadded(value, 2); }

// Digits only, as many as given; -1 otherwise.
int digitsValue(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return -1;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The time and sequence of a backup's name; false for any other name.
bool parseBackupName(std::string_view name, LocalDateTime& time, int& sequence)
{
    if (name.size() < kBackupPrefix.size() + 15 + kBackupSuffix.size()
        || name.substr(0, kBackupPrefix.size()) != kBackupPrefix
        || name.substr(name.size() - kBackupSuffix.size()) != kBackupSuffix)
        return false;
    name.remove_prefix(kBackupPrefix.size());
    name.remove_suffix(kBackupSuffix.size());
    const int date = digitsValue(name.substr(0, 8));
    const int clock = digitsValue(name.substr(9, 6));
    if (date < 0 || name[8] != '-' || clock < 0 || name.substr(9, 6).size() != 6)
        return false;
    sequence = 1;
    if (name.size() > 15) {
        sequence = name[15] == '-' ? digitsValue(name.substr(16)) : -1;
        if (sequence < 2)
            return false;
    }
    time = { date / 10000, date / 100 % 100, date % 100, clock / 10000, clock / 100 % 100, clock % 100 };
    return true;
}

// The data file's bytes, or nothing when no entry stands at path. Anything but a
// regular file (a folder, a pipe, a dangling link) cannot be kept, so it is refused.
std::optional<std::string> currentBytes(const std::string& path)
{
    if (!os::entryExists(path))
        return std::nullopt;
    try {
        return readRegularFileBytes(path);
    } catch (const os::SystemError& e) {
        throwWriteError(path, e.what());
    }
}

// The old bytes copied into a new backup. Unless kept, the backup goes again when
// this ends, and so does the backups folder when it was made for it.
class PendingBackup {
public:
    PendingBackup(const std::string& dataFile, std::string_view bytes, const LocalDateTime& now)
        : m_folder(backupFolderOf(dataFile))
    {
        std::error_code ec;
        m_folderMade = fs::create_directory(m_folder, ec);
        if (ec)
            throwWriteError(m_folder, ec.message());
        for (int sequence = 1; sequence <= kMaxSequence && m_path.empty(); ++sequence) {
            const std::string path = (fs::path(m_folder) / backupFileName(now, sequence)).string();
            try {
                // The old file itself becomes the backup when the file system allows: the
                // save then puts a new file in its place, and nothing is copied.
                const os::LinkResult linked = os::linkFile(dataFile, path);
                if (linked == os::LinkResult::Linked
                    || (linked == os::LinkResult::NotSupported && os::createFileExclusively(path, bytes)))
                    m_path = path;
            } catch (const os::SystemError& e) {
                removeFolder();
                throwWriteError(path, e.what());
            }
        }
        if (m_path.empty()) {
            removeFolder();
            throwWriteError(m_folder, "同一秒内的备份太多");
        }
    }
    ~PendingBackup()
    {
        if (m_kept)
            return;
        std::remove(m_path.c_str());
        removeFolder();
    }
    PendingBackup(const PendingBackup&) = delete;
    PendingBackup& operator=(const PendingBackup&) = delete;

    void keep() { m_kept = true; }

private:
    void removeFolder() const
    {
        std::error_code ec;
        if (m_folderMade)
            fs::remove(m_folder, ec);
    }

    std::string m_folder;
    std::string m_path;
    bool m_folderMade = false;
    bool m_kept = false;
};

// YYYYMMDDHHMMSS as one number, in the order of the times.
long long timeKey(const LocalDateTime& t)
{
    return ((((t.year * 100LL + t.month) * 100 + t.day) * 100 + t.hour) * 100 + t.minute) * 100 + t.second;
}

struct NamedBackup {
    std::string name;
    LocalDateTime time;
    int sequence = 1;
};

// The backups in folder, newest first.
std::vector<NamedBackup> backupsIn(const std::string& folder)
{
    std::vector<NamedBackup> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        NamedBackup backup;
        backup.name = it->path().filename().string();
        if (parseBackupName(backup.name, backup.time, backup.sequence))
            found.push_back(std::move(backup));
    }
    std::sort(found.begin(), found.end(), [](const NamedBackup& a, const NamedBackup& b) {
        return std::pair(timeKey(a.time), a.sequence) > std::pair(timeKey(b.time), b.sequence);
    });
    return found;
}

// Removing an old backup is tidying: one that cannot go stays, and the save stands.
void removeOldBackups(const std::string& folder)
{
    const std::vector<NamedBackup> backups = backupsIn(folder);
    for (std::size_t i = kBackupsKept; i < backups.size(); ++i)
        std::remove((fs::path(folder) / backups[i].name).c_str());
}

// Draws of a backup's text and the newest one's issue.
void describeDraws(BackupInfo& info, std::string_view bytes)
{
    long long newest = -1;
    for (const std::string& line : splitLines(decodeFileBytes(bytes))) {
        const std::optional<DrawRecord> record = parseDrawLine(line);
        if (!record)
            continue;
        ++info.draws;
        newest = std::max(newest, static_cast<long long>(record->year) * 1000 + record->issue);
    }
    if (newest >= 0)
        info.newestDraw
            = zeroPadded(static_cast<int>(newest / 1000), 4) + zeroPadded(static_cast<int>(newest % 1000), 3);
}

} // namespace

LocalDateTime currentBackupTime()
{
    const std::array<int, 6> now = os::localTimeNow();
    return { now[0], now[1], now[2], now[3], now[4], now[5] };
}

std::string backupFolderOf(const std::string& dataFile)
{
    return (fs::path(dataFile).parent_path() / kBackupFolderName).string();
}

std::string backupFileName(const LocalDateTime& t, int sequence)
{
    std::string name(kBackupPrefix);
    name += zeroPadded(t.year, 4) + twoDigits(t.month) + twoDigits(t.day) + '-' + twoDigits(t.hour)
        + twoDigits(t.minute) + twoDigits(t.second);
    if (sequence > 1)
        name += '-' + std::to_string(sequence);
    name += kBackupSuffix;
    return name;
}

DataSave saveDataFile(const std::string& path, std::string_view text, const LocalDateTime& now)
{
    const std::string bytes = encodeGb18030(normalizeLineBreaks(text));
    const std::optional<std::string> old = currentBytes(path);
    if (old && *old == bytes)
        return DataSave::Unchanged;
    std::optional<PendingBackup> backup;
    if (old && !old->empty())
        backup.emplace(path, *old, now);
    writeFileAtomic(path, bytes);
    if (backup) {
        backup->keep();
        removeOldBackups(backupFolderOf(path));
    }
    return DataSave::Saved;
}

std::vector<BackupInfo> listBackups(const std::string& dataFile)
{
    const std::string folder = backupFolderOf(dataFile);
    std::vector<BackupInfo> list;
    for (NamedBackup& named : backupsIn(folder)) {
        BackupInfo info;
        info.path = (fs::path(folder) / named.name).string();
        info.fileName = std::move(named.name);
        info.time = named.time;
        info.sequence = named.sequence;
        try {
            describeDraws(info, readRegularFileBytes(info.path));
        } catch (const os::SystemError&) {
            info.readable = false;
        }
        list.push_back(std::move(info));
    }
    return list;
}

std::string backupTimeText(const LocalDateTime& t)
{
    return zeroPadded(t.year, 4) + '-' + twoDigits(t.month) + '-' + twoDigits(t.day) + ' ' + twoDigits(t.hour)
        + ':' + twoDigits(t.minute) + ':' + twoDigits(t.second);
}

std::string backupsCsv(const std::vector<BackupInfo>& backups)
{
    std::string csv = "文件,时间,期数,最新一期\n";
    for (const BackupInfo& b : backups) {
        csv += b.fileName + ',' + backupTimeText(b.time) + ',';
        if (b.readable)
            csv += std::to_string(b.draws) + ',' + b.newestDraw;
        else
            csv += ',';
        csv += '\n';
    }
    return csv;
}

} // namespace velmora
