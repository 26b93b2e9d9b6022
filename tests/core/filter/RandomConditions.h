// Random filter conditions for comparing the engines with their oracles.
#pragma once

#include "core/filter/FilterConditions.h"

#include <random>
#include <string>

namespace velmora::test {

// Random conditions: each condition active with some chance, its flags dense
// enough that a run often keeps part of the codes; texts mix digits with
// separators, blanks and Chinese characters; digit bounds and banker items
// also stray out of range.
class RandomConditions {
public:
    explicit RandomConditions(unsigned seed)
        : m_rng(seed)
    {
    }

    FilterConditions Next()
    {
        FilterConditions fc;
        for (auto& row : fc.recentHits)
            Flags(row, 0.25);
        if (Chance(0.15))
            fc.recentPairsIn = text();
        if (Chance(0.15))
            fc.recentPairsOut = text();
        for (auto& row : fc.positionDigits)
            Flags(row, 0.2);
        if (Chance(0.3))
            for (int& item : fc.bankers)
                item = Int(-1, 11);
        Flags(fc.sumTails, 0.15);
        Flags(fc.sums, 0.15);
        Flags(fc.smbPatterns, 0.15);
        Flags(fc.routePatterns, 0.15);
        Flags(fc.oddCounts, 0.15);
        Flags(fc.bigCounts, 0.15);
        for (HitGroup& group : fc.hitGroups) {
            if (Chance(0.3))
                group.digits = text();
            Flags(group.counts, 0.3);
        }
        if (Chance(0.15))
            fc.pairsIn = text();
        if (Chance(0.15))
            fc.pairsOut = text();
        if (Chance(0.15))
            fc.digitsIn = text();
        if (Chance(0.15))
            fc.digitsOut = text();
        if (Chance(0.2))
            fc.minDigit = Int(-1, 10);
        if (Chance(0.2))
            fc.maxDigit = Int(-1, 12);
        Flags(fc.runKinds, 0.15);
        Flags(fc.codeTypes, 0.15);
        Flags(fc.spans, 0.15);
        Flags(fc.primeCounts, 0.15);
        Flags(fc.oddShapes, 0.15);
        Flags(fc.bigShapes, 0.15);
        Flags(fc.primeShapes, 0.15);
        Flags(fc.routeShapes, 0.15);
        Flags(fc.lows, 0.15);
        Flags(fc.mids, 0.15);
        Flags(fc.highs, 0.15);
        for (PairCount* pair : { &fc.pairSums, &fc.pairDiffs }) {
            Flags(pair->digits, 0.3);
            Flags(pair->counts, 0.3);
        }
        return fc;
    }

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

private:
    bool Chance(double p) { return std::bernoulli_distribution(p)(m_rng); }

    template <std::size_t N> void Flags(CheckFlags<N>& flags, double activeChance)
    {
        if (!Chance(activeChance))
            return;
        for (bool& f : flags)
            f = Chance(0.6);
    }

    std::string text()
    {
        static const char* const kPieces[]
            = { "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ",", " ", "，", "五", "a", "\t" };
        std::string text;
        const int length = Int(0, 12);
        for (int i = 0; i < length; ++i)
            text += kPieces[Int(0, 15)];
        return text;
    }

    std::mt19937 m_rng;
};

} // namespace velmora::test
