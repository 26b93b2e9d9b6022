#include "Draw/DataFile.h"

#include "Code/CodeList.h"
#include "Draw/TextEncoding.h"

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

[[noreturn]] void ThrowFileError(const char* what, const std::string& path, int err)
{
    throw FileError(std::string(what) + path + "：" + std::strerror(err));
}

[[noreturn]] void ThrowWriteError(const std::string& path, int err)
{
    ThrowFileError("无法写入文件", path, err);
}

bool WriteAll(int fd, std::string_view bytes)
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
std::string ResolveTarget(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(current, ec))
            return current;
        const auto link = std::filesystem::read_symlink(current, ec);
        if (ec)
            return current;
        current = link.is_absolute()
                      ? link.string()
                      : (std::filesystem::path(current).parent_path() / link).string();
    }
    return current;
}

void WriteDirectly(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        ThrowWriteError(path, errno);
    if (!WriteAll(fd, bytes)) {
        const int err = errno;
        ::close(fd);
        ThrowWriteError(path, err);
    }
    if (::close(fd) != 0)
        ThrowWriteError(path, errno);
}

} // namespace

std::string ReadDrawTextFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowFileError("无法读取文件", path, errno);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            ThrowFileError("无法读取文件", path, err);
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    const auto zero = bytes.find('\0');
    if (zero != std::string::npos)
        bytes.resize(zero);
    return NormalizeLineBreaks(DecodeFileBytes(bytes));
}

std::string NormalizeLineBreaks(std::string_view text)
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

void WriteDrawTextFile(const std::string& path, std::string_view text)
{
    WriteFileAtomic(path, EncodeGb18030(NormalizeLineBreaks(text)));
}

void WriteResultFile(const std::string& path, const std::vector<std::string>& lines)
{
    WriteFileAtomic(path, EncodeGb18030(JoinLines(lines, "\r\n")));
}

void WriteFileAtomic(const std::string& path, std::string_view bytes)
{
    const std::string target = ResolveTarget(path);
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        WriteDirectly(target, bytes);
        return;
    }
    // A read-only file is refused even for a user (root) whom the system would let write.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        ThrowWriteError(path, errno);
    if (exists && (info.st_mode & 0222) == 0)
        ThrowWriteError(path, EACCES);

    std::string folder = std::filesystem::path(target).parent_path().string();
    if (folder.empty())
        folder = ".";
    std::string temp = folder + "/." + std::filesystem::path(target).filename().string() + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        ThrowWriteError(path, errno);
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        ThrowWriteError(path, err);
    };
    const mode_t mode = exists ? (info.st_mode & 07777) : [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    if (::fchmod(fd, mode) != 0)
        fail(errno);
    if (!WriteAll(fd, bytes))
        fail(errno);
    if (::fsync(fd) != 0)
        fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        ThrowWriteError(path, err);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        ThrowWriteError(path, err);
    }
}

} // namespace velmora
