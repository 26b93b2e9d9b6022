// Each subcommand adds itself to the application; the usage line is printed
// after a usage error.
#pragma once

#include "cli/CliSupport.h"

namespace velmora::cli {

void addHistoryCommand(CLI::App& app, CliContext& ctx);
void addFilterCommand(CLI::App& app, CliContext& ctx);
void addSmartShrinkCommand(CLI::App& app, CliContext& ctx);
void addRecommendCommand(CLI::App& app, CliContext& ctx);
void addChartCommand(CLI::App& app, CliContext& ctx);
void addBacktestCommand(CLI::App& app, CliContext& ctx);
void addMergeCommand(CLI::App& app, CliContext& ctx);
void addTicketsCommand(CLI::App& app, CliContext& ctx);
void addBackupsCommand(CLI::App& app, CliContext& ctx);
void addCodesCommand(CLI::App& app, CliContext& ctx);

} // namespace velmora::cli
