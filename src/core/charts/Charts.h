// The six analysis charts. Each builder fills a grid model from the draw history
// and the page's N, in one burst, and ends with the model's layout pass.
//
// Contract shared by all six (a chart page calls them on show and on "查询"):
//   int Build...Chart(net, history, n, message)
// - n > history.size(): `message` gets kTooManyDrawsMessage and the chart is built for
//   all draws; n < 0 is built as 0 (header and totals row only).
// - The grid gets 2 fixed rows and n + 1 data rows: rows 2 .. n + 1 hold the latest n
//   draws, newest first; row n + 2 is the totals row ("合计", every cell grey).
// - Returns the value the page's spin edit must hold afterwards: history.size() when n
//   was clamped, otherwise n unchanged (so the page writes the spin edit only on clamping).
// - Writes nothing but `net`; merged captions take net.fixColor().
#pragma once

#include "core/draw/DrawRecord.h"
#include "core/draw/DrawText.h"
#include "core/grid/GridModel.h"

namespace velmora {

inline constexpr const char* kTooManyDrawsMessage = "设置的查询期数超过总期数!!";

int buildTrendChart(GridModel& net, const DrawHistory& history, int n, const MessageFn& message);
int buildKLineChart(GridModel& net, const DrawHistory& history, int n, const MessageFn& message);
int buildSumChart(GridModel& net, const DrawHistory& history, int n, const MessageFn& message);
int buildTailChart(GridModel& net, const DrawHistory& history, int n, const MessageFn& message);
int buildOddEvenChart(GridModel& net, const DrawHistory& history, int n, const MessageFn& message);
int buildBigSmallChart(GridModel& net, const DrawHistory& history, int n, const MessageFn& message);

using ChartBuilder = int (*)(GridModel&, const DrawHistory&, int, const MessageFn&);

// The charts in page order, with the short names velmora-cli uses.
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
};

} // namespace velmora
