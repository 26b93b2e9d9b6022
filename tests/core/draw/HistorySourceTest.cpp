#include "core/draw/HistorySource.h"
#include "core/draw/DrawText.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(HistorySource, PublicHistoryLines)
{
    struct Row {
        const char* name;
        std::string line;
        PublicLineKind kind;
        std::string drawLine;
    };
    const std::vector<Row> rows = {
        { "empty line", "", PublicLineKind::Skipped, "" },
        { "blank line", " \t ", PublicLineKind::Skipped, "" },
        { "header", "期号 日期 百 十 个 试1 试2 试3 机号 球号", PublicLineKind::Skipped, "" },
        { "six-digit start", "202615 2026-06-14 4 0 9 9 0 3 1 1", PublicLineKind::Skipped, "" },
        { "eight-digit start", "20261551 2026-06-14 4 0 9 9 0 3 1 1", PublicLineKind::Skipped, "" },
        { "issue alone", "2026155", PublicLineKind::Bad, "" },
        { "nine fields", "2026155 2026-06-14 4 0 9 9 0 3 1", PublicLineKind::Bad, "" },
        { "two-digit machine number", "2026155 2026-06-14 4 0 9 9 0 3 10 1", PublicLineKind::Bad, "" },
        { "letter for a digit", "2026155 2026-06-14 4 O 9 9 0 3 1 1", PublicLineKind::Bad, "" },
        { "digits written together", "2026155 2026-06-14 409 903 1 1 0 0 0 0", PublicLineKind::Bad, "" },
        { "exactly ten fields", "2026155 2026-06-14 4 0 9 9 0 3 1 1", PublicLineKind::Draw,
            "2026155,409,903,1,1" },
        { "sales and prizes ignored", "2026155 2026-06-14 4 0 9 9 0 3 1 1 106919648 18035 1040 0 0",
            PublicLineKind::Draw, "2026155,409,903,1,1" },
        { "tabs and surrounding blanks", "  2004001\t2004-10-18\t0 0 0\t1 2 3\t2 1 \r", PublicLineKind::Draw,
            "2004001,000,123,2,1" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string drawLine;
        EXPECT_EQ(convertPublicHistoryLine(game3d(), row.line, drawLine), row.kind);
        if (row.kind == PublicLineKind::Draw) {
            EXPECT_EQ(drawLine, row.drawLine);
        }
    }
}

TEST(HistorySource, ReadsEitherFormat)
{
    struct Row {
        const char* name;
        std::string text;
        SourceStatus status;
        std::vector<std::string> lines;
        std::string message;
    };
    const std::string bad = std::string(kBadLinesMessage) + "\r\n";
    const std::vector<Row> rows = {
        { "empty text", "", SourceStatus::NoDraws, {}, "" },
        { "an error page", "<html>\r\n<body>404 Not Found</body>\r\n</html>\r\n", SourceStatus::NoDraws, {},
            "" },
        { "an error page with commas", "<p>Sorry, not found</p>\r\n<a>1,2</a>\r\n", SourceStatus::NoDraws, {},
            "" },
        { "draw-data line with a lost byte in an ignored item",
            "2026001,111,222,0,0\r\n2026002,333,444,0,0,\xEF\xBF\xBD\r\n", SourceStatus::BadLines, {},
            bad + "2," },
        { "public line with a lost byte past the ten fields",
            "2026154 2026-06-13 1 2 3 4 5 6 0 0 \xEF\xBF\xBD\r\n2026155 2026-06-14 4 0 9 9 0 3 1 1\r\n",
            SourceStatus::BadLines, {}, bad + "1," },
        { "draw-data text as it stands", "2026001,111,222,0,0,x\r\n 2026002,333,444,1,2\n", SourceStatus::Ok,
            { "2026001,111,222,0,0,x", " 2026002,333,444,1,2" }, "" },
        { "draw-data text with a bad line", "2026001,111,222,0,0\r\n\r\n2026003,333,444,1\r\n",
            SourceStatus::BadLines, {}, bad + "2,3," },
        { "public history after a header",
            "期号 日期 百 十 个\r\n\r\n2026154 2026-06-13 1 2 3 4 5 6 0 0 9\r\n2026155 2026-06-14 4 0 9 9 0 "
            "3 1 1 9\r\n",
            SourceStatus::Ok, { "2026154,123,456,0,0", "2026155,409,903,1,1" }, "" },
        { "public history bad lines counted with the header",
            "期号\r\n2026154 2026-06-13 1 2 3 4 5 6 0 0\r\n2026155 x\r\n\r\n2026156 2026-06-15 1 2 3 4 5 6 "
            "0\r\n",
            SourceStatus::BadLines, {}, bad + "3,5," },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string message;
        const SourceHistory source
            = readSourceHistory(game3d(), row.text, [&](const std::string& m) { message += m; });
        EXPECT_EQ(source.status, row.status);
        EXPECT_EQ(source.lines, row.lines);
        EXPECT_EQ(message, row.message);
    }
}

TEST(HistorySource, PublicPl3Lines)
{
    struct Row {
        const char* name;
        std::string line;
        PublicLineKind kind;
        std::string drawLine;
    };
    const std::vector<Row> rows = {
        { "header", "期号 日期 百 十 个", PublicLineKind::Skipped, "" },
        { "five fields", "2026257 2026-09-24 4 9 3", PublicLineKind::Draw, "2026257,493" },
        { "sales and prizes ignored", "2026257 2026-09-24 4 9 3 93402486 1040 346 173", PublicLineKind::Draw,
            "2026257,493" },
        { "a 3D public line reads its draw code", "2026155 2026-06-14 4 0 9 9 0 3 1 1", PublicLineKind::Draw,
            "2026155,409" },
        { "four fields", "2026257 2026-09-24 4 9", PublicLineKind::Bad, "" },
        { "a digit field of two digits", "2026257 2026-09-24 4 93 3", PublicLineKind::Bad, "" },
        { "digits written together", "2026257 2026-09-24 493 1 2", PublicLineKind::Bad, "" },
        { "a lost byte", "2026257 2026-09-24 4 9 3 \xEF\xBF\xBD", PublicLineKind::Bad, "" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string drawLine;
        EXPECT_EQ(convertPublicHistoryLine(gamePl3(), row.line, drawLine), row.kind);
        if (row.kind == PublicLineKind::Draw) {
            EXPECT_EQ(drawLine, row.drawLine);
        }
    }
}

TEST(HistorySource, Pl3SourcesInEitherFormat)
{
    const std::string bad = std::string(kBadLinesMessage) + "\r\n";
    std::string message;
    const auto collect = [&](const std::string& m) { message += m; };
    SourceHistory source = readSourceHistory(gamePl3(), "2026256,101\r\n2026257,493\r\n", collect);
    EXPECT_EQ(source.status, SourceStatus::Ok);
    EXPECT_EQ(source.lines, (std::vector<std::string> { "2026256,101", "2026257,493" }));
    source = readSourceHistory(gamePl3(), "2026256,101\r\n2026257,493,000,0,0\r\n", collect);
    EXPECT_EQ(source.status, SourceStatus::BadLines);
    EXPECT_EQ(message, bad + "2,");
    message.clear();
    source = readSourceHistory(gamePl3(), "期号 日期\n2026256 2026-09-23 1 0 1 9\n2026257 x 4 9\n", collect);
    EXPECT_EQ(source.status, SourceStatus::BadLines);
    EXPECT_EQ(message, bad + "3,");
    message.clear();
    source = readSourceHistory(game3d(), "2026256,101\r\n", collect);
    EXPECT_EQ(source.status, SourceStatus::BadLines);
    EXPECT_EQ(message, bad + "1,");
}

// The real history written in the public layout reads back as the real draw lines.
TEST(HistorySource, RealHistoryInThePublicLayout)
{
    const std::vector<std::string> real = splitLines(test::ReadBytes(VELMORA_HISTORY_FILE));
    if (real.size() != 8684)
        GTEST_SKIP() << "real history not found";
    std::string text = "期号 开奖日期 开奖号码 试机号 机号 球号 销售额\n";
    for (const std::string& line : real) {
        text += line.substr(0, 7) + " 2026-01-01";
        for (const char c : line.substr(8, 3) + line.substr(12, 3) + line.substr(16, 1) + line.substr(18, 1))
            text += std::string(" ") + c;
        text += " 123456 7 8\n";
    }
    const SourceHistory source = readSourceHistory(game3d(), text, {});
    ASSERT_EQ(source.status, SourceStatus::Ok);
    EXPECT_EQ(source.lines, real);
}
