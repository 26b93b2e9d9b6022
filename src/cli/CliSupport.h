// What every subcommand shares: loading the history, printing results, exit codes.
#pragma once

#include "core/code/CodeSet.h"
#include "core/draw/DrawRecord.h"
#include "core/game/Game.h"

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <string>
#include <string_view>

namespace velmora::cli {

enum ExitCode { kExitOk = 0, kExitRefused = 1, kExitUsage = 2, kExitFile = 3 };

// Ends a command with an exit code after its message was printed.
struct CliExit {
    int code;
};

// A usage error found after CLI11's own checks (a value out of range).
class UsageError : public CLI::ParseError {
public:
    explicit UsageError(const std::string& message)
        : CLI::ParseError("UsageError", message, kExitUsage)
    {
    }
};

struct CliContext {
    std::ostream& out;
    std::ostream& err;
    // Standard input of the command (smart-shrink's base).
    std::istream& in;
};

// Standard input and output where a message names a file.
inline constexpr const char* kStandardInputName = "标准输入";
inline constexpr const char* kStandardOutputName = "标准输出";

// --data FILE and --out FILE, worded alike on every subcommand that has them.
void addDataOption(CLI::App* sub, std::string& path);
void addOutOption(CLI::App* sub, std::string& path);

// --game 3d|pl3: the game whose data file, history, backups and tickets the command
// reads. game starts as 福彩3D (the default) and is set to the game named; any other
// value is a usage error naming the option. game must live as long as the subcommand.
void addGameOption(CLI::App* sub, const Game*& game);

// Prints a message-box text to stderr: inner CR LF as LF, then a line break.
void printMessage(std::ostream& err, std::string_view text);

// The draw-data text of --data FILE, or of the game's default data file (AppPaths.h);
// when nothing stands at the default data file's place, the game's built-in history,
// and *fromBuiltIn is set (a dangling link is unreadable). Unreadable or larger than
// 64 MiB: CliExit 3.
std::string loadDataText(
    CliContext& ctx, const std::string& dataPath, const Game& game, bool* fromBuiltIn = nullptr);

// The game's history parsed from loadDataText. Bad lines (a line of the other game
// included): message, CliExit 1.
DrawHistory loadHistory(CliContext& ctx, const std::string& dataPath, const Game& game);

// Reads a whole text file as the data file is read; unreadable: CliExit 3.
std::string readTextOrExit(CliContext& ctx, const std::string& path);

// readTextOrExit, or standard input read the same way when the path is "-".
std::string readTextOrStdinOrExit(CliContext& ctx, const std::string& path);

// Prints the result text, or with outPath writes the result file instead.
void emitResult(
    CliContext& ctx, std::string_view leadingText, const CodeSet& codes, const std::string& outPath);

} // namespace velmora::cli
