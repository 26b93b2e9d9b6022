#include "cli/Commands.h"
#include "core/draw/DrawText.h"

#include <memory>
#include <ostream>

namespace velmora::cli {

namespace {

struct HistoryOptions {
    std::string data;
    const Game* game = nullptr;
};

} // namespace

void addHistoryCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("history", "Print the parsed draw history, oldest first");
    auto o = std::make_shared<HistoryOptions>();
    addGameOption(sub, o->game);
    addDataOption(sub, o->data);
    sub->callback([&ctx, o] {
        for (const DrawRecord& r : loadHistory(ctx, o->data, *o->game))
            ctx.out << formatDrawLine(*o->game, r) << '\n';
    });
}

} // namespace velmora::cli
