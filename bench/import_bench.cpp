// Importing an address book of 10,000 contacts (each with a photo, a few e-mail addresses and a
// birthday) and a calendar of 10,000 birthdays into a list of 1,000 events. Target: under 1 s.
#include "interop/ICalendar.h"
#include "interop/ImportMerge.h"
#include "interop/VCardReader.h"

#include <benchmark/benchmark.h>

using namespace dw;

namespace {
constexpr int kContacts = 10000;

QByteArray addressBook()
{
    QByteArray out;
    const QByteArray photo(4000, 'Q');
    for (int i = 0; i < kContacts; ++i) {
        out += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
        out += "N:Person" + QByteArray::number(i) + ";Given;;;\r\nFN:Given Person" + QByteArray::number(i) + "\r\n";
        out += "EMAIL;TYPE=HOME:home" + QByteArray::number(i) + "@example.org\r\n";
        out += "EMAIL;TYPE=WORK,pref:work" + QByteArray::number(i) + "@example.org\r\n";
        out += "TEL;TYPE=CELL:+1 555 0100\r\nADR;TYPE=HOME:;;1 Main St;Town;;12345;Land\r\n";
        out += "PHOTO;ENCODING=b;TYPE=JPEG:";
        for (int at = 0; at < photo.size(); at += 74)
            out += (at ? "\r\n " : "") + photo.mid(at, 74);
        out += "\r\n";
        if (i % 4 != 0)
            out += "BDAY:19" + QByteArray::number(50 + i % 50) + "-" + QByteArray::number(i % 12 + 1).rightJustified(2, '0')
                   + "-" + QByteArray::number(i % 28 + 1).rightJustified(2, '0') + "\r\n";
        out += "END:VCARD\r\n";
    }
    return out;
}

std::vector<EventRecord> existingList()
{
    std::vector<EventRecord> list;
    for (int i = 0; i < 1000; ++i)
        list.push_back({QStringLiteral("Given Person%1").arg(i * 7), QStringLiteral("01/01/1970"), kNoAddress, 0, kDefaultRule});
    return list;
}

void BM_ImportAddressBook(benchmark::State &state)
{
    const QByteArray book = addressBook();
    const auto list = existingList();
    for (auto _ : state) {
        std::vector<ImportResult> results{readVCards(book, {})};
        const ImportSummary s = mergeImports(results, list);
        benchmark::DoNotOptimize(s.added.size());
    }
    state.counters["MB"] = double(book.size()) / (1 << 20);
}
BENCHMARK(BM_ImportAddressBook)->Unit(benchmark::kMillisecond);

void BM_ImportCalendar(benchmark::State &state)
{
    std::vector<EventRecord> events;
    for (int i = 0; i < kContacts; ++i)
        events.push_back({QStringLiteral("Person %1").arg(i),
                          QStringLiteral("%1/%2/1980").arg(i % 28 + 1, 2, 10, QLatin1Char('0')).arg(i % 12 + 1, 2, 10, QLatin1Char('0')),
                          QStringLiteral("p%1@example.org").arg(i), i % 5 == 0, kDefaultRule});
    const QByteArray ics = exportICalendar(events, {}).bytes;
    for (auto _ : state) {
        const ImportResult r = readICalendar(ics, {});
        benchmark::DoNotOptimize(r.events.size());
    }
}
BENCHMARK(BM_ImportCalendar)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
