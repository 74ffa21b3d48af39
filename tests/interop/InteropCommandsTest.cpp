#include "tests/support/ScriptedPrompter.h"
#include "tests/support/StartedWindow.h"
#include "tests/support/TempDir.h"
#include "ui/InteropCommands.h"

#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace dw;

namespace {
const QString kPhone = QStringLiteral(DW_TEST_DATA "/phone.vcf");
const QString kImport = QStringLiteral("Import Contacts and Calendars");

// Accepts the next modal dialog once it runs, after `set` has made its choices.
void acceptNextDialog(std::function<void(QDialog &)> set = {})
{
    QTimer::singleShot(0, [set] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            if (set)
                set(*d);
            d->accept();
        }
    });
}

// A window's list holding one event the phone book has too, in other letters; and its commands.
struct Fixture {
    Fixture() { list.append({"GRACE HOPPER", "09/12/1906", "old", 0, kDefaultRule}); }
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
                         kImport, Icon::Information, Buttons::YesNo, Button::No};
    const Message details{"No Date Person: no date", kImport, Icon::Information, Buttons::Ok, Button::Ok};
    const Message reportAdded{"Imported 3 events from 3 contacts; 1 contact has no date\r\n\r\nShow the 2 skipped "
                              "entries?", kImport, Icon::Information, Buttons::YesNo, Button::No};
    const Message detailsAdded{"No Date Person: no date\r\nGrace Hopper: already in the list on 09/12/1906", kImport,
                               Icon::Information, Buttons::Ok, Button::Ok};
    const struct {
        Button answer;
        int count;
        std::vector<Message> messages;
    } cases[] = {
        {Button::Yes, 4, {question, reportAdded, detailsAdded}},
        {Button::No, 4, {question, report, details}}, {Button::Cancel, 1, {question}},
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
    const QString cut = dir.path("cut.vcf") + ": the contact that begins at line 1 has no END:VCARD;"
                                              " the file looks cut off";
    const Message refused{"Nothing was imported.\r\n" + cut, kImport, Icon::Exclamation, Buttons::Ok, Button::Ok};
    EXPECT_EQ(f.prompter.messages, std::vector{refused});
    EXPECT_EQ(InteropCommands::importablePaths({"a.VCF", "b.ics", "c.dwe", "d.vcard", "e"}),
              (QStringList{"a.VCF", "b.ics", "d.vcard"}));
}

// The window's doors to the commands: the list panel's menu for the import and the export, with
// their texts.
TEST(InteropWindowTest, MenuImportAndExport)
{
    test::StartedWindow w;
    test::TempDir dir;
    ListPanel *panel = w.window.listPanel();
    EXPECT_EQ(panel->contextMenuPolicy(), Qt::ActionsContextMenu);
    const auto trigger = [&](const QString &text) {
        for (QAction *a : panel->actions())
            if (a->text() == text)
                return a->trigger();
        ADD_FAILURE() << "no menu entry " << text.toStdString();
    };
    // The menu: files through the prompter, naming from the dialog; an empty list asks nothing.
    w.prompter.choose(kPhone).answer(Button::No);
    acceptNextDialog([](QDialog &d) { d.findChildren<QRadioButton *>().at(1)->setChecked(true); });
    trigger(kImport + "...");
    EXPECT_EQ(w.prompter.dialogs, std::vector{FileKind::Contacts});
    ASSERT_EQ(w.window.events().count(), 4);
    EXPECT_EQ(w.window.events().rows()[0].name, "Grace Hopper's birthday");

    // The export writes where the prompter says and reports the count.
    w.prompter.reset();
    const QString ics = dir.path("out.ics");
    w.prompter.choose(ics);
    acceptNextDialog();
    trigger("Export Calendar...");
    EXPECT_EQ(w.prompter.dialogs, std::vector{FileKind::Calendar});
    const Message exported{"Exported 4 events to " + ics, "Export Calendar", Icon::Information};
    EXPECT_EQ(w.prompter.messages, std::vector{exported}); // what it wrote is checked on the library

    // Contacts dropped on the list columns are imported, added this time.
    w.prompter.reset();
    w.prompter.answer(Button::Yes).answer(Button::No);
    acceptNextDialog();
    emit panel->filesDropped({kPhone});
    EXPECT_EQ(w.window.events().count(), 8);
}
