// FilterEngine: every condition is first turned into small tables of failed
// units, indexed by a digit, a digit pair, a sum or a class key of the code; one
// pass over the 1000 codes then ORs table lookups. An empty condition becomes a
// table without its unit's bit, so the pass has no branches per condition.
#include "core/filter/FilterEngine.h"

#include "core/code/Code.h"
#include "core/code/CodeSetText.h"
#include "core/filter/RecentPanel.h"

#include <bit>
#include <string_view>

namespace velmora {

namespace {

// Per code, the keys of FilterEngine's m_ratio and m_counts tables (the
// header explains them), which do not follow from the digits cheaply.
struct CodeClassTables {
    std::uint8_t ratio[1000];
    std::uint8_t counts[1000];
    std::uint8_t routeOdd[1000];
    std::uint8_t bigPrime[1000];
    std::uint8_t sorted[1000];
    // The sorted digits of each class of m_sorted, low to high.
    std::array<std::array<std::uint8_t, 3>, 220> sortedDigits;
};

const CodeClassTables& classTables()
{
    static const CodeClassTables tables = [] {
        CodeClassTables t {};
        int classOfSorted[1000] = {};
        int classes = 0;
        for (int x = 0; x < 10; ++x)
            for (int y = x; y < 10; ++y)
                for (int z = y; z < 10; ++z) {
                    classOfSorted[x * 100 + y * 10 + z] = classes;
                    t.sortedDigits[static_cast<std::size_t>(classes++)] = { static_cast<std::uint8_t>(x),
                        static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(z) };
                }
        for (int c = 0; c < 1000; ++c) {
            t.ratio[c] = static_cast<std::uint8_t>(
                ratioPatternIndex(smbOfCode(c)) * 10 + ratioPatternIndex(routeOfCode(c)));
            t.counts[c] = static_cast<std::uint8_t>(
                (oddCountOfCode(c) * 4 + bigCountOfCode(c)) * 9 + linkOfCode(c) * 3 + repeatOfCode(c));
            t.routeOdd[c] = static_cast<std::uint8_t>(routeMaskOfCode(c) * 8 + oddMaskOfCode(c));
            t.bigPrime[c] = static_cast<std::uint8_t>(bigMaskOfCode(c) * 8 + primeMaskOfCode(c));
            t.sorted[c] = static_cast<std::uint8_t>(classOfSorted[groupOf(c)]);
        }
        return t;
    }();
    return tables;
}

UnitMask bit(FilterUnit unit) { return unitBit(unit); }

// Per item of a multi-check row: the unit's bit when the row is active and
// does not allow the item.
template <std::size_t N> std::array<UnitMask, N> rowFails(const CheckFlags<N>& flags, FilterUnit unit)
{
    std::array<UnitMask, N> fails {};
    if (anyChecked(flags))
        for (std::size_t item = 0; item < N; ++item)
            fails[item] = flags[item] ? 0 : bit(unit);
    return fails;
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

// Adds the reference code's three-digit text (zeroPadded to width 3).
void addHitText(std::uint64_t (&hits)[10][3], int field, std::string_view text);

void addReferenceCode(std::uint64_t (&hits)[10][3], int field, int code)
{
    if (code < 0 || code > 999) {
        addHitText(hits, field, zeroPadded(code, 3));
        return;
    }
    const char text[3] = { static_cast<char>('0' + code / 100), static_cast<char>('0' + code / 10 % 10),
        static_cast<char>('0' + code % 10) };
    addHitText(hits, field, std::string_view(text, 3));
}

void addHitText(std::uint64_t (&hits)[10][3], int field, std::string_view text)
{
    int count[10] = {};
    for (char ch : text)
        if (ch >= '0' && ch <= '9')
            ++count[ch - '0'];
    for (int d = 0; d < 10; ++d)
        for (int e = 0; e < 3; ++e)
            if (count[d] > e)
                hits[d][e] += std::uint64_t { 1 } << (2 * field);
}

// The rows of the hit counter in field order: six recent-draw rows, five hit groups.
constexpr FilterUnit kHitRowUnits[11]
    = { FilterUnit::RecentDraw1, FilterUnit::RecentDraw2, FilterUnit::RecentDraw3, FilterUnit::RecentTest1,
          FilterUnit::RecentTest2, FilterUnit::RecentTest3, FilterUnit::HitGroup1, FilterUnit::HitGroup2,
          FilterUnit::HitGroup3, FilterUnit::HitGroup4, FilterUnit::HitGroup5 };

} // namespace

FilterEngine::FilterEngine(const FilterConditions& fc, const DrawHistory& history)
{
    compilePositions(fc);
    compileHeldDigits(fc);
    compilePairs(fc);
    compileHeldFails();
    compileClasses(fc);
    compileShapes(fc);
    compileHits(fc, history);
}

// Per position and digit: the position row, the smallest and largest digit
// (every digit in range) and the excluded digits.
void FilterEngine::compilePositions(const FilterConditions& fc)
{
    const UnitMask rangeFail = fc.minDigit > 0 || fc.maxDigit < 9 ? bit(FilterUnit::DigitRange) : 0;
    const UnitMask outFail = fc.digitsOut.empty() ? 0 : bit(FilterUnit::DigitsOut);
    const std::array<bool, 10> outDigits = digitsInText(fc.digitsOut);
    for (int p = 0; p < 3; ++p) {
        const auto unit = static_cast<FilterUnit>(static_cast<int>(FilterUnit::Hundreds) + p);
        const auto positionFails = rowFails(fc.positionDigits[p], unit);
        for (int d = 0; d < 10; ++d)
            m_position[p][d] = positionFails[d] | (d < fc.minDigit || d > fc.maxDigit ? rangeFail : 0)
                | (outDigits[d] ? outFail : 0);
        if (anyChecked(fc.positionDigits[p]))
            m_active |= bit(unit);
    }
    m_active |= rangeFail | outFail;
}

// "At least one of these digits": the bankers and the required digits, as Held
// bits of each digit. Without a banker (or with an empty 必选号) every digit
// holds the bit, so no code fails it.
void FilterEngine::compileHeldDigits(const FilterConditions& fc)
{
    bool anyBanker = false;
    for (int item : fc.bankers)
        if (const int digit = bankerDigit(item); digit >= 0) {
            m_anyOf[digit] |= kBanker;
            anyBanker = true;
        }
    const std::array<bool, 10> inDigits = digitsInText(fc.digitsIn);
    for (int d = 0; d < 10; ++d) {
        if (!anyBanker)
            m_anyOf[d] |= kBanker;
        if (fc.digitsIn.empty() || inDigits[d])
            m_anyOf[d] |= kDigitIn;
    }
    if (anyBanker)
        m_active |= bit(FilterUnit::Bankers);
    if (!fc.digitsIn.empty())
        m_active |= bit(FilterUnit::DigitsIn);
}

// The pair lists as Held bits of each digit pair: an empty "must hold" list is
// met by every pair, an empty "must not" list by none.
void FilterEngine::compilePairs(const FilterConditions& fc)
{
    const struct {
        const std::string& text;
        Held held;
        bool mustHold;
        FilterUnit unit;
    } lists[] = { { fc.recentPairsIn, kRecentIn, true, FilterUnit::RecentPairsIn },
        { fc.pairsIn, kIn, true, FilterUnit::PairsIn },
        { fc.recentPairsOut, kRecentOut, false, FilterUnit::RecentPairsOut },
        { fc.pairsOut, kOut, false, FilterUnit::PairsOut } };
    for (const auto& list : lists) {
        const PairTable pairs = pairsInText(list.text);
        const bool everyPair = list.mustHold && list.text.empty();
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 10; ++y)
                if (everyPair || pairs[x][y])
                    m_pairBits[x][y] |= list.held;
        if (!list.text.empty())
            m_active |= bit(list.unit);
    }
}

// The units failed by each of the 64 combinations of Held bits.
void FilterEngine::compileHeldFails()
{
    for (int held = 0; held < kHeldKeys; ++held)
        m_setFails[held] = ((held & kRecentIn) == 0 ? bit(FilterUnit::RecentPairsIn) : 0)
            | ((held & kIn) == 0 ? bit(FilterUnit::PairsIn) : 0)
            | ((held & kRecentOut) != 0 ? bit(FilterUnit::RecentPairsOut) : 0)
            | ((held & kOut) != 0 ? bit(FilterUnit::PairsOut) : 0)
            | ((held & kBanker) == 0 ? bit(FilterUnit::Bankers) : 0)
            | ((held & kDigitIn) == 0 ? bit(FilterUnit::DigitsIn) : 0);
}

void FilterEngine::compileClasses(const FilterConditions& fc)
{
    const auto sums = rowFails(fc.sums, FilterUnit::Sums);
    const auto tails = rowFails(fc.sumTails, FilterUnit::SumTails);
    for (int s = 0; s < kSumKeys; ++s)
        m_sum[s] = sums[s] | tails[s % 10];
    const auto smb = rowFails(fc.smbPatterns, FilterUnit::SmbPatterns);
    const auto routes = rowFails(fc.routePatterns, FilterUnit::RoutePatterns);
    for (int k = 0; k < kRatioKeys; ++k)
        m_ratio[k] = smb[k / 10] | routes[k % 10];
    const auto odd = rowFails(fc.oddCounts, FilterUnit::OddCounts);
    const auto big = rowFails(fc.bigCounts, FilterUnit::BigCounts);
    const auto runs = rowFails(fc.runKinds, FilterUnit::RunKinds);
    const auto types = rowFails(fc.codeTypes, FilterUnit::CodeTypes);
    for (int k = 0; k < kCountKeys; ++k)
        m_counts[k] = odd[k / 36] | big[k / 9 % 4] | runs[k / 3 % 3] | types[k % 3];

    const std::pair<bool, FilterUnit> rows[] = { { anyChecked(fc.sumTails), FilterUnit::SumTails },
        { anyChecked(fc.sums), FilterUnit::Sums }, { anyChecked(fc.smbPatterns), FilterUnit::SmbPatterns },
        { anyChecked(fc.routePatterns), FilterUnit::RoutePatterns },
        { anyChecked(fc.oddCounts), FilterUnit::OddCounts },
        { anyChecked(fc.bigCounts), FilterUnit::BigCounts },
        { anyChecked(fc.runKinds), FilterUnit::RunKinds },
        { anyChecked(fc.codeTypes), FilterUnit::CodeTypes } };
    for (const auto& [active, unit] : rows)
        if (active)
            m_active |= bit(unit);
}

// The conditions on position patterns and on the sorted digits. A code's three
// pairs are all the pairs of its digits, so the pair counts follow from the
// sorted digits too.
void FilterEngine::compileShapes(const FilterConditions& fc)
{
    const auto odd = rowFails(fc.oddShapes, FilterUnit::OddShapes);
    const auto big = rowFails(fc.bigShapes, FilterUnit::BigShapes);
    const auto prime = rowFails(fc.primeShapes, FilterUnit::PrimeShapes);
    const auto route = rowFails(fc.routeShapes, FilterUnit::RouteShapes);
    for (int k = 0; k < kRouteOddKeys; ++k)
        m_routeOdd[k] = route[k / 8] | odd[k % 8];
    for (int k = 0; k < kBigPrimeKeys; ++k)
        m_bigPrime[k] = big[k / 8] | prime[k % 8];

    const auto spans = rowFails(fc.spans, FilterUnit::Spans);
    const auto primes = rowFails(fc.primeCounts, FilterUnit::PrimeCounts);
    const auto lows = rowFails(fc.lows, FilterUnit::Lows);
    const auto mids = rowFails(fc.mids, FilterUnit::Mids);
    const auto highs = rowFails(fc.highs, FilterUnit::Highs);
    const bool sumsActive = !fc.pairSums.isEmpty();
    const bool diffsActive = !fc.pairDiffs.isEmpty();
    const auto sumCounts = rowFails(fc.pairSums.counts, FilterUnit::PairSums);
    const auto diffCounts = rowFails(fc.pairDiffs.counts, FilterUnit::PairDiffs);
    const CodeClassTables& classes = classTables();
    for (int k = 0; k < kSortedKeys; ++k) {
        const auto& d = classes.sortedDigits[static_cast<std::size_t>(k)];
        const int x = d[0];
        const int y = d[1];
        const int z = d[2];
        const int primeCount = isPrimeDigit(x) + isPrimeDigit(y) + isPrimeDigit(z);
        UnitMask fails = spans[z - x] | primes[primeCount] | lows[x] | mids[y] | highs[z];
        if (sumsActive) {
            const auto& tails = fc.pairSums.digits;
            fails |= sumCounts[tails[(x + y) % 10] + tails[(x + z) % 10] + tails[(y + z) % 10]];
        }
        if (diffsActive) {
            const auto& diffs = fc.pairDiffs.digits;
            fails |= diffCounts[diffs[y - x] + diffs[z - x] + diffs[z - y]];
        }
        m_sorted[k] = fails;
    }

    const std::pair<bool, FilterUnit> rows[] = { { anyChecked(fc.spans), FilterUnit::Spans },
        { anyChecked(fc.primeCounts), FilterUnit::PrimeCounts },
        { anyChecked(fc.oddShapes), FilterUnit::OddShapes },
        { anyChecked(fc.bigShapes), FilterUnit::BigShapes },
        { anyChecked(fc.primeShapes), FilterUnit::PrimeShapes },
        { anyChecked(fc.routeShapes), FilterUnit::RouteShapes }, { anyChecked(fc.lows), FilterUnit::Lows },
        { anyChecked(fc.mids), FilterUnit::Mids }, { anyChecked(fc.highs), FilterUnit::Highs },
        { sumsActive, FilterUnit::PairSums }, { diffsActive, FilterUnit::PairDiffs } };
    for (const auto& [active, unit] : rows)
        if (active)
            m_active |= bit(unit);
}

void FilterEngine::compileHits(const FilterConditions& fc, const DrawHistory& history)
{
    // The allowed counts of each of the eleven rows, or nullptr for an inactive row.
    std::array<const CheckFlags<4>*, 11> rows {};
    for (int row = 1; row <= kRecentRows; ++row) {
        const DrawRecord* draw = recentRowDraw(history, row);
        if (draw == nullptr)
            continue;
        const int drawRow = row - 1;
        const int testRow = row + 2;
        if (anyChecked(fc.recentHits[drawRow])) {
            rows[drawRow] = &fc.recentHits[drawRow];
            addReferenceCode(m_hits, drawRow, draw->drawCode);
        }
        if (anyChecked(fc.recentHits[testRow])) {
            rows[testRow] = &fc.recentHits[testRow];
            addReferenceCode(m_hits, testRow, draw->testCode);
        }
    }
    for (int k = 0; k < 5; ++k) {
        const velmora::HitGroup& group = fc.hitGroups[k];
        if (group.isEmpty())
            continue;
        rows[6 + k] = &group.counts;
        addHitText(m_hits, 6 + k, group.digits);
    }
    for (int field = 0; field < 11; ++field)
        if (rows[field] != nullptr)
            m_active |= bit(kHitRowUnits[field]);

    // Per field and count: the field's unit when the row does not allow the count.
    UnitMask countFails[12][4] = {};
    for (int field = 0; field < 11; ++field)
        if (rows[field] != nullptr)
            for (int count = 0; count < 4; ++count)
                countFails[field][count] = (*rows[field])[count] ? 0 : bit(kHitRowUnits[field]);
    for (int g = 0; g < 4; ++g) {
        HitGroup& group = m_hitGroups[g];
        group.shift = 6 * g;
        const UnitMask(&first)[4] = countFails[3 * g];
        const UnitMask(&second)[4] = countFails[3 * g + 1];
        const UnitMask(&third)[4] = countFails[3 * g + 2];
        for (int key = 0; key < 64; ++key)
            group.fails[key] = first[key & 3] | second[(key >> 2) & 3] | third[key >> 4];
    }
}

UnitMask FilterEngine::failedUnits(int code) const
{
    if (code < 0 || code >= CodeSet::kSize)
        return m_active;
    const CodeClassTables& classes = classTables();
    const int a = code / 100;
    const int b = code / 10 % 10;
    const int c = code % 10;
    const std::uint64_t h = m_hits[a][0] + m_hits[b][b == a ? 1 : 0] + m_hits[c][(c == a) + (c == b)];
    UnitMask fails = m_position[0][a] | m_position[1][b] | m_position[2][c];
    fails |= m_setFails[m_anyOf[a] | m_anyOf[b] | m_anyOf[c] | m_pairBits[a][b] | m_pairBits[a][c]
        | m_pairBits[b][c]];
    fails |= m_sum[a + b + c] | m_ratio[classes.ratio[code]] | m_counts[classes.counts[code]];
    fails |= m_routeOdd[classes.routeOdd[code]] | m_bigPrime[classes.bigPrime[code]]
        | m_sorted[classes.sorted[code]];
    for (const HitGroup& group : m_hitGroups)
        fails |= group.fails[(h >> group.shift) & 63];
    return fails;
}

CodeUnitMasks FilterEngine::failedUnitsOfAllCodes() const
{
    CodeUnitMasks masks {};
    for (int code = 0; code < CodeSet::kSize; ++code)
        masks[static_cast<std::size_t>(code)] = failedUnits(code);
    return masks;
}

// One pass over the codes, the digits as three nested loops so that the
// lookups of the first two digits are shared; a prefix that already fails more
// than maxFails units skips its codes (for the plain filter: any failure).
template <bool Plain> void FilterEngine::forEachCode(int minFails, int maxFails, std::uint8_t* flags) const
{
    const CodeClassTables& classes = classTables();
    const auto& g = m_hitGroups;
    auto tooMany
        = [maxFails](UnitMask fails) { return Plain ? fails != 0 : std::popcount(fails) > maxFails; };
    for (int a = 0; a < 10; ++a) {
        const UnitMask failsA = m_position[0][a];
        if (tooMany(failsA))
            continue;
        for (int b = 0; b < 10; ++b) {
            const UnitMask failsAb = failsA | m_position[1][b];
            if (tooMany(failsAb))
                continue;
            const std::uint8_t heldAb = m_anyOf[a] | m_anyOf[b] | m_pairBits[a][b];
            const std::uint64_t hitsAb = m_hits[a][0] + m_hits[b][b == a ? 1 : 0];
            const int base = a * 100 + b * 10;
            for (int c = 0; c < 10; ++c) {
                const int code = base + c;
                const std::uint64_t h = hitsAb + m_hits[c][(c == a) + (c == b)];
                UnitMask fails = failsAb | m_position[2][c];
                fails |= m_setFails[heldAb | m_anyOf[c] | m_pairBits[a][c] | m_pairBits[b][c]];
                fails |= m_sum[a + b + c];
                fails |= m_ratio[classes.ratio[code]];
                fails |= m_counts[classes.counts[code]];
                fails |= m_routeOdd[classes.routeOdd[code]];
                fails |= m_bigPrime[classes.bigPrime[code]];
                fails |= m_sorted[classes.sorted[code]];
                fails |= g[0].fails[(h >> g[0].shift) & 63];
                fails |= g[1].fails[(h >> g[1].shift) & 63];
                fails |= g[2].fails[(h >> g[2].shift) & 63];
                fails |= g[3].fails[(h >> g[3].shift) & 63];
                if constexpr (Plain) {
                    flags[code] = static_cast<std::uint8_t>(fails == 0);
                } else {
                    const int count = std::popcount(fails);
                    flags[code] = static_cast<std::uint8_t>(count >= minFails && count <= maxFails);
                }
            }
        }
    }
}

CodeSet FilterEngine::keep(const Tolerance& tolerance) const
{
    CodeSet result;
    if (tolerance.min > tolerance.max || tolerance.max < 0)
        return result;
    if (tolerance.min <= 0 && tolerance.max == 0)
        forEachCode<true>(0, 0, result.data());
    else
        forEachCode<false>(tolerance.min, tolerance.max, result.data());
    return result;
}

CodeSet runShrink(const FilterConditions& conditions, const DrawHistory& history)
{
    return FilterEngine(conditions, history).keep(Tolerance {});
}

CodeSet runShrink(const FilterConditions& conditions, const DrawHistory& history, const Tolerance& tolerance)
{
    return FilterEngine(conditions, history).keep(tolerance);
}

std::string shrinkStatusText(const CodeSet& codes) { return resultHeader(kShrinkStatusLeadingText, codes); }

} // namespace velmora
