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

inline CliResult RunCliArgs(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int code = cli::RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace velmora::test
