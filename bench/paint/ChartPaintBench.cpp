// Painting a chart widget with 30 and with 10,000 data rows: the two must cost the
// same, since a paint draws only the rows that fit. Needs a QApplication, hence its
// own executable (velmora_paint_bench).
#include "core/charts/Charts.h"
#include "widgets/GridView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <random>

namespace {

velmora::DrawHistory SyntheticHistory(int draws)
{
    std::mt19937 rng(4);
    velmora::DrawHistory history;
    for (int i = 0; i < draws; ++i)
        history.push_back({ 2002 + i / 360, i % 360 + 1, static_cast<int>(rng() % 1000),
            static_cast<int>(rng() % 1000), 0, 0 });
    return history;
}

void BM_PaintChart(benchmark::State& state)
{
    const int draws = static_cast<int>(state.range(0));
    const velmora::DrawHistory history = SyntheticHistory(draws);
    GridView grid;
    grid.resize(780, 500);
    grid.show();
    QApplication::processEvents();
    velmora::buildTrendChart(grid.model(), history, draws, nullptr);
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["rows_painted"] = grid.paintedDataRows();
}
BENCHMARK(BM_PaintChart)->Arg(30)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setFamilies({ QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("WenQuanYi Micro Hei") });
    QApplication::setFont(font);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
