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

void runMerge(CliContext& ctx, const std::string& sourcePath, const std::string& dataOption)
{
    const auto toStderr = [&ctx](const std::string& m) { printMessage(ctx.err, m); };
    const SourceHistory source = readSourceHistory(readTextOrExit(ctx, sourcePath), toStderr);
    if (source.status == SourceStatus::BadLines)
        throw CliExit { kExitRefused };
    if (source.status == SourceStatus::NoDraws) {
        printMessage(ctx.err, "文件中没有开奖数据：" + sourcePath);
        throw CliExit { kExitRefused };
    }

    bool fromBuiltIn = false;
    const std::vector<std::string> localLines = splitLines(loadDataText(ctx, dataOption, &fromBuiltIn));
    const ParsedHistory local = parseDrawHistory(localLines);
    if (!local.ok()) {
        toStderr(local.badLinesMessage);
        throw CliExit { kExitRefused };
    }

    const MergeResult result = mergeHistory(localLines, source.lines);
    if (result.changed()) {
        const std::string dataPath = dataFilePath(dataOption);
        try {
            if (fromBuiltIn)
                createDataFolder(dataPath);
            saveDataFile(game3d(), dataPath, drawTextOf(result.lines), currentBackupTime());
        } catch (const FileError& e) {
            printMessage(ctx.err, e.what());
            throw CliExit { kExitFile };
        }
    }
    ctx.out << mergeCountsText(result) << '\n';
    for (const DrawCorrection& correction : result.corrections)
        ctx.out << correctionText(correction) << '\n';
}

} // namespace

void addMergeCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("merge", "Merge a draw history file into the data file");
    auto source = std::make_shared<std::string>();
    auto data = std::make_shared<std::string>();
    sub->add_option("FILE", *source, "Draw history to merge (draw-data text or the public full history)")
        ->required()
        ->type_name("FILE")
        ->check([](const std::string& value) {
            return value.empty() ? std::string("the value is empty") : std::string();
        });
    addDataOption(sub, *data);
    sub->callback([&ctx, source, data] { runMerge(ctx, *source, *data); });
}

} // namespace velmora::cli
