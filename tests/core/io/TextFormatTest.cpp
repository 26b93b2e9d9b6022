#include "core/io/TextFormat.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(TextFormat, RatesRoundHalfAwayFromZero)
{
    const struct {
        long long a, b;
        const char* rate;
        const char* average;
    } rows[] = {
        { 1, 0, "0.0%", "0.0" }, // nothing to divide by
        { 0, 5, "0.0%", "0.0" }, { 2, 3, "66.7%", "0.7" }, { 1, 8, "12.5%", "0.1" }, { 1, 16, "6.3%", "0.1" },
        { 1, 3, "33.3%", "0.3" }, { 1, 20, "5.0%", "0.1" }, // 0.05 rounds up
        { 1, 40, "2.5%", "0.0" }, // 0.025 rounds down
        { 5, 5, "100.0%", "1.0" }, { 1246, 5, "24920.0%", "249.2" }, { 999, 1000, "99.9%", "1.0" },
        { 1999, 2000, "100.0%", "1.0" }, // 99.95 rounds up
    };
    for (const auto& row : rows) {
        EXPECT_EQ(formatRate(row.a, row.b), row.rate) << row.a << "/" << row.b;
        EXPECT_EQ(formatAverage(row.a, row.b), row.average) << row.a << "/" << row.b;
    }
}

TEST(TextFormat, FieldsQuotedOnlyWhenNeeded)
{
    struct Row {
        const char* name;
        const char* text;
        const char* field;
    };
    const Row rows[] = {
        { "plain", "合计", "合计" },
        { "empty", "", "" },
        { "blank kept", " a ", " a " },
        { "comma", "a,b", "\"a,b\"" },
        { "quote doubled", "say \"hi\"", "\"say \"\"hi\"\"\"" },
        { "line feed", "a\nb", "\"a\nb\"" },
        { "carriage return", "a\rb", "\"a\rb\"" },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(csvField(r.text), r.field);
    }
}

TEST(TextFormat, CutForMessageKeepsSixtyCharactersOfValidUtf8)
{
    std::string sixtyChinese;
    for (int i = 0; i < 60; ++i)
        sixtyChinese += "号";
    const struct {
        const char* name;
        std::string text;
        std::string cut;
    } rows[] = {
        { "short", "2026", "2026" },
        { "sixty", std::string(60, 'a'), std::string(60, 'a') },
        { "sixty-one", std::string(61, 'a'), std::string(60, 'a') + "…" },
        { "characters, not bytes", sixtyChinese + "x", sixtyChinese + "…" },
        { "malformed byte",
            "a\xff"
            "b",
            "a\xEF\xBF\xBD"
            "b" },
        // A sequence cut short by the end of the text is one malformed byte each.
        { "truncated at the end", "a\xe6\xb3", "a\xEF\xBF\xBD\xEF\xBF\xBD" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(cutForMessage(row.text), row.cut) << row.name;
    EXPECT_EQ(cutForMessage(std::string(120000, '9')).size(), 60u + std::string("…").size());
}
