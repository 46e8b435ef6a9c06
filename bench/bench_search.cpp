// Figure 1, one poll step while no keypad is plugged in, against the system's hidapi: the
// search as it was (one enumeration per USB id, then one for the last match, and the status
// line's style sheet set again) and as it is (one enumeration of every device, searched in the
// same order; the style sheet set only when it changes).
#include <QPushButton>
#include <QThread>

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <hidapi.h>

#include <memory>

#include "app/widget.h"
#include "bench_support.h"
#include "device/discovery.h"
#include "device/store.h"

namespace
{

constexpr unsigned long kStepMs = 100; // the poll timer's interval

// The system hidapi, loaded beside the virtual keypad this executable is linked with.
struct SystemHidapi {
    using Enumerate = hid_device_info *(*)(unsigned short, unsigned short);
    using Free = void (*)(hid_device_info *);
    void *library = nullptr;
    Enumerate enumerate = nullptr;
    Free free = nullptr;
    std::string error;

    SystemHidapi()
    {
        library = dlopen(ZD_SYSTEM_HIDAPI, RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
        if (!library) {
            error = dlerror();
            return;
        }
        enumerate = reinterpret_cast<Enumerate>(dlsym(library, "hid_enumerate"));
        free = reinterpret_cast<Free>(dlsym(library, "hid_free_enumeration"));
        if (!enumerate || !free)
            error = "hid_enumerate not found in " ZD_SYSTEM_HIDAPI;
    }
};

SystemHidapi &systemHidapi()
{
    static SystemHidapi hidapi;
    return hidapi;
}

QPushButton *statusButton(Widget *w)
{
    return w->findChild<QPushButton *>(QStringLiteral("Dev_Sta_Dsp"));
}

// Paced: one step every 100 ms as the poll timer runs them, so that each step finds the caches
// as cold as the program's steps do; otherwise back to back.
void searchingTick(benchmark::State &state, bool perId, bool paced)
{
    SystemHidapi &hid = systemHidapi();
    if (!hid.error.empty()) {
        state.SkipWithError(hid.error.c_str());
        return;
    }
    std::unique_ptr<Widget> w(bench::newWindow());
    QPushButton *status = statusButton(w.get());
    const discovery::UsbId last{Store.Cur_VID, Store.Cur_PID};
    qint64 enumerations = 0;
    int found = 0;

    for (auto _ : state) {
        if (paced) {
            state.PauseTiming();
            QThread::msleep(kStepMs);
            state.ResumeTiming();
        }
        if (perId) {
            std::optional<discovery::UsbId> id;
            for (int i = 0; i < discovery::kSearchOrderSize && !id; ++i) {
                ++enumerations;
                hid_device_info *list =
                    hid.enumerate(discovery::searchOrder(i).vid, discovery::searchOrder(i).pid);
                if (list)
                    id = discovery::searchOrder(i);
                hid.free(list);
            }
            ++enumerations;
            hid_device_info *list = hid.enumerate(last.vid, last.pid);
            found += id.has_value() || list;
            hid.free(list);
            // the disconnected status as it was set on every step
            status->setText(QStringLiteral("Device Disconnect USB"));
            status->setStyleSheet(QStringLiteral("color: rgb(220, 0, 0);"));
        } else {
            ++enumerations;
            hid_device_info *all = hid.enumerate(0, 0);
            const auto id = discovery::firstListed(all);
            const discovery::Match m = discovery::match(all, id ? *id : last);
            found += m.listed;
            hid.free(all);
            w->showDisconnectedStatus();
        }
    }
    if (found)
        state.SkipWithError("a keypad is plugged in: this figure is for a machine without one");
    state.counters["enumerations_per_tick"] = double(enumerations) / double(state.iterations());
}

// The CPU share of a step is its CPU time times ten steps a second; computed by the summary.
void registerTick(const char *name, bool perId, bool paced)
{
    auto *b = benchmark::RegisterBenchmark(name, searchingTick, perId, paced)->Unit(benchmark::kMicrosecond);
    if (paced)
        b->Iterations(30)->Repetitions(3); // 9 s each
    else
        b->MinTime(0.3)->Repetitions(5);
    b->ReportAggregatesOnly(true);
}

} // namespace

namespace bench
{

void registerSearchBenchmarks()
{
    registerTick("idle/tick/before", true, false);
    registerTick("idle/tick/after", false, false);
    registerTick("idle/paced tick/before", true, true);
    registerTick("idle/paced tick/after", false, true);
}

} // namespace bench
