// The prize-check search over any memo and entry: the first input byte gives the
// entry's length in bytes (0..7), the entry follows, the rest is the memo. A found
// code stands at the reported position with no digit beside it, and no code is
// missed outside the first line (the only place a result header can hide one).
#include "core/code/PrizeCheck.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Byte offset of a UTF-16 position, counting as the search counts.
std::size_t byteOffset(std::string_view text, std::size_t units)
{
    std::size_t i = 0;
    for (; i < text.size() && units > 0; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80)
            units -= byte >= 0xF0 && units >= 2 ? 2 : 1;
    }
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
        ++i;
    return i;
}

bool standsAlone(std::string_view memo, std::size_t at, std::string_view entry)
{
    return memo.substr(at, 3) == entry && !(at > 0 && isDigit(memo[at - 1]))
        && !(at + 3 < memo.size() && isDigit(memo[at + 3]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t entryLength = std::min<std::size_t>(data[0] % 8, input.size());
    const std::string_view entry = input.substr(0, entryLength);
    const std::string_view memo = input.substr(entryLength);
    const velmora::PrizeCheckResult r = velmora::findCodeInText(memo, entry);

    using Outcome = velmora::PrizeCheckResult::Outcome;
    const bool threeDigits = entry.size() == 3 && isDigit(entry[0]) && isDigit(entry[1]) && isDigit(entry[2]);
    if (r.result == Outcome::Found) {
        if (!threeDigits || !standsAlone(memo, byteOffset(memo, r.position), entry))
            std::abort();
    } else if (r.result == Outcome::NotFound && threeDigits) {
        const std::size_t firstBreak = memo.find_first_of("\r\n");
        for (std::size_t at = firstBreak; at != std::string_view::npos && at < memo.size(); ++at)
            if (standsAlone(memo, at, entry))
                std::abort();
    } else if (r.result == Outcome::NotSearched && !r.statusText.empty()) {
        std::abort();
    }
    return 0;
}
