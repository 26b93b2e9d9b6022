// The condition table: one row per condition of FilterConditions, holding its
// scheme key (which is also its velmora-cli option without the dashes), its
// Chinese name, the kind and range of its value, its unit(s) and where it lives
// in the record. The scheme reader and writer, the CLI options and the filter
// page's controls all walk this table, so a condition is spelled out once.
#pragma once

#include "core/filter/FilterConditions.h"
#include "core/filter/FilterUnits.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The rows of the table, in its order (the order of the CLI options and of the
// keys a scheme is written with).
enum class Condition {
    RecentDraw,
    RecentTest,
    RecentPairsIn,
    RecentPairsOut,
    Hundreds,
    Tens,
    Units,
    Banker,
    SumTails,
    Sums,
    SmbPatterns,
    RoutePatterns,
    OddCounts,
    BigCounts,
    HitGroup,
    PairsIn,
    PairsOut,
    DigitsIn,
    DigitsOut,
    MinDigit,
    MaxDigit,
    RunKinds,
    CodeTypes,
    Spans,
    PrimeCounts,
    OddShapes,
    BigShapes,
    PrimeShapes,
    RouteShapes,
    Lows,
    Mids,
    Highs,
    PairSums,
    PairDiffs,
};

// What a condition's value is, and so how a scheme, an option and a control
// hold it.
enum class ValueKind {
    Numbers, // a list of numbers lo..hi; item i of the flags is number lo + i
    Patterns, // a list of ratio patterns, in the order of kRatioPatterns
    Text, // free text, taken as it stands
    Digit, // one number lo..hi
    Bankers, // up to `places` digits lo..hi, one per banker combo (its item index: digit + 1)
    RecentRows, // rows 1..places, each a list of hit counts lo..hi
    HitGroups, // up to `places` rows, each a text and a list of hit counts lo..hi
    // A list of position patterns: three characters '0'..'0'+hi (hundreds, tens,
    // units); item i of the flags is the pattern read in base hi + 1.
    Shapes,
    // A digit list and a list of counts lo..hi ("05:1,2").
    PairCounts,
};

// One place of a condition inside a record: the parts its kind uses are set
// (flags for the lists, text for texts and hit groups, number for a digit or a
// banker combo's item index, digits for the digit list of a pair count).
struct ConditionSlot {
    std::span<bool> flags;
    std::string* text = nullptr;
    int* number = nullptr;
    std::span<bool> digits {};
};

struct ConditionField {
    Condition id;
    const char* key; // scheme key and CLI option name without the dashes
    const char* name; // as the user reads it ("合值")
    ValueKind kind;
    int lo = 0;
    int hi = 0;
    // Rows or combos of a repeated condition (recent rows, bankers, hit groups); 1 otherwise.
    int places = 1;
    // The units the history check counts for it: unitCount units from unit on,
    // named unitName, numbered from 1 when there are several. Two conditions may
    // share a unit (the smallest and largest digit).
    FilterUnit unit;
    int unitCount = 1;
    const char* unitName;
    // velmora-cli's help; "{range}" stands for lo..hi, "{places}" for places.
    const char* help;
    // The condition's place 0..places-1 in the record.
    ConditionSlot (*slot)(FilterConditions& record, int place);
};

// Every condition, in the order of Condition.
std::span<const ConditionField> conditionFields();

const ConditionField& conditionField(Condition id);

// The row whose key is the text, or nullptr.
const ConditionField* conditionFieldOfKey(std::string_view key);

// "lo..hi".
std::string rangeText(const ConditionField& field);

// The position patterns of a Shapes field: (hi + 1)^3 of them.
int shapeCount(const ConditionField& field);
// Item index of a three-character pattern of a Shapes field, or -1 when the
// text is not one.
int shapeIndex(const ConditionField& field, std::string_view pattern);
// The pattern of an item index ("101").
std::string shapeText(const ConditionField& field, int index);

// "和值（sums）": the condition as a message names it.
std::string conditionLabel(const ConditionField& field);

// Copies every place of the condition from one record into the other.
void copyCondition(const ConditionField& field, FilterConditions& to, const FilterConditions& from);

// The names of units 0..kUnitCount-1, from the table.
const std::vector<std::string>& conditionUnitNames();

} // namespace velmora
