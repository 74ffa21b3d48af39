#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "ui/InteropCommands.h"

#include <gtest/gtest.h>

using namespace dw;

namespace {
const QString kPhone = QStringLiteral(DW_TEST_DATA "/phone.vcf");

// A window's list holding one old event, and its import commands.
struct Fixture {
    Fixture() { list.append({"Old", "01/01/2000", "-", 0, kDefaultRule}); }
    EventList list;
    test::ScriptedPrompter prompter;
    InteropCommands commands{list, prompter, [](ImportOptions &) { return true; }, nullptr};
};
} // namespace

TEST(InteropCommandsTest, MessagesAndTheAddOrReplaceQuestion)
{
    const Message question{"Do you want to add the file(s) to the current list?\r\n"
                           "(Press 'No' to clear the current list and load the file.)",
                           "Add", Icon::Question, Buttons::YesNoCancel, Button::Yes};
    const Message report{"Imported 4 events from 3 contacts; 1 contact has no date\r\n\r\nShow the 1 skipped entry?",
                         "Import Contacts and Calendars", Icon::Information, Buttons::YesNo, Button::No};
    const Message details{"No Date Person: no date", "Import Contacts and Calendars", Icon::Information,
                          Buttons::Ok, Button::Ok};
    const struct {
        Button answer;
        int count;
        std::vector<Message> messages;
    } cases[] = {
        {Button::Yes, 5, {question, report, details}},
        {Button::No, 4, {question, report, details}},
        {Button::Cancel, 1, {question}},
    };
    for (const auto &c : cases) {
        Fixture f;
        f.prompter.answer(c.answer);
        if (c.answer != Button::Cancel)
            f.prompter.answer(Button::Yes);
        f.commands.importFiles({kPhone});
        EXPECT_EQ(f.list.count(), c.count);
        EXPECT_EQ(f.prompter.messages, c.messages);
    }

    // A file that cannot be read is refused before the question, so the list stays whole.
    Fixture f;
    test::TempDir dir;
    f.commands.importFiles({kPhone, dir.write("cut.vcf", "BEGIN:VCARD\r\n")});
    EXPECT_EQ(f.list.count(), 1);
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0],
              (Message{"Nothing was imported.\r\n" + dir.path("cut.vcf")
                           + ": the contact that begins at line 1 has no END:VCARD; the file looks cut off",
                       "Import Contacts and Calendars", Icon::Exclamation, Buttons::Ok, Button::Ok}));
    EXPECT_EQ(InteropCommands::importablePaths({"a.VCF", "b.ics", "c.dwe", "d.vcard", "e"}),
              (QStringList{"a.VCF", "b.ics", "d.vcard"}));
}
