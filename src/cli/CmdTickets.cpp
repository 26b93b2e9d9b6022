// velmora-cli tickets add|list|report|remove: the ticket ledger.
#include "cli/Commands.h"
#include "core/code/CodeSetText.h"
#include "core/draw/AppPaths.h"
#include "core/draw/DrawText.h"
#include "core/io/FileSystem.h"
#include "core/io/TextFile.h"
#include "core/io/TextFormat.h"
#include "core/ledger/Ledger.h"
#include "core/ledger/Settlement.h"
#include "core/ledger/TicketText.h"

#include <memory>
#include <ostream>

namespace velmora::cli {

namespace {

struct LedgerOptions {
    std::string db;
    std::string data;
    const Game* game = &game3d();
};

struct AddOptions {
    LedgerOptions ledger;
    std::string issue;
    std::string play;
    std::string list;
    std::string multiple = "1";
    std::string note;
};

struct RangeOptions {
    LedgerOptions ledger;
    std::string from;
    std::string to;
};

struct RemoveOptions {
    LedgerOptions ledger;
    std::string id;
};

void addLedgerOptions(CLI::App* sub, LedgerOptions& options)
{
    sub->add_option("--db", options.db, "Ticket ledger (default: velmora.db beside the data file)")
        ->type_name("FILE");
    addDataOption(sub, options.data);
    sub->add_option_function<std::string>(
           "--game",
           [&options](const std::string& key) {
               options.game = gameOfKey(key);
               if (options.game == nullptr)
                   throw UsageError("--game: not one of 3d|pl3: \"" + cutForMessage(key) + "\"");
           },
           "The game whose tickets: 3d (福彩3D, default) or pl3 (排列三)")
        ->type_name("3d|pl3");
}

// The draw history the tickets are settled on, read as by every command.
DrawHistory historyOf(CliContext& ctx, const LedgerOptions& options)
{
    return loadHistory(ctx, options.data, *options.game);
}

std::string ledgerPathOf(const LedgerOptions& options)
{
    return options.db.empty() ? ledgerFilePath(dataFilePath(*options.game, options.data)) : options.db;
}

// A file error of the ledger: its message, exit 3.
template <typename Fn> auto orFileExit(CliContext& ctx, Fn fn)
{
    try {
        return fn();
    } catch (const FileError& e) {
        printMessage(ctx.err, e.what());
        throw CliExit { kExitFile };
    }
}

int parseIssueOption(const std::string& option, const std::string& text)
{
    const std::optional<int> issue = parseIssueKey(text);
    if (!issue)
        throw UsageError(
            option + ": expected the issue as seven digits YYYYIII: \"" + cutForMessage(text) + "\"");
    return *issue;
}

int parseMultiple(const std::string& text)
{
    const bool digits
        = !text.empty() && text.size() <= 3 && text.find_first_not_of("0123456789") == std::string::npos;
    const int multiple = digits ? std::stoi(text) : 0;
    if (multiple < kMinMultiple || multiple > kMaxMultiple)
        throw UsageError("--multiple: expected a number from 1 to 99: \"" + cutForMessage(text) + "\"");
    return multiple;
}

Play parsePlay(const std::string& text)
{
    if (text == "direct")
        return Play::Direct;
    if (text == "group")
        return Play::Group;
    throw UsageError("--play: not one of direct|group: \"" + cutForMessage(text) + "\"");
}

// The codes of a file, or of standard input for "-", read strictly: an item that
// is not a three-digit code is refused (message, CliExit 1).
CodeSet readTicketCodeList(CliContext& ctx, const std::string& path)
{
    const std::string text = path == "-"
        ? orFileExit(ctx, [&] { return readText(ctx.in, kStandardInputName); })
        : readTextOrExit(ctx, path);
    TicketCodesRead read = readTicketCodes(text);
    if (!read.ok()) {
        printMessage(ctx.err, read.error);
        throw CliExit { kExitRefused };
    }
    return read.codes;
}

void runAdd(CliContext& ctx, const AddOptions& o)
{
    Ticket ticket;
    ticket.issue = parseIssueOption("--issue", o.issue);
    if (ticket.issue % 1000 == 0)
        throw UsageError("--issue: a year has no issue 000: \"" + cutForMessage(o.issue) + "\"");
    ticket.play = parsePlay(o.play);
    ticket.multiple = parseMultiple(o.multiple);
    if (!isAcceptableNote(o.note))
        throw UsageError(
            "--note: expected at most " + std::to_string(kMaxNoteCharacters) + " characters of UTF-8 text");
    ticket.note = o.note;
    // Read as by every command, though only the ledger's folder follows from it.
    historyOf(ctx, o.ledger);
    TicketBets bets = ticketBetsOf(ticket.play, readTicketCodeList(ctx, o.list));
    if (!bets.tripleGroups.empty()) {
        printMessage(ctx.err, tripleGroupRefusal(bets.tripleGroups));
        throw CliExit { kExitRefused };
    }
    if (bets.bets.empty()) {
        printMessage(ctx.err, kNoCodesRefusal);
        throw CliExit { kExitRefused };
    }
    ticket.bets = std::move(bets.bets);
    const std::string path = ledgerPathOf(o.ledger);
    ticket.id = orFileExit(ctx, [&] {
        // The default ledger's folder is the data folder, which a first run may lack.
        if (o.ledger.db.empty())
            createDataFolder(path);
        return Ledger(path).add(*o.ledger.game, ticket);
    });
    ctx.out << ticketAddedText(ticket) << '\n';
}

IssueRange rangeOf(const RangeOptions& o)
{
    IssueRange range;
    if (!o.from.empty())
        range.from = parseIssueOption("--from", o.from);
    if (!o.to.empty())
        range.to = parseIssueOption("--to", o.to);
    return range;
}

void runList(CliContext& ctx, const RangeOptions& o, bool report)
{
    const IssueRange range = rangeOf(o);
    const DrawHistory history = historyOf(ctx, o.ledger);
    const std::string path = ledgerPathOf(o.ledger);
    if (!os::entryExists(path)) {
        ctx.out << (report ? kTicketsReportHeader : kTicketsListHeader) << '\n';
        return;
    }
    const std::vector<Ticket> tickets
        = orFileExit(ctx, [&] { return Ledger(path).tickets(*o.ledger.game, range); });
    const std::vector<TicketResult> results = settleTickets(tickets, history);
    ctx.out << (report ? ticketsReportCsv(ledgerTotals(tickets, results)) : ticketsListCsv(tickets, results));
}

void runRemove(CliContext& ctx, const RemoveOptions& o)
{
    if (o.id.empty() || o.id.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError("ID: expected a ticket number: \"" + cutForMessage(o.id) + "\"");
    const std::size_t first = std::min(o.id.find_first_not_of('0'), o.id.size() - 1);
    const std::string id = o.id.substr(first);
    historyOf(ctx, o.ledger);
    const std::string path = ledgerPathOf(o.ledger);
    // The ledger is validated whatever the id: a file that is not one is reported.
    const bool removed = orFileExit(ctx, [&] {
        Ledger ledger(path);
        // Beyond the largest id the ledger can give there is no ticket.
        return id.size() <= 18 && ledger.remove(*o.ledger.game, std::stoll(id));
    });
    if (!removed) {
        printMessage(ctx.err, noSuchTicketText(id));
        throw CliExit { kExitRefused };
    }
    ctx.out << ticketRemovedText(id) << '\n';
}

void addRangeOptions(CLI::App* sub, RangeOptions& o)
{
    sub->add_option("--from", o.from, "First issue of the range (default: the first)")->type_name("YYYYIII");
    sub->add_option("--to", o.to, "Last issue of the range (default: the last)")->type_name("YYYYIII");
    addLedgerOptions(sub, o.ledger);
}

} // namespace

void addTicketsCommand(CLI::App& app, CliContext& ctx)
{
    auto* tickets = app.add_subcommand("tickets", "The ticket ledger: add, list, report, remove");
    tickets->require_subcommand(1);

    auto* add = tickets->add_subcommand("add", "Record a ticket for a draw");
    auto a = std::make_shared<AddOptions>();
    add->add_option("--issue", a->issue, "The draw's issue")->required()->type_name("YYYYIII");
    add->add_option("--play", a->play, "direct (直选) or group (组选)")
        ->required()
        ->type_name("direct|group");
    add->add_option("LIST", a->list, "Code list (- for standard input)")->required()->type_name("LIST");
    add->add_option("--multiple", a->multiple, "Multiple 1..99 (default 1)")->type_name("M");
    add->add_option("--note", a->note, "Note")->type_name("TEXT");
    addLedgerOptions(add, a->ledger);
    add->callback([&ctx, a] { runAdd(ctx, *a); });

    auto* list = tickets->add_subcommand("list", "List the tickets with their outcome as CSV");
    auto l = std::make_shared<RangeOptions>();
    addRangeOptions(list, *l);
    list->callback([&ctx, l] { runList(ctx, *l, false); });

    auto* report = tickets->add_subcommand("report", "Totals of the tickets as CSV");
    auto r = std::make_shared<RangeOptions>();
    addRangeOptions(report, *r);
    report->callback([&ctx, r] { runList(ctx, *r, true); });

    auto* remove = tickets->add_subcommand("remove", "Delete a ticket");
    auto d = std::make_shared<RemoveOptions>();
    remove->add_option("ID", d->id, "The ticket's number")->required()->type_name("ID");
    addLedgerOptions(remove, d->ledger);
    remove->callback([&ctx, d] { runRemove(ctx, *d); });
}

} // namespace velmora::cli
