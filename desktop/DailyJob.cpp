#include "desktop/DailyJob.h"

#include "core/settings/SettingsStore.h"
#include "desktop/PictureStore.h"
#include "desktop/SetWallpaper.h"
#include "desktop/WallpaperBackend.h"
#include "desktop/WallpaperPreferences.h"

namespace dw::desktop {

namespace {

bool refreshWallpaper(DailyContext &c)
{
    const SetWallpaperOutcome outcome = setWallpaper({}, c.store, c.env, c.tools);
    (outcome.ok ? c.report : c.errors) << outcomeText(outcome);
    return outcome.ok;
}

void recordSession(DailyContext &c)
{
    // Only a run that sees the desktop itself may record it.
    if (c.env.value(QStringLiteral("XDG_CURRENT_DESKTOP")).isEmpty())
        return;
    if (const WallpaperBackend *backend = detectDesktop(c.env))
        setPreference(c.store, kSeenDesktopKey, backend->name());
    const QSize screen = connectedScreens().largest;
    if (screen.isValid())
        setPreference(c.store, kSeenScreenKey, sizeText(screen));
}

} // namespace

const std::vector<DailyStep> &dailySteps()
{
    static const std::vector<DailyStep> steps = {
        {kDailyWallpaperKey, QStringLiteral("wallpaper"), refreshWallpaper},
    };
    return steps;
}

bool dailyJobWanted(const SettingsStore &store)
{
    for (const DailyStep &step : dailySteps())
        if (preferenceFlag(store, step.preferenceKey, false))
            return true;
    return false;
}

ScheduleReport syncSchedule(const SettingsStore &store, DailySchedule &schedule)
{
    return dailyJobWanted(store) ? schedule.install() : schedule.remove();
}

int runDailyJob(DailyContext &context)
{
    recordSession(context);
    bool ok = true;
    bool any = false;
    for (const DailyStep &step : dailySteps()) {
        if (!preferenceFlag(context.store, step.preferenceKey, false))
            continue;
        any = true;
        ok = step.run(context) && ok;
    }
    if (!any)
        context.report << QStringLiteral("Nothing to do: no daily task is switched on.");
    return ok ? 0 : 1;
}

} // namespace dw::desktop
