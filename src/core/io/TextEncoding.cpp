#include "core/io/TextEncoding.h"

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

// Length of the well-formed UTF-8 sequence at bytes[i]; 0 when there is none
// (a stray byte, a truncated, overlong or surrogate sequence, beyond U+10FFFF).
std::size_t sequenceLength(std::string_view bytes, std::size_t i)
{
    const auto c = static_cast<unsigned char>(bytes[i]);
    std::size_t extra;
    char32_t cp;
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        return 0;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        if (i + k >= bytes.size())
            return 0;
        const auto cc = static_cast<unsigned char>(bytes[i + k]);
        if ((cc & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (cc & 0x3F);
    }
    static constexpr char32_t kMin[4] = { 0, 0x80, 0x800, 0x10000 };
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return extra + 1;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = sequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string decodeFileBytes(std::string_view bytes)
{
    const bool hasBom = bytes.substr(0, 3) == "\xEF\xBB\xBF";
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
    if (hasBom) {
        std::string out;
        out.reserve(bytes.size() + bytes.size() / 2);
        for (std::size_t i = 0; i < bytes.size();) {
            const std::size_t length = sequenceLength(bytes, i);
            out += length == 0 ? std::string_view("\xEF\xBF\xBD") : bytes.substr(i, length);
            i += length == 0 ? 1 : length;
        }
        return out;
    }
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
