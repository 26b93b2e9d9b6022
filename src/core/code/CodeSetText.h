// Code sets as text: ten "ddd," entries a line, and free text read back into a set.
#pragma once

#include "core/code/CodeSet.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The code lines of the set, ascending, then one empty line.
std::vector<std::string> codeSetToLines(const CodeSet& codes);

// One reading step over the front of the text (which it shortens); the code when
// one was taken.
std::optional<int> takeCodeFromText(std::string& text);

// A code list read from a text: its codes, and the items that are not exactly
// three ASCII digits. Items are the maximal runs of characters other than blanks
// (space, tab), line breaks, ',' ';' '，' '；' '、'; header lines hold none.
struct CodeListRead {
    CodeSet codes;
    // The offending items in order of appearance, each cut to kItemChars
    // characters and "…"; at most kListedItems + 1 are kept, so that a message
    // knows there were more.
    std::vector<std::string> badItems;
};

inline constexpr std::size_t kListedItems = 10;
inline constexpr std::size_t kItemChars = 60;

// True for a header line: its last character other than space, tab and CR is
// "注" ("缩水结果有250注"). Such a line holds no code.
bool isCodeListHeader(std::string_view line);

// Reads a code list as every reader does (a leading byte-order mark dropped): lines end at CR LF, LF or a
// lone CR; a header line is skipped; in any other line a digit followed by two digits is a code (the scan
// then goes on after it), any other character is stepped over (so "1234" gives 123); duplicates count once.
// The text is scanned in place: memory does not grow with the number of lines.
CodeListRead readCodeList(std::string_view text);

// The items joined by "、", the first kListedItems, then "等" when there are more.
std::string listedItems(const std::vector<std::string>& items);

// "已忽略：1234、12a" when the reading skipped items, else the empty text: the hint
// a list field shows below itself.
std::string ignoredItemsText(const CodeListRead& read);

// Leading texts of the messages about offending items.
inline constexpr const char* kBadCodesLeadingText = "号码有误：";
inline constexpr const char* kIgnoredLeadingText = "已忽略：";

// The strict reading of a ticket's codes: the codes of readCodeList, or, when any
// item offends, the message "号码有误：1234、12a" (listedItems) and no codes.
struct TicketCodesRead {
    CodeSet codes;
    std::string error;

    bool ok() const { return error.empty(); }
};
TicketCodesRead readTicketCodes(std::string_view text);

// The header line of a result text: the leading text, the count of the set, "注".
std::string resultHeader(std::string_view leadingText, const CodeSet& codes);

// Header (resultHeader), empty line, code lines, final empty line.
std::vector<std::string> resultTextLines(std::string_view leadingText, const CodeSet& codes);

// Lines joined, every line (the last included) followed by eol.
std::string joinLines(const std::vector<std::string>& lines, std::string_view eol);

} // namespace velmora
