// Digits and attributes of a three-digit lottery code (0..999), and the
// comma splitter shared by draw lines and condition texts.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Raised by digitAt / digitCharAt for a position outside 1..3.
class CodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every function below that takes a code expects 0..999 (the parser and CodeSet never
// give another); a larger code is read by its last three digits.

// The code as three digits, zero-filled ("007"); a code above 999 keeps all its digits.
std::string codeText(int code);
// value in decimal, zero-filled in front to width (never cut when longer; width <= 0 fills nothing).
std::string zeroPadded(long long value, int width);

// The digit at position 1 (hundreds) .. 3 (units); any other position throws CodeError.
int digitAt(int code, int position);
// digitAt as a character '0'..'9'; any other position throws CodeError.
char digitCharAt(int code, int position);
// Smallest digit, 0..9.
int minOfCode(int code);
// Largest digit, 0..9.
int maxOfCode(int code);
// How many digits equal digit: 0..3 (0 for a digit outside 0..9).
int countNumInCode(int code, int digit);
// The most frequent digit; on a tie the smallest (so 0 for "012").
int mostNumOfCode(int code);
// The one classification of a code (and of its group): three different digits (组六,
// a group of 6 codes), exactly two equal (组三, 3 codes), three equal (豹子, 1 code).
enum class GroupKind { Six, Three, Triple };
GroupKind groupKindOf(int code);
// The group of a code: its digits ascending, as a code (830 -> 38, written "038").
int groupOf(int code);
// Code type as the filter counts it: 0 组六, 1 组三, 2 豹子 (groupKindOf as a number).
int repeatOfCode(int code);
// Links of consecutive digits among the sorted digits, 9 wrapping to 0: 0 none, 1 二连, 2 拖拉机.
int linkOfCode(int code);
// Sum of the digits 0..27, or its last digit 0..9 with tailOnly.
int sumOfCode(int code, bool tailOnly);
// Number of odd digits, 0..3.
int oddCountOfCode(int code);
// Number of digits 5..9, 0..3.
int bigCountOfCode(int code);
// 4, 2, 1 for an odd hundreds, tens, units digit, added: 0..7.
int oddMaskOfCode(int code);
// 4, 2, 1 for a big (5..9) hundreds, tens, units digit, added: 0..7.
int bigMaskOfCode(int code);
// True for the prime digits 1, 2, 3, 5, 7 (the players' count: 1 is prime); false
// for any other value.
bool isPrimeDigit(int digit);
// Number of prime digits, 0..3.
int primeCountOfCode(int code);
// 4, 2, 1 for a prime hundreds, tens, units digit, added: 0..7.
int primeMaskOfCode(int code);
// Routes (digit mod 3) of hundreds, tens, units read as base-3 digits: 0..26.
int routeMaskOfCode(int code);
// Largest digit minus smallest, 0..9.
int spanOfCode(int code);
// Counts of small (0-2), middle (3-6) and big (7-9) digits as a pattern such as "210".
std::string smbOfCode(int code);
// Counts of digits of route 0, 1 and 2 (digit mod 3) as a pattern such as "111".
std::string routeOfCode(int code);

// True for an odd value; a negative value counts as even.
bool isOddNum(long long value);
// True when the value's last digit is 5..9; a negative value counts as small.
bool isBigNum(long long value);
// Band of the last digit: 0 small (0-2), 1 middle (3-6), 2 big (7-9); a negative value is 0.
int smbOfNum(long long value);

// True when the text holds any of the code's digits (as characters); false for empty text.
bool codeHasNum(int code, std::string_view text);
// True when the text holds two of the code's digits side by side, in either order; false
// for empty text.
bool codeHasPair(int code, std::string_view text);
// How many of the code's digits the text holds, each character of the text used once: 0..3.
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
