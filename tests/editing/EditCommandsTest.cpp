#include "core/events/EditCommands.h"
#include "core/events/Queries.h"
#include "tests/support/ScriptedPrompter.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace dw;

namespace {

struct Fixture {
    EventList list;
    dw::test::ScriptedPrompter prompter;
    FixedClock clock{2026, 3, 5};
    EditCommands cmd{list, prompter, clock};

    bool add(const QString &name, QDate date, const QString &address = "-", bool imp = false)
    {
        cmd.nameEdited(name);
        cmd.setDate(date);
        cmd.addressEdited(address);
        cmd.setImportant(imp);
        return cmd.add();
    }
};

Message box(const QString &text, const QString &title, Icon icon = Icon::None, Buttons b = Buttons::Ok)
{
    return {text, title, icon, b, b == Buttons::Ok ? Button::Ok : Button::No};
}

const QString kClear = QStringLiteral("Do you want to clear the whole list?");
Message none(const QString &text) { return box(text, QStringLiteral("No Events"), Icon::Exclamation); }

} // namespace

TEST(EditCommandsTest, AddChecksNamesAndDuplicates)
{
    Fixture f;
    QSignalSpy focus(&f.cmd, &EditCommands::focusRequested);
    EXPECT_FALSE(f.add("", QDate(2000, 1, 2)) || f.add("   ", QDate(2000, 1, 2)));
    EXPECT_TRUE(f.cmd.input().name.isEmpty());
    EXPECT_EQ(focus.size(), 2);

    ASSERT_TRUE(f.add("anniv", QDate(2000, 1, 2), "ann@example.org", true));
    EXPECT_EQ(f.list.at(0), (EventRecord{"anniv", "02/01/2000", "ann@example.org", 1, "00/00 00/00 00/00"}));
    EXPECT_EQ(f.list.selected(), 0);
    // Finishing resets the row and keeps the address as a choice.
    EXPECT_EQ(f.cmd.input().name + f.cmd.input().address + f.cmd.input().date.toString("dd/MM/yyyy")
                  + (f.cmd.input().important ? " ticked" : ""),
              "-05/03/2026");
    EXPECT_EQ(f.list.addressChoices(), QStringList{"ann@example.org"});

    EXPECT_FALSE(f.add("ANNIV", QDate(2000, 1, 2)));
    EXPECT_EQ(f.prompter.messages, std::vector<Message>{box("Already in the list!", kAppTitle, Icon::Exclamation)});
    EXPECT_EQ(f.cmd.input().name, "ANNIV"); // kept and selected for correcting
    EXPECT_TRUE(focus.last().at(1).toBool());
    EXPECT_TRUE(f.add("ANNIV", QDate(2001, 1, 2)));

    // Long names are kept; line breaks would split a list file entry.
    const QString longName = QString(2000, QChar(0x00e9)) + '"';
    EXPECT_TRUE(f.add(longName, QDate(2000, 5, 6), "a\r\nb"));
    EXPECT_EQ(f.list.at(2).name + f.list.at(2).address, longName + "a  b");
}

TEST(EditCommandsTest, ModifyResetsTheRuleAndKeepsTheMark)
{
    Fixture f;
    f.list.appendRows({{"Ann", "05/03/1980", "a@x", 1, "06/04 00/00 00/00"}, {"Bob", "06/03/2001"}, {"Cy", "31/02/1999"}});
    f.list.select(0);
    f.cmd.startModify(InputField::Date);
    EXPECT_EQ(f.cmd.input().date, QDate(1980, 3, 5));
    EXPECT_FALSE(f.cmd.add());
    // Same name and date as Bob: no duplicate test on Modify.
    f.cmd.nameEdited("Bob");
    f.cmd.setDate(QDate(2001, 3, 6));
    ASSERT_TRUE(f.cmd.modify());
    EXPECT_EQ(f.list.at(2), (EventRecord{"Bob", "06/03/2001", "a@x", 1, "00/00 00/00 00/00"}));
    EXPECT_EQ(f.list.selected(), 2);
    EXPECT_TRUE(f.prompter.messages.empty());

    // A date that is not one keeps the picker and says so.
    f.list.select(1);
    f.cmd.setDate(QDate(2020, 1, 1));
    f.cmd.startModify(InputField::Name);
    EXPECT_EQ(f.prompter.messages, std::vector<Message>{box("Invalid Date.", "Error", Icon::Critical)});
    EXPECT_EQ(f.cmd.input().date, QDate(2020, 1, 1));
    f.cmd.cancel();
    EXPECT_FALSE(f.list.editing());
    EXPECT_EQ(f.list.at(1).date, "31/02/1999");
    // The same message stops the Customise Event dialog for such a date.
    EXPECT_EQ(f.cmd.customiseRow(), -1);
    EXPECT_EQ(f.prompter.messages.size(), 2u);
}

TEST(EditCommandsTest, RemoveClearAndMark)
{
    Fixture f;
    const Message noItem = box("No item selected to remove!", "No item selected", Icon::Exclamation);
    f.cmd.remove();
    f.list.appendRows({{"Ann", "05/03/1980"}, {"Bob", "06/03/2001"}});
    f.cmd.remove();
    EXPECT_EQ(f.prompter.messages, (std::vector<Message>{noItem, noItem}));

    f.list.select(0);
    EXPECT_EQ(f.cmd.markCaption(false), "Mark as &Important");
    f.cmd.toggleMark();
    EXPECT_EQ(f.list.at(0).mark, 1);
    EXPECT_TRUE(f.cmd.input().importantRed);
    EXPECT_EQ(f.cmd.markCaption(true), "Unmark as Important");
    f.list.select(1);
    EXPECT_FALSE(f.cmd.input().importantRed);

    f.prompter.reset();
    f.prompter.answer(Button::No).answer(Button::Yes);
    f.cmd.clear();
    EXPECT_EQ(f.list.count(), 2);
    f.list.select(0);
    f.cmd.remove();
    EXPECT_EQ(f.list.at(0).name, "Bob");
    EXPECT_EQ(f.list.selected(), -1);
    f.cmd.clear();
    f.cmd.clear(); // empty: no question
    EXPECT_EQ(f.prompter.messages, (std::vector<Message>{box(kClear + " It contains marked events.", "Clear List", Icon::Critical, Buttons::YesNo),
                                                         box(kClear, "Clear List", Icon::Critical, Buttons::YesNo)}));
    EXPECT_TRUE(f.list.isEmpty() && f.list.addressChoices().isEmpty());
}

TEST(QueriesTest, TodayAndImportantLines)
{
    EventList list;
    const QDate today(2026, 3, 5);
    const Message empty = box("Number of events = 0", "Enter Some Events", Icon::Exclamation);
    EXPECT_EQ(todaysEvents(list, today), empty); // the three share the empty-list box

    list.appendRows({{"Ann", "05/03/1980", "ann@example.org", 1}, {"Bob", "06/03/2001"}, {"Cy \"C\" Ünal", "05/03/2001", "-", 5}});
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
    // None in the window: the main window's Show Events test reads that box.

    EventList wrap;
    wrap.appendRows({{"New year", "02/01/1990"}, {"Eve", "31/12/1990"}});
    EXPECT_EQ(nextDaysEvents(wrap, QDate(2026, 12, 30), 5).text,
              "1)   New year    02/01/1990    -\r\n2)   Eve    31/12/1990    -\r\n");
    EXPECT_EQ(nextDaysEvents(wrap, QDate(2026, 12, 30), 3).text, "1)   Eve    31/12/1990    -\r\n");
    // The window holds at most 30 days, whatever the box says.
    EXPECT_EQ(nextDaysEvents(wrap, QDate(2026, 12, 2), 99).text, "1)   Eve    31/12/1990    -\r\n");
}
