#include "core/filter/Scheme.h"

#include "core/code/Code.h"
#include "core/filter/ConditionFields.h"
#include "core/io/TextFile.h"
#include "core/io/TextFormat.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace velmora {

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

constexpr const char* kFormat = "velmora-scheme";
constexpr int kVersion = 1;
constexpr const char* kToleranceKey = "tolerance";

// Why a text is not a valid scheme; caught in parseScheme. Every message is
// short and names the key: no value or library text of unbounded length is
// ever quoted.
class SchemeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A key as the message quotes it: a very long one shortened.
std::string quoted(const std::string& key)
{
    constexpr std::size_t kLongest = 60;
    // Appended piece by piece: GCC 12's -Wrestrict misreads "\"" + text at -O3.
    std::string text = "\"";
    if (key.size() <= kLongest) {
        text += key;
    } else {
        std::size_t cut = kLongest;
        while (cut > 0 && (static_cast<unsigned char>(key[cut]) & 0xC0) == 0x80)
            --cut; // never split a UTF-8 sequence
        text.append(key, 0, cut);
        text += "…";
    }
    text += '"';
    return text;
}

// "和值（sums）" for a condition or the tolerance, else the quoted key.
std::string keyLabel(const std::string& key)
{
    if (const ConditionField* field = conditionFieldOfKey(key))
        return conditionLabel(*field);
    if (key == kToleranceKey)
        return std::string("容错（") + kToleranceKey + "）";
    return "键" + quoted(key);
}

[[noreturn]] void fail(const std::string& label, const std::string& what) { throw SchemeError(label + what); }

int integerIn(const json& value, const std::string& label, int lo, int hi)
{
    if (!value.is_number_integer())
        fail(label, "的值应为" + std::to_string(lo) + "到" + std::to_string(hi) + "的整数");
    // Compared in the value's own type, so no huge number wraps into the range.
    const bool inRange = value.is_number_unsigned()
        ? value.get<unsigned long long>() >= static_cast<unsigned long long>(lo)
            && value.get<unsigned long long>() <= static_cast<unsigned long long>(hi)
        : value.get<long long>() >= lo && value.get<long long>() <= hi;
    if (!inRange)
        fail(label, "的值" + value.dump() + "超出范围" + std::to_string(lo) + ".." + std::to_string(hi));
    return value.get<int>();
}

const json& arrayOf(const json& value, const std::string& label)
{
    if (!value.is_array())
        fail(label, "的值应为数组");
    return value;
}

std::string textOf(const json& value, const std::string& label)
{
    if (!value.is_string())
        fail(label, "的值应为文本");
    return value.get<std::string>();
}

// An object holding only the two keys, the first of them required when asked.
void checkItemKeys(
    const json& item, const std::string& label, const char* first, const char* second, bool firstRequired)
{
    if (!item.is_object())
        fail(label, std::string("的每一项应为含\"") + first + "\"和\"" + second + "\"的对象");
    for (const auto& [name, unused] : item.items())
        if (name != first && name != second)
            fail(label, "中有未知的键" + quoted(name));
    if (firstRequired && !item.contains(first))
        fail(label, std::string("的每一项应含\"") + first + "\"");
}

void readNumberList(std::span<bool> flags, const json& value, const ConditionField& field)
{
    const std::string label = conditionLabel(field);
    for (const json& item : arrayOf(value, label))
        flags[static_cast<std::size_t>(integerIn(item, label, field.lo, field.hi) - field.lo)] = true;
}

void readPatternList(std::span<bool> flags, const json& value, const std::string& label)
{
    for (const json& item : arrayOf(value, label)) {
        const int index = item.is_string() ? ratioPatternIndex(item.get<std::string>()) : -1;
        if (index < 0)
            fail(label, "的值应为300,210,201,120,111,102,030,021,012,003之一的文本");
        flags[static_cast<std::size_t>(index)] = true;
    }
}

void readShapeList(std::span<bool> flags, const json& value, const ConditionField& field)
{
    const std::string label = conditionLabel(field);
    for (const json& item : arrayOf(value, label)) {
        const int index = item.is_string() ? shapeIndex(field, item.get<std::string>()) : -1;
        if (index < 0)
            fail(label,
                "的值应为" + shapeText(field, 0) + "到" + shapeText(field, shapeCount(field) - 1)
                    + "的三位形态文本");
        flags[static_cast<std::size_t>(index)] = true;
    }
}

// {"digits": "05", "counts": [..]}: both keys, the digits ASCII and each once.
void readPairCount(FilterConditions& fc, const json& value, const ConditionField& field)
{
    const std::string label = conditionLabel(field);
    if (!value.is_object() || !value.contains("digits") || !value.contains("counts"))
        fail(label, "的值应为含\"digits\"和\"counts\"的对象");
    checkItemKeys(value, label, "digits", "counts", true);
    const ConditionSlot slot = field.slot(fc, 0);
    for (const char ch : textOf(value.at("digits"), label)) {
        if (ch < '0' || ch > '9' || slot.digits[static_cast<std::size_t>(ch - '0')])
            fail(label, "的\"digits\"应为不重复的数字0到9");
        slot.digits[static_cast<std::size_t>(ch - '0')] = true;
    }
    readNumberList(slot.flags, value.at("counts"), field);
}

// {"row": R, "counts": [..]} items, R counted from 1.
void readRecentRows(FilterConditions& fc, const json& value, const ConditionField& field)
{
    const std::string label = conditionLabel(field);
    for (const json& item : arrayOf(value, label)) {
        checkItemKeys(item, label, "row", "counts", true);
        const int row = integerIn(item.at("row"), label, 1, field.places);
        if (item.contains("counts"))
            readNumberList(field.slot(fc, row - 1).flags, item.at("counts"), field);
    }
}

// {"digits": TEXT, "counts": [..]} items, one per row from the first.
void readHitGroups(FilterConditions& fc, const json& value, const ConditionField& field)
{
    const std::string label = conditionLabel(field);
    const json& rows = arrayOf(value, label);
    if (rows.size() > static_cast<std::size_t>(field.places))
        fail(label, "最多" + std::to_string(field.places) + "行");
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const json& item = rows[k];
        checkItemKeys(item, label, "digits", "counts", false);
        const ConditionSlot slot = field.slot(fc, static_cast<int>(k));
        if (item.contains("digits"))
            *slot.text = textOf(item.at("digits"), label);
        if (item.contains("counts"))
            readNumberList(slot.flags, item.at("counts"), field);
    }
}

// Digits fill the banker combos from the first on.
void readBankers(FilterConditions& fc, const json& value, const ConditionField& field)
{
    const std::string label = conditionLabel(field);
    const json& digits = arrayOf(value, label);
    if (digits.size() > static_cast<std::size_t>(field.places))
        fail(label, "最多" + std::to_string(field.places) + "个胆号");
    for (std::size_t i = 0; i < digits.size(); ++i)
        *field.slot(fc, static_cast<int>(i)).number = integerIn(digits[i], label, field.lo, field.hi) + 1;
}

void readCondition(FilterConditions& fc, const ConditionField& field, const json& value)
{
    const ConditionSlot slot = field.slot(fc, 0);
    switch (field.kind) {
    case ValueKind::Numbers:
        readNumberList(slot.flags, value, field);
        break;
    case ValueKind::Patterns:
        readPatternList(slot.flags, value, conditionLabel(field));
        break;
    case ValueKind::Text:
        *slot.text = textOf(value, conditionLabel(field));
        break;
    case ValueKind::Digit:
        *slot.number = integerIn(value, conditionLabel(field), field.lo, field.hi);
        break;
    case ValueKind::Bankers:
        readBankers(fc, value, field);
        break;
    case ValueKind::RecentRows:
        readRecentRows(fc, value, field);
        break;
    case ValueKind::HitGroups:
        readHitGroups(fc, value, field);
        break;
    case ValueKind::Shapes:
        readShapeList(slot.flags, value, field);
        break;
    case ValueKind::PairCounts:
        readPairCount(fc, value, field);
        break;
    }
}

FilterScheme schemeOf(const json& doc)
{
    if (!doc.is_object())
        throw SchemeError("内容应为一个JSON对象");
    for (const auto& [key, unused] : doc.items())
        if (key != "format" && key != "version" && key != "conditions")
            throw SchemeError("未知的键" + quoted(key));
    if (!doc.contains("format") || doc.at("format") != kFormat)
        fail(keyLabel("format"), std::string("的值应为\"") + kFormat + "\"");
    if (!doc.contains("version") || !doc.at("version").is_number_integer() || doc.at("version") != kVersion)
        fail(keyLabel("version"), "的值应为" + std::to_string(kVersion));
    if (!doc.contains("conditions") || !doc.at("conditions").is_object())
        fail(keyLabel("conditions"), "的值应为对象");
    FilterScheme scheme;
    for (const auto& [key, value] : doc.at("conditions").items()) {
        if (const ConditionField* field = conditionFieldOfKey(key)) {
            readCondition(scheme.conditions, *field, value);
        } else if (key == kToleranceKey) {
            const std::optional<Tolerance> tolerance = parseTolerance(textOf(value, keyLabel(key)));
            if (!tolerance)
                fail(keyLabel(key), "的值应为\"MIN-MAX\"或\"MAX\"（非负整数，MIN不大于MAX）");
            scheme.tolerance = *tolerance;
        } else {
            throw SchemeError("未知的键" + quoted(key));
        }
    }
    return scheme;
}

// The condition key whose value the parser is in, so that a text the parser
// rejects inside a condition is reported under its key. The keys of the
// document are depth 1, those of its "conditions" depth 2; the key is
// forgotten when its value ends.
class KeyTracker {
public:
    bool operator()(int depth, json::parse_event_t event, const json& parsed)
    {
        using Event = json::parse_event_t;
        if (event == Event::key && depth == 1)
            m_inConditions = parsed == "conditions";
        else if (event == Event::key && depth == 2 && m_inConditions)
            m_key = parsed.get<std::string>();
        else if (depth <= 2
            && (event == Event::value || event == Event::array_end || event == Event::object_end))
            m_key.clear();
        return true;
    }

    // "和值（sums）的值", or nothing outside every condition.
    std::string where() const { return m_key.empty() ? std::string() : keyLabel(m_key) + "的值"; }

private:
    bool m_inConditions = false;
    std::string m_key;
};

ordered_json numberList(std::span<const bool> flags, int lo)
{
    ordered_json list = ordered_json::array();
    for (std::size_t i = 0; i < flags.size(); ++i)
        if (flags[i])
            list.push_back(lo + static_cast<int>(i));
    return list;
}

ordered_json patternList(std::span<const bool> flags)
{
    ordered_json list = ordered_json::array();
    for (std::size_t i = 0; i < flags.size(); ++i)
        if (flags[i])
            list.push_back(kRatioPatterns[i]);
    return list;
}

ordered_json shapeList(std::span<const bool> flags, const ConditionField& field)
{
    ordered_json list = ordered_json::array();
    for (std::size_t i = 0; i < flags.size(); ++i)
        if (flags[i])
            list.push_back(shapeText(field, static_cast<int>(i)));
    return list;
}

// Written whenever either part is set, so that a half-filled condition comes back as it was.
ordered_json pairCount(const ConditionSlot& slot, const ConditionField& field)
{
    std::string digits;
    for (std::size_t d = 0; d < slot.digits.size(); ++d)
        if (slot.digits[d])
            digits += static_cast<char>('0' + d);
    const ordered_json counts = numberList(slot.flags, field.lo);
    if (digits.empty() && counts.empty())
        return {};
    return { { "digits", digits }, { "counts", counts } };
}

ordered_json recentRows(FilterConditions& fc, const ConditionField& field)
{
    ordered_json rows = ordered_json::array();
    for (int place = 0; place < field.places; ++place) {
        const std::span<const bool> counts = field.slot(fc, place).flags;
        if (std::find(counts.begin(), counts.end(), true) != counts.end())
            rows.push_back({ { "row", place + 1 }, { "counts", numberList(counts, field.lo) } });
    }
    return rows;
}

// Rows keep their places, so empty rows before the last used one are written too.
ordered_json hitGroups(FilterConditions& fc, const ConditionField& field)
{
    ordered_json groups = ordered_json::array();
    int used = 0;
    for (int place = 0; place < field.places; ++place) {
        const ConditionSlot slot = field.slot(fc, place);
        if (!slot.text->empty() || std::find(slot.flags.begin(), slot.flags.end(), true) != slot.flags.end())
            used = place + 1;
    }
    for (int place = 0; place < used; ++place) {
        const ConditionSlot slot = field.slot(fc, place);
        groups.push_back({ { "digits", *slot.text }, { "counts", numberList(slot.flags, field.lo) } });
    }
    return groups;
}

ordered_json bankers(FilterConditions& fc, const ConditionField& field)
{
    ordered_json digits = ordered_json::array();
    for (int place = 0; place < field.places; ++place)
        if (const int digit = bankerDigit(*field.slot(fc, place).number); digit >= 0)
            digits.push_back(digit);
    return digits;
}

// The condition's value as the scheme holds it, or null when it is empty. A
// digit is brought into its range and left out when that is its default.
ordered_json conditionValue(FilterConditions& fc, const ConditionField& field)
{
    const ConditionSlot slot = field.slot(fc, 0);
    ordered_json value;
    switch (field.kind) {
    case ValueKind::Numbers:
        value = numberList(slot.flags, field.lo);
        break;
    case ValueKind::Patterns:
        value = patternList(slot.flags);
        break;
    case ValueKind::Text:
        return slot.text->empty() ? ordered_json() : ordered_json(*slot.text);
    case ValueKind::Digit: {
        FilterConditions defaults;
        const int digit = std::clamp(*slot.number, field.lo, field.hi);
        return digit == *field.slot(defaults, 0).number ? ordered_json() : ordered_json(digit);
    }
    case ValueKind::Bankers:
        value = bankers(fc, field);
        break;
    case ValueKind::RecentRows:
        value = recentRows(fc, field);
        break;
    case ValueKind::HitGroups:
        value = hitGroups(fc, field);
        break;
    case ValueKind::Shapes:
        value = shapeList(slot.flags, field);
        break;
    case ValueKind::PairCounts:
        return pairCount(slot, field);
    }
    return value.empty() ? ordered_json() : value;
}

} // namespace

SchemeReadResult parseScheme(std::string_view text)
{
    if (startsWithUtf8Bom(text))
        text.remove_prefix(3);
    SchemeReadResult result;
    KeyTracker tracker;
    try {
        result.scheme = schemeOf(json::parse(text, std::ref(tracker)));
    } catch (const json::parse_error& e) {
        result.error = std::string(kSchemeErrorLeadingText) + tracker.where() + "不是有效的JSON（第"
            + std::to_string(e.byte) + "个字节处）";
    } catch (const json::out_of_range&) {
        // The only such error while parsing: a number too large for a double.
        const std::string where = tracker.where();
        result.error
            = std::string(kSchemeErrorLeadingText) + (where.empty() ? "内容" : where) + "中有超出范围的数";
    } catch (const SchemeError& e) {
        result.error = std::string(kSchemeErrorLeadingText) + e.what();
    } catch (const json::exception&) {
        result.error = std::string(kSchemeErrorLeadingText) + tracker.where() + "不是有效的JSON";
    }
    return result;
}

SchemeReadResult readSchemeFile(const std::string& path)
{
    const std::string text = readTextFile(path);
    return parseScheme(text);
}

std::string schemeToJson(const FilterScheme& scheme)
{
    // The table's slots view a record they may change: they read a copy.
    FilterConditions fc = scheme.conditions;
    ordered_json c = ordered_json::object();
    for (const ConditionField& field : conditionFields())
        if (ordered_json value = conditionValue(fc, field); !value.is_null())
            c[field.key] = std::move(value);
    // A range that keeps nothing (MIN above MAX) is written as one above every unit count.
    Tolerance tolerance { std::max(scheme.tolerance.min, 0), std::max(scheme.tolerance.max, 0) };
    if (tolerance.min > tolerance.max)
        tolerance = { kUnitCount + 1, kUnitCount + 1 };
    if (!tolerance.isPlain())
        c[kToleranceKey] = toleranceText(tolerance);

    ordered_json doc = ordered_json::object();
    doc["format"] = kFormat;
    doc["version"] = kVersion;
    doc["conditions"] = std::move(c);
    return doc.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

void writeSchemeFile(const std::string& path, const FilterScheme& scheme)
{
    writeFileAtomic(path, schemeToJson(scheme));
}

} // namespace velmora
