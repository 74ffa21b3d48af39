#include "core/events/Queries.h"

#include "core/events/EventList.h"

#include <QSet>
#include <algorithm>

namespace dw {

namespace {

constexpr int kMaxWindowDays = 30;

Message emptyList()
{
    return {QStringLiteral("Number of events = 0"), QStringLiteral("Enter Some Events"),
            Icon::Exclamation, Buttons::Ok, Button::Ok};
}

Message nothingFound(const QString &text)
{
    return {text, QStringLiteral("No Events"), Icon::Exclamation, Buttons::Ok, Button::Ok};
}

// `gap` follows the number: two blanks for Today and Important, three for the next days.
template<typename Pred>
Message collect(const EventList &list, const QString &gap, const QString &title,
                const QString &none, Pred listed)
{
    if (list.isEmpty())
        return emptyList();
    QString text;
    int n = 0;
    const QString spacing = QStringLiteral("    ");
    for (const EventRecord &e : list.rows()) {
        if (!listed(e))
            continue;
        text += QString::number(++n) + gap + e.name + spacing + e.date + spacing + e.address
                + QStringLiteral("\r\n");
    }
    if (n == 0)
        return nothingFound(none);
    return {text, title, Icon::None, Buttons::Ok, Button::Ok};
}

} // namespace

Message todaysEvents(const EventList &list, QDate today)
{
    const QString key = today.toString(QStringLiteral("dd/MM"));
    return collect(list, QStringLiteral(")  "),
                   QStringLiteral("Today's Events - ") + today.toString(QStringLiteral("dd/MM/yyyy")),
                   QStringLiteral("There are no events today."),
                   [&](const EventRecord &e) { return e.date.left(5) == key; });
}

Message nextDaysEvents(const EventList &list, QDate today, int days)
{
    QSet<QString> window;
    for (int j = 0; j < std::min(days, kMaxWindowDays); ++j)
        window.insert(today.addDays(j).toString(QStringLiteral("dd/MM")));
    const QString n = QString::number(days);
    return collect(list, QStringLiteral(")   "),
                   QStringLiteral("Events for next ") + n + QStringLiteral(" days."),
                   QStringLiteral("There are no events for next ") + n + QStringLiteral(" days."),
                   [&](const EventRecord &e) { return window.contains(e.date.left(5)); });
}

Message importantEvents(const EventList &list)
{
    return collect(list, QStringLiteral(")  "), QStringLiteral("Important Events"),
                   QStringLiteral("There are no marked important events."),
                   [](const EventRecord &e) { return e.important(); });
}

QString nextDaysCaption(const QString &daysText)
{
    return QStringLiteral("Next ") + daysText + QStringLiteral(" days");
}

} // namespace dw
