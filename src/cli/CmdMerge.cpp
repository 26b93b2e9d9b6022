#include "cli/Commands.h"
#include "core/draw/AppPaths.h"
#include "core/draw/Backups.h"
#include "core/draw/DrawText.h"
#include "core/draw/HistoryMerge.h"
#include "core/draw/HistorySource.h"
#include "core/io/TextFile.h"

#include <memory>
#include <ostream>

namespace velmora::cli {

namespace {

struct MergeOptions {
    std::string source;
    std::string data;
    const Game* game = nullptr;
};

void runMerge(CliContext& ctx, const MergeOptions& o)
{
    const Game& game = *o.game;
    const std::string& sourcePath = o.source;
    const auto toStderr = [&ctx](const std::string& m) { printMessage(ctx.err, m); };
    const SourceHistory source = readSourceHistory(game, readTextOrExit(ctx, sourcePath), toStderr);
    if (source.status == SourceStatus::BadLines)
        throw CliExit { kExitRefused };
    if (source.status == SourceStatus::NoDraws) {
        printMessage(ctx.err, "文件中没有开奖数据：" + sourcePath);
        throw CliExit { kExitRefused };
    }

    bool fromBuiltIn = false;
    const std::string localText = loadDataText(ctx, o.data, game, &fromBuiltIn);
    const ParsedHistory local = parseDrawHistory(game, std::string_view(localText));
    if (!local.ok()) {
        toStderr(local.badLinesMessage);
        throw CliExit { kExitRefused };
    }
    // Split only once it is known to hold draws alone: a line each.
    const std::vector<std::string> localLines = splitLines(localText);

    const MergeResult result = mergeHistory(game, localLines, source.lines);
    if (result.changed()) {
        const std::string dataPath = dataFilePath(game, o.data);
        try {
            if (fromBuiltIn)
                createDataFolder(dataPath);
            saveDataFile(game, dataPath, drawTextOf(result.lines), currentBackupTime());
        } catch (const FileError& e) {
            printMessage(ctx.err, e.what());
            throw CliExit { kExitFile };
        }
    }
    ctx.out << mergeCountsText(result) << '\n';
    for (const DrawCorrection& correction : result.corrections)
        ctx.out << correctionText(game, correction) << '\n';
}

} // namespace

void addMergeCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("merge", "Merge a draw history file into the data file");
    auto o = std::make_shared<MergeOptions>();
    sub->add_option("FILE", o->source, "Draw history to merge (draw-data text or the public full history)")
        ->required()
        ->type_name("FILE")
        ->check([](const std::string& value) {
            return value.empty() ? std::string("the value is empty") : std::string();
        });
    addGameOption(sub, o->game);
    addDataOption(sub, o->data);
    sub->callback([&ctx, o] { runMerge(ctx, *o); });
}

} // namespace velmora::cli
