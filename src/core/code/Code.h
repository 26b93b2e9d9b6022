// Digits and attributes of a three-digit lottery code (0..999), and the
// comma splitter shared by draw lines and condition texts.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Raised by numOfCode / chrOfCode for a position outside 1..3.
class CodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string strOfCode(int code);
std::string intToPadStr(long long value, int width, bool zeroFill);

int numOfCode(int code, int position);
char chrOfCode(int code, int position);
int minOfCode(int code);
int maxOfCode(int code);
int countNumInCode(int code, int digit);
int mostNumOfCode(int code);
int repeatOfCode(int code);
int linkOfCode(int code);
int sumOfCode(int code, bool tailOnly);
int oddCountOfCode(int code);
int bigCountOfCode(int code);
int oddMaskOfCode(int code);
int bigMaskOfCode(int code);
std::string smbOfCode(int code);
std::string routeOfCode(int code);

bool isOddNum(long long value);
bool isBigNum(long long value);
int smbOfNum(long long value);

bool codeHasNum(int code, std::string_view text);
bool codeHasPair(int code, std::string_view text);
int hitCountOfCode(int code, std::string_view text);

// The text without blanks and control characters (codes 32 and below) at either end.
std::string_view trimBlanks(std::string_view text);

// Trims the text (trimBlanks), cuts at commas, drops empty items; items keep
// their inner and edge blanks.
std::vector<std::string> splitByComma(std::string_view text);

// The ten ratio patterns in the order the condition page lists them.
inline constexpr const char* kRatioPatterns[10]
    = { "300", "210", "201", "120", "111", "102", "030", "021", "012", "003" };

// Index of the pattern in kRatioPatterns, or -1 when it is none of them.
int ratioPatternIndex(std::string_view pattern);

} // namespace velmora
