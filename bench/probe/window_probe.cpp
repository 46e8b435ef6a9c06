// zd_bench_probe: preloaded (LD_PRELOAD) into the production zorveldeck binary by zd_bench, so
// that the start-up and idle figures are the real program's. It does nothing unless ZD_PROBE
// is set. It writes to stdout, one "name=value" a line:
//
//   first_frame_ns   CLOCK_MONOTONIC when the main window's first frame has been painted
//   startup_cpu_ns   CPU time the process has spent until then (every thread)
//   peak_rss_kb      peak resident set size until then (VmHWM: getrusage's ru_maxrss would also
//                    count the memory of the process that spawned this one)
// and with ZD_PROBE=idle, after ZD_PROBE_SETTLE_MS more (default 1000), over ZD_PROBE_IDLE_MS
// (default 10000):
//   idle_cpu_ns      CPU time of the whole process (every thread)
//   idle_wall_ns     wall time measured
//   idle_enumerations hid_enumerate calls the program made
// then ends the event loop.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <dlfcn.h>

struct hid_device_info;

namespace
{

qint64 clockNs(clockid_t clock)
{
    timespec t;
    clock_gettime(clock, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

int envMs(const char *name, int fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok ? v : fallback;
}

long long peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

qint64 enumerations = 0;

class Probe : public QObject
{
  public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The main window paints itself before its children; the frame is on screen once the
        // whole paint is done and flushed, which is what the next pass of the event loop sees.
        if (!painted && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow() && watched->inherits("Widget")) {
            painted = true;
            QTimer::singleShot(0, this, [this] { firstFrame(); });
        }
        return false;
    }

  private:
    void firstFrame()
    {
        const qint64 now = clockNs(CLOCK_MONOTONIC);
        std::printf("first_frame_ns=%lld\nstartup_cpu_ns=%lld\npeak_rss_kb=%lld\n",
                    static_cast<long long>(now), static_cast<long long>(clockNs(CLOCK_PROCESS_CPUTIME_ID)),
                    peakRssKb());
        std::fflush(stdout);
        if (qgetenv("ZD_PROBE") != "idle") {
            QCoreApplication::exit(0);
            return;
        }
        QTimer::singleShot(envMs("ZD_PROBE_SETTLE_MS", 1000), this, [this] {
            startCpu = clockNs(CLOCK_PROCESS_CPUTIME_ID);
            startWall = clockNs(CLOCK_MONOTONIC);
            startEnumerations = enumerations;
            QTimer::singleShot(envMs("ZD_PROBE_IDLE_MS", 10000), this, [this] { idleDone(); });
        });
    }

    void idleDone()
    {
        std::printf("idle_cpu_ns=%lld\nidle_wall_ns=%lld\nidle_enumerations=%lld\n",
                    static_cast<long long>(clockNs(CLOCK_PROCESS_CPUTIME_ID) - startCpu),
                    static_cast<long long>(clockNs(CLOCK_MONOTONIC) - startWall),
                    static_cast<long long>(enumerations - startEnumerations));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    bool painted = false;
    qint64 startCpu = 0, startWall = 0, startEnumerations = 0;
};

void installProbe()
{
    if (qEnvironmentVariableIsEmpty("ZD_PROBE"))
        return;
    auto *probe = new Probe;
    QCoreApplication::instance()->installEventFilter(probe);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)

// Counts the program's enumerations and hands them to the system hidapi.
extern "C" hid_device_info *hid_enumerate(unsigned short vendorId, unsigned short productId)
{
    using Enumerate = hid_device_info *(*)(unsigned short, unsigned short);
    static const auto next = reinterpret_cast<Enumerate>(dlsym(RTLD_NEXT, "hid_enumerate"));
    ++enumerations;
    return next ? next(vendorId, productId) : nullptr;
}
