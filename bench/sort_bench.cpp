#include "core/events/Sort.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>

using namespace dw;

namespace {

// Birthday lists: many repeated names, dates spread over the year, few addresses.
std::vector<EventRecord> makeList(int n)
{
    QRandomGenerator rng(42);
    std::vector<EventRecord> rows;
    rows.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const QString date = QStringLiteral("%1/%2/%3")
                                 .arg(rng.bounded(1, 29), 2, 10, QLatin1Char('0'))
                                 .arg(rng.bounded(1, 13), 2, 10, QLatin1Char('0'))
                                 .arg(rng.bounded(1930, 2026));
        rows.push_back(EventRecord{QStringLiteral("Person %1").arg(rng.bounded(n / 4 + 1)), date,
                                   QStringLiteral("mail%1@example.org").arg(rng.bounded(50)),
                                   static_cast<int>(rng.bounded(2)), kDefaultRule});
    }
    return rows;
}

void BM_Sort(benchmark::State &state)
{
    const auto kind = static_cast<SortKind>(state.range(1));
    const std::vector<EventRecord> base = makeList(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<EventRecord> rows = base;
        sortRecords(rows, kind);
        benchmark::DoNotOptimize(rows.data());
    }
}

// The literal quadratic selection sort, the baseline the fast sort replaces.
void BM_SelectionSort(benchmark::State &state)
{
    const auto kind = static_cast<SortKind>(state.range(1));
    const std::vector<EventRecord> base = makeList(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<EventRecord> rows = base;
        selectionSortRecords(rows, kind);
        benchmark::DoNotOptimize(rows.data());
    }
}

void BM_RemoveDuplicates(benchmark::State &state)
{
    const std::vector<EventRecord> base = makeList(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<EventRecord> kept = withoutDuplicates(base);
        benchmark::DoNotOptimize(kept.data());
    }
}

} // namespace

BENCHMARK(BM_Sort)->ArgsProduct({{10000, 100000}, {0, 1, 2, 3, 4}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectionSort)->ArgsProduct({{10000}, {0, 1}})->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Sort)->Args({10000, 1})->Name("BM_Sort_same_list_as_baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveDuplicates)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
