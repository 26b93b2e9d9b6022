// "遗漏统计表": how long each digit, sum, span and type has been missing.
#include "core/charts/ChartSkeleton.h"
#include "core/charts/Charts.h"
#include "core/code/Code.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

constexpr CellColor kRecordRed = CellColor::rgb(255, 0, 0);
// The groups alternate between two light bands in the 项目 and 号码 columns.
constexpr CellColor kGroupBands[2] = { CellColor::rgb(225, 240, 250), CellColor::rgb(232, 246, 228) };

struct ItemGroup {
    const char* name;
    int first; // index of its first item
    int count;
};

constexpr ItemGroup kGroups[] = {
    { "百位", 0, 10 },
    { "十位", 10, 10 },
    { "个位", 20, 10 },
    { "组选", 30, 10 },
    { "和值", 40, 28 },
    { "跨度", 68, 10 },
    { "类型", 78, 3 },
};
constexpr int kItemCount = 81;
constexpr const char* kTypeNames[3] = { "组六", "组三", "豹子" };

// The items a draw code shows, at most nine; returns how many.
int itemsOfCode(int code, std::array<int, 9>& items)
{
    const int a = code / 100 % 10;
    const int b = code / 10 % 10;
    const int c = code % 10;
    int n = 0;
    items[n++] = a;
    items[n++] = 10 + b;
    items[n++] = 20 + c;
    items[n++] = 30 + a;
    if (b != a)
        items[n++] = 30 + b;
    if (c != a && c != b)
        items[n++] = 30 + c;
    items[n++] = 40 + a + b + c;
    items[n++] = 68 + std::max({ a, b, c }) - std::min({ a, b, c });
    items[n++] = 78 + (a == b && b == c ? 2 : (a == b || b == c || a == c ? 1 : 0));
    return n;
}

} // namespace

std::vector<OmissionItem> omissionStats(const DrawHistory& history, int n)
{
    const int total = static_cast<int>(history.size());
    const int window = std::clamp(n, 0, total);
    std::array<int, kItemCount> appearances {};
    std::array<int, kItemCount> last {}; // number of the last draw showing it, 0 for none
    std::array<int, kItemCount> longestEarlier {};
    std::array<int, 9> items {};
    for (int i = 1; i <= window; ++i) {
        const int code = history[static_cast<std::size_t>(total - window + i - 1)].drawCode;
        const int count = itemsOfCode(code < 0 ? 0 : code, items);
        for (int k = 0; k < count; ++k) {
            const auto item = static_cast<std::size_t>(items[static_cast<std::size_t>(k)]);
            longestEarlier[item] = std::max(longestEarlier[item], i - last[item] - 1);
            last[item] = i;
            ++appearances[item];
        }
    }

    std::vector<OmissionItem> stats;
    stats.reserve(kItemCount);
    for (const ItemGroup& group : kGroups)
        for (int v = 0; v < group.count; ++v) {
            const int index = group.first + v;
            const auto item = static_cast<std::size_t>(index);
            OmissionItem s;
            s.group = group.name;
            s.value = group.first == 78 ? kTypeNames[v] : std::to_string(v);
            s.appearances = appearances[item];
            s.current = window - last[item];
            s.longestEarlier = longestEarlier[item];
            s.longest = std::max(s.current, s.longestEarlier);
            s.average = static_cast<int>(
                (2LL * (window - s.appearances) + s.appearances + 1) / (2LL * (s.appearances + 1)));
            s.atRecord = s.current > 0 && s.current >= s.longestEarlier;
            stats.push_back(std::move(s));
        }
    return stats;
}

int buildOmissionTable(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message)
{
    const int result = charts::checkDrawCount(history, n, message);
    const std::vector<OmissionItem> stats = omissionStats(history, n);

    static const std::vector<int> kWidths = { 44, 44, 70, 70, 70, 70 };
    static const char* const kHeaders[] = { "项目", "号码", "出现次数", "当前遗漏", "最大遗漏", "平均遗漏" };
    grid.setGridSize(6, kItemCount, 1, kWidths);
    grid.setMergeCount(0);
    for (int col = 0; col < 6; ++col)
        grid.setValue(0, col, kHeaders[col]);
    int band = -1;
    std::string group;
    for (int i = 0; i < kItemCount; ++i) {
        const OmissionItem& s = stats[static_cast<std::size_t>(i)];
        const int row = i + 1;
        if (s.group != group) {
            group = s.group;
            ++band;
        }
        grid.setValue(row, 0, s.group);
        grid.setValue(row, 1, s.value);
        grid.setValue(row, 2, std::to_string(s.appearances));
        grid.setValue(row, 3, std::to_string(s.current));
        grid.setValue(row, 4, std::to_string(s.longest));
        grid.setValue(row, 5, std::to_string(s.average));
        grid.setCellColor(row, 0, kGroupBands[band % 2]);
        grid.setCellColor(row, 1, kGroupBands[band % 2]);
        if (s.atRecord)
            grid.setCellColor(row, 3, kRecordRed);
    }
    grid.notifyChanged();
    return result;
}

} // namespace velmora
