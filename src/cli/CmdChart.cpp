#include "cli/Commands.h"
#include "core/charts/ChartCsv.h"
#include "core/charts/Charts.h"

#include <memory>
#include <ostream>

namespace velmora::cli {

namespace {

constexpr const char* kKindNames = "trend|kline|sum|tail|oddeven|bigsmall|omission";

struct ChartOptions {
    std::string kind;
    int n = 30;
    bool colors = false;
    std::string data;
    const Game* game = nullptr;
};

ChartBuilder builderOf(const std::string& kind)
{
    for (const ChartKind& k : kChartKinds)
        if (kind == k.name)
            return k.build;
    return nullptr;
}

} // namespace

void addChartCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand(
        "chart", "Print an analysis chart or the omission table of the latest N draws as CSV");
    auto opts = std::make_shared<ChartOptions>();
    sub->add_option("kind", opts->kind, kKindNames)->required()->type_name(kKindNames);
    sub->add_option("--n", opts->n, "Number of latest draws (default 30)")->type_name("N");
    sub->add_flag("--colors", opts->colors, "Print each cell's colour instead of its text");
    addGameOption(sub, opts->game);
    addDataOption(sub, opts->data);
    sub->callback([&ctx, opts] {
        const ChartBuilder build = builderOf(opts->kind);
        if (build == nullptr)
            throw UsageError("kind: " + opts->kind + " is not one of " + kKindNames);
        if (build == buildOmissionTable && opts->colors)
            throw UsageError("--colors: the omission table has no colours to print");
        const DrawHistory history = loadHistory(ctx, opts->data, *opts->game);
        GridModel grid;
        build(grid, history, opts->n, [&](const std::string& m) { printMessage(ctx.err, m); });
        ctx.out << gridToCsv(grid, opts->colors);
    });
}

} // namespace velmora::cli
