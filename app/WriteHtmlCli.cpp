#include "app/WriteHtmlCli.h"

#include "core/events/ListFile.h"
#include "core/events/Sort.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsStore.h"
#include "page/DateCheck.h"
#include "page/OutputWarnings.h"
#include "page/PageWriter.h"
#include "page/compat/CompatScript.h"
#include "platform/Clock.h"
#include "platform/qt/QtFontCatalog.h"

#include <QDate>
#include <optional>
#include <cstdio>

namespace dw {

namespace {

int fail(const QString &message, int code = 1)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return code;
}

} // namespace

int writeHtmlCli(const QStringList &args)
{
    QString pagePath, settingsPath, listPath;
    QDate today;
    std::optional<bool> compat; // unset: the user's saved preference decides
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto value = [&](QString *out) {
            if (i + 1 >= args.size())
                return false;
            *out = args.at(++i);
            return true;
        };
        if (a == QLatin1String("--write-html")) {
            if (!value(&pagePath))
                return fail(QStringLiteral("wrenpad: --write-html needs the page path"), 2);
        } else if (a == QLatin1String("--settings")) {
            if (!value(&settingsPath))
                return fail(QStringLiteral("wrenpad: --settings needs a settings file"), 2);
        } else if (a == QLatin1String("--today")) {
            QString text;
            if (!value(&text))
                return fail(QStringLiteral("wrenpad: --today needs a date YYYY-MM-DD"), 2);
            today = QDate::fromString(text, Qt::ISODate);
            if (!today.isValid())
                return fail(QStringLiteral("wrenpad: --today wants a date YYYY-MM-DD, not \"%1\"").arg(text), 2);
        } else if (a == QLatin1String("--browser-compat")) {
            compat = true;
        } else if (a == QLatin1String("--no-browser-compat")) {
            compat = false;
        } else if (a.startsWith(QLatin1String("--")) || !listPath.isEmpty()) {
            return fail(QStringLiteral("wrenpad: unexpected argument \"%1\" (see wrenpad --help)").arg(a), 2);
        } else {
            listPath = a;
        }
    }
    if (pagePath.isEmpty() || listPath.isEmpty())
        return fail(QStringLiteral("Usage: wrenpad --write-html PAGE.html [--settings LOOK.dwt] [--today YYYY-MM-DD] LIST.dwe"), 2);

    ListReadResult list = readListFile(listPath);
    if (list.status == ListReadStatus::OldFormat)
        return fail(QStringLiteral("Convert file using DWE Converter before opening."));
    if (list.status != ListReadStatus::Ok)
        return fail(QStringLiteral("Cannot read \"%1\": %2").arg(listPath, list.error));
    std::vector<EventRecord> &rows = list.events;
    if (rows.empty())
        return fail(QStringLiteral("Nothing to write!"));

    SettingsModel settings;
    if (settingsPath.isEmpty()) {
        settings = settingsFromStore();
    } else {
        QString error;
        if (!settingsFromDwtFile(settingsPath, &settings, &error))
            return fail(QStringLiteral("Cannot read \"%1\": %2").arg(settingsPath, error));
    }

    // The same steps as "Create HTML", on a copy: the list file stays as it is.
    const int bad = rewriteDates(rows);
    if (bad >= 0)
        return fail(QStringLiteral("Invalid date found for ") + rows[static_cast<size_t>(bad)].name);
    rows = withoutDuplicates(rows);
    sortRecords(rows, SortKind::Monthwise);

    const QString warnings = outputWarnings(settings);
    if (!warnings.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(warnings));

    SystemClock systemClock;
    FixedClock fixedClock(today.isValid() ? today.year() : 2000, today.isValid() ? today.month() : 1,
                          today.isValid() ? today.day() : 1);
    const Clock &clock = today.isValid() ? static_cast<const Clock &>(fixedClock) : systemClock;
    QtFontCatalog fonts;
    if (!compat)
        compat = browserCompatPreference(FileSettingsStore(FileSettingsStore::defaultPath()));
    const PageInput input{rows, settings, fonts, clock.now(), browserCompatOptions(*compat)};
    const PageWriteResult result = writePageFile(pagePath, input);
    if (!result.ok)
        return fail(QStringLiteral("The page could not be written to \"%1\".\n%2").arg(pagePath, result.error));
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
