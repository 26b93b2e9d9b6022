#include "Charts/ChartCsv.h"
#include "Charts/Charts.h"
#include "cli/Commands.h"

#include <memory>
#include <ostream>

namespace velmora::cli {

namespace {

struct ChartOptions {
    std::string kind;
    int n = 30;
    bool colors = false;
    std::string data;
};

ChartBuilder BuilderOf(const std::string& kind)
{
    for (const TChartKind& k : kChartKinds)
        if (kind == k.Name)
            return k.Build;
    return nullptr;
}

} // namespace

void AddChartCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("chart", "Print an analysis chart of the latest N draws as CSV");
    auto opts = std::make_shared<ChartOptions>();
    sub->add_option("kind", opts->kind, "trend|kline|sum|tail|oddeven|bigsmall")
        ->required()
        ->type_name("trend|kline|sum|tail|oddeven|bigsmall");
    sub->add_option("--n", opts->n, "Number of latest draws (default 30)")->type_name("N");
    sub->add_flag("--colors", opts->colors, "Print each cell's colour instead of its text");
    AddDataOption(sub, opts->data);
    sub->callback([&ctx, opts] {
        const ChartBuilder build = BuilderOf(opts->kind);
        if (build == nullptr)
            throw UsageError("kind: " + opts->kind
                             + " is not one of trend|kline|sum|tail|oddeven|bigsmall");
        const TCodeRecArr history = LoadHistory(ctx, opts->data);
        TH2NetModel net;
        build(net, history, opts->n, [&](const std::string& m) { PrintMessage(ctx.err, m); });
        ctx.out << GridToCsv(net, opts->colors);
    });
}

} // namespace velmora::cli
