// velmora-cli tickets: adding, listing, the report, removing and every refusal.
#include "CliRun.h"
#include "TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace velmora::test;

namespace {

// 2026001 组六 830, 2026002 组三 121, 2026003 豹子 111.
const char* const kDraws = "2026001,830,000,1,1\r\n2026002,121,000,1,1\r\n2026003,111,000,1,1\r\n";
// The same draws as 排列三 draws, in a file of that game beside the other.
const char* const kPl3Draws = "2026001,830\r\n2026002,121\r\n2026003,111\r\n";

class CliTickets : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteBytes(m_data, kDraws);
        WriteBytes(m_pl3Data, kPl3Draws);
    }
    // With the game's data file; the ledger is velmora.db beside it.
    CliResult run(std::vector<std::string> args, const std::string& input = {})
    {
        const bool pl3
            = std::search(args.begin(), args.end(), kPl3Option.begin(), kPl3Option.end()) != args.end();
        args.insert(args.end(), { "--data", pl3 ? m_pl3Data : m_data });
        return RunCliWithInput(args, input);
    }
    CliResult add(const std::string& issue, const std::string& play, const std::string& codes,
        std::vector<std::string> extra = {})
    {
        std::vector<std::string> args = { "tickets", "add", "--issue", issue, "--play", play, "-" };
        args.insert(args.end(), extra.begin(), extra.end());
        return run(args, codes);
    }
    TempDir m_dir;
    std::string m_data = m_dir.File("lotdata.ldf");
    std::string m_pl3Data = m_dir.File("pl3data.ldf");
    const std::vector<std::string> kPl3Option { "--game", "pl3" };
    std::string m_db = m_dir.File("velmora.db");
};

} // namespace

TEST_F(CliTickets, AddListReportRemove)
{
    const struct {
        std::string issue, play, codes;
        std::vector<std::string> extra;
        const char* out;
    } adds[] = {
        { "2026001", "direct", "830 123 830", {}, "已记入第1号投注：2026001期，直选2注，1倍，共4元\n" },
        { "2026002", "group", "211,112 345", { "--multiple", "3", "--note", "a,\"b\"" },
            "已记入第2号投注：2026002期，组选2注，3倍，共12元\n" },
        { "2026003", "group", "038", { "--note", "" }, "已记入第3号投注：2026003期，组选1注，1倍，共2元\n" },
        { "2026099", "direct", "001", { "--multiple", "99", "--note", "-x" },
            "已记入第4号投注：2026099期，直选1注，99倍，共198元\n" },
        { "2026001", "group", "308", { "--multiple", "05" },
            "已记入第5号投注：2026001期，组选1注，5倍，共10元\n" },
    };
    for (const auto& a : adds) {
        const CliResult r = add(a.issue, a.play, a.codes, a.extra);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, a.out);
    }
    CliResult r = run({ "tickets", "list" });
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
        "编号,期号,玩法,注数,倍数,金额,开奖号,状态,中奖注数,奖金,备注,号码\n"
        "1,2026001,直选,2,1,4,830,中奖,1,1040,,123 830\n"
        "5,2026001,组选,1,5,10,830,中奖,1,865,,038\n"
        "2,2026002,组选,2,3,12,121,中奖,1,1038,\"a,\"\"b\"\"\",112 345\n"
        "3,2026003,组选,1,1,2,111,未中奖,0,0,,038\n"
        "4,2026099,直选,1,99,198,,待开奖,,,-x,001\n");
    r = run({ "tickets", "list", "--from", "2026002", "--to", "2026003" });
    EXPECT_EQ(r.out.substr(r.out.find('\n') + 1),
        "2,2026002,组选,2,3,12,121,中奖,1,1038,\"a,\"\"b\"\"\",112 345\n"
        "3,2026003,组选,1,1,2,111,未中奖,0,0,,038\n");
    r = run({ "tickets", "report" });
    EXPECT_EQ(r.out, "投注数,已开奖,中奖数,投入,奖金,盈亏,回报率\n5,4,3,28,2943,2915,10510.7%\n");
    r = run({ "tickets", "report", "--from", "2026004" });
    EXPECT_EQ(r.out, "投注数,已开奖,中奖数,投入,奖金,盈亏,回报率\n1,0,0,0,0,0,-\n");

    r = run({ "tickets", "remove", "005" });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "已删除第5号投注\n");
    r = run({ "tickets", "remove", "5" });
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "没有第5号投注\n");
    // Numbers are never given again.
    EXPECT_EQ(add("2026001", "direct", "001").out, "已记入第6号投注：2026001期，直选1注，1倍，共2元\n");
    // --db names the ledger wherever it is.
    r = RunCliArgs({ "tickets", "list", "--db", m_db, "--data", m_data, "--to", "2026001", "--game", "3d" });
    EXPECT_EQ(r.out,
        "编号,期号,玩法,注数,倍数,金额,开奖号,状态,中奖注数,奖金,备注,号码\n"
        "1,2026001,直选,2,1,4,830,中奖,1,1040,,123 830\n"
        "6,2026001,直选,1,1,2,830,未中奖,0,0,,001\n");
}

TEST_F(CliTickets, EachGameItsOwnTicketsOneSequenceOfIds)
{
    EXPECT_EQ(add("2026001", "direct", "830").out, "已记入第1号投注：2026001期，直选1注，1倍，共2元\n");
    EXPECT_EQ(add("2026002", "group", "308 113", { "--game", "pl3" }).out,
        "已记入第2号投注：2026002期，组选2注，1倍，共4元\n");
    EXPECT_EQ(add("2026003", "direct", "111").out, "已记入第3号投注：2026003期，直选1注，1倍，共2元\n");
    EXPECT_EQ(run({ "tickets", "list", "--game", "pl3" })
                  .out.substr(sizeof("编号,期号,玩法,注数,倍数,金额,开奖号,状态,中奖注数,奖金,备注,号码")),
        "2,2026002,组选,2,1,4,121,未中奖,0,0,,038 113\n");
    EXPECT_EQ(run({ "tickets", "report", "--game", "3d" }).out,
        "投注数,已开奖,中奖数,投入,奖金,盈亏,回报率\n2,2,2,4,2080,2076,52000.0%\n");
    // Another game's ticket is not there to remove.
    CliResult r = run({ "tickets", "remove", "2" });
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "没有第2号投注\n");
    EXPECT_EQ(run({ "tickets", "remove", "2", "--game", "pl3" }).out, "已删除第2号投注\n");
    EXPECT_EQ(add("2026004", "direct", "830", { "--game", "pl3" }).out,
        "已记入第4号投注：2026004期，直选1注，1倍，共2元\n");
}

TEST_F(CliTickets, Refusals)
{
    WriteBytes(m_dir.File("codes.txt"), "123");
    const struct {
        std::vector<std::string> args;
        std::string input;
        int code;
        std::string err; // the whole of stderr for a refusal, else its start
    } rows[] = {
        { { "tickets", "add", "--issue", "2026001", "--play", "direct", "-" }, " ,;\r\n、", 1, "没有号码\n" },
        { { "tickets", "add", "--issue", "2026001", "--play", "direct", "-" }, "123 1234,12a\n", 1,
            "号码有误：1234、12a\n" },
        // The offending items come before the 豹子 refusal; a header line holds none.
        { { "tickets", "add", "--issue", "2026001", "--play", "group", "-" }, "直选共2注\n000 １２３\n", 1,
            "号码有误：１２３\n" },
        { { "tickets", "add", "--issue", "2026001", "--play", "group", "-" }, "000 830 111", 1,
            "豹子号码不能按组选投注：000,111\n" },
        { { "tickets", "add", "--issue", "202601", "--play", "direct", "-" }, "123", 2, "--issue" },
        { { "tickets", "add", "--issue", "2026000", "--play", "direct", "-" }, "123", 2, "--issue" },
        { { "tickets", "add", "--issue", "2026001", "--play", "both", "-" }, "123", 2, "--play" },
        { { "tickets", "add", "--play", "direct", "-" }, "123", 2, "--issue" },
        { { "tickets", "add", "--issue", "2026001", "--play", "direct" }, "123", 2, "LIST" },
        { { "tickets", "add", "--issue", "2026001", "--play", "direct", "-", "--multiple", "0" }, "123", 2,
            "--multiple" },
        { { "tickets", "add", "--issue", "2026001", "--play", "direct", "-", "--multiple", "100" }, "123", 2,
            "--multiple" },
        { { "tickets", "add", "--issue", "2026001", "--play", "direct", "-", "--multiple", "" }, "123", 2,
            "--multiple" },
        { { "tickets", "add", "--issue", "2026001", "--play", "direct", m_dir.File("none.txt") }, "", 3,
            "无法读取文件" + m_dir.File("none.txt") + "：" },
        { { "tickets", "list", "--from", "2026" }, "", 2, "--from" },
        { { "tickets", "report", "--to", "x" }, "", 2, "--to" },
        { { "tickets", "remove", "-1" }, "", 2, "ID" },
        { { "tickets", "remove" }, "", 2, "ID" },
        { { "tickets", "remove", "3" }, "", 1, "没有第3号投注\n" },
        { { "tickets", "remove", std::string(100, '9') }, "", 1,
            "没有第" + std::string(60, '9') + "…号投注\n" },
        { { "tickets", "list", "--game", "ssq" }, "", 2, "--game" },
        { { "tickets", "add", "--issue", "2026001", "--play", "direct", "-", "--game", "" }, "123", 2,
            "--game" },
        { { "tickets", "add", "--issue", "2026001", "--play", "direct", "-", "--note",
              std::string(201, 'n') },
            "123", 2, "--note" },
        { { "tickets", "add", "--issue", "2026001", "--play", "direct", "-", "--note", "\xff\xfe" }, "123", 2,
            "--note" },
        { { "tickets" }, "", 2, "A subcommand is required" },
        { { "tickets", "bogus" }, "", 2,
            "tickets: unknown command \"bogus\"\n用法:\n  velmora-cli tickets add" },
        { { "tickets", "add", "--issue", "2026001", "--play", "direct", m_dir.File("codes.txt"), "extra" },
            "", 2, "The following argument" },
    };
    for (const auto& row : rows) {
        const CliResult r = run(row.args, row.input);
        EXPECT_EQ(r.code, row.code) << row.args.back() << ": " << r.err;
        EXPECT_EQ(r.err.substr(0, row.code == 1 ? std::string::npos : row.err.size()), row.err)
            << row.args.back();
        EXPECT_EQ(r.out, "");
    }
    // A message repeats at most 60 characters of what was given.
    const CliResult longIssue = run({ "tickets", "list", "--from", std::string(120000, '1') });
    EXPECT_EQ(longIssue.code, 2);
    EXPECT_NE(longIssue.err.find("\"" + std::string(60, '1') + "…\""), std::string::npos);
    EXPECT_LT(longIssue.err.size(), 2000u);
    // A note of 200 characters is taken.
    std::string note;
    for (int i = 0; i < 200; ++i)
        note += "注";
    EXPECT_EQ(add("2026001", "direct", "123", { "--note", note }).code, 0);
    std::filesystem::remove(m_db);
    // Adding and removing read the history as every command does.
    WriteBytes(m_data, "2026001,830\n");
    EXPECT_EQ(add("2026002", "direct", "123").code, 1);
    EXPECT_EQ(run({ "tickets", "remove", "1" }).code, 1);
    // Nothing was recorded, so no ledger was made.
    EXPECT_FALSE(std::filesystem::exists(m_db));
}

TEST_F(CliTickets, ALedgerMadeBeforeGamesIsReadAsItIsUntilTheFirstAdd)
{
    const std::string v1 = ReadBytes(std::string(VELMORA_TEST_DATA_DIR) + "/ledger-v1.db");
    WriteBytes(m_db, v1);
    const CliResult listed = run({ "tickets", "list", "--to", "2026002" });
    EXPECT_EQ(listed.out,
        "编号,期号,玩法,注数,倍数,金额,开奖号,状态,中奖注数,奖金,备注,号码\n"
        "1,2026001,直选,2,1,4,830,中奖,1,1040,,123 830\n"
        "5,2026001,组选,1,5,10,830,中奖,1,865,,038\n"
        "2,2026002,组选,2,3,12,121,中奖,1,1038,\"a,\"\"b\"\"\",112 345\n");
    EXPECT_EQ(run({ "tickets", "report", "--game", "pl3" }).out,
        "投注数,已开奖,中奖数,投入,奖金,盈亏,回报率\n0,0,0,0,0,0,-\n");
    EXPECT_EQ(run({ "tickets", "remove", "1", "--game", "pl3" }).code, 1);
    EXPECT_EQ(run({ "tickets", "remove", "6" }).code, 1);
    EXPECT_TRUE(ReadBytes(m_db) == v1);
    EXPECT_FALSE(std::filesystem::exists(m_db + "-wal"));
    // The next number follows the highest ever given (6, removed).
    EXPECT_EQ(add("2026009", "direct", "001", { "--game", "pl3" }).out,
        "已记入第7号投注：2026009期，直选1注，1倍，共2元\n");
    EXPECT_EQ(run({ "tickets", "report" }).out,
        "投注数,已开奖,中奖数,投入,奖金,盈亏,回报率\n5,4,3,28,2943,2915,10510.7%\n");
}

TEST_F(CliTickets, MissingDamagedAndForeignLedgers)
{
    // A missing ledger: the headers only, and nothing is made.
    EXPECT_EQ(run({ "tickets", "list" }).out,
        "编号,期号,玩法,注数,倍数,金额,开奖号,状态,中奖注数,奖金,备注,号码\n");
    EXPECT_EQ(run({ "tickets", "report" }).out, "投注数,已开奖,中奖数,投入,奖金,盈亏,回报率\n");
    EXPECT_FALSE(std::filesystem::exists(m_db));

    WriteBytes(m_db, "this is not a database, but the user's own file\n");
    for (const std::vector<std::string>& args :
        std::vector<std::vector<std::string>> { { "tickets", "list" }, { "tickets", "remove", "1" },
            { "tickets", "add", "--issue", "2026001", "--play", "direct", "-" } }) {
        const CliResult r = run(args, "123");
        EXPECT_EQ(r.code, 3) << args[1];
        EXPECT_EQ(r.err, "无法读取文件" + m_db + "：不是投注记录数据库\n");
    }
    EXPECT_EQ(ReadBytes(m_db), "this is not a database, but the user's own file\n");
    // Only a regular file is a ledger; nothing is made beside anything else.
    std::filesystem::create_directory(m_dir.File("folder.db"));
    for (const std::string& db : { std::string("/dev/null"), m_dir.File("folder.db") }) {
        const CliResult r = RunCliWithInput(
            { "tickets", "add", "--issue", "2026001", "--play", "direct", "-", "--db", db, "--data", m_data },
            "123");
        EXPECT_EQ(r.code, 3) << db;
        EXPECT_EQ(r.err, "无法读取文件" + db + "：不是普通文件\n");
    }
    EXPECT_FALSE(std::filesystem::exists("/dev/null-journal"));

    // An empty file is an empty ledger, left empty until a ticket is added.
    WriteBytes(m_db, "");
    EXPECT_EQ(
        run({ "tickets", "report" }).out, "投注数,已开奖,中奖数,投入,奖金,盈亏,回报率\n0,0,0,0,0,0,-\n");
    EXPECT_EQ(run({ "tickets", "remove", "1" }).code, 1);
    EXPECT_EQ(ReadBytes(m_db), "");
    EXPECT_EQ(add("2026001", "direct", "830").code, 0);

    // A note stored by an earlier program as malformed UTF-8 is printed as U+FFFD.
    ASSERT_EQ(add("2026002", "direct", "830", { "--note", "x" }).code, 0);
    sqlite3* db = nullptr;
    sqlite3_open(m_db.c_str(), &db);
    sqlite3_exec(
        db, "UPDATE tickets SET note = CAST(x'61ff62' AS TEXT) WHERE id = 2", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(run({ "tickets", "list", "--from", "2026002" })
                  .out.substr(sizeof("编号,期号,玩法,注数,倍数,金额,开奖号,状态,中奖注数,奖金,备注,号码")),
        "2,2026002,直选,1,1,2,121,未中奖,0,0,a\uFFFDb,830\n");
}
