#include "cli/ConditionOptions.h"

#include "core/code/Code.h"
#include "core/filter/ConditionFields.h"
#include "core/filter/GameConditions.h"
#include "core/io/TextFile.h"
#include "core/play/NumberTools.h"

#include <algorithm>

namespace velmora::cli {

namespace {

[[noreturn]] void malformed(const std::string& option, const std::string& value, const std::string& what)
{
    throw UsageError(option + ": " + what + ": \"" + value + "\"");
}

std::vector<std::string> splitKeepingEmpty(const std::string& list)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    std::size_t comma;
    while ((comma = list.find(',', start)) != std::string::npos) {
        items.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    items.push_back(list.substr(start));
    return items;
}

int parseNumber(const std::string& option, const std::string& item, int lo, int hi)
{
    if (item.empty())
        malformed(option, item, "empty value");
    if (!std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; }))
        malformed(option, item, "not a number");
    // Every range here fits in two digits; a longer item is out of range and never overflows.
    const int value = item.size() > 2 ? hi + 1 : std::stoi(item);
    if (value < lo || value > hi)
        malformed(option, item, "value out of range " + std::to_string(lo) + ".." + std::to_string(hi));
    return value;
}

// A LIST of numbers lo..hi checks the items of flags.
void setNumberList(std::span<bool> flags, const std::string& option, const std::string& list, int lo, int hi)
{
    for (const std::string& item : splitKeepingEmpty(list))
        flags[static_cast<std::size_t>(parseNumber(option, item, lo, hi) - lo)] = true;
}

void setPatternList(std::span<bool> flags, const std::string& option, const std::string& list)
{
    for (const std::string& item : splitKeepingEmpty(list)) {
        const int index = ratioPatternIndex(item);
        if (index < 0)
            malformed(option, item, "not one of the ten patterns 300,210,201,120,111,102,030,021,012,003");
        flags[static_cast<std::size_t>(index)] = true;
    }
}

void setShapeList(std::span<bool> flags, const ConditionField& field, const std::string& list)
{
    const std::string option = std::string("--") + field.key;
    for (const std::string& item : splitKeepingEmpty(list)) {
        const int index = shapeIndex(field, item);
        if (index < 0)
            malformed(option, item,
                "not a pattern " + shapeText(field, 0) + ".." + shapeText(field, shapeCount(field) - 1));
        flags[static_cast<std::size_t>(index)] = true;
    }
}

// DIGITS:LIST of --pair-sums / --pair-diffs, DIGITS being all before the last ":".
void setPairCount(FilterConditions& fc, const ConditionField& field, const std::string& value)
{
    const std::string option = std::string("--") + field.key;
    const std::size_t colon = value.rfind(':');
    if (colon == std::string::npos)
        malformed(option, value, "expected DIGITS:LIST");
    const std::optional<DigitSet> digits = parseDigitList(value.substr(0, colon));
    if (!digits)
        malformed(option, value.substr(0, colon),
            "DIGITS takes the digits 0-9, separated by nothing, \",\", \";\" or blanks");
    const ConditionSlot slot = field.slot(fc, 0);
    for (std::size_t d = 0; d < slot.digits.size(); ++d)
        slot.digits[d] = digits->test(d);
    setNumberList(slot.flags, option, value.substr(colon + 1), field.lo, field.hi);
}

// R:LIST of --recent-draw / --recent-test.
void setRecentRows(FilterConditions& fc, const ConditionField& field, const std::vector<std::string>& values)
{
    const std::string option = std::string("--") + field.key;
    for (const std::string& value : values) {
        const std::size_t colon = value.find(':');
        if (colon == std::string::npos)
            malformed(option, value, "expected R:LIST");
        const int row = parseNumber(option, value.substr(0, colon), 1, field.places);
        setNumberList(field.slot(fc, row - 1).flags, option, value.substr(colon + 1), field.lo, field.hi);
    }
}

// TEXT:LIST of --hit-group, TEXT being all before the last ":".
void setHitGroups(FilterConditions& fc, const ConditionField& field, const std::vector<std::string>& values)
{
    const std::string option = std::string("--") + field.key;
    if (values.size() > static_cast<std::size_t>(field.places))
        throw UsageError(option + ": at most " + std::to_string(field.places) + " groups");
    for (std::size_t k = 0; k < values.size(); ++k) {
        const std::string& value = values[k];
        const std::size_t colon = value.rfind(':');
        if (colon == std::string::npos)
            malformed(option, value, "expected TEXT:LIST");
        const ConditionSlot slot = field.slot(fc, static_cast<int>(k));
        *slot.text = value.substr(0, colon);
        setNumberList(slot.flags, option, value.substr(colon + 1), field.lo, field.hi);
    }
}

void setBankers(FilterConditions& fc, const ConditionField& field, const std::vector<std::string>& values)
{
    const std::string option = std::string("--") + field.key;
    if (values.size() > static_cast<std::size_t>(field.places))
        throw UsageError(option + ": at most " + std::to_string(field.places) + " banker digits");
    for (std::size_t i = 0; i < values.size(); ++i)
        *field.slot(fc, static_cast<int>(i)).number = parseNumber(option, values[i], field.lo, field.hi) + 1;
}

// Sets the condition from its option's value(s).
void setCondition(FilterConditions& fc, const ConditionField& field, const ConditionOptionValue& given)
{
    const std::string option = std::string("--") + field.key;
    const ConditionSlot slot = field.slot(fc, 0);
    switch (field.kind) {
    case ValueKind::Numbers:
        setNumberList(slot.flags, option, given.value, field.lo, field.hi);
        break;
    case ValueKind::Patterns:
        setPatternList(slot.flags, option, given.value);
        break;
    case ValueKind::Text:
        *slot.text = given.value;
        break;
    case ValueKind::Digit:
        *slot.number = parseNumber(option, given.value, field.lo, field.hi);
        break;
    case ValueKind::Bankers:
        setBankers(fc, field, given.values);
        break;
    case ValueKind::RecentRows:
        setRecentRows(fc, field, given.values);
        break;
    case ValueKind::HitGroups:
        setHitGroups(fc, field, given.values);
        break;
    case ValueKind::Shapes:
        setShapeList(slot.flags, field, given.value);
        break;
    case ValueKind::PairCounts:
        setPairCount(fc, field, given.value);
        break;
    }
}

bool wasGiven(const CLI::Option* option) { return option->count() > 0; }

// The scheme the command line alone states.
FilterScheme schemeOfOptions(const ConditionOptions& o)
{
    FilterScheme scheme;
    const auto fields = conditionFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (wasGiven(o.conditions[i].option))
            setCondition(scheme.conditions, fields[i], o.conditions[i]);
    if (wasGiven(o.toleranceOption)) {
        const std::optional<Tolerance> tolerance = parseTolerance(o.tolerance);
        if (!tolerance)
            malformed("--tolerance", o.tolerance, "expected MAX or MIN-MAX, non-negative with MIN <= MAX");
        scheme.tolerance = *tolerance;
    }
    return scheme;
}

// CLI11's type name of the value, as the usage shows it; an empty TEXT is an
// empty condition (Cli.cpp lets only TEXT values be empty).
const char* typeName(ValueKind kind)
{
    switch (kind) {
    case ValueKind::Text:
        return "TEXT";
    case ValueKind::Digit:
        return "N";
    case ValueKind::Bankers:
        return "D";
    case ValueKind::RecentRows:
        return "R:LIST";
    case ValueKind::HitGroups:
        return "TEXT:LIST";
    case ValueKind::PairCounts:
        return "DIGITS:LIST";
    case ValueKind::Numbers:
    case ValueKind::Patterns:
    case ValueKind::Shapes:
        break;
    }
    return "LIST";
}

// The row's help with its range and number of places filled in.
std::string helpOf(const ConditionField& field)
{
    std::string help = field.help;
    const std::pair<std::string, std::string> fills[]
        = { { "{range}", rangeText(field) }, { "{places}", std::to_string(field.places) } };
    for (const auto& [mark, text] : fills)
        if (const std::size_t at = help.find(mark); at != std::string::npos)
            help.replace(at, mark.size(), text);
    return help;
}

} // namespace

void addConditionOptions(CLI::App* sub, ConditionOptions& o)
{
    const auto fields = conditionFields();
    o.conditions.assign(fields.size(), {});
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const ConditionField& field = fields[i];
        ConditionOptionValue& given = o.conditions[i];
        const std::string name = std::string("--") + field.key;
        const bool repeatable = field.kind == ValueKind::Bankers || field.kind == ValueKind::RecentRows
            || field.kind == ValueKind::HitGroups;
        CLI::Option* option = repeatable ? sub->add_option(name, given.values, helpOf(field))
                                         : sub->add_option(name, given.value, helpOf(field));
        option->type_name(typeName(field.kind));
        // An empty TEXT is an empty condition: the option then takes no value.
        if (field.kind == ValueKind::Text)
            option->expected(0, 1);
        given.option = option;
    }
    o.toleranceOption
        = sub->add_option("--tolerance", o.tolerance, "Keep codes failing MIN..MAX conditions (default 0)")
              ->type_name("T");
    sub->add_option("--scheme", o.schemePath, "Read the conditions from a scheme file")->type_name("FILE");
}

FilterScheme buildScheme(CliContext& ctx, const ConditionOptions& o, const Game& game)
{
    const auto recentTest = static_cast<std::size_t>(Condition::RecentTest);
    if (!game.hasTestCodes && wasGiven(o.conditions[recentTest].option))
        throw UsageError(std::string("--") + conditionField(Condition::RecentTest).key + ": "
            + std::string(game.name) + " has no test codes (--game " + std::string(game.key) + ")");
    FilterScheme fromOptions = schemeOfOptions(o);
    if (o.schemePath.empty())
        return fromOptions;

    SchemeReadResult read;
    try {
        read = readSchemeFileForGame(game, o.schemePath);
    } catch (const FileError& e) {
        printMessage(ctx.err, e.what());
        throw CliExit { kExitFile };
    }
    if (!read.ok()) {
        printMessage(ctx.err, read.error);
        throw CliExit { kExitRefused };
    }
    FilterScheme scheme = *read.scheme;
    const auto fields = conditionFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (wasGiven(o.conditions[i].option))
            copyCondition(fields[i], scheme.conditions, fromOptions.conditions);
    if (wasGiven(o.toleranceOption))
        scheme.tolerance = fromOptions.tolerance;
    return scheme;
}

} // namespace velmora::cli
