#include "cli/ConditionOptions.h"

#include "core/code/Code.h"
#include "core/io/TextFile.h"

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
template <std::size_t N>
void setNumberList(CheckFlags<N>& flags, const std::string& option, const std::string& list, int lo, int hi)
{
    for (const std::string& item : splitKeepingEmpty(list))
        flags[parseNumber(option, item, lo, hi)] = true;
}

void setPatternList(CheckFlags<10>& flags, const std::string& option, const std::string& list)
{
    for (const std::string& item : splitKeepingEmpty(list)) {
        const int index = ratioPatternIndex(item);
        if (index < 0)
            malformed(option, item, "not one of the ten patterns 300,210,201,120,111,102,030,021,012,003");
        flags[index] = true;
    }
}

// R:LIST of --recent-draw / --recent-test.
void setRecentRows(
    FilterConditions& fc, const std::string& option, const std::vector<std::string>& values, int firstRow)
{
    for (const std::string& value : values) {
        const std::size_t colon = value.find(':');
        if (colon == std::string::npos)
            malformed(option, value, "expected R:LIST");
        const int row = parseNumber(option, value.substr(0, colon), 1, 3);
        setNumberList(fc.recentHits[firstRow + row - 1], option, value.substr(colon + 1), 0, 3);
    }
}

// The scheme the command line alone states.
FilterScheme schemeOfOptions(const ConditionOptions& o)
{
    FilterScheme scheme;
    FilterConditions& fc = scheme.conditions;
    setRecentRows(fc, "--recent-draw", o.recentDraw, 0);
    setRecentRows(fc, "--recent-test", o.recentTest, 3);
    fc.recentPairsIn = o.recentPairsIn;
    fc.recentPairsOut = o.recentPairsOut;

    const std::pair<const char*, const std::optional<std::string>*> positions[3]
        = { { "--hundreds", &o.hundreds }, { "--tens", &o.tens }, { "--units", &o.units } };
    for (int p = 0; p < 3; ++p)
        if (*positions[p].second)
            setNumberList(fc.positionDigits[p], positions[p].first, **positions[p].second, 0, 9);

    if (o.bankers.size() > static_cast<std::size_t>(kBankerCount))
        throw UsageError("--banker: at most " + std::to_string(kBankerCount) + " banker digits");
    for (std::size_t i = 0; i < o.bankers.size(); ++i)
        fc.bankers[i] = parseNumber("--banker", o.bankers[i], 0, 9) + 1;

    if (o.sumTails)
        setNumberList(fc.sumTails, "--sum-tails", *o.sumTails, 0, 9);
    if (o.sums)
        setNumberList(fc.sums, "--sums", *o.sums, 0, 29);
    if (o.smb)
        setPatternList(fc.smbPatterns, "--smb", *o.smb);
    if (o.routes)
        setPatternList(fc.routePatterns, "--routes", *o.routes);
    if (o.odd)
        setNumberList(fc.oddCounts, "--odd", *o.odd, 0, 3);
    if (o.big)
        setNumberList(fc.bigCounts, "--big", *o.big, 0, 3);

    if (o.hitGroups.size() > fc.hitGroups.size())
        throw UsageError("--hit-group: at most " + std::to_string(fc.hitGroups.size()) + " groups");
    for (std::size_t k = 0; k < o.hitGroups.size(); ++k) {
        const std::string& value = o.hitGroups[k];
        const std::size_t colon = value.rfind(':');
        if (colon == std::string::npos)
            malformed("--hit-group", value, "expected TEXT:LIST");
        fc.hitGroups[k].digits = value.substr(0, colon);
        setNumberList(fc.hitGroups[k].counts, "--hit-group", value.substr(colon + 1), 0, 3);
    }

    fc.pairsIn = o.pairsIn;
    fc.pairsOut = o.pairsOut;
    fc.digitsIn = o.digitsIn;
    fc.digitsOut = o.digitsOut;
    if (o.minDigit)
        fc.minDigit = parseNumber("--min-digit", *o.minDigit, 0, 9);
    if (o.maxDigit)
        fc.maxDigit = parseNumber("--max-digit", *o.maxDigit, 0, 9);
    if (o.runs)
        setNumberList(fc.runKinds, "--runs", *o.runs, 0, 2);
    if (o.types)
        setNumberList(fc.codeTypes, "--types", *o.types, 0, 2);
    if (o.tolerance) {
        const std::optional<Tolerance> tolerance = parseTolerance(*o.tolerance);
        if (!tolerance)
            malformed("--tolerance", *o.tolerance, "expected MAX or MIN-MAX, non-negative with MIN <= MAX");
        scheme.tolerance = *tolerance;
    }
    return scheme;
}

using CopyFn = void (*)(FilterScheme& to, const FilterScheme& from);

// Per option, the part of the scheme it states.
const std::pair<const char*, CopyFn> kOptionParts[] = {
    { "recent-draw",
        [](FilterScheme& t, const FilterScheme& f) {
            std::copy_n(f.conditions.recentHits.begin(), 3, t.conditions.recentHits.begin());
        } },
    { "recent-test",
        [](FilterScheme& t, const FilterScheme& f) {
            std::copy_n(f.conditions.recentHits.begin() + 3, 3, t.conditions.recentHits.begin() + 3);
        } },
    { "recent-pairs-in",
        [](FilterScheme& t, const FilterScheme& f) {
            t.conditions.recentPairsIn = f.conditions.recentPairsIn;
        } },
    { "recent-pairs-out",
        [](FilterScheme& t, const FilterScheme& f) {
            t.conditions.recentPairsOut = f.conditions.recentPairsOut;
        } },
    { "hundreds",
        [](FilterScheme& t, const FilterScheme& f) {
            t.conditions.positionDigits[0] = f.conditions.positionDigits[0];
        } },
    { "tens",
        [](FilterScheme& t, const FilterScheme& f) {
            t.conditions.positionDigits[1] = f.conditions.positionDigits[1];
        } },
    { "units",
        [](FilterScheme& t, const FilterScheme& f) {
            t.conditions.positionDigits[2] = f.conditions.positionDigits[2];
        } },
    { "banker", [](FilterScheme& t, const FilterScheme& f) { t.conditions.bankers = f.conditions.bankers; } },
    { "sum-tails",
        [](FilterScheme& t, const FilterScheme& f) { t.conditions.sumTails = f.conditions.sumTails; } },
    { "sums", [](FilterScheme& t, const FilterScheme& f) { t.conditions.sums = f.conditions.sums; } },
    { "smb",
        [](FilterScheme& t, const FilterScheme& f) { t.conditions.smbPatterns = f.conditions.smbPatterns; } },
    { "routes",
        [](FilterScheme& t, const FilterScheme& f) {
            t.conditions.routePatterns = f.conditions.routePatterns;
        } },
    { "odd",
        [](FilterScheme& t, const FilterScheme& f) { t.conditions.oddCounts = f.conditions.oddCounts; } },
    { "big",
        [](FilterScheme& t, const FilterScheme& f) { t.conditions.bigCounts = f.conditions.bigCounts; } },
    { "hit-group",
        [](FilterScheme& t, const FilterScheme& f) { t.conditions.hitGroups = f.conditions.hitGroups; } },
    { "pairs-in",
        [](FilterScheme& t, const FilterScheme& f) { t.conditions.pairsIn = f.conditions.pairsIn; } },
    { "pairs-out",
        [](FilterScheme& t, const FilterScheme& f) { t.conditions.pairsOut = f.conditions.pairsOut; } },
    { "digits-in",
        [](FilterScheme& t, const FilterScheme& f) { t.conditions.digitsIn = f.conditions.digitsIn; } },
    { "digits-out",
        [](FilterScheme& t, const FilterScheme& f) { t.conditions.digitsOut = f.conditions.digitsOut; } },
    { "min-digit",
        [](FilterScheme& t, const FilterScheme& f) { t.conditions.minDigit = f.conditions.minDigit; } },
    { "max-digit",
        [](FilterScheme& t, const FilterScheme& f) { t.conditions.maxDigit = f.conditions.maxDigit; } },
    { "runs", [](FilterScheme& t, const FilterScheme& f) { t.conditions.runKinds = f.conditions.runKinds; } },
    { "types",
        [](FilterScheme& t, const FilterScheme& f) { t.conditions.codeTypes = f.conditions.codeTypes; } },
    { "tolerance", [](FilterScheme& t, const FilterScheme& f) { t.tolerance = f.tolerance; } },
};

} // namespace

void addConditionOptions(CLI::App* sub, ConditionOptions& o)
{
    auto add = [&o](CLI::Option* opt, const std::string& name) { o.given[name] = opt; };
    add(sub->add_option(
               "--recent-draw", o.recentDraw, "Hits against draw code of row R (1 third-latest, 3 latest)")
            ->type_name("R:LIST"),
        "recent-draw");
    add(sub->add_option("--recent-test", o.recentTest, "Hits against test code of row R")
            ->type_name("R:LIST"),
        "recent-test");
    // An empty TEXT is an empty condition: the option then takes no value.
    auto text = [&](const std::string& name, std::string& target, const std::string& help) {
        add(sub->add_option("--" + name, target, help)->type_name("TEXT")->expected(0, 1), name);
    };
    auto list = [&](const std::string& name, std::optional<std::string>& target, const std::string& help) {
        add(sub->add_option("--" + name, target, help)->type_name("LIST"), name);
    };
    text("recent-pairs-in", o.recentPairsIn, "近期两码限于");
    text("recent-pairs-out", o.recentPairsOut, "近期排除两码");
    list("hundreds", o.hundreds, "Allowed hundreds digits 0..9");
    list("tens", o.tens, "Allowed tens digits 0..9");
    list("units", o.units, "Allowed units digits 0..9");
    add(sub->add_option("--banker", o.bankers, "Banker digit 0..9 (up to 5 times)")->type_name("D"),
        "banker");
    list("sum-tails", o.sumTails, "Allowed sum tails 0..9");
    list("sums", o.sums, "Allowed sums 0..29");
    list("smb", o.smb, "Allowed small/middle/big patterns");
    list("routes", o.routes, "Allowed 012-route patterns");
    list("odd", o.odd, "Allowed numbers of odd digits 0..3");
    list("big", o.big, "Allowed numbers of big digits 0..3");
    add(sub->add_option("--hit-group", o.hitGroups, "Digit group and allowed hit counts (up to 5 times)")
            ->type_name("TEXT:LIST"),
        "hit-group");
    text("pairs-in", o.pairsIn, "两码限于");
    text("pairs-out", o.pairsOut, "排除两码");
    text("digits-in", o.digitsIn, "必选号");
    text("digits-out", o.digitsOut, "排除号");
    add(sub->add_option("--min-digit", o.minDigit, "Smallest allowed digit 0..9 (default 0)")->type_name("N"),
        "min-digit");
    add(sub->add_option("--max-digit", o.maxDigit, "Largest allowed digit 0..9 (default 9)")->type_name("N"),
        "max-digit");
    list("runs", o.runs, "Allowed run kinds: 0 不连, 1 二连, 2 拖拉机");
    list("types", o.types, "Allowed code types: 0 组六, 1 组三, 2 豹子");
    add(sub->add_option("--tolerance", o.tolerance, "Keep codes failing MIN..MAX conditions (default 0)")
            ->type_name("T"),
        "tolerance");
    sub->add_option("--scheme", o.schemePath, "Read the conditions from a scheme file")->type_name("FILE");
}

FilterScheme buildScheme(CliContext& ctx, const ConditionOptions& o)
{
    FilterScheme fromOptions = schemeOfOptions(o);
    if (o.schemePath.empty())
        return fromOptions;

    SchemeReadResult read;
    try {
        read = readSchemeFile(o.schemePath);
    } catch (const FileError& e) {
        printMessage(ctx.err, e.what());
        throw CliExit { kExitFile };
    }
    if (!read.ok()) {
        printMessage(ctx.err, read.error);
        throw CliExit { kExitRefused };
    }
    FilterScheme scheme = *read.scheme;
    for (const auto& [name, copy] : kOptionParts)
        if (o.given.at(name)->count() > 0)
            copy(scheme, fromOptions);
    return scheme;
}

} // namespace velmora::cli
