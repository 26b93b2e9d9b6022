#include "core/charts/ChartCsv.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(ChartCsv, MergedCaptionsShowInTheFixedRowsOnly)
{
    GridModel grid;
    grid.setGridSize(3, 2, 2, { 10, 10, 10 });
    grid.setValue(1, 1, "百");
    grid.setValue(1, 2, "十");
    grid.setValue(2, 0, "x,y");
    grid.setValue(3, 2, "9");
    grid.setMergeCount(4);
    grid.setMerge(0, true, 0, 0, 0, 1, "期号", grid.fixColor());
    grid.setMerge(1, true, 1, 0, 2, 0, "first", grid.fixColor());
    grid.setMerge(2, true, 2, 0, 2, 0, "last wins", grid.fixColor());
    grid.setMerge(3, false, 0, 0, 2, 3, "inactive", grid.fixColor());
    EXPECT_EQ(gridToCsv(grid, false),
        "期号,first,last wins\n"
        "期号,百,十\n"
        "\"x,y\",,\n"
        ",,9\n");
}

TEST(ChartCsv, ColoursAsLowerCaseHex)
{
    GridModel grid;
    grid.setGridSize(2, 1, 1, { 10, 10 });
    grid.setCellColor(1, 0, CellColor::rgb(0xAB, 0x0C, 0xFF));
    grid.setCellColor(1, 1, CellColor::rgb(0, 0, 0));
    grid.setMergeCount(1);
    grid.setMerge(0, true, 0, 0, 1, 0, "caption", grid.fixColor());
    EXPECT_EQ(gridToCsv(grid, true), ",\n#ab0cff,#000000\n");
}

TEST(ChartCsv, EmptyGrid)
{
    const GridModel grid;
    EXPECT_EQ(gridToCsv(grid, false), "");
}
