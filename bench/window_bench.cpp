// The main window with a list of 100,000 generated events, on the offscreen platform with the
// desktop's own fonts (the widths the page gets are measured as in the real program): opening
// the list into the window, each of the five sorts from the Sort menu, and Create HTML. Each
// timed step ends with the window's pending repaint done, as a user would see it.
#include "bench/GeneratedList.h"
#include "core/events/Sort.h"
#include "platform/Clock.h"
#include "platform/Shell.h"
#include "platform/SystemPaths.h"
#include "platform/qt/QtFontCatalog.h"
#include "ui/ListPanel.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

using namespace dw;

namespace {

constexpr int kEvents = 100000;

// Answers as a user who writes the page over the last one and keeps the wallpaper: Yes to
// "Overwrite?", No to every other question, OK to the rest.
class BenchPrompter final : public Prompter {
public:
    QString pagePath;
    QStringList asked;
    Button ask(const Message &m) override
    {
        asked << m.title;
        if (m.title == QLatin1String("Overwrite?"))
            return Button::Yes;
        return m.buttons == Buttons::Ok || m.buttons == Buttons::OkCancel ? Button::Ok : Button::No;
    }
    QString chooseFile(FileKind) override { return pagePath; }
    void beep() override {}
};

struct NoShell final : Shell {
    bool open(const QString &) override { return true; }
};

struct Bench {
    BenchPrompter prompter;
    FixedClock clock{2026, 3, 5};
    QtFontCatalog fonts;
    NoShell shell;
    XdgSystemPaths paths;
    MainWindow window{AppServices{prompter, clock, fonts, shell, paths}};
    QString listPath;
    std::vector<EventRecord> unsorted; // the list as read, before any sort
};

Bench *g = nullptr;

void settle()
{
    QApplication::processEvents();
}

// The window as it was right after opening the list.
void restoreOpenedList()
{
    g->window.events().replaceAll(g->unsorted);
    g->window.events().select(-1);
    settle();
}

void BM_OpenList(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        g->window.events().clear();
        settle();
        state.ResumeTiming();
        g->window.listCommands().loadListFile(g->listPath, false);
        settle();
    }
    if (g->window.events().count() != kEvents)
        state.SkipWithError("the list did not load");
}

void BM_Sort(benchmark::State &state)
{
    auto *menu = g->window.listPanel()->findChild<QMenu *>(QStringLiteral("mnuSort"));
    QAction *action = menu->actions().at(int(state.range(0)));
    state.SetLabel(action->text().remove(u'&').toStdString());
    for (auto _ : state) {
        state.PauseTiming();
        restoreOpenedList();
        state.ResumeTiming();
        action->trigger();
        settle();
    }
}

void BM_CreateHtml(benchmark::State &state)
{
    QPushButton *create = g->window.panelButton(MainWindow::CreateHtmlButton);
    // The default settings bring the output warnings; a user who has seen them ticks the box.
    g->window.findChild<QCheckBox *>(QStringLiteral("chkIgnore"))->setChecked(true);
    for (auto _ : state) {
        state.PauseTiming();
        restoreOpenedList();
        g->prompter.asked.clear();
        state.ResumeTiming();
        create->click();
        settle();
    }
    if (!g->prompter.asked.contains(QStringLiteral("File Written")))
        state.SkipWithError(("the page was not written: " + g->prompter.asked.join(u',')).toStdString().c_str());
    state.counters["page_MB"] = double(QFile(g->prompter.pagePath).size()) / 1e6;
}

} // namespace

BENCHMARK(BM_OpenList)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CreateHtml)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    QTemporaryDir home;
    // A fresh profile, as a new user's: nothing of the real desktop is read or changed.
    for (const char *var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        qputenv(var, (home.path() + u'/' + QString::fromLatin1(var)).toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("GSETTINGS_BACKEND", "keyfile");
    QApplication app(argc, argv);
    Bench bench;
    g = &bench;
    bench.listPath = home.path() + QStringLiteral("/list.dwe");
    bench.prompter.pagePath = home.path() + QStringLiteral("/page.html");
    QFile list(bench.listPath);
    const QByteArray bytes = bench::generatedListBytes(kEvents);
    if (!list.open(QIODevice::WriteOnly) || list.write(bytes) != bytes.size())
        return 1;
    list.close();
    bench.window.startUp(QString());
    bench.window.listCommands().loadListFile(bench.listPath, false);
    bench.unsorted = bench.window.events().rows();
    settle();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
