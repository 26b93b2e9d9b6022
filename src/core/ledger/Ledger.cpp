// The only place that speaks to SQLite.
#include "core/ledger/Ledger.h"

#include "core/io/FileSystem.h"
#include "core/io/TextFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sqlite3.h>

namespace velmora {

namespace {

constexpr int kSchemaVersion = 1;
// "VLMR": tells a ledger from another program's SQLite file.
constexpr int kApplicationId = 0x564C4D52;
constexpr const char* kNotLedgerReason = "不是投注记录数据库";
constexpr const char* kDamagedReason = "数据库已损坏";
constexpr const char* kNewerLedgerReason = "数据库由更新版本的程序建立";

// Step v takes a ledger from schema version v to v + 1 (version 0: an empty file).
constexpr const char* kMigrations[kSchemaVersion] = {
    "CREATE TABLE tickets ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " issue INTEGER NOT NULL,"
    " play INTEGER NOT NULL CHECK (play IN (0, 1)),"
    " bets TEXT NOT NULL,"
    " multiple INTEGER NOT NULL CHECK (multiple BETWEEN 1 AND 99),"
    " note TEXT NOT NULL DEFAULT '',"
    " entered_at TEXT NOT NULL DEFAULT (strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime')));"
    "CREATE INDEX tickets_by_issue ON tickets (issue, id);",
};

struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

std::string reasonOf(sqlite3* db, int rc)
{
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return kLedgerBusyReason;
    case SQLITE_NOTADB:
        return kNotLedgerReason;
    case SQLITE_CORRUPT:
        return kDamagedReason;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
    case SQLITE_PERM:
        if (db != nullptr && sqlite3_system_errno(db) != 0)
            return std::strerror(sqlite3_system_errno(db));
        break;
    default:
        break;
    }
    return db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
}

bool isBusy(int rc) { return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED; }

std::string betsText(const std::vector<int>& bets)
{
    std::string text;
    for (const int bet : bets) {
        if (!text.empty())
            text += ',';
        text += static_cast<char>('0' + bet / 100 % 10);
        text += static_cast<char>('0' + bet / 10 % 10);
        text += static_cast<char>('0' + bet % 10);
    }
    return text;
}

// The bets as betsText wrote them (ascending, each once); false for any other text.
bool parseBets(std::string_view text, std::vector<int>& bets)
{
    bets.clear();
    bets.reserve(text.size() / 4 + 1);
    for (std::size_t at = 0; at < text.size(); at += 4) {
        if (text.size() - at < 3 || (text.size() - at > 3 && text[at + 3] != ','))
            return false;
        int bet = 0;
        for (std::size_t i = at; i < at + 3; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return false;
            bet = bet * 10 + (text[i] - '0');
        }
        if (!bets.empty() && bet <= bets.back())
            return false;
        bets.push_back(bet);
    }
    return true;
}

std::string columnText(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text != nullptr
        ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
        : std::string();
}

} // namespace

std::string ledgerFilePath(const std::string& dataFile)
{
    const std::filesystem::path folder = std::filesystem::path(dataFile).parent_path();
    return folder.empty() ? std::string(kLedgerFileName) : (folder / kLedgerFileName).string();
}

Ledger::Ledger(const std::string& path, OpenMode mode, int busyTimeoutMs)
    : m_path(path)
{
    const int flags = SQLITE_OPEN_READWRITE | (mode == OpenMode::Create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string reason = reasonOf(m_db, rc);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw FileError::cannotRead(m_path, reason);
    }
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
    try {
        checkAndMigrate(mode);
    } catch (...) {
        sqlite3_close_v2(m_db);
        throw;
    }
}

Ledger::~Ledger() { sqlite3_close_v2(m_db); }

void Ledger::fail(int rc, bool writing) const
{
    const bool write = writing && !isBusy(rc);
    const std::string reason = reasonOf(m_db, rc);
    throw write ? FileError::cannotWrite(m_path, reason) : FileError::cannotRead(m_path, reason);
}

void Ledger::exec(const char* sql, bool writing) const
{
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fail(rc, writing);
}

namespace {

// The first column of the first row of a query that reads only.
std::string queryText(sqlite3* db, const char* sql, int& rc)
{
    sqlite3_stmt* raw = nullptr;
    rc = sqlite3_prepare_v2(db, sql, -1, &raw, nullptr);
    const Statement statement(raw);
    if (rc != SQLITE_OK)
        return {};
    rc = sqlite3_step(raw);
    if (rc == SQLITE_DONE) {
        rc = SQLITE_OK;
        return {};
    }
    if (rc != SQLITE_ROW)
        return {};
    rc = SQLITE_OK;
    return columnText(raw, 0);
}

} // namespace

void Ledger::checkAndMigrate(OpenMode mode)
{
    int rc = SQLITE_OK;
    const auto query = [&](const char* sql) {
        std::string value = queryText(m_db, sql, rc);
        if (rc != SQLITE_OK)
            fail(rc, false);
        return value;
    };
    if (query("PRAGMA quick_check") != "ok")
        throw FileError::cannotRead(m_path, kDamagedReason);
    const int applicationId = std::stoi(query("PRAGMA application_id"));
    const int version = std::stoi(query("PRAGMA user_version"));
    const bool empty = query("SELECT count(*) FROM sqlite_schema") == "0";
    if (!(empty && applicationId == 0 && version == 0) && (applicationId != kApplicationId || version < 1))
        throw FileError::cannotRead(m_path, kNotLedgerReason);
    if (version > kSchemaVersion)
        throw FileError::cannotRead(m_path, kNewerLedgerReason);
    // Reading or removing from an empty database must not turn it into a ledger.
    m_blank = empty && mode == OpenMode::Existing;
    if (!m_blank)
        bringUpToDate(version);
}

void Ledger::bringUpToDate(int fromVersion)
{
    // Readers never wait for the writer, so the window's page and the CLI share it.
    exec("PRAGMA journal_mode=WAL", true);
    if (fromVersion < kSchemaVersion)
        migrate(fromVersion);
    m_blank = false;
}

void Ledger::migrate(int fromVersion)
{
    exec("BEGIN IMMEDIATE", true);
    try {
        // Another program may have brought the schema up to date since it was read.
        int rc = SQLITE_OK;
        const std::string current = queryText(m_db, "PRAGMA user_version", rc);
        if (rc != SQLITE_OK)
            fail(rc, true);
        for (int v = std::max(fromVersion, std::stoi(current)); v < kSchemaVersion; ++v)
            exec(kMigrations[v], true);
        const std::string stamp = "PRAGMA application_id=" + std::to_string(kApplicationId)
            + ";PRAGMA user_version=" + std::to_string(kSchemaVersion);
        exec(stamp.c_str(), true);
        exec("COMMIT", true);
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

long long Ledger::add(const Ticket& ticket)
{
    if (m_blank)
        bringUpToDate(0);
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(m_db,
        "INSERT INTO tickets (issue, play, bets, multiple, note) VALUES (?1, ?2, ?3, ?4, ?5)", -1, &raw,
        nullptr);
    const Statement statement(raw);
    if (rc != SQLITE_OK)
        fail(rc, true);
    // A ticket holds each bet once, ascending (Ticket).
    std::vector<int> sorted = ticket.bets;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    const std::string bets = betsText(sorted);
    sqlite3_bind_int(raw, 1, ticket.issue);
    sqlite3_bind_int(raw, 2, ticket.play == Play::Group ? 1 : 0);
    sqlite3_bind_text(raw, 3, bets.data(), static_cast<int>(bets.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int(raw, 4, ticket.multiple);
    sqlite3_bind_text(raw, 5, ticket.note.data(), static_cast<int>(ticket.note.size()), SQLITE_TRANSIENT);
    rc = sqlite3_step(raw);
    if (rc != SQLITE_DONE)
        fail(rc, true);
    return sqlite3_last_insert_rowid(m_db);
}

std::vector<long long> Ledger::addTickets(const std::vector<Ticket>& tickets)
{
    if (m_blank)
        bringUpToDate(0);
    exec("BEGIN IMMEDIATE", true);
    try {
        std::vector<long long> ids;
        ids.reserve(tickets.size());
        for (const Ticket& ticket : tickets)
            ids.push_back(add(ticket));
        exec("COMMIT", true);
        return ids;
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

std::vector<Ticket> Ledger::tickets(const IssueRange& range) const
{
    if (m_blank)
        return {};
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(m_db,
        "SELECT id, issue, play, bets, multiple, note, entered_at FROM tickets"
        " WHERE issue BETWEEN ?1 AND ?2 ORDER BY issue, id",
        -1, &raw, nullptr);
    const Statement statement(raw);
    if (rc != SQLITE_OK)
        fail(rc, false);
    sqlite3_bind_int(raw, 1, range.from);
    sqlite3_bind_int(raw, 2, range.to);
    std::vector<Ticket> list;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        Ticket& ticket = list.emplace_back();
        ticket.id = sqlite3_column_int64(raw, 0);
        ticket.issue = sqlite3_column_int(raw, 1);
        ticket.play = sqlite3_column_int(raw, 2) == 1 ? Play::Group : Play::Direct;
        const auto* bets = reinterpret_cast<const char*>(sqlite3_column_text(raw, 3));
        if (bets == nullptr
            || !parseBets(
                std::string_view(bets, static_cast<std::size_t>(sqlite3_column_bytes(raw, 3))), ticket.bets))
            throw FileError::cannotRead(m_path, kDamagedReason);
        ticket.multiple = sqlite3_column_int(raw, 4);
        ticket.note = columnText(raw, 5);
        ticket.enteredAt = columnText(raw, 6);
    }
    if (rc != SQLITE_DONE)
        fail(rc, false);
    return list;
}

bool Ledger::remove(long long id)
{
    if (m_blank)
        return false;
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(m_db, "DELETE FROM tickets WHERE id = ?1", -1, &raw, nullptr);
    const Statement statement(raw);
    if (rc != SQLITE_OK)
        fail(rc, true);
    sqlite3_bind_int64(raw, 1, id);
    rc = sqlite3_step(raw);
    if (rc != SQLITE_DONE)
        fail(rc, true);
    return sqlite3_changes(m_db) > 0;
}

std::vector<Ticket> readLedger(const std::string& path, const IssueRange& range)
{
    if (!os::entryExists(path))
        return {};
    return Ledger(path, Ledger::OpenMode::Existing).tickets(range);
}

} // namespace velmora
