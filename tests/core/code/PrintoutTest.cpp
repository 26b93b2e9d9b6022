#include "core/code/Printout.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(Printout, HeaderThenEveryLine)
{
    const std::vector<std::string> lines = { "缩水结果有2注", "", "001,002,", "" };
    const std::vector<std::string> printout = printoutLines(lines, { 2026, 12, 7, 9, 5, 3 });
    ASSERT_EQ(printout.size(), 5u);
    EXPECT_EQ(printout[0], "Velmora 号码打印，时间:2026.12.07 09:05:03");
    EXPECT_EQ(std::vector<std::string>(printout.begin() + 1, printout.end()), lines);
}

TEST(Printout, EmptyMemoPrintsOnlyTheHeader)
{
    EXPECT_EQ(printoutLines({}, { 2027, 1, 31, 23, 59, 59 }),
        std::vector<std::string> { "Velmora 号码打印，时间:2027.01.31 23:59:59" });
}
