#include "interop/ICalendar.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QSet>

#include <cstdlib>
#include <libical/ical.h>

namespace dw {

namespace {

// Marks the extra events written for a customised rule, and carries the rule itself, so that
// our own export reads back as the list it came from. Other programs keep X- properties.
const char *const kRuleProperty = "X-DATEWREN-RULE";
const char *const kPartProperty = "X-DATEWREN-PART";

QString xValue(icalcomponent *event, const char *name)
{
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
        const char *xname = icalproperty_get_x_name(p);
        if (xname && qstricmp(xname, name) == 0) {
            const char *v = icalproperty_get_x(p);
            return v ? QString::fromUtf8(v) : QString();
        }
    }
    return {};
}

bool hasX(icalcomponent *event, const char *name)
{
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
        const char *xname = icalproperty_get_x_name(p);
        if (xname && qstricmp(xname, name) == 0)
            return true;
    }
    return false;
}

QString oneLine(const char *text)
{
    if (!text)
        return {};
    QString s = QString::fromUtf8(text);
    for (QChar &c : s)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return s.simplified();
}

int arrayCount(const short *array, int size)
{
    int n = 0;
    while (n < size && array[n] != ICAL_RECURRENCE_ARRAY_MAX)
        ++n;
    return n;
}

bool isCategory(icalcomponent *event, const QString &wanted)
{
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY)) {
        const QStringList values = QString::fromUtf8(icalproperty_get_categories(p)).split(',');
        for (const QString &v : values)
            if (v.trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
                return true;
    }
    return false;
}

bool isRule(const QString &rule)
{
    static const QRegularExpression form(QStringLiteral("^\\d\\d/\\d\\d \\d\\d/\\d\\d \\d\\d/\\d\\d$"));
    return form.match(rule).hasMatch();
}

void readEvent(icalcomponent *event, const ImportOptions &options, ImportResult &result)
{
    if (hasX(event, kPartProperty))
        return; // written for another event's customised rule
    ++result.entries;
    const QString summary = oneLine(icalcomponent_get_summary(event));
    const QString who = summary.isEmpty() ? QStringLiteral("event without a title") : summary;
    auto skip = [&](const QString &reason) {
        ++result.entriesWithoutEvent;
        result.skipped.push_back({who, reason});
    };

    const icaltimetype start = icalcomponent_get_dtstart(event);
    if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start)) {
        skip(QStringLiteral("no start date"));
        return;
    }
    if (!start.is_date) {
        skip(QStringLiteral("not an all-day event"));
        return;
    }
    icalproperty *rruleProp = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (!rruleProp) {
        skip(QStringLiteral("does not repeat"));
        return;
    }
    const icalrecurrencetype rule = icalproperty_get_rrule(rruleProp);
    if (rule.freq != ICAL_YEARLY_RECURRENCE) {
        skip(QStringLiteral("does not repeat yearly"));
        return;
    }
    if (rule.interval > 1) {
        skip(QStringLiteral("repeats every %1 years").arg(rule.interval));
        return;
    }
    const int months = arrayCount(rule.by_month, ICAL_BY_MONTH_SIZE);
    const int monthDays = arrayCount(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE);
    const int yearDays = arrayCount(rule.by_year_day, ICAL_BY_YEARDAY_SIZE);
    if (months > 1 || monthDays > 1 || yearDays > 1 || arrayCount(rule.by_day, ICAL_BY_DAY_SIZE) > 0
        || arrayCount(rule.by_week_no, ICAL_BY_WEEKNO_SIZE) > 0) {
        skip(QStringLiteral("does not fall on one date a year"));
        return;
    }

    int year = start.year, month = start.month, day = start.day;
    if (yearDays == 1) {
        if (rule.by_year_day[0] != 60 || months + monthDays > 0) {
            skip(QStringLiteral("does not fall on one date a year"));
            return;
        }
        month = 2;
        day = 29; // the 60th day is 29 February in the years that have one
    } else {
        if (months == 1)
            month = rule.by_month[0];
        if (monthDays == 1) {
            const int d = rule.by_month_day[0];
            // Counted from the month's end, a day is fixed except in February, whose last
            // day is the 29th in the years that have it.
            const int length = QDate(kNoYear, qBound(1, month, 12), 1).daysInMonth();
            if (d == -1 && month == 2)
                day = 29;
            else if (d > 0)
                day = d;
            else if (d >= -28 && month != 2)
                day = length + 1 + d;
            else {
                skip(QStringLiteral("does not fall on one date a year"));
                return;
            }
        }
    }

    // A birthday calendar decorates its entries: a cake or rings in front, the birth year behind.
    QString name = summary;
    EventKind kind = isCategory(event, QStringLiteral("Birthday")) ? EventKind::Birthday : EventKind::Other;
    static const QString cake = QString::fromUcs4(U"\U0001F382");
    static const QString ring = QString::fromUcs4(U"\U0001F48D");
    if (name.startsWith(cake) || name.startsWith(ring)) {
        kind = name.startsWith(cake) ? EventKind::Birthday : EventKind::Anniversary;
        name = name.mid(2);
        if (name.startsWith(QChar(0xFE0F)))
            name = name.mid(1);
        name = name.trimmed();
    }
    static const QRegularExpression yearTail(QStringLiteral("^(.*\\S)\\s*\\((\\d{4})\\)$"));
    const QRegularExpressionMatch m = yearTail.match(name);
    if (m.hasMatch()) {
        name = m.captured(1);
        year = m.captured(2).toInt();
    }
    if (name.isEmpty()) {
        skip(QStringLiteral("no title"));
        return;
    }
    if (!QDate::isValid(year, month, day))
        year = 0; // e.g. 29 February given with a start in a common year
    if (!QDate::isValid(year == 0 ? kNoYear : year, month, day)) {
        skip(QStringLiteral("not a date"));
        return;
    }

    ImportedEvent out;
    out.kind = kind;
    out.record.name = importedName(name, kind, options.names);
    out.record.date = listDate(year, month, day);
    const QString description = oneLine(icalcomponent_get_description(event));
    out.record.address = description.isEmpty() ? kNoAddress : description;
    if (icalproperty *p = icalcomponent_get_first_property(event, ICAL_PRIORITY_PROPERTY))
        out.record.mark = icalproperty_get_priority(p) == 1 ? 1 : 0;
    const QString storedRule = xValue(event, kRuleProperty);
    if (isRule(storedRule))
        out.record.rule = storedRule;
    result.events.push_back(std::move(out));
}

void collectEvents(icalcomponent *component, const ImportOptions &options, ImportResult &result, int depth)
{
    if (depth > 8)
        return;
    for (icalcomponent *c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
        if (icalcomponent_isa(c) == ICAL_VEVENT_COMPONENT)
            readEvent(c, options, result);
        else if (icalcomponent_isa(c) == ICAL_VCALENDAR_COMPONENT)
            collectEvents(c, options, result, depth + 1);
    }
}

icaltimetype dateValue(const QDate &d)
{
    icaltimetype t = icaltime_null_date();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    t.is_date = 1;
    return t;
}

icalproperty *yearlyRule(const QDate &date)
{
    icalrecurrencetype r;
    icalrecurrencetype_clear(&r);
    r.freq = ICAL_YEARLY_RECURRENCE;
    if (date.month() == 2 && date.day() == 29) {
        // Most calendars then show the day on 28 February in common years.
        r.by_month[0] = 2;
        r.by_month[1] = ICAL_RECURRENCE_ARRAY_MAX;
        r.by_month_day[0] = -1;
        r.by_month_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
    }
    return icalproperty_new_rrule(r);
}

// A line break in a field would become one in the calendar; nothing we keep has one.
QByteArray utf8Line(const QString &text)
{
    QString s = text;
    for (QChar &c : s)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return s.toUtf8();
}

icalcomponent *newAllDayEvent(const QString &uid, const QString &summary, const QDate &first, const QDate &end,
                              const icaltimetype &stamp)
{
    icalcomponent *ev = icalcomponent_new_vevent();
    icalcomponent_add_property(ev, icalproperty_new_uid(utf8Line(uid).constData()));
    icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(ev, icalproperty_new_dtstart(dateValue(first)));
    icalcomponent_add_property(ev, icalproperty_new_dtend(dateValue(end)));
    icalcomponent_add_property(ev, yearlyRule(first));
    icalcomponent_add_property(ev, icalproperty_new_summary(utf8Line(summary).constData()));
    icalcomponent_add_property(ev, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    return ev;
}

void addX(icalcomponent *ev, const char *name, const QString &value)
{
    icalproperty *p = icalproperty_new_x(utf8Line(value).constData());
    icalproperty_set_x_name(p, name);
    icalcomponent_add_property(ev, p);
}

// A "dd/MM" field of a rule in the year that puts it on or before the event's own day: the
// previous year for a December date before a January event.
QDate ruleDate(const QString &field, const QDate &event)
{
    if (field == QLatin1String("00/00"))
        return {};
    const QDate d = QDate::fromString(field + QLatin1Char('/') + QString::number(event.year()).rightJustified(4, '0'),
                                      QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid())
        return {};
    if (d.month() == 12 && event.month() == 1)
        return d.addYears(-1);
    return d;
}

} // namespace

ImportResult readICalendar(const QByteArray &bytes, const ImportOptions &options)
{
    ImportResult result;
    result.calendar = true;
    icalerror_set_errors_are_fatal(0);
    // The parser wants a C string; a stray NUL byte ends the text there.
    const QByteArray text(bytes.constData(), qstrnlen(bytes.constData(), bytes.size()));
    icalcomponent *root = icalparser_parse_string(text.constData());
    icalerror_clear_errno();
    if (!root) {
        result.error = QStringLiteral("it is not a calendar that can be read");
        return result;
    }
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT || icalcomponent_isa(root) == ICAL_XROOT_COMPONENT) {
        collectEvents(root, options, result, 0);
        result.ok = true;
    } else {
        result.error = QStringLiteral("it is not a calendar (no VCALENDAR)");
    }
    icalcomponent_free(root);
    return result;
}

QString eventUid(const EventRecord &event)
{
    const QByteArray key = (event.name.toLower() + QLatin1Char('\n') + event.date).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(32))
           + QStringLiteral("@datewren");
}

ExportResult exportICalendar(const std::vector<EventRecord> &events, const ExportOptions &options)
{
    ExportResult result;
    icalcomponent *cal = icalcomponent_new_vcalendar();
    icalcomponent_add_property(cal, icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal, icalproperty_new_prodid("-//Datewren//Datewren//EN"));
    icalcomponent_add_property(cal, icalproperty_new_calscale("GREGORIAN"));
    const icaltimetype stamp = icaltime_from_timet_with_zone(QDateTime::currentSecsSinceEpoch(), 0,
                                                             icaltimezone_get_utc_timezone());
    QSet<QString> uids;
    for (size_t i = 0; i < events.size(); ++i) {
        const EventRecord &e = events[i];
        const QDate date = QDate::fromString(e.date, QStringLiteral("dd/MM/yyyy"));
        if (!date.isValid()) {
            result.skipped.push_back({e.name, QStringLiteral("date %1 is not a date").arg(e.date)});
            continue;
        }
        const QString uid = eventUid(e);
        if (uids.contains(uid)) {
            result.skipped.push_back({e.name, QStringLiteral("same name and date as an earlier event")});
            continue;
        }
        uids.insert(uid);
        icalcomponent *ev = newAllDayEvent(uid, e.name, date, date.addDays(1), stamp);
        const bool birthday = options.allBirthdays || (i < options.birthdays.size() && options.birthdays[i]);
        if (birthday)
            icalcomponent_add_property(ev, icalproperty_new_categories("Birthday"));
        if (e.address != kNoAddress && !e.address.trimmed().isEmpty())
            icalcomponent_add_property(ev, icalproperty_new_description(utf8Line(e.address).constData()));
        if (e.important())
            icalcomponent_add_property(ev, icalproperty_new_priority(1));
        if (e.rule != kDefaultRule && isRule(e.rule))
            addX(ev, kRuleProperty, e.rule);

        icalcomponent *alarm = icalcomponent_new_valarm();
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icalcomponent_add_property(alarm, icalproperty_new_description(utf8Line(e.name).constData()));
        icaltriggertype trigger;
        trigger.time = icaltime_null_time();
        trigger.duration = icaldurationtype_null_duration();
        trigger.duration.is_neg = 1;
        trigger.duration.days = static_cast<unsigned int>(qMax(0, options.reminderDays));
        icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
        icalcomponent_add_component(ev, alarm);
        icalcomponent_add_component(cal, ev);
        ++result.written;

        // The rule narrows when the program shows the event; a calendar cannot narrow an
        // event, so each part becomes a yearly event of its own on the days it names.
        if (!isRule(e.rule))
            continue;
        const QDate only = ruleDate(e.rule.left(5), date);
        if (only.isValid()) {
            icalcomponent *part = newAllDayEvent(uid.chopped(9) + QStringLiteral("-only-on@datewren"), e.name, only,
                                                 only.addDays(1), stamp);
            addX(part, kPartProperty, QStringLiteral("only-on"));
            icalcomponent_add_property(part, icalproperty_new_relatedto(utf8Line(uid).constData()));
            icalcomponent_add_component(cal, part);
        }
        const QDate from = ruleDate(e.rule.mid(6, 5), date);
        QDate to = ruleDate(e.rule.right(5), date);
        if (from.isValid() && to.isValid()) {
            if (to < from)
                to = to.addYears(1);
            icalcomponent *part = newAllDayEvent(uid.chopped(9) + QStringLiteral("-between@datewren"), e.name, from,
                                                 to.addDays(1), stamp);
            addX(part, kPartProperty, QStringLiteral("between"));
            icalcomponent_add_property(part, icalproperty_new_relatedto(utf8Line(uid).constData()));
            icalcomponent_add_component(cal, part);
        }
    }
    char *text = icalcomponent_as_ical_string_r(cal);
    result.bytes = QByteArray(text);
    std::free(text);
    icalcomponent_free(cal);
    return result;
}

} // namespace dw
