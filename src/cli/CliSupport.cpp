#include "cli/CliSupport.h"

#include "core/code/CodeSetText.h"
#include "core/draw/AppPaths.h"
#include "core/draw/DrawText.h"
#include "core/game/Game.h"
#include "core/io/FileSystem.h"
#include "core/io/TextFile.h"

#include <ostream>

namespace velmora::cli {

void printMessage(std::ostream& err, std::string_view text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        line += text[i] == '\r' ? '\n' : text[i];
    }
    err << line << '\n';
}

void addDataOption(CLI::App* sub, std::string& path)
{
    sub->add_option("--data", path,
           "Draw-data file (default: the game's lotdata.ldf or pl3data.ldf beside the program, else in "
           "$XDG_DATA_HOME/velmora)")
        ->type_name("FILE");
}

void addGameOption(CLI::App* sub, const Game*& game)
{
    game = &game3d();
    const CLI::Validator known(
        [](const std::string& key) {
            return gameOfKey(key) ? std::string() : "not one of 3d|pl3: \"" + key + "\"";
        },
        "");
    sub->add_option_function<std::string>(
           "--game", [&game](const std::string& key) { game = gameOfKey(key); },
           "The game: 3d (福彩3D, default) or pl3 (排列三)")
        ->check(known)
        ->type_name("3d|pl3");
}

void addOutOption(CLI::App* sub, std::string& path)
{
    sub->add_option("--out", path, "Write the result file instead of printing")->type_name("FILE");
}

std::string readTextOrExit(CliContext& ctx, const std::string& path)
{
    try {
        return readTextFile(path);
    } catch (const FileError& e) {
        printMessage(ctx.err, e.what());
        throw CliExit { kExitFile };
    }
}

std::string readTextOrStdinOrExit(CliContext& ctx, const std::string& path)
{
    if (path != "-")
        return readTextOrExit(ctx, path);
    try {
        return readText(ctx.in, kStandardInputName);
    } catch (const FileError& e) {
        printMessage(ctx.err, e.what());
        throw CliExit { kExitFile };
    }
}

std::string loadDataText(CliContext& ctx, const std::string& dataPath, const Game& game, bool* fromBuiltIn)
{
    if (fromBuiltIn)
        *fromBuiltIn = false;
    if (!dataPath.empty())
        return readTextOrExit(ctx, dataPath);
    // A dangling link counts as there, so it is reported as unreadable.
    const std::string path = dataFilePath(game);
    if (os::entryExists(path)) {
        // Never a pipe or a device: reading one would wait for a writer.
        try {
            return readDataFile(path);
        } catch (const FileError& e) {
            printMessage(ctx.err, e.what());
            throw CliExit { kExitFile };
        }
    }
    if (fromBuiltIn)
        *fromBuiltIn = true;
    return std::string(game.builtInHistory());
}

DrawHistory loadHistory(CliContext& ctx, const std::string& dataPath, const Game& game)
{
    const std::string text = loadDataText(ctx, dataPath, game);
    ParsedHistory parsed = parseDrawHistory(game, std::string_view(text));
    if (!parsed.ok()) {
        printMessage(ctx.err, parsed.badLinesMessage);
        throw CliExit { kExitRefused };
    }
    return std::move(parsed.history);
}

void emitResult(
    CliContext& ctx, std::string_view leadingText, const CodeSet& codes, const std::string& outPath)
{
    const auto lines = resultTextLines(leadingText, codes);
    if (outPath.empty()) {
        ctx.out << joinLines(lines, "\n");
        return;
    }
    try {
        writeResultFile(outPath, lines);
    } catch (const FileError& e) {
        printMessage(ctx.err, e.what());
        throw CliExit { kExitFile };
    }
}

} // namespace velmora::cli
