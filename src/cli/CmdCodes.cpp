#include "cli/Commands.h"
#include "core/code/CodeSetText.h"
#include "core/draw/DrawText.h"
#include "core/play/NumberTools.h"

#include <memory>
#include <optional>

namespace velmora::cli {

namespace {

constexpr const char* kOperationNames = "group|expand|group6|group3|union|intersect|diff";

struct CodesOptions {
    std::string operation;
    std::vector<std::string> arguments;
    std::string out;
};

// The code lists of the arguments, read in order; standard input ("-") is read
// once, so "union - -" takes the same list twice.
class ListReader {
public:
    explicit ListReader(CliContext& ctx)
        : m_ctx(ctx)
    {
    }

    CodeSet read(const std::string& path)
    {
        CodeSet codes;
        linesToCodeSet(splitLines(path == "-" ? standardInput() : readTextOrExit(m_ctx, path)), codes);
        return codes;
    }

private:
    const std::string& standardInput()
    {
        if (!m_standardInput)
            m_standardInput = readTextOrStdinOrExit(m_ctx, "-");
        return *m_standardInput;
    }

    CliContext& m_ctx;
    std::optional<std::string> m_standardInput;
};

// The tool named, with the right number of non-empty arguments; else a usage error.
NumberTool checkedTool(const CodesOptions& o)
{
    const std::optional<NumberTool> tool = numberToolNamed(o.operation);
    if (!tool)
        throw UsageError("OPERATION: \"" + o.operation + "\" is not one of " + kOperationNames);
    const std::size_t wanted = numberToolInfo(*tool).input == NumberToolInput::TwoLists ? 2 : 1;
    if (o.arguments.size() < wanted)
        throw UsageError(o.operation + ": " + (wanted == 2 ? "two lists are needed" : "a list is needed"));
    if (o.arguments.size() > wanted)
        throw UsageError(o.operation + ": unexpected argument \"" + o.arguments[wanted] + "\"");
    for (const std::string& argument : o.arguments)
        if (argument.empty())
            throw UsageError(o.operation + ": the list is empty");
    return *tool;
}

} // namespace

void addCodesCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand("codes", "Number tools: groups, 包号 and set operations on code lists");
    auto o = std::make_shared<CodesOptions>();
    sub->add_option("operation", o->operation, kOperationNames)->required()->type_name(kOperationNames);
    sub->add_option(
           "lists", o->arguments, "Code list files (- for standard input), or DIGITS for group6/group3")
        ->type_name("LIST|DIGITS [LIST]");
    addOutOption(sub, o->out);
    sub->callback([&ctx, o] {
        const NumberTool tool = checkedTool(*o);
        const NumberToolInfo& info = numberToolInfo(tool);
        DigitSet digits;
        CodeSet a;
        CodeSet b;
        if (info.input == NumberToolInput::Digits) {
            const std::optional<DigitSet> parsed = parseDigitList(o->arguments[0]);
            if (!parsed)
                throw UsageError(o->operation
                    + ": DIGITS takes the digits 0-9, separated by nothing, \",\", \";\" "
                      "or blanks: \""
                    + o->arguments[0] + "\"");
            digits = *parsed;
        } else {
            ListReader lists(ctx);
            a = lists.read(o->arguments[0]);
            if (info.input == NumberToolInput::TwoLists)
                b = lists.read(o->arguments[1]);
        }
        emitResult(ctx, info.leadingText, runNumberTool(tool, a, b, digits), o->out);
    });
}

} // namespace velmora::cli
