#include "core/io/TextFile.h"

#include "core/io/FileSystem.h"
#include "core/io/TextEncoding.h"

#include <istream>

namespace velmora {

namespace {

[[noreturn]] void throwReadError(const std::string& path, const std::string& reason)
{
    throw FileError::cannotRead(path, reason);
}

// Collects the bytes of an input, refusing more than kMaxInputBytes.
class BoundedBytes {
public:
    // False, with nothing added, when the bytes would pass the limit.
    bool add(const char* data, std::size_t size)
    {
        if (size > kMaxInputBytes - m_bytes.size())
            return false;
        // Growth by doubling would pass the limit by up to half; stop at it.
        const std::size_t needed = m_bytes.size() + size;
        if (needed > m_bytes.capacity() && m_bytes.capacity() > kMaxInputBytes / 2)
            m_bytes.reserve(kMaxInputBytes);
        m_bytes.append(data, size);
        return true;
    }
    std::string take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

constexpr std::size_t kChunkSize = 65536;

// Raises os::SystemError: the system's reason, kNotRegularFile, or kInputTooLarge.
std::string readAllBytes(const std::string& path, os::InputKind kind)
{
    os::InputFile file(path, kind);
    const std::int64_t size = file.regularFileSize();
    if (size > static_cast<std::int64_t>(kMaxInputBytes))
        throw os::SystemError(kInputTooLarge);
    BoundedBytes bytes;
    std::string buffer(kChunkSize, '\0');
    while (const std::size_t n = file.read(buffer.data(), buffer.size()))
        if (!bytes.add(buffer.data(), n))
            throw os::SystemError(kInputTooLarge);
    return bytes.take();
}

} // namespace

std::string readInputBytes(const std::string& path)
{
    try {
        return readAllBytes(path, os::InputKind::Any);
    } catch (const os::SystemError& e) {
        throwReadError(path, e.what());
    }
}

std::string readRegularFileBytes(const std::string& path)
{
    return readAllBytes(path, os::InputKind::RegularOnly);
}

std::string readInputBytes(std::istream& in, const std::string& name)
{
    BoundedBytes bytes;
    std::string buffer(kChunkSize, '\0');
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        if (!bytes.add(buffer.data(), static_cast<std::size_t>(in.gcount())))
            throwReadError(name, kInputTooLarge);
    }
    if (in.bad())
        throwReadError(name, "读取错误");
    return bytes.take();
}

std::string readTextFile(const std::string& path) { return decodeTextBytes(readInputBytes(path)); }

std::string readDataFile(const std::string& path)
{
    try {
        return decodeTextBytes(readRegularFileBytes(path));
    } catch (const os::SystemError& e) {
        throwReadError(path, e.what());
    }
}

std::string readText(std::istream& in, const std::string& name)
{
    return decodeTextBytes(readInputBytes(in, name));
}

void writeTextFile(const std::string& path, std::string_view text)
{
    writeFileAtomic(path, encodeGb18030(normalizeLineBreaks(text)));
}

void writeResultFile(const std::string& path, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append("\r\n");
    writeFileAtomic(path, encodeGb18030(text));
}

void writeFileAtomic(const std::string& path, std::string_view bytes)
{
    try {
        os::replaceFileAtomically(path, bytes);
    } catch (const os::SystemError& e) {
        throw FileError::cannotWrite(path, e.what());
    }
}

} // namespace velmora
