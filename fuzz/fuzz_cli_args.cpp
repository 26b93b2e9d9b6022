// velmora-cli's argument parsing and every command behind it must never crash,
// whatever the arguments: the input is cut into arguments at zero bytes and
// newlines (up to a 0x01 byte; what follows is standard input) and run in-process
// on the real draw history, so that charts, filters and recent-draw rows see data.
// Inputs that could write a file (--out, --save…, merge) or name a device or
// process file, which could block or never end, are skipped.
#include "cli/Cli.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// VELMORA_FUZZ_HISTORY names the history, else the one found when the harness was built.
std::string historyPath()
{
    const char* path = std::getenv("VELMORA_FUZZ_HISTORY");
    return path != nullptr && *path != '\0' ? path : VELMORA_FUZZ_HISTORY;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string history = historyPath();
    const std::string_view whole(reinterpret_cast<const char*>(data), size);
    for (std::string_view skipped : { "--out", "--save", "merge", "/dev", "/proc", "/sys" })
        if (whole.find(skipped) != std::string_view::npos)
            return 0;
    const auto split = whole.find('\x01');
    const std::string_view input = whole.substr(0, split);
    std::vector<std::string> args(1);
    bool hasData = false;
    for (char c : input) {
        if (c == '\0' || c == '\n') {
            hasData = hasData || args.back().rfind("--data", 0) == 0;
            args.emplace_back();
        } else {
            args.back() += c;
        }
    }
    hasData = hasData || args.back().rfind("--data", 0) == 0;
    if (!hasData) {
        args.emplace_back("--data");
        args.push_back(history);
    }
    std::istringstream in(
        split == std::string_view::npos ? std::string() : std::string(whole.substr(split + 1)));
    std::ostringstream out, err;
    velmora::cli::runCli(args, in, out, err);
    return 0;
}
