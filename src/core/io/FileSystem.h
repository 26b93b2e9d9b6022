// The operating-system calls of the core behind one small interface: a port to
// another system replaces FileSystemPosix.cpp and nothing else.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

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

// The reason given when a file that must be a regular file is something else.
inline constexpr const char* kNotRegularFile = "不是普通文件";

// What an InputFile may be: anything that can be read (a pipe read as cat reads
// it), or only a regular file, so that a pipe, socket or device never blocks.
enum class InputKind { Any, RegularOnly };

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

// What giving a file a second name did.
enum class LinkResult { Linked, Exists, NotSupported };

// Gives the file at `existing` (symbolic links followed) the second name newPath, which
// must not exist: no byte is copied or written, and since replaceFileAtomically puts a
// new file in place of the old name, the second name keeps the old contents. Exists
// when an entry stands at newPath; NotSupported where the file system has no hard
// links (the caller copies instead). Raises SystemError for anything else.
LinkResult linkFile(const std::string& existing, const std::string& newPath);

// The local time now: year, month (1..12), day, hour, minute, second.
std::array<int, 6> localTimeNow();

// For tests: false makes replaceFileAtomically take the named-temporary path that
// file systems without unnamed temporary files take.
void allowUnnamedTemporaryFiles(bool allow);

} // namespace velmora::os
