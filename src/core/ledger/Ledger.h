// The ticket ledger: an SQLite database (velmora.db) that the GUI and the CLI
// share. A file is validated by reading only before anything is written to it;
// every change is one transaction; a file that is not a ledger, or is damaged,
// is reported and never changed.
#pragma once

#include "core/game/Game.h"
#include "core/io/TextFile.h"
#include "core/ledger/Ticket.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr const char* kLedgerFileName = "velmora.db";
// How long a ledger that another program holds is waited for.
inline constexpr int kLedgerBusyTimeoutMs = 5000;
inline constexpr const char* kLedgerBusyReason = "数据库正被占用";
// A ticket that the ledger could not read back: no bets, or an issue, a bet or a
// multiple out of range.
inline constexpr const char* kIncompleteTicketReason = "投注不完整：没有号码，或期号、号码、倍数超出范围";

// The FileError of a ledger that another program held longer than the wait:
// "无法读取文件" path "：数据库正被占用". The window tries again in short slices.
class LedgerBusyError : public FileError {
public:
    explicit LedgerBusyError(const std::string& path)
        : FileError(FileError::cannotRead(path, kLedgerBusyReason))
    {
    }
};
// Version 1 had no games: its tickets are 福彩3D tickets. Version 2 adds the game.
inline constexpr int kLedgerSchemaVersion = 2;

// velmora.db in the folder of the data file (so portable beside the programs, else
// in the user's data folder, as the data file is); a bare name gives "velmora.db".
std::string ledgerFilePath(const std::string& dataFile);

// A ticket's bets as the ledger stores them: three digits each, ascending,
// separated by ",". parseBets reads exactly that form back (each bet once,
// ascending) and gives nothing for any other text.
std::string betsText(const std::vector<int>& bets);
std::optional<std::vector<int>> parseBets(std::string_view text);

class Ledger {
public:
    // Validates the file at path by reading only: a regular file (or nothing, or
    // a file of no bytes: a ledger without tickets that only add writes to), an
    // SQLite database with the ledger's application id, a schema version this
    // program knows, the schema of that version, quick_check, every ticket row
    // readable. Anything else raises FileError "无法读取文件" path "：" reason, with
    // the file left byte for byte as it was; a ledger held by another program
    // longer than busyTimeoutMs raises LedgerBusyError.
    explicit Ledger(const std::string& path, int busyTimeoutMs = kLedgerBusyTimeoutMs);

    // Records the ticket for the game (its id and time are ignored) in one
    // transaction and returns its id (the file is made when nothing is at path): one sequence over both
    // games, after the highest ever given. A ledger of an earlier schema version is brought up to date in the
    // same transaction. A failed write raises FileError "无法写入文件" (busy: "无法读取文件", as at open) and
    // leaves the file as it was.
    long long add(const Game& game, const Ticket& ticket);
    // Records the tickets in one transaction (all or none, as 追号 buys them) and
    // returns their ids in the same order. Failures as add.
    std::vector<long long> addTickets(const Game& game, const std::vector<Ticket>& tickets);
    // The game's tickets whose issue lies in the range, ordered by issue, then id,
    // as they stood when the ledger was opened (or after this object's changes).
    std::vector<Ticket> tickets(const Game& game, const IssueRange& range = {}) const;
    // Deletes the game's ticket; false, with nothing written, when the game has no
    // ticket with that id.
    bool remove(const Game& game, long long id);

    const std::string& path() const { return m_path; }
    // The schema version of the file: 0 for nothing, an empty file or an empty database.
    int schemaVersion() const { return m_version; }

private:
    struct StoredTicket {
        Ticket ticket;
        const Game* game = nullptr;
    };

    // Opens the file for writing (made when missing), checks inside one write
    // transaction that it is still the ledger it was, runs change(database, version)
    // and commits; then reads the tickets again.
    template <typename Change> void write(Change change);

    std::string m_path;
    int m_busyTimeoutMs;
    int m_version = 0;
    std::vector<StoredTicket> m_stored; // ordered by issue, then id
};

// The game's tickets of the ledger at path in the range; none when nothing
// stands at path (the ledger is only made by the first ticket).
std::vector<Ticket> readLedger(const std::string& path, const Game& game, const IssueRange& range = {});

} // namespace velmora
