// velmora-cli: argument parsing and the shared plumbing of its subcommands.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora::cli {

// Runs one command line (without the program name); returns the exit code:
// 0 done, 1 refused by the system's rules, 2 usage error, 3 file error.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The same, reading standard input from `in` instead of std::cin.
int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace velmora::cli
