#include "core/filter/Scheme.h"

#include "core/code/Code.h"
#include "core/io/TextFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <stdexcept>

namespace velmora {

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

constexpr const char* kFormat = "velmora-scheme";
constexpr int kVersion = 1;

// Why a text is not a valid scheme; caught in parseScheme.
class SchemeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A key as the message names it: quoted, a very long one shortened.
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

[[noreturn]] void fail(const std::string& key, const std::string& what)
{
    throw SchemeError("键" + quoted(key) + what);
}

int integerIn(const json& value, const std::string& key, int lo, int hi)
{
    if (!value.is_number_integer())
        fail(key, "的值应为" + std::to_string(lo) + "到" + std::to_string(hi) + "的整数");
    // Compared in the value's own type, so no huge number wraps into the range.
    const bool inRange = value.is_number_unsigned()
        ? value.get<unsigned long long>() >= static_cast<unsigned long long>(lo)
            && value.get<unsigned long long>() <= static_cast<unsigned long long>(hi)
        : value.get<long long>() >= lo && value.get<long long>() <= hi;
    if (!inRange)
        fail(key, "的值" + value.dump() + "超出范围" + std::to_string(lo) + ".." + std::to_string(hi));
    return value.get<int>();
}

const json& arrayOf(const json& value, const std::string& key)
{
    if (!value.is_array())
        fail(key, "的值应为数组");
    return value;
}

std::string textOf(const json& value, const std::string& key)
{
    if (!value.is_string())
        fail(key, "的值应为文本");
    return value.get<std::string>();
}

template <std::size_t N>
void readNumberList(CheckFlags<N>& flags, const json& value, const std::string& key, int hi)
{
    for (const json& item : arrayOf(value, key))
        flags[static_cast<std::size_t>(integerIn(item, key, 0, hi))] = true;
}

void readPatternList(CheckFlags<10>& flags, const json& value, const std::string& key)
{
    for (const json& item : arrayOf(value, key)) {
        const int index = item.is_string() ? ratioPatternIndex(item.get<std::string>()) : -1;
        if (index < 0)
            fail(key, "的值应为300,210,201,120,111,102,030,021,012,003之一的文本");
        flags[static_cast<std::size_t>(index)] = true;
    }
}

// {"row": R, "counts": [..]} items into rows firstRow .. firstRow + 2.
void readRecentRows(FilterConditions& fc, const json& value, const std::string& key, int firstRow)
{
    for (const json& item : arrayOf(value, key)) {
        if (!item.is_object())
            fail(key, "的每一项应为含\"row\"和\"counts\"的对象");
        for (const auto& [name, unused] : item.items())
            if (name != "row" && name != "counts")
                fail(key, "中有未知的键" + quoted(name));
        if (!item.contains("row"))
            fail(key, "的每一项应含\"row\"");
        const int row = integerIn(item.at("row"), key, 1, 3);
        if (item.contains("counts"))
            readNumberList(
                fc.recentHits[static_cast<std::size_t>(firstRow + row - 1)], item.at("counts"), key, 3);
    }
}

void readHitGroups(FilterConditions& fc, const json& value, const std::string& key)
{
    const json& rows = arrayOf(value, key);
    if (rows.size() > fc.hitGroups.size())
        fail(key, "最多" + std::to_string(fc.hitGroups.size()) + "行");
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const json& item = rows[k];
        if (!item.is_object())
            fail(key, "的每一项应为含\"digits\"和\"counts\"的对象");
        for (const auto& [name, unused] : item.items())
            if (name != "digits" && name != "counts")
                fail(key, "中有未知的键" + quoted(name));
        if (item.contains("digits"))
            fc.hitGroups[k].digits = textOf(item.at("digits"), key);
        if (item.contains("counts"))
            readNumberList(fc.hitGroups[k].counts, item.at("counts"), key, 3);
    }
}

void readBankers(FilterConditions& fc, const json& value, const std::string& key)
{
    const json& digits = arrayOf(value, key);
    if (digits.size() > static_cast<std::size_t>(kBankerCount))
        fail(key, "最多" + std::to_string(kBankerCount) + "个胆号");
    for (std::size_t i = 0; i < digits.size(); ++i)
        fc.bankers[i] = integerIn(digits[i], key, 0, 9) + 1;
}

void readCondition(FilterScheme& scheme, const std::string& key, const json& value)
{
    FilterConditions& fc = scheme.conditions;
    const std::pair<const char*, std::string*> texts[] = { { "recent-pairs-in", &fc.recentPairsIn },
        { "recent-pairs-out", &fc.recentPairsOut }, { "pairs-in", &fc.pairsIn },
        { "pairs-out", &fc.pairsOut }, { "digits-in", &fc.digitsIn }, { "digits-out", &fc.digitsOut } };
    for (const auto& [name, target] : texts)
        if (key == name) {
            *target = textOf(value, key);
            return;
        }
    const char* const positions[] = { "hundreds", "tens", "units" };
    for (std::size_t p = 0; p < 3; ++p)
        if (key == positions[p]) {
            readNumberList(fc.positionDigits[p], value, key, 9);
            return;
        }

    if (key == "recent-draw")
        readRecentRows(fc, value, key, 0);
    else if (key == "recent-test")
        readRecentRows(fc, value, key, 3);
    else if (key == "banker")
        readBankers(fc, value, key);
    else if (key == "sum-tails")
        readNumberList(fc.sumTails, value, key, 9);
    else if (key == "sums")
        readNumberList(fc.sums, value, key, 29);
    else if (key == "smb")
        readPatternList(fc.smbPatterns, value, key);
    else if (key == "routes")
        readPatternList(fc.routePatterns, value, key);
    else if (key == "odd")
        readNumberList(fc.oddCounts, value, key, 3);
    else if (key == "big")
        readNumberList(fc.bigCounts, value, key, 3);
    else if (key == "hit-group")
        readHitGroups(fc, value, key);
    else if (key == "min-digit")
        fc.minDigit = integerIn(value, key, 0, 9);
    else if (key == "max-digit")
        fc.maxDigit = integerIn(value, key, 0, 9);
    else if (key == "runs")
        readNumberList(fc.runKinds, value, key, 2);
    else if (key == "types")
        readNumberList(fc.codeTypes, value, key, 2);
    else if (key == "tolerance") {
        const std::optional<Tolerance> tolerance = parseTolerance(textOf(value, key));
        if (!tolerance)
            fail(key, "的值应为\"MIN-MAX\"或\"MAX\"（非负整数，MIN不大于MAX）");
        scheme.tolerance = *tolerance;
    } else {
        throw SchemeError("未知的键" + quoted(key));
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
        fail("format", std::string("的值应为\"") + kFormat + "\"");
    if (!doc.contains("version") || !doc.at("version").is_number_integer() || doc.at("version") != kVersion)
        fail("version", "的值应为" + std::to_string(kVersion));
    if (!doc.contains("conditions") || !doc.at("conditions").is_object())
        fail("conditions", "的值应为对象");
    FilterScheme scheme;
    for (const auto& [key, value] : doc.at("conditions").items())
        readCondition(scheme, key, value);
    return scheme;
}

template <std::size_t N> ordered_json numberList(const CheckFlags<N>& flags)
{
    ordered_json list = ordered_json::array();
    for (std::size_t i = 0; i < N; ++i)
        if (flags[i])
            list.push_back(i);
    return list;
}

ordered_json patternList(const CheckFlags<10>& flags)
{
    ordered_json list = ordered_json::array();
    for (std::size_t i = 0; i < 10; ++i)
        if (flags[i])
            list.push_back(kRatioPatterns[i]);
    return list;
}

ordered_json recentRows(const FilterConditions& fc, int firstRow)
{
    ordered_json rows = ordered_json::array();
    for (int row = 1; row <= 3; ++row) {
        const CheckFlags<4>& counts = fc.recentHits[static_cast<std::size_t>(firstRow + row - 1)];
        if (anyChecked(counts))
            rows.push_back({ { "row", row }, { "counts", numberList(counts) } });
    }
    return rows;
}

} // namespace

SchemeReadResult parseScheme(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    SchemeReadResult result;
    try {
        result.scheme = schemeOf(json::parse(text));
    } catch (const json::parse_error& e) {
        result.error = std::string(kSchemeErrorLeadingText) + "不是有效的JSON（第" + std::to_string(e.byte)
            + "个字节处）";
    } catch (const SchemeError& e) {
        result.error = std::string(kSchemeErrorLeadingText) + e.what();
    } catch (const json::exception& e) {
        result.error = std::string(kSchemeErrorLeadingText) + e.what();
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
    const FilterConditions& fc = scheme.conditions;
    ordered_json c = ordered_json::object();
    auto putList = [&c](const char* key, ordered_json list) {
        if (!list.empty())
            c[key] = std::move(list);
    };
    auto putText = [&c](const char* key, const std::string& text) {
        if (!text.empty())
            c[key] = text;
    };
    putList("recent-draw", recentRows(fc, 0));
    putList("recent-test", recentRows(fc, 3));
    putText("recent-pairs-in", fc.recentPairsIn);
    putText("recent-pairs-out", fc.recentPairsOut);
    putList("hundreds", numberList(fc.positionDigits[0]));
    putList("tens", numberList(fc.positionDigits[1]));
    putList("units", numberList(fc.positionDigits[2]));
    ordered_json bankers = ordered_json::array();
    for (int item : fc.bankers)
        if (bankerDigit(item) >= 0)
            bankers.push_back(bankerDigit(item));
    putList("banker", std::move(bankers));
    putList("sum-tails", numberList(fc.sumTails));
    putList("sums", numberList(fc.sums));
    putList("smb", patternList(fc.smbPatterns));
    putList("routes", patternList(fc.routePatterns));
    putList("odd", numberList(fc.oddCounts));
    putList("big", numberList(fc.bigCounts));
    // Rows keep their places, so empty rows before the last used one are written too.
    const auto lastUsed = std::find_if(fc.hitGroups.rbegin(), fc.hitGroups.rend(),
        [](const HitGroup& g) { return !g.digits.empty() || anyChecked(g.counts); });
    ordered_json groups = ordered_json::array();
    for (auto it = fc.hitGroups.begin(); it != lastUsed.base(); ++it)
        groups.push_back({ { "digits", it->digits }, { "counts", numberList(it->counts) } });
    putList("hit-group", std::move(groups));
    putText("pairs-in", fc.pairsIn);
    putText("pairs-out", fc.pairsOut);
    putText("digits-in", fc.digitsIn);
    putText("digits-out", fc.digitsOut);
    if (fc.minDigit > 0)
        c["min-digit"] = std::min(fc.minDigit, 9);
    if (fc.maxDigit < 9)
        c["max-digit"] = std::max(fc.maxDigit, 0);
    putList("runs", numberList(fc.runKinds));
    putList("types", numberList(fc.codeTypes));
    // A range that keeps nothing (MIN above MAX) is written as one above every unit count.
    Tolerance tolerance { std::max(scheme.tolerance.min, 0), std::max(scheme.tolerance.max, 0) };
    if (tolerance.min > tolerance.max)
        tolerance = { kUnitCount + 1, kUnitCount + 1 };
    if (!tolerance.isPlain())
        c["tolerance"] = toleranceText(tolerance);

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
