// The multi-check control's cell geometry, without a window or an application object.
#include "widgets/MultiCheckLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using velmora::CellRect;
using velmora::GridExtent;
using velmora::MultiCheckLayout;
using velmora::MultiCheckMove;

namespace {

MultiCheckLayout layoutOf(int count, int capWidth, int cols)
{
    MultiCheckLayout layout;
    layout.count = count;
    layout.capWidth = capWidth;
    layout.cols = cols;
    return layout;
}

} // namespace

TEST(MultiCheckLayout, GridSize)
{
    struct Row {
        const char* name;
        int count, capWidth, cols, rows;
        GridExtent size;
    };
    const std::vector<Row> rows = {
        { "no items", 0, 26, 3, 0, { 141, 3 } },
        { "no columns", 5, 26, 0, 0, { 3, 3 } },
        { "one item", 1, 26, 3, 1, { 141, 20 } },
        { "ten digits", 10, 10, 10, 1, { 303, 20 } },
        { "thirty sums", 30, 14, 10, 3, { 343, 54 } },
        { "ten patterns in five", 10, 50, 5, 2, { 353, 37 } },
        { "partial last row", 10, 14, 4, 3, { 139, 54 } },
    };
    for (const Row& row : rows) {
        const MultiCheckLayout layout = layoutOf(row.count, row.capWidth, row.cols);
        EXPECT_EQ(layout.rows(), row.rows) << row.name;
        EXPECT_EQ(layout.gridSize(), row.size) << row.name;
    }
}

TEST(MultiCheckLayout, CellRectangles)
{
    const MultiCheckLayout digits = layoutOf(10, 10, 10);
    EXPECT_EQ(digits.chkRect(0), (CellRect { 3, 3, 14, 14 }));
    EXPECT_EQ(digits.capRect(0), (CellRect { 20, 3, 10, 14 }));
    EXPECT_EQ(digits.chkRect(9).left, 273);

    MultiCheckLayout sums = layoutOf(30, 14, 10);
    EXPECT_EQ(sums.chkRect(10), (CellRect { 3, 20, 14, 14 }));
    EXPECT_EQ(sums.capRect(29), (CellRect { 9 * 34 + 20, 37, 14, 14 }));
}

TEST(MultiCheckLayout, HitTest)
{
    struct Row {
        const char* name;
        int x, y, item;
    };
    // Ten items, caption width 10, ten columns: item 0 is (3..16, 3..16) and (20..29, 3..16).
    const std::vector<Row> rows = {
        { "left margin", 1, 5, -1 },
        { "check cell corner", 3, 3, 0 },
        { "check cell last pixel", 16, 16, 0 },
        { "gap after check cell", 18, 5, -1 },
        { "caption cell", 25, 10, 0 },
        { "caption cell right edge is outside", 30, 10, -1 },
        { "bottom edge is outside", 5, 17, -1 },
        { "negative point", -1, -1, -1 },
        { "second item check", 33, 5, 1 },
        { "last item caption", 292, 5, 9 },
    };
    const MultiCheckLayout layout = layoutOf(10, 10, 10);
    for (const Row& row : rows)
        EXPECT_EQ(layout.itemAt(row.x, row.y), row.item) << row.name;
    EXPECT_EQ(layoutOf(0, 10, 10).itemAt(5, 5), -1) << "no items";
}

TEST(MultiCheckLayout, MovedFocus)
{
    struct Row {
        const char* name;
        int start;
        MultiCheckMove move;
        int expected;
    };
    // Ten items in four columns.
    const std::vector<Row> rows = {
        { "left at first item", 0, MultiCheckMove::Left, 0 },
        { "right at last item", 9, MultiCheckMove::Right, 9 },
        { "up in first row", 2, MultiCheckMove::Up, 2 },
        { "down below the last item", 6, MultiCheckMove::Down, 6 },
        { "down into short last row", 5, MultiCheckMove::Down, 9 },
        { "right wraps to next row", 3, MultiCheckMove::Right, 4 },
        { "left wraps to previous row", 4, MultiCheckMove::Left, 3 },
        { "up from second row", 6, MultiCheckMove::Up, 2 },
    };
    const MultiCheckLayout layout = layoutOf(10, 14, 4);
    for (const Row& row : rows)
        EXPECT_EQ(velmora::movedFocus(layout, row.start, row.move), row.expected) << row.name;
}
