#include "cli/Commands.h"
#include "core/code/CodeSetText.h"
#include "core/smart/SmartShrink.h"

#include <memory>

namespace velmora::cli {

namespace {

struct SmartShrinkOptions {
    int level = 1;
    std::string base;
    std::string data;
    std::string out;
    const Game* game = nullptr;
};

} // namespace

void addSmartShrinkCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("smart-shrink", "Shrink a base set by the 10 latest draws");
    auto o = std::make_shared<SmartShrinkOptions>();
    sub->add_option("--level", o->level, "Shrink level 0..6 (default 1)")
        ->check(CLI::Range(kMinShrinkLevel, kMaxShrinkLevel).description(""))
        ->type_name("L");
    sub->add_option("--base", o->base, "Base codes (default or -: standard input)")->type_name("FILE");
    addGameOption(sub, o->game);
    addDataOption(sub, o->data);
    addOutOption(sub, o->out);
    sub->callback([&ctx, o] {
        const DrawHistory history = loadHistory(ctx, o->data, *o->game);
        // The refusal comes before the base is read, as on the page.
        if (history.size() < static_cast<std::size_t>(kSmartShrinkWindow)) {
            printMessage(ctx.err, kSmartShrinkRefusal);
            throw CliExit { kExitRefused };
        }
        const CodeSet base = readCodeList(readTextOrStdinOrExit(ctx, o->base.empty() ? "-" : o->base)).codes;
        emitResult(ctx, kSmartShrinkLeadingText, *smartShrink(base, o->level, history), o->out);
    });
}

} // namespace velmora::cli
