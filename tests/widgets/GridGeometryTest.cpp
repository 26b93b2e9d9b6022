// The grid view's pixel and scroll arithmetic, without a window or an application object.
#include "widgets/GridGeometry.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace velmora;

namespace {

// Three columns (66, 20, 20) of `dynRows` data rows below `fixRows` fixed rows, laid
// out for a viewport `clientHeight` high.
GridGeometry LaidOut(int dynRows, int clientHeight, int fixRows = 2)
{
    GridModel grid;
    grid.setGridSize(3, dynRows, fixRows, { 66, 20, 20 });
    GridGeometry geometry;
    geometry.setClientHeight(clientHeight);
    geometry.layOut(grid);
    return geometry;
}

} // namespace

TEST(GridGeometry, StartsEmpty)
{
    const GridGeometry geometry;
    EXPECT_EQ(geometry.topRow(), 0);
    EXPECT_EQ(geometry.visRows(), 0);
    EXPECT_EQ(geometry.rowHeight(), 20);
    EXPECT_EQ(geometry.lineWidth(), 1);
    EXPECT_EQ(geometry.pitch(), 21);
    EXPECT_TRUE(geometry.colWidths().empty());
    EXPECT_TRUE(geometry.gridRect().isEmpty());
}

TEST(GridGeometry, LayoutFromClientHeight)
{
    struct Row {
        const char* name;
        int clientHeight, fixRows, dynRows;
        int visRows, scrollMax;
    };
    const Row rows[] = {
        { "no window", 0, 2, 30, 0, 30 },
        { "55 px leaves 42: no data row", 55, 2, 30, 0, 30 },
        { "56 px shows one", 56, 2, 30, 1, 29 },
        { "150 px shows five", 150, 2, 30, 5, 25 },
        { "22 of 30 rows scroll 0..8", 500, 2, 30, 22, 8 },
        { "fewer rows than shown", 500, 2, 10, 22, 0 },
        { "fixed rows taller than the window", 40, 3, 30, 0, 30 },
        { "no fixed rows: 137 px show seven", 150, 0, 100, 7, 93 },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const GridGeometry geometry = LaidOut(r.dynRows, r.clientHeight, r.fixRows);
        EXPECT_EQ(geometry.visRows(), r.visRows);
        EXPECT_EQ(geometry.scrollMax(), r.scrollMax);
    }
}

TEST(GridGeometry, ScrollCommands)
{
    struct Row {
        const char* name;
        int start;
        ScrollCommand cmd;
        int position;
        int expected;
    };
    const Row rows[] = {
        { "line up at 0 stays", 0, ScrollCommand::LineUp, 0, 0 },
        { "line down at the end stays", 8, ScrollCommand::LineDown, 0, 8 },
        { "line down", 3, ScrollCommand::LineDown, 0, 4 },
        { "line up", 3, ScrollCommand::LineUp, 0, 2 },
        { "page down from 5 stops at 8", 5, ScrollCommand::PageDown, 0, 8 },
        { "page up from 5 stops at 0", 5, ScrollCommand::PageUp, 0, 0 },
        { "thumb position", 0, ScrollCommand::ThumbPosition, 6, 6 },
        { "thumb track", 1, ScrollCommand::ThumbTrack, 7, 7 },
        { "thumb below the range is ignored", 4, ScrollCommand::ThumbPosition, -1, 4 },
        { "thumb past the range stops at the end", 4, ScrollCommand::ThumbTrack, 50, 8 },
        { "top", 6, ScrollCommand::Top, 0, 0 },
        { "bottom", 2, ScrollCommand::Bottom, 0, 8 },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        GridGeometry geometry = LaidOut(30, 500);
        ASSERT_EQ(geometry.visRows(), 22);
        geometry.scroll(ScrollCommand::ThumbPosition, r.start);
        ASSERT_EQ(geometry.topRow(), r.start);
        EXPECT_EQ(geometry.scroll(r.cmd, r.position), r.expected);
        EXPECT_EQ(geometry.topRow(), r.expected);
    }
}

TEST(GridGeometry, PageStepIsTheVisibleRowCount)
{
    GridGeometry geometry = LaidOut(100, 150);
    ASSERT_EQ(geometry.visRows(), 5);
    EXPECT_EQ(geometry.scroll(ScrollCommand::PageDown), 5);
    EXPECT_EQ(geometry.scroll(ScrollCommand::PageDown), 10);
    EXPECT_EQ(geometry.scroll(ScrollCommand::PageUp), 5);
}

TEST(GridGeometry, CellRectangles)
{
    GridModel grid;
    grid.setGridSize(3, 10, 2, { 66, 20, 30 });
    GridGeometry geometry;
    geometry.layOut(grid);
    EXPECT_EQ(geometry.colLeft(0), 1);
    EXPECT_EQ(geometry.colLeft(1), 68);
    EXPECT_EQ(geometry.colLeft(2), 89);
    EXPECT_EQ(geometry.colLeft(3), 120); // one line width past the last interior
    EXPECT_EQ(geometry.rowTop(0, false), 1);
    EXPECT_EQ(geometry.rowTop(2, false), 43);
    EXPECT_EQ(geometry.rectOfCell(1, 2, false), (GridRect { 89, 22, 119, 42 }));

    geometry.setClientHeight(150);
    geometry.scroll(ScrollCommand::ThumbPosition, 3);
    // Data row fixRowCount() + topRow() sits right below the fixed rows.
    EXPECT_EQ(geometry.rowTop(5, true), geometry.rowTop(2, false));
    EXPECT_EQ(geometry.rectOfCell(5, 0, true), (GridRect { 1, 43, 67, 63 }));
    EXPECT_EQ(geometry.rectOfCell(1, 0, false), (GridRect { 1, 22, 67, 42 }));
    // All columns, the fixed rows and the 5 visible data rows.
    EXPECT_EQ(geometry.gridRect(), (GridRect { 1, 1, 119, 1 + 6 * 21 + 20 }));
}

TEST(GridGeometry, MergeOverTwoFixedRowsCoversTheLineBetween)
{
    GridModel grid;
    grid.setGridSize(2, 1, 2, { 66, 20 });
    GridGeometry geometry;
    geometry.layOut(grid);
    const GridRect area = geometry.rectOfCell(0, 0, false).united(geometry.rectOfCell(1, 0, false));
    EXPECT_EQ(area, (GridRect { 1, 1, 67, 42 }));
    const int lineBetween = geometry.rowTop(1, false) - geometry.lineWidth();
    EXPECT_GT(lineBetween, area.top);
    EXPECT_LT(lineBetween, area.bottom);
}

TEST(GridGeometry, IndexErrorsReportExactTexts)
{
    using Op = void (*)(const GridGeometry&);
    struct Row {
        const char* name;
        Op op;
        std::vector<std::string> messages;
    };
    const Row rows[] = {
        { "RectOfCell column",
            [](const GridGeometry& g) { EXPECT_TRUE(g.rectOfCell(0, 3, false).isEmpty()); },
            { "RectOfCell ACol>Length(FColWidthArr)" } },
        { "ColLeft at the column count is valid", [](const GridGeometry& g) { g.colLeft(3); }, {} },
        { "ColLeft past it", [](const GridGeometry& g) { g.colLeft(4); }, { "ACol>Length(FColWidthArr)" } },
        { "a negative column is ignored quietly",
            [](const GridGeometry& g) { EXPECT_TRUE(g.rectOfCell(0, -1, false).isEmpty()); }, {} },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        GridGeometry geometry = LaidOut(2, 150);
        std::vector<std::string> messages;
        geometry.setMessageFn([&messages](const std::string& m) { messages.push_back(m); });
        r.op(geometry);
        EXPECT_EQ(messages, r.messages);
    }
}

// A rebuild keeps the scroll position where it still fits and pulls it back where not.
TEST(GridGeometry, RebuildPullsTheScrollPositionIntoRange)
{
    GridModel grid;
    grid.setGridSize(3, 10000, 2, { 66, 20, 20 });
    GridGeometry geometry;
    geometry.setClientHeight(150);
    geometry.layOut(grid);
    geometry.scroll(ScrollCommand::ThumbPosition, 40);

    grid.setGridSize(4, 50, 2, { 10, 11 });
    geometry.layOut(grid);
    EXPECT_EQ(geometry.topRow(), 40);
    EXPECT_EQ(geometry.colWidths(), (std::vector<int> { 10, 11, 0, 0 }));

    geometry.scroll(ScrollCommand::Bottom);
    grid.setGridSize(3, 31, 2, { 66, 20, 20 });
    geometry.layOut(grid);
    EXPECT_EQ(geometry.scrollMax(), 26);
    EXPECT_EQ(geometry.topRow(), 26);

    grid.setGridSize(3, 3, 2, { 66, 20, 20 });
    geometry.layOut(grid);
    EXPECT_EQ(geometry.topRow(), 0);
}

TEST(GridGeometry, PaintsOnlyTheRowsThatFit)
{
    GridGeometry geometry = LaidOut(10000, 150);
    EXPECT_EQ(geometry.firstPaintRow(), 2);
    EXPECT_EQ(geometry.endPaintRow(), 7);
    geometry.scroll(ScrollCommand::ThumbPosition, 500);
    EXPECT_EQ(geometry.firstPaintRow(), 502);
    EXPECT_EQ(geometry.endPaintRow(), 507);
    geometry.scroll(ScrollCommand::Bottom);
    EXPECT_EQ(geometry.endPaintRow(), 10002);

    const GridGeometry shortGrid = LaidOut(3, 150);
    EXPECT_EQ(shortGrid.endPaintRow() - shortGrid.firstPaintRow(), 3);
}

// Columns fitted to their texts at the layout pass: with a fixed width per character
// (digits 8, other ASCII 5, anything else 16) and 2 pixels of padding.
TEST(GridGeometry, LayoutPassFitsColumnsToTheirWidestText)
{
    const auto charWidth = [](char32_t c) { return c >= U'0' && c <= U'9' ? 8 : c < 0x80 ? 5 : 16; };
    struct Row {
        const char* name;
        std::vector<std::pair<int, std::string>> texts; // (column, text), in rows 2 and 3 by turns
        std::vector<int> widths; // after the layout pass
    };
    const Row rows[] = {
        { "no texts keep the given widths", {}, { 20, 10, 30 } },
        { "texts that fit change nothing", { { 0, "12" }, { 2, "abc" } }, { 20, 10, 30 } },
        { "a wider text widens only its column", { { 1, "8684" } }, { 20, 34, 30 } },
        { "the widest text of a column counts", { { 1, "1" }, { 1, "123" } }, { 20, 26, 30 } },
        { "wide characters by their own width", { { 0, "合计" } }, { 34, 10, 30 } },
        { "a malformed byte is one replacement character", { { 0, "\xff\xfe" } }, { 34, 10, 30 } },
        { "each byte of a cut sequence is one replacement character", { { 2, "\xe5\x90" } }, { 20, 10, 34 } },
        { "each byte of an overlong '1' is one replacement character", { { 1, "\xc0\xb1" } },
            { 20, 34, 30 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GridModel grid;
        grid.setGridSize(3, 2, 2, { 20, 10, 30 });
        for (std::size_t i = 0; i < row.texts.size(); ++i)
            grid.setValue(2 + static_cast<int>(i % 2), row.texts[i].first, row.texts[i].second);
        GridGeometry geometry;
        geometry.setCharWidthFn(charWidth, 2);
        geometry.layOut(grid);
        EXPECT_EQ(geometry.colWidths(), row.widths);
    }
}

TEST(GridGeometry, FittingFollowsRebuildsMergesAndTheWidthFunction)
{
    GridModel grid;
    grid.setGridSize(3, 1, 2, { 20, 10, 30 });
    grid.setValue(2, 1, "123456");
    GridGeometry geometry;
    geometry.layOut(grid);
    EXPECT_EQ(geometry.colWidths(), (std::vector<int> { 20, 10, 30 }))
        << "no width function: widths as given";

    geometry.setCharWidthFn([](char32_t) { return 8; }, 2);
    geometry.layOut(grid);
    EXPECT_EQ(geometry.colWidths(), (std::vector<int> { 20, 50, 30 }));
    EXPECT_EQ(geometry.gridRect().right, geometry.colLeft(2) + 30)
        << "the geometry follows the fitted widths";

    // A caption across columns 0 and 1 wider than both (and the line between) widens the last.
    grid.setMergeCount(1);
    grid.setMerge(0, true, 0, 0, 1, 0, "0123456789", grid.fixColor());
    geometry.layOut(grid);
    EXPECT_EQ(geometry.colWidths(), (std::vector<int> { 20, 61, 30 }));

    // A smaller font narrows the columns again, never below the given widths.
    geometry.setCharWidthFn([](char32_t) { return 1; }, 0);
    geometry.layOut(grid);
    EXPECT_EQ(geometry.colWidths(), (std::vector<int> { 20, 10, 30 }));

    // A rebuild starts from its own widths and texts.
    geometry.setCharWidthFn([](char32_t) { return 8; }, 2);
    grid.setGridSize(2, 1, 2, { 5, 6 });
    grid.setMergeCount(0);
    grid.setValue(2, 0, "1");
    geometry.layOut(grid);
    EXPECT_EQ(geometry.colWidths(), (std::vector<int> { 10, 6 }));
    EXPECT_EQ(geometry.textWidth("ab合"), 24);
}
