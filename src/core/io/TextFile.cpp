#include "core/io/TextFile.h"

#include "core/io/FileSystem.h"
#include "core/io/TextEncoding.h"

#include <istream>

namespace velmora {

namespace {

[[noreturn]] void throwReadError(const std::string& path, const std::string& reason)
{
    throw FileError("无法读取文件" + path + "：" + reason);
}

// Collects the bytes before the first zero byte and counts all of them, so that
// an endless stream of zeros costs no memory while it runs into the limit.
class BoundedBytes {
public:
    // False once more than kMaxInputBytes have come.
    bool add(const char* data, std::size_t size)
    {
        m_count += size;
        if (m_count > kMaxInputBytes)
            return false;
        if (!m_zeroSeen) {
            const std::string_view chunk(data, size);
            const auto zero = chunk.find('\0');
            const std::string_view kept = chunk.substr(0, zero);
            // Growth by doubling would pass the limit by up to half; stop at it.
            const std::size_t needed = m_bytes.size() + kept.size();
            if (needed > m_bytes.capacity() && m_bytes.capacity() > kMaxInputBytes / 2)
                m_bytes.reserve(kMaxInputBytes);
            m_bytes.append(kept);
            m_zeroSeen = zero != std::string_view::npos;
        }
        return true;
    }
    std::string take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
    std::size_t m_count = 0;
    bool m_zeroSeen = false;
};

constexpr std::size_t kChunkSize = 65536;

} // namespace

std::string readInputBytes(const std::string& path)
{
    try {
        os::InputFile file(path);
        const std::int64_t size = file.regularFileSize();
        if (size > static_cast<std::int64_t>(kMaxInputBytes))
            throwReadError(path, kInputTooLarge);
        BoundedBytes bytes;
        std::string buffer(kChunkSize, '\0');
        while (const std::size_t n = file.read(buffer.data(), buffer.size()))
            if (!bytes.add(buffer.data(), n))
                throwReadError(path, kInputTooLarge);
        return bytes.take();
    } catch (const os::SystemError& e) {
        throwReadError(path, e.what());
    }
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

std::string readTextFile(const std::string& path)
{
    return normalizeLineBreaks(decodeFileBytes(readInputBytes(path)));
}

std::string readText(std::istream& in, const std::string& name)
{
    return normalizeLineBreaks(decodeFileBytes(readInputBytes(in, name)));
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
        throw FileError("无法写入文件" + path + "：" + e.what());
    }
}

} // namespace velmora
