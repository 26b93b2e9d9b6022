#include "cli/Commands.h"
#include "core/draw/AppPaths.h"
#include "core/draw/Backups.h"

#include <memory>
#include <ostream>

namespace velmora::cli {

void addBackupsCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("backups", "List the backups of the data file as CSV, newest first");
    auto data = std::make_shared<std::string>();
    addDataOption(sub, *data);
    sub->callback([&ctx, data] { ctx.out << backupsCsv(listBackups(game3d(), dataFilePath(*data))); });
}

} // namespace velmora::cli
