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

namespace {
const Message kDone{QStringLiteral("Done!"), QStringLiteral("Done!"), Icon::Information, Buttons::Ok, Button::Ok};

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
    const QString path = dir.path(QStringLiteral("look.dwt"));
    prompter.choose(path);
    ASSERT_TRUE(exportSettingsFile(m, store, prompter));
    EXPECT_EQ(test::TempDir::read(path), golden("defaults.dwt"));
    EXPECT_EQ(prompter.messages, std::vector<Message>{kDone});
    EXPECT_EQ(prompter.dialogs, std::vector<FileKind>{FileKind::SaveReg});
    EXPECT_TRUE(store.getAllSettings(kSettingsSection).empty()); // only TempSettings is touched

    // Replace refused once: the dialog comes back and the groups are written again.
    prompter.reset();
    m.remindBefore = QStringLiteral("7");
    m.animate = true;
    m.animation.clear(); // on, no kind: the earlier export's "0" stays in the file
    for (auto &s : m.shortcuts)
        s.clear();
    const QString other = dir.write(QStringLiteral("other.dwt"), "old");
    prompter.choose(path).answer(Button::No).choose(other).answer(Button::Yes);
    ASSERT_TRUE(exportSettingsFile(m, store, prompter));
    const Message replace{QStringLiteral("File \"") + path
                              + QStringLiteral("\" already exists.\r\nDo you want to replace it?"),
                          QStringLiteral("Save As"), Icon::Exclamation, Buttons::YesNo, Button::No};
    ASSERT_EQ(prompter.messages.size(), 3u);
    EXPECT_EQ(prompter.messages[0], replace);
    EXPECT_EQ(prompter.messages[2], kDone);
    EXPECT_EQ(test::TempDir::read(path), golden("defaults.dwt"));
    const SettingPairs pairs = parseSettingsFile(test::TempDir::read(other));
    ASSERT_EQ(pairs.size(), 61u);
    EXPECT_EQ(pairs[9], (SettingPair{"ImportantAnimate", "0"}));
    EXPECT_EQ(pairs[15], (SettingPair{"RemindBefore", "7"}));
    for (size_t i = 47; i < 61; ++i)
        EXPECT_EQ(pairs[i].second, QStringLiteral(" "));

    // Cancel: TempSettings still rewritten, nothing else.
    prompter.reset();
    prompter.choose(QString());
    EXPECT_FALSE(exportSettingsFile(m, store, prompter));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SettingsFileTest, FailedExportIsReportedAndLeavesNoFile)
{
    const QString path = dir.path(QStringLiteral("gone/look.dwt"));
    prompter.choose(path);
    EXPECT_FALSE(exportSettingsFile(m, store, prompter));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith(QStringLiteral("Cannot write the settings file \"") + path
                                                     + QStringLiteral("\".\r\n")));
    EXPECT_GT(prompter.messages[0].text.size(), (path + QStringLiteral("Cannot write the settings file \".\r\n")).size());
    EXPECT_EQ(prompter.messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(prompter.messages[0].icon, Icon::Critical);
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(SettingsFileTest, ImportStoresEveryPairAndReloads)
{
    store.saveSetting(kSettingsSection, QStringLiteral("MDEffect"), QStringLiteral("Glow"));
    // LF ends, Windows-1252 text, an unknown key and a last key without a value line.
    const QString path = dir.write(QStringLiteral("in.dwt"),
                                   "RemindBefore\n7\nNoSuchKey\nx\nScrollerFont\nCaf\xe9 Sans\nNameDateFont");
    prompter.choose(path);
    ASSERT_TRUE(importSettingsFile(m, store, prompter));
    EXPECT_EQ(prompter.messages, std::vector<Message>{kDone});
    EXPECT_EQ(m.remindBefore, QStringLiteral("7"));
    EXPECT_EQ(m.fonts[2], QStringLiteral("Caf\u00e9 Sans"));
    EXPECT_EQ(m.fonts[1], QStringLiteral("Arial"));
    EXPECT_EQ(m.mdEffect, QStringLiteral("Glow")); // not in the file: reloaded from the store
    EXPECT_EQ(store.getSetting(kSettingsSection, QStringLiteral("NoSuchKey")), QStringLiteral("x"));
    EXPECT_EQ(store.getSetting(kSettingsSection, QStringLiteral("NameDateFont"), QStringLiteral("?")), QString());

    // Missing file or cancel: silent.
    prompter.reset();
    prompter.choose(dir.path(QStringLiteral("nope.dwt"))).choose(QString());
    EXPECT_FALSE(importSettingsFile(m, store, prompter));
    EXPECT_FALSE(importSettingsFile(m, store, prompter));
    EXPECT_TRUE(prompter.messages.empty());

    // Import what an export wrote, export again: the same pairs.
    MemorySettingsStore fresh;
    SettingsModel n;
    prompter.reset();
    const QString back = dir.path(QStringLiteral("back.dwt"));
    prompter.choose(QStringLiteral(DW_TEST_DATA "/changed.dwt")).choose(back);
    importSettingsFile(n, fresh, prompter);
    exportSettingsFile(n, fresh, prompter);
    EXPECT_EQ(test::TempDir::read(back), golden("changed.dwt")); // byte for byte
}

TEST_F(SettingsFileTest, DwtOverDefaultsAndCommandLineHelpers)
{
    QString error;
    ASSERT_TRUE(settingsFromDwtFile(QStringLiteral(DW_TEST_DATA "/changed.dwt"), &m, &error));
    EXPECT_EQ(m.mdEffect, QStringLiteral("Drop Shadow"));
    EXPECT_FALSE(settingsFromDwtFile(dir.path(QStringLiteral("missing.dwt")), &m, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(m.mdEffect, QStringLiteral("None"));

    FileSettingsStore saved(dir.path(QStringLiteral("s.ini")));
    int count = 0;
    EXPECT_EQ(importSettingsFrom(QStringLiteral(DW_TEST_DATA "/changed.dwt"), saved, &count), QString());
    EXPECT_EQ(count, 61);
    const QString out = dir.path(QStringLiteral("out.dwt"));
    EXPECT_EQ(exportSavedSettingsTo(out, saved, &count), QString());
    EXPECT_EQ(test::TempDir::read(out), golden("changed.dwt"));
    // From an empty store the file is what the window would export right after start-up: the
    // defaults, with the Name-Date marker where start-up puts it, at the frame's right edge.
    FileSettingsStore empty(dir.path(QStringLiteral("empty.ini")));
    EXPECT_EQ(exportSavedSettingsTo(out, empty, &count), QString());
    EXPECT_EQ(count, 61);
    EXPECT_EQ(test::TempDir::read(out),
              golden("defaults.dwt").replace("NameDateLeft\r\n4050\r\n", "NameDateLeft\r\n4035\r\n"));
    EXPECT_FALSE(importSettingsFrom(dir.path(QStringLiteral("none.dwt")), saved).isEmpty());
    EXPECT_FALSE(exportSavedSettingsTo(dir.path(QStringLiteral("no/dir/x.dwt")), saved).isEmpty());
}

TEST(TemplateTest, CopiesTheFileItsFontsAndItsPicture)
{
    test::TempDir dir;
    test::ScriptedPrompter prompter;
    test::FakeFontCatalog fonts;
    QDir().mkpath(dir.path(QStringLiteral("fonts")));
    QDir().mkpath(dir.path(QStringLiteral("sys")));
    const auto font = [&](const char *name, const QString &file) {
        fonts.faceList.push_back({QString::fromLatin1(name), file});
    };
    font("Verdana Regular", dir.write(QStringLiteral("sys/verdana.ttf"), "v"));
    font("VERDANA Bold", dir.write(QStringLiteral("sys/verdanab.ttf"), "vb"));
    font("Verdana Pro Light", dir.write(QStringLiteral("sys/verdanapro.ttf"), "vp"));
    font("DejaVu Sans", dir.write(QStringLiteral("sys/dejavu.ttf"), "d"));
    dir.write(QStringLiteral("fonts/user.otf"), "u");
    font("Comic Neue Regular", QStringLiteral("user.otf"));       // bare name: the user's font folder
    font("Comic Neue Bold", QStringLiteral("missing.otf"));       // gone: skipped silently
    const QString picture = dir.write(QStringLiteral("sky.png"), "png");
    const QString dwt = dir.write(
        QStringLiteral("blue.dwt"),
        ("MainDateFont\r\nverdana\r\nnamedatefont\r\nComic Neue\r\nScrollerFont\r\nVerdana\r\nBackground\r\n"
         + picture + "\r\nScrollerFontColour\r\n0000ff")
            .toUtf8());
    prompter.choose(dwt);
    createTemplate(prompter, fonts, dir.path(QStringLiteral("fonts")));
    const QString folder = dir.path(QStringLiteral("blueTemplate/"));
    EXPECT_EQ(prompter.messages, (std::vector<Message>{{QStringLiteral("Files copied to \"") + folder + "\"",
                                                        QStringLiteral("Done!"), Icon::Information, Buttons::Ok,
                                                        Button::Ok}}));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              (QStringList{"blue.dwt", "sky.png", "user.otf", "verdana.ttf", "verdanab.ttf", "verdanapro.ttf"}));
    EXPECT_EQ(test::TempDir::read(folder + "verdanab.ttf"), QByteArray("vb"));

    // Again on the same file: copies replaced without a question. A colour background and an
    // empty font name copy nothing more.
    prompter.reset();
    dir.write(QStringLiteral("blue.dwt"), "MainDateFont\r\n\r\nBackground\r\nb0d0f0");
    prompter.choose(dwt);
    createTemplate(prompter, fonts, dir.path(QStringLiteral("fonts")));
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(test::TempDir::read(folder + "blue.dwt"), QByteArray("MainDateFont\r\n\r\nBackground\r\nb0d0f0"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 6);

    // An empty file: folder and copy, no message. A folder that cannot be made: the error.
    prompter.reset();
    const QString empty = dir.write(QStringLiteral("empty.dwt"), "");
    dir.write(QStringLiteral("blockedTemplate"), "a file in the way");
    const QString blocked = dir.write(QStringLiteral("blocked.dwt"), "x");
    prompter.choose(empty).choose(blocked).choose(QString());
    createTemplate(prompter, fonts, dir.path(QStringLiteral("fonts")));
    EXPECT_TRUE(QFileInfo::exists(dir.path(QStringLiteral("emptyTemplate/empty.dwt"))));
    createTemplate(prompter, fonts, dir.path(QStringLiteral("fonts")));
    createTemplate(prompter, fonts, dir.path(QStringLiteral("fonts")));
    EXPECT_EQ(prompter.messages, (std::vector<Message>{{QStringLiteral("Error! Operation unsuccessful"),
                                                        QStringLiteral("Error"), Icon::Critical, Buttons::Ok,
                                                        Button::Ok}}));
}
