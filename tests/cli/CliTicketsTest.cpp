// velmora-cli tickets: adding, listing, the report, removing and every refusal.
#include "CliRun.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace velmora::test;

namespace {

// 2026001 组六 830, 2026002 组三 121, 2026003 豹子 111.
const char* const kDraws = "2026001,830,000,1,1\r\n2026002,121,000,1,1\r\n2026003,111,000,1,1\r\n";

class CliTickets : public ::testing::Test {
protected:
    void SetUp() override { WriteBytes(m_data, kDraws); }
    // With the data file; the ledger is velmora.db beside it.
    CliResult run(std::vector<std::string> args, const std::string& input = {})
    {
        args.insert(args.end(), { "--data", m_data });
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
        "编号,期号,玩法,注数,倍数,金额,开奖号,状态,中奖注数,奖金,备注\n"
        "1,2026001,直选,2,1,4,830,中奖,1,1040,\n"
        "5,2026001,组选,1,5,10,830,中奖,1,865,\n"
        "2,2026002,组选,2,3,12,121,中奖,1,1038,\"a,\"\"b\"\"\"\n"
        "3,2026003,组选,1,1,2,111,未中奖,0,0,\n"
        "4,2026099,直选,1,99,198,,待开奖,,,-x\n");
    r = run({ "tickets", "list", "--from", "2026002", "--to", "2026003" });
    EXPECT_EQ(r.out.substr(r.out.find('\n') + 1),
        "2,2026002,组选,2,3,12,121,中奖,1,1038,\"a,\"\"b\"\"\"\n"
        "3,2026003,组选,1,1,2,111,未中奖,0,0,\n");
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
    r = RunCliArgs({ "tickets", "list", "--db", m_db, "--data", m_data, "--to", "2026001" });
    EXPECT_EQ(r.out,
        "编号,期号,玩法,注数,倍数,金额,开奖号,状态,中奖注数,奖金,备注\n"
        "1,2026001,直选,2,1,4,830,中奖,1,1040,\n"
        "6,2026001,直选,1,1,2,830,未中奖,0,0,\n");
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
    // Adding and removing read the history as every command does.
    WriteBytes(m_data, "2026001,830\n");
    EXPECT_EQ(add("2026002", "direct", "123").code, 1);
    EXPECT_EQ(run({ "tickets", "remove", "1" }).code, 1);
    // Nothing was recorded, so no ledger was made.
    EXPECT_FALSE(std::filesystem::exists(m_db));
}

TEST_F(CliTickets, MissingDamagedAndForeignLedgers)
{
    // A missing ledger: the headers only, and nothing is made.
    EXPECT_EQ(
        run({ "tickets", "list" }).out, "编号,期号,玩法,注数,倍数,金额,开奖号,状态,中奖注数,奖金,备注\n");
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

    // An empty file is an empty ledger, left empty until a ticket is added.
    WriteBytes(m_db, "");
    EXPECT_EQ(
        run({ "tickets", "report" }).out, "投注数,已开奖,中奖数,投入,奖金,盈亏,回报率\n0,0,0,0,0,0,-\n");
    EXPECT_EQ(run({ "tickets", "remove", "1" }).code, 1);
    EXPECT_EQ(ReadBytes(m_db), "");
    EXPECT_EQ(add("2026001", "direct", "830").code, 0);
}
