// Runs velmora-cli in-process and keeps what it printed.
#pragma once

#include "cli/Cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace velmora::test {

struct CliResult {
    int code;
    std::string out, err;
};

// Standard input is the given text, so no test ever reads the real one.
inline CliResult RunCliWithInput(const std::vector<std::string>& args, const std::string& input)
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = cli::runCli(args, in, out, err);
    return { code, out.str(), err.str() };
}

inline CliResult RunCliArgs(const std::vector<std::string>& args) { return RunCliWithInput(args, ""); }

} // namespace velmora::test
