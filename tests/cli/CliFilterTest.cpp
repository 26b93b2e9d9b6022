#include "cli/CliEngineTestSupport.h"

#include <gtest/gtest.h>

using namespace velmora::test;

namespace {

// The result text of the codes as velmora-cli prints it.
std::string ResultText(const std::string& leading, const std::vector<std::string>& codeLines)
{
    std::string text = leading + "\n\n";
    for (const std::string& line : codeLines)
        text += line + "\n";
    return text + "\n";
}

} // namespace

TEST(CliFilter, PrintsTheResultText)
{
    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 3);
    const CliResult r
        = RunCliArgs({ "filter", "--data", data, "--hundreds", "1", "--tens", "2", "--units", "3" });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, ResultText("缩水结果有1注", { "123," }));
    EXPECT_EQ(r.err, "");
}

TEST(CliFilter, OptionsReachTheirConditions)
{
    TempDir dir;
    // Latest draw code 123.
    const std::string data = WriteDraws(dir, "d.txt", 5, { 123 });
    const struct {
        const char* name;
        std::vector<std::string> options;
        const char* header;
    } rows[] = {
        { "none", {}, "缩水结果有1000注" },
        { "bankers", { "--banker", "5", "--banker", "7" }, "缩水结果有488注" },
        { "pairs in", { "--pairs-in", "23" }, "缩水结果有54注" },
        { "pairs out", { "--pairs-out", "17,39,06" }, "缩水结果有838注" },
        { "recent pairs in", { "--recent-pairs-in", "23" }, "缩水结果有54注" },
        { "digits in", { "--digits-in", "670" }, "缩水结果有657注" },
        { "digits out", { "--digits-out", "24" }, "缩水结果有512注" },
        { "empty text is empty", { "--digits-in", "" }, "缩水结果有1000注" },
        { "blank text keeps nothing", { "--digits-in", " " }, "缩水结果有0注" },
        { "text starting with a dash", { "--digits-out", "-5" }, "缩水结果有729注" },
        { "digit range", { "--min-digit", "3", "--max-digit", "6" }, "缩水结果有64注" },
        { "three runs", { "--runs", "2" }, "缩水结果有60注" },
        { "triples", { "--types", "2" }, "缩水结果有10注" },
        { "sums 28 and 29", { "--sums", "28,29" }, "缩水结果有0注" },
        { "sum tails", { "--sum-tails", "0" }, "缩水结果有100注" },
        { "smb", { "--smb", "300" }, "缩水结果有27注" },
        { "routes", { "--routes", "111" }, "缩水结果有216注" },
        { "odd", { "--odd", "3" }, "缩水结果有125注" },
        { "big", { "--big", "0" }, "缩水结果有125注" },
        { "hit group", { "--hit-group", "1259:1" }, "缩水结果有508注" },
        { "hit group text with colon", { "--hit-group", "12:59:0,2" }, "缩水结果有468注" },
        { "latest draw, no shared digit", { "--recent-draw", "3:0" }, "缩水结果有343注" },
        { "latest draw, all shared", { "--recent-draw", "3:3" }, "缩水结果有6注" },
        { "latest test code 000", { "--recent-test", "3:3" }, "缩水结果有1注" },
        { "spans", { "--spans", "0,9" }, "缩水结果有64注" },
        { "primes", { "--primes", "3" }, "缩水结果有125注" },
        { "odd by position", { "--odd-pos", "101,101" }, "缩水结果有125注" },
        { "big by position", { "--big-pos", "000,111" }, "缩水结果有250注" },
        { "prime by position", { "--prime-pos", "100" }, "缩水结果有125注" },
        { "routes by position", { "--route-pos", "000" }, "缩水结果有64注" },
        { "lows", { "--lows", "9" }, "缩水结果有1注" },
        { "mids", { "--mids", "0" }, "缩水结果有28注" },
        { "highs", { "--highs", "0,1" }, "缩水结果有8注" },
        { "pair sums", { "--pair-sums", "0:3" }, "缩水结果有2注" },
        { "pair sums, digits separated", { "--pair-sums", "0, 5;0:3" }, "缩水结果有8注" },
        { "pair diffs", { "--pair-diffs", "0:0" }, "缩水结果有720注" },
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = { "filter", "--data", data };
        args.insert(args.end(), row.options.begin(), row.options.end());
        const CliResult r = RunCliArgs(args);
        EXPECT_EQ(r.code, 0) << row.name << ": " << r.err;
        EXPECT_EQ(r.out.substr(0, r.out.find('\n')), row.header) << row.name;
    }
}

TEST(CliFilter, OutWritesTheExportFile)
{
    TempDir dir;
    const std::string data = WriteDraws(dir, "d.txt", 3);
    const std::string out = dir.File("result.txt");
    const CliResult r = RunCliArgs({ "filter", "--data", data, "--types", "2", "--out", out });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "");
    // GB18030 (GB2312) bytes of 缩水结果有10注, then CR LF lines.
    const std::string header = "\xCB\xF5\xCB\xAE\xBD\xE1\xB9\xFB\xD3\xD0"
                               "10"
                               "\xD7\xA2";
    EXPECT_EQ(ReadBytes(out), header + "\r\n\r\n000,111,222,333,444,555,666,777,888,999,\r\n\r\n");
}

TEST(CliFilter, UsageErrors)
{
    const struct {
        const char* name;
        std::vector<std::string> options;
        const char* mentions;
    } rows[] = {
        { "digit out of range", { "--hundreds", "10" }, "--hundreds" },
        { "empty list item", { "--tens", "1,,2" }, "--tens" },
        { "not a number", { "--units", "a" }, "--units" },
        { "sum out of range", { "--sums", "30" }, "--sums" },
        { "unknown pattern", { "--smb", "400" }, "--smb" },
        { "row out of range", { "--recent-draw", "4:1" }, "--recent-draw" },
        { "row without list", { "--recent-test", "2" }, "--recent-test" },
        { "count out of range", { "--odd", "4" }, "--odd" },
        { "sixth banker",
            { "--banker", "1", "--banker", "2", "--banker", "3", "--banker", "4", "--banker", "5", "--banker",
                "6" },
            "--banker" },
        { "banker out of range", { "--banker", "-1" }, "--banker" },
        { "hit group without counts", { "--hit-group", "1259" }, "--hit-group" },
        { "hit group count out of range", { "--hit-group", "1259:4" }, "--hit-group" },
        { "sixth hit group",
            { "--hit-group", "1:1", "--hit-group", "1:1", "--hit-group", "1:1", "--hit-group", "1:1",
                "--hit-group", "1:1", "--hit-group", "1:1" },
            "--hit-group" },
        { "min digit out of range", { "--min-digit", "12" }, "--min-digit" },
        { "max digit not a number", { "--max-digit", "x" }, "--max-digit" },
        { "run kind out of range", { "--runs", "3" }, "--runs" },
        { "list given twice", { "--types", "1", "--types", "2" }, "--types" },
        { "span out of range", { "--spans", "10" }, "--spans" },
        { "prime count out of range", { "--primes", "4" }, "--primes" },
        { "pattern of two characters", { "--odd-pos", "10" }, "--odd-pos" },
        { "binary pattern with a 2", { "--big-pos", "012" }, "--big-pos" },
        { "pattern of four characters", { "--prime-pos", "1010" }, "--prime-pos" },
        { "route pattern with a 3", { "--route-pos", "013" }, "--route-pos" },
        { "empty pattern item", { "--route-pos", "012," }, "--route-pos" },
        { "low out of range", { "--lows", "10" }, "--lows" },
        { "middle not a number", { "--mids", "a" }, "--mids" },
        { "high negative", { "--highs", "-1" }, "--highs" },
        { "pair sums without counts", { "--pair-sums", "05" }, "--pair-sums" },
        { "pair sums without digits", { "--pair-sums", ":1" }, "--pair-sums" },
        { "pair sums with a letter", { "--pair-sums", "0a:1" }, "--pair-sums" },
        { "pair sums count out of range", { "--pair-sums", "05:4" }, "--pair-sums" },
        { "pair diffs empty counts", { "--pair-diffs", "05:" }, "--pair-diffs" },
        { "pair diffs given twice", { "--pair-diffs", "0:1", "--pair-diffs", "1:1" }, "--pair-diffs" },
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = { "filter", "--data", "/nonexistent/never-read" };
        args.insert(args.end(), row.options.begin(), row.options.end());
        const CliResult r = RunCliArgs(args);
        EXPECT_EQ(r.code, 2) << row.name;
        EXPECT_EQ(r.out, "") << row.name;
        EXPECT_NE(r.err.find(row.mentions), std::string::npos) << row.name << ": " << r.err;
        EXPECT_NE(r.err.find("用法:"), std::string::npos) << row.name;
    }
}

TEST(CliFilter, DataErrors)
{
    TempDir dir;
    WriteBytes(dir.File("bad.txt"), "2026001,123,456,1,2\r\nbad\r\n");
    const CliResult bad = RunCliArgs({ "filter", "--data", dir.File("bad.txt") });
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.out, "");
    const CliResult missing = RunCliArgs({ "filter", "--data", dir.File("none.txt") });
    EXPECT_EQ(missing.code, 3);
    EXPECT_EQ(missing.err.rfind("无法读取文件", 0), 0u);
}
