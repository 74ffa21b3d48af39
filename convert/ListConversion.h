#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

namespace dw::convert {

// The customised-date line of an event without customised dates; every converted event gets it.
inline constexpr char kNoRuleLine[] = "00/00 00/00 00/00";

// Old list bytes as UTF-8. Valid UTF-8 passes through without a leading BOM; anything else was
// written by the Windows version and is read as Windows-1252.
QByteArray toUtf8(QByteArrayView raw);

// Splits at CR LF, LF or a bare CR, so no line we write back can hold a stray line end. A line
// end after the last line adds no empty line. The views point into text.
std::vector<QByteArrayView> splitLines(QByteArrayView text);

// True when the lines already are a current list (five lines per event) or hold nothing.
// Trailing empty lines are ignored by the caller before asking.
bool isCurrentFormat(const std::vector<QByteArrayView> &lines);

// What a source holds before it is taken for a list: text, or something no list ever is.
enum class SourceKind {
    Text,
    Empty,  // no bytes, or only line ends
    Binary, // NUL bytes, or mostly bytes that are neither UTF-8 nor single-byte text
    Utf16,  // a byte-order mark, or NUL bytes on every other place
};
SourceKind classifySource(QByteArrayView raw);

struct ListConversion {
    SourceKind kind = SourceKind::Text; // when not Text, nothing else is set
    bool alreadyConverted = false;
    QByteArray bytes;    // the current-format list, CR LF between lines, none after the last
    qsizetype events = 0; // customised-date lines added
};

// Reads an old list from its raw bytes and builds the current one.
ListConversion convertList(QByteArrayView raw);

} // namespace dw::convert
