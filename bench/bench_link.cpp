// Figure 4, the device link's own cost against the virtual keypad: a download of a fully edited
// three-layer standard configuration (25 records per layer, one commit per layer) and a full
// read-back (3 requests, 24 answers each), through the link alone (no window: what the window
// paints to show progress is not the link's). CPU time of the whole process, the link's thread
// and the GUI thread that takes its results, from the request until the store has the outcome:
// the 200 ms pauses after the commits sleep and cost none of it, nor do the virtual keypad's
// 1 ms per report.
#include <QCoreApplication>
#include <QEventLoop>

#include <benchmark/benchmark.h>

#include <ctime>

#include "bench_support.h"
#include "device/keypad_link.h"
#include "device/store.h"
#include "device/store_exchange.h"
#include "sim/virtual_keypad.h"

namespace
{

constexpr int kEditedSlots = 25;
constexpr double kPauseMs = 200, kReportMs = 1;

qint64 processCpuNs()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Runs the event loop until the link has finished what it was asked.
void waitForLink(device::KeypadLink &link)
{
    QEventLoop loop;
    QObject::connect(&link, &device::KeypadLink::busyChanged, &loop, [&] {
        if (link.idle())
            loop.quit();
    });
    if (!link.idle())
        loop.exec();
}

// A link whose keypad is connected, its outcomes taken into the store as the window does.
class ConnectedLink : public device::KeypadLink
{
  public:
    explicit ConnectedLink(benchmark::State &state)
    {
        sim::reset();
        Store.reset();
        connect(this, &KeypadLink::saved, this, [](const device::SaveJob &job, const device::SaveOutcome &o) {
            device::applySave(Store, job, o);
        });
        connect(this, &KeypadLink::viewed, this,
                [](const device::ViewOutcome &o) { device::applyView(Store, o, false); });
        sim::setModel(15, 3, 0);
        sim::plug();
        for (int i = 0; i < 4 && this->state() != device::State::Connected; ++i) {
            step(Store.Edit_Serial);
            while (!idle())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        if (this->state() != device::State::Connected)
            state.SkipWithError("the virtual keypad did not connect");
    }
};

// Every key and knob slot of every layer holds Ctrl + a key and is flagged for the download.
void editEverySlot()
{
    for (int layer = 0; layer < kLayers; ++layer)
        for (int slot = 1; slot <= kEditedSlots; ++slot) {
            quint8 *r = Store.PHY_KEY_Value[layer][slot];
            r[0] = 0xFD;
            r[1] = quint8(slot);
            r[2] = quint8(layer + 1);
            r[3] = 1;                   // keyboard function
            r[4] = 0x01;                // Ctrl
            r[5] = quint8(0x04 + slot); // a key
            Store.markChanged(layer, slot);
        }
}

void download(benchmark::State &state)
{
    ConnectedLink link(state);
    int reports = 0, commits = 0;
    for (auto _ : state) {
        editEverySlot();
        sim::clearLogs();
        const int commitsBefore = sim::commitCount();
        const qint64 cpu = processCpuNs();

        link.save(device::saveJob(Store));
        waitForLink(link);

        state.SetIterationTime(double(processCpuNs() - cpu) / 1e9);
        reports = sim::received().size();
        commits = sim::commitCount() - commitsBefore;
    }
    if (reports != kLayers * kEditedSlots + kLayers || commits != kLayers ||
        device::pendingChanges(Store) != 0)
        state.SkipWithError("the keypad did not get 75 records and 3 commits");
    state.counters["reports"] = reports;
    state.counters["protocol_ms"] = kLayers * kPauseMs + reports * kReportMs;
}

void readBack(benchmark::State &state)
{
    ConnectedLink link(state);
    int reports = 0;
    for (auto _ : state) {
        sim::clearLogs();
        const qint64 cpu = processCpuNs();

        link.view({3, 15, 3, false, Store.Edit_Serial});
        waitForLink(link);

        state.SetIterationTime(double(processCpuNs() - cpu) / 1e9);
        reports = sim::received().size();
        for (const sim::Read &r : sim::reads())
            reports += r.result > 0;
    }
    if (reports != 3 + 3 * 24)
        state.SkipWithError("the read-back did not exchange 3 requests and 72 answers");
    state.counters["reports"] = reports;
    state.counters["protocol_ms"] = reports * kReportMs;
}

} // namespace

namespace bench
{

void registerLinkBenchmarks()
{
    benchmark::RegisterBenchmark("link/download", download)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(2)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("link/read-back", readBack)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(5)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

} // namespace bench
