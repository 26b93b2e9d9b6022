#include "cli/Commands.h"
#include "core/code/Code.h"

#include <memory>
#include <ostream>

namespace velmora::cli {

void addHistoryCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("history", "Print the parsed draw history, oldest first");
    auto data = std::make_shared<std::string>();
    addDataOption(sub, *data);
    sub->callback([&ctx, data] {
        for (const DrawRecord& r : loadHistory(ctx, *data)) {
            ctx.out << r.issueText() << ',' << codeText(r.drawCode) << ',' << codeText(r.testCode) << ','
                    << r.extra1 << ',' << r.extra2 << '\n';
        }
    });
}

} // namespace velmora::cli
