#include "core/filter/FilterUnits.h"

#include "core/filter/ConditionFields.h"

namespace velmora {

namespace {

constexpr int kToleranceCap = kUnitCount + 1;

// Compares two digit strings as numbers, whatever their length.
int compareDecimal(std::string_view a, std::string_view b)
{
    while (a.size() > 1 && a.front() == '0')
        a.remove_prefix(1);
    while (b.size() > 1 && b.front() == '0')
        b.remove_prefix(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

bool isDecimal(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int cappedValue(std::string_view digits)
{
    int value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value >= kToleranceCap)
            return kToleranceCap;
    }
    return value;
}

} // namespace

std::string_view unitName(int unit)
{
    if (unit < 0 || unit >= kUnitCount)
        return {};
    return conditionUnitNames()[static_cast<std::size_t>(unit)];
}

std::string unitNames(UnitMask units, std::string_view separator)
{
    std::string text;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        if ((units & unitBit(unit)) == 0)
            continue;
        if (!text.empty())
            text += separator;
        text += unitName(unit);
    }
    return text;
}

std::optional<Tolerance> parseTolerance(std::string_view text)
{
    const std::size_t dash = text.find('-');
    const std::string_view minText
        = dash == std::string_view::npos ? std::string_view("0") : text.substr(0, dash);
    const std::string_view maxText = dash == std::string_view::npos ? text : text.substr(dash + 1);
    if (!isDecimal(minText) || !isDecimal(maxText) || compareDecimal(minText, maxText) > 0)
        return std::nullopt;
    return Tolerance { cappedValue(minText), cappedValue(maxText) };
}

std::string toleranceText(const Tolerance& tolerance)
{
    return std::to_string(tolerance.min) + "-" + std::to_string(tolerance.max);
}

} // namespace velmora
