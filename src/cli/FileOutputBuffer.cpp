#include "cli/FileOutputBuffer.h"

#include <cerrno>
#include <unistd.h>

namespace velmora::cli {

FileOutputBuffer::FileOutputBuffer(int fd)
    : m_fd(fd)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

FileOutputBuffer::~FileOutputBuffer() { flushBuffer(); }

bool FileOutputBuffer::flushBuffer()
{
    const char* data = pbase();
    std::size_t left = static_cast<std::size_t>(pptr() - pbase());
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    while (m_error == 0 && left > 0) {
        const ssize_t n = ::write(m_fd, data, left);
        if (n < 0) {
            if (errno != EINTR)
                m_error = errno;
            continue;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return m_error == 0;
}

FileOutputBuffer::int_type FileOutputBuffer::overflow(int_type c)
{
    if (!flushBuffer())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int FileOutputBuffer::sync() { return flushBuffer() ? 0 : -1; }

} // namespace velmora::cli
