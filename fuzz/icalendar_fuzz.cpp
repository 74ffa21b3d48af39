// The calendar reader against arbitrary bytes, and what it accepts exported and read again:
// the second reading must give the same events.
#include "interop/ICalendar.h"

#include <QDate>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (!bytes.startsWith("BEGIN:VCALENDAR"))
        bytes.prepend("BEGIN:VCALENDAR\r\n");
    const dw::ImportResult first = dw::readICalendar(bytes, {});
    if (!first.ok)
        return 0;
    std::vector<dw::EventRecord> events;
    for (const auto &e : first.events) {
        if (!QDate::fromString(e.record.date, QStringLiteral("dd/MM/yyyy")).isValid())
            std::abort();
        events.push_back(e.record);
    }
    const dw::ExportResult out = dw::exportICalendar(events, {});
    const dw::ImportResult again = dw::readICalendar(out.bytes, {});
    if (!again.ok || again.events.size() != static_cast<size_t>(out.written))
        std::abort();
    return 0;
}
