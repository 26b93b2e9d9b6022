// The draw-data parser over arbitrary text: never crashes, and either keeps the
// old history or yields one record per line with every field in range.
#include "Draw/DrawText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = velmora::SplitLines(text);
    const velmora::TCodeRecArr old{{1999, 1, 2, 3, 4, 5}};
    velmora::TCodeRecArr history = old;
    int messages = 0;
    const bool ok = velmora::DataTxtToCodeArr(lines, history, [&](const std::string&) { ++messages; });
    if (ok) {
        if (messages != 0 || history.size() != lines.size())
            std::abort();
        for (const auto& r : history)
            if (r.DrawCode < 0 || r.DrawCode > 999 || r.TestCode < 0 || r.TestCode > 999 ||
                r.Year < 0 || r.Year > 9999 || r.Issue < 0 || r.Issue > 999)
                std::abort();
    } else if (messages != 1 || !(history == old)) {
        std::abort();
    }
    return 0;
}
