// One SQLite connection to a ledger file, and the ledger's schema: which objects
// and columns each version has, how each version is reached from the one before,
// and the checks that tell a ledger from any other file. Every failure is a
// FileError whose reason is one of ours, never SQLite's text.
#pragma once

#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace velmora {

// "VLMR": tells a ledger from another program's SQLite file.
inline constexpr int kLedgerApplicationId = 0x564C4D52;
inline constexpr const char* kNotLedgerReason = "不是投注记录数据库";
inline constexpr const char* kDamagedLedgerReason = "数据库已损坏";
inline constexpr const char* kNewerLedgerReason = "数据库由更新版本的程序建立";
inline constexpr const char* kNoWritePermissionReason = "没有写入权限";

class LedgerDatabase {
public:
    enum class Mode {
        ReadOnly, // may still make -wal and -shm files beside a WAL database
        Immutable, // reads the file alone, with no lock and no file beside it
        ReadWrite, // falls back to reading when the file cannot be written
        Create, // ReadWrite, making the file when missing
    };
    // Whether a failure is reported as a failed read or a failed write.
    enum class Side { Read, Write };

    LedgerDatabase(const std::string& path, Mode mode, int busyTimeoutMs);
    ~LedgerDatabase();
    LedgerDatabase(const LedgerDatabase&) = delete;
    LedgerDatabase& operator=(const LedgerDatabase&) = delete;

    sqlite3* handle() const { return m_db; }
    // Opened for reading only, though writing was asked for (the file is write-protected).
    bool isReadOnly() const;

    void exec(const std::string& sql, Side side) const;
    // The first column of the first row of a query; empty without a row.
    std::string queryText(const std::string& sql, Side side) const;
    long long queryInteger(const std::string& sql, Side side) const;
    sqlite3_stmt* prepare(const std::string& sql, Side side) const;
    [[noreturn]] void fail(int rc, Side side) const;
    [[noreturn]] void refuse(const char* reason) const;

    // What the file holds: 0 for an empty database, else the schema version of a
    // ledger whose objects and columns are that version's. Raises FileError (read)
    // with kNotLedgerReason, kNewerLedgerReason or kDamagedLedgerReason.
    int checkedSchemaVersion(Side side) const;

    // Brings the schema from version `from` to kLedgerSchemaVersion and stamps the
    // application id and version; inside a write transaction.
    void upgrade(int from) const;

private:
    std::string m_path;
    sqlite3* m_db = nullptr;
    bool m_creating = false;
};

// RAII for a prepared statement.
struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const;
};

} // namespace velmora
