// The draw-data parser of each game over arbitrary text: never crashes, and either
// names the bad lines and gives no history, or yields one record per line with every
// field in range (and in a game without test codes, no test code or extra numbers).
#include "core/draw/DrawText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = velmora::splitLines(text);
    for (const velmora::Game* game : velmora::allGames()) {
        const velmora::ParsedHistory parsed = velmora::parseDrawHistory(*game, lines);
        if (parsed.ok()) {
            if (parsed.history.size() != lines.size())
                std::abort();
            for (const auto& r : parsed.history) {
                if (r.drawCode < 0 || r.drawCode > 999 || r.testCode < 0 || r.testCode > 999 || r.year < 0
                    || r.year > 9999 || r.issue < 0 || r.issue > 999)
                    std::abort();
                if (!game->hasTestCodes && (r.testCode != 0 || r.extra1 != 0 || r.extra2 != 0))
                    std::abort();
            }
        } else if (!parsed.history.empty() || lines.empty()) {
            std::abort();
        }
    }
    return 0;
}
