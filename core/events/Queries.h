#pragma once

#include "platform/Prompter.h"

#include <QDate>

namespace dw {

class EventList;

// The three "Show Events" answers. Each returns the one box to show: the result lines, the
// nothing-found message, or the empty-list message. Customised-date rules play no part.
Message todaysEvents(const EventList &list, QDate today);
// Events on one of the `days` days starting today, matched by day and month, so the window
// reaches into January at the end of December. At most 30 days are looked at.
Message nextDaysEvents(const EventList &list, QDate today, int days);
Message importantEvents(const EventList &list);

// The Show Events menu's caption for the next-days item: "Next 7 days".
QString nextDaysCaption(const QString &daysText);

} // namespace dw
