// Any bytes offered as an old list convert without crashing, and the written list keeps every
// line read plus exactly one customised-date line per converted event.
#include "convert/ListConversion.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace dw::convert;
    const QByteArrayView raw(reinterpret_cast<const char *>(data), qsizetype(size));
    const ListConversion out = convertList(raw);
    if (out.alreadyConverted)
        return 0;

    const QByteArray text = toUtf8(raw);
    auto lines = splitLines(text);
    while (!lines.empty() && lines.back().isEmpty())
        lines.pop_back();
    const auto written = splitLines(out.bytes);
    if (!out.bytes.isValidUtf8() || out.bytes.endsWith("\r\n"))
        __builtin_trap();
    if (qsizetype(written.size()) != qsizetype(lines.size()) + out.events || out.events != qsizetype(lines.size()) / 4)
        __builtin_trap();
    for (qsizetype e = 0; e < out.events; ++e) {
        if (written[size_t(5 * e + 4)] != kNoRuleLine || written[size_t(5 * e)] != lines[size_t(4 * e)])
            __builtin_trap();
    }
    return 0;
}
