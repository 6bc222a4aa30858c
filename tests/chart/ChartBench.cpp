// Painting the chart: 360 months (30 years) into an image as large as the saved one, and the
// part of them that a default-sized window shows. Run by hand from a Release build.

#include "chart/Chart.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "bench_chart";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

ChartData Months(int count) {
    ChartData d;
    d.sums.period = Period::Month;
    for (int i = 0; i < count; ++i)
        d.sums.periods.push_back(
            {1990 + i / 12, i % 12 + 1, 1000.0 + (i * 37) % 900, -800.0 - (i * 53) % 1000, 180});
    d.rate = 0.9;
    d.currency = "USD";
    return d;
}

// state.range(0): 0 the whole span into an image as Save Image draws it, 1 the window's view.
void BM_PaintChart(benchmark::State& state) {
    App();
    ChartView view;
    view.resize(740, 400);
    view.setData(Months(360));
    const bool whole = state.range(0) == 0;
    const QSize size = whole ? QSize(view.fullWidth(), 400) : view.size();
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        if (whole)
            view.paintChart(painter, image.rect(), 0, view.periodCount());
        else
            view.paintChart(painter, image.rect(), view.firstVisible(), view.visibleCount());
    }
    state.counters["bars"] = whole ? 360 : view.visibleCount();
}

} // namespace

BENCHMARK(BM_PaintChart)->ArgName("window")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
