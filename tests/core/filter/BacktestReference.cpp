#include "core/filter/BacktestReference.h"

#include "core/filter/FilterEngine.h"

#include <algorithm>

namespace velmora {

std::vector<BacktestDraw> runBacktestReference(
    const FilterConditions& conditions, const Tolerance& tolerance, const DrawHistory& history, int count)
{
    const int total = static_cast<int>(history.size());
    std::vector<BacktestDraw> draws;
    for (int t = total - std::clamp(count, 0, total); t < total; ++t) {
        const DrawHistory before(history.begin(), history.begin() + t);
        const FilterEngine engine(conditions, before);
        const CodeSet kept = engine.keep(tolerance);
        const int code = history[static_cast<std::size_t>(t)].drawCode;
        BacktestDraw draw;
        draw.index = t;
        draw.keptCount = codeSetCount(kept);
        draw.hit = code >= 0 && code < CodeSet::kSize && kept.has(code);
        draw.active = engine.activeUnits();
        draw.failed = engine.failedUnits(code);
        draws.push_back(draw);
    }
    return draws;
}

} // namespace velmora
