// The ledger's tickets in and out; the connection, the schema and the reasons of
// failures are LedgerDatabase's.
#include "core/ledger/Ledger.h"

#include "core/io/FileSystem.h"
#include "core/io/TextFile.h"
#include "core/ledger/LedgerDatabase.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <sqlite3.h>

namespace velmora {

namespace {

using Side = LedgerDatabase::Side;
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// What the first bytes of the file say, read before SQLite opens it.
struct FileStart {
    bool empty = true;
    bool sqlite = false; // starts with SQLite's header
    bool writeAheadLog = false; // the header's read and write versions say WAL
};

FileStart readFileStart(const std::string& path)
{
    static constexpr std::string_view kMagic { "SQLite format 3\0", 16 };
    std::array<char, 100> header {};
    std::size_t size = 0;
    try {
        os::InputFile file(path, os::InputKind::RegularOnly);
        while (size < header.size()) {
            const std::size_t got = file.read(header.data() + size, header.size() - size);
            if (got == 0)
                break;
            size += got;
        }
    } catch (const os::SystemError& e) {
        throw FileError::cannotRead(path, e.what());
    }
    const std::string_view bytes(header.data(), size);
    return { size == 0, size == header.size() && bytes.starts_with(kMagic),
        bytes.size() > 19 && bytes[18] == 2 };
}

std::string columnText(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text != nullptr
        ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
        : std::string();
}

bool columnsHaveTypes(sqlite3_stmt* row, std::initializer_list<int> types)
{
    int column = 0;
    for (const int type : types)
        if (sqlite3_column_type(row, column++) != type)
            return false;
    return true;
}

// Every ticket of the ledger with its game, ordered by issue, then id. A row
// that no add could have written makes the ledger damaged.
template <typename Stored> std::vector<Stored> readTickets(const LedgerDatabase& db, int version, Side side)
{
    std::vector<Stored> list;
    if (version == 0)
        return list;
    const Statement statement(
        db.prepare(std::string("SELECT id, issue, play, bets, multiple, note, entered_at, ")
                + (version >= 2 ? "game" : "NULL") + " FROM tickets ORDER BY issue, id",
            side));
    sqlite3_stmt* row = statement.get();
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(row)) == SQLITE_ROW) {
        if (!columnsHaveTypes(row,
                { SQLITE_INTEGER, SQLITE_INTEGER, SQLITE_INTEGER, SQLITE_TEXT, SQLITE_INTEGER, SQLITE_TEXT,
                    SQLITE_TEXT }))
            db.refuse(kDamagedLedgerReason);
        Stored& stored = list.emplace_back();
        Ticket& ticket = stored.ticket;
        ticket.id = sqlite3_column_int64(row, 0);
        const long long issue = sqlite3_column_int64(row, 1);
        const long long play = sqlite3_column_int64(row, 2);
        std::optional<std::vector<int>> bets = parseBets(columnText(row, 3));
        const long long multiple = sqlite3_column_int64(row, 4);
        stored.game = version >= 2 ? gameOfKey(columnText(row, 7)) : &game3d();
        if (ticket.id < 1 || issue < 1 || issue > 9999999 || (play != 0 && play != 1) || !bets
            || bets->empty() || multiple < kMinMultiple || multiple > kMaxMultiple || stored.game == nullptr)
            db.refuse(kDamagedLedgerReason);
        ticket.issue = static_cast<int>(issue);
        ticket.play = play == 1 ? Play::Group : Play::Direct;
        ticket.bets = std::move(*bets);
        ticket.multiple = static_cast<int>(multiple);
        ticket.note = columnText(row, 5);
        ticket.enteredAt = columnText(row, 6);
    }
    if (rc != SQLITE_DONE)
        db.fail(rc, side);
    return list;
}

} // namespace

std::string ledgerFilePath(const std::string& dataFile)
{
    const std::filesystem::path folder = std::filesystem::path(dataFile).parent_path();
    return folder.empty() ? std::string(kLedgerFileName) : (folder / kLedgerFileName).string();
}

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

std::optional<std::vector<int>> parseBets(std::string_view text)
{
    if (text.ends_with(','))
        return std::nullopt;
    std::vector<int> bets;
    bets.reserve(text.size() / 4 + 1);
    for (std::size_t at = 0; at < text.size(); at += 4) {
        if (text.size() - at < 3 || (text.size() - at > 3 && text[at + 3] != ','))
            return std::nullopt;
        int bet = 0;
        for (std::size_t i = at; i < at + 3; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            bet = bet * 10 + (text[i] - '0');
        }
        if (!bets.empty() && bet <= bets.back())
            return std::nullopt;
        bets.push_back(bet);
    }
    return bets;
}

Ledger::Ledger(const std::string& path, int busyTimeoutMs)
    : m_path(path)
    , m_busyTimeoutMs(busyTimeoutMs)
{
    if (!os::entryExists(path))
        return;
    const FileStart start = readFileStart(path);
    // A log beside the file may hold the whole ledger while the file is still empty.
    const bool logBeside = os::entryExists(path + "-wal");
    if (start.empty && !logBeside)
        return;
    if (!start.empty && !start.sqlite)
        throw FileError::cannotRead(path, kNotLedgerReason);
    const auto readWith = [&](LedgerDatabase::Mode mode) {
        const LedgerDatabase db(path, mode, busyTimeoutMs);
        if (db.queryText("PRAGMA quick_check", Side::Read) != "ok")
            db.refuse(kDamagedLedgerReason);
        m_version = db.checkedSchemaVersion(Side::Read);
        m_stored = readTickets<StoredTicket>(db, m_version, Side::Read);
    };
    if (!start.writeAheadLog || logBeside) {
        readWith(LedgerDatabase::Mode::ReadOnly);
        return;
    }
    // A reading connection would leave the log and its index beside a ledger in WAL
    // mode; a writing one removes them when it closes and, as it only reads and the
    // log is empty, changes nothing. A file that cannot be written, or a folder where
    // the index cannot be made, is read as it stands: no other program can be
    // writing it then, as writing needs the log.
    try {
        {
            const LedgerDatabase probe(path, LedgerDatabase::Mode::ReadWrite, busyTimeoutMs);
            if (probe.isReadOnly())
                throw FileError::cannotRead(path, kNoWritePermissionReason);
        }
        readWith(LedgerDatabase::Mode::ReadWrite);
    } catch (const LedgerBusyError&) {
        throw;
    } catch (const FileError&) {
        if (os::entryExists(path + "-wal"))
            throw;
        readWith(LedgerDatabase::Mode::Immutable);
    }
}

template <typename Change> void Ledger::write(Change change)
{
    const LedgerDatabase db(m_path, LedgerDatabase::Mode::Create, m_busyTimeoutMs);
    if (db.isReadOnly())
        throw FileError::cannotWrite(m_path, kNoWritePermissionReason);
    db.exec("BEGIN IMMEDIATE", Side::Write);
    int version = 0;
    try {
        // Another program may have changed the file since it was validated.
        version = db.checkedSchemaVersion(Side::Write);
        version = change(db, version);
        db.exec("COMMIT", Side::Write);
    } catch (...) {
        sqlite3_exec(db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    m_stored = readTickets<StoredTicket>(db, version, Side::Write);
    m_version = version;
}

long long Ledger::add(const Game& game, const Ticket& ticket) { return addTickets(game, { ticket }).front(); }

std::vector<long long> Ledger::addTickets(const Game& game, const std::vector<Ticket>& tickets)
{
    // The reader calls a ledger with such a row damaged: it is never written.
    for (const Ticket& ticket : tickets) {
        const bool betsInRange = std::all_of(
            ticket.bets.begin(), ticket.bets.end(), [](int bet) { return bet >= 0 && bet <= 999; });
        if (ticket.bets.empty() || !betsInRange || ticket.issue < 1 || ticket.issue > 9999999
            || ticket.multiple < kMinMultiple || ticket.multiple > kMaxMultiple)
            throw FileError::cannotWrite(m_path, kIncompleteTicketReason);
    }
    std::vector<long long> ids;
    bool upgraded = false;
    write([&](const LedgerDatabase& db, int version) {
        if (version < kLedgerSchemaVersion) {
            db.upgrade(version);
            upgraded = true;
        }
        ids.clear();
        for (const Ticket& ticket : tickets) {
            const Statement statement(db.prepare("INSERT INTO tickets (issue, play, bets, multiple, note, "
                                                 "game) VALUES (?1, ?2, ?3, ?4, ?5, ?6)",
                Side::Write));
            sqlite3_stmt* raw = statement.get();
            // A ticket holds each bet once, ascending (Ticket).
            std::vector<int> sorted = ticket.bets;
            std::sort(sorted.begin(), sorted.end());
            sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
            const std::string bets = betsText(sorted);
            sqlite3_bind_int(raw, 1, ticket.issue);
            sqlite3_bind_int(raw, 2, ticket.play == Play::Group ? 1 : 0);
            sqlite3_bind_text(raw, 3, bets.data(), static_cast<int>(bets.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int(raw, 4, ticket.multiple);
            sqlite3_bind_text(
                raw, 5, ticket.note.data(), static_cast<int>(ticket.note.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(raw, 6, game.key.data(), static_cast<int>(game.key.size()), SQLITE_TRANSIENT);
            const int rc = sqlite3_step(raw);
            if (rc != SQLITE_DONE)
                db.fail(rc, Side::Write);
            ids.push_back(sqlite3_last_insert_rowid(db.handle()));
        }
        return kLedgerSchemaVersion;
    });
    if (upgraded) {
        // Readers never wait for the writer, so the window's page and the CLI share
        // it; only a ledger made or upgraded here is switched. Failing to switch
        // leaves a sound ledger in its old journal mode.
        const LedgerDatabase db(m_path, LedgerDatabase::Mode::ReadWrite, m_busyTimeoutMs);
        sqlite3_exec(db.handle(), "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    }
    return ids;
}

std::vector<Ticket> Ledger::tickets(const Game& game, const IssueRange& range) const
{
    std::vector<Ticket> list;
    for (const StoredTicket& stored : m_stored)
        if (stored.game == &game && range.contains(stored.ticket.issue))
            list.push_back(stored.ticket);
    return list;
}

bool Ledger::remove(const Game& game, long long id)
{
    const bool known = std::any_of(m_stored.begin(), m_stored.end(),
        [&](const StoredTicket& stored) { return stored.ticket.id == id && stored.game == &game; });
    if (!known)
        return false;
    bool removed = false;
    write([&](const LedgerDatabase& db, int version) {
        // A ledger made before games holds 福彩3D tickets only.
        const Statement statement(db.prepare(version >= 2 ? "DELETE FROM tickets WHERE id = ?1 AND game = ?2"
                                                          : "DELETE FROM tickets WHERE id = ?1",
            Side::Write));
        sqlite3_bind_int64(statement.get(), 1, id);
        if (version >= 2)
            sqlite3_bind_text(
                statement.get(), 2, game.key.data(), static_cast<int>(game.key.size()), SQLITE_TRANSIENT);
        const int rc = sqlite3_step(statement.get());
        if (rc != SQLITE_DONE)
            db.fail(rc, Side::Write);
        removed = sqlite3_changes(db.handle()) > 0;
        return version;
    });
    return removed;
}

std::vector<Ticket> readLedger(const std::string& path, const Game& game, const IssueRange& range)
{
    return Ledger(path).tickets(game, range);
}

} // namespace velmora
