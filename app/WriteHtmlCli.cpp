#include "app/WriteHtmlCli.h"

#include "app/PageCliArgs.h"
#include "core/events/Sort.h"
#include "core/settings/SettingsStore.h"
#include "page/DateCheck.h"
#include "page/OutputWarnings.h"
#include "page/PageWriter.h"
#include "page/compat/CompatScript.h"
#include "platform/Clock.h"
#include "platform/qt/QtFontCatalog.h"

#include <QDate>
#include <cstdio>

namespace dw {

int writeHtmlCli(const QStringList &args)
{
    PageCliArgs a;
    if (const auto code = parsePageCliArgs(args, QStringLiteral("--write-html"), true, &a))
        return *code;
    if (a.output.isEmpty() || a.listPath.isEmpty())
        return cliFail(QStringLiteral("Usage: wrenpad --write-html PAGE.html [--settings LOOK.dwt] [--today YYYY-MM-DD] LIST.dwe"), 2);

    ListReadResult list;
    if (const auto code = readCliList(a.listPath, &list))
        return *code;
    std::vector<EventRecord> rows = std::move(list.events);
    if (rows.empty())
        return cliFail(QStringLiteral("Nothing to write!"));
    SettingsModel settings;
    if (const auto code = readCliSettings(a.settingsPath, &settings))
        return *code;

    // The same steps as "Create HTML", on a copy: the list file stays as it is.
    // The list is still in file order here, so the event's place gives the line of its date.
    const int bad = rewriteDates(rows);
    if (bad >= 0)
        return cliFail(QStringLiteral("Invalid date found for %1 (line %2: \"%3\")")
                           .arg(rows[static_cast<size_t>(bad)].name)
                           .arg(qint64(bad) * 5 + 2)
                           .arg(rows[static_cast<size_t>(bad)].date));
    rows = withoutDuplicates(rows);
    sortRecords(rows, SortKind::Monthwise);

    const QString warnings = outputWarnings(settings);
    if (!warnings.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(warnings));

    SystemClock systemClock;
    FixedClock fixedClock(a.today.isValid() ? a.today.year() : 2000, a.today.isValid() ? a.today.month() : 1,
                          a.today.isValid() ? a.today.day() : 1);
    const Clock &clock = a.today.isValid() ? static_cast<const Clock &>(fixedClock) : systemClock;
    QtFontCatalog fonts;
    const bool compat = a.compat ? *a.compat
                                 : browserCompatPreference(FileSettingsStore(FileSettingsStore::defaultPath()));
    const PageInput input{rows, settings, fonts, clock.now(), browserCompatOptions(compat)};
    const PageWriteResult result = writePageFile(a.output, input);
    if (!result.ok)
        return cliFail(QStringLiteral("The page could not be written to \"%1\".\n%2").arg(a.output, result.error));
    return 0;
}

} // namespace dw

namespace dw {

CliMode writeHtmlMode()
{
    return CliMode{
        QStringLiteral("--write-html"),
        QStringLiteral("--write-html PAGE.html [--settings LOOK.dwt] [--today YYYY-MM-DD] [--[no-]browser-compat] LIST.dwe"),
        QStringLiteral(
            "  Writes the wallpaper page PAGE.html from the list file LIST.dwe without opening a window.\n"
            "  The look comes from the saved settings, or from LOOK.dwt applied over the defaults (the\n"
            "  saved settings are not touched). As \"Create HTML\" does, dates are checked and rewritten,\n"
            "  duplicates removed and the events sorted month-wise - in memory; LIST.dwe is not changed.\n"
            "  --today pins the date the page is written for (its title, February's length).\n"
            "  --browser-compat adds the script that lets current browsers run the page, --no-browser-compat\n"
            "  leaves it out; without either the saved preference decides (on unless turned off).\n"
            "  Output warnings are printed on stderr; the page is still written. Exit status 0 when the\n"
            "  page was written, 1 with a message on stderr when it was not, 2 for bad arguments."),
        writeHtmlCli};
}

} // namespace dw
