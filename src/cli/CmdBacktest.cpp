#include "cli/Commands.h"
#include "cli/ConditionOptions.h"
#include "core/filter/Backtest.h"

#include <climits>
#include <memory>
#include <ostream>

namespace velmora::cli {

namespace {

struct BacktestOptions {
    ConditionOptions conditions;
    std::string last = "100";
    std::string report = "draws";
    std::string data;
    const Game* game = nullptr;
};

// --last N: a positive decimal number; a huge one stands for "every draw".
int parseLast(const std::string& text)
{
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    const std::size_t first = text.find_first_not_of('0');
    if (!digits || first == std::string::npos)
        throw UsageError("--last: expected a number above 0: \"" + text + "\"");
    return text.size() - first > 9 ? INT_MAX : std::stoi(text.substr(first));
}

} // namespace

void addBacktestCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("backtest", "Check the conditions against each of the latest N draws");
    auto o = std::make_shared<BacktestOptions>();
    sub->add_option("--last", o->last, "Number of latest draws to check (default 100)")->type_name("N");
    sub->add_option("--report", o->report, "draws (default), conditions, summary or money")
        ->type_name("draws|conditions|summary|money");
    addGameOption(sub, o->game);
    addConditionOptions(sub, o->conditions);
    addDataOption(sub, o->data);

    sub->callback([&ctx, o] {
        const int last = parseLast(o->last);
        if (o->report != "draws" && o->report != "conditions" && o->report != "summary"
            && o->report != "money")
            throw UsageError("--report: not one of draws|conditions|summary|money: \"" + o->report + "\"");
        const FilterScheme scheme = buildScheme(ctx, o->conditions, *o->game);
        const DrawHistory history = loadHistory(ctx, o->data, *o->game);
        if (history.empty()) {
            printMessage(ctx.err, kBacktestNoDataMessage);
            throw CliExit { kExitRefused };
        }
        if (static_cast<std::size_t>(last) > history.size())
            printMessage(ctx.err, kBacktestTooManyDrawsMessage);
        const auto draws = runBacktest(scheme.conditions, scheme.tolerance, history, last);
        if (o->report == "draws")
            ctx.out << backtestDrawsCsv(draws, history);
        else if (o->report == "conditions")
            ctx.out << backtestUnitsCsv(backtestUnitStats(draws));
        else if (o->report == "summary")
            ctx.out << backtestSummaryCsv(backtestSummary(draws));
        else
            ctx.out << backtestMoneyCsv(backtestSummary(draws));
    });
}

} // namespace velmora::cli
