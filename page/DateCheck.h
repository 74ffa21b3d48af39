#pragma once

#include "core/events/EventRecord.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace dw {

// Reads a date written day first - day and month of one or two digits, a four-digit year,
// separated by "/", "." or "-" (the same one twice) - whatever the system's locale. Only real
// calendar dates are accepted.
std::optional<QDate> parseDayFirstDate(const QString &text);

// Rewrites every date to "dd/MM/yyyy" in list order. Stops at the first date that cannot be
// read and returns its row (rows before it stay rewritten); returns -1 when all were good.
int rewriteDates(std::vector<EventRecord> &rows);

} // namespace dw
