#include "cli/Commands.h"
#include "core/code/CodeSetText.h"
#include "core/play/NumberTools.h"

#include <memory>
#include <optional>

namespace velmora::cli {

namespace {

constexpr const char* kOperationNames
    = "group|expand|group6|group3|union|intersect|diff|direct-multi|sums|spans|dantuo";

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
        return readCodeList(path == "-" ? standardInput() : readTextOrExit(m_ctx, path)).codes;
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

// How many arguments a tool takes and how the usage names them.
std::pair<std::size_t, const char*> argumentsOf(NumberToolInput input)
{
    switch (input) {
    case NumberToolInput::TwoLists:
        return { 2, "two lists are needed" };
    case NumberToolInput::ThreeDigitLists:
        return { 3, "three digit lists are needed: H T U" };
    case NumberToolInput::TwoDigitLists:
        return { 2, "two digit lists are needed: BANKERS DRAGS" };
    case NumberToolInput::OneList:
    case NumberToolInput::Digits:
    case NumberToolInput::Numbers:
        break;
    }
    return { 1, "a list is needed" };
}

// The tool named, with the right number of non-empty arguments; else a usage error.
NumberTool checkedTool(const CodesOptions& o)
{
    const std::optional<NumberTool> tool = numberToolNamed(o.operation);
    if (!tool)
        throw UsageError("OPERATION: \"" + o.operation + "\" is not one of " + kOperationNames);
    const auto [wanted, missing] = argumentsOf(numberToolInfo(*tool).input);
    if (o.arguments.size() < wanted)
        throw UsageError(o.operation + ": " + missing);
    if (o.arguments.size() > wanted)
        throw UsageError(o.operation + ": unexpected argument \"" + o.arguments[wanted] + "\"");
    for (const std::string& argument : o.arguments)
        if (argument.empty())
            throw UsageError(o.operation + ": the list is empty");
    return *tool;
}

DigitSet digitListOrUsage(const std::string& operation, const std::string& text)
{
    const std::optional<DigitSet> parsed = parseDigitList(text);
    if (!parsed)
        throw UsageError(operation
            + ": DIGITS takes the digits 0-9, separated by nothing, \",\", \";\" or blanks: \"" + text
            + "\"");
    return *parsed;
}

// The inputs of a tool that reads digits or numbers from its arguments.
void readLiteralInputs(NumberTool tool, const CodesOptions& o, NumberToolInputs& in)
{
    const NumberToolInfo& info = numberToolInfo(tool);
    switch (info.input) {
    case NumberToolInput::Numbers: {
        const std::optional<NumberSet> numbers = parseNumberList(o.arguments[0], info.highest);
        if (!numbers)
            throw UsageError(o.operation + ": LIST takes numbers 0.." + std::to_string(info.highest)
                + " separated by \",\": \"" + o.arguments[0] + "\"");
        in.numbers = *numbers;
        break;
    }
    case NumberToolInput::TwoDigitLists: {
        in.digits[0] = digitListOrUsage(o.operation, o.arguments[0]);
        in.digits[1] = digitListOrUsage(o.operation, o.arguments[1]);
        switch (dantuoProblem(in.digits[0], in.digits[1])) {
        case DantuoProblem::BankerCount:
            throw UsageError(o.operation + ": BANKERS takes one or two digits: \"" + o.arguments[0] + "\"");
        case DantuoProblem::BankerIsDrag:
            throw UsageError(o.operation + ": a digit is both a banker and a drag: \"" + o.arguments[0]
                + "\" \"" + o.arguments[1] + "\"");
        case DantuoProblem::NoDrag: // a digit list always holds a digit
        case DantuoProblem::None:
            break;
        }
        break;
    }
    default:
        for (std::size_t i = 0; i < o.arguments.size(); ++i)
            in.digits[i] = digitListOrUsage(o.operation, o.arguments[i]);
        break;
    }
}

} // namespace

void addCodesCommand(CLI::App& app, CliContext& ctx)
{
    auto* sub = app.add_subcommand(
        "codes", "Number tools: groups, 包号, set operations on code lists and bet forms");
    auto o = std::make_shared<CodesOptions>();
    sub->add_option("operation", o->operation, kOperationNames)->required()->type_name(kOperationNames);
    sub->add_option("lists", o->arguments,
           "Code list files (- for standard input); DIGITS for group6/group3, H T U for direct-multi, "
           "BANKERS DRAGS for dantuo; LIST of numbers for sums/spans")
        ->type_name("LIST|DIGITS [LIST|DIGITS [DIGITS]]");
    addOutOption(sub, o->out);
    sub->callback([&ctx, o] {
        const NumberTool tool = checkedTool(*o);
        const NumberToolInfo& info = numberToolInfo(tool);
        NumberToolInputs in;
        if (info.input == NumberToolInput::OneList || info.input == NumberToolInput::TwoLists) {
            ListReader lists(ctx);
            in.a = lists.read(o->arguments[0]);
            if (info.input == NumberToolInput::TwoLists)
                in.b = lists.read(o->arguments[1]);
        } else {
            readLiteralInputs(tool, *o, in);
        }
        emitResult(ctx, info.leadingText, runNumberTool(tool, in), o->out);
    });
}

} // namespace velmora::cli
