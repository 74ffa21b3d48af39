#include "core/events/ListCommands.h"
#include "core/events/ListFile.h"
#include "tests/support/ListDoubles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/OddFiles.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace dw;
using namespace dw::test;

namespace {
// The fixed boxes of the list commands, checked word for word here and only by text elsewhere;
// the offer to save at exit and a failed save are checked on closing the main window.
const Message kAddQuestion{"Do you want to add the file(s) to the current list?\r\n"
                           "(Press 'No' to clear the current list and load the file.)",
                           "Add", Icon::Question, Buttons::YesNoCancel, Button::Yes};
const Message kConvert{"Convert file using DWE Converter before opening.", "Datewren",
                       Icon::Information, Buttons::Ok, Button::Ok};
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

// Drops go through the same load, so one walk covers both: the question is asked once per drop.
TEST_F(ListCommandsTest, AddOrReplaceQuestionDecidesHowFilesAreLoadedAndDropped)
{
    const QString a = dir.write("a.dwe", listOf({"A1", "A2"}, "a@x")), b = dir.write("b.dwe", listOf({"B"}, "b@x"));
    // Only names ending in a lower-case "dwe" are taken from a drop; an empty list asks nothing.
    commands.dropFiles({dir.write("c.txt", listOf({"C"})), a, dir.write("d.DWE", listOf({"D"}))});
    EXPECT_EQ(names(list), (QStringList{"A1", "A2"}));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(busy.shown);

    prompter.answer(Button::Yes);
    EXPECT_EQ(commands.loadListFile(b, true), LoadResult::Loaded);
    EXPECT_EQ(names(list), (QStringList{"A1", "A2", "B"}));
    EXPECT_EQ(list.addressChoices(), (QStringList{"a@x", "b@x"}));
    EXPECT_EQ(prompter.messages, std::vector<Message>{kAddQuestion});

    prompter.answer(Button::Cancel); // stops the whole drop
    commands.dropFiles({b, a});
    EXPECT_EQ(list.count(), 3);
    // No replaces the list, addresses too, with the first file; the rest are added to it.
    prompter.answer(Button::No);
    commands.dropFiles({b, a});
    EXPECT_EQ(names(list), (QStringList{"B", "A1", "A2"}));
    EXPECT_EQ(list.addressChoices(), (QStringList{"b@x", "a@x"}));
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
    const QString pipe = dir.path("pipe.dwe"), locked = dir.write("locked.dwe", listOf({"X"}));
    ASSERT_TRUE(test::makeFifo(pipe));
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    std::vector<std::pair<QString, LoadResult>> cases{
        {dir.write("old.dwe", "a\r\nd\r\n-\r\n1\r\nb\r\nd\r\n-\r\n0\r\nc\r\nd\r\n-\r\n0"), LoadResult::Refused},
        {dir.root(), LoadResult::Failed}, {pipe, LoadResult::Failed}, // and does not hang
        {dir.path("no/such/folder.dwe"), LoadResult::Failed}};
    if (geteuid() != 0) // root reads whatever the permissions say
        cases.push_back({locked, LoadResult::Failed});
    for (const auto &[path, result] : cases) {
        prompter.answer(Button::No); // replace the list, but only once the file is read
        EXPECT_EQ(commands.loadListFile(path, true), result) << path.toStdString();
        EXPECT_EQ(names(list), QStringList{"Mine"});
    }
    ASSERT_EQ(prompter.messages.size(), cases.size() + 1); // the questions and one refusal
    EXPECT_EQ(prompter.messages[1], kConvert);

    // A missing file is created empty and adds nothing.
    const QString missing = dir.path("new.dwe");
    EXPECT_EQ(commands.loadListFile(missing, false), LoadResult::Loaded);
    EXPECT_TRUE(QFile::exists(missing));
    EXPECT_EQ(commands.loadListFile(QString(), false), LoadResult::NoPath);
    // From the command line only list names are taken (a quoted one is loaded by the window's start-up test).
    EXPECT_FALSE(commands.handOverCommandLine("\"notes.txt\""));
    EXPECT_EQ(list.count(), 1);
}

TEST_F(ListCommandsTest, SaveAsksBeforeReplacingWritesTheListExactlyOrLeavesTheOldFileAndSaysWhy)
{
    EXPECT_EQ(commands.saveListFile(), SaveResult::Empty);
    EXPECT_EQ(prompter.messages.back(), kNothingToSave);

    list.appendRows({{"Birthday", "05/01/1980", "-", 1, kDefaultRule}, {"Zoë", "12/03/2024", "room 4", 0, "20/02 01/03 10/03"}});
    const QString existing = dir.write("old.dwe", "keep");
    const QString fresh = dir.path("new.dwe");
    prompter.choose(existing).answer(Button::No).choose(existing).answer(Button::Yes);
    EXPECT_EQ(commands.saveListFile(), SaveResult::Saved);
    EXPECT_EQ(prompter.messages, (std::vector<Message>{kNothingToSave, replaceQuestion(existing), replaceQuestion(existing)}));
    EXPECT_EQ(TempDir::read(existing), listFileBytes(list.rows()));

    prompter.choose(fresh);
    EXPECT_EQ(commands.saveListFile(), SaveResult::Saved);
    EXPECT_EQ(prompter.dialogs, std::vector<FileKind>(3, FileKind::Save)); // none for the empty list
    EXPECT_EQ(prompter.starts.mid(1), (QStringList{existing, existing})); // the list's own name is proposed
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
}
