// The six analysis charts and the omission table. Each chart builder fills a grid model from the draw history
// and the page's N, in one burst, and ends with the model's notifyChanged (the view lays it out).
//
// Contract shared by all six (a chart page calls them on show and on "查询"):
//   int Build...Chart(grid, history, n, message)
// - n > history.size(): `message` gets kTooManyDrawsMessage and the chart is built for
//   all draws; n < 0 is built as 0 (header and totals row only).
// - The grid gets 2 fixed rows and n + 1 data rows: rows 2 .. n + 1 hold the latest n
//   draws, newest first; row n + 2 is the totals row ("合计", every cell grey).
// - Returns the value the page's spin edit must hold afterwards: history.size() when n
//   was clamped, otherwise n unchanged (so the page writes the spin edit only on clamping).
// - Writes nothing but `grid`; merged captions take grid.fixColor().
#pragma once

#include "core/draw/DrawRecord.h"
#include "core/draw/DrawText.h"
#include "core/grid/GridModel.h"

#include <string>
#include <vector>

namespace velmora {

inline constexpr const char* kTooManyDrawsMessage = "设置的查询期数超过总期数!!";

int buildTrendChart(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message);
int buildKLineChart(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message);
int buildSumChart(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message);
int buildTailChart(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message);
int buildOddEvenChart(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message);
int buildBigSmallChart(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message);

// One item of the omission table over a window of the latest N draws, oldest
// first and numbered 1..N.
struct OmissionItem {
    std::string group; // 百位, 十位, 个位, 组选, 和值, 跨度, 类型
    std::string value; // the digit, sum or span as a plain number, or the type's name
    int appearances = 0; // draws showing it
    int current = 0; // N - the number of the last draw showing it (N when none does)
    int longest = 0; // longest stretch of draws without it, the current one included
    int longestEarlier = 0; // longest stretch before the current one
    int average = 0; // (N - appearances) / (appearances + 1), rounded half up
    bool atRecord = false; // current > 0 and at least longestEarlier: shown red
};

// The 81 items (百位 0-9, 十位 0-9, 个位 0-9, 组选 0-9 (anywhere in the code),
// 和值 0-27, 跨度 0-9, 类型 组六/组三/豹子) over the latest n draws; n is
// clamped to 0..history.size().
std::vector<OmissionItem> omissionStats(const DrawHistory& history, int n);

// "遗漏统计表" with the charts' contract for n (message and clamping, n < 0 as
// 0, the returned spin-edit value), but its own shape: one fixed header row
// (项目, 号码, 出现次数, 当前遗漏, 最大遗漏, 平均遗漏) and one data row per item of
// omissionStats, 当前遗漏 coloured red at a record.
int buildOmissionTable(GridModel& grid, const DrawHistory& history, int n, const MessageFn& message);

using ChartBuilder = int (*)(GridModel&, const DrawHistory&, int, const MessageFn&);

// The chart pages in order, with the short names velmora-cli uses; the
// omission table is the seventh.
struct ChartKind {
    const char* name;
    ChartBuilder build;
};
inline constexpr ChartKind kChartKinds[] = {
    { "trend", buildTrendChart },
    { "kline", buildKLineChart },
    { "sum", buildSumChart },
    { "tail", buildTailChart },
    { "oddeven", buildOddEvenChart },
    { "bigsmall", buildBigSmallChart },
    { "omission", buildOmissionTable },
};

} // namespace velmora
