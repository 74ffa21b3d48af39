#pragma once

#include "core/events/EventRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace dw {

// The list format insists on a year. Dates that come without one get this year: a leap year,
// so that 29 February survives, and one before 1900, which the years column leaves blank (so
// nobody is shown as 422 years old). It is the year vCard writers themselves use for the same
// purpose, so an exported and re-imported date stays recognisably year-less.
inline constexpr int kNoYear = 1604;

enum class EventKind { Birthday, Anniversary, Other };

// How imported names are written: "Grace Hopper", or "Grace Hopper's birthday".
enum class NameStyle { Plain, WithKind };

struct ImportOptions {
    NameStyle names = NameStyle::Plain;
};

// One entry of a source that gave no event, with the reason, for the details on request.
struct SkippedEntry {
    QString who;    // the contact's or calendar entry's name, or "line N" when it has none
    QString reason; // e.g. "BDAY 2023-02-29 is not a date"
};

struct ImportedEvent {
    EventRecord record;
    EventKind kind = EventKind::Other;
};

// What one file gave.
struct ImportResult {
    bool ok = false;
    QString error;                // why the file was refused; nothing of it is used then
    bool calendar = false;        // an .ics file: entries are calendar events, not contacts
    int entries = 0;              // contacts or calendar events read
    int entriesWithoutEvent = 0;  // contacts without a date, or calendar events not imported
    std::vector<ImportedEvent> events;
    std::vector<SkippedEntry> skipped;
};

// "Grace Hopper" or "Grace Hopper's birthday", as the options say.
QString importedName(const QString &name, EventKind kind, const NameStyle style);

// "dd/MM/yyyy"; year 0 stands for "no year" and becomes kNoYear.
QString listDate(int year, int month, int day);

// Chooses the reader by the content: "BEGIN:VCALENDAR" for iCalendar, else vCard.
ImportResult importBytes(const QByteArray &bytes, const ImportOptions &options);
ImportResult importFile(const QString &path, const ImportOptions &options);

// Files bigger than this are refused rather than read into memory.
inline constexpr qint64 kMaxImportBytes = 256LL * 1024 * 1024;

} // namespace dw
