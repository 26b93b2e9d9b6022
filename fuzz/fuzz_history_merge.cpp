// The history merge of each game over arbitrary texts: the input is the local text, a zero byte,
// then the source text (either format; without a zero byte both are the input).
// It never crashes, keeps every local line that it does not correct, counts what it
// did, and a second merge of the same source changes nothing.
#include "core/draw/DrawText.h"
#include "core/draw/HistoryMerge.h"
#include "core/draw/HistorySource.h"
#include "core/io/TextEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void mergeInGame(const velmora::Game& game, std::string_view localBytes, std::string_view sourceBytes)
{
    const auto local = velmora::splitLines(velmora::decodeFileBytes(localBytes));
    int messages = 0;
    const velmora::SourceHistory source = velmora::readSourceHistory(
        game, velmora::decodeFileBytes(sourceBytes), [&](const std::string&) { ++messages; });
    if ((source.status == velmora::SourceStatus::BadLines) != (messages == 1) || messages > 1)
        std::abort();
    if (source.status != velmora::SourceStatus::Ok && !source.lines.empty())
        std::abort();

    const velmora::MergeResult merged = velmora::mergeHistory(game, local, source.lines);
    if (merged.lines.size() != local.size() + static_cast<std::size_t>(merged.added))
        std::abort();
    // The local lines, less the corrected ones, stand in the merged text in their order.
    std::size_t at = 0;
    for (const std::string& line : local) {
        const std::optional<velmora::DrawRecord> record = velmora::parseDrawLine(game, line);
        if (record
            && std::any_of(
                merged.corrections.begin(), merged.corrections.end(), [&](const velmora::DrawCorrection& c) {
                    return c.year == record->year && c.issue == record->issue;
                }))
            continue;
        while (at < merged.lines.size() && merged.lines[at] != line)
            ++at;
        if (at == merged.lines.size())
            std::abort();
        ++at;
    }
    if (velmora::mergeHistory(game, merged.lines, source.lines).changed())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t zero = input.find('\0');
    const std::string_view localBytes = input.substr(0, zero);
    const std::string_view sourceBytes = zero == std::string_view::npos ? input : input.substr(zero + 1);
    for (const velmora::Game* game : velmora::allGames())
        mergeInGame(*game, localBytes, sourceBytes);
    return 0;
}
