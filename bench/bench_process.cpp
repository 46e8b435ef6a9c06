// Figures 1 and 3 on the production binary, zorveldeck with the system hidapi, started on the
// offscreen platform with zd_bench_probe preloaded (see probe/window_probe.cpp):
// - start-up: from just before the process is spawned to its main window's first frame, and
//   the peak resident memory at that point;
// - idle: the CPU time the whole process spends over 10 s of searching for a keypad, after
//   its start-up has settled, and the hid_enumerate calls it makes meanwhile.
#include <QByteArray>
#include <QList>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <string>

#include "bench_support.h"

extern char **environ;

namespace
{

struct Launch {
    qint64 spawnedNs = 0;
    std::map<std::string, long long> values;
    std::string error;
};

// Runs the program to the end (the probe ends it) and collects the probe's lines.
Launch launch(const QByteArray &mode)
{
    Launch out;
    QList<QByteArray> env;
    for (char **e = environ; *e; ++e) {
        const QByteArray var(*e);
        if (!var.startsWith("QT_QPA_PLATFORM=") && !var.startsWith("LD_PRELOAD=") &&
            !var.startsWith("ZD_PROBE"))
            env << var;
    }
    env << "QT_QPA_PLATFORM=offscreen" << QByteArray("LD_PRELOAD=") + ZD_PROBE_LIBRARY << "ZD_PROBE=" + mode;
    std::vector<char *> envp;
    for (QByteArray &var : env)
        envp.push_back(var.data());
    envp.push_back(nullptr);

    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        out.error = "pipe failed";
        return out;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    // its start-up warnings go nowhere, as for a program started from the desktop's menu
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char program[] = ZD_PRODUCT_BINARY;
    char *argv[] = {program, nullptr};

    pid_t pid = 0;
    out.spawnedNs = bench::wallNs();
    const int rc = posix_spawn(&pid, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (rc != 0) {
        close(pipeFds[0]);
        out.error = std::string("cannot start ") + ZD_PRODUCT_BINARY;
        return out;
    }
    QByteArray text;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, int(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    for (const QByteArray &line : text.split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0)
            out.values[line.left(eq).toStdString()] = line.mid(eq + 1).toLongLong();
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        out.error = "zorveldeck did not end normally";
    else if (!out.values.count("first_frame_ns"))
        out.error = "no first frame reported (was zd_bench_probe preloaded?)";
    return out;
}

void startUp(benchmark::State &state)
{
    for (auto _ : state) {
        const Launch run = launch("startup");
        if (!run.error.empty()) {
            state.SkipWithError(run.error.c_str());
            return;
        }
        state.SetIterationTime(double(run.values.at("first_frame_ns") - run.spawnedNs) / 1e9);
        state.counters["peak_rss_mb"] = double(run.values.at("peak_rss_kb")) / 1024.0;
        state.counters["startup_cpu_ms"] = double(run.values.at("startup_cpu_ns")) / 1e6;
    }
}

void idle(benchmark::State &state)
{
    for (auto _ : state) {
        const Launch run = launch("idle");
        if (!run.error.empty() || !run.values.count("idle_cpu_ns")) {
            state.SkipWithError(run.error.empty() ? "no idle figures reported" : run.error.c_str());
            return;
        }
        const double wall = double(run.values.at("idle_wall_ns"));
        state.SetIterationTime(wall / 1e9);
        state.counters["core_percent"] = 100.0 * double(run.values.at("idle_cpu_ns")) / wall;
        state.counters["enumerations_per_tick"] = double(run.values.at("idle_enumerations")) / (wall / 1e8);
    }
}

} // namespace

namespace bench
{

void registerProcessBenchmarks()
{
    benchmark::RegisterBenchmark("startup/zorveldeck", startUp)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(9)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("idle/process/zorveldeck", idle)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);
}

} // namespace bench
