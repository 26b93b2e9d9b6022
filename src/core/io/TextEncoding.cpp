#include "core/io/TextEncoding.h"

#include "core/io/TextFormat.h"
#include "core/io/Utf8.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <initializer_list>
#include <memory>
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

// What decoding does at a byte: writes the UTF-8 of the character found there (padded
// to four bytes) and steps over the bytes it took; advance 0: four bytes decide.
struct Step {
    std::array<char, 4> utf8 {};
    std::uint8_t size = 0;
    std::uint8_t advance = 0;
};

// A byte that starts no character, and a line break of a text.
constexpr Step kReplacement { { '\xEF', '\xBF', '\xBD', 0 }, 3, 1 };
constexpr Step kLineBreak { { '\r', '\n', 0, 0 }, 2, 1 };

bool isLead(unsigned b) { return b - 0x81 < 0x7E; }
bool isFourByteDigit(unsigned b) { return b - 0x30 < 10; }

// GB18030 as iconv decodes it, without restarting iconv at every byte it refuses;
// asText: with each zero byte as U+FFFD and every line break as CR LF besides.
// A step is looked up by the byte at hand and the next (after the last, a zero byte,
// which continues no sequence); the next counts only after a lead, or after CR in a
// text. Every such pair is asked of iconv once, when the decoder is made (some 32,000
// pairs, a few milliseconds); a four-byte sequence when a text first holds it.
template <bool asText> class Gb18030Decoder {
public:
    Gb18030Decoder()
    {
        // Alongside, the bytes where a step must begin whatever came before: none that a
        // step may take as its second byte, nor any a four-byte sequence may hold.
        m_alwaysStarts.fill(true);
        for (unsigned first = 0; first < 256; ++first) {
            for (unsigned next = 0; next < (nextCounts(first) ? 256U : 1U); ++next) {
                m_steps[first * 256 + next] = pairStep(first, next);
                if (nextCounts(first) && m_steps[first * 256 + next].advance != 1)
                    m_alwaysStarts[next] = false;
            }
            if (isLead(first) || isFourByteDigit(first))
                m_alwaysStarts[first] = false;
        }
    }

    // Random bytes defeat branch prediction, and a step cannot begin before the one
    // before it has been looked up: so each block of the bytes is cut into stretches
    // where a step must begin, decoded side by side, each step found by arithmetic and
    // one look-up (the stretches named one by one stay in registers).
    std::string decode(std::string_view bytes)
    {
        std::string out;
        // Three bytes of UTF-8 per byte at most; untouched capacity costs no memory.
        out.reserve(3 * bytes.size());
        FourByteSteps fourByteSteps;
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t target = std::min(bytes.size(), at + kBlock);
            // Four stretches, each written where four bytes per byte of it fit (a step
            // takes a byte at least and writes four at most). The last not empty may run
            // past the target, where no step need begin.
            std::array<char, 4 * kBlock + 16> written;
            const std::size_t length = target - at;
            const std::array<std::size_t, 5> bounds { at, stepStart(bytes, at + length / 4, target),
                stepStart(bytes, at + length / 2, target), stepStart(bytes, at + 3 * length / 4, target),
                target };
            const auto stretch = [&](std::size_t k) {
                return Stretch { bounds[k], bounds[k + 1], written.data() + 4 * (bounds[k] - at) + 4 * k, 0 };
            };
            Stretch s0 = stretch(0);
            Stretch s1 = stretch(1);
            Stretch s2 = stretch(2);
            Stretch s3 = stretch(3);
            const auto step = [&](Stretch& s) {
                const auto first = static_cast<unsigned char>(bytes[s.at]);
                const auto second = static_cast<unsigned char>(s.at + 1 < bytes.size() ? bytes[s.at + 1] : 0);
                const Step* found = &m_steps[first * 256 + (second & (0U - nextCounts(first)))];
                if (found->advance == 0)
                    found = &fourByteStep(bytes.substr(s.at), fourByteSteps);
                std::memcpy(s.out + s.written, found->utf8.data(), found->utf8.size());
                s.written += found->size;
                s.at += found->advance;
            };
            while (s0.at < s0.end && s1.at < s1.end && s2.at < s2.end && s3.at < s3.end) {
                step(s0);
                step(s1);
                step(s2);
                step(s3);
            }
            for (Stretch* s : { &s0, &s1, &s2, &s3 }) {
                while (s->at < s->end)
                    step(*s);
                out.append(s->out, s->written);
            }
            at = std::max({ s0.at, s1.at, s2.at, s3.at });
        }
        return out;
    }

private:
    static constexpr std::size_t kBlock = 16384;

    struct Stretch {
        std::size_t at;
        std::size_t end;
        char* out;
        std::size_t written;
    };

    // Four-byte steps, asked when the text first holds them, kept by their first byte
    // for this text only: there are very many.
    using FourByteSteps = std::array<std::unique_ptr<std::array<Step, 10 * 126 * 10>>, 126>;

    static unsigned nextCounts(unsigned first) { return isLead(first) | (asText & (first == '\r')); }

    // The first byte in [from, limit) where a step must begin; limit when there is none.
    std::size_t stepStart(std::string_view bytes, std::size_t from, std::size_t limit) const
    {
        while (from < limit && !m_alwaysStarts[static_cast<unsigned char>(bytes[from])])
            ++from;
        return from;
    }

    Step pairStep(unsigned first, unsigned next)
    {
        if (asText && (first == '\r' || first == '\n' || first == '\0')) {
            Step step = first == '\0' ? kReplacement : kLineBreak;
            step.advance = first == '\r' && next == '\n' ? 2 : 1;
            return step;
        }
        if (first < 0x80)
            return { { static_cast<char>(first) }, 1, 1 };
        if (isLead(first) && isFourByteDigit(next))
            return {};
        const std::array<char, 2> pair { static_cast<char>(first), static_cast<char>(next) };
        return ask(std::string_view(pair.data(), isLead(first) ? 2 : 1));
    }

    // The step at a lead and a digit.
    const Step& fourByteStep(std::string_view bytes, FourByteSteps& known)
    {
        const auto byteAt
            = [&](std::size_t k) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[k])); };
        if (bytes.size() < 4 || !isLead(byteAt(2)) || !isFourByteDigit(byteAt(3)))
            return kReplacement;
        auto& lead = known[byteAt(0) - 0x81];
        if (!lead)
            lead = std::make_unique<std::array<Step, 10 * 126 * 10>>();
        Step& step = (*lead)[((byteAt(1) - 0x30) * 126 + byteAt(2) - 0x81) * 10 + byteAt(3) - 0x30];
        if (step.advance == 0)
            step = ask(bytes.substr(0, 4));
        return step;
    }

    // What iconv makes of the sequence alone: its one character, or kReplacement.
    Step ask(std::string_view sequence)
    {
        std::string utf8;
        const std::size_t length = sequence.size();
        if (!m_converter.run(sequence, utf8) || utf8.empty() || decodeUtf8At(utf8, 0).length != utf8.size())
            return kReplacement;
        Step step;
        std::copy(utf8.begin(), utf8.end(), step.utf8.begin());
        step.size = static_cast<std::uint8_t>(utf8.size());
        step.advance = static_cast<std::uint8_t>(length);
        return step;
    }

    Converter m_converter { "UTF-8", "GB18030" };
    std::array<Step, 256 * 256> m_steps {};
    std::array<bool, 256> m_alwaysStarts {};
};

// The steps are the same for every text, so a thread keeps them.
template <bool asText> std::string decodeGb18030As(std::string_view bytes)
{
    thread_local const auto decoder = std::make_unique<Gb18030Decoder<asText>>();
    return decoder->decode(bytes);
}

// True when the text holds a zero byte or a line break other than CR LF.
bool needsNormalizing(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        else if (c == '\r' || c == '\n' || c == '\0')
            return true;
    }
    return false;
}

// The text with every line break as CR LF and, with replaceZeros, every zero byte as
// U+FFFD.
std::string normalized(std::string_view text, bool replaceZeros)
{
    std::string out;
    // A lone break doubles, a zero byte triples; untouched capacity costs no memory, and
    // growing by doubling would hold half as much again while it copies.
    out.reserve(text.size() * (replaceZeros ? 3 : 2));
    std::array<char, 65536> buffer;
    std::size_t used = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (used > buffer.size() - 3) {
            out.append(buffer.data(), used);
            used = 0;
        }
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            buffer[used++] = '\r';
            buffer[used++] = '\n';
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\0' && replaceZeros) {
            std::memcpy(buffer.data() + used, kReplacement.utf8.data(), 3);
            used += 3;
        } else {
            buffer[used++] = c;
        }
    }
    out.append(buffer.data(), used);
    return out;
}

} // namespace

std::string decodeGb18030(std::string_view bytes) { return decodeGb18030As<false>(bytes); }

std::string decodeFileBytes(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return std::string(bytes);
    // A marked file with broken sequences is still read as UTF-8, each bad byte replaced.
    return startsWithUtf8Bom(bytes) ? replaceInvalidUtf8(bytes) : decodeGb18030(bytes);
}

std::string decodeTextBytes(std::string bytes)
{
    const bool utf8 = isValidUtf8(bytes);
    // GB18030 is decoded and made a text in the same pass.
    if (!utf8 && !startsWithUtf8Bom(bytes))
        return decodeGb18030As<true>(bytes);
    std::string decoded = utf8 ? std::move(bytes) : replaceInvalidUtf8(bytes);
    return needsNormalizing(decoded) ? normalized(decoded, true) : decoded;
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

std::string normalizeLineBreaks(std::string_view text) { return normalized(text, false); }

} // namespace velmora
