// Digits and attributes of a three-digit lottery code (0..999), and the
// comma splitter shared by draw lines and condition texts.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Raised by NumOfCode / ChrOfCode for a position outside 1..3.
class CodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string StrOfCode(int code);
std::string IntToPadStr(long long value, int width, bool zeroFill);

int NumOfCode(int code, int position);
char ChrOfCode(int code, int position);
int MinOfCode(int code);
int MaxOfCode(int code);
int CountNumInCode(int code, int digit);
int MostNumOfCode(int code);
int RepeatOfCode(int code);
int LinkOfCode(int code);
int SumOfCode(int code, bool tailOnly);
int OddCountOfCode(int code);
int BigCountOfCode(int code);
int OddMaskOfCode(int code);
int BigMaskOfCode(int code);
std::string SmbOfCode(int code);
std::string RouteOfCode(int code);

bool IsOddNum(long long value);
bool IsBigNum(long long value);
int SmbOfNum(long long value);

bool CodeHasNum(int code, std::string_view text);
bool CodeHasPair(int code, std::string_view text);
int HitCountOfCode(int code, std::string_view text);

// The text without blanks and control characters (codes 32 and below) at either end.
std::string_view TrimBlanks(std::string_view text);

// Trims the text (TrimBlanks), cuts at commas, drops empty items; items keep
// their inner and edge blanks.
std::vector<std::string> SplitByComma(std::string_view text);

// The ten ratio patterns in the order the condition page lists them.
inline constexpr const char* kRatioPatterns[10] = {"300", "210", "201", "120", "111",
                                                   "102", "030", "021", "012", "003"};

// Index of the pattern in kRatioPatterns, or -1 when it is none of them.
int RatioPatternIndex(std::string_view pattern);

} // namespace velmora
