#include "core/events/CustomRule.h"

#include <QRegularExpression>

namespace dw {

namespace {

const QString kUnset = QStringLiteral("00/00");
constexpr int kWindowDays = 24;

QString dayMonthText(QDate d)
{
    return d.toString(QStringLiteral("dd/MM"));
}

bool unset(const QString &field)
{
    return field == kUnset || field.trimmed().isEmpty();
}

} // namespace

QDate parseDayMonth(const QString &text, int year)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(year, m.captured(2).toInt(), m.captured(1).toInt());
}

QString reformatDayMonth(const QString &text, int year)
{
    const QDate d = parseDayMonth(text, year);
    return d.isValid() ? dayMonthText(d) : text;
}

QDate parseEventDate(const QString &text)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

RuleFields splitRule(const QString &rule)
{
    return {rule.left(5), rule.mid(6, 5), rule.right(5)};
}

CustomRuleEditor::CustomRuleEditor(const QString &eventDate, QDate today) : year_(today.year())
{
    // Only the day and month of the event matter; its own year may be any.
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})(/|\\s*$)"));
    const auto m = re.match(eventDate);
    if (!m.hasMatch())
        return;
    const int day = m.captured(1).toInt();
    const int month = m.captured(2).toInt();
    eventDay_ = QDate(year_, month, day);
    // A leap-day event is announced on the last day of February in the other years.
    if (!eventDay_.isValid() && day == 29 && month == 2)
        eventDay_ = QDate(year_, 2, 28);
}

WhenForm CustomRuleEditor::openForm(const QString &rule)
{
    const RuleFields f = splitRule(rule);
    WhenForm form;
    if (!unset(f.from) && !unset(f.to)) {
        form.between = true;
        form.fromText = f.from;
        form.toText = f.to;
    }
    if (!unset(f.only)) {
        form.only = true;
        form.onlyText = f.only;
    }
    return form;
}

QString CustomRuleEditor::hint() const
{
    if (!valid())
        return QString();
    return QStringLiteral("All dates between ") + dayMonthText(eventDay_.addDays(-kWindowDays))
           + QStringLiteral(" & ") + dayMonthText(eventDay_);
}

QDate CustomRuleEditor::impliedDay(const QString &text) const
{
    QDate d = parseDayMonth(text, year_);
    if (d.isValid() && eventDay_.month() == 1 && d.month() == 12)
        d = d.addYears(-1);
    return d;
}

WhenField CustomRuleEditor::apply(WhenForm &form, QString &rule) const
{
    QString onlyField = kUnset;
    QDate onlyDay;
    if (form.only) {
        form.onlyText = reformatDayMonth(form.onlyText, year_);
        onlyDay = impliedDay(form.onlyText);
        if (!valid() || !onlyDay.isValid())
            return WhenField::Only;
        const qint64 d = eventDay_.daysTo(onlyDay);
        if (d < -kWindowDays || d > 0)
            return WhenField::Only;
        onlyField = form.onlyText;
    }

    if (!form.between) {
        rule = onlyField + QStringLiteral(" 00/00 00/00");
        return WhenField::None;
    }

    form.fromText = reformatDayMonth(form.fromText, year_);
    const QDate start = impliedDay(form.fromText);
    if (!valid() || !start.isValid())
        return WhenField::From;
    form.toText = reformatDayMonth(form.toText, year_);
    const QDate end = impliedDay(form.toText);
    if (!end.isValid())
        return WhenField::To;
    const bool januaryEvent = eventDay_.month() == 1;
    if (januaryEvent && start.month() == 12 && eventDay_.daysTo(start) < -kWindowDays)
        return WhenField::From;
    if (januaryEvent && end.month() == 12) {
        if (eventDay_.daysTo(end) < -kWindowDays)
            return WhenField::To;
    } else {
        if (eventDay_.daysTo(start) < -kWindowDays)
            return WhenField::From;
        if (eventDay_.daysTo(end) > 0)
            return WhenField::To;
    }

    // Start and end are compared in the years the event implies, so a period across the turn
    // of the year is ordered correctly and treated like any other.
    if (start > end)
        return WhenField::From;
    if (start == end)
        return WhenField::To;
    // The page would announce the event twice on an Only-on day at or after the start.
    if (form.only && onlyDay >= start) {
        form.only = false;
        onlyField = kUnset;
    }

    rule = onlyField + QLatin1Char(' ') + form.fromText + QLatin1Char(' ') + form.toText;
    return WhenField::None;
}

QString elideCaption(const QString &text, double maxWidth,
                     const std::function<double(const QString &)> &width, bool *elided)
{
    if (elided)
        *elided = false;
    if (width(text) < maxWidth)
        return text;
    if (elided)
        *elided = true;
    const QString dots = QStringLiteral("...");
    // Widths grow with the number of characters kept, so the longest fitting beginning can be
    // found by halving instead of trying every length.
    qsizetype lo = 0;
    qsizetype hi = text.size() - 1;
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (width(text.left(mid) + dots) < maxWidth)
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo > 0 && text.at(lo - 1).isHighSurrogate())
        --lo;
    return text.left(lo) + dots;
}

} // namespace dw
