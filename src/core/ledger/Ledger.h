// The ticket ledger: an SQLite database (velmora.db) that the GUI and the CLI
// share. Every change is one transaction; a file that is not a ledger, or is
// damaged, is reported and never changed.
#pragma once

#include "core/ledger/Ticket.h"

#include <string>
#include <vector>

struct sqlite3;

namespace velmora {

inline constexpr const char* kLedgerFileName = "velmora.db";
// How long a ledger that another program holds is waited for.
inline constexpr int kLedgerBusyTimeoutMs = 5000;
inline constexpr const char* kLedgerBusyReason = "数据库正被占用";

// velmora.db in the folder of the data file (so portable beside the programs, else
// in the user's data folder, as the data file is); a bare name gives "velmora.db".
std::string ledgerFilePath(const std::string& dataFile);

class Ledger {
public:
    enum class OpenMode {
        Existing, // the file must exist
        Create, // made (with its schema) when missing
    };

    // Opens the ledger, checks it (quick_check) and brings its schema up to date.
    // An empty database (a file of no bytes too) is a ledger without tickets that
    // only the first ticket writes to. A file that cannot be opened, that is not a
    // ledger or is damaged raises FileError "无法读取文件" path "：" reason, and the
    // file is left as it was; a ledger held by another program longer than
    // busyTimeoutMs gives the reason kLedgerBusyReason.
    Ledger(const std::string& path, OpenMode mode, int busyTimeoutMs = kLedgerBusyTimeoutMs);
    ~Ledger();
    Ledger(const Ledger&) = delete;
    Ledger& operator=(const Ledger&) = delete;

    // Records the ticket (its id and time are ignored) and returns its new id. A
    // failed write raises FileError "无法写入文件" (busy: "无法读取文件", as at open).
    long long add(const Ticket& ticket);
    // Records the tickets in one transaction (all or none, as 追号 buys them) and
    // returns their new ids in the same order. Failures as add.
    std::vector<long long> addTickets(const std::vector<Ticket>& tickets);
    // The tickets whose issue lies in the range, ordered by issue, then id.
    std::vector<Ticket> tickets(const IssueRange& range = {}) const;
    // Deletes the ticket; false when there is none with that id.
    bool remove(long long id);

    const std::string& path() const { return m_path; }

private:
    void checkAndMigrate(OpenMode mode);
    // Write-ahead logging and the schema's current version.
    void bringUpToDate(int fromVersion);
    void migrate(int fromVersion);
    void exec(const char* sql, bool writing) const;
    [[noreturn]] void fail(int rc, bool writing) const;

    std::string m_path;
    sqlite3* m_db = nullptr;
    // An empty database, opened as existing: left as it is until a ticket is added.
    bool m_blank = false;
};

// The tickets of the ledger at path in the range; none when nothing stands at
// path (the ledger is only made by the first ticket).
std::vector<Ticket> readLedger(const std::string& path, const IssueRange& range = {});

} // namespace velmora
