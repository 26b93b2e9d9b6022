// Free text read into a code set must agree with the step-by-step reading.
#include "Code/CodeList.h"
#include "Draw/DrawText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = velmora::SplitLines(text);
    velmora::TCodeArr fast;
    velmora::LinesToCodeSet(lines, fast);

    velmora::TCodeArr stepwise;
    for (std::string copy : lines) {
        int code = -1;
        while (!copy.empty())
            if (velmora::TakeCodeFromText(copy, code))
                stepwise[code] = 1;
    }
    if (!(fast == stepwise))
        std::abort();
    return 0;
}
