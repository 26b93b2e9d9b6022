// Code sets as text: ten "ddd," entries a line, and free text read back into a set.
#pragma once

#include "Code/CodeArr.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The code lines of the set, ascending, then one empty line.
std::vector<std::string> CodeSetToLines(const TCodeArr& codes);

// One reading step over the front of the text; true when a code was taken.
bool TakeCodeFromText(std::string& text, int& code);

// Clears the target, then sets every code found in the lines.
void LinesToCodeSet(const std::vector<std::string>& lines, TCodeArr& target);

// The header line of a result text: the leading text, the count of the set, "注".
std::string ResultHeader(std::string_view leadingText, const TCodeArr& codes);

// Header (ResultHeader), empty line, code lines, final empty line.
std::vector<std::string> ResultTextLines(std::string_view leadingText, const TCodeArr& codes);

// Lines joined, every line (the last included) followed by eol.
std::string JoinLines(const std::vector<std::string>& lines, std::string_view eol);

} // namespace velmora
