// The draw-data parser over arbitrary text: never crashes, and either keeps the
// old history or yields one record per line with every field in range.
#include "core/draw/DrawText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = velmora::splitLines(text);
    const velmora::DrawHistory old { { 1999, 1, 2, 3, 4, 5 } };
    velmora::DrawHistory history = old;
    int messages = 0;
    const bool ok = velmora::parseDrawHistory(lines, history, [&](const std::string&) { ++messages; });
    if (ok) {
        if (messages != 0 || history.size() != lines.size())
            std::abort();
        for (const auto& r : history)
            if (r.drawCode < 0 || r.drawCode > 999 || r.testCode < 0 || r.testCode > 999 || r.year < 0
                || r.year > 9999 || r.issue < 0 || r.issue > 999)
                std::abort();
    } else if (messages != 1 || !(history == old)) {
        std::abort();
    }
    return 0;
}
