// velmora-cli's argument parsing must never crash, whatever the arguments:
// the input is cut into arguments at zero bytes and newlines and run in-process.
// Inputs that name --out are skipped so that no run writes a file, and inputs
// that name a device or process file, which could block or never end.
#include "cli/Cli.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (std::string_view skipped : { "--out", "/dev", "/proc", "/sys" })
        if (input.find(skipped) != std::string_view::npos)
            return 0;
    std::vector<std::string> args(1);
    for (char c : input) {
        if (c == '\0' || c == '\n')
            args.emplace_back();
        else
            args.back() += c;
    }
    // Standard input of smart-shrink is empty; the draw data comes from --data
    // or, without it, from the (usually missing) data file beside the fuzzer.
    std::istringstream in;
    std::ostringstream out, err;
    velmora::cli::runCli(args, in, out, err);
    return 0;
}
