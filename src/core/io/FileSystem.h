// The operating-system calls of the core behind one small interface: a port to
// another system replaces FileSystemPosix.cpp and nothing else.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::os {

// An operating-system call failed; what() is the system's reason ("No such file
// or directory"), ready to follow the path in a file error.
class SystemError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Full path of the running executable; empty when the system cannot tell.
std::string executablePath();

// True when anything stands at path, a dangling symbolic link included.
bool entryExists(const std::string& path);

// The user's home folder: HOME when set and not empty, else the user's entry in
// the password database; empty when neither tells.
std::string homeFolder();

// The value of an environment variable; nothing when it is not set.
std::optional<std::string> environmentVariable(const char* name);

// Makes the folder at path and its missing parents; nothing when it exists. Raises
// SystemError.
void createFolders(const std::string& path);

// This process's resident memory in KiB; 0 where the system does not tell.
long residentMemoryKb();

// The reason given when a folder of our own is a link, a file or anything but a folder.
inline constexpr const char* kNotPlainFolder = "不是普通文件夹";

// The reason given when a file that must be a regular file is something else.
inline constexpr const char* kNotRegularFile = "不是普通文件";

// What an InputFile may be: anything that can be read (a pipe read as cat reads
// it), or only a regular file, so that a pipe, socket or device never blocks, or a
// regular file that is not a symbolic link (a file in a folder of our own).
enum class InputKind { Any, RegularOnly, RegularNotLink };

// A file opened for reading, closed by the destructor. Raises SystemError when
// the file cannot be opened, or with kNotRegularFile when kind is RegularOnly and
// it is not a regular file (checked without waiting for a writer).
class InputFile {
public:
    explicit InputFile(const std::string& path, InputKind kind = InputKind::Any);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Size of a regular file; -1 for a pipe, a device or anything else whose end is
    // only known when it is reached.
    std::int64_t regularFileSize() const;
    // Reads up to size bytes; 0 at the end. Raises SystemError.
    std::size_t read(char* buffer, std::size_t size);

private:
    int m_fd;
};

// Replaces the file at path by the bytes so that a crash at any moment leaves the
// old or the new file. The data is written into an unnamed temporary file where
// the file system has them, else into a named one beside the target; temporaries
// of the same target left by a killed save are removed first. Symbolic links are
// followed (a loop or a dangling link is an error); mode, owner and group of an
// existing file are kept; an existing file that is not writable is refused; a
// target that is not a regular file (a device, a pipe) is written directly.
// Raises SystemError; on failure the old file is intact.
void replaceFileAtomically(const std::string& path, std::string_view bytes);

// Makes a new file at path holding the bytes, as completely as replaceFileAtomically
// writes (mode 0600 less the umask): the name appears only with all bytes in place,
// and never replaces anything. False when an entry stands at path already; raises
// SystemError for anything else.
bool createFileExclusively(const std::string& path, std::string_view bytes);

// A folder that only this program writes into (the backups folder), held open so that
// what is listed and removed is inside it even when names around it change. The last
// part of the path is never followed as a symbolic link.
class OwnFolder {
public:
    // Opens the folder at path. A missing folder is made (mode 0700) when create is set,
    // else the object stays closed (isOpen() false). A link, a file or anything but a
    // folder there raises SystemError(kNotPlainFolder); any other failure SystemError.
    OwnFolder(const std::string& path, bool create);
    ~OwnFolder();
    OwnFolder(const OwnFolder&) = delete;
    OwnFolder& operator=(const OwnFolder&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // True when this object made the folder.
    bool made() const { return m_made; }
    const std::string& path() const { return m_path; }

    // The names of the regular files in the folder (links and other entries left out).
    // Raises SystemError when the folder cannot be read.
    std::vector<std::string> regularFiles() const;
    // Removes the entry name when it is a regular file (never a link's target); false
    // when it is not one or cannot go.
    bool removeRegularFile(const std::string& name) const;
    // Removes the folder itself when this object made it and it is empty.
    void removeIfMadeAndEmpty();

private:
    std::string m_path;
    int m_fd = -1;
    bool m_made = false;
};

// For tests of what a killed save leaves: when set, the core calls it at the named
// points of a save (a test forks, and its hook ends the child there). Empty names the
// points: "backup-written" (the backup is in place, the data file not yet replaced).
using FaultHook = void (*)(const char* point);
void setFaultHook(FaultHook hook);
void faultPoint(const char* point);

// The local time now: year, month (1..12), day, hour, minute, second.
std::array<int, 6> localTimeNow();

// For tests: false makes replaceFileAtomically take the named-temporary path that
// file systems without unnamed temporary files take.
void allowUnnamedTemporaryFiles(bool allow);

} // namespace velmora::os
