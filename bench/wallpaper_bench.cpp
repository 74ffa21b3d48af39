#include "core/events/Sort.h"
#include "core/settings/SettingsStore.h"
#include "desktop/SetWallpaper.h"
#include "page/PageWriter.h"
#include "page/compat/CompatScript.h"
#include "platform/qt/QtFontCatalog.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace dw;

namespace {

// The desktop's tool is not what is measured: it answers at once.
class QuietTools final : public desktop::ToolRunner {
public:
    QString find(const QString &program) const override { return QStringLiteral("/usr/bin/") + program; }
    desktop::ToolResult run(const desktop::Command &) override
    {
        desktop::ToolResult r;
        r.started = true;
        r.exitCode = 0;
        return r;
    }
};

// What --set-wallpaper does for a 1,000-event page at 1920x1080: draw, save, apply, clean up.
void BM_SetWallpaper(benchmark::State &state)
{
    QTemporaryDir dir;
    QRandomGenerator rng(7);
    std::vector<EventRecord> rows;
    for (int i = 0; i < state.range(0); ++i)
        rows.push_back(EventRecord{QStringLiteral("Person number %1").arg(i),
                                   QStringLiteral("%1/%2/1980").arg(rng.bounded(1, 29), 2, 10, QLatin1Char('0')).arg(3, 2, 10, QLatin1Char('0')),
                                   QStringLiteral("-"), i % 10 == 0 ? 1 : 0, kDefaultRule});
    sortRecords(rows, SortKind::Monthwise);
    SettingsModel settings;
    settings.animate = true;
    QtFontCatalog fonts;
    const QString page = dir.filePath(QStringLiteral("page.html"));
    if (!writePageFile(page, PageInput{rows, settings, fonts, QDateTime(QDate(2026, 3, 5), QTime(9, 0)), browserCompatOptions(true)}).ok) {
        state.SkipWithError("the page could not be written");
        return;
    }
    MemorySettingsStore store;
    QProcessEnvironment env;
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("sway"));
    QuietTools tools;
    for (auto _ : state) {
        const desktop::SetWallpaperOutcome o =
            desktop::setWallpaper({page, {1920, 1080}, QDate(2026, 3, 5), dir.filePath(QStringLiteral("pictures"))}, store, env, tools);
        if (!o.ok) {
            state.SkipWithError(qPrintable(o.error));
            return;
        }
    }
}

} // namespace

BENCHMARK(BM_SetWallpaper)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
