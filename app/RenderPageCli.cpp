#include "app/DesktopCli.h"
#include "app/PageCliArgs.h"
#include "desktop/PageRenderer.h"
#include "desktop/SetWallpaper.h"
#include "desktop/WallpaperPreferences.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsStore.h"

#include <QFileInfo>
#include <cstdio>

namespace dw {

namespace {

int renderPageCli(const QStringList &args)
{
    using namespace desktop;
    PictureCliArgs parsed;
    if (const auto bad = parsePictureCliArgs(args, QStringLiteral("--render-page"), 2, &parsed))
        return *bad;
    const QStringList &files = parsed.files;
    RenderRequest request;
    request.today = parsed.today;
    if (files.size() != 2)
        return cliFail(QStringLiteral("Usage: wrenpad --render-page PAGE.html IMAGE.png [--size WxH] [--today YYYY-MM-DD]"), 2);
    const FileSettingsStore store(FileSettingsStore::defaultPath());
    request.pagePath = files.at(0);
    qreal ratio = 1.0;
    const QSize size = pictureSize(store, &ratio);
    request.size = parsed.size;
    if (!request.size.isValid()) {
        request.size = size;
        request.pixelRatio = ratio;
    }
    request.monthPanelOpen = readWallpaperPreferences(store).monthPanelOpen;
    request.taskbarHeight = settingsFromStore(store).taskbarHeight.toInt();
    const RenderResult r = renderPage(request);
    if (r.image.isNull())
        return cliFail(r.error);
    if (!r.image.save(files.at(1), "PNG"))
        return cliFail(QStringLiteral("The picture could not be written to \"%1\".").arg(files.at(1)));
    return 0;
}

} // namespace

CliMode renderPageMode()
{
    return CliMode{
        QStringLiteral("--render-page"),
        QStringLiteral("--render-page PAGE.html IMAGE.png [--size WxH] [--today YYYY-MM-DD]"),
        QStringLiteral(
            "  Draws the written page PAGE.html into the PNG picture IMAGE.png, as the desktop shows it at rest:\n"
            "  blocks placed and revealed, animations settled, this month's panel open unless turned off on\n"
            "  the Others tab. Needs no display. --size: the picture's size in pixels (default: the largest\n"
            "  connected screen, else the one recorded at the last run in the session, else 1920x1080).\n"
            "  --today pins the page's date; without it the page shows today. Exit status 0 when the picture\n"
            "  was written, 1 with a message on stderr when not, 2 for bad arguments."),
        renderPageCli};
}

} // namespace dw
