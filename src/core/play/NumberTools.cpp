#include "core/play/NumberTools.h"

#include "core/code/Code.h"
#include "core/play/Play.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

namespace velmora {

namespace {

// What the tools look up per code, worked out once: its group, and for a code that
// is itself a group (digits ascending) its kind and the flags of its digits.
struct CodeFacts {
    std::array<std::int16_t, CodeSet::kSize> group {};
    std::array<std::uint16_t, CodeSet::kSize> groupDigits {};
    std::array<std::uint8_t, CodeSet::kSize> isGroup6 {};
    std::array<std::uint8_t, CodeSet::kSize> isGroup3 {};

    CodeFacts()
    {
        for (int c = 0; c < CodeSet::kSize; ++c) {
            const auto i = static_cast<std::size_t>(c);
            group[i] = static_cast<std::int16_t>(groupOf(c));
            groupDigits[i]
                = static_cast<std::uint16_t>((1U << (c / 100)) | (1U << (c / 10 % 10)) | (1U << (c % 10)));
            const bool ownGroup = group[i] == c;
            isGroup6[i] = ownGroup && groupKindOf(c) == GroupKind::Six ? 1 : 0;
            isGroup3[i] = ownGroup && groupKindOf(c) == GroupKind::Three ? 1 : 0;
        }
    }
};

constexpr bool toolsInEnumOrder()
{
    for (std::size_t i = 0; i < std::size(kNumberTools); ++i)
        if (static_cast<std::size_t>(kNumberTools[i].tool) != i)
            return false;
    return std::size(kNumberTools) == static_cast<std::size_t>(NumberTool::Dantuo) + 1;
}
static_assert(toolsInEnumOrder(), "kNumberTools has one row per tool, in the enum's order");

const CodeFacts& facts()
{
    static const CodeFacts table;
    return table;
}

// The groups of the kind whose digits all lie in the set.
CodeSet packOf(const std::array<std::uint8_t, CodeSet::kSize>& ofKind, DigitSet digits)
{
    const CodeFacts& f = facts();
    const auto outside = static_cast<std::uint16_t>(~digits.to_ulong() & 0x3FFU);
    CodeSet out;
    std::uint8_t* o = out.data();
    for (std::size_t c = 0; c < CodeSet::kSize; ++c)
        o[c] = static_cast<std::uint8_t>(
            ofKind[c] & static_cast<std::uint8_t>((f.groupDigits[c] & outside) == 0));
    return out;
}

} // namespace

CodeSet groupsOf(const CodeSet& codes)
{
    const CodeFacts& f = facts();
    CodeSet out;
    std::uint8_t* o = out.data();
    const std::uint8_t* in = codes.data();
    for (std::size_t c = 0; c < CodeSet::kSize; ++c)
        if (in[c] != 0)
            o[f.group[c]] = 1;
    return out;
}

CodeSet expandGroups(const CodeSet& codes)
{
    const CodeFacts& f = facts();
    const CodeSet groups = groupsOf(codes);
    const std::uint8_t* g = groups.data();
    CodeSet out;
    std::uint8_t* o = out.data();
    for (std::size_t c = 0; c < CodeSet::kSize; ++c)
        o[c] = g[f.group[c]];
    return out;
}

CodeSet group6Pack(DigitSet digits) { return packOf(facts().isGroup6, digits); }

CodeSet group3Pack(DigitSet digits) { return packOf(facts().isGroup3, digits); }

// The set operations are byte-wise logic over the 1000 flags (any non-zero flag is
// a member), which the compiler turns into vector instructions.
CodeSet unionOf(const CodeSet& a, const CodeSet& b)
{
    CodeSet out;
    for (std::size_t c = 0; c < CodeSet::kSize; ++c)
        out.data()[c] = static_cast<std::uint8_t>((a.data()[c] | b.data()[c]) != 0);
    return out;
}

CodeSet intersectionOf(const CodeSet& a, const CodeSet& b)
{
    CodeSet out;
    for (std::size_t c = 0; c < CodeSet::kSize; ++c)
        out.data()[c] = static_cast<std::uint8_t>(a.data()[c] != 0 && b.data()[c] != 0);
    return out;
}

CodeSet differenceOf(const CodeSet& a, const CodeSet& b)
{
    CodeSet out;
    for (std::size_t c = 0; c < CodeSet::kSize; ++c)
        out.data()[c] = static_cast<std::uint8_t>(a.data()[c] != 0 && b.data()[c] == 0);
    return out;
}

CodeSet directMulti(DigitSet h, DigitSet t, DigitSet u)
{
    CodeSet out;
    std::uint8_t* o = out.data();
    for (std::size_t c = 0; c < CodeSet::kSize; ++c)
        o[c] = static_cast<std::uint8_t>(h[c / 100] && t[c / 10 % 10] && u[c % 10]);
    return out;
}

CodeSet codesWithSums(const NumberSet& sums)
{
    CodeSet out;
    std::uint8_t* o = out.data();
    for (std::size_t c = 0; c < CodeSet::kSize; ++c)
        o[c] = static_cast<std::uint8_t>(sums[c / 100 + c / 10 % 10 + c % 10]);
    return out;
}

CodeSet codesWithSpans(const NumberSet& spans)
{
    CodeSet out;
    std::uint8_t* o = out.data();
    for (int c = 0; c < CodeSet::kSize; ++c)
        o[c] = static_cast<std::uint8_t>(spans[static_cast<std::size_t>(maxOfCode(c) - minOfCode(c))]);
    return out;
}

DantuoProblem dantuoProblem(DigitSet bankers, DigitSet drags)
{
    if (bankers.count() < 1 || bankers.count() > 2)
        return DantuoProblem::BankerCount;
    if (drags.none())
        return DantuoProblem::NoDrag;
    if ((bankers & drags).any())
        return DantuoProblem::BankerIsDrag;
    return DantuoProblem::None;
}

CodeSet dantuoGroups(DigitSet bankers, DigitSet drags)
{
    const CodeFacts& f = facts();
    const auto banker = static_cast<std::uint16_t>(bankers.to_ulong());
    const auto allowed = static_cast<std::uint16_t>((bankers | drags).to_ulong());
    CodeSet out;
    std::uint8_t* o = out.data();
    for (std::size_t c = 0; c < CodeSet::kSize; ++c) {
        const std::uint16_t held = f.groupDigits[c];
        o[c] = static_cast<std::uint8_t>(
            (f.isGroup6[c] || f.isGroup3[c]) && (held & banker) == banker && (held & ~allowed) == 0);
    }
    return out;
}

std::optional<NumberSet> parseNumberList(std::string_view text, int highest)
{
    NumberSet numbers;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view item = text.substr(start, comma - start);
        if (item.empty())
            return std::nullopt;
        int value = 0;
        for (const char c : item) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + (c - '0');
            if (value > highest)
                return std::nullopt;
        }
        numbers.set(static_cast<std::size_t>(value));
        if (comma == text.size())
            return numbers;
        start = comma + 1;
    }
}

std::optional<DigitSet> parseDigitList(std::string_view text)
{
    DigitSet digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            digits.set(static_cast<std::size_t>(c - '0'));
        else if (c != ',' && c != ';' && c != ' ' && c != '\t')
            return std::nullopt;
    }
    if (digits.none())
        return std::nullopt;
    return digits;
}

const NumberToolInfo& numberToolInfo(NumberTool tool) { return kNumberTools[static_cast<std::size_t>(tool)]; }

std::optional<NumberTool> numberToolNamed(std::string_view name)
{
    for (const NumberToolInfo& info : kNumberTools)
        if (name == info.name)
            return info.tool;
    return std::nullopt;
}

CodeSet runNumberTool(NumberTool tool, const NumberToolInputs& in)
{
    switch (tool) {
    case NumberTool::Group:
        return groupsOf(in.a);
    case NumberTool::Expand:
        return expandGroups(in.a);
    case NumberTool::Group6:
        return group6Pack(in.digits[0]);
    case NumberTool::Group3:
        return group3Pack(in.digits[0]);
    case NumberTool::Union:
        return unionOf(in.a, in.b);
    case NumberTool::Intersect:
        return intersectionOf(in.a, in.b);
    case NumberTool::Difference:
        return differenceOf(in.a, in.b);
    case NumberTool::DirectMulti:
        return directMulti(in.digits[0], in.digits[1], in.digits[2]);
    case NumberTool::Sums:
        return codesWithSums(in.numbers);
    case NumberTool::Spans:
        return codesWithSpans(in.numbers);
    case NumberTool::Dantuo:
        break;
    }
    return dantuoGroups(in.digits[0], in.digits[1]);
}

} // namespace velmora
