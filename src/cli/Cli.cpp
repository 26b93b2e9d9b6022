#include "cli/Cli.h"

#include "cli/Commands.h"
#include "core/io/TextFormat.h"
#include "core/io/Utf8.h"

#include <algorithm>
#include <iostream>
#include <ostream>
#include <set>
#include <sstream>

namespace velmora::cli {

namespace {

// Flags keep CLI11's type size of 1 but expect no value.
bool takesValue(const CLI::Option* opt) { return opt->get_type_size() != 0 && opt->get_expected_max() != 0; }

// Long names of the options that take a value, over all subcommands; a TEXT
// value may be empty (an empty condition), no other may.
struct ValueOptions {
    std::set<std::string> all;
    std::set<std::string> emptyAllowed;
};

std::vector<const CLI::App*> subcommandsOf(const CLI::App& app)
{
    return app.get_subcommands([](const CLI::App*) { return true; });
}

// The subcommands and, below one that has its own (tickets add), those.
void collectSubcommands(const CLI::App& app, std::vector<const CLI::App*>& all)
{
    for (const CLI::App* sub : subcommandsOf(app)) {
        all.push_back(sub);
        collectSubcommands(*sub, all);
    }
}

ValueOptions valueOptions(const CLI::App& app)
{
    ValueOptions names;
    std::vector<const CLI::App*> subs;
    collectSubcommands(app, subs);
    for (const CLI::App* sub : subs)
        for (const CLI::Option* opt : sub->get_options())
            if (takesValue(opt))
                for (const std::string& name : opt->get_lnames()) {
                    names.all.insert("--" + name);
                    if (opt->get_type_name() == "TEXT")
                        names.emptyAllowed.insert("--" + name);
                }
    return names;
}

// "--opt value" becomes "--opt=value", so a value may start with "-" (--n -1).
// An empty value ("--opt ''" or "--opt=") would make CLI11 take the next argument
// instead: an empty TEXT stays a separate empty argument, which CLI11 takes as
// the value; any other empty value is a usage error.
std::vector<std::string> joinOptionValues(const std::vector<std::string>& args, const ValueOptions& options)
{
    std::vector<std::string> joined;
    const auto takeEmpty = [&](const std::string& option) {
        if (options.emptyAllowed.count(option) == 0)
            throw UsageError(option + ": the value is empty");
        joined.push_back(option);
        joined.emplace_back();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options.all.count(arg) != 0 && i + 1 < args.size()) {
            if (args[i + 1].empty())
                takeEmpty(arg);
            else
                joined.push_back(arg + "=" + args[i + 1]);
            ++i;
        } else if (!arg.empty() && arg.back() == '='
            && options.all.count(arg.substr(0, arg.size() - 1)) != 0) {
            takeEmpty(arg.substr(0, arg.size() - 1));
        } else {
            joined.push_back(arg);
        }
    }
    return joined;
}

// One usage line: the command's words, its positional arguments, its options.
std::string usageLine(const std::string& prefix, const CLI::App& sub)
{
    std::string line = "  " + prefix + " " + sub.get_name();
    for (const CLI::Option* opt : sub.get_options()) {
        if (opt->get_positional()) {
            line += " " + opt->get_type_name();
            continue;
        }
        if (opt->get_lnames().empty() || opt->get_lnames().front() == "help")
            continue;
        line
            += " [--" + opt->get_lnames().front() + (takesValue(opt) ? " " + opt->get_type_name() : "") + "]";
    }
    return line + '\n';
}

// The commands the arguments name, outermost first, each with the place of its
// name in args (tickets add: both), as CLI11 reads them.
struct CommandPath {
    std::vector<const CLI::App*> commands;
    std::size_t next = 0; // the argument after the last command's name
};

CommandPath commandPath(const CLI::App& app, const std::vector<std::string>& args)
{
    CommandPath path;
    const CLI::App* level = &app;
    for (std::size_t i = 0; i < args.size() && !subcommandsOf(*level).empty(); ++i) {
        for (const CLI::App* sub : subcommandsOf(*level))
            if (sub->get_name() == args[i]) {
                path.commands.push_back(sub);
                path.next = i + 1;
                level = sub;
                break;
            }
    }
    return path;
}

// "unknown command" for a word where a command of the deepest level named is
// expected (velmora-cli bogus, velmora-cli tickets bogus); empty otherwise.
std::string unknownCommandText(
    const CLI::App& app, const CommandPath& path, const std::vector<std::string>& args)
{
    const CLI::App* level = path.commands.empty() ? &app : path.commands.back();
    if (subcommandsOf(*level).empty() || path.next >= args.size())
        return {};
    const std::string& word = args[path.next];
    if (word.empty() || word.front() == '-')
        return {};
    return (path.commands.empty() ? std::string() : level->get_name() + ": ") + "unknown command \"" + word
        + "\"";
}

// The usage of the command named, or of all below the deepest one named (all when
// none was).
std::string usageOf(const CLI::App& app, const CommandPath& path)
{
    std::string prefix = "velmora-cli";
    const CLI::App* level = &app;
    std::vector<const CLI::App*> subs;
    for (const CLI::App* command : path.commands) {
        if (subcommandsOf(*command).empty()) {
            subs = { command };
            break;
        }
        prefix += " " + command->get_name();
        level = command;
    }
    if (subs.empty())
        subs = subcommandsOf(*level);
    std::string usage = "用法:\n";
    for (const CLI::App* sub : subs) {
        if (subcommandsOf(*sub).empty())
            usage += usageLine(prefix, *sub);
        for (const CLI::App* inner : subcommandsOf(*sub))
            usage += usageLine(prefix + " " + sub->get_name(), *inner);
    }
    return usage;
}

// The messages as the user reads them: an argument longer than kMessageInputChars
// characters is repeated only that far, and every byte is UTF-8.
std::string withInputCut(std::string messages, const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        const std::string cut = cutForMessage(arg);
        if (cut == arg)
            continue;
        for (std::size_t at = messages.find(arg); at != std::string::npos;
             at = messages.find(arg, at + cut.size()))
            messages.replace(at, arg.size(), cut);
    }
    return replaceInvalidUtf8(messages);
}

int runCommands(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    CliContext ctx { out, err, in };
    CLI::App app("velmora-cli: the Velmora commands for scripts", "velmora-cli");
    app.require_subcommand(1);
    addHistoryCommand(app, ctx);
    addFilterCommand(app, ctx);
    addSmartShrinkCommand(app, ctx);
    addRecommendCommand(app, ctx);
    addChartCommand(app, ctx);
    addBacktestCommand(app, ctx);
    addMergeCommand(app, ctx);
    addTicketsCommand(app, ctx);
    addBackupsCommand(app, ctx);
    addCodesCommand(app, ctx);

    try {
        std::vector<std::string> argv = joinOptionValues(args, valueOptions(app));
        std::reverse(argv.begin(), argv.end()); // CLI11 takes the arguments last first
        app.parse(argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitOk;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        const CommandPath path = commandPath(app, args);
        const std::string unknown = unknownCommandText(app, path, args);
        err << (unknown.empty() ? std::string(e.what()) : unknown) << '\n' << usageOf(app, path);
        return kExitUsage;
    } catch (const CliExit& e) {
        return e.code;
    }
    return kExitOk;
}

} // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return runCli(args, std::cin, out, err);
}

int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::ostringstream messages;
    int code = kExitRefused;
    try {
        code = runCommands(args, in, out, messages);
    } catch (const std::exception& e) {
        messages << e.what() << '\n';
    }
    err << withInputCut(messages.str(), args);
    return code;
}

} // namespace velmora::cli
