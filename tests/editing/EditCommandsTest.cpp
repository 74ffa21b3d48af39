#include "core/events/EditCommands.h"
#include "tests/support/ScriptedPrompter.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace dw;
using dw::test::ScriptedPrompter;

namespace {

struct Fixture {
    EventList list;
    ScriptedPrompter prompter;
    FixedClock clock{2026, 3, 5};
    EditCommands cmd{list, prompter, clock};

    void type(const QString &name, QDate date, const QString &address = "-", bool imp = false)
    {
        cmd.nameEdited(name);
        cmd.setDate(date);
        cmd.addressEdited(address);
        cmd.setImportant(imp);
    }
};

const Message kAlready{"Already in the list!", kAppTitle, Icon::Exclamation, Buttons::Ok,
                       Button::Ok};

} // namespace

TEST(EditCommandsTest, AddChecksNamesAndDuplicates)
{
    Fixture f;
    QSignalSpy focus(&f.cmd, &EditCommands::focusRequested);
    EXPECT_FALSE(f.cmd.add());
    f.type("   ", QDate(2000, 1, 2));
    EXPECT_FALSE(f.cmd.add());
    EXPECT_TRUE(f.cmd.input().name.isEmpty());
    EXPECT_EQ(focus.size(), 2);
    EXPECT_EQ(focus.at(1).at(0).value<InputField>(), InputField::Name);

    f.type("anniv", QDate(2000, 1, 2), "ann@example.org", true);
    ASSERT_TRUE(f.cmd.add());
    EXPECT_EQ(f.list.at(0), (EventRecord{"anniv", "02/01/2000", "ann@example.org", 1,
                                         "00/00 00/00 00/00"}));
    EXPECT_EQ(f.list.selected(), 0);
    // Finishing resets the row and keeps the address as a choice.
    EXPECT_EQ(f.cmd.input().name + f.cmd.input().address, "-");
    EXPECT_EQ(f.cmd.input().date, QDate(2026, 3, 5));
    EXPECT_FALSE(f.cmd.input().important);
    EXPECT_EQ(f.list.addressChoices(), QStringList{"ann@example.org"});

    focus.clear();
    f.type("ANNIV", QDate(2000, 1, 2));
    EXPECT_FALSE(f.cmd.add());
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0], kAlready);
    EXPECT_EQ(f.cmd.input().name, "ANNIV"); // kept, selected, for correcting
    EXPECT_EQ(focus.last().at(1).toBool(), true);
    f.type("ANNIV", QDate(2001, 1, 2));
    EXPECT_TRUE(f.cmd.add());
    EXPECT_EQ(f.list.count(), 2);
    EXPECT_EQ(f.list.addressChoices(), (QStringList{"ann@example.org", "-"}));

    // Long names are kept; line breaks would split a list file entry.
    const QString longName = QString(2000, QChar(0x00e9)) + '"';
    f.type(longName, QDate(2000, 5, 6), "a\r\nb");
    EXPECT_TRUE(f.cmd.add());
    EXPECT_EQ(f.list.at(2).name, longName);
    EXPECT_EQ(f.list.at(2).address, "a  b");
    EXPECT_EQ(f.prompter.messages.size(), 1u);
}

TEST(EditCommandsTest, ModifyMovesTheEventToTheEndAndResetsItsRule)
{
    Fixture f;
    f.list.append({"Ann", "05/03/1980", "a@x", 1, "06/04 00/00 00/00"});
    f.list.append({"Bob", "06/03/2001", "-", 0, "00/00 00/00 00/00"});
    f.list.select(0);
    QSignalSpy focus(&f.cmd, &EditCommands::focusRequested);
    f.cmd.startModify(InputField::Date);
    EXPECT_TRUE(f.cmd.modifying());
    EXPECT_TRUE(f.list.editing());
    EXPECT_EQ(f.cmd.input().name + f.cmd.input().address, "Anna@x");
    EXPECT_EQ(f.cmd.input().date, QDate(1980, 3, 5));
    EXPECT_TRUE(f.cmd.input().important);
    EXPECT_EQ(focus.last().at(0).value<InputField>(), InputField::Date);
    // Add is not available while modifying.
    EXPECT_FALSE(f.cmd.add());

    // Same name and date as Bob: no duplicate test on Modify.
    f.cmd.nameEdited("Bob");
    f.cmd.setDate(QDate(2001, 3, 6));
    ASSERT_TRUE(f.cmd.modify());
    EXPECT_FALSE(f.list.editing());
    ASSERT_EQ(f.list.count(), 2);
    EXPECT_EQ(f.list.at(1), (EventRecord{"Bob", "06/03/2001", "a@x", 1, "00/00 00/00 00/00"}));
    EXPECT_EQ(f.list.selected(), 1);
    EXPECT_TRUE(f.prompter.messages.empty());

    // A date that is not one keeps the picker and says so; Cancel changes nothing.
    f.list.append({"Cy", "31/02/1999", "-", 0, "00/00 00/00 00/00"});
    f.list.select(2);
    f.cmd.setDate(QDate(2020, 1, 1));
    f.cmd.startModify(InputField::Name);
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0],
              (Message{"Invalid Date.", "Error", Icon::Critical, Buttons::Ok, Button::Ok}));
    EXPECT_EQ(f.cmd.input().date, QDate(2020, 1, 1));
    EXPECT_EQ(focus.last().at(1).toBool(), true);
    f.cmd.cancel();
    EXPECT_FALSE(f.list.editing());
    EXPECT_EQ(f.list.at(2).date, "31/02/1999");

    // Nothing selected: nothing to modify.
    f.list.select(-1);
    f.cmd.startModify(InputField::Name);
    EXPECT_FALSE(f.list.editing());
}

TEST(EditCommandsTest, RemoveClearAndMark)
{
    Fixture f;
    const Message noItem{"No item selected to remove!", "No item selected", Icon::Exclamation,
                         Buttons::Ok, Button::Ok};
    f.cmd.remove();
    f.list.append({"Ann", "05/03/1980", "-", 0, "00/00 00/00 00/00"});
    f.list.append({"Bob", "06/03/2001", "-", 0, "00/00 00/00 00/00"});
    f.cmd.remove();
    ASSERT_EQ(f.prompter.messages.size(), 2u);
    EXPECT_EQ(f.prompter.messages[0], noItem);
    EXPECT_EQ(f.prompter.messages[1], noItem);

    f.list.select(0);
    EXPECT_EQ(f.cmd.markCaption(false), "Mark as &Important");
    EXPECT_EQ(f.cmd.markCaption(true), "Mark as Important");
    f.cmd.toggleMark();
    EXPECT_EQ(f.list.at(0).mark, 1);
    EXPECT_TRUE(f.cmd.input().importantRed);
    EXPECT_EQ(f.cmd.markCaption(true), "Unmark as Important");
    f.list.select(1);
    EXPECT_FALSE(f.cmd.input().importantRed);

    const Message marked{"Do you want to clear the whole list? It contains marked events.",
                         "Clear List", Icon::Critical, Buttons::YesNo, Button::No};
    f.prompter.reset();
    f.prompter.answer(Button::No);
    f.cmd.clear();
    EXPECT_EQ(f.list.count(), 2);

    f.list.select(0);
    f.cmd.remove();
    EXPECT_EQ(f.list.count(), 1);
    EXPECT_EQ(f.list.at(0).name, "Bob");
    EXPECT_EQ(f.list.selected(), -1);
    EXPECT_FALSE(f.cmd.input().importantRed);

    f.list.addAddressChoice("a@x");
    f.prompter.answer(Button::Yes);
    f.cmd.clear();
    ASSERT_EQ(f.prompter.messages.size(), 2u);
    EXPECT_EQ(f.prompter.messages[0], marked);
    EXPECT_EQ(f.prompter.messages[1],
              (Message{"Do you want to clear the whole list?", "Clear List", Icon::Critical,
                       Buttons::YesNo, Button::No}));
    EXPECT_TRUE(f.list.isEmpty());
    EXPECT_TRUE(f.list.addressChoices().isEmpty());
    f.cmd.clear(); // empty: no question
    EXPECT_EQ(f.prompter.messages.size(), 2u);
    EXPECT_TRUE(f.prompter.allAnswersUsed());
}

TEST(EditCommandsTest, CustomiseNeedsADayAndMonth)
{
    Fixture f;
    EXPECT_EQ(f.cmd.customiseRow(), -1);
    f.list.append({"Ann", "29/02/2000", "-", 0, "00/00 00/00 00/00"});
    f.list.append({"Bob", "soon", "-", 0, "00/00 00/00 00/00"});
    f.list.select(0);
    EXPECT_EQ(f.cmd.customiseRow(), 0);
    f.list.select(1);
    EXPECT_EQ(f.cmd.customiseRow(), -1);
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0].text, "Invalid Date.");
}
