#include "app/WritePreviewCli.h"

#include "core/events/ListFile.h"
#include "core/settings/SettingsFile.h"
#include "page/preview/PreviewPage.h"
#include "platform/qt/QtFontCatalog.h"

#include <QDate>
#include <QLocale>
#include <cstdio>

namespace dw {

namespace {

int fail(const QString &message, int code = 1)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return code;
}

} // namespace

int writePreviewCli(const QStringList &args)
{
    QString previewPath, settingsPath, listPath;
    QDate today = QDate::currentDate();
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto value = [&](QString *out) {
            if (i + 1 >= args.size())
                return false;
            *out = args.at(++i);
            return true;
        };
        if (a == QLatin1String("--write-preview")) {
            if (!value(&previewPath))
                return fail(QStringLiteral("wrenpad: --write-preview needs the file to write"), 2);
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
        } else if (a.startsWith(QLatin1String("--")) || !listPath.isEmpty()) {
            return fail(QStringLiteral("wrenpad: unexpected argument \"%1\" (see wrenpad --help)").arg(a), 2);
        } else {
            listPath = a;
        }
    }
    if (previewPath.isEmpty())
        return fail(QStringLiteral("Usage: wrenpad --write-preview FILE [--settings LOOK.dwt] [--today YYYY-MM-DD] [LIST.dwe]"), 2);

    // Only the important marks of the list matter to the preview.
    bool important = false;
    if (!listPath.isEmpty()) {
        const ListReadResult list = readListFile(listPath);
        if (list.status == ListReadStatus::OldFormat)
            return fail(QStringLiteral("Convert file using DWE Converter before opening."));
        if (list.status != ListReadStatus::Ok)
            return fail(QStringLiteral("Cannot read \"%1\": %2").arg(listPath, list.error));
        for (const EventRecord &e : list.events)
            important = important || e.important();
    }

    SettingsModel settings;
    if (settingsPath.isEmpty()) {
        settings = settingsFromStore();
    } else {
        QString error;
        if (!settingsFromDwtFile(settingsPath, &settings, &error))
            return fail(QStringLiteral("Cannot read \"%1\": %2").arg(settingsPath, error));
    }

    QtFontCatalog fonts;
    fillEmptyPreviewFonts(settings, fonts.families());
    const QString text = previewPageText({settings, important, today, QLocale::system(), fonts});
    QString error;
    if (!writePreviewFile(previewPath, text, &error))
        return fail(QStringLiteral("The preview could not be written to \"%1\".\n%2").arg(previewPath, error));
    std::printf("%s\n", qPrintable(previewCaption(settings, important)));
    return 0;
}

CliMode writePreviewMode()
{
    return CliMode{
        QStringLiteral("--write-preview"),
        QStringLiteral("--write-preview FILE [--settings LOOK.dwt] [--today YYYY-MM-DD] [LIST.dwe]"),
        QStringLiteral(
            "  Writes the sample page of the Preview tab to FILE without opening a window, and prints\n"
            "  the parts it shows (the Preview panel's caption). The look comes from the saved settings,\n"
            "  or from LOOK.dwt applied over the defaults; LIST.dwe only decides whether the important\n"
            "  line is shown. --today pins the date shown (default: today). Exit status 0 when the file\n"
            "  was written, 1 with a message on stderr when it was not, 2 for bad arguments."),
        writePreviewCli};
}

} // namespace dw
