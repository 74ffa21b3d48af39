// A settings store of 100,000 sections (a file edited by hand or by a runaway tool): reading it
// and loading the settings from it must stay linear; the target is well under 0.5 s.
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsStore.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace dw;

namespace {

QByteArray manySections(int n)
{
    QByteArray bytes = "[Settings]\nRemindBefore=7\n";
    for (int i = 0; i < n; ++i)
        bytes += "[Section" + QByteArray::number(i) + "]\nkey=value " + QByteArray::number(i) + "\n";
    return bytes;
}

void BM_ParseStoreSections(benchmark::State &state)
{
    const QByteArray bytes = manySections(int(state.range(0)));
    for (auto _ : state) {
        auto data = parseStore(bytes);
        benchmark::DoNotOptimize(data);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ParseStoreSections)->Arg(20000)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

// What every command pays at start: the whole store read and every setting loaded from it.
void BM_LoadSettingsFromStoreOfManySections(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(manySections(100000)) < 0)
        state.SkipWithError("cannot write the store");
    file.close();
    for (auto _ : state) {
        FileSettingsStore store(path);
        benchmark::DoNotOptimize(settingsFromStore(store));
    }
}
BENCHMARK(BM_LoadSettingsFromStoreOfManySections)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
