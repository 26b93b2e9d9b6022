// The scheme reader never crashes, and a scheme it accepts is written and read
// back unchanged.
#include "core/filter/Scheme.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const velmora::SchemeReadResult read = velmora::parseScheme(text);
    if (read.ok() != read.error.empty())
        std::abort();
    if (!read.ok())
        return 0;
    const velmora::SchemeReadResult again = velmora::parseScheme(velmora::schemeToJson(*read.scheme));
    if (!again.ok() || !(*again.scheme == *read.scheme))
        std::abort();
    return 0;
}
