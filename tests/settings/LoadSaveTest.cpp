#include "core/settings/DependentControls.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"
#include "tests/support/SavedGroups.h"
#include "tests/support/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace dw;

namespace {
SettingsModel loaded(const SettingPairs &pairs, SettingsModel m = {}, Prompter *beeper = nullptr)
{
    MemorySettingsStore s;
    s.saveSettings(kSettingsSection, pairs);
    loadSettings(m, s, beeper);
    return m;
}
} // namespace

TEST(LoadSettingsTest, MissingBlankAndRefusedValues)
{
    SettingsModel start;
    start.mdEffect = "Glow";
    start.mdDateSep = "-";
    start.showBlock[1] = false;
    const SettingsModel m = loaded({{"RemindBefore", " "}, {"MDEffect", " "}, {"MDDateSep", " "},
                                    {"MainDateFontSize", "999"}, {"NameDateFontStyle", "Purple"}, {"DropX", "-4"},
                                    {"CheckBox1", "abc"}, {"NDOpacity", "-1"}, {"MDOpacity", "55"},
                                    {"ScrollerFont", "Not Installed Sans"}, {"NameDateFont", "Bad\nName"},
                                    {"NameDateLeft", "abc"}, {"NameDateTop", "-1"}, {"ScrollerTop", "1e309"},
                                    {"MainDateFont", "Nimbus Sans [urw]"}, {"MainDateFontColour", "FF8000"},
                                    {"NameDateFontColour", "zz0000"}, {"ScrollerFontColour", "12345"},
                                    {"MDEffectColor", "1234"}, {"Background", "c0ffee"}},
                                   start);
    // A blank RemindBefore gives the default but leaves the effect and separator alone; refused
    // values give the defaults; only the good values are taken, colour texts normalised.
    SettingsModel want = start;
    want.mdOpacity = "55";
    want.fonts[2] = "Not Installed Sans";
    want.fonts[0] = "Nimbus Sans"; // the font list's foundry tag is not a family name
    want.pickers[0].text = "ff8000";
    want.pickers[2].text = "123405";
    want.pickers[4].text = "c0ffee";
    EXPECT_EQ(test::savedGroups(m), test::savedGroups(want));
    EXPECT_EQ(m.pickers[0].value, rgbValue(255, 128, 0));
}

TEST(LoadSettingsTest, SpecialKeysAndPlaces)
{
    test::ScriptedPrompter beeper;
    SettingsModel m = loaded({{"ImportantAnimate", "Glow"}, {"Background", "C:\\pics\\sky.gif"},
                              {"TaskbarHeight", "40"}, {"Shortcut0", "xy example.org"},
                              {"Shortcut2", QString::fromUtf8("a\U0001F600 b\U0001F600")}, {"SaveAtExit", "0"},
                              {"MainDateLeft", "100"}, {"MainDateTop", "200"}, {"MainDatePosition", "Bottom Right"},
                              {"NameDateAlign", "left"}, {"NameDatePosition", "Top Left"}, {"ScrollerTop", "middle"}},
                             {}, &beeper);
    EXPECT_TRUE(m.animate);
    EXPECT_EQ(m.backgroundKind, "Picture");
    EXPECT_EQ(std::pair(m.shortcuts[0], m.completions[0]), std::pair(QString("xy"), QString("example.org")));
    EXPECT_EQ(std::pair(m.shortcuts[2], m.completions[2]), // characters, not half of one
              std::pair(QString::fromUtf8("a\U0001F600"), QString::fromUtf8("b\U0001F600")));
    // A preset wins over the place, the alignment over the Name-Date's preset.
    EXPECT_EQ(std::pair(m.mainDateLeft, m.mainDateTop), std::pair(4840.0 - 705, 3630.0 - 210 - 30));
    EXPECT_EQ(std::pair(m.nameDatePosition, m.nameDateAlign), std::pair(QString("Custom"), 0));
    EXPECT_EQ(std::pair(m.scrollerPreset, m.scrollerTop), std::pair(1, 1710.0));

    // The menu keeps its kind. A path with a control character cannot be shown or written as it
    // stands, so it is refused; a taskbar height of 0 and an out-of-range flag change nothing.
    // "none" keeps the Main Date where it was; the Name-Date place conflicts: one step back, with
    // the only beep.
    m = loaded({{"ImportantAnimate", "0"}, {"Background", "/home/u/x\tonload=alert(1).png"}, {"TaskbarHeight", "0"},
                {"SaveAtExit", "-1"}, {"MainDateLeft", "none"}, {"MainDatePosition", "none"}, {"NameDateAlign", "0"},
                {"NameDatePosition", "Bottom Right"}, {"ScrollerTop", "1500.5"}},
               m, &beeper);
    EXPECT_EQ(std::pair(m.animate, m.animation), std::pair(false, QString("Glow")));
    EXPECT_EQ(m.backgroundPicture, "C:\\pics\\sky.gif");
    EXPECT_EQ(m.taskbarHeight, "40");
    EXPECT_FALSE(m.saveAtExit);
    EXPECT_EQ(m.mainDatePosition, "Bottom Right");
    EXPECT_EQ(std::pair(m.nameDatePosition, m.nameDateAlign), std::pair(QString("Bottom Center"), -1));
    EXPECT_EQ(m.nameDateLeft, (4840 - 795) / 2.0);
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(std::pair(m.scrollerPreset, m.scrollerTop), std::pair(-1, 1500.5));

    m = loaded({{"ImportantAnimate", "999"}, {"Background", " "}, {"TaskbarHeight", "abc"}}, m);
    EXPECT_FALSE(m.animate); // out of range: unchanged
    EXPECT_EQ(m.backgroundKind, "Colour");
    EXPECT_EQ(m.taskbarHeight, "35");
    EXPECT_TRUE(loaded({{"ImportantAnimate", "1"}}, m).animate);
}

// Key order, preset and "none" values and the save-all order are pinned by the golden settings
// files (SettingsFileTest); these are the cases those files cannot show.
TEST(SaveGroupsTest, HandEditedPlacesAndHalfPairs)
{
    SettingsModel m;
    m.scrollerTop = 0.00001; // a hand-edited place: still plain decimal text, never "1e-05"
    EXPECT_EQ(positionPairs(m)[6], (SettingPair{"ScrollerTop", "0.00001"}));
    EXPECT_EQ(loaded(positionPairs(m)).scrollerTop, 0.00001);

    m.shortcuts[5] = "zz";       // no completion
    m.completions[6] = "lonely"; // no shortcut
    const SettingPairs pairs = autoCPairs(m);
    EXPECT_EQ(std::pair(m.shortcuts[5], m.completions[6]), std::pair(QString(), QString()));
    ASSERT_EQ(pairs.size(), 14u);
    // The key names are the golden files'.
    EXPECT_EQ(std::pair(pairs[5].second, pairs[6].second), std::pair(QString(" "), QString(" ")));
}
