#pragma once

#include "interop/Import.h"

#include <QByteArray>
#include <vector>

namespace dw {

// Reads the yearly all-day events of an iCalendar file. Events this program exported come back
// with their address, mark and customised rule; the extra events written for a rule are
// recognised and left out.
ImportResult readICalendar(const QByteArray &bytes, const ImportOptions &options);

struct ExportOptions {
    int reminderDays = 5;            // the VALARM's days before
    bool allBirthdays = false;       // CATEGORIES:Birthday on every event
    std::vector<bool> birthdays;     // else per event (index as in the list)
};

struct ExportResult {
    QByteArray bytes;
    int written = 0;
    std::vector<SkippedEntry> skipped; // events whose date cannot be written
};

ExportResult exportICalendar(const std::vector<EventRecord> &events, const ExportOptions &options);

// The UID an event gets: the same for the same name (in any letter case) and date, which is
// exactly what tells two events apart in this program.
QString eventUid(const EventRecord &event);

} // namespace dw
