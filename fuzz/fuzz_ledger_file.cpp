// Any bytes as velmora.db through each tickets command of both games: nothing
// crashes, and a file a command refuses (exit 3) is left byte for byte with
// nothing beside it. The input is the file as it stands, so real ledgers seed it.
#include "cli/Cli.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A private folder for the process's ledger and a small history to settle on.
struct Workspace {
    std::filesystem::path folder;
    std::string db, data;

    Workspace()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-fuzz.XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder = pattern;
        db = (folder / "velmora.db").string();
        data = (folder / "lotdata.ldf").string();
        std::ofstream(data, std::ios::binary) << "2026001,830,000,1,1\r\n2026002,121,000,1,1\r\n";
    }
    ~Workspace()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
};

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

std::size_t entriesIn(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Workspace workspace;
    static const std::array<std::vector<std::string>, 4> commands { {
        { "tickets", "list" },
        { "tickets", "report", "--from", "2026001" },
        { "tickets", "add", "--issue", "2026002", "--play", "group", "-", "--note", "n" },
        { "tickets", "remove", "1" },
    } };
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (std::size_t run = 0; run < 2 * commands.size(); ++run) {
        for (const auto& entry : std::filesystem::directory_iterator(workspace.folder))
            if (entry.path() != workspace.data)
                std::filesystem::remove(entry.path());
        std::ofstream(workspace.db, std::ios::binary) << bytes;
        std::vector<std::string> args = commands[run % commands.size()];
        args.insert(args.end(),
            { "--db", workspace.db, "--data", workspace.data, "--game",
                run < commands.size() ? "3d" : "pl3" });
        std::istringstream in("123 456");
        std::ostringstream out, err;
        const int code = velmora::cli::runCli(args, in, out, err);
        if (code == 3 && (readAll(workspace.db) != bytes || entriesIn(workspace.folder) != 2))
            std::abort();
        if (code != 0 && code != 1 && code != 3)
            std::abort();
    }
    return 0;
}
