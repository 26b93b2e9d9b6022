#include "core/grid/GridModel.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace velmora;

namespace {

// A model that records the index-error texts it reports.
struct RecordingModel {
    RecordingModel()
    {
        grid.setMessageFn([this](const std::string& m) { messages.push_back(m); });
    }
    GridModel grid;
    std::vector<std::string> messages;
};

// Every text and colour of the grid, one line per row, for before/after comparisons.
std::string Dump(const GridModel& grid)
{
    std::string dump;
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.colsCount(); ++c) {
            const CellColor color = grid.getCellColor(r, c);
            dump += grid.getValue(r, c) + (color.isWindow() ? "/w" : "/" + std::to_string(color.red()));
            dump += '|';
        }
        dump += '\n';
    }
    return dump;
}

GridModel SizedModel(int dynRows, int clientHeight, int fixRows = 2)
{
    GridModel grid;
    grid.setGridSize(3, dynRows, fixRows, { 66, 20, 20 });
    grid.setClientHeight(clientHeight);
    grid.resize();
    return grid;
}

} // namespace

TEST(H2NetModel, StartsCleared)
{
    const GridModel grid;
    EXPECT_EQ(grid.colsCount(), 0);
    EXPECT_EQ(grid.dynRows(), 0);
    EXPECT_EQ(grid.fixRowCount(), 0);
    EXPECT_EQ(grid.topRow(), 0);
    EXPECT_EQ(grid.visRows(), 0);
    EXPECT_EQ(grid.rowHeight(), 20);
    EXPECT_EQ(grid.lineWidth(), 1);
    EXPECT_EQ(grid.pitch(), 21);
    EXPECT_EQ(grid.fixColor(), CellColor::rgb(228, 224, 243));
    EXPECT_EQ(grid.mergeCount(), 0);
    EXPECT_TRUE(grid.colWidths().empty());
    EXPECT_TRUE(grid.gridRect().isEmpty());
}

TEST(H2NetModel, WindowColourDiffersFromEveryRgb)
{
    EXPECT_FALSE(CellColor::rgb(255, 255, 255).isWindow());
    EXPECT_FALSE(CellColor::rgb(0, 0, 0).isWindow());
    EXPECT_NE(CellColor::Window(), CellColor::rgb(255, 255, 255));
    const CellColor c = CellColor::rgb(216, 90, 68);
    EXPECT_EQ(c.red(), 216);
    EXPECT_EQ(c.green(), 90);
    EXPECT_EQ(c.blue(), 68);
}

TEST(H2NetModel, LayoutFromClientHeight)
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
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const GridModel grid = SizedModel(r.dynRows, r.clientHeight, r.fixRows);
        EXPECT_EQ(grid.visRows(), r.visRows);
        EXPECT_EQ(grid.scrollMax(), r.scrollMax);
    }
}

TEST(H2NetModel, ScrollCommands)
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
        GridModel grid = SizedModel(30, 500);
        ASSERT_EQ(grid.visRows(), 22);
        grid.scroll(ScrollCommand::ThumbPosition, r.start);
        ASSERT_EQ(grid.topRow(), r.start);
        EXPECT_EQ(grid.scroll(r.cmd, r.position), r.expected);
        EXPECT_EQ(grid.topRow(), r.expected);
    }
}

TEST(H2NetModel, PageStepIsTheVisibleRowCount)
{
    GridModel grid = SizedModel(100, 150);
    ASSERT_EQ(grid.visRows(), 5);
    EXPECT_EQ(grid.scroll(ScrollCommand::PageDown), 5);
    EXPECT_EQ(grid.scroll(ScrollCommand::PageDown), 10);
    EXPECT_EQ(grid.scroll(ScrollCommand::PageUp), 5);
}

TEST(H2NetModel, Geometry)
{
    GridModel grid;
    grid.setGridSize(3, 10, 2, { 66, 20, 30 });
    EXPECT_EQ(grid.colLeft(0), 1);
    EXPECT_EQ(grid.colLeft(1), 68);
    EXPECT_EQ(grid.colLeft(2), 89);
    EXPECT_EQ(grid.colLeft(3), 120); // one line width past the last interior
    EXPECT_EQ(grid.rowTop(0, false), 1);
    EXPECT_EQ(grid.rowTop(2, false), 43);
    EXPECT_EQ(grid.rectOfCell(1, 2, false), (GridRect { 89, 22, 119, 42 }));

    grid.setClientHeight(150);
    grid.resize();
    grid.scroll(ScrollCommand::ThumbPosition, 3);
    // Data row FFixRowCount + FTopRow sits right below the fixed rows.
    EXPECT_EQ(grid.rowTop(5, true), grid.rowTop(2, false));
    EXPECT_EQ(grid.rectOfCell(5, 0, true), (GridRect { 1, 43, 67, 63 }));
    EXPECT_EQ(grid.rectOfCell(1, 0, false), (GridRect { 1, 22, 67, 42 }));
    // All columns, the fixed rows and the 5 visible data rows.
    EXPECT_EQ(grid.gridRect(), (GridRect { 1, 1, 119, 1 + 6 * 21 + 20 }));
}

TEST(H2NetModel, MergeOverTwoFixedRowsCoversTheLineBetween)
{
    GridModel grid;
    grid.setGridSize(2, 1, 2, { 66, 20 });
    grid.setMergeCount(1);
    grid.setMerge(0, true, 0, 0, 0, 1, "期号", grid.fixColor());
    const GridMerge& m = grid.mergeAt(0);
    const GridRect area
        = grid.rectOfCell(m.firstRow, m.firstCol, false).united(grid.rectOfCell(m.lastRow, m.lastCol, false));
    EXPECT_EQ(area, (GridRect { 1, 1, 67, 42 }));
    const int lineBetween = grid.rowTop(1, false) - grid.lineWidth();
    EXPECT_GT(lineBetween, area.top);
    EXPECT_LT(lineBetween, area.bottom);
}

TEST(H2NetModel, MergeRecords)
{
    GridModel grid;
    grid.setMergeCount(3);
    grid.setMerge(1, true, 4, 0, 13, 0, "分布图", CellColor::rgb(1, 2, 3));
    EXPECT_EQ(grid.mergeCount(), 3);
    EXPECT_FALSE(grid.mergeAt(0).active);
    EXPECT_EQ(grid.mergeAt(0).color, CellColor::Window());
    EXPECT_EQ(grid.mergeAt(1).text, "分布图");
    EXPECT_TRUE(grid.mergeAt(1).covers(0, 13));
    EXPECT_FALSE(grid.mergeAt(1).covers(1, 13));
    grid.mergeAt(2).text = "written through";
    EXPECT_EQ(grid.merges()[2].text, "written through");

    grid.setMerge(3, true, 0, 0, 0, 0, "past the end", CellColor::Window());
    grid.setMerge(-1, true, 0, 0, 0, 0, "before the start", CellColor::Window());
    EXPECT_THROW(grid.mergeAt(3), std::out_of_range);
    EXPECT_THROW(grid.mergeAt(-1), std::out_of_range);

    grid.setMergeCount(1);
    EXPECT_EQ(grid.mergeCount(), 1);
    EXPECT_FALSE(grid.mergeAt(0).active);
    EXPECT_TRUE(grid.mergeAt(0).text.empty());
    grid.setMergeCount(-2);
    EXPECT_EQ(grid.mergeCount(), 0);
}

TEST(H2NetModel, IndexErrorsReportExactTextsAndTouchNothing)
{
    using Op = std::vector<std::string> (*)(RecordingModel&);
    struct Row {
        const char* name;
        Op op;
        std::vector<std::string> messages;
    };
    const Row rows[] = {
        { "GetValue column",
            [](RecordingModel& m) {
                m.grid.getValue(0, 3);
                return m.messages;
            },
            { "GetValue x>=FColsCount " } },
        { "GetValue row",
            [](RecordingModel& m) {
                m.grid.getValue(4, 0);
                return m.messages;
            },
            { "GetValue y>=FDynRows+FFixRowCount " } },
        { "GetValue both, column first",
            [](RecordingModel& m) {
                m.grid.getValue(9, 9);
                return m.messages;
            },
            { "GetValue x>=FColsCount ", "GetValue y>=FDynRows+FFixRowCount " } },
        { "SetValue column",
            [](RecordingModel& m) {
                m.grid.setValue(0, 3, "x");
                return m.messages;
            },
            { "SetValue x>=FColsCount " } },
        { "SetValue row",
            [](RecordingModel& m) {
                m.grid.setValue(4, 0, "x");
                return m.messages;
            },
            { "SetValue y>=FDynRows+FFixRowCount " } },
        { "SetValue both, column first",
            [](RecordingModel& m) {
                m.grid.setValue(4, 3, "x");
                return m.messages;
            },
            { "SetValue x>=FColsCount ", "SetValue y>=FDynRows+FFixRowCount " } },
        { "RectOfCell column",
            [](RecordingModel& m) {
                m.grid.rectOfCell(0, 3, false);
                return m.messages;
            },
            { "RectOfCell ACol>Length(FColWidthArr)" } },
        { "ColLeft at the column count is valid",
            [](RecordingModel& m) {
                m.grid.colLeft(3);
                return m.messages;
            },
            {} },
        { "ColLeft past it",
            [](RecordingModel& m) {
                m.grid.colLeft(4);
                return m.messages;
            },
            { "ACol>Length(FColWidthArr)" } },
        { "negative indices are ignored quietly",
            [](RecordingModel& m) {
                m.grid.setValue(-1, 0, "x");
                m.grid.setValue(0, -1, "x");
                m.grid.getValue(-1, -1);
                m.grid.setCellColor(-1, 0, CellColor::rgb(1, 1, 1));
                m.grid.rectOfCell(0, -1, false);
                return m.messages;
            },
            {} },
        { "colours are unchecked and never out of range",
            [](RecordingModel& m) {
                m.grid.setCellColor(4, 0, CellColor::rgb(1, 1, 1));
                m.grid.setCellColor(0, 3, CellColor::rgb(1, 1, 1));
                EXPECT_TRUE(m.grid.getCellColor(4, 0).isWindow());
                return m.messages;
            },
            {} },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        RecordingModel m;
        m.grid.setGridSize(3, 2, 2, { 66, 20, 20 });
        m.grid.setValue(0, 0, "keep");
        const std::string before = Dump(m.grid);
        EXPECT_EQ(r.op(m), r.messages);
        EXPECT_EQ(Dump(m.grid), before);
    }
}

TEST(H2NetModel, OutOfRangeReadsGiveEmptyResults)
{
    GridModel grid; // no callback: reports are dropped
    grid.setGridSize(3, 2, 2, { 66, 20, 20 });
    EXPECT_EQ(grid.getValue(100, 100), "");
    EXPECT_TRUE(grid.rectOfCell(0, 3, false).isEmpty());
}

TEST(H2NetModel, SetGridSizeResetsCellsAndKeepsMergesAndScroll)
{
    GridModel grid = SizedModel(100, 150);
    grid.setMergeCount(1);
    grid.setMerge(0, true, 0, 0, 0, 1, "期号", grid.fixColor());
    grid.setValue(3, 1, "5");
    grid.setCellColor(3, 1, CellColor::rgb(255, 0, 0));
    grid.scroll(ScrollCommand::ThumbPosition, 40);

    grid.setGridSize(4, 50, 2, { 10, 11 });
    EXPECT_EQ(grid.colsCount(), 4);
    EXPECT_EQ(grid.rowCount(), 52);
    EXPECT_EQ(grid.colWidths(), (std::vector<int> { 10, 11, 0, 0 }));
    EXPECT_EQ(grid.getValue(3, 1), "");
    EXPECT_TRUE(grid.getCellColor(3, 1).isWindow());
    EXPECT_EQ(grid.mergeCount(), 1);
    EXPECT_EQ(grid.topRow(), 40);

    grid.setGridSize(2, 1, 1, { 5, 6, 7, 8 });
    EXPECT_EQ(grid.colWidths(), (std::vector<int> { 5, 6 }));
    grid.setGridSize(-1, -1, -1, {});
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.colsCount(), 0);
}

// The layout pass pulls a scroll position left beyond a smaller grid back into range.
TEST(H2NetModel, RebuildPullsTheScrollPositionIntoRange)
{
    GridModel grid = SizedModel(10000, 150);
    grid.scroll(ScrollCommand::Bottom);
    ASSERT_EQ(grid.topRow(), 9995);

    grid.setGridSize(3, 31, 2, { 66, 20, 20 });
    grid.resize();
    EXPECT_EQ(grid.scrollMax(), 26);
    EXPECT_EQ(grid.topRow(), 26);

    grid.setGridSize(3, 3, 2, { 66, 20, 20 });
    grid.resize();
    EXPECT_EQ(grid.topRow(), 0);
}

TEST(H2NetModel, PaintsOnlyTheRowsThatFit)
{
    GridModel grid = SizedModel(10000, 150);
    EXPECT_EQ(grid.firstPaintRow(), 2);
    EXPECT_EQ(grid.endPaintRow(), 7);
    grid.scroll(ScrollCommand::ThumbPosition, 500);
    EXPECT_EQ(grid.firstPaintRow(), 502);
    EXPECT_EQ(grid.endPaintRow(), 507);
    grid.scroll(ScrollCommand::Bottom);
    EXPECT_EQ(grid.endPaintRow(), grid.rowCount());

    const GridModel shortGrid = SizedModel(3, 150);
    EXPECT_EQ(shortGrid.endPaintRow() - shortGrid.firstPaintRow(), 3);
}

TEST(H2NetModel, ClearRestoresTheInitialState)
{
    GridModel grid = SizedModel(100, 150);
    int layouts = 0;
    grid.setLayoutFn([&] { ++layouts; });
    grid.setMergeCount(2);
    grid.scroll(ScrollCommand::Bottom);
    grid.clear();
    EXPECT_EQ(layouts, 1);
    EXPECT_EQ(grid.colsCount(), 0);
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.topRow(), 0);
    EXPECT_EQ(grid.mergeCount(), 0);
    EXPECT_TRUE(grid.colWidths().empty());
    EXPECT_EQ(grid.visRows(), 7); // the layout pass ran: 137 px without fixed rows
    EXPECT_EQ(grid.scrollMax(), 0);
}

// Columns fitted to their texts at the layout pass: with a fixed width per character
// (digits 8, other ASCII 5, anything else 16) and 2 pixels of padding.
TEST(H2NetModel, LayoutPassFitsColumnsToTheirWidestText)
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
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GridModel grid;
        grid.setCharWidthFn(charWidth, 2);
        grid.setGridSize(3, 2, 2, { 20, 10, 30 });
        for (std::size_t i = 0; i < row.texts.size(); ++i)
            grid.setValue(2 + static_cast<int>(i % 2), row.texts[i].first, row.texts[i].second);
        grid.resize();
        EXPECT_EQ(grid.colWidths(), row.widths);
    }
}

TEST(H2NetModel, FittingFollowsRebuildsMergesAndTheWidthFunction)
{
    GridModel grid;
    grid.setGridSize(3, 1, 2, { 20, 10, 30 });
    grid.setValue(2, 1, "123456");
    grid.resize();
    EXPECT_EQ(grid.colWidths(), (std::vector<int> { 20, 10, 30 })) << "no width function: widths as given";

    grid.setCharWidthFn([](char32_t) { return 8; }, 2);
    grid.resize();
    EXPECT_EQ(grid.colWidths(), (std::vector<int> { 20, 50, 30 }));
    EXPECT_EQ(grid.gridRect().right, grid.colLeft(2) + 30) << "the geometry follows the fitted widths";

    // A caption across columns 0 and 1 wider than both (and the line between) widens the last.
    grid.setMergeCount(1);
    grid.setMerge(0, true, 0, 0, 1, 0, "0123456789", grid.fixColor());
    grid.resize();
    EXPECT_EQ(grid.colWidths(), (std::vector<int> { 20, 61, 30 }));

    // A smaller font narrows the columns again, never below the given widths.
    grid.setCharWidthFn([](char32_t) { return 1; }, 0);
    grid.resize();
    EXPECT_EQ(grid.colWidths(), (std::vector<int> { 20, 10, 30 }));

    // A rebuild starts from its own widths and texts.
    grid.setCharWidthFn([](char32_t) { return 8; }, 2);
    grid.setGridSize(2, 1, 2, { 5, 6 });
    grid.setMergeCount(0);
    grid.setValue(2, 0, "1");
    grid.resize();
    EXPECT_EQ(grid.colWidths(), (std::vector<int> { 10, 6 }));
    EXPECT_EQ(grid.textWidth("ab合"), 24);
}
