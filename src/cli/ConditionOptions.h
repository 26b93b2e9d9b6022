// The filter conditions as options, shared by `filter` and `backtest`: one
// option per row of the condition table, --tolerance and --scheme, and the
// scheme they make together.
#pragma once

#include "cli/CliSupport.h"
#include "core/filter/Scheme.h"

#include <string>
#include <vector>

namespace velmora::cli {

// The value(s) of one condition's option as given; turned into a scheme once
// all are parsed.
struct ConditionOptionValue {
    std::string value; // an option given once at most
    std::vector<std::string> values; // a repeatable option
    const CLI::Option* option = nullptr;
};

struct ConditionOptions {
    // One per row of conditionFields(), in its order; CLI11 writes into them, so
    // the vector is sized once and never grows.
    std::vector<ConditionOptionValue> conditions;
    std::string tolerance;
    const CLI::Option* toleranceOption = nullptr;
    std::string schemePath;
};

// Adds the condition options, --tolerance and --scheme to the subcommand.
void addConditionOptions(CLI::App* sub, ConditionOptions& options);

// The scheme of the run in the game: the --scheme file's conditions and tolerance
// (or empty ones), each option given on the command line replacing the scheme's
// value of that option. A malformed value, and --recent-test in a game without test
// codes: UsageError. An unreadable scheme file: its message, CliExit 3; one that is
// not a valid scheme, or has test-code rows the game lacks: its message, CliExit 1.
FilterScheme buildScheme(CliContext& ctx, const ConditionOptions& options, const Game& game);

} // namespace velmora::cli
