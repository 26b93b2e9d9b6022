#include "cli/Commands.h"
#include "core/draw/AppPaths.h"
#include "core/draw/Backups.h"

#include <memory>
#include <ostream>

namespace velmora::cli {

void addBackupsCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("backups", "List the backups of the data file as CSV, newest first");
    struct BackupsOptions {
        std::string data;
        const Game* game = nullptr;
    };
    auto o = std::make_shared<BackupsOptions>();
    addGameOption(sub, o->game);
    addDataOption(sub, o->data);
    sub->callback(
        [&ctx, o] { ctx.out << backupsCsv(listBackups(*o->game, dataFilePath(*o->game, o->data))); });
}

} // namespace velmora::cli
