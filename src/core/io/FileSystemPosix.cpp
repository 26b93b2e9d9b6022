// FileSystem.h on Linux and other POSIX systems.
#include "core/io/FileSystem.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <pwd.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::os {

namespace {

bool g_allowUnnamed = true;
FaultHook g_faultHook = nullptr;

// Temporaries of target "name" are ".name" + kTempInfix + six letters or digits.
constexpr std::string_view kTempInfix = ".velmora-tmp-";
constexpr std::size_t kTempSuffixLength = 6;

[[noreturn]] void fail(int err) { throw SystemError(std::strerror(err)); }

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string randomSuffix()
{
    static constexpr std::string_view kLetters
        = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 engine { std::random_device {}() };
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string suffix;
    for (std::size_t i = 0; i < kTempSuffixLength; ++i)
        suffix += kLetters[pick(engine)];
    return suffix;
}

// The file a path finally names: its real path and state when it exists.
struct Target {
    std::string path;
    bool exists = false;
    struct stat info { };
};

Target resolveTarget(const std::string& path)
{
    Target target;
    target.path = path;
    if (::stat(path.c_str(), &target.info) == 0) {
        char* real = ::realpath(path.c_str(), nullptr);
        if (real == nullptr)
            fail(errno);
        target.path = real;
        std::free(real);
        target.exists = true;
        return target;
    }
    const int err = errno;
    struct stat link { };
    // A loop, a dangling link, a folder that cannot be searched: never a new file.
    if (err != ENOENT || ::lstat(path.c_str(), &link) == 0)
        fail(err);
    return target;
}

void writeDirectly(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        fail(errno);
    if (!writeAll(fd, bytes)) {
        const int err = errno;
        ::close(fd);
        fail(err);
    }
    if (::close(fd) != 0)
        fail(errno);
}

// Removes the temporaries of a target that no running save holds: a save keeps
// its temporary locked, and a killed process's locks are gone.
void removeStaleTemporaries(const std::string& folder, const std::string& prefix)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + kTempSuffixLength || name.substr(0, prefix.size()) != prefix)
            continue;
        const int fd = ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat info { };
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

// A temporary file being written; unlinked by the destructor unless renamed.
class Temporary {
public:
    Temporary(std::string folder, std::string prefix)
        : m_folder(std::move(folder))
        , m_prefix(std::move(prefix))
    {
        if (g_allowUnnamed)
            m_fd = ::open(m_folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            ::flock(m_fd, LOCK_EX);
            return;
        }
        createNamed();
    }
    ~Temporary()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_name.empty())
            ::unlink(m_name.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    int fd() const { return m_fd; }

    // Gives an unnamed file its name beside the target (locked, so that no other
    // save removes it), then renames it over the target.
    void moveTo(const std::string& target)
    {
        if (m_name.empty()) {
            for (int attempt = 0; attempt < 100 && m_name.empty(); ++attempt) {
                const std::string name = m_folder + "/" + m_prefix + randomSuffix();
                if (linkUnnamed(name))
                    m_name = name;
                else if (errno != EEXIST)
                    fail(errno);
            }
            if (m_name.empty())
                fail(EEXIST);
        }
        if (::rename(m_name.c_str(), target.c_str()) != 0)
            fail(errno);
        m_name.clear();
    }

    // Links the file at target, which must not exist yet; false when it does.
    bool linkTo(const std::string& target)
    {
        const bool linked
            = m_name.empty() ? linkUnnamed(target) : ::link(m_name.c_str(), target.c_str()) == 0;
        if (!linked && errno != EEXIST)
            fail(errno);
        return linked;
    }

private:
    bool linkUnnamed(const std::string& name) const
    {
        const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
        // Without /proc, the descriptor itself links for a privileged user.
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0
            || (errno == ENOENT && ::linkat(m_fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0);
    }

    void createNamed()
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = m_folder + "/" + m_prefix + "XXXXXX";
            m_fd = ::mkstemp(name.data());
            if (m_fd < 0)
                fail(errno);
            ::flock(m_fd, LOCK_EX);
            // A concurrent clean-up may have taken it between creation and lock.
            struct stat info { };
            if (::fstat(m_fd, &info) == 0 && info.st_nlink > 0) {
                m_name = std::move(name);
                return;
            }
            ::close(m_fd);
            m_fd = -1;
        }
        fail(EEXIST);
    }

    std::string m_folder;
    std::string m_prefix;
    std::string m_name;
    int m_fd = -1;
};

// The folder and the name of a path.
std::pair<std::string, std::string> splitPath(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return { ".", path };
    return { slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1) };
}

void syncFolder(const std::string& folder)
{
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

} // namespace

std::string executablePath()
{
    std::array<char, PATH_MAX> buffer {};
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size())
        return {};
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

bool entryExists(const std::string& path)
{
    struct stat info { };
    return ::lstat(path.c_str(), &info) == 0;
}

std::optional<std::string> environmentVariable(const char* name)
{
    if (const char* value = std::getenv(name))
        return std::string(value);
    return std::nullopt;
}

void createFolders(const std::string& path)
{
    std::string made;
    std::size_t at = 0;
    while (at != std::string::npos) {
        at = path.find('/', at + 1);
        made = path.substr(0, at);
        if (made.empty() || ::mkdir(made.c_str(), 0777) == 0 || errno == EEXIST)
            continue;
        fail(errno);
    }
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        fail(errno);
    if (!S_ISDIR(info.st_mode))
        fail(ENOTDIR);
}

long residentMemoryKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return {};
}

InputFile::InputFile(const std::string& path, InputKind kind)
{
    const bool regularOnly = kind != InputKind::Any;
    const int noLink = kind == InputKind::RegularNotLink ? O_NOFOLLOW : 0;
    // Without O_NONBLOCK, opening a pipe waits for a writer.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | noLink | (regularOnly ? O_NONBLOCK : 0));
    struct stat info { };
    if (m_fd < 0) {
        const int err = errno;
        // A socket cannot be opened at all.
        if ((noLink != 0 && err == ELOOP)
            || (regularOnly && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)))
            throw SystemError(kNotRegularFile);
        fail(err);
    }
    if (!regularOnly)
        return;
    const bool regular = ::fstat(m_fd, &info) == 0 && S_ISREG(info.st_mode);
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (!regular || flags < 0 || ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int err = errno;
        ::close(m_fd);
        if (!regular)
            throw SystemError(kNotRegularFile);
        fail(err);
    }
}

InputFile::~InputFile() { ::close(m_fd); }

std::int64_t InputFile::regularFileSize() const
{
    struct stat info { };
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return info.st_size;
}

std::size_t InputFile::read(char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, size);
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno != EINTR)
            fail(errno);
    }
}

void replaceFileAtomically(const std::string& path, std::string_view bytes)
{
    const Target target = resolveTarget(path);
    if (target.exists && !S_ISREG(target.info.st_mode)) {
        writeDirectly(target.path, bytes);
        return;
    }
    // A read-only file is refused even for a user (root) whom the system would let write.
    if (target.exists && ::access(target.path.c_str(), W_OK) != 0)
        fail(errno);
    if (target.exists && (target.info.st_mode & 0222) == 0)
        fail(EACCES);

    const auto [folder, name] = splitPath(target.path);
    const std::string prefix = "." + name + std::string(kTempInfix);
    removeStaleTemporaries(folder, prefix);

    Temporary temp(folder, prefix);
    // The owner first: changing it clears set-id bits that the mode then restores.
    if (target.exists && ::fchown(temp.fd(), target.info.st_uid, target.info.st_gid) != 0 && ::geteuid() == 0)
        fail(errno);
    if (::fchmod(temp.fd(), target.exists ? (target.info.st_mode & 07777) : newFileMode()) != 0)
        fail(errno);
    if (!writeAll(temp.fd(), bytes) || ::fsync(temp.fd()) != 0)
        fail(errno);
    temp.moveTo(target.path);
    // The rename itself is made durable with its folder.
    syncFolder(folder);
}

bool createFileExclusively(const std::string& path, std::string_view bytes)
{
    const auto [folder, name] = splitPath(path);
    const std::string prefix = "." + name + std::string(kTempInfix);
    removeStaleTemporaries(folder, prefix);
    Temporary temp(folder, prefix);
    if (!writeAll(temp.fd(), bytes) || ::fsync(temp.fd()) != 0)
        fail(errno);
    if (!temp.linkTo(path))
        return false;
    syncFolder(folder);
    return true;
}

std::array<int, 6> localTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    ::localtime_r(&now, &local);
    return { local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
        local.tm_sec };
}

void allowUnnamedTemporaryFiles(bool allow) { g_allowUnnamed = allow; }

OwnFolder::OwnFolder(const std::string& path, bool create)
    : m_path(path)
{
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    m_fd = ::open(path.c_str(), kFlags);
    if (m_fd < 0 && errno == ENOENT && create) {
        if (::mkdir(path.c_str(), 0700) == 0)
            m_made = true;
        else if (errno != EEXIST)
            fail(errno);
        m_fd = ::open(path.c_str(), kFlags);
    }
    if (m_fd >= 0)
        return;
    const int err = errno;
    if (err == ENOENT && !create) {
        struct stat info { };
        // A dangling link is something there, just not a folder.
        if (::lstat(path.c_str(), &info) != 0)
            return;
        throw SystemError(kNotPlainFolder);
    }
    if (err == ELOOP || err == ENOTDIR)
        throw SystemError(kNotPlainFolder);
    fail(err);
}

OwnFolder::~OwnFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::vector<std::string> OwnFolder::regularFiles() const
{
    std::vector<std::string> names;
    if (m_fd < 0)
        return names;
    const int listFd = ::openat(m_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (dir == nullptr) {
        const int err = errno;
        if (listFd >= 0)
            ::close(listFd);
        fail(err);
    }
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info { };
        if (::fstatat(m_fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            names.emplace_back(entry->d_name);
        errno = 0;
    }
    const int err = errno;
    ::closedir(dir);
    if (err != 0)
        fail(err);
    return names;
}

bool OwnFolder::removeRegularFile(const std::string& name) const
{
    struct stat info { };
    return m_fd >= 0 && ::fstatat(m_fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0
        && S_ISREG(info.st_mode) && ::unlinkat(m_fd, name.c_str(), 0) == 0;
}

void OwnFolder::removeIfMadeAndEmpty()
{
    if (m_made && ::rmdir(m_path.c_str()) == 0)
        m_made = false;
}

void setFaultHook(FaultHook hook) { g_faultHook = hook; }

void faultPoint(const char* point)
{
    if (g_faultHook != nullptr)
        g_faultHook(point);
}

} // namespace velmora::os
