// Converting an old list must stay linear in its size: a 50 MB list is the largest we expect.
#include "convert/ListConversion.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray oldList(qsizetype bytes, bool windows1252)
{
    QByteArray list;
    list.reserve(bytes + 128);
    for (int i = 0; list.size() < bytes; ++i) {
        if (i)
            list.append("\r\n");
        list.append(windows1252 ? "Ren\xE9 " : "Ren\xC3\xA9 ").append(QByteArray::number(i));
        list.append("\r\n05/01/1980\r\nfriend@example.org\r\n").append(i % 2 ? "1" : "0");
    }
    return list;
}

void BM_ConvertOldList(benchmark::State &state)
{
    const QByteArray list = oldList(state.range(0) * 1024 * 1024, state.range(1) != 0);
    for (auto _ : state) {
        auto out = dw::convert::convertList(list);
        benchmark::DoNotOptimize(out.bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * list.size());
}

} // namespace

BENCHMARK(BM_ConvertOldList)->ArgsProduct({{5, 50}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
