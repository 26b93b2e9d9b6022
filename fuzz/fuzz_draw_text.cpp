// The draw-data parser over arbitrary text: never crashes, and either names the bad
// lines and gives no history, or yields one record per line with every field in range.
#include "core/draw/DrawText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = velmora::splitLines(text);
    const velmora::ParsedHistory parsed = velmora::parseDrawHistory(lines);
    if (parsed.ok()) {
        if (parsed.history.size() != lines.size())
            std::abort();
        for (const auto& r : parsed.history)
            if (r.drawCode < 0 || r.drawCode > 999 || r.testCode < 0 || r.testCode > 999 || r.year < 0
                || r.year > 9999 || r.issue < 0 || r.issue > 999)
                std::abort();
    } else if (!parsed.history.empty() || lines.empty()) {
        std::abort();
    }
    return 0;
}
