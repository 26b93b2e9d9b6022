#include "Code/Code.h"
#include "cli/Commands.h"

#include <memory>
#include <ostream>

namespace velmora::cli {

void AddHistoryCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("history", "Print the parsed draw history, oldest first");
    auto data = std::make_shared<std::string>();
    AddDataOption(sub, *data);
    sub->callback([&ctx, data] {
        for (const TCodeRec& r : LoadHistory(ctx, *data)) {
            ctx.out << IntToPadStr(r.Year, 4, true) << IntToPadStr(r.Issue, 3, true) << ','
                    << StrOfCode(r.DrawCode) << ',' << StrOfCode(r.TestCode) << ',' << r.Extra1
                    << ',' << r.Extra2 << '\n';
        }
    });
}

} // namespace velmora::cli
