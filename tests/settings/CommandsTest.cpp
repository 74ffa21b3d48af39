#include "core/settings/PositionEditor.h"
#include "core/settings/SettingsCommands.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"
#include "platform/ProductInfo.h"
#include "tests/support/FakeFontCatalog.h"
#include "tests/support/SavedGroups.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

using namespace dw;

namespace {
Message ok(const QString &text, const QString &title, Icon icon = Icon::Information)
{
    return {text, title, icon, Buttons::Ok, Button::Ok};
}

// The example look from the data folder, every colour changed, and the few values that file
// leaves at their defaults changed too, so a reset that forgets a field shows.
SettingsModel changedEverywhere()
{
    SettingsModel m;
    EXPECT_TRUE(settingsFromDwtFile(DW_TEST_DATA "/changed.dwt", &m));
    m.fontSizes = {"26", "20", "12"};
    for (auto &p : m.pickers)
        p = {"010203", p.defaultText, rgbValue(1, 2, 3)};
    m.pickers[3].defaultText = "00ff00";
    m.blurStrength = m.glowStrength = "5";
    m.ndOpacity = "7";
    m.saveAtExit = false;
    return m;
}
} // namespace

// Every fixed text the settings commands show, each once.
TEST(SettingsMessagesTest, EachCommandShowsItsOwnText)
{
    test::TempDir dir;
    const QString old = dir.write("old.dwt", "old"), gone = dir.path("gone/look.dwt");
    const QString binary = dir.write("pic.dwt", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    // A template gathers the file, the picture and every face whose name begins with a named
    // family, whatever the case; an empty family brings nothing.
    test::FakeFontCatalog fonts;
    for (const char *face : {"VERDANA Bold", "Verdana Pro Light", "DejaVu Sans"})
        fonts.faceList.push_back({face, dir.write(QString(face).remove(' ') + ".ttf", face)});
    const QString look = dir.write("blue.dwt", "ScrollerFont\r\n\r\nMainDateFont\r\nverdana\r\nBackground\r\n"
                                                   + dir.write("sky.png", "png").toUtf8());
    dir.write("blockedTemplate", "a file in the way");
    const QString blocked = dir.write("blocked.dwt", "x");
    SettingsModel m;
    MemorySettingsStore store;
    const auto exportTo = [&](test::ScriptedPrompter &p, const QString &path) {
        EXPECT_FALSE(exportSettingsFile(m, store, p.choose(path).answer(Button::No).choose("")));
    };
    const auto templateOf = [&](auto &p, const QString &path) { createTemplate(p.choose(path), fonts, "/nowhere"); };
    const struct {
        const char *what;
        std::function<void(test::ScriptedPrompter &)> run;
        Message want;
    } rows[] = {
        {"defaults", [&](auto &p) { formatDefaults(m, p.answer(Button::No)); },
         {"Do you want to revert all settings to Default settings?", "Default Settings?", Icon::Question,
          Buttons::YesNo, Button::No}},
        {"reset", [&](auto &p) { resetAllSettings(m, p.answer(Button::No)); },
         {"Are you sure you want to reset all settings?", "Reset?", Icon::Critical, Buttons::YesNo, Button::No}},
        {"save all", [&](auto &p) { saveAllSettingsCommand(m, store, p); }, ok("Done!", "Done!")},
        {"info", [](auto &p) { showTemplateInfo(p); },
         ok("\"Create Template From File...\" reads DWT files and copies all the font files, background images and "
            "Datewren Settings file to a folder. So that you can share your settings with other users through "
            "Datewren Homepage.\r\n\r\nCompress (ZIP) the folder and send it to " + product::kContactEmail
                + "\r\n\r\nPS: This feature is not perfectly coded. It may copy font files which may not be used by "
                  "that particular DWT file. So make sure you compress necessary files only.",
            "Info")},
        {"replace", [&](auto &p) { exportTo(p, old); },
         {"File \"" + old + "\" already exists.\r\nDo you want to replace it?", "Save As", Icon::Exclamation,
          Buttons::YesNo, Button::No}},
        {"export failed", [&](auto &p) { exportTo(p, gone); EXPECT_FALSE(QFileInfo::exists(gone)); },
         ok("Cannot write the settings file \"" + gone + "\".\r\nNo such file or directory", "Error", Icon::Critical)},
        {"import of a picture", [&](auto &p) { EXPECT_FALSE(importSettingsFile(m, store, p.choose(binary))); },
         ok("Cannot read the settings file \"" + binary + "\".\r\nIt is not a text file, so not a settings file",
            "Error", Icon::Critical)},
        {"template", [&](auto &p) { templateOf(p, look); },
         ok("Files copied to \"" + dir.path("blueTemplate/") + "\"", "Done!")},
        {"template failed", [&](auto &p) { templateOf(p, blocked); },
         ok("Error! Operation unsuccessful", "Error", Icon::Critical)},
    };
    for (const auto &r : rows) {
        test::ScriptedPrompter p;
        r.run(p);
        EXPECT_EQ(p.messages, std::vector<Message>{r.want}) << r.what;
    }
    EXPECT_EQ(store.getAllSettings(kSettingsSection).size(), 62u); // Save All wrote every group and the exit flag
    EXPECT_EQ(QDir(dir.path("blueTemplate")).entryList(QDir::Files, QDir::Name),
              (QStringList{"VERDANABold.ttf", "VerdanaProLight.ttf", "blue.dwt", "sky.png"}));
}

TEST(DefaultsTest, EachCommandAsksAndResetsOnlyItsGroups)
{
    using Command = bool (*)(SettingsModel &, Prompter &);
    const struct {
        const char *name;
        Command run;
        std::array<bool, 4> resets; // Format, Effects, Position, AutoC
        const char *importantDefault; // its own red, or the Name-Date colour once the pickers are refreshed
        const char *title = "Default Settings?";
    } commands[] = {
        {"format", [](auto &m, auto &p) { return formatDefaults(m, p); }, {1, 0, 0, 0}, "ff0000"},
        {"effects", [](auto &m, auto &p) { return effectsDefaults(m, p); }, {0, 1, 0, 0}, "00ff00"},
        {"position", [](auto &m, auto &p) { return positionDefaults(m, p); }, {0, 0, 1, 0}, "010203"},
        {"reset all", resetAllSettings, {1, 1, 1, 0}, "008000", "Reset?"}, // the shortcut pairs stay
    };
    const auto changed = test::savedGroups(changedEverywhere());
    const auto defaults = test::savedGroups(SettingsModel{});
    for (const auto &c : commands) {
        test::ScriptedPrompter prompter;
        SettingsModel m = changedEverywhere();
        EXPECT_FALSE(c.run(m, prompter.answer(Button::No).answer(Button::Yes))) << c.name;
        EXPECT_EQ(test::savedGroups(m), changed) << c.name;
        ASSERT_TRUE(c.run(m, prompter)) << c.name;
        ASSERT_EQ(prompter.messages.size(), 2u) << c.name; // one question each time, nothing else
        EXPECT_EQ(prompter.messages[1].title, c.title) << c.name;
        for (size_t g = 0; g < 4; ++g)
            EXPECT_EQ(test::savedGroups(m)[g], c.resets[g] ? defaults[g] : changed[g]) << c.name << " group " << g;
        EXPECT_EQ(m.pickers[3].defaultText, c.importantDefault) << c.name;
        // The exit flag stays; the animation kind stays for the next "Animate", and the picture for
        // the next picture background.
        EXPECT_FALSE(m.saveAtExit) << c.name;
        EXPECT_EQ(m.animation, "ColourBlink") << c.name;
        EXPECT_EQ(m.backgroundPicture, "/home/user/Pictures/sky.png") << c.name;
    }
}

// The bottom presets' places are LoadSettingsTest's, and so is the conflict rule's usual step back.
TEST(PositionEditorTest, TheConflictAtTheCornerDropsIntoTheFrameAndBoxCorrections)
{
    // At Top Left there is no step back but Custom, and the marker stays where it was.
    test::ScriptedPrompter beeper;
    SettingsModel m;
    chooseNameDatePosition(m, 1, &beeper);
    chooseMainDatePosition(m, 1, &beeper);
    EXPECT_EQ(std::pair(m.nameDateLeft, m.nameDateTop), std::pair(0.0, 120.0)); // below the top band
    EXPECT_EQ(m.mainDatePosition, "Custom");
    EXPECT_EQ(std::pair(m.mainDateLeft, m.mainDateTop), std::pair(4125.0, 1920.0));
    EXPECT_EQ(beeper.beeps, 1);

    chooseScrollerPosition(m, 2);
    const struct {
        Marker marker;
        double x, y, left, top;
    } drops[] = {
        {Marker::MainDate, 99999, 99999, 4840 - 705, 3630 - 210},
        {Marker::MainDate, -50, 10, 0, 120},         // never into the top band
        {Marker::MainDate, 1002, 1105.5, 650, 1000}, // 649.5 -> 650, 1000.5 -> 1000
        {Marker::NameDate, 2000, 2000, 1602, 1895},  // 1602.5 halves to even
        {Marker::Scroller, 3000, 5000, 0, 3420},
        {Marker::Scroller, 3000, 0, 0, 120},
    };
    for (const auto &d : drops) {
        dropMarker(m, d.marker, d.x, d.y, nullptr);
        const auto at = d.marker == Marker::MainDate   ? std::pair(m.mainDateLeft, m.mainDateTop)
                        : d.marker == Marker::NameDate ? std::pair(m.nameDateLeft, m.nameDateTop)
                                                       : std::pair(0.0, m.scrollerTop);
        EXPECT_EQ(at, std::pair(d.left, d.top)) << d.x << "," << d.y;
    }
    // A drop makes the place Custom (the Name-Date marker's right alignment is the page's).
    EXPECT_EQ(m.nameDatePosition, "Custom");
    EXPECT_EQ(m.scrollerPreset, -1);

    // What the taskbar and opacity boxes turn a typed value into, at the edges.
    for (const char *bad : {"-5", "5.", "+5", "70", "66", "abc", "", ".5", "1e1"})
        EXPECT_EQ(correctedTaskbarHeight(bad), "35") << bad;
    for (const char *good : {"0", "65", "40", "12.5"})
        EXPECT_EQ(correctedTaskbarHeight(good), good);
    for (const char *bad : {"101", "-1", "abc", ""})
        EXPECT_EQ(correctedOpacity(bad), "100") << bad;
    for (const char *good : {"0", "100", "55"})
        EXPECT_EQ(correctedOpacity(good), good);
}
