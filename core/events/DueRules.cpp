#include "core/events/DueRules.h"

namespace dw {

namespace {

int twoDigits(QStringView text, qsizetype from)
{
    const QStringView s = text.mid(from, 2);
    if (s.size() != 2)
        return -1;
    return (s[0].unicode() - '0') * 10 + (s[1].unicode() - '0');
}

// The page's reminder window: N days ending on the event day, reaching back into the month
// before when the day of the month is smaller than N.
bool inWindow(int eventDay, int eventMonth, int day, int month, int n, int pageYear)
{
    if (eventDay - n >= 0)
        return day > eventDay - n && day < eventDay + 1 && month == eventMonth;
    const int prevMonth = eventMonth <= 1 ? 12 : std::min(eventMonth - 1, 12);
    const int prevDays = eventMonth <= 1 ? 31 : QDate(pageYear, prevMonth, 1).daysInMonth();
    const bool before = eventDay - n == -1 ? day == prevDays && month == prevMonth
                                           : day > prevDays - n + eventDay && month == prevMonth;
    return before || (day < eventDay + 1 && month == eventMonth);
}

} // namespace

bool wellFormedRule(const QString &rule)
{
    if (rule.size() != 17)
        return false;
    for (int i = 0; i < 17; ++i) {
        const char16_t ch = rule.at(i).unicode();
        const int inField = i % 6;
        const bool ok = inField == 2 ? ch == '/' : inField == 5 ? ch == ' ' : (ch >= '0' && ch <= '9');
        if (!ok)
            return false;
    }
    return true;
}

int pageLinesFor(const EventRecord &row, int day, int month, int remindDays, int pageYear)
{
    const QString &rule = row.rule;
    if (rule != kDefaultRule && wellFormedRule(rule)) {
        const QStringView r(rule);
        int lines = 0;
        if (r.left(5) != u"00/00" && day == twoDigits(r, 0) && month == twoDigits(r, 3))
            ++lines;
        if (r.right(5) != u"00/00") {
            const int m1 = twoDigits(r, 9), m2 = twoDigits(r, 15);
            const bool afterStart = day > twoDigits(r, 6) - 1 && month == m1;
            const bool beforeEnd = day < twoDigits(r, 12) + 1 && month == m2;
            // One month: both halves; across a month end (or the year's): either.
            if (m1 == m2 ? afterStart && beforeEnd : afterStart || beforeEnd)
                ++lines;
        }
        return lines;
    }
    const QStringView d(row.date);
    return inWindow(twoDigits(d, 0), twoDigits(d, 3), day, month, remindDays, pageYear) ? 1 : 0;
}

QDate nextOccurrence(const QString &date, QDate from)
{
    const int day = twoDigits(date, 0), month = twoDigits(date, 3);
    for (int year = from.year(); year <= from.year() + 1; ++year) {
        QDate on(year, month, day);
        if (!on.isValid() && month == 2 && day == 29)
            on = QDate(year, 2, 28);
        if (on.isValid() && on >= from)
            return on;
    }
    return {};
}

std::optional<int> yearsOn(const QString &date, QDate on)
{
    bool ok = false;
    const int year = QStringView(date).mid(6, 4).toInt(&ok);
    if (!ok || year < 1900 || year >= on.year())
        return std::nullopt;
    return on.year() - year;
}

std::vector<DueEvent> dueEvents(const std::vector<EventRecord> &rows, QDate today, int remindDays)
{
    std::vector<DueEvent> due;
    const int day = today.day(), month = today.month(), year = today.year();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (pageLinesFor(rows[i], day, month, remindDays, year) == 0)
            continue;
        DueEvent e;
        e.row = static_cast<int>(i);
        e.on = nextOccurrence(rows[i].date, today);
        e.daysUntil = e.on.isValid() ? static_cast<int>(today.daysTo(e.on)) : 0;
        e.years = e.on.isValid() ? yearsOn(rows[i].date, e.on) : std::nullopt;
        due.push_back(e);
    }
    return due;
}

QString howSoon(int daysUntil)
{
    if (daysUntil == 0)
        return QStringLiteral("today");
    if (daysUntil == 1)
        return QStringLiteral("tomorrow");
    return QStringLiteral("in %1 days").arg(daysUntil);
}

} // namespace dw
