// Text files in and out: bounded reading, decoding, atomic GB18030 writing, and
// the file error every reader and writer raises.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A file that cannot be read or written; what() is the text the user sees:
// "无法读取文件" or "无法写入文件", the path, "：", the system's reason.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // The two texts every file error is made of.
    static FileError cannotRead(std::string_view path, std::string_view reason)
    {
        return FileError(compose("无法读取文件", path, reason));
    }
    static FileError cannotWrite(std::string_view path, std::string_view reason)
    {
        return FileError(compose("无法写入文件", path, reason));
    }

private:
    static std::string compose(std::string_view what, std::string_view path, std::string_view reason)
    {
        std::string text(what);
        text.append(path).append("：").append(reason);
        return text;
    }
};

// The largest input: a data, base, scheme or import file (or standard input)
// holding more bytes is refused before it is read whole.
inline constexpr std::size_t kMaxInputBytes = std::size_t { 64 } << 20;
inline constexpr const char* kInputTooLarge = "文件太大（超过64MB）";

// The bytes of a file, all of them. A file of more than kMaxInputBytes is a
// FileError "无法读取文件" path "：文件太大（超过64MB）": a regular file by its size
// before reading, a pipe or a device while it is read.
std::string readInputBytes(const std::string& path);

// The same for a file that must be a regular file, without the message: raises
// os::SystemError (FileSystem.h) with the reason (os::kNotRegularFile for a pipe,
// a socket, a device or a folder, found without waiting; kInputTooLarge).
std::string readRegularFileBytes(const std::string& path);

// The same for an open stream (standard input); name stands for the path in messages.
std::string readInputBytes(std::istream& in, const std::string& name);

// Reads a text file (data, base, scheme, import): readInputBytes, decoded by
// decodeTextBytes (TextEncoding.h): each zero byte as U+FFFD, every line break as CR LF.
std::string readTextFile(const std::string& path);

// Reads the data file as readTextFile does; anything but a regular file is a
// FileError "无法读取文件" path "：不是普通文件" at once.
std::string readDataFile(const std::string& path);

// The same for an open stream (standard input).
std::string readText(std::istream& in, const std::string& name);

// Writes the text in GB18030, every line break written as CR LF, a final break
// only where the text has one. The old file is replaced atomically.
void writeTextFile(const std::string& path, std::string_view text);

// Writes an exported result file: the lines in GB18030, each (the last
// included) ended by CR LF. The old file is replaced atomically.
void writeResultFile(const std::string& path, const std::vector<std::string>& lines);

// Replaces the file at path by the bytes as os::replaceFileAtomically does
// (FileSystem.h); its failure is a FileError "无法写入文件" path "：" reason, and
// the old file is intact.
void writeFileAtomic(const std::string& path, std::string_view bytes);

} // namespace velmora
