#include "cli/Commands.h"
#include "core/smart/Recommend.h"

#include <chrono>
#include <ctime>
#include <memory>
#include <optional>

namespace velmora::cli {

namespace {

struct RecommendOptions {
    std::string kind;
    std::optional<std::string> date;
    std::string data;
    std::string out;
    const Game* game = nullptr;
};

CalendarDate today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return { local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_wday + 1 };
}

// YYYY-MM-DD, a real calendar date; its weekday with Sunday = 1.
CalendarDate parseDate(const std::string& text)
{
    const auto bad = [&] { return UsageError("--date: expected a date YYYY-MM-DD: \"" + text + "\""); };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        throw bad();
    int fields[3] = {};
    const std::pair<std::size_t, std::size_t> spans[3] = { { 0, 4 }, { 5, 2 }, { 8, 2 } };
    for (int i = 0; i < 3; ++i)
        for (std::size_t k = spans[i].first; k < spans[i].first + spans[i].second; ++k) {
            if (text[k] < '0' || text[k] > '9')
                throw bad();
            fields[i] = fields[i] * 10 + (text[k] - '0');
        }
    using namespace std::chrono;
    const year_month_day ymd { year { fields[0] }, month { static_cast<unsigned>(fields[1]) },
        day { static_cast<unsigned>(fields[2]) } };
    if (!ymd.ok())
        throw bad();
    const weekday wd { sys_days { ymd } };
    return { fields[0], fields[1], fields[2], static_cast<int>(wd.c_encoding()) + 1 };
}

RecommendKind kindOf(const std::string& name)
{
    if (name == "week")
        return RecommendKind::Weekly;
    if (name == "month")
        return RecommendKind::Monthly;
    return RecommendKind::Daily;
}

} // namespace

void addRecommendCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("recommend", "Daily, weekly or monthly recommended codes");
    auto o = std::make_shared<RecommendOptions>();
    sub->add_option("kind", o->kind, "day|week|month")
        ->required()
        ->check(CLI::IsMember({ "day", "week", "month" }).description(""))
        ->type_name("day|week|month");
    sub->add_option("--date", o->date, "The date to use instead of today")->type_name("YYYY-MM-DD");
    addGameOption(sub, o->game);
    addDataOption(sub, o->data);
    addOutOption(sub, o->out);
    sub->callback([&ctx, o] {
        const CalendarDate date = o->date ? parseDate(*o->date) : today();
        const DrawHistory history = loadHistory(ctx, o->data, *o->game);
        const auto codes = recommend(*o->game, kindOf(o->kind), history, date);
        if (!codes) {
            printMessage(ctx.err, kRecommendRefusal);
            throw CliExit { kExitRefused };
        }
        emitResult(ctx, kRecommendLeadingText, *codes, o->out);
    });
}

} // namespace velmora::cli
