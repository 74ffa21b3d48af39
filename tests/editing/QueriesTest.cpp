#include "core/events/EventList.h"
#include "core/events/Queries.h"

#include <gtest/gtest.h>

using namespace dw;

namespace {

void fill(EventList &list, std::initializer_list<EventRecord> rows)
{
    for (const auto &r : rows)
        list.append(r);
}

Message box(const QString &text, const QString &title)
{
    return {text, title, Icon::None, Buttons::Ok, Button::Ok};
}

Message none(const QString &text)
{
    return {text, QStringLiteral("No Events"), Icon::Exclamation, Buttons::Ok, Button::Ok};
}

} // namespace

TEST(QueriesTest, EmptyListAnswersTheSameForEveryQuery)
{
    EventList list;
    const Message empty{"Number of events = 0", "Enter Some Events", Icon::Exclamation,
                        Buttons::Ok, Button::Ok};
    EXPECT_EQ(todaysEvents(list, QDate(2026, 3, 5)), empty);
    EXPECT_EQ(nextDaysEvents(list, QDate(2026, 3, 5), 5), empty);
    EXPECT_EQ(importantEvents(list), empty);
}

TEST(QueriesTest, TodayAndImportantLines)
{
    EventList list;
    fill(list, {{"Ann", "05/03/1980", "ann@example.org", 1},
                {"Bob", "06/03/2001", "-", 0},
                {"Cy \"C\" Ünal", "05/03/2001", "-", 5}});
    EXPECT_EQ(todaysEvents(list, QDate(2026, 3, 5)),
              box("1)  Ann    05/03/1980    ann@example.org\r\n"
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
    fill(list, {{"Late", "07/03/1999", "-", 0},
                {"Early", "05/03/2010", "x", 0},
                {"Out", "08/03/2000", "-", 0},
                {"Mid", "06/03/2001", "-", 0}});
    EXPECT_EQ(nextDaysEvents(list, QDate(2026, 3, 5), 3),
              box("1)   Late    07/03/1999    -\r\n"
                  "2)   Early    05/03/2010    x\r\n"
                  "3)   Mid    06/03/2001    -\r\n",
                  "Events for next 3 days."));
    EXPECT_EQ(nextDaysEvents(list, QDate(2026, 3, 9), 7),
              none("There are no events for next 7 days."));

    EventList wrap;
    fill(wrap, {{"New year", "02/01/1990", "-", 0}, {"Eve", "31/12/1990", "-", 0}});
    EXPECT_EQ(nextDaysEvents(wrap, QDate(2026, 12, 30), 5),
              box("1)   New year    02/01/1990    -\r\n2)   Eve    31/12/1990    -\r\n",
                  "Events for next 5 days."));
    EXPECT_EQ(nextDaysEvents(wrap, QDate(2026, 12, 30), 3).text, "1)   Eve    31/12/1990    -\r\n");
    // The window holds at most 30 days, whatever the box says.
    EXPECT_EQ(nextDaysEvents(wrap, QDate(2026, 12, 2), 99).text, "1)   Eve    31/12/1990    -\r\n");
    EXPECT_EQ(nextDaysCaption("7"), "Next 7 days");
}
