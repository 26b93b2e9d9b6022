#include "cli/Commands.h"
#include "cli/ConditionOptions.h"
#include "core/filter/FilterEngine.h"
#include "core/io/TextFile.h"

#include <memory>

namespace velmora::cli {

namespace {

struct FilterOptions {
    ConditionOptions conditions;
    std::string data, out, saveScheme;
    const Game* game = nullptr;
};

} // namespace

void addFilterCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("filter", "Shrink the 1000 codes by the filter conditions");
    auto o = std::make_shared<FilterOptions>();
    addGameOption(sub, o->game);
    addConditionOptions(sub, o->conditions);
    sub->add_option("--save-scheme", o->saveScheme, "Write this run's conditions as a scheme file")
        ->type_name("FILE");
    addDataOption(sub, o->data);
    addOutOption(sub, o->out);

    sub->callback([&ctx, o] {
        const FilterScheme scheme = buildScheme(ctx, o->conditions, *o->game);
        const DrawHistory history = loadHistory(ctx, o->data, *o->game);
        if (!o->saveScheme.empty()) {
            try {
                writeSchemeFile(o->saveScheme, scheme);
            } catch (const FileError& e) {
                printMessage(ctx.err, e.what());
                throw CliExit { kExitFile };
            }
        }
        emitResult(ctx, kShrinkLeadingText, runShrink(scheme.conditions, history, scheme.tolerance), o->out);
    });
}

} // namespace velmora::cli
