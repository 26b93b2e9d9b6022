// The ledger against real SQLite files in a temporary folder.
#include "core/ledger/Ledger.h"
#include "TempDir.h"
#include "core/io/TextFile.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sqlite3.h>
#include <thread>
#include <unistd.h>

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

const Game& k3d = game3d();
const Game& kPl3 = gamePl3();

// What refusing a file leaves: the reason of each command, and the file with
// nothing beside it that was not there before.
struct Refusals {
    std::string read, add, remove;
};

Refusals RefusalsOf(const std::string& path, int busyMs = kLedgerBusyTimeoutMs)
{
    const auto errorOf = [&](const auto& command) {
        try {
            command();
        } catch (const FileError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    return {
        errorOf([&] { Ledger(path, busyMs).tickets(k3d); }),
        errorOf([&] { Ledger(path, busyMs).add(kPl3, MakeTicket(2026001, Play::Direct, { 1 })); }),
        errorOf([&] { Ledger(path, busyMs).remove(k3d, 1); }),
    };
}

std::vector<std::string> FilesIn(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(Ledger, AddListByRangeRemoveAndReopen)
{
    TempDir dir;
    const std::string path = dir.File("velmora.db");
    {
        Ledger ledger(path);
        EXPECT_EQ(ledger.schemaVersion(), 0);
        EXPECT_EQ(ledger.add(k3d, MakeTicket(2026177, Play::Direct, { 123, 456 }, 2, "晚上")), 1);
        EXPECT_EQ(ledger.add(k3d, MakeTicket(2026100, Play::Group, { 38 }, 1, "a,\"b\"\n")), 2);
        EXPECT_EQ(ledger.add(kPl3, MakeTicket(2026177, Play::Group, { 789, 112, 789 }, 99)), 3);
        EXPECT_EQ(ledger.add(k3d, MakeTicket(2026200, Play::Direct, { 0 })), 4);
        EXPECT_EQ(ledger.schemaVersion(), kLedgerSchemaVersion);
        // Issue first, then id; each game its own tickets.
        EXPECT_EQ(IdsOf(ledger.tickets(k3d)), (std::vector<long long> { 2, 1, 4 }));
        EXPECT_EQ(IdsOf(ledger.tickets(kPl3)), (std::vector<long long> { 3 }));
        EXPECT_EQ(IdsOf(ledger.tickets(k3d, { 2026101, 2026177 })), (std::vector<long long> { 1 }));
        EXPECT_EQ(IdsOf(ledger.tickets(k3d, { 2026178, 2026199 })), (std::vector<long long> {}));
        // Another game's ticket is not there to remove; the highest id removed is not given again.
        EXPECT_FALSE(ledger.remove(kPl3, 4));
        EXPECT_TRUE(ledger.remove(k3d, 4));
        EXPECT_FALSE(ledger.remove(k3d, 4));
        EXPECT_EQ(ledger.add(kPl3, MakeTicket(2026200, Play::Direct, { 999 })), 5);
    }
    const std::vector<Ticket> reopened = Ledger(path).tickets(k3d);
    ASSERT_EQ(reopened.size(), 2u);
    Ticket expected = MakeTicket(2026100, Play::Group, { 38 }, 1, "a,\"b\"\n");
    expected.id = 2;
    expected.enteredAt = reopened[0].enteredAt;
    EXPECT_EQ(reopened[0], expected);
    EXPECT_EQ(reopened[0].enteredAt.size(), 19u); // YYYY-MM-DD HH:MM:SS
    const std::vector<Ticket> pl3 = readLedger(path, kPl3);
    ASSERT_EQ(pl3.size(), 2u);
    EXPECT_EQ(pl3[0].bets, (std::vector<int> { 112, 789 }));
    EXPECT_EQ(pl3[0].multiple, 99);
    EXPECT_EQ(IdsOf(readLedger(path, kPl3, { 2026200, 2026200 })), (std::vector<long long> { 5 }));
    EXPECT_TRUE(readLedger(dir.File("missing.db"), k3d).empty());
    // Reading leaves nothing beside the ledger; the ledger is in WAL mode.
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string> { "velmora.db" }));
    EXPECT_EQ(ReadBytes(path).substr(18, 2), std::string("\x02\x02"));
}

TEST(Ledger, UpgradesAVersionOneLedgerOnTheFirstAddOnly)
{
    // Made by the program before tickets had games: tickets 1..5, the sixth removed.
    TempDir dir;
    const std::string path = dir.File("velmora.db");
    const std::string v1 = ReadBytes(std::string(VELMORA_TEST_DATA_DIR) + "/ledger-v1.db");
    ASSERT_FALSE(v1.empty());
    WriteBytes(path, v1);
    const std::vector<Ticket> before = Ledger(path).tickets(k3d);
    EXPECT_EQ(IdsOf(before), (std::vector<long long> { 1, 5, 2, 3, 4 }));
    EXPECT_EQ(before[2].bets, (std::vector<int> { 112, 345 }));
    EXPECT_EQ(before[3].note, "晚上 买的");
    EXPECT_TRUE(Ledger(path).tickets(kPl3).empty());
    // Listing and refused removes leave it byte for byte, with nothing beside it.
    EXPECT_FALSE(Ledger(path).remove(kPl3, 1));
    EXPECT_FALSE(Ledger(path).remove(k3d, 6));
    EXPECT_TRUE(ReadBytes(path) == v1);
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string> { "velmora.db" }));
    EXPECT_EQ(Ledger(path).schemaVersion(), 1);

    EXPECT_EQ(Ledger(path).add(kPl3, MakeTicket(2026010, Play::Direct, { 7 })), 7);
    Ledger upgraded(path);
    EXPECT_EQ(upgraded.schemaVersion(), 2);
    EXPECT_EQ(RawDatabase(path).userVersion(), 2);
    std::vector<Ticket> after = upgraded.tickets(k3d);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i], before[i]) << i;
    EXPECT_EQ(IdsOf(upgraded.tickets(kPl3)), (std::vector<long long> { 7 }));

    // A version-1 ledger that cannot be upgraded is left as it was.
    WriteBytes(path, v1);
    RawDatabase held(path);
    ASSERT_EQ(held.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    EXPECT_EQ(RefusalsOf(path, 50).add, "无法读取文件" + path + "：数据库正被占用");
    held.exec("ROLLBACK");
    EXPECT_TRUE(ReadBytes(path) == v1);
}

TEST(Ledger, EmptyFileAndEmptyDatabaseAreLedgersWithoutTickets)
{
    TempDir dir;
    const std::string emptyFile = dir.File("empty.db");
    WriteBytes(emptyFile, "");
    const std::string emptyDatabase = dir.File("blank.db");
    RawDatabase(emptyDatabase).exec("VACUUM");
    for (const std::string& path : { emptyFile, emptyDatabase }) {
        // Read and removed from, it stays as it was: only a ticket makes it a ledger.
        const std::string before = ReadBytes(path);
        EXPECT_TRUE(readLedger(path, k3d).empty());
        EXPECT_FALSE(Ledger(path).remove(k3d, 1));
        EXPECT_TRUE(ReadBytes(path) == before) << path;
        EXPECT_EQ(Ledger(path).add(k3d, MakeTicket(2026001, Play::Direct, { 5 })), 1);
        EXPECT_EQ(RawDatabase(path).userVersion(), kLedgerSchemaVersion) << path;
        EXPECT_EQ(readLedger(path, k3d).size(), 1u) << path;
    }
}

TEST(Ledger, RefusedFilesAreNeverChanged)
{
    TempDir dir;
    const auto make = [&](const std::string& name, const std::string& sql, bool wal = false) {
        const std::string path = dir.File(name);
        RawDatabase db(path);
        if (wal)
            db.exec("PRAGMA journal_mode=WAL");
        db.exec(sql);
        return path;
    };
    const std::string ours = "PRAGMA application_id=1447841106;";
    const std::string v2Table
        = "CREATE TABLE tickets (id INTEGER PRIMARY KEY AUTOINCREMENT, issue INTEGER NOT NULL,"
          " play INTEGER NOT NULL, bets TEXT NOT NULL, multiple INTEGER NOT NULL,"
          " note TEXT NOT NULL, entered_at TEXT NOT NULL, game TEXT NOT NULL);"
          "CREATE INDEX tickets_by_issue ON tickets (issue, id);";
    const auto v2Row = [&](const std::string& values) {
        return ours + "PRAGMA user_version=2;" + v2Table + "INSERT INTO tickets VALUES (" + values + ");";
    };
    const std::string text = dir.File("text.db");
    WriteBytes(text, std::string(5000, 'x'));
    const std::string newer = dir.File("newer.db");
    Ledger(newer).add(k3d, MakeTicket(2026001, Play::Direct, { 1 }));
    RawDatabase(newer).exec("PRAGMA user_version = 7");
    // Enough tickets for several pages; then a page in the middle is overwritten.
    const std::string damaged = dir.File("damaged.db");
    Ledger(damaged).add(k3d, MakeTicket(2026001, Play::Direct, { 1 }));
    RawDatabase(damaged).exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)"
                              " INSERT INTO tickets (issue, play, bets, multiple, note, game)"
                              " SELECT 2026001 + i, 0, '001', 1, printf('%040d', i), '3d' FROM n");
    std::string bytes = ReadBytes(damaged);
    ASSERT_GT(bytes.size(), 4u * 4096);
    bytes.replace(3 * 4096, 4096, std::string(4096, '\x5a'));
    WriteBytes(damaged, bytes);

    const struct {
        std::string name;
        std::string path;
        const char* reason;
    } rows[] = {
        { "text", text, "不是投注记录数据库" },
        { "foreign with user_version 1",
            make("foreign.db",
                "PRAGMA user_version=1; CREATE TABLE things (a); INSERT INTO things VALUES (1)"),
            "不是投注记录数据库" },
        { "foreign in WAL mode", make("foreign-wal.db", "CREATE TABLE t (a)", true), "不是投注记录数据库" },
        { "newer", newer, "数据库由更新版本的程序建立" },
        { "damaged page", damaged, "数据库已损坏" },
        { "ours without its table", make("no-table.db", ours + "PRAGMA user_version=1; CREATE TABLE x (a)"),
            "数据库已损坏" },
        { "ours without its table, WAL", make("no-table-wal.db", ours + "PRAGMA user_version=2;", true),
            "数据库已损坏" },
        { "duplicate bet", make("duplicate.db", v2Row("1, 2026001, 0, '123,123', 1, '', '', '3d'")),
            "数据库已损坏" },
        { "unknown game", make("game.db", v2Row("1, 2026001, 0, '123', 1, '', '', 'ssq'")), "数据库已损坏" },
        { "text in a number column", make("type.db", v2Row("1, 'x', 0, '123', 1, '', '', '3d'")),
            "数据库已损坏" },
        { "play out of range", make("play.db", v2Row("1, 2026001, 7, '123', 1, '', '', '3d'")),
            "数据库已损坏" },
        { "a folder", dir.File("folder.db"), "不是普通文件" },
    };
    std::filesystem::create_directory(dir.File("folder.db"));
    const std::vector<std::string> files = FilesIn(dir);
    for (const auto& row : rows) {
        const std::string before = std::filesystem::is_regular_file(row.path) ? ReadBytes(row.path) : "";
        const std::string error = "无法读取文件" + row.path + "：" + row.reason;
        const Refusals refusals = RefusalsOf(row.path);
        EXPECT_EQ(refusals.read, error) << row.name;
        EXPECT_EQ(refusals.add, error) << row.name;
        EXPECT_EQ(refusals.remove, error) << row.name;
        EXPECT_TRUE(before.empty() || ReadBytes(row.path) == before) << row.name;
    }
    EXPECT_EQ(FilesIn(dir), files);
    EXPECT_EQ(RefusalsOf("/dev/null").add, "无法读取文件/dev/null：不是普通文件");
}

TEST(Ledger, ParseBetsTakesOnlyWhatTheLedgerWrites)
{
    const struct {
        const char* name;
        std::string_view text;
        std::optional<std::vector<int>> bets;
    } rows[] = {
        { "one", "038", std::vector<int> { 38 } },
        { "ascending", "001,112,999", std::vector<int> { 1, 112, 999 } },
        { "none", "", std::vector<int> {} },
        { "duplicate", "123,123", std::nullopt },
        { "descending", "456,123", std::nullopt },
        { "short", "12", std::nullopt },
        { "trailing comma", "123,", std::nullopt },
        { "other separator", "123;456", std::nullopt },
        { "not a digit", "12a", std::nullopt },
    };
    for (const auto& row : rows)
        EXPECT_EQ(parseBets(row.text), row.bets) << row.name;
    EXPECT_EQ(betsText({ 1, 38, 999 }), "001,038,999");
}

TEST(Ledger, WaitsForAnotherProgramAndThenGivesUp)
{
    TempDir dir;
    const std::string path = dir.File("velmora.db");
    Ledger(path).add(k3d, MakeTicket(2026001, Play::Direct, { 1 }));

    // Held for 300 ms: the change waits and then goes through.
    RawDatabase other(path);
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.exec("COMMIT");
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Ledger(path).add(k3d, MakeTicket(2026002, Play::Direct, { 2 })), 2);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    release.join();

    // Held longer than the wait: the busy reason.
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    EXPECT_EQ(RefusalsOf(path, 100).add, "无法读取文件" + path + "：数据库正被占用");
    other.exec("COMMIT");
    EXPECT_EQ(readLedger(path, k3d).size(), 2u);
}

TEST(Ledger, ReadOnlyFilesAndFolders)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not hold for root";
    TempDir dir;
    const std::string path = dir.File("velmora.db");
    Ledger(path).add(k3d, MakeTicket(2026001, Play::Direct, { 1 }));
    const std::string before = ReadBytes(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    // A write-protected ledger is listed without leaving anything beside it.
    EXPECT_EQ(readLedger(path, k3d).size(), 1u);
    EXPECT_EQ(RefusalsOf(path).add, "无法写入文件" + path + "：没有写入权限");
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string> { "velmora.db" }));
    std::filesystem::permissions(
        path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    // In a folder that cannot be written: listed, and no ledger is made there.
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(readLedger(path, k3d).size(), 1u);
    EXPECT_EQ(RefusalsOf(path).add, "无法写入文件" + path + "：没有写入权限");
    EXPECT_EQ(RefusalsOf(dir.File("new.db")).add, "无法写入文件" + dir.File("new.db") + "：没有写入权限");
    EXPECT_TRUE(ReadBytes(path) == before);
}

TEST(Ledger, AddsSeveralTicketsAllOrNone)
{
    TempDir dir;
    const std::string path = dir.File("velmora.db");
    Ledger ledger(path);
    EXPECT_EQ(ledger.addTickets(k3d,
                  { MakeTicket(2026005, Play::Direct, { 1 }), MakeTicket(2026006, Play::Group, { 38 }) }),
        (std::vector<long long> { 1, 2 }));
    // The last ticket's multiple is out of range: the first stays unrecorded too.
    EXPECT_THROW(
        ledger.addTickets(
            k3d, { MakeTicket(2026007, Play::Direct, { 2 }), MakeTicket(2026008, Play::Direct, { 3 }, 100) }),
        FileError);
    EXPECT_EQ(IdsOf(readLedger(path, k3d)), (std::vector<long long> { 1, 2 }));
    // A 组选 ticket of 豹子 only has no bets: refused before anything is written, so that
    // the ledger never holds a row its reader calls damaged.
    EXPECT_THROW(ledger.addTickets(
                     k3d, { MakeTicket(2026007, Play::Direct, { 2 }), MakeTicket(2026008, Play::Group, {}) }),
        FileError);
    EXPECT_EQ(IdsOf(readLedger(path, k3d)), (std::vector<long long> { 1, 2 }));
    EXPECT_EQ(ledger.add(k3d, MakeTicket(2026009, Play::Direct, { 4 })), 3);
}
