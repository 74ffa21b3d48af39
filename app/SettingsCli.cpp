#include "app/SettingsCli.h"

#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsStore.h"

#include <QFileInfo>
#include <cstdio>

namespace dw {

namespace {

// The file named after the option, or an empty text when the arguments are not just that.
QString fileArgument(const QStringList &args, const QString &option)
{
    const qsizetype at = args.indexOf(option);
    if (args.size() != 2 || at != 0)
        return {};
    return args.at(1);
}

int usage(const QString &option)
{
    std::fprintf(stderr, "wrenpad: usage: wrenpad %s FILE.dwt\n", qPrintable(option));
    return 2;
}

int report(const QString &error, const QString &success)
{
    if (!error.isEmpty()) {
        std::fprintf(stderr, "wrenpad: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(success));
    return 0;
}

} // namespace

CliMode exportSettingsMode()
{
    static const QString option = QStringLiteral("--export-settings");
    return {option, QStringLiteral("--export-settings FILE.dwt"),
            QStringLiteral("  Writes the saved settings to a settings file, as \"Save Current Settings to File...\"\n"
                           "  would right after start-up. An existing file is replaced."),
            [](const QStringList &args) {
                const QString path = fileArgument(args, option);
                if (path.isEmpty())
                    return usage(option);
                FileSettingsStore store(FileSettingsStore::defaultPath());
                int count = 0;
                const QString error = exportSavedSettingsTo(path, store, &count);
                return report(error, QStringLiteral("Wrote %1 settings to %2").arg(count).arg(path));
            }};
}

CliMode importSettingsMode()
{
    static const QString option = QStringLiteral("--import-settings");
    return {option, QStringLiteral("--import-settings FILE.dwt"),
            QStringLiteral("  Stores every pair of a settings file as the saved settings, as \"Get Settings From\n"
                           "  File...\" does; the next start shows them."),
            [](const QStringList &args) {
                const QString path = fileArgument(args, option);
                if (path.isEmpty())
                    return usage(option);
                FileSettingsStore store(FileSettingsStore::defaultPath());
                int count = 0;
                const QString error = importSettingsFrom(path, store, &count);
                return report(error, QStringLiteral("Stored %1 settings from %2").arg(count).arg(path));
            }};
}

} // namespace dw
