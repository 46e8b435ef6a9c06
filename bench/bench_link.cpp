// Figure 4, the device link's own cost against the virtual keypad: a download of a fully edited
// three-layer standard configuration (25 records per layer, one commit per layer) and a full
// read-back (3 requests, 24 answers each). CPU time of the GUI thread, which is the link's
// overhead: the 200 ms pauses after the commits sleep and cost none of it, and a real keypad's
// transfer time (about 1 ms per report) is not there to wait for.
#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

#include "app/widget.h"
#include "bench_support.h"
#include "device/store.h"
#include "sim/virtual_keypad.h"

namespace
{

constexpr int kEditedSlots = 25;
constexpr double kPauseMs = 200, kReportMs = 1;

std::unique_ptr<Widget> connectedWindow(benchmark::State &state)
{
    sim::reset();
    std::unique_ptr<Widget> w(bench::newWindow());
    sim::setModel(15, 3, 0);
    sim::plug();
    for (int i = 0; i < 4 && Store.Dev_Connected != 1; ++i)
        QMetaObject::invokeMethod(w.get(), "timeoutSlot", Qt::DirectConnection);
    if (Store.Dev_Connected != 1)
        state.SkipWithError("the virtual keypad did not connect");
    return w;
}

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
            Store.Modify_Key_Flag[layer][slot] = 1;
        }
}

void download(benchmark::State &state)
{
    std::unique_ptr<Widget> w = connectedWindow(state);
    int reports = 0, commits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editEverySlot();
        sim::clearLogs();
        const int commitsBefore = sim::commitCount();
        QCoreApplication::processEvents(); // the save notice of the previous run
        state.ResumeTiming();

        w->downloadConfiguration();

        state.PauseTiming();
        reports = sim::received().size();
        commits = sim::commitCount() - commitsBefore;
        state.ResumeTiming();
    }
    if (reports != kLayers * kEditedSlots + kLayers || commits != kLayers)
        state.SkipWithError("the keypad did not get 75 records and 3 commits");
    state.counters["reports"] = reports;
    state.counters["protocol_ms"] = kLayers * kPauseMs + reports * kReportMs;
}

void readBack(benchmark::State &state)
{
    std::unique_ptr<Widget> w = connectedWindow(state);
    int reports = 0;
    for (auto _ : state) {
        state.PauseTiming();
        sim::clearLogs();
        state.ResumeTiming();

        w->readConfiguration(3, 15, 3);

        state.PauseTiming();
        reports = sim::received().size();
        for (const sim::Read &r : sim::reads())
            reports += r.result > 0;
        state.ResumeTiming();
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
        ->Iterations(2)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("link/read-back", readBack)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.2)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

} // namespace bench
