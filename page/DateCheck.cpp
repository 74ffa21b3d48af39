#include "page/DateCheck.h"

namespace dw {

namespace {

// Reads 1..maxDigits ASCII digits from pos; -1 when there are none or too many.
int readNumber(const QString &t, qsizetype &pos, int minDigits, int maxDigits)
{
    int value = 0;
    int digits = 0;
    while (pos < t.size() && t.at(pos).unicode() >= '0' && t.at(pos).unicode() <= '9') {
        if (++digits > maxDigits)
            return -1;
        value = value * 10 + (t.at(pos).unicode() - '0');
        ++pos;
    }
    return digits >= minDigits ? value : -1;
}

} // namespace

std::optional<QDate> parseDayFirstDate(const QString &text)
{
    qsizetype pos = 0;
    const int day = readNumber(text, pos, 1, 2);
    if (day < 0 || pos >= text.size())
        return std::nullopt;
    const QChar sep = text.at(pos);
    if (sep != QLatin1Char('/') && sep != QLatin1Char('.') && sep != QLatin1Char('-'))
        return std::nullopt;
    ++pos;
    const int month = readNumber(text, pos, 1, 2);
    if (month < 0 || pos >= text.size() || text.at(pos) != sep)
        return std::nullopt;
    ++pos;
    const int year = readNumber(text, pos, 4, 4);
    if (year < 0 || pos != text.size())
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid() || year == 0)
        return std::nullopt;
    return date;
}

int rewriteDates(std::vector<EventRecord> &rows)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::optional<QDate> d = parseDayFirstDate(rows[i].date);
        if (!d)
            return static_cast<int>(i);
        rows[i].date = QStringLiteral("%1/%2/%3")
                           .arg(d->day(), 2, 10, QLatin1Char('0'))
                           .arg(d->month(), 2, 10, QLatin1Char('0'))
                           .arg(d->year(), 4, 10, QLatin1Char('0'));
    }
    return -1;
}

} // namespace dw
