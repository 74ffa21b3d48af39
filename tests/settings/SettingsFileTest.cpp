#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "tests/support/FakeFontCatalog.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFileInfo>
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
    EXPECT_EQ(prompter.dialogs, std::vector<FileKind>{FileKind::SaveReg});
    EXPECT_TRUE(store.getAllSettings(kSettingsSection).empty()); // only TempSettings is touched

    // Replace refused once: the dialog comes back and the groups are written again.
    prompter.reset();
    m.remindBefore = "7";
    m.animate = true;
    m.animation.clear(); // on, no kind: the earlier export's "0" stays in the file
    for (auto &s : m.shortcuts)
        s.clear();
    const QString other = dir.write("other.dwt", "old");
    ASSERT_TRUE(exportSettingsFile(m, store, prompter.choose(path).answer(Button::No).choose(other).answer(Button::Yes)));
    ASSERT_EQ(prompter.messages.size(), 3u); // replace look.dwt? replace other.dwt? done
    EXPECT_TRUE(prompter.messages[0].text.contains(path));
    EXPECT_TRUE(prompter.messages[1].text.contains(other));
    EXPECT_EQ(test::TempDir::read(path), golden("defaults.dwt"));
    const SettingPairs pairs = parseSettingsFile(test::TempDir::read(other));
    ASSERT_EQ(pairs.size(), 61u);
    EXPECT_EQ(pairs[9], (SettingPair{"ImportantAnimate", "0"}));
    EXPECT_EQ(pairs[15], (SettingPair{"RemindBefore", "7"}));
    for (size_t i = 47; i < 61; ++i)
        EXPECT_EQ(pairs[i].second, " ");

    prompter.reset();
    EXPECT_FALSE(exportSettingsFile(m, store, prompter.choose(""))); // cancelled: no box
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SettingsFileTest, ImportStoresEveryPairAndReloads)
{
    store.saveSetting(kSettingsSection, "MDEffect", "Glow");
    // LF ends, Windows-1252 text, an unknown key and a last key without a value line.
    const QString path = dir.write("in.dwt", "RemindBefore\n7\nNoSuchKey\nx\nScrollerFont\nCaf\xe9 Sans\nNameDateFont");
    ASSERT_TRUE(importSettingsFile(m, store, prompter.choose(path)));
    EXPECT_EQ(prompter.texts(), QStringList{"Done!"});
    EXPECT_EQ(std::tuple(m.remindBefore, m.fonts[2], m.fonts[1]), std::tuple("7", QString::fromUtf8("Caf\u00e9 Sans"), "Arial"));
    EXPECT_EQ(m.mdEffect, "Glow"); // not in the file: reloaded from the store
    EXPECT_EQ(store.getSetting(kSettingsSection, "NoSuchKey"), "x");
    EXPECT_EQ(store.getSetting(kSettingsSection, "NameDateFont", "?"), QString());

    // Missing file or cancel: silent.
    prompter.reset();
    prompter.choose(dir.path("nope.dwt")).choose("");
    EXPECT_FALSE(importSettingsFile(m, store, prompter));
    EXPECT_FALSE(importSettingsFile(m, store, prompter));
    EXPECT_TRUE(prompter.messages.empty());

    // Import what an export wrote, export again: the same pairs, byte for byte.
    MemorySettingsStore fresh;
    SettingsModel n;
    const QString back = dir.path("back.dwt");
    prompter.choose(DW_TEST_DATA "/changed.dwt").choose(back);
    importSettingsFile(n, fresh, prompter);
    exportSettingsFile(n, fresh, prompter);
    EXPECT_EQ(test::TempDir::read(back), golden("changed.dwt"));
}

TEST_F(SettingsFileTest, DwtOverDefaultsAndCommandLineHelpers)
{
    QString error;
    ASSERT_TRUE(settingsFromDwtFile(DW_TEST_DATA "/changed.dwt", &m, &error));
    EXPECT_EQ(m.mdEffect, "Drop Shadow");
    EXPECT_FALSE(settingsFromDwtFile(dir.path("missing.dwt"), &m, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(m.mdEffect, "None");

    FileSettingsStore saved(dir.path("s.ini"));
    int count = 0;
    EXPECT_EQ(importSettingsFrom(DW_TEST_DATA "/changed.dwt", saved, &count), QString());
    EXPECT_EQ(count, 61);
    const QString out = dir.path("out.dwt");
    EXPECT_EQ(exportSavedSettingsTo(out, saved, &count), QString());
    EXPECT_EQ(test::TempDir::read(out), golden("changed.dwt")); // from an empty store: see StoreTest
    // The command line's one-line reports.
    EXPECT_EQ(importSettingsFrom(dir.path("none.dwt"), saved), "No such file: " + dir.path("none.dwt"));
    const QString bad = dir.path("no/dir/x.dwt");
    EXPECT_EQ(exportSavedSettingsTo(bad, saved), "Cannot write the settings file \"" + bad + "\". No such file or directory");
}

TEST(TemplateTest, CopiesTheFileItsFontsAndItsPicture)
{
    test::TempDir dir;
    test::ScriptedPrompter prompter;
    test::FakeFontCatalog fonts;
    QDir().mkpath(dir.path("fonts"));
    QDir().mkpath(dir.path("sys"));
    const auto font = [&](const char *name, const QString &file) { fonts.faceList.push_back({name, file}); };
    font("Verdana Regular", dir.write("sys/verdana.ttf", "v"));
    font("VERDANA Bold", dir.write("sys/verdanab.ttf", "vb"));
    font("Verdana Pro Light", dir.write("sys/verdanapro.ttf", "vp"));
    font("DejaVu Sans", dir.write("sys/dejavu.ttf", "d"));
    dir.write("fonts/user.otf", "u");
    font("Comic Neue Regular", "user.otf");   // bare name: the user's font folder
    font("Comic Neue Bold", "missing.otf");   // gone: skipped silently
    const QString picture = dir.write("sky.png", "png");
    const QString dwt = dir.write("blue.dwt", ("MainDateFont\r\nverdana\r\nnamedatefont\r\nComic Neue\r\nScrollerFont\r\n"
                                               "Verdana\r\nBackground\r\n" + picture + "\r\nScrollerFontColour\r\n0000ff")
                                                  .toUtf8());
    const auto make = [&](const QString &from) { createTemplate(prompter.choose(from), fonts, dir.path("fonts")); };
    make(dwt);
    const QString folder = dir.path("blueTemplate/");
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              (QStringList{"blue.dwt", "sky.png", "user.otf", "verdana.ttf", "verdanab.ttf", "verdanapro.ttf"}));
    EXPECT_EQ(test::TempDir::read(folder + "verdanab.ttf"), QByteArray("vb"));

    // Again on the same file: copies replaced without a question. A colour background and an
    // empty font name copy nothing more.
    prompter.reset();
    dir.write("blue.dwt", "MainDateFont\r\n\r\nBackground\r\nb0d0f0");
    make(dwt);
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(test::TempDir::read(folder + "blue.dwt"), QByteArray("MainDateFont\r\n\r\nBackground\r\nb0d0f0"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 6);

    // An empty file: folder and copy, no message. A folder that cannot be made: the error. Cancel: nothing.
    prompter.reset();
    dir.write("blockedTemplate", "a file in the way");
    make(dir.write("empty.dwt", ""));
    EXPECT_TRUE(QFileInfo::exists(dir.path("emptyTemplate/empty.dwt")));
    make(dir.write("blocked.dwt", "x"));
    make("");
    EXPECT_EQ(prompter.texts(), QStringList{"Error! Operation unsuccessful"});
}
