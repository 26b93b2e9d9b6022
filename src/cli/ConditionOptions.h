// The filter conditions as options, shared by `filter` and `backtest`: the
// condition options, --tolerance and --scheme, and the scheme they make
// together.
#pragma once

#include "cli/CliSupport.h"
#include "core/filter/Scheme.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmora::cli {

// The options as given; turned into a scheme once all are parsed.
struct ConditionOptions {
    std::vector<std::string> recentDraw, recentTest, bankers, hitGroups;
    std::string recentPairsIn, recentPairsOut;
    std::optional<std::string> hundreds, tens, units;
    std::optional<std::string> sumTails, sums, smb, routes, odd, big, runs, types;
    std::string pairsIn, pairsOut, digitsIn, digitsOut;
    std::optional<std::string> minDigit, maxDigit;
    std::optional<std::string> tolerance;
    std::string schemePath;
    // Long name without dashes -> the option, to tell which were given.
    std::map<std::string, const CLI::Option*> given;
};

// Adds the condition options, --tolerance and --scheme to the subcommand.
void addConditionOptions(CLI::App* sub, ConditionOptions& options);

// The scheme of the run: the --scheme file's conditions and tolerance (or
// empty ones), each option given on the command line replacing the scheme's
// value of that option. A malformed value: UsageError. An unreadable scheme
// file: its message, CliExit 3; one that is not a valid scheme: its message,
// CliExit 1.
FilterScheme buildScheme(CliContext& ctx, const ConditionOptions& options);

} // namespace velmora::cli
