#include "core/draw/DrawText.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

struct Parse {
    DrawHistory history;
    std::vector<std::string> messages;
    bool ok = false;

    // The history a caller keeps: the parsed one on success, start otherwise.
    explicit Parse(const std::vector<std::string>& lines, DrawHistory start = {})
        : history(std::move(start))
    {
        ParsedHistory parsed = parseDrawHistory(game3d(), lines);
        ok = parsed.ok();
        if (ok)
            history = std::move(parsed.history);
        else
            messages.push_back(parsed.badLinesMessage);
    }
};

const std::string kBadHeader = std::string(kBadLinesMessage) + "\r\n";

} // namespace

TEST(splitLines, LineBreaksAndFinalLine)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(splitLines(""), V {});
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (V { "a", "b", "c", "d" }));
    EXPECT_EQ(splitLines("a\r\n"), V { "a" });
    EXPECT_EQ(splitLines("a\r\n\r\nb"), (V { "a", "", "b" }));
    EXPECT_EQ(splitLines("\r\n"), V { "" });
    EXPECT_EQ(splitLines("\xEF\xBB\xBF"
                         "2004123,579,108,1,2"),
        V { "2004123,579,108,1,2" });
}

TEST(gbByteLength, ChineseCountsTwo)
{
    EXPECT_EQ(gbByteLength("579"), 3u);
    EXPECT_EQ(gbByteLength("中5"), 3u);
    EXPECT_EQ(gbByteLength(""), 0u);
}

TEST(parseDrawHistory, ValidLines)
{
    Parse p({ "2004123,579,108,1,2,extra", ",2004001,,000,999,0,9,", " \t2026176,007,120,3,4\t" });
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.messages.empty());
    ASSERT_EQ(p.history.size(), 3u);
    EXPECT_EQ(p.history[0], (DrawRecord { 2004, 123, 108, 579, 1, 2 }));
    EXPECT_EQ(p.history[1], (DrawRecord { 2004, 1, 999, 0, 0, 9 }));
    EXPECT_EQ(p.history[2], (DrawRecord { 2026, 176, 120, 7, 3, 4 }));
}

TEST(parseDrawHistory, BadLinesAreListedAndHistoryKept)
{
    const DrawHistory old { { 2001, 1, 2, 3, 4, 5 } };
    struct Row {
        const char* name;
        std::string line;
        // What drawLineProblem says of the line.
        const char* reason;
    } rows[] = {
        { "blank inside item", "2004123, 579,108,1,2", "开奖号应为3位数字" },
        { "four items", "2004123,579,108,1", "应有期号、开奖号、试机号、机号、球号5项，用逗号隔开" },
        { "empty items dropped", "2004123,,579,108,1,",
            "应有期号、开奖号、试机号、机号、球号5项，用逗号隔开" },
        { "empty line", "", "空行" },
        { "blanks only", " \t ", "空行" },
        { "short year", "200412,579,108,1,2", "期号应为7位数字" },
        { "letter in year", "2004x01,579,108,1,2", "期号应为7位数字" },
        { "minus sign in code", "2004101,-79,108,1,2", "开奖号应为3位数字" },
        { "Chinese character of two bytes", "2004101,5中,108,1,2", "开奖号应为3位数字" },
        { "four-digit test code", "2004101,579,1080,1,2", "试机号应为3位数字" },
        { "two-digit extra", "2004101,579,108,10,2", "机号应为1位数字" },
        { "letter as ball set", "2004101,579,108,1,b", "球号应为1位数字" },
        { "lost byte", "2004101,579,108,1,2\xEF\xBF\xBD", "含有无法读取的字符" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Parse p({ "2004123,579,108,1,2", row.line }, old);
        EXPECT_FALSE(p.ok);
        EXPECT_EQ(p.history, old);
        ASSERT_EQ(p.messages.size(), 1u);
        EXPECT_EQ(p.messages[0], kBadHeader + "2,");
        EXPECT_EQ(drawLineProblem(game3d(), row.line), row.reason);
    }
    EXPECT_EQ(drawLineProblem(game3d(), "2004123,579,108,1,2,extra"), "");
}

TEST(parseDrawHistory, BadLineListTenToALine)
{
    Parse p(std::vector<std::string>(11, "bad"));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0], kBadHeader + "1,2,3,4,5,6,7,8,9,10,\r\n11,");

    std::vector<std::string> lines(20, "2004123,579,108,1,2");
    lines[2] = lines[16] = "x";
    Parse q(lines);
    ASSERT_EQ(q.messages.size(), 1u);
    EXPECT_EQ(q.messages[0], kBadHeader + "3,17,");
    EXPECT_EQ(parseDrawHistory(game3d(), lines).badLines, (std::vector<int> { 2, 16 }));
}

TEST(parseDrawHistory, BadLineListStopsAtOneHundred)
{
    // The first hundred numbers, ten to a line, as the short list writes them.
    std::string first100;
    for (int i = 1; i <= 100; ++i)
        first100 += std::to_string(i) + (i % 10 == 0 ? ",\r\n" : ",");
    struct Row {
        const char* name;
        int badLines;
        std::string expected;
    } rows[] = {
        { "exactly one hundred: no count", 100, kBadHeader + first100 },
        { "one more: the count follows", 101, kBadHeader + first100 + "…等，共101行" },
        { "a million", 1000000, kBadHeader + first100 + "…等，共1000000行" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Parse p(std::vector<std::string>(static_cast<std::size_t>(row.badLines), "x"));
        ASSERT_EQ(p.messages.size(), 1u);
        EXPECT_EQ(p.messages[0], row.expected);
    }
}

TEST(parseDrawHistory, EmptyTextGivesEmptyHistory)
{
    Parse p({}, DrawHistory { { 2001, 1, 2, 3, 4, 5 } });
    EXPECT_TRUE(p.ok);
    EXPECT_TRUE(p.history.empty());
    EXPECT_TRUE(p.messages.empty());
}

TEST(parseDrawHistory, NewHistoryNeverMixesOldRecords)
{
    const DrawHistory old(5, DrawRecord { 1999, 9, 9, 9, 9, 9 });
    Parse p({ "2004001,001,002,3,4", "2004002,005,006,7,8" }, old);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.history, (DrawHistory { { 2004, 1, 2, 1, 3, 4 }, { 2004, 2, 6, 5, 7, 8 } }));
}

// Each game's line rule, and that a line of one game is a bad line of the other.
TEST(parseDrawLine, LineRuleOfEachGame)
{
    struct Row {
        const char* name;
        std::string line;
        std::optional<DrawRecord> in3d;
        std::optional<DrawRecord> inPl3;
    };
    const std::optional<DrawRecord> none;
    const DrawRecord pl3Draw { 2004, 1, 0, 192, 0, 0 };
    const std::vector<Row> rows = {
        { "a 3D line", "2004001,192,345,1,2", DrawRecord { 2004, 1, 345, 192, 1, 2 }, none },
        { "a 排列三 line", "2004001,192", none, pl3Draw },
        { "排列三 with a trailing comma", "2004001,192,", none, pl3Draw },
        { "排列三 with empty items between", ",2004001,,192,,", none, pl3Draw },
        { "排列三 with blanks around the line", " \t2004001,192 \r", none, pl3Draw },
        { "a blank third item", "2004001,192, ,", none, none },
        { "the faked test code of old", "2004001,192,,0,0", none, none },
        { "a third item", "2004001,192,000", none, none },
        { "a blank inside an item", "2004001 ,192", none, none },
        { "a five-digit issue", "20041,192", none, none },
        { "a two-digit code", "2004001,19", none, none },
        { "a letter for a digit", "2004001,19O", none, none },
        { "full-width digits", "2004001,１９２", none, none },
        { "a lost byte", "2004001,192\xEF\xBF\xBD", none, none },
        { "a zero byte at the end", std::string("2004001,192\0", 12), none, none },
        { "a zero byte in an ignored 3D item", std::string("2004001,192,345,1,2,\0", 21), none, none },
        { "issue alone", "2004001", none, none },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(parseDrawLine(game3d(), row.line), row.in3d);
        EXPECT_EQ(parseDrawLine(gamePl3(), row.line), row.inPl3);
    }
}

TEST(formatDrawLine, EachGamesForm)
{
    const DrawRecord draw { 2026, 7, 45, 3, 1, 2 };
    EXPECT_EQ(formatDrawLine(game3d(), draw), "2026007,003,045,1,2");
    EXPECT_EQ(formatDrawLine(gamePl3(), draw), "2026007,003");
}

// The shipped histories are each valid in their own game and bad throughout in the other.
TEST(parseDrawHistory, BuiltInHistoriesBelongToTheirGame)
{
    for (const Game* game : allGames()) {
        SCOPED_TRACE(std::string(game->key));
        const std::vector<std::string> lines = splitLines(game->builtInHistory());
        const ParsedHistory own = parseDrawHistory(*game, lines);
        ASSERT_TRUE(own.ok());
        const Game& other = game == &game3d() ? gamePl3() : game3d();
        EXPECT_EQ(parseDrawHistory(other, lines).badLines.size(), lines.size());
        for (std::size_t i = 0; i < lines.size(); i += 97)
            EXPECT_EQ(formatDrawLine(*game, own.history[i]), lines[i]);
    }
    EXPECT_EQ(parseDrawHistory(gamePl3(), splitLines(gamePl3().builtInHistory())).history.size(), 7732u);
}
