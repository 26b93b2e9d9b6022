#include "core/io/TextEncoding.h"

#include "core/io/TextFormat.h"
#include "core/io/Utf8.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace velmora {

namespace {

// Wraps one iconv conversion descriptor.
class Converter {
public:
    Converter(const char* to, const char* from)
        : m_cd(iconv_open(to, from))
    {
        // iconv_open's documented failure value.
        if (m_cd == reinterpret_cast<iconv_t>(-1)) // NOLINT(performance-no-int-to-ptr)
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns false at a byte it cannot convert,
    // leaving `in` at that byte.
    bool run(std::string_view& in, std::string& out)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            const int err = errno;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (rc == static_cast<std::size_t>(-1) && err != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t m_cd;
};

} // namespace

std::string decodeFileBytes(std::string_view bytes)
{
    const bool hasBom = startsWithUtf8Bom(bytes);
    bool ascii = true;
    for (unsigned char c : bytes)
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    const bool utf8 = !ascii && isValidUtf8(bytes);
    if (ascii || utf8)
        return std::string(bytes);

    // A marked file with broken sequences is still read as UTF-8, each bad byte replaced.
    if (hasBom)
        return replaceInvalidUtf8(bytes);
    Converter converter("UTF-8", "GB18030");
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    while (!converter.run(bytes, out)) {
        out += "\xEF\xBF\xBD";
        bytes.remove_prefix(1);
    }
    return out;
}

std::string encodeGb18030(std::string_view utf8)
{
    Converter converter("GB18030", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    while (!converter.run(utf8, out)) {
        // Text that is not valid UTF-8 cannot come from the program; keep going.
        out += '?';
        utf8.remove_prefix(1);
    }
    return out;
}

} // namespace velmora
