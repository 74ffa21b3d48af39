#include "app/WritePreviewCli.h"

#include "app/PageCliArgs.h"
#include "page/preview/PreviewPage.h"
#include "platform/qt/QtFontCatalog.h"

#include <QDate>
#include <QLocale>
#include <cstdio>

namespace dw {

int writePreviewCli(const QStringList &args)
{
    PageCliArgs a;
    if (const auto code = parsePageCliArgs(args, QStringLiteral("--write-preview"), false, &a))
        return *code;
    if (a.output.isEmpty())
        return cliFail(QStringLiteral("Usage: wrenpad --write-preview FILE [--settings LOOK.dwt] [--today YYYY-MM-DD] [LIST.dwe]"), 2);
    const QDate today = a.today.isValid() ? a.today : QDate::currentDate();

    // Only the important marks of the list matter to the preview.
    bool important = false;
    if (!a.listPath.isEmpty()) {
        ListReadResult list;
        if (const auto code = readCliList(a.listPath, &list, ListParts::MarksOnly))
            return *code;
        important = list.anyImportant;
    }
    SettingsModel settings;
    if (const auto code = readCliSettings(a.settingsPath, &settings))
        return *code;

    QtFontCatalog fonts;
    fillEmptyPreviewFonts(settings, fonts.families());
    const QString text = previewPageText({settings, important, today, QLocale::system(), fonts});
    QString error;
    if (!writePreviewFile(a.output, text, &error))
        return cliFail(QStringLiteral("The preview could not be written to \"%1\".\n%2").arg(a.output, error));
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
