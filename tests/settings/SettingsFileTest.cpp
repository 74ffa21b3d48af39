#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace dw;

// The texts of the boxes are pinned once, in SettingsMessagesTest; here is what each command does.
namespace {
QByteArray golden(const char *name)
{
    return test::TempDir::read(QStringLiteral(DW_TEST_DATA "/") + QLatin1String(name));
}

struct SettingsFileTest : ::testing::Test {
    test::TempDir dir;
    test::ScriptedPrompter prompter;
    MemorySettingsStore store;
    SettingsModel m;
};
} // namespace

TEST_F(SettingsFileTest, ExportFromDefaultsAndAfterChanges)
{
    const QString path = dir.path("look.dwt");
    ASSERT_TRUE(exportSettingsFile(m, store, prompter.choose(path)));
    EXPECT_EQ(test::TempDir::read(path), golden("defaults.dwt"));
    EXPECT_EQ(prompter.texts(), QStringList{"Done!"});
    EXPECT_EQ(prompter.dialogs, std::vector{FileKind::SaveReg});
    EXPECT_TRUE(store.getAllSettings(kSettingsSection).empty()); // only TempSettings is touched

    // Replace refused once: the dialog comes back and the groups are written again.
    prompter.reset();
    m.remindBefore = "7";
    m.animate = true;
    m.animation.clear(); // on, no kind: the earlier export's "0" stays in the file
    const QString other = dir.write("other.dwt", "old");
    prompter.choose(path).answer(Button::No).choose(other).answer(Button::Yes);
    ASSERT_TRUE(exportSettingsFile(m, store, prompter));
    EXPECT_EQ(prompter.messages.size(), 3u); // replace look.dwt? replace other.dwt? done
    EXPECT_EQ(test::TempDir::read(path), golden("defaults.dwt"));
    const SettingPairs pairs = parseSettingsFile(test::TempDir::read(other));
    ASSERT_EQ(pairs.size(), 61u);
    EXPECT_EQ(pairs[9], (SettingPair{"ImportantAnimate", "0"}));
    EXPECT_EQ(pairs[15], (SettingPair{"RemindBefore", "7"}));

    // The command line's export (run whole in StoreTest) reports a failure on one line.
    const QString bad = dir.path("no/dir/x.dwt");
    EXPECT_EQ(exportSavedSettingsTo(bad, store),
              "Cannot write the settings file \"" + bad + "\". No such file or directory");
}

TEST_F(SettingsFileTest, ImportStoresEveryPairAndReloads)
{
    store.saveSetting(kSettingsSection, "MDEffect", "Glow");
    // LF ends, Windows-1252 text, an unknown key and a last key without a value line.
    const QString path = dir.write("in.dwt", "RemindBefore\n7\nNoSuchKey\nx\nScrollerFont\nCaf\xe9 Sans\nNameDateFont");
    ASSERT_TRUE(importSettingsFile(m, store, prompter.choose(path)));
    EXPECT_EQ(prompter.texts(), QStringList{"Done!"});
    EXPECT_EQ(m.remindBefore, "7");
    EXPECT_EQ(m.fonts[2], QString::fromUtf8("Caf\u00e9 Sans"));
    EXPECT_EQ(m.fonts[1], "Arial");
    EXPECT_EQ(m.mdEffect, "Glow"); // not in the file: reloaded from the store
    EXPECT_EQ(store.getSetting(kSettingsSection, "NoSuchKey"), "x");
    EXPECT_EQ(store.getSetting(kSettingsSection, "NameDateFont", "?"), QString());

    prompter.reset();
    EXPECT_FALSE(importSettingsFile(m, store, prompter.choose(dir.path("nope.dwt")))); // a missing file: silent
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(importSettingsFrom(dir.path("nope.dwt"), store), "No such file: " + dir.path("nope.dwt"));

    // Import what an export wrote, export again: the same pairs, byte for byte.
    MemorySettingsStore fresh;
    SettingsModel n;
    prompter.choose(DW_TEST_DATA "/changed.dwt").choose(dir.path("back.dwt"));
    importSettingsFile(n, fresh, prompter);
    exportSettingsFile(n, fresh, prompter);
    EXPECT_EQ(test::TempDir::read(dir.path("back.dwt")), golden("changed.dwt"));
}
