#pragma once

#include "app/CliModes.h"
#include "app/DueCli.h"
#include "platform/linux/DesktopNotification.h"

namespace dw {

// The notification for what is due: summary "Today: A, B" (or "Coming up: C, D" when nothing
// is today), the lines of --due as its body, critical when an important event is today.
Notification dueNotification(const DueReport &report);

// wrenpad --notify [--days N] [--today YYYY-MM-DD] [LIST.dwe]; returns the exit code.
int notifyCli(const QStringList &args);
CliMode notifyMode();

} // namespace dw
