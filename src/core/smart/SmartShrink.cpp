#include "core/smart/SmartShrink.h"

#include "core/code/Code.h"
#include "core/code/CodeSetText.h"

#include <algorithm>

namespace velmora {

std::array<int, 10> smartShrinkDigitWeights(const DrawHistory& history)
{
    std::array<int, 10> weights {};
    const std::size_t window = std::min<std::size_t>(kSmartShrinkWindow, history.size());
    for (std::size_t i = history.size() - window; i < history.size(); ++i)
        for (int position = 1; position <= 3; ++position)
            ++weights[digitAt(history[i].drawCode, position)];
    int sum = 0;
    for (int w : weights)
        sum += w;
    const int mean = sum / 10 + 1;
    for (int& w : weights)
        if (mean - w > 1)
            w = 2 * mean - w;
    return weights;
}

int smartShrinkTarget(int baseCount, int level)
{
    if (baseCount <= 0)
        return 0;
    return static_cast<int>(static_cast<long long>(baseCount) * (100 - 12LL * level) / 100);
}

std::optional<CodeSet> smartShrink(const CodeSet& base, int level, const DrawHistory& history)
{
    if (history.size() < static_cast<std::size_t>(kSmartShrinkWindow))
        return std::nullopt;
    const std::array<int, 10> digitWeights = smartShrinkDigitWeights(history);

    // A digit weighs at most 30 (seen in all ten draws at every position), a code 90.
    constexpr int kMaxWeight = 90;
    int weight[CodeSet::kSize];
    std::array<int, kMaxWeight + 1> perWeight {};
    int count = 0;
    for (int c = 0; c < CodeSet::kSize; ++c) {
        if (!base.has(c))
            continue;
        weight[c] = digitWeights[digitAt(c, 1)] + digitWeights[digitAt(c, 2)] + digitWeights[digitAt(c, 3)];
        ++perWeight[weight[c]];
        ++count;
    }

    CodeSet result;
    const int target = smartShrinkTarget(count, level);
    if (target <= 0)
        return result;

    // Codes drop heaviest first, lowest code first among equals: every code
    // above the boundary weight drops, and the lowest `dropAtBoundary` codes of
    // the boundary weight.
    int toDrop = std::max(0, count - target);
    int boundary = kMaxWeight + 1;
    int dropAtBoundary = 0;
    for (int w = kMaxWeight; w >= 0 && toDrop > 0; --w) {
        boundary = w;
        dropAtBoundary = std::min(toDrop, perWeight[w]);
        toDrop -= dropAtBoundary;
    }
    for (int c = 0; c < CodeSet::kSize; ++c) {
        if (!base.has(c) || weight[c] > boundary)
            continue;
        if (weight[c] == boundary && dropAtBoundary > 0) {
            --dropAtBoundary;
            continue;
        }
        result[c] = 1;
    }
    return result;
}

std::string smartShrinkResultText(const CodeSet& result)
{
    return resultHeader(kSmartShrinkLeadingText, result);
}

std::string smartShrinkImportText(const CodeSet& imported)
{
    return "总共导入" + std::to_string(codeSetCount(imported)) + "注号码";
}

} // namespace velmora
