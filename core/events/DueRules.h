#pragma once

#include "core/events/EventRecord.h"

#include <QDate>
#include <optional>
#include <vector>

namespace dw {

// Which events are due on a day. The wallpaper page decides this in its own script; these are
// the same tests, so that the terminal, the notification and the page never disagree. The rows
// are the ones the page is written from: dates "dd/MM/yyyy", duplicates removed, sorted
// month-wise. `pageYear` is the year the page is written in, which fixes how long February is
// for windows that reach back into it.

// A rule the page uses: three "dd/MM" fields of digits. The page treats any other text as no
// rule, so that a damaged file cannot break its script.
bool wellFormedRule(const QString &rule);

// How many lines the page adds for this row when it is shown on `day`/`month`: 0, 1, or 2 when
// a rule's Only-on day also lies in its Between period.
int pageLinesFor(const EventRecord &row, int day, int month, int remindDays, int pageYear);

// The day the event falls on next, `from` included. In a year without 29 February an event on
// that day falls on the 28th, the last day the page shows it.
QDate nextOccurrence(const QString &date, QDate from);

// Years since the event's own year on `on`; none when that year is not before it or lies before
// 1900 (placeholders such as 0001 or 1800 stand for "year unknown").
std::optional<int> yearsOn(const QString &date, QDate on);

struct DueEvent {
    int row = 0;   // index into the rows
    QDate on;      // the event's next day
    int daysUntil = 0;
    std::optional<int> years;
};

// The events the page shows on `today`, in the page's order, each once.
std::vector<DueEvent> dueEvents(const std::vector<EventRecord> &rows, QDate today, int remindDays);

// "today", "tomorrow", "in 3 days".
QString howSoon(int daysUntil);

} // namespace dw
