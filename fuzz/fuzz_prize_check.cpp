// The prize check over any memo and entry: the first input byte gives the entry's
// length in bytes (0..7), the entry follows, the rest is the memo. Every reported
// position holds a code with no digit beside it (the entry itself for a 直选 hit,
// another code of its group for a group hit), and no such code is missed outside
// the first line (the only place a result header can hide one).
#include "core/io/Utf8.h"
#include "core/play/Play.h"
#include "core/play/PrizeCheckReport.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Byte offset of a UTF-16 position, counting as the search counts (the one decoder:
// two units past U+FFFF, one for any other character or malformed byte).
std::size_t byteOffset(std::string_view text, std::size_t units)
{
    std::size_t i = 0;
    while (i < text.size() && units > 0) {
        const velmora::Utf8Char c = velmora::decodeUtf8At(text, i);
        units -= c.code > 0xFFFF && units >= 2 ? 2 : 1;
        i += c.length;
    }
    return i;
}

// The code standing alone at the byte offset, or -1.
int codeAt(std::string_view memo, std::size_t at)
{
    if (at + 3 > memo.size() || !isDigit(memo[at]) || !isDigit(memo[at + 1]) || !isDigit(memo[at + 2]))
        return -1;
    if ((at > 0 && isDigit(memo[at - 1])) || (at + 3 < memo.size() && isDigit(memo[at + 3])))
        return -1;
    return (memo[at] - '0') * 100 + (memo[at + 1] - '0') * 10 + (memo[at + 2] - '0');
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
    const velmora::PrizeCheckReport r = velmora::checkPrizeInText(memo, entry);

    using Outcome = velmora::PrizeCheckReport::Outcome;
    const bool threeDigits = entry.size() == 3 && isDigit(entry[0]) && isDigit(entry[1]) && isDigit(entry[2]);
    const int code = threeDigits ? codeAt(entry, 0) : -1;
    if (r.outcome == Outcome::Found) {
        if (!threeDigits || (r.directHits.empty() && r.groupHits.empty()))
            std::abort();
        for (const std::size_t at : r.directHits)
            if (codeAt(memo, byteOffset(memo, at)) != code)
                std::abort();
        for (const std::size_t at : r.groupHits) {
            const int other = codeAt(memo, byteOffset(memo, at));
            if (other < 0 || other == code || velmora::groupOf(other) != velmora::groupOf(code))
                std::abort();
        }
    } else if (r.outcome == Outcome::NotFound && threeDigits) {
        const std::size_t firstBreak = memo.find_first_of("\r\n");
        for (std::size_t at = firstBreak; at != std::string_view::npos && at < memo.size(); ++at) {
            const int other = codeAt(memo, at);
            if (other >= 0 && velmora::groupOf(other) == velmora::groupOf(code))
                std::abort();
        }
    } else if (r.outcome == Outcome::Malformed && (threeDigits || entry.empty())) {
        std::abort();
    } else if (r.outcome == Outcome::NotSearched && !r.statusText.empty()) {
        std::abort();
    }
    return 0;
}
