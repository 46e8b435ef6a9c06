// Figure 5, the longest stall of the GUI thread while the window talks to the keypad: a timer
// on the GUI thread fires every millisecond and the largest gap between two of its ticks is
// the longest time the window could not repaint, resize or take a click. Measured while "Save
// settings" writes every key and knob slot of three layers (standard, and extended with the LED
// state) and while "View settings" reads three layers from a keypad answering 1 ms and 200 ms
// apart; the virtual keypad's writes take 1 ms each, as a USB frame does.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "app/widget.h"
#include "bench_support.h"
#include "device/store.h"
#include "sim/virtual_keypad.h"

namespace
{

constexpr int kEditedSlots = 25;

// Polls until the window reports the keypad connected (at most 5 s).
bool connectWindow(Widget *w, quint8 keys, quint8 knobs, quint8 variant)
{
    sim::setModel(keys, knobs, variant);
    sim::plug();
    QElapsedTimer t;
    t.start();
    while (Store.Dev_Connected != 1 && t.elapsed() < 5000) {
        QMetaObject::invokeMethod(w, "timeoutSlot", Qt::DirectConnection);
        QEventLoop wait;
        QTimer::singleShot(20, &wait, &QEventLoop::quit);
        wait.exec();
    }
    return Store.Dev_Connected == 1;
}

// Every key and knob slot of every layer holds a key and is flagged, in the format in use; an
// extended keypad also gets a changed LED state.
void editEverySlot(bool extended)
{
    for (int layer = 0; layer < kLayers; ++layer)
        for (int slot = 1; slot <= kEditedSlots; ++slot) {
            quint8 *r = Store.record(layer, slot);
            r[0] = 0xFD;
            r[1] = quint8(slot);
            r[2] = quint8(layer + 1);
            r[3] = 1;
            r[extended ? 8 : 5] = quint8(0x04 + slot);
            Store.markChanged(layer, slot);
        }
    if (extended) {
        Store.LED_Layer_Mode[1] = 3;
        Store.LED_Modify_Flag = 1;
    }
}

// Runs `start` from the event loop and returns the largest gap in ms between two ticks of a
// 1 ms timer on the GUI thread until `done` holds (or 60 s pass).
double longestStall(const std::function<void()> &start, const std::function<bool()> &done)
{
    QEventLoop loop;
    QElapsedTimer clock, total;
    qint64 last = 0, longest = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = qMax(longest, now - last);
        last = now;
        if (done() || total.elapsed() > 60000)
            loop.quit();
    });
    QTimer::singleShot(0, &loop, [&] {
        clock.start();
        total.start();
        tick.start();
        start();
    });
    loop.exec();
    return double(longest) / 1e6;
}

bool buttonEnabled(Widget *w, const char *name)
{
    return w->findChild<QPushButton *>(QLatin1String(name))->isEnabled();
}

int answersRead()
{
    int n = 0;
    for (const sim::Read &r : sim::reads())
        n += r.result == 64;
    return n;
}

void save(benchmark::State &state, bool extended)
{
    sim::reset();
    std::unique_ptr<Widget> w(bench::newWindow());
    if (!connectWindow(w.get(), 15, 3, extended ? 10 : 0)) {
        state.SkipWithError("the virtual keypad did not connect");
        return;
    }
    const int expected = kLayers * kEditedSlots + (extended ? 3 + 1 : kLayers);
    double stall = 0;
    int reports = 0;
    for (auto _ : state) {
        editEverySlot(extended);
        sim::clearLogs();
        Store.Save_Notice_Active = 0;
        stall =
            longestStall([&] { QMetaObject::invokeMethod(w.get(), "on_confirmButton_clicked"); },
                         [&] { return Store.Save_Notice_Active == 1 && buttonEnabled(w.get(), "download"); });
        reports = sim::received().size();
        state.SetIterationTime(stall / 1000);
    }
    if (reports != expected)
        state.SkipWithError("the keypad did not get every record and commit");
    state.counters["stall_ms"] = stall;
}

void view(benchmark::State &state, int spacingMs)
{
    sim::reset();
    std::unique_ptr<Widget> w(bench::newWindow());
    if (!connectWindow(w.get(), 15, 3, 0)) {
        state.SkipWithError("the virtual keypad did not connect");
        return;
    }
    sim::setAnswerTiming(1, spacingMs);
    double stall = 0;
    int answers = 0;
    for (auto _ : state) {
        sim::clearLogs();
        stall =
            longestStall([&] { QMetaObject::invokeMethod(w.get(), "Read_configuration_clicked"); },
                         [&] { return answersRead() == 72 && buttonEnabled(w.get(), "Read_Configuration"); });
        answers = answersRead();
        state.SetIterationTime(stall / 1000);
    }
    if (answers != 72)
        state.SkipWithError("the read-back did not get 72 answers");
    state.counters["stall_ms"] = stall;
}

} // namespace

namespace bench
{

void registerStallBenchmarks()
{
    const auto shortRun = [](benchmark::internal::Benchmark *b) {
        b->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(1)
            ->Repetitions(3)
            ->ReportAggregatesOnly(true);
    };
    shortRun(benchmark::RegisterBenchmark("stall/save/standard", save, false));
    shortRun(benchmark::RegisterBenchmark("stall/save/extended", save, true));
    shortRun(benchmark::RegisterBenchmark("stall/view/1 ms", view, 1));
    // 72 answers 200 ms apart: about 15 s a run
    benchmark::RegisterBenchmark("stall/view/200 ms", view, 200)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1);
}

} // namespace bench
