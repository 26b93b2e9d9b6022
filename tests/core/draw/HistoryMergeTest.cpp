#include "core/draw/HistoryMerge.h"
#include "core/draw/DrawText.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

using Lines = std::vector<std::string>;

// The real history's lines, read once.
const Lines& RealLines()
{
    static const Lines lines = splitLines(test::ReadBytes(VELMORA_HISTORY_FILE));
    return lines;
}

Lines Slice(const Lines& lines, std::size_t from, std::size_t to)
{
    return { lines.begin() + static_cast<std::ptrdiff_t>(from),
        lines.begin() + static_cast<std::ptrdiff_t>(to) };
}

class HistoryMergeReal : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (RealLines().size() != 8684)
            GTEST_SKIP() << "real history not found";
    }
};

} // namespace

TEST(HistoryMerge, EdgeCases)
{
    struct Row {
        const char* name;
        Lines local, source, merged;
        int added, corrected, total;
    };
    const std::vector<Row> rows = {
        { "both empty", {}, {}, {}, 0, 0, 0 },
        { "empty local takes the source in issue order", {},
            { "2024003,333,333,0,0", "2024001,111,111,0,0", "2024002,222,222,0,0" },
            { "2024001,111,111,0,0", "2024002,222,222,0,0", "2024003,333,333,0,0" }, 3, 0, 3 },
        { "empty source leaves the local lines", { "2024001,111,111,0,0", "2024002,222,222,0,0" }, {},
            { "2024001,111,111,0,0", "2024002,222,222,0,0" }, 0, 0, 2 },
        { "a local line that is no draw stays in place and matches nothing",
            { "2024001,111,111,0,0", "备注", "2024003,333,333,0,0" }, { "2024002,222,222,0,0" },
            { "2024001,111,111,0,0", "备注", "2024002,222,222,0,0", "2024003,333,333,0,0" }, 1, 0, 3 },
        { "source lines that are no draw are ignored", { "2024001,111,111,0,0" }, { "x", "" },
            { "2024001,111,111,0,0" }, 0, 0, 1 },
        { "machine and ball numbers alone are no correction", { "2024001,111,111,0,0" },
            { "2024001,111,111,1,1" }, { "2024001,111,111,0,0" }, 0, 0, 1 },
        { "a test code difference is a correction", { "2024001,111,111,0,0" }, { "2024001,111,112,1,1" },
            { "2024001,111,112,1,1" }, 0, 1, 1 },
        { "the last line of a key repeated in the source counts", { "2024001,111,111,0,0" },
            { "2024002,200,200,0,0", "2024001,111,111,0,0", "2024002,222,222,0,0" },
            { "2024001,111,111,0,0", "2024002,222,222,0,0" }, 1, 0, 2 },
        { "a key repeated locally is corrected on every line, listed once",
            { "2024001,100,100,0,0", "2024001,101,101,0,0", "2024001,111,111,0,0" },
            { "2024001,111,111,0,0" },
            { "2024001,111,111,0,0", "2024001,111,111,0,0", "2024001,111,111,0,0" }, 0, 1, 3 },
        { "a new year's draws come after the old year's", { "2023358,111,111,0,0" },
            { "2024001,222,222,0,0", "2023358,111,111,0,0" },
            { "2023358,111,111,0,0", "2024001,222,222,0,0" }, 1, 0, 2 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const MergeResult r = mergeHistory(game3d(), row.local, row.source);
        EXPECT_EQ(r.lines, row.merged);
        EXPECT_EQ(r.added, row.added);
        EXPECT_EQ(static_cast<int>(r.corrections.size()), row.corrected);
        EXPECT_EQ(r.total, row.total);
    }
}

TEST(HistoryMerge, OutOfOrderLocalLinesKeepTheirOrder)
{
    struct Row {
        const char* name;
        Lines local, source, merged;
    };
    const std::vector<Row> rows = {
        { "a draw goes before the first local draw with a larger key",
            { "2026170,000,000,0,0", "2026172,000,000,0,0", "2026171,000,000,0,0", "2026174,000,000,0,0" },
            { "2026169,000,000,0,0", "2026173,000,000,0,0", "2026175,000,000,0,0" },
            { "2026169,000,000,0,0", "2026170,000,000,0,0", "2026172,000,000,0,0", "2026171,000,000,0,0",
                "2026173,000,000,0,0", "2026174,000,000,0,0", "2026175,000,000,0,0" } },
        { "a large key early in the file draws smaller new keys before it",
            { "2026175,000,000,0,0", "2026171,000,000,0,0", "2026172,000,000,0,0" },
            { "2026173,000,000,0,0", "2026176,000,000,0,0" },
            { "2026173,000,000,0,0", "2026175,000,000,0,0", "2026171,000,000,0,0", "2026172,000,000,0,0",
                "2026176,000,000,0,0" } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(mergeHistory(game3d(), row.local, row.source).lines, row.merged);
    }
}

TEST_F(HistoryMergeReal, PrefixTakesTheNextTwentyDraws)
{
    const Lines& all = RealLines();
    const Lines expected = Slice(all, 0, 8020);
    for (const Lines& source : { Slice(all, 0, 8020), Slice(all, 8000, 8020), all }) {
        const MergeResult r = mergeHistory(game3d(), Slice(all, 0, 8000), source);
        const Lines& wanted = source.size() == all.size() ? all : expected;
        EXPECT_EQ(r.lines, wanted);
        EXPECT_EQ(r.added, static_cast<int>(wanted.size()) - 8000);
        EXPECT_TRUE(r.corrections.empty());
    }
    const MergeResult r = mergeHistory(game3d(), Slice(all, 0, 8000), Slice(all, 8000, 8020));
    EXPECT_EQ(mergeCountsText(r), "新增20期，更正0期，共8020期");
    EXPECT_EQ(updateMessage(game3d(), r), "在线更新成功：新增20期，更正0期，共8020期");
}

TEST_F(HistoryMergeReal, GapIsFilledInPlace)
{
    const Lines& all = RealLines();
    Lines local = Slice(all, 0, 4000);
    const Lines after = Slice(all, 4010, all.size());
    local.insert(local.end(), after.begin(), after.end());
    const MergeResult r = mergeHistory(game3d(), local, all);
    EXPECT_EQ(r.lines, all);
    EXPECT_EQ(r.added, 10);
    EXPECT_EQ(r.total, 8684);
}

TEST_F(HistoryMergeReal, ConflictingDrawTakesTheSourceAndIsListed)
{
    Lines local = RealLines();
    ASSERT_EQ(local[8683], "2026176,269,547,0,0");
    ASSERT_EQ(local[5000], "2015346,229,810,0,0");
    local[8683] = "2026176,296,547,0,0";
    local[5000] = "2015346,229,801,0,0";
    const MergeResult r = mergeHistory(game3d(), local, RealLines());
    EXPECT_EQ(r.lines, RealLines());
    const std::vector<DrawCorrection> expected
        = { { 2015, 346, 229, 801, 229, 810 }, { 2026, 176, 296, 547, 269, 547 } };
    EXPECT_EQ(r.corrections, expected);
    EXPECT_EQ(updateMessage(game3d(), r),
        "在线更新成功：新增0期，更正2期，共8684期\r\n2015346：229,801 → 229,810\r\n2026176：296,547 → "
        "269,547");
}

TEST_F(HistoryMergeReal, LocalLineWithExtraFieldsStaysVerbatim)
{
    const Lines& all = RealLines();
    Lines local = Slice(all, 0, 8600);
    local[10] = "\t" + all[10] + ",extra\t";
    local[8599] = " ," + all[8599] + ", my note";
    const MergeResult r = mergeHistory(game3d(), local, all);
    EXPECT_EQ(Slice(r.lines, 0, 8600), local);
    EXPECT_EQ(Slice(r.lines, 8600, 8684), Slice(all, 8600, 8684));
    EXPECT_EQ(r.added, 84);
    EXPECT_TRUE(r.corrections.empty());
}

TEST_F(HistoryMergeReal, IdenticalHistoryIsAlreadyUpToDate)
{
    const MergeResult r = mergeHistory(game3d(), RealLines(), RealLines());
    EXPECT_FALSE(r.changed());
    EXPECT_EQ(r.lines, RealLines());
    EXPECT_EQ(mergeCountsText(r), "已是最新，共8684期");
    EXPECT_EQ(updateMessage(game3d(), r), "已是最新，共8684期");
}

// Property: a history merged with itself or with any prefix of itself is unchanged,
// and a prefix merged with the whole becomes the whole.
TEST_F(HistoryMergeReal, PrefixesChangeNothing)
{
    const Lines& all = RealLines();
    for (std::size_t n = 0; n <= all.size(); n += n < 10 ? 1 : 331) {
        SCOPED_TRACE(n);
        const Lines prefix = Slice(all, 0, n);
        const MergeResult intoWhole = mergeHistory(game3d(), all, prefix);
        EXPECT_FALSE(intoWhole.changed());
        EXPECT_EQ(intoWhole.lines, all);
        const MergeResult fromWhole = mergeHistory(game3d(), prefix, all);
        EXPECT_EQ(fromWhole.lines, all);
        EXPECT_EQ(fromWhole.added, static_cast<int>(all.size() - n));
    }
}

TEST(HistoryMerge, Pl3MergesAndListsDrawCodesOnly)
{
    const Lines local = { "2026255,111", "2026256,222" };
    const MergeResult r
        = mergeHistory(gamePl3(), local, { "2026256,223", "2026257,333", "2026258,444,000,0,0" });
    EXPECT_EQ(r.lines, (Lines { "2026255,111", "2026256,223", "2026257,333" }));
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.total, 3);
    EXPECT_EQ(updateMessage(gamePl3(), r), "在线更新成功：新增1期，更正1期，共3期\r\n2026256：222 → 223");
    EXPECT_EQ(correctionText(game3d(), r.corrections.front()), "2026256：222,000 → 223,000");
    // A 3D line in a 排列三 history is no draw: it matches nothing.
    EXPECT_EQ(findDrawLine(gamePl3(), { "2026256,222,000,0,0", "2026256,222" }, 2026, 256), 1);
    Lines lines = local;
    addDrawLine(gamePl3(), lines, "2026254,000");
    EXPECT_EQ(lines, (Lines { "2026254,000", "2026255,111", "2026256,222" }));
}

TEST(HistoryMerge, DrawTextEndsEveryLine)
{
    EXPECT_EQ(drawTextOf({}), "");
    EXPECT_EQ(drawTextOf({ "a", "b" }), "a\r\nb\r\n");
}

TEST(AddDraw, PlacesTheLineByKey)
{
    struct Row {
        const char* name;
        Lines lines;
        std::string added;
        Lines expected;
    };
    const std::vector<Row> rows = {
        { "into an empty history", {}, "2026001,123,456,0,0", { "2026001,123,456,0,0" } },
        { "after the latest", { "2026001,111,111,0,0" }, "2026002,222,222,0,0",
            { "2026001,111,111,0,0", "2026002,222,222,0,0" } },
        { "into a gap", { "2026001,111,111,0,0", "2026003,333,333,0,0" }, "2026002,222,222,0,0",
            { "2026001,111,111,0,0", "2026002,222,222,0,0", "2026003,333,333,0,0" } },
        { "replacing the issue", { "2026001,111,111,0,0", " 2026002,999,999,0,0,x" }, "2026002,222,222,0,0",
            { "2026001,111,111,0,0", "2026002,222,222,0,0" } },
        { "before the first larger key of an unordered history",
            { "2026005,555,555,0,0", "2026001,111,111,0,0" }, "2026003,333,333,0,0",
            { "2026003,333,333,0,0", "2026005,555,555,0,0", "2026001,111,111,0,0" } },
        { "no draw line is appended", { "2026001,111,111,0,0" }, "x", { "2026001,111,111,0,0", "x" } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Lines lines = row.lines;
        addDrawLine(game3d(), lines, row.added);
        EXPECT_EQ(lines, row.expected);
    }
    EXPECT_EQ(findDrawLine(game3d(), { "x", "2026002,1,2", "2026002,222,222,0,0" }, 2026, 2), 2);
    EXPECT_EQ(findDrawLine(game3d(), { "2026002,222,222,0,0" }, 2026, 3), -1);
}

TEST(AddDraw, NextIssue)
{
    const auto draw = [](int year, int issue) { return DrawRecord { year, issue, 0, 0, 0, 0 }; };
    struct Row {
        const char* name;
        DrawHistory history;
        int currentYear;
        int expected;
    };
    const std::vector<Row> rows = {
        { "empty history: first issue of this year", {}, 2026, 2026001 },
        { "next of the same year", { draw(2026, 175), draw(2026, 176) }, 2026, 2026177 },
        { "the largest, not the last line", { draw(2026, 176), draw(2026, 100) }, 2026, 2026177 },
        { "a new year starts at 001", { draw(2025, 351) }, 2026, 2026001 },
        { "after 999 the next year", { draw(2026, 999) }, 2026, 2027001 },
        { "a clock behind the history", { draw(2026, 5) }, 2020, 2026006 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(nextIssue(row.history, row.currentYear).issueKey(), row.expected);
    }
}

TEST(HistoryChange, ChangedDrawsAreTheNewAndTheCorrected)
{
    const auto draw = [](int key, int code, int test = 0) {
        return DrawRecord { key / 1000, key % 1000, test, code, 0, 0 };
    };
    struct Row {
        const char* name;
        DrawHistory before, after, changed;
    };
    const std::vector<Row> rows = {
        { "nothing changed", { draw(2026001, 1) }, { draw(2026001, 1) }, {} },
        { "a draw added", { draw(2026001, 1) }, { draw(2026001, 1), draw(2026002, 2) },
            { draw(2026002, 2) } },
        { "a code corrected", { draw(2026001, 1) }, { draw(2026001, 5) }, { draw(2026001, 5) } },
        { "a test code corrected", { draw(2026001, 1, 3) }, { draw(2026001, 1, 4) },
            { draw(2026001, 1, 4) } },
        { "a draw removed is no change", { draw(2026001, 1), draw(2026002, 2) }, { draw(2026002, 2) }, {} },
        { "from nothing: every draw", {}, { draw(2026001, 0), draw(2026002, 0) },
            { draw(2026001, 0), draw(2026002, 0) } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(changedDrawsOf(row.before, row.after), row.changed);
    }
}
