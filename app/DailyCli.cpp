#include "app/DesktopCli.h"
#include "app/PageCliArgs.h"
#include "core/settings/SettingsStore.h"
#include "desktop/DailyJob.h"
#include "desktop/WallpaperPreferences.h"

#include <QCoreApplication>
#include <cstdio>

namespace dw {

namespace {

int dailyCli(const QStringList &args)
{
    if (args.size() != 1)
        return cliFail(QStringLiteral("Usage: wrenpad --daily"), 2);
    const QProcessEnvironment env = desktopEnvironment();
    desktop::ProcessToolRunner tools(env);
    FileSettingsStore store(FileSettingsStore::defaultPath());
    desktop::DailyContext context{store, env, tools, {}, {}};
    const int code = desktop::runDailyJob(context);
    for (const QString &line : context.report)
        std::printf("%s\n", qPrintable(line));
    for (const QString &line : context.errors)
        std::fprintf(stderr, "%s\n", qPrintable(line));
    return code;
}

int dailyWallpaperCli(const QStringList &args)
{
    const qsizetype at = args.indexOf(QStringLiteral("--daily-wallpaper"));
    const QString value = args.value(at + 1);
    if (args.size() != 2 || (value != QLatin1String("on") && value != QLatin1String("off")))
        return cliFail(QStringLiteral("Usage: wrenpad --daily-wallpaper on|off"), 2);
    FileSettingsStore store(FileSettingsStore::defaultPath());
    const desktop::ScheduleReport report =
        desktop::switchDailyTask(store, desktop::kDailyWallpaperKey, value == QLatin1String("on"), desktopEnvironment(),
                                 QCoreApplication::applicationFilePath());
    for (const QString &line : report.lines)
        std::fprintf(report.ok ? stdout : stderr, "%s\n", qPrintable(line));
    return report.ok ? 0 : 1;
}

} // namespace

CliMode dailyMode()
{
    return CliMode{QStringLiteral("--daily"), QStringLiteral("--daily"),
                   QStringLiteral("  The daily job the timer and the login entry run: does each daily task switched on in the\n"
                                  "  preferences, in this order: refreshing the wallpaper (--daily-wallpaper on), then notifying\n"
                                  "  what is due as --notify does, for the list last used in the window (\"Notify me at login and\n"
                                  "  every morning\" on the Others tab). Exit status 0 when every task went well, else 1."),
                   dailyCli};
}

CliMode dailyWallpaperMode()
{
    return CliMode{
        QStringLiteral("--daily-wallpaper"), QStringLiteral("--daily-wallpaper on|off"),
        QStringLiteral("  Switches \"Refresh the wallpaper every day and at login\". On writes the systemd user timer and\n"
                       "  service datewren-wallpaper.timer/.service under $XDG_CONFIG_HOME/systemd/user/ and the login\n"
                       "  entry $XDG_CONFIG_HOME/autostart/datewren-wallpaper.desktop, all running wrenpad --daily, and\n"
                       "  enables the timer where a user manager answers; off removes them when no daily task is left."),
        dailyWallpaperCli};
}

} // namespace dw
