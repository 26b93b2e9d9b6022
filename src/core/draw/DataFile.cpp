#include "core/draw/DataFile.h"

#include "core/code/CodeSetText.h"
#include "core/draw/TextEncoding.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

[[noreturn]] void throwFileError(const char* what, const std::string& path, int err)
{
    throw FileError(std::string(what) + path + "：" + std::strerror(err));
}

[[noreturn]] void throwWriteError(const std::string& path, int err)
{
    throwFileError("无法写入文件", path, err);
}

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

// The file a path finally names, following symbolic links (also dangling ones).
std::string resolveTarget(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(current, ec))
            return current;
        const auto link = std::filesystem::read_symlink(current, ec);
        if (ec)
            return current;
        current = link.is_absolute() ? link.string()
                                     : (std::filesystem::path(current).parent_path() / link).string();
    }
    return current;
}

void writeDirectly(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        throwWriteError(path, errno);
    if (!writeAll(fd, bytes)) {
        const int err = errno;
        ::close(fd);
        throwWriteError(path, err);
    }
    if (::close(fd) != 0)
        throwWriteError(path, errno);
}

} // namespace

std::string readDrawTextFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throwFileError("无法读取文件", path, errno);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            throwFileError("无法读取文件", path, err);
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    const auto zero = bytes.find('\0');
    if (zero != std::string::npos)
        bytes.resize(zero);
    return normalizeLineBreaks(decodeFileBytes(bytes));
}

std::string normalizeLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

void writeDrawTextFile(const std::string& path, std::string_view text)
{
    writeFileAtomic(path, encodeGb18030(normalizeLineBreaks(text)));
}

void writeResultFile(const std::string& path, const std::vector<std::string>& lines)
{
    writeFileAtomic(path, encodeGb18030(joinLines(lines, "\r\n")));
}

void writeFileAtomic(const std::string& path, std::string_view bytes)
{
    const std::string target = resolveTarget(path);
    struct stat info { };
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        writeDirectly(target, bytes);
        return;
    }
    // A read-only file is refused even for a user (root) whom the system would let write.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        throwWriteError(path, errno);
    if (exists && (info.st_mode & 0222) == 0)
        throwWriteError(path, EACCES);

    std::string folder = std::filesystem::path(target).parent_path().string();
    if (folder.empty())
        folder = ".";
    std::string temp = folder + "/." + std::filesystem::path(target).filename().string() + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throwWriteError(path, errno);
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        throwWriteError(path, err);
    };
    const mode_t mode = exists ? (info.st_mode & 07777) : [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    if (::fchmod(fd, mode) != 0)
        fail(errno);
    if (!writeAll(fd, bytes))
        fail(errno);
    if (::fsync(fd) != 0)
        fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throwWriteError(path, err);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throwWriteError(path, err);
    }
}

} // namespace velmora
