#include "interop/ImportMerge.h"

#include <QSet>

namespace dw {

QString countOf(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

ImportSummary mergeImports(const std::vector<ImportResult> &results, const std::vector<EventRecord> &existing)
{
    ImportSummary summary;
    for (const ImportResult &r : results) {
        if (!r.ok) {
            summary.error = r.error;
            return summary;
        }
    }
    QSet<std::pair<QString, QString>> seen;
    for (const EventRecord &e : existing)
        seen.insert({e.name.toLower(), e.date});
    for (const ImportResult &r : results) {
        if (r.calendar) {
            summary.anyCalendar = true;
            summary.calendarEvents += r.entries;
            summary.calendarEventsSkipped += r.entriesWithoutEvent;
        } else {
            summary.anyContacts = true;
            summary.contacts += r.entries;
            summary.contactsWithoutDate += r.entriesWithoutEvent;
        }
        summary.skipped.insert(summary.skipped.end(), r.skipped.begin(), r.skipped.end());
        for (const ImportedEvent &e : r.events) {
            const std::pair<QString, QString> key{e.record.name.toLower(), e.record.date};
            if (seen.contains(key)) {
                summary.skipped.push_back({e.record.name, QStringLiteral("already in the list on %1").arg(e.record.date)});
                continue;
            }
            seen.insert(key);
            summary.added.push_back(e.record);
        }
    }
    return summary;
}

ImportSummary importFiles(const QStringList &paths, const std::vector<EventRecord> &existing,
                          const ImportOptions &options)
{
    std::vector<ImportResult> results;
    for (const QString &path : paths) {
        results.push_back(importFile(path, options));
        if (!results.back().ok)
            break;
    }
    return mergeImports(results, existing);
}

QStringList importReport(const ImportSummary &s)
{
    if (!s.error.isEmpty())
        return {QStringLiteral("Nothing imported: ") + s.error};
    const int added = static_cast<int>(s.added.size());
    QString line = QStringLiteral("Imported %1 from ").arg(countOf(added, "event", "events"));
    QStringList from;
    if (s.anyContacts || !s.anyCalendar)
        from << countOf(s.contacts, "contact", "contacts");
    if (s.anyCalendar)
        from << countOf(s.calendarEvents, "calendar event", "calendar events");
    line += from.join(QStringLiteral(" and "));
    if (s.anyContacts || !s.anyCalendar)
        line += QStringLiteral("; %1 no date").arg(countOf(s.contactsWithoutDate, "contact has", "contacts have"));
    if (s.anyCalendar)
        line += QStringLiteral("; ") + countOf(s.calendarEventsSkipped, "calendar event is not a yearly all-day event",
                                                 "calendar events are not yearly all-day events");
    return {line};
}

QStringList skippedLines(const std::vector<SkippedEntry> &skipped)
{
    QStringList lines;
    for (const SkippedEntry &s : skipped)
        lines << s.who + QStringLiteral(": ") + s.reason;
    return lines;
}

} // namespace dw
