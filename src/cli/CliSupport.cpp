#include "cli/CliSupport.h"

#include "Code/CodeList.h"
#include "Draw/AppPaths.h"
#include "Draw/DataFile.h"
#include "Draw/DrawText.h"

#include <filesystem>
#include <ostream>

namespace velmora::cli {

void PrintMessage(std::ostream& err, std::string_view text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        line += text[i] == '\r' ? '\n' : text[i];
    }
    err << line << '\n';
}

void AddDataOption(CLI::App* sub, std::string& path)
{
    sub->add_option("--data", path, "Draw-data file (default: lotdata.ldf beside the program)")
        ->type_name("FILE");
}

void AddOutOption(CLI::App* sub, std::string& path)
{
    sub->add_option("--out", path, "Write the result file instead of printing")->type_name("FILE");
}

std::string ReadTextOrExit(CliContext& ctx, const std::string& path)
{
    try {
        return ReadDrawTextFile(path);
    } catch (const FileError& e) {
        PrintMessage(ctx.err, e.what());
        throw CliExit{kExitFile};
    }
}

TCodeRecArr LoadHistory(CliContext& ctx, const std::string& dataPath)
{
    std::string text;
    if (dataPath.empty()) {
        const std::string path = AppFilePath(ExecutableFolder(), kDataFileName);
        std::error_code ec;
        if (std::filesystem::exists(path, ec))
            text = ReadTextOrExit(ctx, path);
    } else {
        text = ReadTextOrExit(ctx, dataPath);
    }
    TCodeRecArr history;
    const bool ok = DataTxtToCodeArr(SplitLines(text), history,
                                     [&](const std::string& m) { PrintMessage(ctx.err, m); });
    if (!ok)
        throw CliExit{kExitRefused};
    return history;
}

void EmitResult(CliContext& ctx, std::string_view leadingText, const TCodeArr& codes,
                const std::string& outPath)
{
    const auto lines = ResultTextLines(leadingText, codes);
    if (outPath.empty()) {
        ctx.out << JoinLines(lines, "\n");
        return;
    }
    try {
        WriteResultFile(outPath, lines);
    } catch (const FileError& e) {
        PrintMessage(ctx.err, e.what());
        throw CliExit{kExitFile};
    }
}

} // namespace velmora::cli
