#include "H2Net/H2NetModel.h"

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
        net.SetMessageFn([this](const std::string& m) { messages.push_back(m); });
    }
    TH2NetModel net;
    std::vector<std::string> messages;
};

// Every text and colour of the grid, one line per row, for before/after comparisons.
std::string Dump(const TH2NetModel& net)
{
    std::string dump;
    for (int r = 0; r < net.RowCount(); ++r) {
        for (int c = 0; c < net.ColsCount(); ++c) {
            const TColor color = net.GetCellColor(r, c);
            dump += net.GetValue(r, c) + (color.IsWindow() ? "/w" : "/" + std::to_string(color.Red()));
            dump += '|';
        }
        dump += '\n';
    }
    return dump;
}

TH2NetModel SizedModel(int dynRows, int clientHeight, int fixRows = 2)
{
    TH2NetModel net;
    net.SetGridSize(3, dynRows, fixRows, {66, 20, 20});
    net.SetClientHeight(clientHeight);
    net.Resize();
    return net;
}

} // namespace

TEST(H2NetModel, StartsCleared)
{
    const TH2NetModel net;
    EXPECT_EQ(net.ColsCount(), 0);
    EXPECT_EQ(net.DynRows(), 0);
    EXPECT_EQ(net.FixRowCount(), 0);
    EXPECT_EQ(net.TopRow(), 0);
    EXPECT_EQ(net.VisRows(), 0);
    EXPECT_EQ(net.RowHeight(), 20);
    EXPECT_EQ(net.LineWidth(), 1);
    EXPECT_EQ(net.Pitch(), 21);
    EXPECT_EQ(net.FixColor(), TColor::Rgb(228, 224, 243));
    EXPECT_EQ(net.MergeCount(), 0);
    EXPECT_TRUE(net.ColWidths().empty());
    EXPECT_TRUE(net.GridRect().IsEmpty());
}

TEST(H2NetModel, WindowColourDiffersFromEveryRgb)
{
    EXPECT_FALSE(TColor::Rgb(255, 255, 255).IsWindow());
    EXPECT_FALSE(TColor::Rgb(0, 0, 0).IsWindow());
    EXPECT_NE(TColor::Window(), TColor::Rgb(255, 255, 255));
    const TColor c = TColor::Rgb(216, 90, 68);
    EXPECT_EQ(c.Red(), 216);
    EXPECT_EQ(c.Green(), 90);
    EXPECT_EQ(c.Blue(), 68);
}

TEST(H2NetModel, LayoutFromClientHeight)
{
    struct Row {
        const char* name;
        int clientHeight, fixRows, dynRows;
        int visRows, scrollMax;
    };
    const Row rows[] = {
        {"no window", 0, 2, 30, 0, 30},
        {"55 px leaves 42: no data row", 55, 2, 30, 0, 30},
        {"56 px shows one", 56, 2, 30, 1, 29},
        {"150 px shows five", 150, 2, 30, 5, 25},
        {"22 of 30 rows scroll 0..8", 500, 2, 30, 22, 8},
        {"fewer rows than shown", 500, 2, 10, 22, 0},
        {"fixed rows taller than the window", 40, 3, 30, 0, 30},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const TH2NetModel net = SizedModel(r.dynRows, r.clientHeight, r.fixRows);
        EXPECT_EQ(net.VisRows(), r.visRows);
        EXPECT_EQ(net.ScrollMax(), r.scrollMax);
    }
}

TEST(H2NetModel, ScrollCommands)
{
    struct Row {
        const char* name;
        int start;
        TScrollCmd cmd;
        int position;
        int expected;
    };
    const Row rows[] = {
        {"line up at 0 stays", 0, TScrollCmd::LineUp, 0, 0},
        {"line down at the end stays", 8, TScrollCmd::LineDown, 0, 8},
        {"line down", 3, TScrollCmd::LineDown, 0, 4},
        {"line up", 3, TScrollCmd::LineUp, 0, 2},
        {"page down from 5 stops at 8", 5, TScrollCmd::PageDown, 0, 8},
        {"page up from 5 stops at 0", 5, TScrollCmd::PageUp, 0, 0},
        {"thumb position", 0, TScrollCmd::ThumbPosition, 6, 6},
        {"thumb track", 1, TScrollCmd::ThumbTrack, 7, 7},
        {"thumb below the range is ignored", 4, TScrollCmd::ThumbPosition, -1, 4},
        {"thumb past the range stops at the end", 4, TScrollCmd::ThumbTrack, 50, 8},
        {"top", 6, TScrollCmd::Top, 0, 0},
        {"bottom", 2, TScrollCmd::Bottom, 0, 8},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TH2NetModel net = SizedModel(30, 500);
        ASSERT_EQ(net.VisRows(), 22);
        net.Scroll(TScrollCmd::ThumbPosition, r.start);
        ASSERT_EQ(net.TopRow(), r.start);
        EXPECT_EQ(net.Scroll(r.cmd, r.position), r.expected);
        EXPECT_EQ(net.TopRow(), r.expected);
    }
}

TEST(H2NetModel, PageStepIsTheVisibleRowCount)
{
    TH2NetModel net = SizedModel(100, 150);
    ASSERT_EQ(net.VisRows(), 5);
    EXPECT_EQ(net.Scroll(TScrollCmd::PageDown), 5);
    EXPECT_EQ(net.Scroll(TScrollCmd::PageDown), 10);
    EXPECT_EQ(net.Scroll(TScrollCmd::PageUp), 5);
}

TEST(H2NetModel, Geometry)
{
    TH2NetModel net;
    net.SetGridSize(3, 10, 2, {66, 20, 30});
    EXPECT_EQ(net.ColLeft(0), 1);
    EXPECT_EQ(net.ColLeft(1), 68);
    EXPECT_EQ(net.ColLeft(2), 89);
    EXPECT_EQ(net.ColLeft(3), 120); // one line width past the last interior
    EXPECT_EQ(net.RowTop(0, false), 1);
    EXPECT_EQ(net.RowTop(2, false), 43);
    EXPECT_EQ(net.RectOfCell(1, 2, false), (TNetRect{89, 22, 119, 42}));

    net.SetClientHeight(150);
    net.Resize();
    net.Scroll(TScrollCmd::ThumbPosition, 3);
    // Data row FFixRowCount + FTopRow sits right below the fixed rows.
    EXPECT_EQ(net.RowTop(5, true), net.RowTop(2, false));
    EXPECT_EQ(net.RectOfCell(5, 0, true), (TNetRect{1, 43, 67, 63}));
    EXPECT_EQ(net.RectOfCell(1, 0, false), (TNetRect{1, 22, 67, 42}));
    // All columns, the fixed rows and the 5 visible data rows.
    EXPECT_EQ(net.GridRect(), (TNetRect{1, 1, 119, 1 + 6 * 21 + 20}));
}

TEST(H2NetModel, MergeOverTwoFixedRowsCoversTheLineBetween)
{
    TH2NetModel net;
    net.SetGridSize(2, 1, 2, {66, 20});
    net.SetMergeCount(1);
    net.SetMerge(0, true, 0, 0, 0, 1, "期号", net.FixColor());
    const TH2NetMerge& m = net.MergeAt(0);
    const TNetRect area = net.RectOfCell(m.FirstRow, m.FirstCol, false)
                              .United(net.RectOfCell(m.LastRow, m.LastCol, false));
    EXPECT_EQ(area, (TNetRect{1, 1, 67, 42}));
    const int lineBetween = net.RowTop(1, false) - net.LineWidth();
    EXPECT_GT(lineBetween, area.Top);
    EXPECT_LT(lineBetween, area.Bottom);
}

TEST(H2NetModel, MergeRecords)
{
    TH2NetModel net;
    net.SetMergeCount(3);
    net.SetMerge(1, true, 4, 0, 13, 0, "分布图", TColor::Rgb(1, 2, 3));
    EXPECT_EQ(net.MergeCount(), 3);
    EXPECT_FALSE(net.MergeAt(0).Active);
    EXPECT_EQ(net.MergeAt(0).Color, TColor::Window());
    EXPECT_EQ(net.MergeAt(1).Text, "分布图");
    EXPECT_TRUE(net.MergeAt(1).Covers(0, 13));
    EXPECT_FALSE(net.MergeAt(1).Covers(1, 13));
    net.MergeAt(2).Text = "written through";
    EXPECT_EQ(net.Merges()[2].Text, "written through");

    net.SetMerge(3, true, 0, 0, 0, 0, "past the end", TColor::Window());
    net.SetMerge(-1, true, 0, 0, 0, 0, "before the start", TColor::Window());
    EXPECT_THROW(net.MergeAt(3), std::out_of_range);
    EXPECT_THROW(net.MergeAt(-1), std::out_of_range);

    net.SetMergeCount(1);
    EXPECT_EQ(net.MergeCount(), 1);
    EXPECT_FALSE(net.MergeAt(0).Active);
    EXPECT_TRUE(net.MergeAt(0).Text.empty());
    net.SetMergeCount(-2);
    EXPECT_EQ(net.MergeCount(), 0);
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
        {"GetValue column", [](RecordingModel& m) { m.net.GetValue(0, 3); return m.messages; },
         {"GetValue x>=FColsCount "}},
        {"GetValue row", [](RecordingModel& m) { m.net.GetValue(4, 0); return m.messages; },
         {"GetValue y>=FDynRows+FFixRowCount "}},
        {"GetValue both, column first", [](RecordingModel& m) { m.net.GetValue(9, 9); return m.messages; },
         {"GetValue x>=FColsCount ", "GetValue y>=FDynRows+FFixRowCount "}},
        {"SetValue column", [](RecordingModel& m) { m.net.SetValue(0, 3, "x"); return m.messages; },
         {"SetValue x>=FColsCount "}},
        {"SetValue row", [](RecordingModel& m) { m.net.SetValue(4, 0, "x"); return m.messages; },
         {"SetValue y>=FDynRows+FFixRowCount "}},
        {"SetValue both, column first", [](RecordingModel& m) { m.net.SetValue(4, 3, "x"); return m.messages; },
         {"SetValue x>=FColsCount ", "SetValue y>=FDynRows+FFixRowCount "}},
        {"RectOfCell column", [](RecordingModel& m) { m.net.RectOfCell(0, 3, false); return m.messages; },
         {"RectOfCell ACol>Length(FColWidthArr)"}},
        {"ColLeft at the column count is valid", [](RecordingModel& m) { m.net.ColLeft(3); return m.messages; },
         {}},
        {"ColLeft past it", [](RecordingModel& m) { m.net.ColLeft(4); return m.messages; },
         {"ACol>Length(FColWidthArr)"}},
        {"negative indices are ignored quietly",
         [](RecordingModel& m) {
             m.net.SetValue(-1, 0, "x");
             m.net.SetValue(0, -1, "x");
             m.net.GetValue(-1, -1);
             m.net.SetCellColor(-1, 0, TColor::Rgb(1, 1, 1));
             m.net.RectOfCell(0, -1, false);
             return m.messages;
         },
         {}},
        {"colours are unchecked and never out of range",
         [](RecordingModel& m) {
             m.net.SetCellColor(4, 0, TColor::Rgb(1, 1, 1));
             m.net.SetCellColor(0, 3, TColor::Rgb(1, 1, 1));
             EXPECT_TRUE(m.net.GetCellColor(4, 0).IsWindow());
             return m.messages;
         },
         {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        RecordingModel m;
        m.net.SetGridSize(3, 2, 2, {66, 20, 20});
        m.net.SetValue(0, 0, "keep");
        const std::string before = Dump(m.net);
        EXPECT_EQ(r.op(m), r.messages);
        EXPECT_EQ(Dump(m.net), before);
    }
}

TEST(H2NetModel, OutOfRangeReadsGiveEmptyResults)
{
    TH2NetModel net; // no callback: reports are dropped
    net.SetGridSize(3, 2, 2, {66, 20, 20});
    EXPECT_EQ(net.GetValue(100, 100), "");
    EXPECT_TRUE(net.RectOfCell(0, 3, false).IsEmpty());
}

TEST(H2NetModel, SetGridSizeResetsCellsAndKeepsMergesAndScroll)
{
    TH2NetModel net = SizedModel(100, 150);
    net.SetMergeCount(1);
    net.SetMerge(0, true, 0, 0, 0, 1, "期号", net.FixColor());
    net.SetValue(3, 1, "5");
    net.SetCellColor(3, 1, TColor::Rgb(255, 0, 0));
    net.Scroll(TScrollCmd::ThumbPosition, 40);

    net.SetGridSize(4, 50, 2, {10, 11});
    EXPECT_EQ(net.ColsCount(), 4);
    EXPECT_EQ(net.RowCount(), 52);
    EXPECT_EQ(net.ColWidths(), (std::vector<int>{10, 11, 0, 0}));
    EXPECT_EQ(net.GetValue(3, 1), "");
    EXPECT_TRUE(net.GetCellColor(3, 1).IsWindow());
    EXPECT_EQ(net.MergeCount(), 1);
    EXPECT_EQ(net.TopRow(), 40);

    net.SetGridSize(2, 1, 1, {5, 6, 7, 8});
    EXPECT_EQ(net.ColWidths(), (std::vector<int>{5, 6}));
    net.SetGridSize(-1, -1, -1, {});
    EXPECT_EQ(net.RowCount(), 0);
    EXPECT_EQ(net.ColsCount(), 0);
}

// The layout pass pulls a scroll position left beyond a smaller grid back into range.
TEST(H2NetModel, RebuildPullsTheScrollPositionIntoRange)
{
    TH2NetModel net = SizedModel(10000, 150);
    net.Scroll(TScrollCmd::Bottom);
    ASSERT_EQ(net.TopRow(), 9995);

    net.SetGridSize(3, 31, 2, {66, 20, 20});
    net.Resize();
    EXPECT_EQ(net.ScrollMax(), 26);
    EXPECT_EQ(net.TopRow(), 26);

    net.SetGridSize(3, 3, 2, {66, 20, 20});
    net.Resize();
    EXPECT_EQ(net.TopRow(), 0);
}

TEST(H2NetModel, PaintsOnlyTheRowsThatFit)
{
    TH2NetModel net = SizedModel(10000, 150);
    EXPECT_EQ(net.FirstPaintRow(), 2);
    EXPECT_EQ(net.EndPaintRow(), 7);
    net.Scroll(TScrollCmd::ThumbPosition, 500);
    EXPECT_EQ(net.FirstPaintRow(), 502);
    EXPECT_EQ(net.EndPaintRow(), 507);
    net.Scroll(TScrollCmd::Bottom);
    EXPECT_EQ(net.EndPaintRow(), net.RowCount());

    const TH2NetModel shortGrid = SizedModel(3, 150);
    EXPECT_EQ(shortGrid.EndPaintRow() - shortGrid.FirstPaintRow(), 3);
}

TEST(H2NetModel, ClearRestoresTheInitialState)
{
    TH2NetModel net = SizedModel(100, 150);
    int layouts = 0;
    net.SetLayoutFn([&] { ++layouts; });
    net.SetMergeCount(2);
    net.Scroll(TScrollCmd::Bottom);
    net.Clear();
    EXPECT_EQ(layouts, 1);
    EXPECT_EQ(net.ColsCount(), 0);
    EXPECT_EQ(net.RowCount(), 0);
    EXPECT_EQ(net.TopRow(), 0);
    EXPECT_EQ(net.MergeCount(), 0);
    EXPECT_TRUE(net.ColWidths().empty());
    EXPECT_EQ(net.VisRows(), 7); // the layout pass ran: 137 px without fixed rows
    EXPECT_EQ(net.ScrollMax(), 0);
}
