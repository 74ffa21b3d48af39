#include "core/events/Sort.h"
#include "page/PageWriter.h"
#include "platform/qt/QtFontCatalog.h"

#include <QApplication>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

using namespace dw;

namespace {

std::vector<EventRecord> makeList(int n)
{
    QRandomGenerator rng(7);
    std::vector<EventRecord> rows;
    rows.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const QString date = QStringLiteral("%1/%2/%3")
                                 .arg(rng.bounded(1, 29), 2, 10, QLatin1Char('0'))
                                 .arg(rng.bounded(1, 13), 2, 10, QLatin1Char('0'))
                                 .arg(rng.bounded(1930, 2026));
        rows.push_back(EventRecord{QStringLiteral("Person number %1").arg(i), date,
                                   i % 3 ? QStringLiteral("-") : QStringLiteral("mail%1@example.org").arg(i),
                                   i % 10 == 0 ? 1 : 0, i % 50 == 0 ? QStringLiteral("00/00 20/12 05/01") : kDefaultRule});
    }
    sortRecords(rows, SortKind::Monthwise);
    return rows;
}

// The whole page text with the Scroller widths measured by the real font catalogue.
void BM_PageText(benchmark::State &state)
{
    const std::vector<EventRecord> rows = makeList(static_cast<int>(state.range(0)));
    SettingsModel settings;
    settings.animate = true;
    QtFontCatalog fonts;
    for (auto _ : state) {
        const std::optional<QString> text = pageText(PageInput{rows, settings, fonts, QDateTime::currentDateTime(), {}});
        benchmark::DoNotOptimize(text->size());
    }
}

} // namespace

BENCHMARK(BM_PageText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // text measurement needs the GUI side of Qt
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
