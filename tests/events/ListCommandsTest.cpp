#include "core/events/ListCommands.h"
#include "core/events/ListFile.h"
#include "tests/support/ListDoubles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace dw;
using namespace dw::test;

namespace {
// The fixed boxes of the list commands, checked word for word here and only by text elsewhere.
const Message kAddQuestion{"Do you want to add the file(s) to the current list?\r\n"
                           "(Press 'No' to clear the current list and load the file.)",
                           "Add", Icon::Question, Buttons::YesNoCancel, Button::Yes};
const Message kConvert{"Convert file using DWE Converter before opening.", "Datewren",
                       Icon::Information, Buttons::Ok, Button::Ok};
const Message kExitOffer{"Do you want to save the list in a file?", "Datewren List File",
                         Icon::Exclamation, Buttons::YesNoCancel, Button::Yes};
const Message kNothingToSave{"Nothing to save!", "Empty", Icon::Exclamation, Buttons::Ok, Button::Ok};
Message replaceQuestion(const QString &path)
{
    return {"File \"" + path + "\" already exists.\r\nDo you want to replace it?", "Save As", Icon::Exclamation,
            Buttons::YesNo, Button::No};
}

QByteArray listOf(std::initializer_list<const char *> names, const char *address = "-")
{
    std::vector<EventRecord> events;
    for (const char *n : names)
        events.push_back({n, "01/02/2000", address});
    return listFileBytes(events);
}

struct ListCommandsTest : ::testing::Test {
    EventList list;
    ScriptedPrompter prompter;
    RecordingBusy busy;
    ListCommands commands{list, prompter, busy};
    TempDir dir;
};
} // namespace

TEST_F(ListCommandsTest, AddOrReplaceQuestionDecidesHowAFileIsLoaded)
{
    const QString a = dir.write("a.dwe", listOf({"A1", "A2"}, "a@x"));
    const QString b = dir.write("b.dwe", listOf({"B1"}, "b@x"));
    EXPECT_EQ(commands.loadListFile(a, true), LoadResult::Loaded); // empty list: no question
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(busy.captions, QStringList{"Populating List...\r\n(a.dwe)"});
    EXPECT_FALSE(busy.shown);

    prompter.answer(Button::Yes);
    commands.loadListFile(b, true);
    EXPECT_EQ(names(list), (QStringList{"A1", "A2", "B1"}));
    EXPECT_EQ(list.addressChoices(), (QStringList{"a@x", "b@x"}));
    EXPECT_EQ(prompter.messages, std::vector<Message>{kAddQuestion});

    prompter.answer(Button::Cancel);
    EXPECT_EQ(commands.loadListFile(b, true), LoadResult::Cancelled);
    EXPECT_EQ(list.count(), 3);

    prompter.answer(Button::No);
    commands.loadListFile(b, true);
    EXPECT_EQ(names(list), QStringList{"B1"});
    EXPECT_EQ(list.addressChoices(), QStringList{"b@x"});

    commands.loadListFile(b, false); // ask flag clear: appends without a question
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.addressChoices(), QStringList{"b@x"});
    EXPECT_EQ(prompter.messages.size(), 3u);

    // Loading cleans the address choices and fills an empty address box.
    list.setAddressChoices({"x@y", "", "x@y"});
    QString box;
    commands.setAddressBox([&] { return box; }, [&](const QString &t) { box = t; });
    commands.loadListFile(dir.write("l.dwe", listFileBytes({{"a", "d", "x@y"}, {"b", "d"}, {"c", "d", "z@y"}})), false);
    EXPECT_EQ(list.addressChoices(), (QStringList{"x@y", "z@y"}));
    EXPECT_EQ(box, QStringLiteral("-"));
}

TEST_F(ListCommandsTest, BadFilesNeverCostTheUserTheirList)
{
    list.append({"Mine", "01/01/2000", "-", 1, kDefaultRule});
    const QString old = dir.write("old.dwe", "a\r\nd\r\n-\r\n1\r\nb\r\nd\r\n-\r\n0\r\nc\r\nd\r\n-\r\n0");
    prompter.answer(Button::No);
    EXPECT_EQ(commands.loadListFile(old, true), LoadResult::Refused);
    EXPECT_EQ(prompter.messages.back(), kConvert);
    EXPECT_EQ(names(list), QStringList{"Mine"});

    prompter.answer(Button::No);
    EXPECT_EQ(commands.loadListFile(dir.root(), true), LoadResult::Failed); // a folder
    EXPECT_EQ(prompter.messages.size(), 3u); // two questions, one refusal, nothing for the folder
    EXPECT_EQ(list.count(), 1);

    const QString pipe = dir.path("pipe.dwe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(commands.loadListFile(pipe, false), LoadResult::Failed); // and does not hang

    if (geteuid() != 0) { // root reads whatever the permissions say
        const QString locked = dir.write("locked.dwe", listOf({"X"}));
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        prompter.answer(Button::No);
        EXPECT_EQ(commands.loadListFile(locked, true), LoadResult::Failed);
        EXPECT_EQ(list.count(), 1);
    }

    // A missing file is created empty and adds nothing.
    const QString missing = dir.path("new.dwe");
    EXPECT_EQ(commands.loadListFile(missing, false), LoadResult::Loaded);
    EXPECT_TRUE(QFile::exists(missing));
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(commands.loadListFile(dir.path("no/such/folder.dwe"), false), LoadResult::Failed);
    EXPECT_EQ(commands.loadListFile(QString(), false), LoadResult::NoPath);
}

TEST_F(ListCommandsTest, SaveAsksBeforeReplacingWritesTheListExactlyOrLeavesTheOldFileAndSaysWhy)
{
    EXPECT_EQ(commands.saveListFile(), SaveResult::Empty);
    EXPECT_EQ(prompter.messages.back(), kNothingToSave);
    EXPECT_TRUE(prompter.dialogs.empty());

    list.appendRows({{"Birthday", "05/01/1980", "-", 1, kDefaultRule}, {"Zoë", "12/03/2024", "room 4", 0, "20/02 01/03 10/03"}});
    prompter.choose("");
    EXPECT_EQ(commands.saveListFile(), SaveResult::Cancelled);
    EXPECT_EQ(commands.pendingListPath(), QString());

    const QString existing = dir.write("old.dwe", "keep");
    const QString fresh = dir.path("new.dwe");
    prompter.choose(existing).answer(Button::No).choose(existing).answer(Button::Yes);
    EXPECT_EQ(commands.saveListFile(), SaveResult::Saved);
    EXPECT_EQ(prompter.messages, (std::vector<Message>{kNothingToSave, replaceQuestion(existing), replaceQuestion(existing)}));
    EXPECT_EQ(TempDir::read(existing), listFileBytes(list.rows()));

    prompter.choose(fresh);
    EXPECT_EQ(commands.saveListFile(), SaveResult::Saved);
    EXPECT_EQ(prompter.dialogs, std::vector<FileKind>(4, FileKind::Save));
    EXPECT_EQ(prompter.starts.mid(2), (QStringList{existing, existing})); // the list's own name is proposed
    EXPECT_EQ(TempDir::read(fresh), listFileBytes(list.rows()));

    // A failed save leaves the old file and says why.
    prompter.reset();
    const QString readOnly = dir.write("ro.dwe", "old");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
    prompter.choose(readOnly).answer(Button::Yes);
    EXPECT_EQ(commands.saveListFile(), SaveResult::Failed);
    EXPECT_EQ(prompter.messages,
              (std::vector<Message>{replaceQuestion(readOnly),
                                    {"Cannot replace that file! It's Read-Only.", "Error", Icon::Exclamation, Buttons::Ok, Button::Ok},
                                    {"Error 13: Permission denied", "Datewren", Icon::None, Buttons::Ok, Button::Ok}}));
    EXPECT_EQ(TempDir::read(readOnly), QByteArray("old"));

    prompter.reset();
    const QString gone = dir.path("gone/list.dwe");
    prompter.choose(gone);
    EXPECT_EQ(commands.saveListFile(), SaveResult::Failed);
    ASSERT_EQ(prompter.messages.size(), 1u);
    const QString head = "Cannot save the list in \"" + gone + "\".\r\n"; // then the system's reason
    EXPECT_TRUE(prompter.messages[0].text.startsWith(head) && prompter.messages[0].text.size() > head.size());
    EXPECT_EQ(prompter.messages[0].title, QStringLiteral("Error"));
    EXPECT_FALSE(QFile::exists(gone));
}

TEST_F(ListCommandsTest, OfferToSaveAtExit)
{
    EXPECT_TRUE(commands.offerToSaveAtExit()); // empty list: no question
    list.append({"a", "d", "-", 0, kDefaultRule});
    list.setEditing(true);
    EXPECT_FALSE(commands.offerToSaveAtExit()); // modifying: stay, no question
    list.setEditing(false);
    EXPECT_TRUE(prompter.messages.empty());

    prompter.answer(Button::No);
    EXPECT_TRUE(commands.offerToSaveAtExit());
    EXPECT_EQ(prompter.messages.back(), kExitOffer);
    prompter.answer(Button::Cancel);
    EXPECT_FALSE(commands.offerToSaveAtExit());
    prompter.answer(Button::Yes).choose("");
    EXPECT_FALSE(commands.offerToSaveAtExit());
    prompter.answer(Button::Yes).choose(dir.path("gone/x.dwe"));
    EXPECT_FALSE(commands.offerToSaveAtExit()); // a failed write would lose the list
    prompter.answer(Button::Yes).choose(dir.path("saved.dwe"));
    EXPECT_TRUE(commands.offerToSaveAtExit());
    EXPECT_TRUE(QFile::exists(dir.path("saved.dwe")));
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(ListCommandsTest, DropsTakeOnlyDweFilesAndAskOnceForTheFirst)
{
    const QString a = dir.write("a.dwe", listOf({"A"}));
    const QString upper = dir.write("b.DWE", listOf({"B"}));
    const QString text = dir.write("c.txt", listOf({"C"}));
    commands.dropFiles({text, a, upper});
    EXPECT_EQ(names(list), QStringList{"A"});
    EXPECT_TRUE(prompter.messages.empty());

    const QString d = dir.write("d.dwe", listOf({"D"}));
    prompter.answer(Button::Yes);
    commands.dropFiles({a, d});
    EXPECT_EQ(names(list), (QStringList{"A", "A", "D"}));
    EXPECT_EQ(prompter.messages.size(), 1u);

    prompter.answer(Button::Cancel);
    commands.dropFiles({a, d});
    EXPECT_EQ(list.count(), 3);

    // No replaces the list with the first file; the rest are added to it.
    prompter.answer(Button::No);
    commands.dropFiles({d, a, d});
    EXPECT_EQ(names(list), (QStringList{"D", "A", "D"}));
    EXPECT_EQ(prompter.messages.size(), 3u);
}

TEST_F(ListCommandsTest, CommandLineHandsOverOnlyListNames)
{
    EXPECT_EQ(listPathFromCommandLine("\"/home/u/My Lists/family.DWE\""), "/home/u/My Lists/family.DWE");
    EXPECT_EQ(listPathFromCommandLine("notes.txt"), QString());
    EXPECT_EQ(listPathFromCommandLine("\""), QString());
    EXPECT_EQ(listPathFromCommandLine("\"\""), QString());
    EXPECT_EQ(listPathFromCommandLine("\"a.dwe\" \"b.dwe\""), "a.dwe\" \"b.dwe");
    EXPECT_EQ(listPathFromCommandLine("listdwe"), "listdwe");
    EXPECT_EQ(listPathFromCommandLine("we"), QString());

    const QString path = dir.write("family.DWE", listOf({"F"}));
    EXPECT_TRUE(commands.handOverCommandLine("\"" + path + "\""));
    EXPECT_EQ(names(list), QStringList{"F"});
    EXPECT_EQ(commands.pendingListPath(), path);
    EXPECT_FALSE(commands.handOverCommandLine(dir.write("x.txt", listOf({"X"}))));
    EXPECT_EQ(list.count(), 1);
    EXPECT_TRUE(prompter.messages.empty());
}
