#pragma once

#include "desktop/DailySchedule.h"
#include "desktop/Tools.h"

#include <QProcessEnvironment>
#include <QStringList>
#include <functional>
#include <vector>

namespace dw {
class SettingsStore;
}

namespace dw::desktop {

// What one run of `wrenpad --daily` works with; steps add their report lines.
struct DailyContext {
    SettingsStore &store;
    QProcessEnvironment env;
    ToolRunner &tools;
    QStringList report;
    QStringList errors;
};

// One task of the daily job, switched on by a Preferences flag.
struct DailyStep {
    QString preferenceKey;
    QString name;
    std::function<bool(DailyContext &)> run; // false: the step failed (its reason in errors)
};

// The tasks, in the order they run. A new task is one more entry here; the schedule follows
// the flags of these entries by itself.
const std::vector<DailyStep> &dailySteps();

// True when any step's preference is on: then the timer and the login entry are wanted.
bool dailyJobWanted(const SettingsStore &store);

// Installs the schedule when any step is wanted, removes it otherwise.
ScheduleReport syncSchedule(const SettingsStore &store, DailySchedule &schedule);

// Stores the switch of one daily task, then installs or removes the schedule of `program` to
// match all the switches, running systemctl as found on env's PATH.
ScheduleReport switchDailyTask(SettingsStore &store, const QString &key, bool on, const QProcessEnvironment &env,
                               const QString &program);

// Records what the session shows (desktop, screen) for later thinner runs, then runs each
// step whose preference is on. Returns the exit code: 0 when every step ran well.
int runDailyJob(DailyContext &context);

} // namespace dw::desktop
