// The list reader against arbitrary bytes: whatever it accepts must have complete events and
// survive a write and a second read unchanged.
#include "core/events/ListFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const dw::ListReadResult first = dw::parseListBytes(bytes);
    // The marks-only reading the preview uses agrees with the whole one.
    const dw::ListReadResult marks = dw::parseListBytes(bytes, dw::ListParts::MarksOnly);
    if (marks.status != first.status || !marks.events.empty()
        || marks.anyImportant != std::any_of(first.events.begin(), first.events.end(), [](const auto &e) { return e.important(); }))
        std::abort();
    if (first.status != dw::ListReadStatus::Ok || first.events.empty())
        return 0;
    const dw::ListReadResult again = dw::parseListBytes(dw::listFileBytes(first.events));
    if (again.status != dw::ListReadStatus::Ok || again.events.size() != first.events.size())
        std::abort();
    for (size_t i = 0; i < first.events.size(); ++i) {
        const auto &a = first.events[i];
        const auto &b = again.events[i];
        // Lines cannot hold line breaks, so names and dates come back exactly. The one exception:
        // a byte order mark opening the first name is taken for the file's own on reading.
        if (i == 0 && a.name.startsWith(QChar(0xFEFF)))
            continue;
        if (a.name != b.name || a.date != b.date || a.mark != b.mark)
            std::abort();
    }
    return 0;
}
