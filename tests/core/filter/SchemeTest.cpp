#include "core/filter/Scheme.h"
#include "TempDir.h"
#include "core/filter/ConditionFields.h"
#include "core/filter/FilterEngine.h"
#include "core/filter/RandomConditions.h"
#include "core/io/TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace velmora;
using velmora::test::TempDir;

namespace {

std::string Wrap(const std::string& conditions)
{
    return R"({"format": "velmora-scheme", "version": 1, "conditions": )" + conditions + "}";
}

FilterScheme FullScheme()
{
    FilterScheme s;
    FilterConditions& fc = s.conditions;
    fc.recentHits[2] = { true, true, false, false };
    fc.recentHits[3] = { false, false, false, true };
    fc.recentPairsIn = "12,34";
    fc.recentPairsOut = " ";
    fc.positionDigits[0] = { true, false, true, false, false, false, false, false, false, true };
    fc.bankers = { 6, 1, 6, 0, 0 }; // 5, 0, 5
    fc.sumTails[0] = true;
    fc.sums[10] = fc.sums[29] = true;
    fc.smbPatterns[0] = fc.smbPatterns[9] = true;
    fc.routePatterns[4] = true;
    fc.oddCounts[3] = true;
    fc.bigCounts[0] = true;
    fc.hitGroups[0] = { "1259", { false, true, false, false } };
    fc.hitGroups[2] = { "", { true, false, false, false } }; // a place kept for rows 2 and 3
    fc.hitGroups[3] = { "五六,\"7\"", {} };
    fc.pairsIn = "01";
    fc.pairsOut = "二三";
    fc.digitsIn = "670";
    fc.digitsOut = "\t";
    fc.minDigit = 1;
    fc.maxDigit = 8;
    fc.runKinds[2] = true;
    fc.codeTypes = { true, true, false };
    fc.spans[0] = fc.spans[9] = true;
    fc.primeCounts[3] = true;
    fc.oddShapes[5] = true; // 101
    fc.bigShapes[0] = fc.bigShapes[7] = true;
    fc.primeShapes[2] = true;
    fc.routeShapes[0] = fc.routeShapes[26] = true;
    fc.lows[1] = true;
    fc.mids[4] = true;
    fc.highs[8] = true;
    fc.pairSums = { { true, false, false, false, false, true }, { false, true, true, true } };
    fc.pairDiffs.digits[9] = true; // kept without counts, as the page may hold it
    s.tolerance = { 1, 2 };
    return s;
}

} // namespace

TEST(Scheme, RoundTripGivesTheSameRecord)
{
    const FilterScheme scheme = FullScheme();
    const SchemeReadResult read = parseScheme(schemeToJson(scheme));
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(*read.scheme, scheme);

    const SchemeReadResult empty = parseScheme(schemeToJson(FilterScheme {}));
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(*empty.scheme, FilterScheme {});
}

TEST(Scheme, WrittenForm)
{
    FilterScheme s;
    s.conditions.recentHits[2] = { true, true, false, false };
    s.conditions.sums[10] = s.conditions.sums[11] = true;
    s.conditions.smbPatterns[0] = true;
    s.conditions.bankers = { 0, 6, 0, 0, 0 };
    s.tolerance = { 0, 1 };
    EXPECT_EQ(schemeToJson(s),
        "{\n"
        "  \"format\": \"velmora-scheme\",\n"
        "  \"version\": 1,\n"
        "  \"conditions\": {\n"
        "    \"recent-draw\": [\n"
        "      {\n"
        "        \"row\": 3,\n"
        "        \"counts\": [\n"
        "          0,\n"
        "          1\n"
        "        ]\n"
        "      }\n"
        "    ],\n"
        "    \"banker\": [\n"
        "      5\n"
        "    ],\n"
        "    \"sums\": [\n"
        "      10,\n"
        "      11\n"
        "    ],\n"
        "    \"smb\": [\n"
        "      \"300\"\n"
        "    ],\n"
        "    \"tolerance\": \"0-1\"\n"
        "  }\n"
        "}\n");
}

TEST(Scheme, RandomConditionsKeepTheirMeaning)
{
    velmora::test::RandomConditions random(5150);
    for (int run = 0; run < 300; ++run) {
        FilterScheme scheme { random.Next(), { run % 4, run % 4 + run % 3 } };
        // The page brings the digit bounds into 0..9 before anything reads them.
        scheme.conditions.minDigit = std::clamp(scheme.conditions.minDigit, 0, 9);
        scheme.conditions.maxDigit = std::clamp(scheme.conditions.maxDigit, 0, 9);
        const SchemeReadResult read = parseScheme(schemeToJson(scheme));
        ASSERT_TRUE(read.ok()) << read.error;
        EXPECT_EQ(read.scheme->tolerance, scheme.tolerance);
        const FilterEngine before(scheme.conditions, {});
        const FilterEngine after(read.scheme->conditions, {});
        ASSERT_EQ(after.activeUnits(), before.activeUnits()) << "run " << run;
        ASSERT_EQ(after.failedUnitsOfAllCodes(), before.failedUnitsOfAllCodes()) << "run " << run;
    }
}

TEST(Scheme, MissingKeysAndEmptyArraysAreEmptyConditions)
{
    const SchemeReadResult read = parseScheme("\xEF\xBB\xBF"
        + Wrap(
            R"({"sums": [], "hit-group": [], "banker": [], "recent-draw": [{"row": 2}], "pairs-in": ""})"));
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(*read.scheme, FilterScheme {});
}

TEST(Scheme, NewConditionsWrittenForm)
{
    FilterScheme s;
    s.conditions.oddShapes[5] = true;
    s.conditions.routeShapes[26] = true;
    s.conditions.pairSums = { { true, false, false, false, false, true }, { false, true, false, false } };
    const std::string json = schemeToJson(s);
    const auto compact = [](std::string text) {
        std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
        return text;
    };
    EXPECT_NE(compact(json).find(
                  R"("odd-pos":["101"],"route-pos":["222"],"pair-sums":{"digits":"05","counts":[1]})"),
        std::string::npos)
        << json;
}

TEST(Scheme, EmptyPairDigitsOrCountsAreEmptyConditions)
{
    const SchemeReadResult read = parseScheme(Wrap(
        R"({"pair-sums": {"digits": "", "counts": [1]}, "pair-diffs": {"digits": "37", "counts": []}, "odd-pos": []})"));
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(FilterEngine(read.scheme->conditions, {}).activeUnits(), 0u);
}

TEST(Scheme, RepeatedRowsAddUp)
{
    const SchemeReadResult read
        = parseScheme(Wrap(R"({"recent-test": [{"row": 1, "counts": [0]}, {"row": 1, "counts": [3, 3]}]})"));
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.scheme->conditions.recentHits[3], (CheckFlags<4> { true, false, false, true }));
}

namespace {

struct BadScheme {
    const char* name;
    std::string text;
    std::string reason; // the message after "方案文件格式错误："
};

const BadScheme kBadSchemes[] = {
    { "EmptyText", "", "不是有效的JSON（第1个字节处）" },
    { "NotJson", "{\"format\": ", "不是有效的JSON（第12个字节处）" },
    { "TrailingGarbage", Wrap("{}") + "x",
        "不是有效的JSON（第" + std::to_string(Wrap("{}").size() + 1) + "个字节处）" },
    // The bad byte is the 72nd.
    { "InvalidUtf8", Wrap("{\"pairs-in\": \"\xFF\"}"),
        "两码限于（pairs-in）的值不是有效的JSON（第72个字节处）" },
    { "Array", "[]", "内容应为一个JSON对象" },
    { "UnknownTopKey", R"({"format": "velmora-scheme", "version": 1, "conditions": {}, "name": "x"})",
        "未知的键\"name\"" },
    { "MissingFormat", R"({"version": 1, "conditions": {}})", "键\"format\"的值应为\"velmora-scheme\"" },
    { "OtherFormat", R"({"format": "x", "version": 1, "conditions": {}})",
        "键\"format\"的值应为\"velmora-scheme\"" },
    { "VersionTwo", R"({"format": "velmora-scheme", "version": 2, "conditions": {}})",
        "键\"version\"的值应为1" },
    { "VersionText", R"({"format": "velmora-scheme", "version": "1", "conditions": {}})",
        "键\"version\"的值应为1" },
    { "MissingConditions", R"({"format": "velmora-scheme", "version": 1})", "键\"conditions\"的值应为对象" },
    { "ConditionsArray", R"({"format": "velmora-scheme", "version": 1, "conditions": []})",
        "键\"conditions\"的值应为对象" },
    { "UnknownCondition", Wrap(R"({"colour": 1})"), "未知的键\"colour\"" },
    { "LongUnknownKeyShortened", Wrap("{\"" + std::string(70, 'k') + "\": 1}"),
        "未知的键\"" + std::string(60, 'k') + "…\"" },
    { "ListNotArray", Wrap(R"({"sums": 10})"), "和值（sums）的值应为数组" },
    { "ListItemText", Wrap(R"({"sums": ["10"]})"), "和值（sums）的值应为0到29的整数" },
    { "ListItemFraction", Wrap(R"({"odd": [1.5]})"), "奇偶比例（odd）的值应为0到3的整数" },
    { "ListItemAboveRange", Wrap(R"({"sums": [30]})"), "和值（sums）的值30超出范围0..29" },
    { "ListItemNegative", Wrap(R"({"hundreds": [-1]})"), "百位（hundreds）的值-1超出范围0..9" },
    { "ListItemHuge", Wrap(R"({"types": [18446744073709551615]})"),
        "类型（types）的值18446744073709551615超出范围0..2" },
    { "PatternUnknown", Wrap(R"({"smb": ["399"]})"),
        "小中大比例（smb）的值应为300,210,201,120,111,102,030,021,012,003之一的文本" },
    { "PatternAsNumber", Wrap(R"({"routes": [300]})"),
        "012路比例（routes）的值应为300,210,201,120,111,102,030,021,012,003之一的文本" },
    { "TextNotString", Wrap(R"({"pairs-in": 12})"), "两码限于（pairs-in）的值应为文本" },
    { "MinDigitAboveRange", Wrap(R"({"min-digit": 10})"), "最小号（min-digit）的值10超出范围0..9" },
    { "MaxDigitText", Wrap(R"({"max-digit": "9"})"), "最大号（max-digit）的值应为0到9的整数" },
    { "SixBankers", Wrap(R"({"banker": [1, 2, 3, 4, 5, 6]})"), "胆号（banker）最多5个胆号" },
    { "BankerAboveRange", Wrap(R"({"banker": [10]})"), "胆号（banker）的值10超出范围0..9" },
    { "RecentRowNotObject", Wrap(R"({"recent-draw": [1]})"),
        "近期开奖（recent-draw）的每一项应为含\"row\"和\"counts\"的对象" },
    { "RecentRowMissing", Wrap(R"({"recent-draw": [{"counts": [1]}]})"),
        "近期开奖（recent-draw）的每一项应含\"row\"" },
    { "RecentRowFour", Wrap(R"({"recent-test": [{"row": 4, "counts": [1]}]})"),
        "近期试机（recent-test）的值4超出范围1..3" },
    { "RecentRowZero", Wrap(R"({"recent-test": [{"row": 0}]})"), "近期试机（recent-test）的值0超出范围1..3" },
    { "RecentCountFour", Wrap(R"({"recent-draw": [{"row": 1, "counts": [4]}]})"),
        "近期开奖（recent-draw）的值4超出范围0..3" },
    { "RecentUnknownInnerKey", Wrap(R"({"recent-draw": [{"row": 1, "hits": [1]}]})"),
        "近期开奖（recent-draw）中有未知的键\"hits\"" },
    { "SixHitGroups", Wrap(R"({"hit-group": [{}, {}, {}, {}, {}, {}]})"), "控制中奖号（hit-group）最多5行" },
    { "HitGroupDigitsNumber", Wrap(R"({"hit-group": [{"digits": 12, "counts": [1]}]})"),
        "控制中奖号（hit-group）的值应为文本" },
    { "HitGroupNotObject", Wrap(R"({"hit-group": ["12"]})"),
        "控制中奖号（hit-group）的每一项应为含\"digits\"和\"counts\"的对象" },
    { "ToleranceReversed", Wrap(R"({"tolerance": "2-1"})"),
        "容错（tolerance）的值应为\"MIN-MAX\"或\"MAX\"（非负整数，MIN不大于MAX）" },
    { "ToleranceNumber", Wrap(R"({"tolerance": 1})"), "容错（tolerance）的值应为文本" },
    { "SpanAboveRange", Wrap(R"({"spans": [10]})"), "跨度（spans）的值10超出范围0..9" },
    { "PrimesAboveRange", Wrap(R"({"primes": [4]})"), "质合比例（primes）的值4超出范围0..3" },
    { "ShapeAsNumber", Wrap(R"({"odd-pos": [101]})"), "奇偶形态（odd-pos）的值应为000到111的三位形态文本" },
    { "BinaryShapeWithTwo", Wrap(R"({"big-pos": ["012"]})"),
        "大小形态（big-pos）的值应为000到111的三位形态文本" },
    { "ShapeTooLong", Wrap(R"({"prime-pos": ["0101"]})"),
        "质合形态（prime-pos）的值应为000到111的三位形态文本" },
    { "RouteShapeWithThree", Wrap(R"({"route-pos": ["103"]})"),
        "012路形态（route-pos）的值应为000到222的三位形态文本" },
    { "HighsText", Wrap(R"({"highs": ["9"]})"), "最大值（highs）的值应为0到9的整数" },
    { "PairSumsArray", Wrap(R"({"pair-sums": [1]})"),
        "两码和（pair-sums）的值应为含\"digits\"和\"counts\"的对象" },
    { "PairSumsMissingCounts", Wrap(R"({"pair-sums": {"digits": "05"}})"),
        "两码和（pair-sums）的值应为含\"digits\"和\"counts\"的对象" },
    { "PairSumsExtraKey", Wrap(R"({"pair-sums": {"digits": "05", "counts": [1], "x": 1}})"),
        "两码和（pair-sums）中有未知的键\"x\"" },
    { "PairDigitsWithComma", Wrap(R"({"pair-diffs": {"digits": "0,5", "counts": [1]}})"),
        "两码差（pair-diffs）的\"digits\"应为不重复的数字0到9" },
    { "PairDigitTwice", Wrap(R"({"pair-diffs": {"digits": "55", "counts": [1]}})"),
        "两码差（pair-diffs）的\"digits\"应为不重复的数字0到9" },
    { "PairDigitsNumber", Wrap(R"({"pair-diffs": {"digits": 5, "counts": [1]}})"),
        "两码差（pair-diffs）的值应为文本" },
    { "PairCountAboveRange", Wrap(R"({"pair-sums": {"digits": "5", "counts": [4]}})"),
        "两码和（pair-sums）的值4超出范围0..3" },
};

class BadSchemes : public ::testing::TestWithParam<BadScheme> { };

} // namespace

TEST_P(BadSchemes, GiveNothingAndNameTheProblem)
{
    const SchemeReadResult read = parseScheme(GetParam().text);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.error, "方案文件格式错误：" + GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(rows, BadSchemes, ::testing::ValuesIn(kBadSchemes),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Scheme, DeepNestingIsAnErrorNotACrash)
{
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    EXPECT_EQ(parseScheme(deep).error, "方案文件格式错误：内容应为一个JSON对象");
    EXPECT_FALSE(parseScheme(Wrap("{\"sums\": " + deep + "}")).ok());
}

TEST(Scheme, Files)
{
    TempDir dir;
    const std::string path = dir.File("a.vscheme.json");
    writeSchemeFile(path, FullScheme());
    const SchemeReadResult read = readSchemeFile(path);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(*read.scheme, FullScheme());

    // A scheme saved by another editor in GB18030 reads the same.
    velmora::test::WriteBytes(path, Wrap("{\"pairs-in\": \"\xB6\xFE\xC8\xFD\"}"));
    ASSERT_TRUE(readSchemeFile(path).ok());
    EXPECT_EQ(readSchemeFile(path).scheme->conditions.pairsIn, "二三");

    EXPECT_THROW(readSchemeFile(dir.File("missing.vscheme.json")), FileError);
    EXPECT_THROW(writeSchemeFile(dir.File("no/such/folder.json"), FullScheme()), FileError);
}

namespace {

struct HostileScheme {
    const char* name;
    std::string text;
    std::string key; // the key the message must name
};

const std::string kHuge(1 << 20, '9');

const HostileScheme kHostileSchemes[] = {
    { "MegabyteNumber", Wrap("{\"sums\": [" + kHuge + "]}"), "sums" },
    { "NumberOverflow", Wrap(R"({"sum-tails": [1e999]})"), "sum-tails" },
    { "OverflowInRow", Wrap(R"({"recent-draw": [{"row": -1e999}]})"), "recent-draw" },
    { "ToleranceOverflow", Wrap(R"({"tolerance": 1e999})"), "tolerance" },
    { "DeepNesting", Wrap("{\"hit-group\": " + std::string(100000, '[') + std::string(100000, ']') + "}"),
        "hit-group" },
    { "DeepNestingUnclosed", Wrap("{\"banker\": " + std::string(100000, '[')), "banker" },
    { "OverlongUtf8", Wrap("{\"digits-out\": \"\xC0\xAF\"}"), "digits-out" },
    { "MegabyteText", Wrap("{\"min-digit\": \"" + std::string(1 << 20, 'x') + "\"}"), "min-digit" },
    { "MegabyteInnerKey", Wrap("{\"recent-test\": [{\"" + std::string(1 << 20, 'r') + "\": 1}]}"),
        "recent-test" },
    { "MegabyteUnknownKey", Wrap("{\"" + std::string(1 << 20, 'k') + "\": 1}"), std::string(60, 'k') },
};

class HostileSchemes : public ::testing::TestWithParam<HostileScheme> { };

// A lead byte of U+4E00..U+9FFF.
bool HasChinese(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0xE4 && byte <= 0xE9;
    });
}

std::size_t CodePoints(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

TEST_P(HostileSchemes, GiveAShortChineseMessageNamingTheKey)
{
    const std::string error = parseScheme(GetParam().text).error;
    const std::string leading = kSchemeErrorLeadingText;
    ASSERT_EQ(error.rfind(leading, 0), 0u) << error;
    EXPECT_LE(CodePoints(error), 200u);
    EXPECT_NE(error.find(GetParam().key), std::string::npos) << error;
    if (const ConditionField* field = conditionFieldOfKey(GetParam().key)) {
        EXPECT_NE(error.find(field->name), std::string::npos) << error;
    }
    EXPECT_EQ(error.find("json."), std::string::npos) << error;
    EXPECT_TRUE(HasChinese(error.substr(leading.size()))) << error;
}

INSTANTIATE_TEST_SUITE_P(rows, HostileSchemes, ::testing::ValuesIn(kHostileSchemes),
    [](const auto& info) { return std::string(info.param.name); });
