// Opening and saving a list of 100,000 events, both into the bare event list and into the main
// window with its three columns.
#include "core/events/ListCommands.h"
#include "core/events/ListFile.h"
#include "core/io/TextFile.h"
#include "tests/support/FakeFontCatalog.h"
#include "tests/support/ScriptedPrompter.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace dw;

namespace {
constexpr int kEvents = 100000;

std::vector<EventRecord> makeEvents(int n)
{
    std::vector<EventRecord> events;
    events.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        events.push_back({QStringLiteral("Person number %1 Ärger").arg(i),
                          QStringLiteral("%1/%2/19%3").arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                              .arg(i % 12 + 1, 2, 10, QLatin1Char('0')).arg(i % 100, 2, 10, QLatin1Char('0')),
                          i % 3 ? QStringLiteral("person%1@example.org").arg(i % 5000) : kNoAddress, i % 7 == 0,
                          i % 11 ? kDefaultRule : QStringLiteral("01/02 00/00 00/00")});
    }
    return events;
}

struct Files {
    QTemporaryDir dir;
    QString list = dir.filePath(QStringLiteral("big.dwe"));
    Files() { writeFileAtomic(list, listFileBytes(makeEvents(kEvents))); }
};
Files &files()
{
    static Files f;
    return f;
}

void BM_OpenList(benchmark::State &state)
{
    test::ScriptedPrompter prompter;
    NullBusyIndicator busy;
    for (auto _ : state) {
        EventList list;
        ListCommands commands(list, prompter, busy);
        commands.loadListFile(files().list, false);
        if (list.count() != kEvents)
            state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_OpenList)->Unit(benchmark::kMillisecond);

void BM_SaveList(benchmark::State &state)
{
    test::ScriptedPrompter prompter;
    NullBusyIndicator busy;
    EventList list;
    list.appendRows(makeEvents(kEvents));
    ListCommands commands(list, prompter, busy);
    const QString out = files().dir.filePath(QStringLiteral("out.dwe"));
    for (auto _ : state) {
        prompter.reset();
        prompter.choose(out).answer(Button::Yes);
        if (commands.saveListFile() != SaveResult::Saved)
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveList)->Unit(benchmark::kMillisecond);

void BM_OpenListInWindow(benchmark::State &state)
{
    test::ScriptedPrompter prompter;
    FixedClock clock(2026, 3, 5);
    test::FakeFontCatalog fonts;
    struct : Shell {
        bool open(const QString &) override { return true; }
    } shell;
    XdgSystemPaths paths;
    MainWindow window(AppServices{prompter, clock, fonts, shell, paths});
    window.show();
    for (auto _ : state) {
        window.listCommands().loadListFile(files().list, false);
        window.events().select(kEvents / 2);
        QApplication::processEvents();
        state.PauseTiming();
        window.events().clear();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    window.hide();
}
BENCHMARK(BM_OpenListInWindow)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
