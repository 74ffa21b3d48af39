#include "app/InteropCli.h"

#include "core/events/ListFile.h"
#include "core/io/TextFile.h"
#include "core/settings/SettingsStore.h"
#include "interop/ICalendar.h"
#include "interop/ImportMerge.h"

#include <QFileInfo>
#include <cstdio>

namespace dw {

namespace {

int fail(const QString &text)
{
    std::fprintf(stderr, "wrenpad: %s\n", qPrintable(text));
    return 1;
}

int usage(const char *synopsis)
{
    std::fprintf(stderr, "wrenpad: usage: wrenpad %s\n", synopsis);
    return 2;
}

const char *const kImportSynopsis = "--import FILE.vcf|FILE.ics [...] --into LIST.dwe [--with-kind] [--verbose]";
const char *const kExportSynopsis = "--export-ics LIST.dwe CALENDAR.ics [--birthdays] [--days N]";

int runImport(const QStringList &args)
{
    QStringList files;
    QString into;
    bool verbose = false;
    ImportOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--import"))
            continue;
        if (a == QLatin1String("--into") && i + 1 < args.size() && into.isEmpty())
            into = args[++i];
        else if (a == QLatin1String("--verbose"))
            verbose = true;
        else if (a == QLatin1String("--with-kind"))
            options.names = NameStyle::WithKind;
        else if (a.startsWith(QLatin1String("--")))
            return usage(kImportSynopsis);
        else
            files << a;
    }
    if (files.isEmpty() || into.isEmpty())
        return usage(kImportSynopsis);

    std::vector<EventRecord> list;
    const bool exists = QFileInfo::exists(into);
    if (exists) {
        const ListReadResult read = readListFile(into);
        if (read.status == ListReadStatus::OldFormat)
            return fail(into + QStringLiteral(": Convert file using DWE Converter before opening."));
        if (read.status != ListReadStatus::Ok)
            return fail(into + QStringLiteral(": ") + read.error);
        list = read.events;
    }

    const ImportSummary summary = importFiles(files, list, options);
    if (!summary.error.isEmpty())
        return fail(importReport(summary).join('\n'));
    for (const QString &line : importReport(summary))
        std::printf("%s\n", qPrintable(line));
    if (verbose)
        for (const QString &line : skippedLines(summary.skipped))
            std::printf("  skipped %s\n", qPrintable(line));
    else if (!summary.skipped.empty())
        std::printf("%s skipped (--verbose lists them)\n",
                    qPrintable(countOf(int(summary.skipped.size()), "entry", "entries")));

    if (summary.added.empty())
        return 0; // nothing to add; an empty list file is never written
    list.insert(list.end(), summary.added.begin(), summary.added.end());
    QString error;
    if (!writeFileAtomic(into, listFileBytes(list), &error))
        return fail(into + QStringLiteral(": ") + error);
    return 0;
}

int runExport(const QStringList &args)
{
    QStringList files;
    ExportOptions options;
    bool daysGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--export-ics"))
            continue;
        if (a == QLatin1String("--birthdays")) {
            options.allBirthdays = true;
        } else if (a == QLatin1String("--days") && i + 1 < args.size()) {
            bool ok = false;
            options.reminderDays = args[++i].toInt(&ok);
            if (!ok || options.reminderDays < 0 || options.reminderDays > 366)
                return usage(kExportSynopsis);
            daysGiven = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            return usage(kExportSynopsis);
        } else {
            files << a;
        }
    }
    if (files.size() != 2)
        return usage(kExportSynopsis);
    if (!daysGiven) {
        FileSettingsStore store(FileSettingsStore::defaultPath());
        bool ok = false;
        const int days = store.getSetting(QStringLiteral("Settings"), QStringLiteral("RemindBefore")).toInt(&ok);
        if (ok && days >= 0 && days <= 366)
            options.reminderDays = days;
    }
    const ListReadResult read = readListFile(files[0]);
    if (read.status == ListReadStatus::OldFormat)
        return fail(files[0] + QStringLiteral(": Convert file using DWE Converter before opening."));
    if (read.status != ListReadStatus::Ok)
        return fail(files[0] + QStringLiteral(": ") + read.error);
    const ExportResult out = exportICalendar(read.events, options);
    QString error;
    if (!writeFileAtomic(files[1], out.bytes, &error))
        return fail(files[1] + QStringLiteral(": ") + error);
    std::printf("Exported %s to %s\n", qPrintable(countOf(out.written, "event", "events")), qPrintable(files[1]));
    for (const QString &line : skippedLines(out.skipped))
        std::printf("  skipped %s\n", qPrintable(line));
    return 0;
}

} // namespace

CliMode importMode()
{
    return {QStringLiteral("--import"), QString::fromLatin1(kImportSynopsis),
            QStringLiteral("  Adds the birthdays and anniversaries of address books (.vcf) and the yearly all-day\n"
                           "  events of calendars (.ics) to a list file, creating it when missing. Events already\n"
                           "  in the list (same name and date) are skipped. --with-kind names them \"Ann's birthday\"\n"
                           "  rather than \"Ann\"; --verbose lists every skipped entry. Dates without a year get\n"
                           "  the year 1604. A file that cannot be read adds nothing."),
            runImport};
}

CliMode exportIcsMode()
{
    return {QStringLiteral("--export-ics"), QString::fromLatin1(kExportSynopsis),
            QStringLiteral("  Writes the events of a list file as yearly all-day calendar events with a reminder\n"
                           "  N days before (default: the saved reminder days). --birthdays files every event\n"
                           "  under the category Birthday. An existing calendar file is replaced."),
            runExport};
}

} // namespace dw
