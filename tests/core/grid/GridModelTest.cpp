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

} // namespace

TEST(GridModel, StartsCleared)
{
    const GridModel grid;
    EXPECT_EQ(grid.colsCount(), 0);
    EXPECT_EQ(grid.dynRows(), 0);
    EXPECT_EQ(grid.fixRowCount(), 0);
    EXPECT_EQ(grid.fixColor(), CellColor::rgb(228, 224, 243));
    EXPECT_EQ(grid.mergeCount(), 0);
    EXPECT_TRUE(grid.givenWidths().empty());
}

TEST(GridModel, WindowColourDiffersFromEveryRgb)
{
    EXPECT_FALSE(CellColor::rgb(255, 255, 255).isWindow());
    EXPECT_FALSE(CellColor::rgb(0, 0, 0).isWindow());
    EXPECT_NE(CellColor::window(), CellColor::rgb(255, 255, 255));
    const CellColor c = CellColor::rgb(216, 90, 68);
    EXPECT_EQ(c.red(), 216);
    EXPECT_EQ(c.green(), 90);
    EXPECT_EQ(c.blue(), 68);
}

TEST(GridModel, MergeRecords)
{
    GridModel grid;
    grid.setMergeCount(3);
    grid.setMerge(1, true, 4, 0, 13, 0, "分布图", CellColor::rgb(1, 2, 3));
    EXPECT_EQ(grid.mergeCount(), 3);
    EXPECT_FALSE(grid.mergeAt(0).active);
    EXPECT_EQ(grid.mergeAt(0).color, CellColor::window());
    EXPECT_EQ(grid.mergeAt(1).text, "分布图");
    EXPECT_TRUE(grid.mergeAt(1).covers(0, 13));
    EXPECT_FALSE(grid.mergeAt(1).covers(1, 13));
    grid.mergeAt(2).text = "written through";
    EXPECT_EQ(grid.merges()[2].text, "written through");

    grid.setMerge(3, true, 0, 0, 0, 0, "past the end", CellColor::window());
    grid.setMerge(-1, true, 0, 0, 0, 0, "before the start", CellColor::window());
    EXPECT_THROW(grid.mergeAt(3), std::out_of_range);
    EXPECT_THROW(grid.mergeAt(-1), std::out_of_range);

    grid.setMergeCount(1);
    EXPECT_EQ(grid.mergeCount(), 1);
    EXPECT_FALSE(grid.mergeAt(0).active);
    EXPECT_TRUE(grid.mergeAt(0).text.empty());
    grid.setMergeCount(-2);
    EXPECT_EQ(grid.mergeCount(), 0);
}

TEST(GridModel, IndexErrorsReportExactTextsAndTouchNothing)
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
        { "negative indices are ignored quietly",
            [](RecordingModel& m) {
                m.grid.setValue(-1, 0, "x");
                m.grid.setValue(0, -1, "x");
                m.grid.getValue(-1, -1);
                m.grid.setCellColor(-1, 0, CellColor::rgb(1, 1, 1));
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

TEST(GridModel, OutOfRangeReadsGiveEmptyResults)
{
    GridModel grid; // no callback: reports are dropped
    grid.setGridSize(3, 2, 2, { 66, 20, 20 });
    EXPECT_EQ(grid.getValue(100, 100), "");
}

TEST(GridModel, SetGridSizeResetsCellsAndKeepsMerges)
{
    GridModel grid;
    grid.setGridSize(3, 100, 2, { 66, 20, 20 });
    grid.setMergeCount(1);
    grid.setMerge(0, true, 0, 0, 0, 1, "期号", grid.fixColor());
    grid.setValue(3, 1, "5");
    grid.setCellColor(3, 1, CellColor::rgb(255, 0, 0));

    grid.setGridSize(4, 50, 2, { 10, 11 });
    EXPECT_EQ(grid.colsCount(), 4);
    EXPECT_EQ(grid.rowCount(), 52);
    EXPECT_EQ(grid.givenWidths(), (std::vector<int> { 10, 11, 0, 0 }));
    EXPECT_EQ(grid.getValue(3, 1), "");
    EXPECT_TRUE(grid.getCellColor(3, 1).isWindow());
    EXPECT_EQ(grid.mergeCount(), 1);

    grid.setGridSize(2, 1, 1, { 5, 6, 7, 8 });
    EXPECT_EQ(grid.givenWidths(), (std::vector<int> { 5, 6 }));
    grid.setGridSize(-1, -1, -1, {});
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.colsCount(), 0);
}

// clear() and the setters leave the layout to the view: only notifyChanged calls it.
TEST(GridModel, ClearRestoresTheInitialStateAndOnlyNotifyChangedNotifies)
{
    GridModel grid;
    int changes = 0;
    grid.setChangedFn([&] { ++changes; });
    grid.setGridSize(3, 100, 2, { 66, 20, 20 });
    grid.setValue(2, 0, "1");
    grid.setMergeCount(2);
    grid.clear();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(grid.colsCount(), 0);
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.mergeCount(), 0);
    EXPECT_TRUE(grid.givenWidths().empty());
    grid.notifyChanged();
    EXPECT_EQ(changes, 1);
}
