// Start-up of the main window: from process start to the first frame of the window painted
// with the example list loaded, the font lists filled and the settings loaded and refreshed.
// BM_ProcessStartUp launches the built wrenpad itself, as a user does, and times it to its
// first frame (on the display the benchmark runs on: DISPLAY under Xvfb or a desktop, else
// offscreen). The first start in this process is measured once against the process's own start
// time (cold: font database, store file, widgets); the loop then measures later starts (warm)
// and loading settings alone.
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "ui/AppServices.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <unistd.h>

using namespace dw;

namespace {

// Seconds since this process started, from the kernel's start time of the process.
double secondsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // Fields after the command name (which may hold blanks) start after the last ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startTicks = fields.at(19).toDouble(); // field 22 of the whole line
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9 - startTicks / double(sysconf(_SC_CLK_TCK));
}

// Counts the paints of the window, so that a start ends with its first frame drawn.
class PaintWatch : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// With report set, prints how long each start-up step took (the first start only).
void startOnce(bool report = false)
{
    QElapsedTimer construct;
    construct.start();
    DesktopServices desktop;
    MainWindow window(desktop.services());
    if (report) {
        std::fprintf(stderr, "  window construction: %lld ms\n", construct.elapsed());
        StartupHooks &h = window.startupHooks();
        const auto timed = [](const char *name, std::function<void()> &step) {
            if (!step)
                return;
            step = [name, inner = step] {
                QElapsedTimer t;
                t.start();
                inner();
                std::fprintf(stderr, "  %s: %lld ms\n", name, t.elapsed());
            };
        };
        timed("blank preview", h.blankPreview);
        timed("fill font lists", h.fillFontLists);
        timed("load settings", h.loadSettings);
        timed("refresh", h.refreshDependentControls);
        timed("register file type", h.registerFileType);
    }
    PaintWatch watch;
    window.installEventFilter(&watch);
    window.startUp(QStringLiteral("\"" DW_EXAMPLE_LIST "\""));
    while (watch.paints == 0)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (report && window.events().count() == 0)
        std::fprintf(stderr, "  the example list did not load\n");
    benchmark::DoNotOptimize(window.settings().remindBefore.size());
    window.hide();
}

void BM_WarmStartUp(benchmark::State &state)
{
    for (auto _ : state)
        startOnce();
}

// The platform the launched program uses: the benchmark's own before it went offscreen.
QByteArray g_childPlatform;

void BM_ProcessStartUp(benchmark::State &state)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DATEWREN_STARTUP_PROBE"), QStringLiteral("1"));
    if (g_childPlatform.isEmpty() && !qEnvironmentVariableIsEmpty("DISPLAY"))
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    else
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLocal8Bit(g_childPlatform.isEmpty() ? "offscreen" : g_childPlatform));
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setReadChannel(QProcess::StandardError);
        const auto start = std::chrono::steady_clock::now();
        p.start(QStringLiteral(DW_WRENPAD_PATH), {QStringLiteral(DW_EXAMPLE_LIST)});
        QByteArray said;
        while (!said.contains("first frame") && p.waitForReadyRead(10000))
            said += p.readAllStandardError();
        const auto end = std::chrono::steady_clock::now();
        p.waitForFinished(10000);
        if (!said.contains("first frame")) {
            state.SkipWithError("wrenpad showed no frame");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.SetLabel(env.contains(QStringLiteral("QT_QPA_PLATFORM")) ? "offscreen" : "display");
}

void BM_LoadSettings(benchmark::State &state)
{
    FileSettingsStore store(FileSettingsStore::defaultPath());
    for (auto _ : state) {
        SettingsModel m = settingsFromStore(store);
        benchmark::DoNotOptimize(m.fonts[0].size());
    }
}

} // namespace

BENCHMARK(BM_ProcessStartUp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WarmStartUp)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    g_childPlatform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + "/cache").toUtf8());
    {
        // A store as a user's would be after "Save All Settings to Registry".
        SettingsModel m;
        FileSettingsStore store(FileSettingsStore::defaultPath());
        saveAllGroups(m, store, kSettingsSection);
        storeSaveAtExit(m, store);
    }
    QApplication app(argc, argv);
    startOnce(true);
    const double cold = secondsSinceProcessStart();
    std::fprintf(stderr, "Cold start-up (process start to the first frame with the list, fonts listed, settings loaded): %.0f ms\n",
                 cold * 1000);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
