#pragma once

#include "core/events/EventRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace dw {

// A list file (.dwe): five lines per event - name, date, address ("-" for none), mark ("0"/"1"),
// customised-date rule - joined by CR LF, with no line end after the last line.

enum class ListReadStatus {
    Ok,
    OldFormat,  // a four-line file of the previous version: the converter must run first
    Unreadable, // a folder, a pipe, no permission, too large, an I/O error
};

struct ListReadResult {
    ListReadStatus status = ListReadStatus::Unreadable;
    std::vector<EventRecord> events;
    bool anyImportant = false; // set when Ok, also without the events
    QString error; // the system's reason when Unreadable
};

// Decodes, tests and parses the bytes of a list file. The format test wants every fourth line
// of each five-line step to be exactly "0" or "1"; a file whose line count is a multiple of four
// but not of five is a one- or two-event list of the previous version, which passes the mark
// test by accident, and is refused too. An incomplete last event is completed with the
// defaults, so every event has all five fields.
// MarksOnly runs the same test but builds no events: for callers that only need anyImportant,
// a big list then costs a tenth of the memory.
enum class ListParts { Events, MarksOnly };
ListReadResult parseListBytes(const QByteArray &bytes, ListParts parts = ListParts::Events);

// Reads the list file at path. A missing file reads as Unreadable; the caller decides whether
// to create it.
ListReadResult readListFile(const QString &path, ListParts parts = ListParts::Events);

// What the window-less modes say about a list that did not read as Ok.
QString listReadFailure(const QString &path, const ListReadResult &result);

// The exact bytes of a list file. A line break inside a field would shift every later event,
// so it is written as a blank.
QByteArray listFileBytes(const std::vector<EventRecord> &events);

} // namespace dw
