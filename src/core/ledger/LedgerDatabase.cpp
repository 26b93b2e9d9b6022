#include "core/ledger/LedgerDatabase.h"

#include "core/game/Game.h"
#include "core/io/FileSystem.h"
#include "core/io/TextFile.h"
#include "core/ledger/Ledger.h"

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <sqlite3.h>

namespace velmora {

namespace {

using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// The objects and the columns (name, type, not null, primary key) of each schema
// version; a file whose schema differs is damaged.
constexpr const char* kObjects = "index tickets_by_issue;table sqlite_sequence;table tickets;";
constexpr const char* kColumnsV1 = "id INTEGER 0 1;issue INTEGER 1 0;play INTEGER 1 0;bets TEXT 1 0;"
                                   "multiple INTEGER 1 0;note TEXT 1 0;entered_at TEXT 1 0;";
constexpr const char* kGameColumn = "game TEXT 1 0;";

// Step v takes the schema from version v to v + 1 (version 0: an empty database).
std::string migrationFrom(int version)
{
    if (version == 0)
        return "CREATE TABLE tickets ("
               " id INTEGER PRIMARY KEY AUTOINCREMENT,"
               " issue INTEGER NOT NULL,"
               " play INTEGER NOT NULL CHECK (play IN (0, 1)),"
               " bets TEXT NOT NULL,"
               " multiple INTEGER NOT NULL CHECK (multiple BETWEEN 1 AND 99),"
               " note TEXT NOT NULL DEFAULT '',"
               " entered_at TEXT NOT NULL DEFAULT (strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime')));"
               "CREATE INDEX tickets_by_issue ON tickets (issue, id);";
    // Tickets recorded before there were games are 福彩3D tickets.
    return "ALTER TABLE tickets ADD COLUMN game TEXT NOT NULL DEFAULT '" + std::string(game3d().key) + "';";
}

bool isBusy(int rc) { return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED; }

bool isPermission(int systemErrno)
{
    return systemErrno == EACCES || systemErrno == EPERM || systemErrno == EROFS;
}

// Our words for what went wrong; SQLite's own messages may quote bytes of the file.
std::string reasonOf(int rc, int systemErrno, LedgerDatabase::Side side)
{
    const bool writing = side == LedgerDatabase::Side::Write;
    switch (rc & 0xff) {
    case SQLITE_NOTADB:
        return kNotLedgerReason;
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
    case SQLITE_MISMATCH:
    case SQLITE_CONSTRAINT:
        return kDamagedLedgerReason;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return writing ? kNoWritePermissionReason : "没有读取权限";
    case SQLITE_FULL:
        return "磁盘已满";
    case SQLITE_NOMEM:
        return "内存不足";
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        if (isPermission(systemErrno))
            return writing ? kNoWritePermissionReason : "没有读取权限";
        if (systemErrno == ENOSPC)
            return "磁盘已满";
        return (rc & 0xff) == SQLITE_CANTOPEN ? "无法打开数据库" : "数据库读写出错";
    default:
        break;
    }
    return "数据库出错（错误码" + std::to_string(rc) + "）";
}

// "file:" URI of a path, every byte but the plainest percent-encoded.
std::string uriOf(const std::string& path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = path.starts_with('/') ? "file://" : "file:";
    for (const char ch : path) {
        const auto byte = static_cast<unsigned char>(ch);
        if (std::isalnum(byte) != 0 || ch == '/' || ch == '.' || ch == '_' || ch == '-' || ch == '~') {
            uri += ch;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 0xf];
        }
    }
    return uri;
}

} // namespace

void StatementDeleter::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

LedgerDatabase::LedgerDatabase(const std::string& path, Mode mode, int busyTimeoutMs)
    : m_path(path)
    , m_creating(mode == Mode::Create && !os::entryExists(path))
{
    int flags = SQLITE_OPEN_URI;
    std::string name = path;
    switch (mode) {
    case Mode::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case Mode::Immutable:
        flags |= SQLITE_OPEN_READONLY;
        name = uriOf(path) + "?immutable=1";
        break;
    case Mode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Mode::Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    if (mode != Mode::Immutable)
        name = uriOf(path);
    const int rc = sqlite3_open_v2(name.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const int systemErrno = m_db != nullptr ? sqlite3_system_errno(m_db) : 0;
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        const Side side = mode == Mode::Create || mode == Mode::ReadWrite ? Side::Write : Side::Read;
        // SQLite tries a file it cannot make once more for reading, so the reason
        // it keeps is "no such file" even in a folder that cannot be written.
        const std::filesystem::path folder = std::filesystem::path(path).parent_path();
        if (m_creating && systemErrno == ENOENT && os::entryExists(folder.empty() ? "." : folder.string()))
            throw FileError::cannotWrite(path, kNoWritePermissionReason);
        if (isBusy(rc))
            throw LedgerBusyError(path);
        const std::string reason = reasonOf(rc, systemErrno, side);
        throw side == Side::Write ? FileError::cannotWrite(path, reason)
                                  : FileError::cannotRead(path, reason);
    }
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
    // A foreign schema's triggers or views never run for us.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
}

LedgerDatabase::~LedgerDatabase() { sqlite3_close_v2(m_db); }

bool LedgerDatabase::isReadOnly() const { return sqlite3_db_readonly(m_db, "main") == 1; }

void LedgerDatabase::fail(int rc, Side side) const
{
    if (isBusy(rc))
        throw LedgerBusyError(m_path);
    const std::string reason = reasonOf(rc, sqlite3_system_errno(m_db), side);
    throw side == Side::Write ? FileError::cannotWrite(m_path, reason)
                              : FileError::cannotRead(m_path, reason);
}

void LedgerDatabase::refuse(const char* reason) const { throw FileError::cannotRead(m_path, reason); }

void LedgerDatabase::exec(const std::string& sql, Side side) const
{
    const int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fail(rc, side);
}

sqlite3_stmt* LedgerDatabase::prepare(const std::string& sql, Side side) const
{
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        fail(rc, side);
    }
    return statement;
}

std::string LedgerDatabase::queryText(const std::string& sql, Side side) const
{
    const Statement statement(prepare(sql, side));
    const int rc = sqlite3_step(statement.get());
    if (rc == SQLITE_DONE)
        return {};
    if (rc != SQLITE_ROW)
        fail(rc, side);
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0));
    return text != nullptr
        ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement.get(), 0)))
        : std::string();
}

long long LedgerDatabase::queryInteger(const std::string& sql, Side side) const
{
    const Statement statement(prepare(sql, side));
    const int rc = sqlite3_step(statement.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail(rc, side);
    return rc == SQLITE_ROW ? sqlite3_column_int64(statement.get(), 0) : 0;
}

int LedgerDatabase::checkedSchemaVersion(Side side) const
{
    // Read as SQLite sees them, which includes what a write-ahead log holds.
    const long long applicationId = queryInteger("PRAGMA application_id", side);
    const long long version = queryInteger("PRAGMA user_version", side);
    std::string objects;
    {
        const Statement list(prepare("SELECT type || ' ' || name FROM sqlite_schema ORDER BY 1", side));
        int rc = SQLITE_OK;
        while ((rc = sqlite3_step(list.get())) == SQLITE_ROW)
            objects.append(reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 0))).append(";");
        if (rc != SQLITE_DONE)
            fail(rc, side);
    }
    if (applicationId == 0 && version == 0 && objects.empty())
        return 0;
    if (applicationId != kLedgerApplicationId || version < 1)
        refuse(kNotLedgerReason);
    if (version > kLedgerSchemaVersion)
        refuse(kNewerLedgerReason);
    std::string columns;
    {
        const Statement info(prepare("PRAGMA table_info(tickets)", side));
        int rc = SQLITE_OK;
        while ((rc = sqlite3_step(info.get())) == SQLITE_ROW) {
            for (const int column : { 1, 2, 3, 5 }) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), column));
                columns.append(text != nullptr ? text : "").append(column == 5 ? ";" : " ");
            }
        }
        if (rc != SQLITE_DONE)
            fail(rc, side);
    }
    const std::string expected = std::string(kColumnsV1) + (version >= 2 ? kGameColumn : "");
    if (objects != kObjects || columns != expected)
        refuse(kDamagedLedgerReason);
    return static_cast<int>(version);
}

void LedgerDatabase::upgrade(int from) const
{
    for (int version = from; version < kLedgerSchemaVersion; ++version)
        exec(migrationFrom(version), Side::Write);
    exec("PRAGMA application_id=" + std::to_string(kLedgerApplicationId)
            + ";PRAGMA user_version=" + std::to_string(kLedgerSchemaVersion),
        Side::Write);
}

} // namespace velmora
