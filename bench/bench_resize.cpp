// Figure 2, the main window's resizeEvent for the heaviest pictures and the default one.
// "same size" delivers a resize to 1920 x 1006 again (what a maximise or a
// restore does); "drag" resizes the window by one pixel each time, back and forth between
// 1920 x 1006 and 1880 x 966, as a drag of the window's corner does.
#include <QApplication>
#include <QResizeEvent>

#include <benchmark/benchmark.h>

#include <memory>

#include "app/widget.h"
#include "bench_support.h"
#include "device/store.h"

namespace
{

constexpr int kWidth = 1920, kHeight = 1006, kDragSteps = 40;

struct Model {
    const char *name;
    quint8 keys, knobs;
};
constexpr Model kModels[] = {{"15+3 default", 15, 3}, {"16+3", 16, 3}, {"21+1", 21, 1}, {"12+4", 12, 4}};

std::unique_ptr<Widget> windowFor(const Model &m)
{
    std::unique_ptr<Widget> w(bench::newWindow());
    w->showNormal();
    w->resize(kWidth, kHeight);
    QCoreApplication::processEvents();
    Store.Layout_Key_Num = Store.Dev_Key_Num = m.keys;
    Store.Layout_Knob_Num = Store.Dev_Knob_Num = m.knobs;
    Store.Select_PHY_Key = 3; // a selected slot: every resize highlights it again
    QResizeEvent again(w->size(), w->size());
    QCoreApplication::sendEvent(w.get(), &again);
    return w;
}

void resize(benchmark::State &state, Model m, bool drag)
{
    std::unique_ptr<Widget> w = windowFor(m);
    int step = 0;
    for (auto _ : state) {
        if (drag) {
            // 0, 1, .., 39, 40, 39, .. 1, 0, 1, ..: a new size every time
            const int phase = step++ % (2 * kDragSteps);
            const int d = phase <= kDragSteps ? phase : 2 * kDragSteps - phase;
            w->resize(kWidth - d, kHeight - d);
        } else {
            QResizeEvent event(w->size(), w->size());
            QCoreApplication::sendEvent(w.get(), &event);
        }
    }
}

} // namespace

namespace bench
{

void registerResizeBenchmarks()
{
    for (const Model &m : kModels)
        for (bool drag : {false, true}) {
            const std::string name = std::string("resize/") + m.name + (drag ? "/drag" : "/same size");
            benchmark::RegisterBenchmark(name.c_str(), resize, m, drag)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.2)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        }
}

} // namespace bench
