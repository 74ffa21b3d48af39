#include "desktop/SetWallpaper.h"

#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsStore.h"
#include "desktop/PageRenderer.h"
#include "desktop/PictureStore.h"
#include "desktop/WallpaperBackend.h"
#include "desktop/WallpaperPreferences.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>

namespace dw::desktop {

namespace {

bool tryPortal(const QString &picture, bool lockScreen, SetWallpaperOutcome &outcome)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusInterface portal(QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
                          QStringLiteral("org.freedesktop.portal.Wallpaper"), bus);
    if (!portal.isValid())
        return false;
    portal.setTimeout(15000);
    QVariantMap options{{QStringLiteral("show-preview"), false},
                        {QStringLiteral("set-on"), lockScreen ? QStringLiteral("both") : QStringLiteral("background")}};
    const QDBusMessage reply = portal.call(QStringLiteral("SetWallpaperURI"), QString(),
                                           QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded), options);
    outcome.done << QStringLiteral("org.freedesktop.portal.Wallpaper.SetWallpaperURI (D-Bus)");
    if (reply.type() == QDBusMessage::ErrorMessage) {
        outcome.error += QStringLiteral("\nThe desktop portal refused: ") + reply.errorMessage();
        return false;
    }
    return true;
}

} // namespace

QProcessEnvironment toolEnvironment(QProcessEnvironment env)
{
    if (env.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")).isEmpty()) {
        const QString bus = env.value(QStringLiteral("XDG_RUNTIME_DIR")) + QStringLiteral("/bus");
        if (!env.value(QStringLiteral("XDG_RUNTIME_DIR")).isEmpty() && QFileInfo::exists(bus))
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=") + bus);
    }
    return env;
}

QSize pictureSize(const SettingsStore &store, qreal *ratio)
{
    bool ok = false;
    const qreal recordedRatio = getPreference(store, kSeenRatioKey).toDouble(&ok);
    *ratio = ok && recordedRatio >= 1.0 && recordedRatio <= 8.0 ? recordedRatio : 1.0;
    const QSize screen = connectedScreens().largest;
    if (screen.isValid())
        return screen;
    const QSize recorded = sizeFromText(getPreference(store, kSeenScreenKey));
    if (recorded.isValid())
        return recorded;
    return {1920, 1080};
}

SetWallpaperOutcome setWallpaper(const SetWallpaperRequest &request, const SettingsStore &store,
                                 const QProcessEnvironment &env, ToolRunner &tools)
{
    SetWallpaperOutcome outcome;
    const QString page = request.pagePath.isEmpty() ? getPreference(store, kLastPageKey) : request.pagePath;
    if (page.isEmpty()) {
        outcome.error = QStringLiteral("No page has been written yet. Press \"Create HTML\" first, or name the page: "
                                       "wrenpad --set-wallpaper PAGE.html");
        return outcome;
    }
    const WallpaperPreferences prefs = readWallpaperPreferences(store);
    RenderRequest render;
    render.pagePath = page;
    render.today = request.today;
    render.monthPanelOpen = prefs.monthPanelOpen;
    render.size = request.size.isValid() ? request.size : pictureSize(store, &render.pixelRatio);
    render.taskbarHeight = settingsFromStore(store).taskbarHeight.toInt();
    const RenderResult drawn = renderPage(render);
    if (drawn.image.isNull()) {
        outcome.error = drawn.error;
        return outcome;
    }
    PictureStore pictures(request.pictureFolder.isEmpty() ? PictureStore::defaultFolder() : request.pictureFolder);
    QString error;
    outcome.picture = pictures.save(drawn.image, QDateTime::currentDateTime(), &error);
    if (outcome.picture.isEmpty()) {
        outcome.error = QStringLiteral("The picture could not be saved in %1: %2").arg(pictures.folder(), error);
        return outcome;
    }
    pictures.cleanUp(2);

    const WallpaperBackend *backend = detectDesktop(env, getPreference(store, kSeenDesktopKey));
    outcome.desktop = backend ? backend->name() : seenDesktop(env);
    if (backend) {
        Picture picture{outcome.picture, prefs.lockScreen, connectedScreens().connectors};
        const ApplyResult applied = backend->apply(picture, tools);
        outcome.done = applied.done;
        if (applied.ok) {
            outcome.ok = true;
            return outcome;
        }
        outcome.error = applied.error;
    } else {
        outcome.error = QStringLiteral("No desktop this program knows was found (%1).").arg(outcome.desktop);
    }
    outcome.ok = tryPortal(outcome.picture, prefs.lockScreen, outcome);
    if (outcome.ok)
        outcome.error.clear();
    return outcome;
}

QString outcomeText(const SetWallpaperOutcome &outcome)
{
    if (outcome.ok) {
        QString text = QStringLiteral("Desktop: %1\nSet the wallpaper to %2").arg(outcome.desktop, outcome.picture);
        for (const QString &line : outcome.done)
            text += QStringLiteral("\n  ") + line;
        return text;
    }
    QString text = QStringLiteral("The wallpaper could not be set.\nDesktop: %1").arg(outcome.desktop.isEmpty() ? QStringLiteral("not looked for") : outcome.desktop);
    for (const QString &line : outcome.done)
        text += QStringLiteral("\nRan: ") + line;
    if (!outcome.error.isEmpty())
        text += QLatin1Char('\n') + outcome.error;
    if (!outcome.picture.isEmpty())
        text += QStringLiteral("\nThe picture is %1; you can set it by hand in your desktop's settings.").arg(outcome.picture);
    return text;
}

} // namespace dw::desktop
