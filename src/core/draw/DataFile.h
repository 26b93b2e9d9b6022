// Reading and writing the draw-data text and result files.
#pragma once

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
};

// Reads a text file as the data file is read: bytes up to the first zero byte,
// decoded (TextEncoding.h), every line break turned into CR LF.
std::string readDrawTextFile(const std::string& path);

// Writes the text in GB18030, every line break written as CR LF, a final break
// only where the text has one. The old file is replaced atomically.
void writeDrawTextFile(const std::string& path, std::string_view text);

// Writes an exported result file: the lines in GB18030, each (the last
// included) ended by CR LF. The old file is replaced atomically.
void writeResultFile(const std::string& path, const std::vector<std::string>& lines);

// Replaces the file at path by the bytes: a temporary file beside it, flushed,
// then renamed over it. Symbolic links are followed and permission bits kept;
// an existing file that is not writable is refused; a target that is not a
// regular file is written directly. On failure the old file is intact.
void writeFileAtomic(const std::string& path, std::string_view bytes);

// Every line break (CR LF, CR, LF) as CR LF.
std::string normalizeLineBreaks(std::string_view text);

} // namespace velmora
