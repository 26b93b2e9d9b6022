// 方案 (condition schemes): the filter page's conditions and tolerance as a
// JSON file, {"format": "velmora-scheme", "version": 1, "conditions": {…}},
// the keys of "conditions" being velmora-cli's long option names.
#pragma once

#include "core/filter/FilterConditions.h"
#include "core/filter/FilterUnits.h"

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

struct FilterScheme {
    FilterConditions conditions;
    Tolerance tolerance;

    friend bool operator==(const FilterScheme&, const FilterScheme&) = default;
};

// Leading text of every message about a scheme that is not valid.
inline constexpr const char* kSchemeErrorLeadingText = "方案文件格式错误：";
// The file dialog filter of scheme files.
inline constexpr const char* kSchemeFileFilter = "方案文件|*.vscheme.json";

// A scheme, or the message saying why the text is not one.
struct SchemeReadResult {
    std::optional<FilterScheme> scheme;
    std::string error; // "方案文件格式错误：" and the reason, which names the key

    bool ok() const { return scheme.has_value(); }
};

// Parses a scheme's JSON text (UTF-8; a leading byte-order mark is skipped).
// Any text that is not a valid scheme (not JSON, another format or version, an
// unknown key, a value of the wrong type or out of range) gives no scheme and
// the message; a missing key or an empty array is an empty condition. The
// banker digits fill the combos from the first on. Never throws.
SchemeReadResult parseScheme(std::string_view text);

// Reads the file as the data file is read (UTF-8 or GB18030) and parses it.
// Throws FileError when the file cannot be read.
SchemeReadResult readSchemeFile(const std::string& path);

// The scheme as JSON text (UTF-8, two-space indent, LF line ends, final LF).
// Empty conditions are left out; hit-group rows keep their places; a text
// that is not valid UTF-8 has each bad byte replaced by U+FFFD (it matched no
// digit before and matches none after); min-digit, max-digit and the tolerance
// are brought into the range a scheme allows.
std::string schemeToJson(const FilterScheme& scheme);

// Writes schemeToJson atomically. Throws FileError.
void writeSchemeFile(const std::string& path, const FilterScheme& scheme);

} // namespace velmora
