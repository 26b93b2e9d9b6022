// Each subcommand adds itself to the application; the usage line is printed
// after a usage error.
#pragma once

#include "cli/CliSupport.h"

namespace velmora::cli {

void AddHistoryCommand(CLI::App& app, CliContext& ctx);
void AddFilterCommand(CLI::App& app, CliContext& ctx);
void AddSmartShrinkCommand(CLI::App& app, CliContext& ctx);
void AddRecommendCommand(CLI::App& app, CliContext& ctx);
void AddChartCommand(CLI::App& app, CliContext& ctx);

} // namespace velmora::cli
