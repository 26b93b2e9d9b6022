// What the prize check ("结果兑奖") reports for an entered code: where a result memo
// holds the code itself (a 直选 hit) and the other codes of its group (what a 组选
// bet on it would win), with the status text that says so.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct PrizeCheckReport {
    enum class Outcome {
        NotSearched, // the entry is not exactly three characters: do nothing
        Found,
        NotFound,
    };
    Outcome outcome = Outcome::NotSearched;
    // Where the entered code stands, then where the other codes of its group stand,
    // each in text order, in UTF-16 code units (codesInText); each three long.
    std::vector<std::size_t> directHits;
    std::vector<std::size_t> groupHits;
    // "直选命中：038（直选1040元）", "同组号码：308、380（按组选投注：组六173元）", both
    // joined by "；", or "抱歉，没有找到号码038"; empty when not searched.
    std::string statusText;
};

// Checks the entry against the memo's text. Only an entry of exactly three
// characters is searched; one that is not three digits is never found. The codes
// of the memo are those of codesInText (a result header's count and longer digit
// runs never count).
PrizeCheckReport checkPrizeInText(std::string_view memoText, std::string_view entry);

} // namespace velmora
