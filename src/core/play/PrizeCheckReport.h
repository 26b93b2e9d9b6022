// What the prize check ("结果兑奖") reports for an entered code: where a result memo
// holds the code itself (a 直选 hit) and the other codes of its group (what a 组选
// bet on it would win), with the status text that says so.
#pragma once

#include "core/draw/DrawRecord.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct PrizeCheckReport {
    enum class Outcome {
        NotSearched, // nothing entered: do nothing
        Malformed, // not three digits: statusText says so
        Found,
        NotFound,
    };
    Outcome outcome = Outcome::NotSearched;
    // Where the entered code stands, then where the other codes of its group stand,
    // each in text order, in UTF-16 code units (codesInText); each three long.
    std::vector<std::size_t> directHits;
    std::vector<std::size_t> groupHits;
    // "直选命中：038（直选1040元）", "同组号码：308、380（按组选投注：组六173元）", both
    // joined by "；", "抱歉，没有找到号码038", or "开奖号码应为3位数字：12a"; empty when
    // not searched.
    std::string statusText;
};

// Checks the entry against the memo's text. An empty entry is not searched, one
// that is not three digits is refused with the reason. The codes of the memo are
// those of codesInText (a result header's count and longer digit runs never count).
PrizeCheckReport checkPrizeInText(std::string_view memoText, std::string_view entry);

// The whole result against one draw ("按最新一期兑奖"): every code of the memo is one
// bet of one multiple, the draw code itself winning 直选 and the other codes of the
// draw's group winning the group prize, as the check of a single code reads them.
struct ResultPrizeReport {
    int directBets = 0;
    long long directPrize = 0;
    int groupBets = 0;
    long long groupPrize = 0;
    // As in PrizeCheckReport.
    std::vector<std::size_t> directHits;
    std::vector<std::size_t> groupHits;
    // "按最新一期兑奖（第2026178期，开奖号154）：直选1注1040元，组选2注346元，共1386元".
    std::string statusText;

    long long prize() const { return directPrize + groupPrize; }
};

ResultPrizeReport checkResultAgainstDraw(std::string_view memoText, const DrawRecord& draw);

} // namespace velmora
