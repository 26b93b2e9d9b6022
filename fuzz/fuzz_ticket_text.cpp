// The ledger's texts never crash and keep their promises on any bytes: a bets text
// is read back only in the form it is written, a message never repeats more than
// 60 characters and is valid UTF-8, a note is accepted only when it is valid UTF-8
// of at most 200 characters, and the list prints only UTF-8.
#include "core/io/TextFormat.h"
#include "core/io/Utf8.h"
#include "core/ledger/Ledger.h"
#include "core/ledger/TicketText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmora;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const std::optional<std::vector<int>> bets = parseBets(text); bets && betsText(*bets) != text)
        std::abort();
    const std::string cut = cutForMessage(text);
    if (!isValidUtf8(cut) || utf8CharacterCount(cut) > kMessageInputChars + 1)
        std::abort();
    if (isAcceptableNote(text) != (isValidUtf8(text) && utf8CharacterCount(text) <= kMaxNoteCharacters))
        std::abort();
    Ticket ticket;
    ticket.issue = 2026001;
    ticket.bets = { 38 };
    ticket.note = std::string(text);
    if (!isValidUtf8(ticketsListCsv({ ticket }, { TicketResult {} })))
        std::abort();
    return 0;
}
