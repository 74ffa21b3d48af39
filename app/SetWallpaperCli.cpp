#include "app/DesktopCli.h"
#include "app/PageCliArgs.h"
#include "core/settings/SettingsStore.h"
#include "desktop/SetWallpaper.h"
#include "desktop/WallpaperPreferences.h"

#include <cstdio>

namespace dw {

QProcessEnvironment desktopEnvironment()
{
    QProcessEnvironment env = desktop::toolEnvironment(QProcessEnvironment::systemEnvironment());
    // Our own D-Bus calls (Plasma, the portal) read the variable from the process.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") && env.contains(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")))
        qputenv("DBUS_SESSION_BUS_ADDRESS", env.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")).toUtf8());
    return env;
}

std::optional<int> parsePictureCliArgs(const QStringList &args, const QString &modeOption, qsizetype maxFiles,
                                       PictureCliArgs *out)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == modeOption)
            continue;
        if (a == QLatin1String("--size") || a == QLatin1String("--today")) {
            if (i + 1 >= args.size())
                return cliFail(QStringLiteral("wrenpad: %1 needs a value").arg(a), 2);
            const QString v = args.at(++i);
            if (a == QLatin1String("--size")) {
                out->size = desktop::sizeFromText(v);
                if (!out->size.isValid())
                    return cliFail(QStringLiteral("wrenpad: --size wants WIDTHxHEIGHT, not \"%1\"").arg(v), 2);
            } else {
                out->today = QDate::fromString(v, Qt::ISODate);
                if (!out->today.isValid())
                    return cliFail(QStringLiteral("wrenpad: --today wants a date YYYY-MM-DD, not \"%1\"").arg(v), 2);
            }
        } else if (a.startsWith(QLatin1String("--")) || out->files.size() == maxFiles) {
            return cliFail(QStringLiteral("wrenpad: unexpected argument \"%1\" (see wrenpad --help)").arg(a), 2);
        } else {
            out->files << a;
        }
    }
    return std::nullopt;
}

namespace {

int setWallpaperCli(const QStringList &args)
{
    using namespace desktop;
    PictureCliArgs parsed;
    if (const auto bad = parsePictureCliArgs(args, QStringLiteral("--set-wallpaper"), 1, &parsed))
        return *bad;
    SetWallpaperRequest request;
    request.pagePath = parsed.files.value(0);
    request.size = parsed.size;
    request.today = parsed.today;
    const QProcessEnvironment env = desktopEnvironment();
    ProcessToolRunner tools(env);
    const FileSettingsStore store(FileSettingsStore::defaultPath());
    const SetWallpaperOutcome outcome = setWallpaper(request, store, env, tools);
    if (!outcome.ok)
        return cliFail(outcomeText(outcome));
    std::printf("%s\n", qPrintable(outcomeText(outcome)));
    return 0;
}

} // namespace

CliMode setWallpaperMode()
{
    return CliMode{
        QStringLiteral("--set-wallpaper"),
        QStringLiteral("--set-wallpaper [PAGE.html] [--size WxH] [--today YYYY-MM-DD]"),
        QStringLiteral(
            "  Draws the page (default: the last page \"Create HTML\" wrote) into a new picture in\n"
            "  $XDG_DATA_HOME/Datewren/wallpaper/ and sets it as the wallpaper of the running desktop (GNOME\n"
            "  and its relatives, KDE Plasma, XFCE, Cinnamon, MATE, LXQt, LXDE, sway, Hyprland, other X11\n"
            "  sessions; the desktop portal as the last try). Prints the desktop found and what was done.\n"
            "  Exit status 0 when the wallpaper was set, 1 with what was tried and where the picture is."),
        setWallpaperCli};
}

} // namespace dw
