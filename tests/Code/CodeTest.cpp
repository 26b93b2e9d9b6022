#include "Code/Code.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

struct AttributeRow {
    int code;
    int min, max, most, repeat, link, sum, tail;
    const char* smb;
    const char* route;
    int oddCount, oddMask, bigCount, bigMask;
};

const AttributeRow kAttributeRows[] = {
    {0, 0, 0, 0, 2, 0, 0, 0, "300", "300", 0, 0, 0, 0},
    {999, 9, 9, 9, 2, 0, 27, 7, "003", "300", 3, 7, 3, 7},
    {90, 0, 9, 0, 1, 1, 9, 9, "201", "300", 1, 2, 1, 2},
    {19, 0, 9, 0, 0, 2, 10, 0, "201", "210", 2, 3, 1, 1},
    {890, 0, 9, 0, 0, 2, 17, 7, "102", "201", 1, 2, 2, 6},
    {123, 1, 3, 1, 0, 2, 6, 6, "210", "111", 2, 5, 0, 0},
    {112, 1, 2, 1, 1, 1, 4, 4, "300", "021", 2, 6, 0, 0},
    {505, 0, 5, 5, 1, 0, 10, 0, "120", "102", 2, 5, 2, 5},
    {7, 0, 7, 0, 1, 0, 7, 7, "201", "210", 1, 1, 1, 1},
    {147, 1, 7, 1, 0, 0, 12, 2, "111", "030", 2, 5, 1, 1},
};

} // namespace

TEST(CodeAttributes, TableRows)
{
    for (const AttributeRow& r : kAttributeRows) {
        SCOPED_TRACE(StrOfCode(r.code));
        EXPECT_EQ(MinOfCode(r.code), r.min);
        EXPECT_EQ(MaxOfCode(r.code), r.max);
        EXPECT_EQ(MostNumOfCode(r.code), r.most);
        EXPECT_EQ(RepeatOfCode(r.code), r.repeat);
        EXPECT_EQ(LinkOfCode(r.code), r.link);
        EXPECT_EQ(SumOfCode(r.code, false), r.sum);
        EXPECT_EQ(SumOfCode(r.code, true), r.tail);
        EXPECT_EQ(SmbOfCode(r.code), r.smb);
        EXPECT_EQ(RouteOfCode(r.code), r.route);
        EXPECT_EQ(OddCountOfCode(r.code), r.oddCount);
        EXPECT_EQ(OddMaskOfCode(r.code), r.oddMask);
        EXPECT_EQ(BigCountOfCode(r.code), r.bigCount);
        EXPECT_EQ(BigMaskOfCode(r.code), r.bigMask);
    }
}

TEST(CodeAttributes, CountsOverAllCodes)
{
    int types[3] = {}, links[3] = {};
    for (int c = 0; c < 1000; ++c) {
        ++types[RepeatOfCode(c)];
        ++links[LinkOfCode(c)];
    }
    EXPECT_EQ(types[0], 720);
    EXPECT_EQ(types[1], 270);
    EXPECT_EQ(types[2], 10);
    EXPECT_EQ(links[0], 520);
    EXPECT_EQ(links[1], 420);
    EXPECT_EQ(links[2], 60);
}

TEST(CodeAttributes, EveryPatternIsOneOfTheTen)
{
    int smbCodes[10] = {};
    for (int c = 0; c < 1000; ++c) {
        const int smb = RatioPatternIndex(SmbOfCode(c));
        ASSERT_GE(smb, 0) << c;
        ASSERT_GE(RatioPatternIndex(RouteOfCode(c)), 0) << c;
        ++smbCodes[smb];
    }
    EXPECT_EQ(smbCodes[0], 27); // "300": three small digits of 0..2
    EXPECT_EQ(RatioPatternIndex("003"), 9);
    EXPECT_EQ(RatioPatternIndex("400"), -1);
    EXPECT_EQ(RatioPatternIndex(""), -1);
}

TEST(CodeAttributes, LinkWrapsNineToZero)
{
    for (int code : {123, 19, 89})
        EXPECT_EQ(LinkOfCode(code), 2) << code;
    for (int code : {112, 90, 100, 909})
        EXPECT_EQ(LinkOfCode(code), 1) << code;
    for (int code : {0, 135, 505})
        EXPECT_EQ(LinkOfCode(code), 0) << code;
}

TEST(CodeDigits, TextAndPositions)
{
    EXPECT_EQ(StrOfCode(0), "000");
    EXPECT_EQ(StrOfCode(7), "007");
    EXPECT_EQ(StrOfCode(90), "090");
    EXPECT_EQ(NumOfCode(7, 1), 0);
    EXPECT_EQ(NumOfCode(7, 3), 7);
    EXPECT_EQ(ChrOfCode(345, 2), '4');
    for (int code = 0; code < 1000; ++code)
        for (int pos = 1; pos <= 3; ++pos)
            ASSERT_EQ(NumOfCode(code, pos), StrOfCode(code)[pos - 1] - '0');
}

TEST(CodeDigits, PositionErrors)
{
    auto message = [](auto fn) {
        try {
            fn();
        } catch (const CodeError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([] { NumOfCode(5, 0); }), "NumOfCode Error!");
    EXPECT_EQ(message([] { NumOfCode(5, 4); }), "NumOfCode Error!");
    EXPECT_EQ(message([] { ChrOfCode(5, 4); }), "ChrOfCode Error!");
    EXPECT_EQ(message([] { ChrOfCode(5, 0); }), "ChrOfCode Error!");
}

TEST(CodeDigits, IntToPadStr)
{
    EXPECT_EQ(IntToPadStr(5, 3, true), "005");
    EXPECT_EQ(IntToPadStr(1234, 3, true), "1234");
    EXPECT_EQ(IntToPadStr(5, 3, false), "  5");
    EXPECT_EQ(IntToPadStr(2004, 4, true), "2004");
}

TEST(CodeNumbers, Classes)
{
    EXPECT_TRUE(IsBigNum(5));
    EXPECT_FALSE(IsBigNum(4));
    EXPECT_TRUE(IsBigNum(15));
    EXPECT_EQ(SmbOfNum(2), 0);
    EXPECT_EQ(SmbOfNum(3), 1);
    EXPECT_EQ(SmbOfNum(6), 1);
    EXPECT_EQ(SmbOfNum(7), 2);
    EXPECT_EQ(SmbOfNum(17), 2);
    EXPECT_TRUE(IsOddNum(27));
    EXPECT_FALSE(IsOddNum(10));
}

TEST(CodeText, PairAndDigitSearch)
{
    EXPECT_FALSE(CodeHasPair(100, "23,56,78,34"));
    EXPECT_TRUE(CodeHasPair(325, "23,56,78,34"));
    EXPECT_TRUE(CodeHasPair(232, "23"));
    EXPECT_TRUE(CodeHasPair(223, "22"));
    EXPECT_FALSE(CodeHasPair(200, "22")); // one 2 cannot pair with itself
    EXPECT_TRUE(CodeHasPair(135, "2356")); // raw text: inner neighbours 35
    EXPECT_FALSE(CodeHasPair(123, ""));
    EXPECT_FALSE(CodeHasNum(123, ""));
    EXPECT_TRUE(CodeHasNum(123, "a,b 3"));
    EXPECT_FALSE(CodeHasNum(123, "4,5,6"));
}

TEST(CodeText, HitCountUsesEachCharacterOnce)
{
    EXPECT_EQ(HitCountOfCode(112, "1259"), 2);
    EXPECT_EQ(HitCountOfCode(112, "1129"), 3);
    EXPECT_EQ(HitCountOfCode(555, "12557"), 2);
    EXPECT_EQ(HitCountOfCode(512, "12557"), 3);
    EXPECT_EQ(HitCountOfCode(512, ""), 0);
}

TEST(CodeText, SplitByComma)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitByComma(""), V{});
    EXPECT_EQ(SplitByComma(",a,,b,"), (V{"a", "b"}));
    EXPECT_EQ(SplitByComma("abc"), V{"abc"});
    EXPECT_EQ(SplitByComma(" \t2004123, 579,108 \r"), (V{"2004123", " 579", "108"}));
    EXPECT_EQ(SplitByComma(",,,"), V{});
    EXPECT_EQ(SplitByComma("  "), V{});
}
