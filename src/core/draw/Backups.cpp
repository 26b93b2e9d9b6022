#include "core/draw/Backups.h"

#include "core/code/Code.h"
#include "core/draw/AppPaths.h"
#include "core/draw/DrawText.h"
#include "core/io/FileSystem.h"
#include "core/io/TextEncoding.h"
#include "core/io/TextFile.h"
#include "core/io/TextFormat.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace velmora {

namespace {

constexpr std::string_view kBackupSuffix = ".ldf";
// Backups made within one second before the save gives up.
constexpr int kMaxSequence = 999;

[[noreturn]] void throwWriteError(const std::string& path, const std::string& reason)
{
    throw FileError::cannotWrite(path, reason);
}

std::string twoDigits(int value) { return zeroPadded(value, 2); }

// The number a run of ASCII digits spells; nothing for an empty run or any other
// character. Nine digits at most, so that it fits.
std::optional<int> digitsValue(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool isRealTime(const LocalDateTime& t)
{
    static constexpr int kDays[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (t.year < 1 || t.month < 1 || t.month > 12 || t.day < 1 || t.hour > 23 || t.minute > 59
        || t.second > 59)
        return false;
    const int days = kDays[t.month - 1] + (t.month == 2 && isLeapYear(t.year) ? 1 : 0);
    return t.day <= days;
}

struct NamedBackup {
    std::string name;
    BackupName parsed;
};

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

// The reason a backups folder that is not a plain folder of ours is refused with.
std::string folderReason(const os::SystemError& e)
{
    return std::string_view(e.what()) == os::kNotPlainFolder ? kBackupFolderNotPlain : e.what();
}

// The old bytes copied into a new backup: a file of its own, never a second name of the
// data file, which would change with it. Unless kept, the backup goes again when this
// ends, and so does the backups folder when it was made for it.
class PendingBackup {
public:
    PendingBackup(const Game& game, os::OwnFolder& folder, std::string_view bytes, const LocalDateTime& now)
        : m_folder(folder)
    {
        for (int sequence = 1; sequence <= kMaxSequence && m_name.empty(); ++sequence) {
            const std::string name = backupFileName(game, now, sequence);
            const std::string path = appFilePath(folder.path(), name);
            try {
                if (os::createFileExclusively(path, bytes))
                    m_name = name;
            } catch (const os::SystemError& e) {
                m_folder.removeIfMadeAndEmpty();
                throwWriteError(path, e.what());
            }
        }
        if (m_name.empty()) {
            m_folder.removeIfMadeAndEmpty();
            throwWriteError(folder.path(), "同一秒内的备份太多");
        }
    }
    ~PendingBackup()
    {
        if (m_kept)
            return;
        m_folder.removeRegularFile(m_name);
        m_folder.removeIfMadeAndEmpty();
    }
    PendingBackup(const PendingBackup&) = delete;
    PendingBackup& operator=(const PendingBackup&) = delete;

    const std::string& name() const { return m_name; }
    void keep() { m_kept = true; }

private:
    os::OwnFolder& m_folder;
    std::string m_name;
    bool m_kept = false;
};

// YYYYMMDDHHMMSS and the sequence as one number, in the order of the names.
long long orderKey(const NamedBackup& b)
{
    const LocalDateTime& t = b.parsed.time;
    const long long stamp
        = ((((t.year * 100LL + t.month) * 100 + t.day) * 100 + t.hour) * 100 + t.minute) * 100 + t.second;
    return stamp * 1000 + b.parsed.sequence;
}

// The game's backups in the folder, newest first by their names.
std::vector<NamedBackup> backupsIn(const Game& game, const os::OwnFolder& folder)
{
    std::vector<NamedBackup> found;
    for (const std::string& name : folder.regularFiles())
        if (const std::optional<BackupName> parsed = parseBackupName(game, name))
            found.push_back({ name, *parsed });
    std::sort(found.begin(), found.end(),
        [](const NamedBackup& a, const NamedBackup& b) { return orderKey(a) > orderKey(b); });
    return found;
}

// Keeps the backup just made and the newest kBackupsKept - 1 others by name, so that a
// wrong clock's names in the future never push out the copy this save made. Removing is
// tidying: a backup that cannot go stays, and the save stands.
void removeOldBackups(const Game& game, const os::OwnFolder& folder, const std::string& justMade)
{
    std::vector<NamedBackup> others;
    try {
        others = backupsIn(game, folder);
    } catch (const os::SystemError&) {
        return;
    }
    std::erase_if(others, [&](const NamedBackup& b) { return b.name == justMade; });
    for (std::size_t i = kBackupsKept - 1; i < others.size(); ++i)
        folder.removeRegularFile(others[i].name);
}

// Draws of a backup and the newest one's issue, read a piece at a time: draw lines are
// ASCII in every encoding the data file may have, and no line break hides inside a
// character, so the raw bytes are cut at line breaks and only the current line is held.
void describeDraws(const Game& game, BackupInfo& info, os::InputFile& file)
{
    int newest = -1;
    std::string line;
    std::array<char, 1 << 16> buffer {};
    std::size_t total = 0;
    const auto endLine = [&] {
        // A line with other than ASCII is read as the data file would read it.
        const bool ascii = std::all_of(line.begin(), line.end(), [](char c) { return c > 0; });
        if (const std::optional<DrawRecord> record
            = parseDrawLine(game, ascii ? line : decodeFileBytes(line))) {
            ++info.draws;
            newest = std::max(newest, record->issueKey());
        }
        line.clear();
    };
    bool first = true;
    while (const std::size_t n = file.read(buffer.data(), buffer.size())) {
        total += n;
        if (total > kMaxInputBytes)
            throw os::SystemError(kInputTooLarge);
        std::string_view piece(buffer.data(), n);
        if (first && startsWithUtf8Bom(piece))
            piece.remove_prefix(kUtf8Bom.size());
        first = false;
        for (const char c : piece) {
            if (c == '\r' || c == '\n')
                endLine();
            else
                line += c;
        }
    }
    endLine();
    if (newest >= 0)
        info.newestDraw = issueKeyText(newest);
}

} // namespace

LocalDateTime currentBackupTime()
{
    const std::array<int, 6> now = os::localTimeNow();
    return { now[0], now[1], now[2], now[3], now[4], now[5] };
}

std::string backupFolderOf(const std::string& dataFile)
{
    const std::size_t slash = dataFile.rfind('/');
    return slash == std::string::npos ? std::string(kBackupFolderName)
                                      : appFilePath(dataFile.substr(0, slash + 1), kBackupFolderName);
}

std::optional<BackupName> parseBackupName(const Game& game, std::string_view name)
{
    const std::string_view prefix = game.backupPrefix;
    if (name.size() < prefix.size() + 16 + kBackupSuffix.size() || name.substr(0, prefix.size()) != prefix
        || name[prefix.size()] != '-' || name.substr(name.size() - kBackupSuffix.size()) != kBackupSuffix)
        return std::nullopt;
    const std::string_view stamp
        = name.substr(prefix.size() + 1, name.size() - prefix.size() - 1 - kBackupSuffix.size());
    const std::optional<int> date = digitsValue(stamp.substr(0, 8));
    const std::optional<int> clock = stamp.size() >= 15 ? digitsValue(stamp.substr(9, 6)) : std::nullopt;
    if (!date || !clock || stamp[8] != '-')
        return std::nullopt;
    BackupName parsed;
    parsed.time
        = { *date / 10000, *date / 100 % 100, *date % 100, *clock / 10000, *clock / 100 % 100, *clock % 100 };
    if (stamp.size() > 15) {
        const std::string_view number = stamp.substr(16);
        const std::optional<int> sequence = stamp[15] == '-' && !number.empty() && number.front() != '0'
            ? digitsValue(number)
            : std::nullopt;
        if (!sequence || *sequence < 2 || *sequence > kMaxSequence)
            return std::nullopt;
        parsed.sequence = *sequence;
    }
    if (!isRealTime(parsed.time))
        return std::nullopt;
    return parsed;
}

std::string backupFileName(const Game& game, const LocalDateTime& t, int sequence)
{
    std::string name(game.backupPrefix);
    name += '-';
    name += zeroPadded(t.year, 4) + twoDigits(t.month) + twoDigits(t.day) + '-' + twoDigits(t.hour)
        + twoDigits(t.minute) + twoDigits(t.second);
    if (sequence > 1)
        name += '-' + std::to_string(sequence);
    name += kBackupSuffix;
    return name;
}

DataSave saveDataFile(
    const Game& game, const std::string& path, std::string_view text, const LocalDateTime& now)
{
    const std::string bytes = encodeGb18030(normalizeLineBreaks(text));
    const std::optional<std::string> old = currentBytes(path);
    if (old && *old == bytes)
        return DataSave::Unchanged;
    if (!old || old->empty()) {
        writeFileAtomic(path, bytes);
        return DataSave::Saved;
    }
    const std::string folderPath = backupFolderOf(path);
    std::optional<os::OwnFolder> folder;
    try {
        folder.emplace(folderPath, true);
    } catch (const os::SystemError& e) {
        throwWriteError(folderPath, folderReason(e));
    }
    PendingBackup backup(game, *folder, *old, now);
    os::faultPoint("backup-written");
    writeFileAtomic(path, bytes);
    backup.keep();
    removeOldBackups(game, *folder, backup.name());
    return DataSave::Saved;
}

std::vector<BackupInfo> listBackups(const Game& game, const std::string& dataFile)
{
    const std::string folderPath = backupFolderOf(dataFile);
    std::vector<NamedBackup> named;
    try {
        const os::OwnFolder folder(folderPath, false);
        named = backupsIn(game, folder);
    } catch (const os::SystemError& e) {
        throw FileError::cannotRead(folderPath, folderReason(e));
    }
    std::vector<BackupInfo> list;
    for (NamedBackup& backup : named) {
        BackupInfo info;
        info.path = appFilePath(folderPath, backup.name);
        info.fileName = std::move(backup.name);
        info.time = backup.parsed.time;
        info.sequence = backup.parsed.sequence;
        try {
            os::InputFile file(info.path, os::InputKind::RegularNotLink);
            describeDraws(game, info, file);
        } catch (const os::SystemError&) {
            info.readable = false;
            info.draws = 0;
            info.newestDraw.clear();
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
