// The prize check ("结果兑奖"): looks for a winning code in a result memo's text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr const char* kPrizeCheckCaption = "输入开奖号码";
inline constexpr const char* kPrizeCheckPrompt = "请输入开奖号码:";
inline constexpr const char* kPrizeFoundText = "恭喜，找到号码";
inline constexpr const char* kPrizeNotFoundText = "抱歉，没有找到号码";

struct PrizeCheckResult {
    enum class Outcome {
        NotSearched, // the entry is not exactly three characters: do nothing
        Found,
        NotFound,
    };
    Outcome result = Outcome::NotSearched;
    // Where the code starts, in UTF-16 code units from the start of the text
    // (the memo's cursor positions; for Chinese and ASCII text, characters).
    std::size_t position = 0;
    // The status bar text: kPrizeFoundText or kPrizeNotFoundText followed by
    // the entry; empty when not searched.
    std::string statusText;
};

// Searches the memo's text (lines joined by line breaks) for the entered code.
// Only an entry of exactly three characters is searched. A match is three
// digits equal to the entry with no digit right before or after them, so part
// of a longer digit run never counts; a first line that is a result header
// (a leading text without digits, a number, "注") is not searched, so the
// count never passes for a code. An entry that is not three digits is
// searched and never found.
PrizeCheckResult findCodeInText(std::string_view memoText, std::string_view entry);

} // namespace velmora
