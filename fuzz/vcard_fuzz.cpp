// The address book reader against arbitrary bytes: it either refuses the file with a reason or
// gives events whose dates the list accepts.
#include "interop/VCardReader.h"

#include <QDate>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const dw::ImportResult r = dw::readVCards(bytes, {dw::NameStyle::WithKind});
    if (!r.ok && (r.error.isEmpty() || !r.events.empty()))
        std::abort();
    for (const auto &e : r.events) {
        if (!QDate::fromString(e.record.date, QStringLiteral("dd/MM/yyyy")).isValid() || e.record.name.isEmpty()
            || e.record.name.contains('\n') || e.record.address.contains('\n'))
            std::abort();
    }
    if (r.entriesWithoutEvent > r.entries)
        std::abort();
    return 0;
}
