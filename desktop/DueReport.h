#pragma once

#include "core/events/DueRules.h"
#include "core/settings/SettingsModel.h"
#include "platform/linux/DesktopNotification.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <vector>

namespace dw {

class SettingsStore;

// Which list, reminder window and day a report of what is due is made for.
struct DueRequest {
    std::optional<int> days; // unset: the saved RemindBefore
    QDate today;             // invalid: the system clock
    QString listPath;        // empty: the list last opened or saved in the window
};

// The list as the page is written from it, and what is due.
struct DueReport {
    std::vector<EventRecord> rows;
    std::vector<DueEvent> due;
    SettingsModel settings;
    QDate today;
    QStringList leftOut; // one line for each event whose date cannot be read
};

// Reads the list and the saved look and works out what is due. Returns why when it cannot.
std::optional<QString> makeDueReport(const DueRequest &request, const SettingsStore &store, DueReport *out);

// One line of the report: "* 12/03/1986  Grace Hopper - today, 40 years" ("*" for important
// events, two blanks otherwise). Control characters in the name become blanks.
QString dueLine(const DueReport &report, const DueEvent &due);

// The notification for what is due: summary "Today: A, B" (or "Coming up: C, D" when nothing
// is today), the report's lines as its body, critical when an important event is today.
Notification dueNotification(const DueReport &report);

// Shows the notification when anything is due. Returns why nothing could be shown.
std::optional<QString> notifyDue(const DueReport &report);

} // namespace dw
