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

// Clears the target, then sets every code found in the lines.
void linesToCodeSet(const std::vector<std::string>& lines, CodeSet& target);

// The header line of a result text: the leading text, the count of the set, "注".
std::string resultHeader(std::string_view leadingText, const CodeSet& codes);

// Header (resultHeader), empty line, code lines, final empty line.
std::vector<std::string> resultTextLines(std::string_view leadingText, const CodeSet& codes);

// Lines joined, every line (the last included) followed by eol.
std::string joinLines(const std::vector<std::string>& lines, std::string_view eol);

} // namespace velmora
