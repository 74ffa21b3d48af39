#pragma once

#include "interop/Import.h"

namespace dw {

// Reads birthdays and anniversaries from an address book (vCard 2.1, 3.0 and 4.0, one or many
// cards). Only the few properties we need are decoded; the rest, photos included, are stepped
// over without copying their values.
ImportResult readVCards(const QByteArray &bytes, const ImportOptions &options);

// A vCard date value as day, month and year (0 when the value has none). Accepts 1996-04-15,
// 19960415, date-times (the time and its zone are ignored: a birthday is a calendar date, not
// an instant), --0415 and --04-15. omitYear is X-APPLE-OMIT-YEAR's value, 0 for none.
struct VCardDate {
    bool ok = false;
    int year = 0, month = 0, day = 0;
};
VCardDate parseVCardDate(const QString &value, int omitYear = 0);

} // namespace dw
