// The ledger against real SQLite files in a temporary folder.
#include "core/ledger/Ledger.h"
#include "TempDir.h"
#include "core/io/TextFile.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <thread>

using namespace velmora;
using velmora::test::ReadBytes;
using velmora::test::TempDir;
using velmora::test::WriteBytes;

namespace {

Ticket MakeTicket(int issue, Play play, std::vector<int> bets, int multiple = 1, std::string note = {})
{
    Ticket t;
    t.issue = issue;
    t.play = play;
    t.bets = std::move(bets);
    t.multiple = multiple;
    t.note = std::move(note);
    return t;
}

// Runs SQL on the file as another program would; the connection stays open while it lives.
class RawDatabase {
public:
    explicit RawDatabase(const std::string& path) { sqlite3_open(path.c_str(), &m_db); }
    ~RawDatabase() { sqlite3_close(m_db); }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;
    int exec(const std::string& sql) { return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr); }
    int userVersion()
    {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(m_db, "PRAGMA user_version", -1, &s, nullptr);
        sqlite3_step(s);
        const int version = sqlite3_column_int(s, 0);
        sqlite3_finalize(s);
        return version;
    }

private:
    sqlite3* m_db = nullptr;
};

std::vector<long long> IdsOf(const std::vector<Ticket>& tickets)
{
    std::vector<long long> ids;
    for (const Ticket& t : tickets)
        ids.push_back(t.id);
    return ids;
}

std::string ErrorOf(const std::string& path, int busyMs = kLedgerBusyTimeoutMs)
{
    try {
        Ledger ledger(path, Ledger::OpenMode::Create, busyMs);
        ledger.add(MakeTicket(2026001, Play::Direct, { 1 }));
    } catch (const FileError& e) {
        return e.what();
    }
    return {};
}

} // namespace

TEST(Ledger, AddListByRangeRemoveAndReopen)
{
    TempDir dir;
    const std::string path = dir.File("velmora.db");
    {
        Ledger ledger(path, Ledger::OpenMode::Create);
        EXPECT_EQ(ledger.add(MakeTicket(2026177, Play::Direct, { 123, 456 }, 2, "晚上")), 1);
        EXPECT_EQ(ledger.add(MakeTicket(2026100, Play::Group, { 38 }, 1, "a,\"b\"\n")), 2);
        EXPECT_EQ(ledger.add(MakeTicket(2026177, Play::Group, { 789, 112, 789 }, 99)), 3);
        EXPECT_EQ(ledger.add(MakeTicket(2026200, Play::Direct, { 0 })), 4);
        // Issue first, then id.
        EXPECT_EQ(IdsOf(ledger.tickets()), (std::vector<long long> { 2, 1, 3, 4 }));
        EXPECT_EQ(IdsOf(ledger.tickets({ 2026101, 2026177 })), (std::vector<long long> { 1, 3 }));
        EXPECT_EQ(IdsOf(ledger.tickets({ 2026178, 2026199 })), (std::vector<long long> {}));
        // The highest id removed is not given again.
        EXPECT_TRUE(ledger.remove(4));
        EXPECT_FALSE(ledger.remove(4));
        EXPECT_EQ(ledger.add(MakeTicket(2026200, Play::Direct, { 999 })), 5);
    }
    const std::vector<Ticket> reopened = Ledger(path, Ledger::OpenMode::Existing).tickets();
    ASSERT_EQ(reopened.size(), 4u);
    Ticket expected = MakeTicket(2026100, Play::Group, { 38 }, 1, "a,\"b\"\n");
    expected.id = 2;
    expected.enteredAt = reopened[0].enteredAt;
    EXPECT_EQ(reopened[0], expected);
    EXPECT_EQ(reopened[0].enteredAt.size(), 19u); // YYYY-MM-DD HH:MM:SS
    EXPECT_EQ(reopened[2].bets, (std::vector<int> { 112, 789 }));
    EXPECT_EQ(reopened[2].multiple, 99);
    EXPECT_EQ(IdsOf(readLedger(path, { 2026200, 2026200 })), (std::vector<long long> { 5 }));
    EXPECT_TRUE(readLedger(dir.File("missing.db")).empty());
}

TEST(Ledger, MigratesAnEmptyFileAndAnEmptyDatabase)
{
    TempDir dir;
    const std::string emptyFile = dir.File("empty.db");
    WriteBytes(emptyFile, "");
    const std::string emptyDatabase = dir.File("blank.db");
    RawDatabase(emptyDatabase).exec("VACUUM");
    for (const std::string& path : { emptyFile, emptyDatabase }) {
        // Read and removed from, it stays as it was: only a ticket makes it a ledger.
        const std::string before = ReadBytes(path);
        EXPECT_TRUE(readLedger(path).empty());
        EXPECT_FALSE(Ledger(path, Ledger::OpenMode::Existing).remove(1));
        EXPECT_TRUE(ReadBytes(path) == before) << path;
        EXPECT_EQ(Ledger(path, Ledger::OpenMode::Existing).add(MakeTicket(2026001, Play::Direct, { 5 })), 1);
        EXPECT_EQ(RawDatabase(path).userVersion(), 1) << path;
        EXPECT_EQ(readLedger(path).size(), 1u) << path;
    }
    EXPECT_THROW(Ledger(dir.File("none.db"), Ledger::OpenMode::Existing), FileError);
}

TEST(Ledger, ForeignDamagedOrNewerFilesAreReportedAndLeftUnchanged)
{
    TempDir dir;
    const std::string text = dir.File("text.db");
    WriteBytes(text, std::string(5000, 'x'));
    const std::string foreign = dir.File("foreign.db");
    RawDatabase(foreign).exec("CREATE TABLE things (a); INSERT INTO things VALUES (1)");
    const std::string newer = dir.File("newer.db");
    Ledger(newer, Ledger::OpenMode::Create);
    RawDatabase(newer).exec("PRAGMA user_version = 7");
    // Enough tickets for several pages; then a page in the middle is overwritten.
    const std::string damaged = dir.File("damaged.db");
    {
        Ledger ledger(damaged, Ledger::OpenMode::Create);
        for (int i = 0; i < 300; ++i)
            ledger.add(MakeTicket(2026001 + i, Play::Direct, { i, i + 1 }, 1, std::string(40, 'n')));
    }
    std::string bytes = ReadBytes(damaged);
    ASSERT_GT(bytes.size(), 4u * 4096);
    bytes.replace(3 * 4096, 4096, std::string(4096, '\x5a'));
    WriteBytes(damaged, bytes);

    const struct {
        std::string path;
        const char* reason;
    } rows[] = {
        { text, "不是投注记录数据库" },
        { foreign, "不是投注记录数据库" },
        { newer, "数据库由更新版本的程序建立" },
        { damaged, "数据库已损坏" },
    };
    for (const auto& row : rows) {
        const std::string before = ReadBytes(row.path);
        EXPECT_EQ(ErrorOf(row.path), "无法读取文件" + row.path + "：" + row.reason);
        EXPECT_TRUE(ReadBytes(row.path) == before) << row.path;
    }
}

TEST(Ledger, WaitsForAnotherProgramAndThenGivesUp)
{
    TempDir dir;
    const std::string path = dir.File("velmora.db");
    Ledger(path, Ledger::OpenMode::Create).add(MakeTicket(2026001, Play::Direct, { 1 }));

    // Held for 300 ms: the change waits and then goes through.
    RawDatabase other(path);
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.exec("COMMIT");
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Ledger(path, Ledger::OpenMode::Existing).add(MakeTicket(2026002, Play::Direct, { 2 })), 2);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    release.join();

    // Held longer than the wait: the busy reason.
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    EXPECT_EQ(ErrorOf(path, 100), "无法读取文件" + path + "：数据库正被占用");
    other.exec("COMMIT");
    EXPECT_EQ(readLedger(path).size(), 2u);
}

TEST(Ledger, AddsSeveralTicketsAllOrNone)
{
    TempDir dir;
    const std::string path = dir.File("velmora.db");
    Ledger ledger(path, Ledger::OpenMode::Create);
    EXPECT_EQ(ledger.addTickets(
                  { MakeTicket(2026005, Play::Direct, { 1 }), MakeTicket(2026006, Play::Group, { 38 }) }),
        (std::vector<long long> { 1, 2 }));
    // The last ticket's multiple is refused by the database: the first stays unrecorded too.
    EXPECT_THROW(ledger.addTickets({ MakeTicket(2026007, Play::Direct, { 2 }),
                     MakeTicket(2026008, Play::Direct, { 3 }, 100) }),
        FileError);
    EXPECT_EQ(IdsOf(readLedger(path)), (std::vector<long long> { 1, 2 }));
    EXPECT_EQ(ledger.add(MakeTicket(2026009, Play::Direct, { 4 })), 3);
}
