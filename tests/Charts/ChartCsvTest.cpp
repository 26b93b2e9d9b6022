#include "Charts/ChartCsv.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(ChartCsv, FieldsQuotedOnlyWhenNeeded)
{
    struct Row {
        const char* name;
        const char* text;
        const char* field;
    };
    const Row rows[] = {
        {"plain", "合计", "合计"},
        {"empty", "", ""},
        {"blank kept", " a ", " a "},
        {"comma", "a,b", "\"a,b\""},
        {"quote doubled", "say \"hi\"", "\"say \"\"hi\"\"\""},
        {"line feed", "a\nb", "\"a\nb\""},
        {"carriage return", "a\rb", "\"a\rb\""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(CsvField(r.text), r.field);
    }
}

TEST(ChartCsv, MergedCaptionsShowInTheFixedRowsOnly)
{
    TH2NetModel net;
    net.SetGridSize(3, 2, 2, {10, 10, 10});
    net.SetValue(1, 1, "百");
    net.SetValue(1, 2, "十");
    net.SetValue(2, 0, "x,y");
    net.SetValue(3, 2, "9");
    net.SetMergeCount(4);
    net.SetMerge(0, true, 0, 0, 0, 1, "期号", net.FixColor());
    net.SetMerge(1, true, 1, 0, 2, 0, "first", net.FixColor());
    net.SetMerge(2, true, 2, 0, 2, 0, "last wins", net.FixColor());
    net.SetMerge(3, false, 0, 0, 2, 3, "inactive", net.FixColor());
    EXPECT_EQ(GridToCsv(net, false), "期号,first,last wins\n"
                                     "期号,百,十\n"
                                     "\"x,y\",,\n"
                                     ",,9\n");
}

TEST(ChartCsv, ColoursAsLowerCaseHex)
{
    TH2NetModel net;
    net.SetGridSize(2, 1, 1, {10, 10});
    net.SetCellColor(1, 0, TColor::Rgb(0xAB, 0x0C, 0xFF));
    net.SetCellColor(1, 1, TColor::Rgb(0, 0, 0));
    net.SetMergeCount(1);
    net.SetMerge(0, true, 0, 0, 1, 0, "caption", net.FixColor());
    EXPECT_EQ(GridToCsv(net, true), ",\n#ab0cff,#000000\n");
}

TEST(ChartCsv, EmptyGrid)
{
    const TH2NetModel net;
    EXPECT_EQ(GridToCsv(net, false), "");
}
