#include "Shrink/SmartShrink.h"

#include "Code/Code.h"

#include <algorithm>
#include <vector>

namespace velmora {

std::array<int, 10> SmartShrinkDigitWeights(const TCodeRecArr& history)
{
    std::array<int, 10> weights{};
    const std::size_t window = std::min<std::size_t>(kSmartShrinkWindow, history.size());
    for (std::size_t i = history.size() - window; i < history.size(); ++i)
        for (int position = 1; position <= 3; ++position)
            ++weights[NumOfCode(history[i].DrawCode, position)];
    int sum = 0;
    for (int w : weights)
        sum += w;
    const int mean = sum / 10 + 1;
    for (int& w : weights)
        if (mean - w > 1)
            w = 2 * mean - w;
    return weights;
}

int SmartShrinkTarget(int baseCount, int level)
{
    if (baseCount <= 0)
        return 0;
    return static_cast<int>(static_cast<long long>(baseCount) * (100 - 12LL * level) / 100);
}

std::optional<TCodeArr> SmartShrink(const TCodeArr& base, int level, const TCodeRecArr& history)
{
    if (history.size() < static_cast<std::size_t>(kSmartShrinkWindow))
        return std::nullopt;
    const std::array<int, 10> digitWeights = SmartShrinkDigitWeights(history);

    // Base codes in drop order: highest weight first, lowest code first among
    // equals (the stable sort keeps the ascending code order within a weight).
    std::vector<std::pair<int, int>> order; // (weight, code)
    for (int c = 0; c < TCodeArr::kSize; ++c)
        if (base.Has(c))
            order.emplace_back(digitWeights[NumOfCode(c, 1)] + digitWeights[NumOfCode(c, 2)] +
                                   digitWeights[NumOfCode(c, 3)],
                               c);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& x, const auto& y) { return x.first > y.first; });

    TCodeArr result;
    const int count = static_cast<int>(order.size());
    const int target = SmartShrinkTarget(count, level);
    if (target <= 0)
        return result;
    const int drop = std::max(0, count - target);
    for (int i = drop; i < count; ++i)
        result[order[i].second] = 1;
    return result;
}

} // namespace velmora
