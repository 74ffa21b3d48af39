#pragma once

#include "interop/Import.h"

namespace dw {

// The outcome of importing several files into a list.
struct ImportSummary {
    QString error;                   // a file that could not be read: nothing is added then
    int contacts = 0, contactsWithoutDate = 0;
    int calendarEvents = 0, calendarEventsSkipped = 0;
    bool anyContacts = false, anyCalendar = false;
    std::vector<EventRecord> added;  // in file order, without those already in the list
    std::vector<SkippedEntry> skipped;
};

// Reads every file; an event already in the list (or met earlier in the import) under the
// duplicate rule of Remove Duplicates - same name in any letter case, same date text - is
// skipped. One unreadable file refuses the whole import, so it never half-happens.
ImportSummary importFiles(const QStringList &paths, const std::vector<EventRecord> &existing,
                          const ImportOptions &options);
// The same for results already read (the reading is the slow part and is tested apart).
ImportSummary mergeImports(const std::vector<ImportResult> &results, const std::vector<EventRecord> &existing);

// "Imported 37 events from 52 contacts; 15 contacts have no date", and the like for calendars.
QStringList importReport(const ImportSummary &summary);
// "1 contact" or "52 contacts".
QString countOf(int n, const char *one, const char *many);

// One line per skipped entry: "Grace Hopper: BDAY 2023-02-29 is not a date".
QStringList skippedLines(const std::vector<SkippedEntry> &skipped);

} // namespace dw
