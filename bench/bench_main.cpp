// zd_bench: every figure of the performance section of the README, printed as one table.
//   QT_QPA_PLATFORM=offscreen zd_bench [--benchmark_filter=REGEX] [--benchmark_out=FILE.json]
#include <QApplication>
#include <QFont>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <iostream>

#include "app/widget.h"
#include "bench_support.h"
#include "device/store.h"

namespace bench
{

qint64 wallNs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

qint64 threadCpuNs()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

Widget *newWindow()
{
    Store.reset();
    auto *w = new Widget;
    w->Poll_Timer->stop();
    w->setWindowTitle(QStringLiteral("ZORVELDECK"));
    w->show();
    QCoreApplication::processEvents();
    return w;
}

} // namespace bench

namespace
{

double toMs(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return value / 1e6;
    case benchmark::kMicrosecond:
        return value / 1e3;
    case benchmark::kMillisecond:
        return value;
    case benchmark::kSecond:
        return value * 1e3;
    }
    return value;
}

// Keeps the median of each benchmark (or its single run) and reports progress on stderr; the
// table comes at the end.
class SummaryReporter : public benchmark::BenchmarkReporter
{
  public:
    bool ReportContext(const Context &) override { return true; }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!single && !median && !run.error_occurred)
                continue;
            bench::Result &r = results[run.run_name.function_name];
            r.failed = run.error_occurred;
            r.error = run.error_message;
            if (!run.error_occurred) {
                r.cpuMs = toMs(run.GetAdjustedCPUTime(), run.time_unit);
                r.wallMs = toMs(run.GetAdjustedRealTime(), run.time_unit);
                for (const auto &c : run.counters)
                    r.counters[c.first] = c.second.value;
            }
            std::fprintf(stderr, "  %-40s %s\n", run.run_name.function_name.c_str(),
                         run.error_occurred ? run.error_message.c_str() : "done");
        }
    }

    bench::Results results;
};

void dropMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

int main(int argc, char *argv[])
{
    // The windows are measured on the offscreen platform, like the tests, whatever the desktop.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(15);
    QApplication::setFont(font);
    // The program's diagnostics are formatted as always but not written out: the figures are
    // the program's, not the terminal's.
    qInstallMessageHandler(dropMessages);

    benchmark::Initialize(&argc, argv);
    bench::registerSearchBenchmarks();
    bench::registerResizeBenchmarks();
    bench::registerLinkBenchmarks();
    bench::registerStallBenchmarks();
    bench::registerProcessBenchmarks();
    bench::registerHotplugBenchmarks();

    SummaryReporter reporter;
    std::fprintf(stderr, "zd_bench: running (a few minutes)\n");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    bench::printSummary(reporter.results);
    benchmark::Shutdown();
    return 0;
}
