#include "core/draw/HistoryMerge.h"

#include "core/code/Code.h"
#include "core/draw/DrawText.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace velmora {

namespace {

using Key = long long;
constexpr Key kNoKey = -1;

bool sameCodes(const DrawRecord& a, const DrawRecord& b)
{
    return a.drawCode == b.drawCode && a.testCode == b.testCode;
}

struct KeyedLine {
    Key key = kNoKey;
    DrawRecord record;
};

std::vector<KeyedLine> keyLines(const Game& game, const std::vector<std::string>& lines)
{
    std::vector<KeyedLine> keyed(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (const std::optional<DrawRecord> record = parseDrawLine(game, lines[i])) {
            keyed[i].record = *record;
            keyed[i].key = record->issueKey();
        }
    return keyed;
}

// Indexes of the lines holding a draw, in key order (stable: of lines with one key
// the first comes first).
std::vector<std::size_t> keyOrder(const std::vector<KeyedLine>& lines)
{
    std::vector<std::size_t> order;
    order.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].key != kNoKey)
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
        [&](std::size_t a, std::size_t b) { return lines[a].key < lines[b].key; });
    return order;
}

// The source's draws in key order, the last line of a repeated key counting.
std::vector<std::size_t> lastLineOfEachKey(const std::vector<KeyedLine>& source)
{
    const std::vector<std::size_t> order = keyOrder(source);
    std::vector<std::size_t> byKey;
    byKey.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        if (i + 1 == order.size() || source[order[i + 1]].key != source[order[i]].key)
            byKey.push_back(order[i]);
    return byKey;
}

// The merge's inputs, keyed once.
struct MergeInput {
    const std::vector<std::string>& localLines;
    const std::vector<std::string>& sourceLines;
    std::vector<KeyedLine> local;
    std::vector<KeyedLine> source;
};

// Every local line of the key takes the source's line when its codes differ; the
// first such difference is recorded. `at` moves past the key's local lines.
void correctKey(const MergeInput& in, std::size_t s, std::vector<std::size_t>::const_iterator& at,
    std::vector<std::size_t>::const_iterator end, std::vector<std::string>& lines, MergeResult& result)
{
    const KeyedLine& draw = in.source[s];
    bool corrected = false;
    for (; at != end && in.local[*at].key == draw.key; ++at) {
        const KeyedLine& mine = in.local[*at];
        if (sameCodes(mine.record, draw.record))
            continue;
        if (!corrected)
            result.corrections.push_back({ draw.record.year, draw.record.issue, mine.record.drawCode,
                mine.record.testCode, draw.record.drawCode, draw.record.testCode });
        corrected = true;
        lines[*at] = in.sourceLines[s];
    }
}

// A draw goes before the first local draw with a larger key: the first line whose
// running largest key exceeds it. That place never moves back as keys grow.
std::vector<std::string> insertInKeyOrder(
    const MergeInput& in, std::vector<std::string> lines, const std::vector<std::size_t>& onlyInSource)
{
    std::vector<std::string> merged;
    merged.reserve(lines.size() + onlyInSource.size());
    auto pending = onlyInSource.begin();
    Key largest = std::numeric_limits<Key>::min();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        largest = std::max(largest, in.local[i].key);
        for (; pending != onlyInSource.end() && in.source[*pending].key < largest; ++pending)
            merged.push_back(in.sourceLines[*pending]);
        merged.push_back(std::move(lines[i]));
    }
    for (; pending != onlyInSource.end(); ++pending)
        merged.push_back(in.sourceLines[*pending]);
    return merged;
}

} // namespace

MergeResult mergeHistory(
    const Game& game, const std::vector<std::string>& localLines, const std::vector<std::string>& sourceLines)
{
    const MergeInput in { localLines, sourceLines, keyLines(game, localLines), keyLines(game, sourceLines) };
    const std::vector<std::size_t> localOrder = keyOrder(in.local);

    MergeResult result;
    std::vector<std::string> lines = localLines;
    std::vector<std::size_t> onlyInSource;
    auto localIt = localOrder.cbegin();
    for (const std::size_t s : lastLineOfEachKey(in.source)) {
        const Key key = in.source[s].key;
        while (localIt != localOrder.cend() && in.local[*localIt].key < key)
            ++localIt;
        if (localIt == localOrder.cend() || in.local[*localIt].key != key)
            onlyInSource.push_back(s);
        else
            correctKey(in, s, localIt, localOrder.cend(), lines, result);
    }

    result.added = static_cast<int>(onlyInSource.size());
    result.total = static_cast<int>(localOrder.size()) + result.added;
    result.lines = insertInKeyOrder(in, std::move(lines), onlyInSource);
    return result;
}

std::string mergeCountsText(const MergeResult& result)
{
    const std::string total = "共" + std::to_string(result.total) + "期";
    if (!result.changed())
        return "已是最新，" + total;
    return "新增" + std::to_string(result.added) + "期，更正" + std::to_string(result.corrections.size())
        + "期，" + total;
}

std::string correctionText(const Game& game, const DrawCorrection& c)
{
    const std::string issue = DrawRecord { c.year, c.issue }.issueText() + "：";
    if (!game.hasTestCodes)
        return issue + codeText(c.localDrawCode) + " → " + codeText(c.drawCode);
    return issue + codeText(c.localDrawCode) + ',' + codeText(c.localTestCode) + " → " + codeText(c.drawCode)
        + ',' + codeText(c.testCode);
}

std::string updateMessage(const Game& game, const MergeResult& result)
{
    if (!result.changed())
        return mergeCountsText(result);
    std::string text = "在线更新成功：" + mergeCountsText(result);
    for (const DrawCorrection& c : result.corrections)
        text += "\r\n" + correctionText(game, c);
    return text;
}

std::string drawTextOf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::ptrdiff_t findDrawLine(const Game& game, const std::vector<std::string>& lines, int year, int issue)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<DrawRecord> record = parseDrawLine(game, lines[i]);
        if (record && record->year == year && record->issue == issue)
            return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

void addDrawLine(const Game& game, std::vector<std::string>& lines, const std::string& line)
{
    const std::optional<DrawRecord> added = parseDrawLine(game, line);
    if (!added) {
        lines.push_back(line);
        return;
    }
    const Key key = added->issueKey();
    const std::ptrdiff_t existing = findDrawLine(game, lines, added->year, added->issue);
    if (existing >= 0) {
        lines[static_cast<std::size_t>(existing)] = line;
        return;
    }
    const auto larger = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
        const std::optional<DrawRecord> record = parseDrawLine(game, l);
        return record && record->issueKey() > key;
    });
    lines.insert(larger, line);
}

DrawRecord nextIssue(const DrawHistory& history, int currentYear)
{
    if (history.empty())
        return { currentYear, 1 };
    const DrawRecord& latest = *std::max_element(history.begin(), history.end(),
        [](const DrawRecord& a, const DrawRecord& b) { return a.issueKey() < b.issueKey(); });
    if (latest.year < currentYear)
        return { currentYear, 1 };
    if (latest.issue >= 999)
        return { latest.year + 1, 1 };
    return { latest.year, latest.issue + 1 };
}

std::vector<DrawRecord> changedDrawsOf(const DrawHistory& before, const DrawHistory& after)
{
    std::unordered_map<int, const DrawRecord*> old;
    old.reserve(before.size());
    for (const DrawRecord& draw : before)
        old[draw.issueKey()] = &draw;
    std::vector<DrawRecord> changed;
    for (const DrawRecord& draw : after) {
        const auto found = old.find(draw.issueKey());
        if (found == old.end() || !(*found->second == draw))
            changed.push_back(draw);
    }
    return changed;
}

} // namespace velmora
