#include "core/code/Code.h"

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
    { 0, 0, 0, 0, 2, 0, 0, 0, "300", "300", 0, 0, 0, 0 },
    { 999, 9, 9, 9, 2, 0, 27, 7, "003", "300", 3, 7, 3, 7 },
    { 90, 0, 9, 0, 1, 1, 9, 9, "201", "300", 1, 2, 1, 2 },
    { 19, 0, 9, 0, 0, 2, 10, 0, "201", "210", 2, 3, 1, 1 },
    { 890, 0, 9, 0, 0, 2, 17, 7, "102", "201", 1, 2, 2, 6 },
    { 123, 1, 3, 1, 0, 2, 6, 6, "210", "111", 2, 5, 0, 0 },
    { 112, 1, 2, 1, 1, 1, 4, 4, "300", "021", 2, 6, 0, 0 },
    { 505, 0, 5, 5, 1, 0, 10, 0, "120", "102", 2, 5, 2, 5 },
    { 7, 0, 7, 0, 1, 0, 7, 7, "201", "210", 1, 1, 1, 1 },
    { 147, 1, 7, 1, 0, 0, 12, 2, "111", "030", 2, 5, 1, 1 },
};

} // namespace

TEST(CodeAttributes, TableRows)
{
    for (const AttributeRow& r : kAttributeRows) {
        SCOPED_TRACE(codeText(r.code));
        EXPECT_EQ(minOfCode(r.code), r.min);
        EXPECT_EQ(maxOfCode(r.code), r.max);
        EXPECT_EQ(mostNumOfCode(r.code), r.most);
        EXPECT_EQ(repeatOfCode(r.code), r.repeat);
        EXPECT_EQ(linkOfCode(r.code), r.link);
        EXPECT_EQ(sumOfCode(r.code, false), r.sum);
        EXPECT_EQ(sumOfCode(r.code, true), r.tail);
        EXPECT_EQ(smbOfCode(r.code), r.smb);
        EXPECT_EQ(routeOfCode(r.code), r.route);
        EXPECT_EQ(oddCountOfCode(r.code), r.oddCount);
        EXPECT_EQ(oddMaskOfCode(r.code), r.oddMask);
        EXPECT_EQ(bigCountOfCode(r.code), r.bigCount);
        EXPECT_EQ(bigMaskOfCode(r.code), r.bigMask);
    }
}

TEST(CodeAttributes, CountsOverAllCodes)
{
    int types[3] = {}, links[3] = {};
    for (int c = 0; c < 1000; ++c) {
        ++types[repeatOfCode(c)];
        ++links[linkOfCode(c)];
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
        const int smb = ratioPatternIndex(smbOfCode(c));
        ASSERT_GE(smb, 0) << c;
        ASSERT_GE(ratioPatternIndex(routeOfCode(c)), 0) << c;
        ++smbCodes[smb];
    }
    EXPECT_EQ(smbCodes[0], 27); // "300": three small digits of 0..2
    EXPECT_EQ(ratioPatternIndex("003"), 9);
    EXPECT_EQ(ratioPatternIndex("400"), -1);
    EXPECT_EQ(ratioPatternIndex(""), -1);
}

TEST(CodeAttributes, LinkWrapsNineToZero)
{
    for (int code : { 123, 19, 89 })
        EXPECT_EQ(linkOfCode(code), 2) << code;
    for (int code : { 112, 90, 100, 909 })
        EXPECT_EQ(linkOfCode(code), 1) << code;
    for (int code : { 0, 135, 505 })
        EXPECT_EQ(linkOfCode(code), 0) << code;
}

TEST(CodeDigits, TextAndPositions)
{
    EXPECT_EQ(codeText(0), "000");
    EXPECT_EQ(codeText(7), "007");
    EXPECT_EQ(codeText(90), "090");
    EXPECT_EQ(digitAt(7, 1), 0);
    EXPECT_EQ(digitAt(7, 3), 7);
    EXPECT_EQ(digitCharAt(345, 2), '4');
    for (int code = 0; code < 1000; ++code)
        for (int pos = 1; pos <= 3; ++pos)
            ASSERT_EQ(digitAt(code, pos), codeText(code)[pos - 1] - '0');
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
    EXPECT_EQ(message([] { digitAt(5, 0); }), "NumOfCode Error!");
    EXPECT_EQ(message([] { digitAt(5, 4); }), "NumOfCode Error!");
    EXPECT_EQ(message([] { digitCharAt(5, 4); }), "ChrOfCode Error!");
    EXPECT_EQ(message([] { digitCharAt(5, 0); }), "ChrOfCode Error!");
}

TEST(CodeDigits, ZeroPadded)
{
    EXPECT_EQ(zeroPadded(5, 3), "005");
    EXPECT_EQ(zeroPadded(1234, 3), "1234");
    EXPECT_EQ(zeroPadded(2004, 4), "2004");
}

TEST(CodeNumbers, Classes)
{
    EXPECT_TRUE(isBigNum(5));
    EXPECT_FALSE(isBigNum(4));
    EXPECT_TRUE(isBigNum(15));
    EXPECT_EQ(smbOfNum(2), 0);
    EXPECT_EQ(smbOfNum(3), 1);
    EXPECT_EQ(smbOfNum(6), 1);
    EXPECT_EQ(smbOfNum(7), 2);
    EXPECT_EQ(smbOfNum(17), 2);
    EXPECT_TRUE(isOddNum(27));
    EXPECT_FALSE(isOddNum(10));
}

TEST(CodeText, PairAndDigitSearch)
{
    EXPECT_FALSE(codeHasPair(100, "23,56,78,34"));
    EXPECT_TRUE(codeHasPair(325, "23,56,78,34"));
    EXPECT_TRUE(codeHasPair(232, "23"));
    EXPECT_TRUE(codeHasPair(223, "22"));
    EXPECT_FALSE(codeHasPair(200, "22")); // one 2 cannot pair with itself
    EXPECT_TRUE(codeHasPair(135, "2356")); // raw text: inner neighbours 35
    EXPECT_FALSE(codeHasPair(123, ""));
    EXPECT_FALSE(codeHasNum(123, ""));
    EXPECT_TRUE(codeHasNum(123, "a,b 3"));
    EXPECT_FALSE(codeHasNum(123, "4,5,6"));
}

TEST(CodeText, HitCountUsesEachCharacterOnce)
{
    EXPECT_EQ(hitCountOfCode(112, "1259"), 2);
    EXPECT_EQ(hitCountOfCode(112, "1129"), 3);
    EXPECT_EQ(hitCountOfCode(555, "12557"), 2);
    EXPECT_EQ(hitCountOfCode(512, "12557"), 3);
    EXPECT_EQ(hitCountOfCode(512, ""), 0);
}

TEST(CodeText, splitByComma)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(splitByComma(""), V {});
    EXPECT_EQ(splitByComma(",a,,b,"), (V { "a", "b" }));
    EXPECT_EQ(splitByComma("abc"), V { "abc" });
    EXPECT_EQ(splitByComma(" \t2004123, 579,108 \r"), (V { "2004123", " 579", "108" }));
    EXPECT_EQ(splitByComma(",,,"), V {});
    EXPECT_EQ(splitByComma("  "), V {});
}
