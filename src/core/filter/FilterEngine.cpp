// runShrink: every condition is first turned into small tables indexed by a
// digit, a digit pair, a sum or a class key of the code; one pass over the
// 1000 codes then ANDs table lookups. An empty condition becomes a table that
// lets every value through, so the pass has no branches per condition.
#include "core/filter/FilterEngine.h"

#include "core/code/Code.h"
#include "core/code/CodeSetText.h"
#include "core/filter/RecentPanel.h"

#include <cstdint>
#include <string_view>

namespace velmora {

namespace {

// Per-code class keys that do not follow from the digits cheaply.
struct CodeClassTables {
    std::uint8_t Ratio[1000]; // smbOfCode item * 10 + routeOfCode item
    std::uint8_t OddBig[1000]; // oddCountOfCode * 4 + bigCountOfCode
    std::uint8_t LinkType[1000]; // linkOfCode * 3 + repeatOfCode
};

const CodeClassTables& classTables()
{
    static const CodeClassTables tables = [] {
        CodeClassTables t {};
        for (int c = 0; c < 1000; ++c) {
            t.Ratio[c] = static_cast<std::uint8_t>(
                ratioPatternIndex(smbOfCode(c)) * 10 + ratioPatternIndex(routeOfCode(c)));
            t.OddBig[c] = static_cast<std::uint8_t>(oddCountOfCode(c) * 4 + bigCountOfCode(c));
            t.LinkType[c] = static_cast<std::uint8_t>(linkOfCode(c) * 3 + repeatOfCode(c));
        }
        return t;
    }();
    return tables;
}

// A flag row read as "allowed": an empty row allows everything.
template <std::size_t N> bool allows(const CheckFlags<N>& flags, std::size_t item)
{
    return !anyChecked(flags) || flags[item];
}

// Digits 0..9 occurring in the text.
std::array<bool, 10> digitsInText(std::string_view text)
{
    std::array<bool, 10> present {};
    for (char ch : text)
        if (ch >= '0' && ch <= '9')
            present[ch - '0'] = true;
    return present;
}

// pairs[x][y]: the text holds "xy" or "yx", so a code with x and y at two
// different positions holds a pair of it (codeHasPair).
using PairTable = std::array<std::array<bool, 10>, 10>;

PairTable pairsInText(std::string_view text)
{
    PairTable pairs {};
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const char x = text[i];
        const char y = text[i + 1];
        if (x >= '0' && x <= '9' && y >= '0' && y <= '9') {
            pairs[x - '0'][y - '0'] = true;
            pairs[y - '0'][x - '0'] = true;
        }
    }
    return pairs;
}

// Bits of the pair table: the two "must hold" lists, then the two "must not".
enum : std::uint8_t { kRecentIn = 1, kIn = 2, kRecentOut = 4, kOut = 8 };

// Hit counts of up to eleven texts, two bits each, in one 64-bit word:
// hits[d][e] has bit field t set to 1 when text t holds digit d more than e
// times. The code's k-th digit that repeats e earlier digits is matched when
// the text holds it more than e times (hitCountOfCode's each-character-once
// rule), so the sum of three such words counts every text's hits at once;
// a field never exceeds 3, so no field carries into the next.
struct HitCounter {
    std::uint64_t Hits[10][3] = {};
    // For each group of rows, a table over the packed counts of that group.
    struct Group {
        int Shift;
        std::array<bool, 64> Allowed;
    };
    std::array<Group, 4> Groups {};
};

void addHitText(HitCounter& counter, int field, std::string_view text)
{
    int count[10] = {};
    for (char ch : text)
        if (ch >= '0' && ch <= '9')
            ++count[ch - '0'];
    for (int d = 0; d < 10; ++d)
        for (int e = 0; e < 3; ++e)
            if (count[d] > e)
                counter.Hits[d][e] += std::uint64_t { 1 } << (2 * field);
}

// One group of up to three rows: the allowed counts of each row, or nullptr
// for a row that restricts nothing.
void buildGroup(HitCounter::Group& group, int shift, const std::array<const CheckFlags<4>*, 3>& rows)
{
    group.Shift = shift;
    for (int key = 0; key < 64; ++key) {
        bool ok = true;
        for (int r = 0; r < 3 && ok; ++r)
            if (rows[r] != nullptr)
                ok = (*rows[r])[(key >> (2 * r)) & 3];
        group.Allowed[key] = ok;
    }
}

HitCounter makeHitCounter(const FilterConditions& fc, const DrawHistory& history)
{
    HitCounter counter;
    std::array<const CheckFlags<4>*, 11> rows {};
    for (int row = 1; row <= kRecentRows; ++row) {
        const DrawRecord* draw = recentRowDraw(history, row);
        if (draw == nullptr)
            continue;
        const int drawRow = row - 1;
        const int testRow = row + 2;
        if (anyChecked(fc.RecentHits[drawRow])) {
            rows[drawRow] = &fc.RecentHits[drawRow];
            addHitText(counter, drawRow, intToPadStr(draw->drawCode, 3, true));
        }
        if (anyChecked(fc.RecentHits[testRow])) {
            rows[testRow] = &fc.RecentHits[testRow];
            addHitText(counter, testRow, intToPadStr(draw->testCode, 3, true));
        }
    }
    for (int k = 0; k < 5; ++k) {
        const HitGroup& group = fc.hitGroups[k];
        if (group.isEmpty())
            continue;
        rows[6 + k] = &group.counts;
        addHitText(counter, 6 + k, group.digits);
    }
    buildGroup(counter.Groups[0], 0, { rows[0], rows[1], rows[2] });
    buildGroup(counter.Groups[1], 6, { rows[3], rows[4], rows[5] });
    buildGroup(counter.Groups[2], 12, { rows[6], rows[7], rows[8] });
    buildGroup(counter.Groups[3], 18, { rows[9], rows[10], nullptr });
    return counter;
}

} // namespace

CodeSet runShrink(const FilterConditions& fc, const DrawHistory& history)
{
    const CodeClassTables& classes = classTables();

    // Per position: the position row, the smallest and largest digit (every
    // digit in range) and the excluded digits.
    const std::array<bool, 10> outDigits = digitsInText(fc.digitsOut);
    bool digitOk[3][10];
    for (int p = 0; p < 3; ++p)
        for (int d = 0; d < 10; ++d)
            digitOk[p][d]
                = allows(fc.positionDigits[p], d) && d >= fc.minDigit && d <= fc.maxDigit && !outDigits[d];

    // "At least one of these digits": bit 0 the bankers, bit 1 the required digits.
    std::uint8_t anyOf[10] = {};
    bool anyBanker = false;
    for (int item : fc.bankers)
        if (const int digit = bankerDigit(item); digit >= 0) {
            anyOf[digit] |= 1;
            anyBanker = true;
        }
    const std::array<bool, 10> inDigits = digitsInText(fc.digitsIn);
    for (int d = 0; d < 10; ++d) {
        if (!anyBanker)
            anyOf[d] |= 1;
        if (fc.digitsIn.empty() || inDigits[d])
            anyOf[d] |= 2;
    }

    // Pair lists: an empty "must hold" list is met by every pair, an empty
    // "must not" list by none.
    const PairTable recentIn = pairsInText(fc.recentPairsIn);
    const PairTable in = pairsInText(fc.pairsIn);
    const PairTable recentOut = pairsInText(fc.recentPairsOut);
    const PairTable out = pairsInText(fc.pairsOut);
    std::uint8_t pairBits[10][10];
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            pairBits[x][y]
                = static_cast<std::uint8_t>(((fc.recentPairsIn.empty() || recentIn[x][y]) ? kRecentIn : 0)
                    | ((fc.pairsIn.empty() || in[x][y]) ? kIn : 0) | (recentOut[x][y] ? kRecentOut : 0)
                    | (out[x][y] ? kOut : 0));

    bool sumOk[28];
    for (int s = 0; s < 28; ++s)
        sumOk[s] = allows(fc.sums, s) && allows(fc.sumTails, s % 10);
    bool ratioOk[100];
    for (int k = 0; k < 100; ++k)
        ratioOk[k] = allows(fc.smbPatterns, k / 10) && allows(fc.routePatterns, k % 10);
    bool oddBigOk[16];
    for (int k = 0; k < 16; ++k)
        oddBigOk[k] = allows(fc.oddCounts, k / 4) && allows(fc.bigCounts, k % 4);
    bool linkTypeOk[9];
    for (int k = 0; k < 9; ++k)
        linkTypeOk[k] = allows(fc.runKinds, k / 3) && allows(fc.codeTypes, k % 3);

    const HitCounter hits = makeHitCounter(fc, history);
    const auto& g = hits.Groups;

    CodeSet result;
    std::uint8_t* flags = result.data();
    for (int a = 0; a < 10; ++a) {
        if (!digitOk[0][a])
            continue;
        for (int b = 0; b < 10; ++b) {
            if (!digitOk[1][b])
                continue;
            const std::uint8_t anyAb = anyOf[a] | anyOf[b];
            const std::uint8_t pairAb = pairBits[a][b];
            const std::uint64_t hitsAb = hits.Hits[a][0] + hits.Hits[b][b == a ? 1 : 0];
            const int base = a * 100 + b * 10;
            for (int c = 0; c < 10; ++c) {
                const int code = base + c;
                const std::uint8_t pairs = pairAb | pairBits[a][c] | pairBits[b][c];
                const std::uint64_t h = hitsAb + hits.Hits[c][(c == a) + (c == b)];
                unsigned ok = digitOk[2][c];
                ok &= (anyAb | anyOf[c]) == 3;
                ok &= (pairs & (kRecentIn | kIn)) == (kRecentIn | kIn);
                ok &= (pairs & (kRecentOut | kOut)) == 0;
                ok &= sumOk[a + b + c];
                ok &= ratioOk[classes.Ratio[code]];
                ok &= oddBigOk[classes.OddBig[code]];
                ok &= linkTypeOk[classes.LinkType[code]];
                ok &= g[0].Allowed[(h >> g[0].Shift) & 63];
                ok &= g[1].Allowed[(h >> g[1].Shift) & 63];
                ok &= g[2].Allowed[(h >> g[2].Shift) & 63];
                ok &= g[3].Allowed[(h >> g[3].Shift) & 63];
                flags[code] = static_cast<std::uint8_t>(ok);
            }
        }
    }
    return result;
}

std::string shrinkStatusText(const CodeSet& codes) { return resultHeader(kShrinkStatusLeadingText, codes); }

} // namespace velmora
