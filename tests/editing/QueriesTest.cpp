#include "core/events/EventList.h"
#include "core/events/Queries.h"

#include <gtest/gtest.h>

using namespace dw;

namespace {

Message box(const QString &text, const QString &title, Icon icon = Icon::None)
{
    return {text, title, icon, Buttons::Ok, Button::Ok};
}

Message none(const QString &text)
{
    return box(text, QStringLiteral("No Events"), Icon::Exclamation);
}

} // namespace

TEST(QueriesTest, TodayAndImportantLines)
{
    EventList list;
    const QDate today(2026, 3, 5);
    const Message empty = box("Number of events = 0", "Enter Some Events", Icon::Exclamation);
    EXPECT_EQ(todaysEvents(list, today), empty);
    EXPECT_EQ(nextDaysEvents(list, today, 5), empty);
    EXPECT_EQ(importantEvents(list), empty);

    list.append({"Ann", "05/03/1980", "ann@example.org", 1});
    list.append({"Bob", "06/03/2001", "-", 0});
    list.append({"Cy \"C\" Ünal", "05/03/2001", "-", 5});
    EXPECT_EQ(todaysEvents(list, today), box("1)  Ann    05/03/1980    ann@example.org\r\n"
                                             "2)  Cy \"C\" Ünal    05/03/2001    -\r\n",
                                             "Today's Events - 05/03/2026"));
    EXPECT_EQ(todaysEvents(list, QDate(2026, 3, 7)), none("There are no events today."));
    // Only the mark 1 counts as important.
    EXPECT_EQ(importantEvents(list),
              box("1)  Ann    05/03/1980    ann@example.org\r\n", "Important Events"));
    list.setMark(0, 0);
    EXPECT_EQ(importantEvents(list), none("There are no marked important events."));
}

TEST(QueriesTest, NextDaysInListOrderAcrossTheYear)
{
    EventList list;
    for (const char *d : {"07/03/1999", "05/03/2010", "08/03/2000", "06/03/2001"})
        list.append({QString::fromLatin1(d).right(4), QString::fromLatin1(d), "-", 0});
    EXPECT_EQ(nextDaysEvents(list, QDate(2026, 3, 5), 3),
              box("1)   1999    07/03/1999    -\r\n2)   2010    05/03/2010    -\r\n"
                  "3)   2001    06/03/2001    -\r\n",
                  "Events for next 3 days."));
    EXPECT_EQ(nextDaysEvents(list, QDate(2026, 3, 9), 7),
              none("There are no events for next 7 days."));

    EventList wrap;
    wrap.append({"New year", "02/01/1990", "-", 0});
    wrap.append({"Eve", "31/12/1990", "-", 0});
    EXPECT_EQ(nextDaysEvents(wrap, QDate(2026, 12, 30), 5).text,
              "1)   New year    02/01/1990    -\r\n2)   Eve    31/12/1990    -\r\n");
    EXPECT_EQ(nextDaysEvents(wrap, QDate(2026, 12, 30), 3).text, "1)   Eve    31/12/1990    -\r\n");
    // The window holds at most 30 days, whatever the box says.
    EXPECT_EQ(nextDaysEvents(wrap, QDate(2026, 12, 2), 99).text, "1)   Eve    31/12/1990    -\r\n");
    EXPECT_EQ(nextDaysCaption("7"), "Next 7 days");
}
