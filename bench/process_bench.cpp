// wrenpad as a user runs it: one fresh process per command, on generated lists of 1,000, 10,000
// and 100,000 events. Reports the wall time of the whole process and its peak memory (the
// child's maximum resident set), for --write-html and --write-preview. Time is wall time of the
// child from spawn to exit; child_cpu_ms is its user plus system time.
#include "bench/GeneratedList.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

QTemporaryDir *g_dir = nullptr;

QString pathIn(const QString &name)
{
    return g_dir->path() + u'/' + name;
}

QString listOf(int events)
{
    const QString path = pathIn(QStringLiteral("list%1.dwe").arg(events));
    if (QFile::exists(path))
        return path;
    const QByteArray bytes = dw::bench::generatedListBytes(events);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::abort();
    return path;
}

// Runs wrenpad with args; returns false when it could not be run or failed.
bool runWrenpad(const std::vector<std::string> &args, double *seconds, double *cpuSeconds, long *peakKb)
{
    std::vector<char *> argv;
    static std::string program = DW_WRENPAD_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copy = args;
    for (std::string &a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return false;
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    *peakKb = usage.ru_maxrss;
    const auto tv = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    *cpuSeconds = tv(usage.ru_utime) + tv(usage.ru_stime);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void runMode(benchmark::State &state, const char *mode)
{
    const QString list = listOf(int(state.range(0)));
    const std::string out = pathIn(QStringLiteral("out.html")).toStdString();
    std::vector<std::string> args{mode, out, "--today", "2026-03-05"};
    if (std::string(mode) == "--write-html")
        args.push_back("--no-browser-compat");
    args.push_back(list.toStdString());
    long peak = 0;
    double cpu = 0;
    for (auto _ : state) {
        double seconds = 0, cpuSeconds = 0;
        if (!runWrenpad(args, &seconds, &cpuSeconds, &peak)) {
            state.SkipWithError("wrenpad failed");
            return;
        }
        state.SetIterationTime(seconds);
        cpu += cpuSeconds;
    }
    state.counters["peak_MB"] = double(peak) / 1024.0;
    // The child's own processor time: on a loaded machine it tells the cost apart from waiting.
    state.counters["child_cpu_ms"] = benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
}

void BM_WriteHtml(benchmark::State &state) { runMode(state, "--write-html"); }
void BM_WritePreview(benchmark::State &state) { runMode(state, "--write-preview"); }

} // namespace

BENCHMARK(BM_WriteHtml)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WritePreview)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    g_dir = &dir;
    // A fresh profile, as a new user's: nothing of the real desktop is read or changed.
    for (const char *var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        setenv(var, (dir.path() + u'/' + QString::fromLatin1(var)).toLocal8Bit().constData(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("GSETTINGS_BACKEND", "keyfile", 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
