// Free text read as a code list must agree with the step-by-step reading of its
// lines, header lines left out; the strict reading must give the same codes or a
// bounded message.
#include "core/code/CodeSetText.h"
#include "core/draw/DrawText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const velmora::CodeListRead read = velmora::readCodeList(text);

    velmora::CodeSet stepwise;
    for (std::string copy : velmora::splitLines(text)) {
        if (velmora::isCodeListHeader(copy))
            continue;
        while (!copy.empty())
            if (const std::optional<int> code = velmora::takeCodeFromText(copy))
                stepwise[*code] = 1;
    }
    if (!(read.codes == stepwise) || read.badItems.size() > velmora::kListedItems + 1)
        std::abort();
    const velmora::TicketCodesRead strict = velmora::readTicketCodes(text);
    if (strict.ok() != read.badItems.empty() || (strict.ok() && !(strict.codes == read.codes)))
        std::abort();
    return 0;
}
