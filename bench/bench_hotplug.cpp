// Figure 6, keypads plugged in and several at once, on the virtual keypad:
// - idle: the main window left alone for 10 s, with no keypad and with one connected, with the
//   device manager active (steps by hot-plug events) and without it (the 100 ms poll): wake-ups
//   of the whole process (timeslices of all its threads, /proc/self/task/*/schedstat) and
//   hid_enumerate calls, each per second;
// - detection: from a keypad plugged in (its events sent) to "Device Connect" on the status line;
// - apply --all: one layout file written to 1 and to 8 keypads at once, against apply to one.
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>
#include <thread>

#include "app/widget.h"
#include "bench_support.h"
#include "cli/command_line.h"
#include "device/keypad_link.h"
#include "device/store.h"
#include "sim/virtual_keypad.h"

namespace
{

constexpr int kIdleSeconds = 10;

// Timeslices run by every thread of this process so far (third field of schedstat).
qint64 timeslices()
{
    qint64 total = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(tasks.filePath(task) + QStringLiteral("/schedstat"));
        if (f.open(QIODevice::ReadOnly))
            total += f.readAll().split(' ').value(2).trimmed().toLongLong();
    }
    return total;
}

// The window as the program runs it: its own poll timer or hot-plug events.
std::unique_ptr<Widget> window(bool events)
{
    sim::reset();
    sim::setUdevActive(events);
    Store.reset();
    auto w = std::make_unique<Widget>();
    w->show();
    return w;
}

QString status(Widget *w)
{
    return w->findChild<QPushButton *>(QStringLiteral("Dev_Sta_Dsp"))->text();
}

bool waitConnected(Widget *w, int ms)
{
    const qint64 end = bench::wallNs() + qint64(ms) * 1000000;
    while (Store.Dev_Connected != 1 || status(w) != QLatin1String("Device Connect")) {
        if (bench::wallNs() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

void idle(benchmark::State &state, bool events, bool connected)
{
    for (auto _ : state) {
        std::unique_ptr<Widget> w = window(events);
        if (connected) {
            sim::plug();
            if (!waitConnected(w.get(), 3000)) {
                state.SkipWithError("the keypad did not connect");
                return;
            }
        }
        // settled, then left alone: only a sleeping thread wakes the loop at the end
        QEventLoop loop;
        QTimer::singleShot(500, &loop, &QEventLoop::quit);
        loop.exec();
        sim::clearLogs();
        const qint64 slicesBefore = timeslices();
        std::thread stopper([&loop] {
            std::this_thread::sleep_for(std::chrono::seconds(kIdleSeconds));
            QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
        });
        loop.exec();
        stopper.join();
        state.counters["wakeups_per_s"] = double(timeslices() - slicesBefore) / kIdleSeconds;
        state.counters["enumerations_per_s"] = double(sim::enumerations().size()) / kIdleSeconds;
        state.counters["listening"] = w->Keypad_Link->listening();
    }
}

void detection(benchmark::State &state)
{
    std::unique_ptr<Widget> w = window(true);
    sim::unplug();
    for (auto _ : state) {
        state.PauseTiming();
        sim::unplug();
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        state.ResumeTiming();
        const qint64 start = bench::wallNs();
        sim::plug();
        if (!waitConnected(w.get(), 2000)) {
            state.SkipWithError("the keypad did not connect");
            return;
        }
        state.SetIterationTime(double(bench::wallNs() - start) / 1e9);
    }
}

int runCli(const QStringList &args, QByteArray in, QByteArray *out)
{
    QByteArray o, e;
    QBuffer inBuffer(&in), outBuffer(&o), errBuffer(&e);
    inBuffer.open(QIODevice::ReadOnly);
    outBuffer.open(QIODevice::WriteOnly);
    errBuffer.open(QIODevice::WriteOnly);
    const int status = cli::run(args, {inBuffer, outBuffer, errBuffer, false});
    if (out)
        *out = o;
    return status;
}

// apply (all = false, one keypad) or apply --all to `keypads` keypads of 15 keys and 3 knobs,
// every record of the file written (72 records, 3 commits and their pauses each).
void applyLayout(benchmark::State &state, int keypads, bool all)
{
    sim::reset();
    sim::plug();
    QByteArray file;
    if (runCli({QStringLiteral("export"), QStringLiteral("-")}, {}, &file) != 0) {
        state.SkipWithError("export failed");
        return;
    }
    for (int i = 1; i < keypads; ++i) {
        sim::addKeypad();
        sim::plug();
    }
    const QStringList args =
        all ? QStringList{QStringLiteral("apply"), QStringLiteral("--all"), QStringLiteral("-")}
            : QStringList{QStringLiteral("apply"), QStringLiteral("-")};
    for (auto _ : state) {
        const qint64 start = bench::wallNs();
        if (runCli(args, file, nullptr) != 0) {
            state.SkipWithError("apply failed");
            return;
        }
        state.SetIterationTime(double(bench::wallNs() - start) / 1e9);
    }
}

} // namespace

namespace bench
{

void registerHotplugBenchmarks()
{
    for (const bool events : {true, false})
        for (const bool connected : {false, true})
            benchmark::RegisterBenchmark((std::string("hotplug/idle/") + (events ? "event" : "poll") +
                                          (connected ? "/connected" : "/none"))
                                             .c_str(),
                                         idle, events, connected)
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("hotplug/detect/event", detection)
        ->Iterations(10)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("hotplug/apply/1", applyLayout, 1, false)
        ->Iterations(3)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    for (const int n : {1, 8})
        benchmark::RegisterBenchmark(("hotplug/apply --all/" + std::to_string(n)).c_str(), applyLayout, n,
                                     true)
            ->Iterations(3)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
}

} // namespace bench
