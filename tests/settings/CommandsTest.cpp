#include "core/settings/DependentControls.h"
#include "core/settings/PositionEditor.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsCommands.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"
#include "platform/ProductInfo.h"
#include "tests/support/SavedGroups.h"
#include "tests/support/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace dw;

namespace {
const Message kAskDefaults{QStringLiteral("Do you want to revert all settings to Default settings?"),
                           QStringLiteral("Default Settings?"), Icon::Question, Buttons::YesNo, Button::No};

// The example look from the data folder, every colour changed, and the few values that file
// leaves at their defaults changed too, so a reset that forgets a field shows.
SettingsModel changedEverywhere()
{
    SettingsModel m;
    EXPECT_TRUE(settingsFromDwtFile(QStringLiteral(DW_TEST_DATA "/changed.dwt"), &m));
    m.fontSizes = {QStringLiteral("26"), QStringLiteral("20"), QStringLiteral("12")};
    for (auto &p : m.pickers) {
        p.text = QStringLiteral("010203");
        p.value = rgbValue(1, 2, 3);
    }
    m.pickers[3].defaultText = QStringLiteral("00ff00");
    m.blurStrength = m.glowStrength = QStringLiteral("5");
    m.ndOpacity = QStringLiteral("7");
    m.saveAtExit = false;
    return m;
}
} // namespace

TEST(DefaultsTest, EachCommandAsksAndResetsOnlyItsGroups)
{
    const Message askReset{QStringLiteral("Are you sure you want to reset all settings?"), QStringLiteral("Reset?"),
                           Icon::Critical, Buttons::YesNo, Button::No};
    using Command = bool (*)(SettingsModel &, Prompter &);
    const struct {
        const char *name;
        Command run;
        Message ask;
        std::array<bool, 4> resets; // Format, Effects, Position, AutoC
        const char *importantDefault; // its own red, or the Name-Date colour once the pickers are refreshed
    } commands[] = {
        {"format", [](SettingsModel &m, Prompter &p) { return formatDefaults(m, p); }, kAskDefaults, {1, 0, 0, 0},
         "ff0000"},
        {"effects", [](SettingsModel &m, Prompter &p) { return effectsDefaults(m, p); }, kAskDefaults, {0, 1, 0, 0},
         "00ff00"},
        {"position", [](SettingsModel &m, Prompter &p) { return positionDefaults(m, p); }, kAskDefaults, {0, 0, 1, 0},
         "010203"},
        {"reset all", resetAllSettings, askReset, {1, 1, 1, 0}, "008000"}, // the shortcut pairs stay
    };
    const auto changed = test::savedGroups(changedEverywhere());
    const auto defaults = test::savedGroups(SettingsModel{});
    for (const auto &c : commands) {
        test::ScriptedPrompter prompter;
        SettingsModel m = changedEverywhere();
        prompter.answer(Button::No).answer(Button::Yes);
        EXPECT_FALSE(c.run(m, prompter)) << c.name;
        EXPECT_EQ(test::savedGroups(m), changed) << c.name;
        ASSERT_TRUE(c.run(m, prompter)) << c.name;
        EXPECT_EQ(prompter.messages, (std::vector<Message>{c.ask, c.ask})) << c.name;
        const auto now = test::savedGroups(m);
        for (size_t g = 0; g < 4; ++g)
            EXPECT_EQ(now[g], c.resets[g] ? defaults[g] : changed[g]) << c.name << " group " << g;
        EXPECT_FALSE(m.saveAtExit) << c.name;
        EXPECT_EQ(m.pickers[3].defaultText, QString::fromLatin1(c.importantDefault)) << c.name;
        EXPECT_EQ(m.animation, QStringLiteral("ColourBlink")); // the kind stays for the next "Animate"
        EXPECT_EQ(m.backgroundPicture, QStringLiteral("/home/user/Pictures/sky.png"));
    }
}

TEST(DefaultsTest, SaveAllAndTheInfoBox)
{
    test::ScriptedPrompter prompter;
    MemorySettingsStore store;
    SettingsModel m;
    m.saveAtExit = false;
    saveAllSettingsCommand(m, store, prompter);
    const SettingPairs all = store.getAllSettings(kSettingsSection);
    ASSERT_EQ(all.size(), 62u);
    EXPECT_EQ(all.back(), (SettingPair{"SaveAtExit", "0"}));
    showTemplateInfo(prompter);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0], (Message{QStringLiteral("Done!"), QStringLiteral("Done!"), Icon::Information,
                                             Buttons::Ok, Button::Ok}));
    const QString info =
        QStringLiteral("\"Create Template From File...\" reads DWT files and copies all the font files, background "
                       "images and Datewren Settings file to a folder. So that you can share your settings with "
                       "other users through Datewren Homepage.\r\n\r\nCompress (ZIP) the folder and send it to ")
        + product::kContactEmail
        + QStringLiteral("\r\n\r\nPS: This feature is not perfectly coded. It may copy font files which may not be "
                         "used by that particular DWT file. So make sure you compress necessary files only.");
    EXPECT_EQ(prompter.messages[1],
              (Message{info, QStringLiteral("Info"), Icon::Information, Buttons::Ok, Button::Ok}));
}

TEST(PositionEditorTest, PresetTableAndConflictRule)
{
    const MarkerSize md = kMainDateMarker;
    const std::vector<std::pair<double, double>> expected = {
        {0, 120},       {2067.5, 120},  {4135, 120},  {0, 1710}, {2067.5, 1710},
        {4135, 1710},   {0, 3390},      {2067.5, 3390}, {4135, 3390}};
    for (int i = 1; i <= 9; ++i) {
        const QPointF p = presetPlace(i, md);
        EXPECT_EQ(p.x(), expected[size_t(i - 1)].first) << i;
        EXPECT_EQ(p.y(), expected[size_t(i - 1)].second) << i;
    }
    test::ScriptedPrompter beeper;
    SettingsModel m;
    chooseNameDatePosition(m, 3, &beeper); // Top Right
    chooseMainDatePosition(m, 3, &beeper);
    EXPECT_EQ(m.mainDatePosition, QStringLiteral("Top Center"));
    EXPECT_EQ(beeper.beeps, 1);
    chooseNameDatePosition(m, 1, &beeper);
    chooseMainDatePosition(m, 1, &beeper);
    EXPECT_EQ(m.mainDatePosition, QStringLiteral("Custom"));
    EXPECT_EQ(m.mainDateLeft, 2067.5); // Custom leaves the marker where it was
    EXPECT_EQ(beeper.beeps, 2);
    chooseNameDatePosition(m, 0, &beeper); // Custom: right alignment
    EXPECT_EQ(m.nameDateAlign, 2);
    chooseAlignment(m, 1);
    EXPECT_EQ(m.nameDateAlign, 1);
    EXPECT_EQ(m.nameDatePosition, QStringLiteral("Custom"));
    EXPECT_EQ(beeper.beeps, 2);
}

TEST(PositionEditorTest, DropsAreCorrectedIntoTheFrame)
{
    SettingsModel m;
    chooseMainDatePosition(m, 4, nullptr);
    chooseNameDatePosition(m, 5, nullptr);
    chooseAlignment(m, 0);
    chooseScrollerPosition(m, 2);
    const struct {
        Marker marker;
        double x, y, left, top;
    } drops[] = {
        {Marker::MainDate, 99999, 99999, 4840 - 705, 3630 - 210},
        {Marker::MainDate, -50, 10, 0, 120},         // never into the top band
        {Marker::MainDate, 1000, 1105, 648, 1000},   // 647.5 halves to even
        {Marker::MainDate, 1002, 1105.5, 650, 1000}, // 649.5 -> 650, 1000.5 -> 1000
        {Marker::NameDate, 2000, 2000, 1602, 1895},  // 1602.5 halves to even
        {Marker::Scroller, 3000, 0, 0, 120},
        {Marker::Scroller, 3000, 5000, 0, 3420},
    };
    for (const auto &d : drops) {
        dropMarker(m, d.marker, d.x, d.y, nullptr);
        const auto at = d.marker == Marker::MainDate   ? std::pair(m.mainDateLeft, m.mainDateTop)
                        : d.marker == Marker::NameDate ? std::pair(m.nameDateLeft, m.nameDateTop)
                                                       : std::pair(0.0, m.scrollerTop);
        EXPECT_EQ(at, std::pair(d.left, d.top)) << d.x << "," << d.y;
    }
    // Every drop makes the place Custom; the Name-Date marker then aligns right.
    EXPECT_EQ(m.mainDatePosition, QStringLiteral("Custom"));
    EXPECT_EQ(m.nameDatePosition, QStringLiteral("Custom"));
    EXPECT_EQ(m.nameDateAlign, 2);
    EXPECT_EQ(m.scrollerPreset, -1);

    placeMarkersAtRightEdge(m);
    EXPECT_EQ(m.mainDateLeft, 4125);
    EXPECT_EQ(m.nameDateLeft, 4035);
}

TEST(PositionEditorTest, BoxCorrectionsAndDependentState)
{
    for (const char *bad : {"-5", "5.", "+5", "70", "66", "abc", "", ".5", "1e1"})
        EXPECT_EQ(correctedTaskbarHeight(QString::fromLatin1(bad)), QStringLiteral("35")) << bad;
    for (const char *good : {"0", "65", "40", "12.5"})
        EXPECT_EQ(correctedTaskbarHeight(QString::fromLatin1(good)), QString::fromLatin1(good));
    for (const char *bad : {"101", "-1", "abc", ""})
        EXPECT_EQ(correctedOpacity(QString::fromLatin1(bad)), QStringLiteral("100")) << bad;
    for (const char *good : {"0", "100", "55"})
        EXPECT_EQ(correctedOpacity(QString::fromLatin1(good)), QString::fromLatin1(good));

    SettingsModel m;
    ControlsState s = refreshDependentControls(m);
    EXPECT_TRUE(s.backgroundColourVisible);
    EXPECT_FALSE(s.backgroundPictureVisible);
    EXPECT_EQ(s.effectPanelVisible, (std::array<bool, 5>{}));
    EXPECT_FALSE(s.effectColourVisible);
    EXPECT_EQ(s.guideLines, (std::array<double, 3>{1920, 2280, 1920}));
    EXPECT_EQ(s.daysSentence, QStringLiteral("Remind me             days before an event."));

    m.mdEffect = QStringLiteral("Blur");
    m.backgroundKind = QStringLiteral("Picture");
    m.mdDateStyle = QStringLiteral("MMMM dd, yyyy");
    m.remindBefore = QStringLiteral("1");
    m.showBlock = {false, false, true, true};
    s = controlsState(m);
    EXPECT_EQ(s.effectPanelVisible, (std::array<bool, 5>{false, true, false, false, false}));
    EXPECT_FALSE(s.effectColourVisible);
    EXPECT_FALSE(s.backgroundColourVisible);
    EXPECT_TRUE(s.backgroundPictureVisible);
    EXPECT_FALSE(s.mdSeparatorEnabled);
    EXPECT_EQ(s.daysSentence, QStringLiteral("Remind me             day before an event."));
    EXPECT_EQ(s.blockEnabled, (std::array<bool, 4>{true, true, false, true})); // Scroller is the last one
    m.mdEffect = QStringLiteral("Glow");
    m.showBlock = {false, true, true, true};
    s = controlsState(m);
    EXPECT_EQ(s.effectPanelVisible, (std::array<bool, 5>{false, false, false, true, false}));
    EXPECT_TRUE(s.effectColourVisible);
    EXPECT_EQ(s.blockEnabled, (std::array<bool, 4>{true, true, true, true}));

    // A colour change: text follows, and picker 3's default follows the Name-Date colour.
    setPickerColour(m, 1, rgbValue(0x12, 0x34, 0x56), true);
    EXPECT_EQ(m.pickers[1].text, QStringLiteral("123456"));
    EXPECT_EQ(m.pickers[3].defaultText, QStringLiteral("123456"));
}
