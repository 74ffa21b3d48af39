#include "desktop/DailyJob.h"

#include "core/settings/SettingsStore.h"
#include "desktop/DueReport.h"
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

// What --notify does, for the list last used in the window and the saved reminder window.
bool notifyWhatIsDue(DailyContext &c)
{
    DueReport report;
    if (const std::optional<QString> error = makeDueReport({}, c.store, &report)) {
        c.errors << *error;
        return false;
    }
    c.errors << report.leftOut;
    if (const std::optional<QString> error = notifyDue(report)) {
        c.errors << *error;
        return false;
    }
    c.report << (report.due.empty() ? QStringLiteral("Nothing is due: no notification.")
                                    : QStringLiteral("Notification shown: ") + dueNotification(report).summary);
    return true;
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
        {QLatin1String(kNotifyDailyKey), QStringLiteral("notification"), notifyWhatIsDue},
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

ScheduleReport switchDailyTask(SettingsStore &store, const QString &key, bool on, const QProcessEnvironment &env,
                               const QString &program)
{
    if (!setPreferenceFlag(store, key, on))
        return {false, {QStringLiteral("The preference could not be saved. ") + store.saveError()}};
    ProcessToolRunner tools(env);
    DailySchedule schedule(configHomeOf(env), program, tools);
    return syncSchedule(store, schedule);
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
