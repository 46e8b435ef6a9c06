#pragma once
// Shared by the benchmarks: registration, clocks, the window under measurement and the one
// summary table the run prints.
#include <QString>

#include <benchmark/benchmark.h>

#include <map>
#include <string>

class Widget;

namespace bench
{

// Each file registers its benchmarks (after the application object exists).
void registerSearchBenchmarks();
void registerResizeBenchmarks();
void registerProcessBenchmarks();
void registerLinkBenchmarks();
void registerStallBenchmarks();
void registerHotplugBenchmarks();

// Monotonic wall time and this thread's CPU time, in nanoseconds.
qint64 wallNs();
qint64 threadCpuNs();

// A fresh main window on a fresh store, its poll timer stopped: the benchmark drives it.
Widget *newWindow();

// The median of each benchmark's repetitions (or its only run), by benchmark name.
struct Result {
    double cpuMs = 0;  // CPU time of the measuring thread per iteration
    double wallMs = 0; // wall time per iteration
    std::map<std::string, double> counters;
    bool failed = false;
    std::string error;
};
using Results = std::map<std::string, Result>;

// Prints the figures of `results` as one Markdown table, with the machine it ran on.
void printSummary(const Results &results);

} // namespace bench
