// The one table zd_bench prints: every figure with its before and after, where there is a
// before, and its goal. CPU times are those of the measuring thread (the GUI thread), which
// other load on the machine disturbs far less than wall times.
#include <QFile>
#include <QSysInfo>
#include <QtGlobal>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "bench_support.h"

namespace
{

QString cpuModel()
{
    QFile f(QStringLiteral("/proc/cpuinfo"));
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray &line : f.readAll().split('\n'))
            if (line.startsWith("model name"))
                return QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
    return QStringLiteral("unknown");
}

QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll().split(' ').value(0))
                                       : QStringLiteral("?");
}

class Table
{
  public:
    explicit Table(const bench::Results &r) : results(r) {}

    const bench::Result *find(const std::string &name) const
    {
        const auto it = results.find(name);
        return it == results.end() ? nullptr : &it->second;
    }

    // "–" for a benchmark that did not run (filtered out) and its error when it failed.
    template <typename Value> QString cell(const std::string &name, Value value) const
    {
        const bench::Result *r = find(name);
        if (!r)
            return QStringLiteral("–");
        if (r->failed)
            return QStringLiteral("failed: ") + QString::fromStdString(r->error);
        return value(*r);
    }

    static double counter(const bench::Result &r, const char *name)
    {
        const auto it = r.counters.find(name);
        return it == r.counters.end() ? 0 : it->second;
    }

    void row(const QString &figure, const QString &measure, const QString &before, const QString &after,
             const QString &goal)
    {
        std::printf("| %s | %s | %s | %s | %s |\n", qPrintable(figure), qPrintable(measure),
                    qPrintable(before), qPrintable(after), qPrintable(goal));
    }

  private:
    const bench::Results &results;
};

QString number(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

} // namespace

namespace bench
{

void printSummary(const Results &results)
{
    Table t(results);
    std::printf("\nMachine: %ld cores, %s, load average %s at the end; Qt %s; %s\n\n",
                sysconf(_SC_NPROCESSORS_ONLN), qPrintable(cpuModel()), qPrintable(loadAverage()), qVersion(),
                qPrintable(QSysInfo::prettyProductName()));
    std::printf("| Figure | Measure (median) | Before | After | Goal |\n|---|---|---|---|---|\n");

    const auto cpuAndWallMs = [](const Result &r) {
        return number(r.cpuMs, 2) + " ms (wall " + number(r.wallMs, 2) + ")";
    };
    const auto cpuUs = [](const Result &r) { return number(r.cpuMs * 1000, 0) + " µs"; };
    // ms of CPU per 100 ms step is, at ten steps a second, the same number in % of one core
    const auto tickShare = [](const Result &r) { return number(r.cpuMs, 3) + " %"; };
    const auto counterOf = [](const char *name, int decimals, const char *unit) {
        return [=](const Result &r) { return number(Table::counter(r, name), decimals) + unit; };
    };

    t.row("1 idle", "hid_enumerate calls per searching step",
          t.cell("idle/tick/before", counterOf("enumerations_per_tick", 0, "")),
          t.cell("idle/tick/after", counterOf("enumerations_per_tick", 0, "")), "1");
    t.row("1 idle", "CPU per searching step (system hidapi, no keypad)", t.cell("idle/tick/before", cpuUs),
          t.cell("idle/tick/after", cpuUs), "–");
    t.row("1 idle", "CPU share of one core, searching step × 10/s", t.cell("idle/tick/before", tickShare),
          t.cell("idle/tick/after", tickShare), "≤ 0.2 %");
    t.row("1 idle", "CPU per searching step, one step every 100 ms (cold caches)",
          t.cell("idle/paced tick/before", cpuUs), t.cell("idle/paced tick/after", cpuUs), "–");
    t.row("1 idle", "CPU share of one core, paced searching step × 10/s",
          t.cell("idle/paced tick/before", tickShare), t.cell("idle/paced tick/after", tickShare), "≤ 0.2 %");
    t.row("1 idle", "zorveldeck process over 10 s searching: CPU share of one core", "–",
          t.cell("idle/process/zorveldeck", counterOf("core_percent", 3, " %")), "≤ 0.2 %");
    t.row("1 idle", "zorveldeck process: hid_enumerate calls per step", "–",
          t.cell("idle/process/zorveldeck", counterOf("enumerations_per_tick", 2, "")), "≤ 1");

    for (const char *model : {"15+3 default", "16+3", "21+1", "12+4"})
        for (const char *how : {"same size", "drag"}) {
            const std::string base = std::string("resize/") + model + "/" + how;
            t.row("2 resize",
                  QStringLiteral("resizeEvent %1, %2: CPU (wall)")
                      .arg(QLatin1String(model), QLatin1String(how)),
                  "–", t.cell(base, cpuAndWallMs), "≤ 2 ms");
        }

    t.row("3 start-up", "process start → first frame of the main window (wall)", "–",
          t.cell("startup/zorveldeck", [](const Result &r) { return number(r.wallMs, 0) + " ms"; }),
          "≤ 250 ms");
    t.row("3 start-up", "CPU time of the process until that frame (all threads)", "–",
          t.cell("startup/zorveldeck", counterOf("startup_cpu_ms", 0, " ms")), "–");
    t.row("3 start-up", "peak resident memory after start-up", "–",
          t.cell("startup/zorveldeck", counterOf("peak_rss_mb", 1, " MB")), "≤ 60 MB");

    // the link's benchmarks time themselves: their "real time" is the process's CPU time
    const auto linkShare = [](const Result &r) {
        const double protocol = Table::counter(r, "protocol_ms");
        return QStringLiteral("%1 ms = %2 % of %3 ms")
            .arg(number(r.wallMs, 2), number(100 * r.wallMs / protocol, 2), number(protocol, 0));
    };
    t.row("4 link", "download, 75 records + 3 commits (process CPU; protocol: 3 × 200 ms + 1 ms/report)", "–",
          t.cell("link/download", linkShare), "< 1 %");
    t.row("4 link", "read-back, 3 requests + 72 answers (process CPU; protocol: 1 ms/report)", "–",
          t.cell("link/read-back", linkShare), "< 1 %");

    const auto stallMs = [](const Result &r) { return number(Table::counter(r, "stall_ms"), 1) + " ms"; };
    const std::pair<const char *, const char *> stalls[] = {
        {"stall/save/standard", "Save of 3 × 25 standard records"},
        {"stall/save/extended", "Save of 3 × 25 extended records + LED state"},
        {"stall/view/1 ms", "View of 3 × 24 answers 1 ms apart"},
        {"stall/view/200 ms", "View of 3 × 24 answers 200 ms apart"},
    };
    for (const auto &[name, what] : stalls)
        t.row("5 stall", QStringLiteral("longest GUI-thread stall, ") + QString::fromUtf8(what), "–",
              t.cell(name, stallMs), "≤ 50 ms");

    const auto perSecond = [](const char *name) {
        return [=](const Result &r) {
            return number(Table::counter(r, name), 1) +
                   (Table::counter(r, "listening") > 0 ? "" : " (polling)");
        };
    };
    for (const char *how : {"none", "connected"}) {
        const std::string event = std::string("hotplug/idle/event/") + how,
                          poll = std::string("hotplug/idle/poll/") + how;
        const QString what = QLatin1String(how) == QLatin1String("none") ? "no keypad" : "a keypad connected";
        t.row("6 hot-plug", QStringLiteral("window idle 10 s, %1: wake-ups/s of the whole process").arg(what),
              t.cell(poll, perSecond("wakeups_per_s")), t.cell(event, perSecond("wakeups_per_s")), "≤ 1");
        t.row("6 hot-plug", QStringLiteral("window idle 10 s, %1: hid_enumerate calls/s").arg(what),
              t.cell(poll, perSecond("enumerations_per_s")), t.cell(event, perSecond("enumerations_per_s")),
              "0");
    }
    const auto wallMs = [](const Result &r) { return number(r.wallMs, 0) + " ms"; };
    t.row("6 hot-plug", "keypad plugged in → \"Device Connect\" (events, wall)", "–",
          t.cell("hotplug/detect/event", wallMs), "≤ 100 ms");
    t.row("6 hot-plug", "apply of a 15+3 layout (72 records, 3 commits) to one keypad (wall)", "–",
          t.cell("hotplug/apply/1", wallMs), "–");
    t.row("6 hot-plug", "apply --all of that layout to 1 keypad (wall)", "–",
          t.cell("hotplug/apply --all/1", wallMs), "–");
    t.row("6 hot-plug", "apply --all of that layout to 8 keypads at once (wall)", "–",
          t.cell("hotplug/apply --all/8", wallMs), "≤ 1.5 × apply to one");
    std::fflush(stdout);
}

} // namespace bench
