// runBacktest: only the six recent-draw units depend on the target draw, and a
// code's hits against a reference code depend only on the two digit multisets
// (220 of them). So the engine is compiled once without those units, the codes'
// failure counts are gathered per multiset class, and each target draw costs a
// pass over the 220 classes instead of a filter run over 1000 codes.
#include "core/filter/Backtest.h"

#include "core/code/Code.h"
#include "core/filter/FilterEngine.h"
#include "core/io/TextFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace velmora {

namespace {

constexpr int kClassCount = 220; // multisets of three digits
constexpr int kRecentRowCount = 6;

// The multiset class of every code and the hits between any two classes.
struct MultisetTables {
    std::array<std::uint8_t, 1000> classOf {};
    std::array<int, kClassCount> representative {};
    std::uint8_t hits[kClassCount][kClassCount] {};
};

const MultisetTables& multisetTables()
{
    static const MultisetTables tables = [] {
        MultisetTables t;
        int count = 0;
        int classOfSorted[1000];
        for (int x = 0; x < 10; ++x)
            for (int y = x; y < 10; ++y)
                for (int z = y; z < 10; ++z) {
                    classOfSorted[x * 100 + y * 10 + z] = count;
                    t.representative[static_cast<std::size_t>(count)] = x * 100 + y * 10 + z;
                    ++count;
                }
        for (int code = 0; code < 1000; ++code) {
            std::array<int, 3> d = { code / 100, code / 10 % 10, code % 10 };
            std::sort(d.begin(), d.end());
            t.classOf[static_cast<std::size_t>(code)]
                = static_cast<std::uint8_t>(classOfSorted[d[0] * 100 + d[1] * 10 + d[2]]);
        }
        for (int q = 0; q < kClassCount; ++q)
            for (int m = 0; m < kClassCount; ++m)
                t.hits[q][m]
                    = static_cast<std::uint8_t>(hitCountOfCode(t.representative[static_cast<std::size_t>(m)],
                        zeroPadded(t.representative[static_cast<std::size_t>(q)], 3)));
        return t;
    }();
    return tables;
}

bool inCodeRange(int code) { return code >= 0 && code <= 999; }

// The index of the reference draw of recent row r (0..5) for the target at
// index t: rows 0 and 3 the third-latest draw before it, rows 2 and 5 the
// latest; negative when that draw does not exist.
int referenceIndex(int t, int row) { return t - 3 + row % 3; }

// The three draws before the target: all the recent rows look at.
DrawHistory drawsBefore(const DrawHistory& history, int t)
{
    const int first = std::max(0, t - 3);
    return DrawHistory(history.begin() + first, history.begin() + t);
}

BacktestDraw checkWithEngine(
    const FilterConditions& fc, const Tolerance& tolerance, const DrawHistory& history, int t)
{
    const FilterEngine engine(fc, drawsBefore(history, t));
    const CodeSet kept = engine.keep(tolerance);
    const int code = history[static_cast<std::size_t>(t)].drawCode;
    return { t, codeSetCount(kept), inCodeRange(code) && kept.has(code), engine.activeUnits(),
        engine.failedUnits(code) };
}

// keptOf[m][k]: codes of class m kept when they fail k recent-draw units on
// top of their other failures.
using KeptTable = std::array<std::array<int, kRecentRowCount + 1>, kClassCount>;

KeptTable keptTable(
    const CodeUnitMasks& staticFails, const Tolerance& tolerance, const MultisetTables& tables)
{
    KeptTable keptOf {};
    for (int code = 0; code < 1000; ++code) {
        const int fails = std::popcount(staticFails[static_cast<std::size_t>(code)]);
        auto& row = keptOf[tables.classOf[static_cast<std::size_t>(code)]];
        for (int k = 0; k <= kRecentRowCount; ++k)
            row[static_cast<std::size_t>(k)]
                += fails + k >= tolerance.min && fails + k <= tolerance.max ? 1 : 0;
    }
    return keptOf;
}

// Everything of the check that does not depend on the target draw.
struct StaticCheck {
    StaticCheck(const FilterConditions& fc, const Tolerance& tolerance)
        : tables(multisetTables())
        , engine(withoutRecentRows(fc), {})
        , staticFails(engine.failedUnitsOfAllCodes())
        , keptOf(keptTable(staticFails, tolerance, tables))
    {
        for (const auto& row : keptOf)
            keptWithoutRecent += row[0];
        // Per checked recent row: the counts 0..3 that fail it, as bits.
        for (std::size_t r = 0; r < kRecentRowCount; ++r) {
            rowChecked[r] = anyChecked(fc.recentHits[r]);
            for (int h = 0; h < 4; ++h)
                failingCounts[r] |= fc.recentHits[r][static_cast<std::size_t>(h)] ? 0u : 1u << h;
        }
    }

    static FilterConditions withoutRecentRows(FilterConditions fc)
    {
        fc.recentHits = {};
        return fc;
    }

    const MultisetTables& tables;
    const FilterEngine engine;
    const CodeUnitMasks staticFails;
    const KeptTable keptOf;
    int keptWithoutRecent = 0;
    std::array<bool, kRecentRowCount> rowChecked {};
    std::array<unsigned, kRecentRowCount> failingCounts {};
};

// The recent rows active for a target draw and the classes of their reference codes.
struct ActiveRows {
    int count = 0;
    std::array<int, kRecentRowCount> row {};
    std::array<int, kRecentRowCount> refClass {};
    bool plainCodes = true; // every code involved lies in 0..999
};

ActiveRows activeRows(const StaticCheck& check, const DrawHistory& history, int t)
{
    ActiveRows rows;
    rows.plainCodes = inCodeRange(history[static_cast<std::size_t>(t)].drawCode);
    for (int r = 0; r < kRecentRowCount; ++r) {
        const int index = referenceIndex(t, r);
        if (!check.rowChecked[static_cast<std::size_t>(r)] || index < 0)
            continue;
        const DrawRecord& reference = history[static_cast<std::size_t>(index)];
        const int ref = r < 3 ? reference.drawCode : reference.testCode;
        rows.plainCodes = rows.plainCodes && inCodeRange(ref);
        rows.row[static_cast<std::size_t>(rows.count)] = r;
        rows.refClass[static_cast<std::size_t>(rows.count)]
            = inCodeRange(ref) ? check.tables.classOf[static_cast<std::size_t>(ref)] : 0;
        ++rows.count;
    }
    return rows;
}

// The check of a target draw whose codes all lie in 0..999, by multiset classes.
BacktestDraw checkByClasses(
    const StaticCheck& check, const Tolerance& tolerance, const ActiveRows& rows, int code, int t)
{
    BacktestDraw draw;
    draw.index = t;
    draw.active = check.engine.activeUnits();
    draw.failed = check.staticFails[static_cast<std::size_t>(code)];
    draw.keptCount = check.keptWithoutRecent;
    const int codeClass = check.tables.classOf[static_cast<std::size_t>(code)];
    if (rows.count > 0) {
        std::array<std::uint8_t, kClassCount> recentFails {};
        for (std::size_t i = 0; i < static_cast<std::size_t>(rows.count); ++i) {
            const std::uint8_t* hits = check.tables.hits[rows.refClass[i]];
            const unsigned failing = check.failingCounts[static_cast<std::size_t>(rows.row[i])];
            for (std::size_t m = 0; m < kClassCount; ++m)
                recentFails[m] += static_cast<std::uint8_t>((failing >> hits[m]) & 1u);
            draw.active |= unitBit(rows.row[i]);
            if (((failing >> hits[codeClass]) & 1u) != 0)
                draw.failed |= unitBit(rows.row[i]);
        }
        draw.keptCount = 0;
        for (std::size_t m = 0; m < kClassCount; ++m)
            draw.keptCount += check.keptOf[m][recentFails[m]];
    }
    const int fails = std::popcount(draw.failed);
    draw.hit = fails >= tolerance.min && fails <= tolerance.max;
    return draw;
}

} // namespace

std::vector<BacktestDraw> runBacktest(
    const FilterConditions& fc, const Tolerance& tolerance, const DrawHistory& history, int count)
{
    const int total = static_cast<int>(history.size());
    const int targets = std::clamp(count, 0, total);
    std::vector<BacktestDraw> draws;
    draws.reserve(static_cast<std::size_t>(targets));
    if (targets == 0)
        return draws;

    const StaticCheck check(fc, tolerance);
    for (int t = total - targets; t < total; ++t) {
        const ActiveRows rows = activeRows(check, history, t);
        draws.push_back(rows.plainCodes
                ? checkByClasses(check, tolerance, rows, history[static_cast<std::size_t>(t)].drawCode, t)
                : checkWithEngine(fc, tolerance, history, t));
    }
    return draws;
}

std::vector<BacktestUnitStats> backtestUnitStats(const std::vector<BacktestDraw>& draws)
{
    std::array<BacktestUnitStats, kUnitCount> all {};
    std::array<int, kUnitCount> run {};
    for (const BacktestDraw& draw : draws)
        for (int u = 0; u < kUnitCount; ++u) {
            BacktestUnitStats& s = all[static_cast<std::size_t>(u)];
            int& r = run[static_cast<std::size_t>(u)];
            if ((draw.active & unitBit(u)) == 0) {
                r = 0;
                continue;
            }
            ++s.checked;
            if ((draw.failed & unitBit(u)) == 0) {
                ++s.passed;
                r = 0;
            } else {
                s.longestFailRun = std::max(s.longestFailRun, ++r);
            }
        }
    std::vector<BacktestUnitStats> units;
    for (int u = 0; u < kUnitCount; ++u) {
        BacktestUnitStats s = all[static_cast<std::size_t>(u)];
        if (s.checked == 0)
            continue;
        s.unit = u;
        s.currentFailRun = run[static_cast<std::size_t>(u)];
        units.push_back(s);
    }
    return units;
}

BacktestSummary backtestSummary(const std::vector<BacktestDraw>& draws)
{
    BacktestSummary summary;
    summary.draws = static_cast<int>(draws.size());
    for (std::size_t i = 0; i < draws.size(); ++i) {
        const BacktestDraw& draw = draws[i];
        summary.hits += draw.hit ? 1 : 0;
        summary.keptTotal += draw.keptCount;
        summary.fewestKept = i == 0 ? draw.keptCount : std::min(summary.fewestKept, draw.keptCount);
        summary.mostKept = i == 0 ? draw.keptCount : std::max(summary.mostKept, draw.keptCount);
    }
    return summary;
}

std::string backtestDrawsCsv(const std::vector<BacktestDraw>& draws, const DrawHistory& history)
{
    std::string csv = "期号,开奖号,注数,命中,未通过\n";
    for (const BacktestDraw& draw : draws) {
        const DrawRecord& record = history.at(static_cast<std::size_t>(draw.index));
        // Digits and unit names: no field needs quoting.
        csv += record.issueText() + ',' + zeroPadded(record.drawCode, 3) + ','
            + std::to_string(draw.keptCount) + ',' + (draw.hit ? '1' : '0') + ','
            + unitNames(draw.failed & draw.active, ";") + '\n';
    }
    return csv;
}

std::string backtestUnitsCsv(const std::vector<BacktestUnitStats>& units)
{
    std::string csv = "条件,验证期数,通过期数,通过率,当前连续未通过,最大连续未通过\n";
    for (const BacktestUnitStats& s : units)
        csv += std::string(unitName(s.unit)) + ',' + std::to_string(s.checked) + ','
            + std::to_string(s.passed) + ',' + formatRate(s.passed, s.checked) + ','
            + std::to_string(s.currentFailRun) + ',' + std::to_string(s.longestFailRun) + '\n';
    return csv;
}

std::string backtestSummaryCsv(const BacktestSummary& s)
{
    return "验证期数,命中期数,命中率,平均注数,最少注数,最多注数\n" + std::to_string(s.draws) + ','
        + std::to_string(s.hits) + ',' + formatRate(s.hits, s.draws) + ','
        + formatAverage(s.keptTotal, s.draws) + ',' + std::to_string(s.fewestKept) + ','
        + std::to_string(s.mostKept) + '\n';
}

BacktestMoney backtestMoney(const BacktestSummary& summary)
{
    return { kBetPrice * summary.keptTotal, static_cast<long long>(kDirectPrize) * summary.hits };
}

std::string chanceRate(const BacktestSummary& summary)
{
    return formatRate(summary.keptTotal, 1000LL * summary.draws);
}

namespace {

std::string returnRate(const BacktestMoney& money)
{
    return money.staked > 0 ? formatRate(money.prize, money.staked) : "-";
}

} // namespace

std::string backtestMoneyCsv(const BacktestSummary& s)
{
    const BacktestMoney money = backtestMoney(s);
    return "验证期数,命中期数,命中率,随机命中率,投入,奖金,盈亏,回报率\n" + std::to_string(s.draws) + ','
        + std::to_string(s.hits) + ',' + formatRate(s.hits, s.draws) + ',' + chanceRate(s) + ','
        + std::to_string(money.staked) + ',' + std::to_string(money.prize) + ','
        + std::to_string(money.profit()) + ',' + returnRate(money) + '\n';
}

std::string backtestMoneyText(const BacktestSummary& s)
{
    const BacktestMoney money = backtestMoney(s);
    return "投入" + std::to_string(money.staked) + "元，奖金" + std::to_string(money.prize) + "元，盈亏"
        + std::to_string(money.profit()) + "元，回报率" + returnRate(money);
}

std::string backtestSummaryText(const BacktestSummary& s)
{
    return "验证" + std::to_string(s.draws) + "期，命中" + std::to_string(s.hits) + "期，命中率"
        + formatRate(s.hits, s.draws) + "（随机" + chanceRate(s) + "），平均注数"
        + formatAverage(s.keptTotal, s.draws) + "，最少" + std::to_string(s.fewestKept) + "注，最多"
        + std::to_string(s.mostKept) + "注\n" + backtestMoneyText(s);
}

} // namespace velmora
