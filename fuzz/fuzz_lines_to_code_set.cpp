// Free text read into a code set must agree with the step-by-step reading.
#include "core/code/CodeSetText.h"
#include "core/draw/DrawText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = velmora::splitLines(text);
    velmora::CodeSet fast;
    velmora::linesToCodeSet(lines, fast);

    velmora::CodeSet stepwise;
    for (std::string copy : lines) {
        while (!copy.empty())
            if (const std::optional<int> code = velmora::takeCodeFromText(copy))
                stepwise[*code] = 1;
    }
    if (!(fast == stepwise))
        std::abort();
    return 0;
}
