#include "core/draw/BuiltInHistory.h"

#include <cstddef>

namespace velmora {

namespace embedded {
// Defined in the source that the build generates from the history file.
extern const unsigned char kBuiltInHistory[];
extern const std::size_t kBuiltInHistorySize;
} // namespace embedded

std::string_view builtInHistoryText()
{
    return { reinterpret_cast<const char*>(embedded::kBuiltInHistory), embedded::kBuiltInHistorySize };
}

} // namespace velmora
