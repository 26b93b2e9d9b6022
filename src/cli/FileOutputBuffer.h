// An output stream buffer on a file descriptor that remembers why a write failed,
// so that velmora-cli can report a full disk or a closed pipe on standard output.
#pragma once

#include <array>
#include <streambuf>

namespace velmora::cli {

class FileOutputBuffer : public std::streambuf {
public:
    explicit FileOutputBuffer(int fd);
    ~FileOutputBuffer() override;
    FileOutputBuffer(const FileOutputBuffer&) = delete;
    FileOutputBuffer& operator=(const FileOutputBuffer&) = delete;

    // The system's error number of the first failed write; 0 while all went well.
    int error() const { return m_error; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    // Writes what is buffered; false after a failure (then nothing more is written).
    bool flushBuffer();

    int m_fd;
    int m_error = 0;
    std::array<char, 65536> m_buffer {};
};

} // namespace velmora::cli
