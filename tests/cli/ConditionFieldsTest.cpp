// Every row of the condition table: its slot reaches the member the engine
// reads as the row's units, and its value survives the scheme writer and
// reader, its CLI option, and the option replacing a scheme's value.
#include "core/filter/ConditionFields.h"
#include "cli/CliEngineTestSupport.h"
#include "core/code/Code.h"
#include "core/filter/FilterEngine.h"
#include "core/filter/Scheme.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace velmora;
using namespace velmora::test;

namespace {

// One of two values of the condition, neither its default; the second one
// leaves places empty so that replacing a value must clear them.
struct StatedValue {
    FilterConditions record;
    std::vector<std::string> args; // the same value as velmora-cli options
};

std::string listArg(int a, int b)
{
    return a == b ? std::to_string(a) : std::to_string(a) + "," + std::to_string(b);
}

void setList(std::span<bool> flags, int lo, int a, int b)
{
    flags[static_cast<std::size_t>(a - lo)] = true;
    flags[static_cast<std::size_t>(b - lo)] = true;
}

void state(const ConditionField& f, int variant, FilterConditions& record, std::vector<std::string>& args)
{
    const std::string option = std::string("--") + f.key;
    // Items: the first and last, or one inside the range.
    const int a = variant == 0 ? f.lo : f.lo + 1;
    const int b = variant == 0 ? f.hi : f.lo + 1;
    const int places = variant == 0 ? f.places : 1;
    for (int place = 0; place < places; ++place) {
        const ConditionSlot slot = f.slot(record, place);
        const std::string text = std::to_string(place) + (variant == 0 ? ",7 五" : "3");
        switch (f.kind) {
        case ValueKind::Numbers:
            setList(slot.flags, f.lo, a, b);
            args.insert(args.end(), { option, listArg(a, b) });
            break;
        case ValueKind::Patterns:
            setList(slot.flags, 0, a, b);
            args.insert(args.end(), { option, std::string(kRatioPatterns[a]) + "," + kRatioPatterns[b] });
            break;
        case ValueKind::Text:
            *slot.text = text;
            args.insert(args.end(), { option, text });
            break;
        case ValueKind::Digit: {
            FilterConditions defaults;
            const int digit
                = variant == 0 ? (*f.slot(defaults, 0).number == f.lo ? f.hi : f.lo) : (f.lo + f.hi) / 2;
            *slot.number = digit;
            args.insert(args.end(), { option, std::to_string(digit) });
            break;
        }
        case ValueKind::Bankers:
            *slot.number = (place % 2 == 0 ? b : a) + 1;
            args.insert(args.end(), { option, std::to_string(place % 2 == 0 ? b : a) });
            break;
        case ValueKind::RecentRows: {
            const int row = variant == 0 ? place : f.places - 1;
            setList(f.slot(record, row).flags, f.lo, a, b);
            args.insert(args.end(), { option, std::to_string(row + 1) + ":" + listArg(a, b) });
            break;
        }
        case ValueKind::HitGroups:
            *slot.text = text;
            setList(slot.flags, f.lo, a, b);
            args.insert(args.end(), { option, text + ":" + listArg(a, b) });
            break;
        case ValueKind::Shapes: {
            const int first = variant == 0 ? 0 : 1;
            const int last = variant == 0 ? shapeCount(f) - 1 : 1;
            setList(slot.flags, 0, first, last);
            args.insert(args.end(), { option, shapeText(f, first) + "," + shapeText(f, last) });
            break;
        }
        case ValueKind::PairCounts:
            slot.digits[variant == 0 ? 0 : 5] = true;
            slot.digits[9] = variant == 0;
            setList(slot.flags, f.lo, a, b);
            args.insert(
                args.end(), { option, std::string(variant == 0 ? "9 0" : "5") + ":" + listArg(a, b) });
            break;
        }
    }
}

StatedValue stated(const ConditionField& field, int variant)
{
    StatedValue value;
    state(field, variant, value.record, value.args);
    return value;
}

class ConditionRow : public ::testing::TestWithParam<ConditionField> { };

std::string rowName(const ::testing::TestParamInfo<ConditionField>& info)
{
    std::string name = info.param.key;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

} // namespace

TEST_P(ConditionRow, ReachesItsUnits)
{
    const ConditionField& field = GetParam();
    const StatedValue value = stated(field, 0);
    FilterConditions record;
    const std::span<bool> flags = field.slot(record, 0).flags;
    if (field.kind == ValueKind::Shapes) {
        EXPECT_EQ(static_cast<int>(flags.size()), shapeCount(field)) << "one item per pattern";
    } else if (!flags.empty() && field.kind != ValueKind::Patterns) {
        EXPECT_EQ(static_cast<int>(flags.size()), field.hi - field.lo + 1) << "the range covers the items";
    }
    UnitMask units = 0;
    for (int k = 0; k < field.unitCount; ++k)
        units |= unitBit(static_cast<int>(field.unit) + k);
    const DrawHistory history
        = { { 2026, 1, 123, 456, 0, 0 }, { 2026, 2, 789, 12, 0, 0 }, { 2026, 3, 345, 678, 0, 0 } };
    EXPECT_EQ(FilterEngine(value.record, history).activeUnits(), units);
    EXPECT_EQ(unitName(static_cast<int>(field.unit)).substr(0, std::string_view(field.unitName).size()),
        field.unitName);
}

TEST_P(ConditionRow, RoundTripsThroughSchemeAndOption)
{
    const ConditionField& field = GetParam();
    const StatedValue value = stated(field, 0);
    const std::string json = schemeToJson({ value.record, {} });
    for (const ConditionField& other : conditionFields())
        EXPECT_EQ(json.find('"' + std::string(other.key) + '"') != std::string::npos, other.id == field.id)
            << other.key;
    const SchemeReadResult read = parseScheme(json);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.scheme->conditions, value.record);

    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 5);
    const std::string saved = dir.File("saved.vscheme.json");
    std::vector<std::string> args = { "filter", "--data", data, "--save-scheme", saved };
    args.insert(args.end(), value.args.begin(), value.args.end());
    const CliResult r = RunCliArgs(args);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readSchemeFile(saved).scheme->conditions, value.record);
}

TEST_P(ConditionRow, OptionReplacesOnlyItsConditionOfTheScheme)
{
    const ConditionField& field = GetParam();
    // Every condition stated in the scheme; this one stated again on the command line.
    FilterConditions everything;
    FilterConditions expected;
    std::vector<std::string> unused;
    for (const ConditionField& each : conditionFields()) {
        state(each, 0, everything, unused);
        state(each, each.id == field.id ? 1 : 0, expected, unused);
    }
    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 5);
    const std::string scheme = dir.File("s.vscheme.json");
    writeSchemeFile(scheme, { everything, {} });
    const std::string saved = dir.File("saved.vscheme.json");
    std::vector<std::string> args = { "filter", "--data", data, "--scheme", scheme, "--save-scheme", saved };
    const StatedValue option = stated(field, 1);
    args.insert(args.end(), option.args.begin(), option.args.end());
    const CliResult r = RunCliArgs(args);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readSchemeFile(saved).scheme->conditions, expected);
}

INSTANTIATE_TEST_SUITE_P(
    table, ConditionRow, ::testing::ValuesIn(conditionFields().begin(), conditionFields().end()), rowName);
