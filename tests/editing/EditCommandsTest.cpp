#include "core/events/EditCommands.h"
#include "core/events/Queries.h"
#include "tests/support/ScriptedPrompter.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace dw;

namespace {

struct EditCommandsTest : ::testing::Test {
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

TEST_F(EditCommandsTest, AddChecksNamesAndDuplicates)
{
    QSignalSpy focus(&cmd, &EditCommands::focusRequested);
    EXPECT_FALSE(add("", QDate(2000, 1, 2)) || add("   ", QDate(2000, 1, 2)));
    EXPECT_TRUE(cmd.input().name.isEmpty());
    EXPECT_EQ(focus.size(), 2);

    ASSERT_TRUE(add("anniv", QDate(2000, 1, 2), "ann@example.org", true));
    EXPECT_EQ(list.at(0), (EventRecord{"anniv", "02/01/2000", "ann@example.org", 1, "00/00 00/00 00/00"}));
    EXPECT_EQ(list.selected(), 0);
    // Finishing resets the row and keeps the address as a choice.
    EXPECT_EQ(cmd.input().name + cmd.input().address + cmd.input().date.toString("dd/MM/yyyy")
                  + (cmd.input().important ? " ticked" : ""), "-05/03/2026");
    EXPECT_EQ(list.addressChoices(), QStringList{"ann@example.org"});

    EXPECT_FALSE(add("ANNIV", QDate(2000, 1, 2)));
    EXPECT_EQ(prompter.messages, std::vector<Message>{box("Already in the list!", kAppTitle, Icon::Exclamation)});
    EXPECT_EQ(cmd.input().name, "ANNIV"); // kept and selected for correcting
    EXPECT_TRUE(focus.last().at(1).toBool());
    EXPECT_TRUE(add("ANNIV", QDate(2001, 1, 2)));

    // Long names are kept; line breaks would split a list file entry.
    const QString longName = QString(2000, QChar(0x00e9)) + '"';
    EXPECT_TRUE(add(longName, QDate(2000, 5, 6), "a\r\nb"));
    EXPECT_EQ(list.at(2).name + list.at(2).address, longName + "a  b");
}

TEST_F(EditCommandsTest, ModifyResetsTheRuleAndKeepsTheMark)
{
    list.appendRows(
        {{"Ann", "05/03/1980", "a@x", 1, "06/04 00/00 00/00"}, {"Bob", "06/03/2001"}, {"Cy", "31/02/1999"}});
    list.select(0);
    cmd.startModify(InputField::Date);
    EXPECT_EQ(cmd.input().date, QDate(1980, 3, 5));
    EXPECT_FALSE(cmd.add());
    // Same name and date as Bob: no duplicate test on Modify.
    cmd.nameEdited("Bob");
    cmd.setDate(QDate(2001, 3, 6));
    ASSERT_TRUE(cmd.modify());
    EXPECT_EQ(list.at(2), (EventRecord{"Bob", "06/03/2001", "a@x", 1, "00/00 00/00 00/00"}));
    EXPECT_EQ(list.selected(), 2);
    EXPECT_TRUE(prompter.messages.empty());

    // A date that is not one keeps the picker and says so.
    list.select(1);
    cmd.setDate(QDate(2020, 1, 1));
    cmd.startModify(InputField::Name);
    EXPECT_EQ(prompter.messages, std::vector<Message>{box("Invalid Date.", "Error", Icon::Critical)});
    EXPECT_EQ(cmd.input().date, QDate(2020, 1, 1));
    cmd.cancel();
    EXPECT_FALSE(list.editing());
    EXPECT_EQ(list.at(1).date, "31/02/1999");
    // The same message stops the Customise Event dialog for such a date.
    EXPECT_EQ(cmd.customiseRow(), -1);
    EXPECT_EQ(prompter.messages.size(), 2u);
}

TEST_F(EditCommandsTest, RemoveClearAndMark)
{
    list.appendRows({{"Ann", "05/03/1980"}, {"Bob", "06/03/2001"}});
    cmd.remove(); // nothing selected, as in an empty list
    EXPECT_EQ(prompter.messages,
              std::vector<Message>{box("No item selected to remove!", "No item selected", Icon::Exclamation)});

    list.select(0);
    EXPECT_EQ(cmd.markCaption(false), "Mark as &Important");
    cmd.toggleMark();
    EXPECT_EQ(list.at(0).mark, 1);
    EXPECT_TRUE(cmd.input().importantRed);
    EXPECT_EQ(cmd.markCaption(true), "Unmark as Important");
    list.select(1);
    EXPECT_FALSE(cmd.input().importantRed);

    prompter.reset();
    prompter.answer(Button::No).answer(Button::Yes);
    cmd.clear();
    EXPECT_EQ(list.count(), 2);
    list.select(0);
    cmd.remove();
    EXPECT_EQ(list.at(0).name, "Bob");
    EXPECT_EQ(list.selected(), -1);
    cmd.clear();
    cmd.clear(); // empty: no question
    const auto ask = [](const QString &text) { return box(text, "Clear List", Icon::Critical, Buttons::YesNo); };
    EXPECT_EQ(prompter.messages, (std::vector<Message>{ask(kClear + " It contains marked events."), ask(kClear)}));
    EXPECT_TRUE(list.isEmpty() && list.addressChoices().isEmpty());
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
