// The prize check's search ("结果兑奖"): the codes that stand in a result memo's text.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr const char* kPrizeCheckCaption = "输入开奖号码";
inline constexpr const char* kPrizeCheckPrompt = "请输入开奖号码:";
inline constexpr const char* kPrizeNotFoundText = "抱歉，没有找到号码";

struct CodeInText {
    int code = 0;
    // Where the code starts, in UTF-16 code units from the start of the text
    // (the memo's cursor positions; for Chinese and ASCII text, characters).
    std::size_t position = 0;

    friend bool operator==(const CodeInText&, const CodeInText&) = default;
};

// The codes of the memo's text (lines joined by line breaks), in text order. A code
// is three digits with no digit right before or after them, so part of a longer
// digit run never counts; a first line that is a result header (a leading text
// without digits, a number, "注") is not searched, so the count never passes for a
// code.
std::vector<CodeInText> codesInText(std::string_view memoText);

} // namespace velmora
