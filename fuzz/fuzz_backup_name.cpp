// Backup names: a name is read as a backup exactly when it is the name the program
// writes for the time and sequence read from it, for either game.
#include "core/draw/Backups.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view name(reinterpret_cast<const char*>(data), size);
    for (const velmora::Game* game : velmora::allGames()) {
        const std::optional<velmora::BackupName> parsed = velmora::parseBackupName(*game, name);
        if (parsed && velmora::backupFileName(*game, parsed->time, parsed->sequence) != name)
            std::abort();
    }
    return 0;
}
