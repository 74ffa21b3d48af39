#include "core/settings/DependentControls.h"
#include "core/settings/PositionEditor.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"
#include "tests/support/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace dw;

namespace {
MemorySettingsStore storeWith(const SettingPairs &pairs)
{
    MemorySettingsStore s;
    s.saveSettings(kSettingsSection, pairs);
    return s;
}

SettingsModel loaded(const SettingPairs &pairs, SettingsModel m = {})
{
    loadSettings(m, storeWith(pairs));
    return m;
}

// Every saved group of `a` equals that of `want`.
void expectSameSettings(SettingsModel a, SettingsModel want)
{
    EXPECT_EQ(formatPairs(a), formatPairs(want));
    EXPECT_EQ(effectsPairs(a), effectsPairs(want));
    EXPECT_EQ(positionPairs(a), positionPairs(want));
    EXPECT_EQ(autoCPairs(a), autoCPairs(want));
}

QStringList keys(const SettingPairs &pairs)
{
    QStringList k;
    for (const auto &p : pairs)
        k << p.first;
    return k;
}
} // namespace

TEST(LoadSettingsTest, EmptyStoreGivesTheDefaults)
{
    SettingsModel m;
    m.taskbarHeight = QStringLiteral("50"); // missing: the box turns "" into the default 35
    m.pickers[0].text = QStringLiteral("123456");
    m.pickers[0].value = rgbValue(0x12, 0x34, 0x56);
    loadSettings(m, MemorySettingsStore());
    SettingsModel want;
    want.pickers[0] = m.pickers[0]; // colours unchanged
    EXPECT_EQ(m.pickers[0].text, QStringLiteral("123456"));
    expectSameSettings(m, want);
    EXPECT_TRUE(m.saveAtExit);
}

TEST(LoadSettingsTest, MissingBlankAndRefusedValues)
{
    SettingsModel start;
    start.mdEffect = QStringLiteral("Glow");
    start.mdDateSep = QStringLiteral("-");
    start.showBlock[1] = false;
    const SettingsModel m = loaded({{"RemindBefore", " "},
                                    {"MDEffect", " "}, {"MDDateSep", " "}, {"MainDateFontSize", "999"},
                                    {"NameDateFontStyle", "Purple"}, {"DropX", "-4"}, {"CheckBox1", "abc"},
                                    {"NDOpacity", "-1"}, {"MDOpacity", "55"}, {"ScrollerFont", "Not Installed Sans"},
                                    {"NameDateFont", "Bad\nName"}, {"NameDateLeft", "abc"}, {"NameDateTop", "-1"},
                                    {"ScrollerTop", "1e309"}},
                                   start);
    // A blank RemindBefore gives the default but leaves the effect and separator alone; refused
    // values give the defaults; only the two good values are taken.
    SettingsModel want = start;
    want.mdOpacity = QStringLiteral("55");
    want.fonts[2] = QStringLiteral("Not Installed Sans");
    EXPECT_EQ(m.mdEffect, QStringLiteral("Glow"));
    EXPECT_FALSE(m.showBlock[1]);
    expectSameSettings(m, want);
}

TEST(LoadSettingsTest, ColourTextsAreReadAndNormalised)
{
    SettingsModel m = loaded({{"MainDateFontColour", "FF8000"},
                              {"NameDateFontColour", "zz0000"}, {"ScrollerFontColour", "12345"},
                              {"ImportantColour", "#ff0000"}, {"MDEffectColor", "1234"}, {"NDRollover", "0f0a0B"},
                              {"ScrollerBgColour", "ff0z00"}, {"Background", "c0ffee"}});
    EXPECT_EQ(m.pickers[0].text, QStringLiteral("ff8000"));
    EXPECT_EQ(m.pickers[0].value, rgbValue(255, 128, 0));
    EXPECT_EQ(m.pickers[1].text, QStringLiteral("008000")); // unreadable: the picker's own colour
    EXPECT_EQ(m.pickers[2].text, QStringLiteral("123405"));
    EXPECT_EQ(m.pickers[3].text, QStringLiteral("ff0000"));
    EXPECT_EQ(m.pickers[5].text, QStringLiteral("808080"));
    EXPECT_EQ(m.pickers[6].text, QStringLiteral("0f0a0b"));
    EXPECT_EQ(m.pickers[7].text, QStringLiteral("ffffdf"));
    EXPECT_EQ(m.pickers[4].text, QStringLiteral("c0ffee"));
    EXPECT_EQ(m.backgroundKind, QStringLiteral("Colour"));
}

TEST(LoadSettingsTest, SpecialKeys)
{
    SettingsModel m = loaded({{"ImportantAnimate", "Glow"},
                              {"Background", "C:\\pics\\sky.gif"}, {"TaskbarHeight", "40"},
                              {"Shortcut0", "xy example.org"}, {"Shortcut1", " "},
                              {QStringLiteral("Shortcut2"), QString::fromUtf8("a\U0001F600 b\U0001F600")},
                              {"SaveAtExit", "0"}});
    EXPECT_TRUE(m.animate);
    EXPECT_EQ(m.animation, QStringLiteral("Glow"));
    EXPECT_EQ(m.backgroundKind, QStringLiteral("Picture"));
    EXPECT_EQ(m.backgroundPicture, QStringLiteral("C:\\pics\\sky.gif"));
    EXPECT_EQ(m.pickers[4].text, QStringLiteral("b0d0f0"));
    EXPECT_EQ(m.taskbarHeight, QStringLiteral("40"));
    EXPECT_EQ(m.shortcuts[0], QStringLiteral("xy"));
    EXPECT_EQ(m.completions[0], QStringLiteral("example.org"));
    EXPECT_EQ(m.shortcuts[1], QStringLiteral("gg"));
    EXPECT_EQ(m.shortcuts[2], QString::fromUtf8("a\U0001F600")); // characters, not half of one
    EXPECT_EQ(m.completions[2], QString::fromUtf8("b\U0001F600"));
    EXPECT_FALSE(m.saveAtExit);

    m = loaded({{"ImportantAnimate", "0"},
                {"Background", "/home/u/sky.png"}, {"TaskbarHeight", "0"}, {"SaveAtExit", "-1"}},
               m);
    EXPECT_FALSE(m.animate);
    EXPECT_EQ(m.animation, QStringLiteral("Glow")); // the menu keeps its choice
    EXPECT_EQ(m.backgroundPicture, QStringLiteral("/home/u/sky.png"));
    EXPECT_EQ(m.taskbarHeight, QStringLiteral("40"));
    EXPECT_FALSE(m.saveAtExit);

    m = loaded({{"ImportantAnimate", "1"}, {"Background", " "}, {"TaskbarHeight", "abc"}, {"SaveAtExit", "1"}},
               m);
    EXPECT_TRUE(m.animate);
    EXPECT_EQ(m.backgroundKind, QStringLiteral("Colour"));
    EXPECT_EQ(m.taskbarHeight, QStringLiteral("35"));
    EXPECT_TRUE(m.saveAtExit);

    m = loaded({{"ImportantAnimate", "999"}}, m);
    EXPECT_TRUE(m.animate);
}

TEST(LoadSettingsTest, PositionsPresetsWinAndAlignmentBeatsPosition)
{
    test::ScriptedPrompter beeper;
    SettingsModel m;
    loadSettings(m,
                 storeWith({{"MainDateLeft", "100"},
                            {"MainDateTop", "200"}, {"MainDatePosition", "Bottom Right"}, {"NameDateAlign", "left"},
                            {"NameDatePosition", "Top Left"}, {"ScrollerTop", "middle"}}),
                 &beeper);
    EXPECT_EQ(m.mainDatePosition, QStringLiteral("Bottom Right"));
    EXPECT_EQ(m.mainDateLeft, 4840 - 705);
    EXPECT_EQ(m.mainDateTop, 3630 - 210 - 30);
    EXPECT_EQ(m.nameDateAlign, 0);
    EXPECT_EQ(m.nameDatePosition, QStringLiteral("Custom"));
    EXPECT_EQ(m.scrollerPreset, 1);
    EXPECT_EQ(m.scrollerTop, 1710);
    EXPECT_EQ(beeper.beeps, 0);

    loadSettings(m,
                 storeWith({{"MainDateLeft", "none"}, {"MainDatePosition", "none"}, {"NameDateAlign", "0"},
                            {"NameDatePosition", "Bottom Right"}, {"ScrollerTop", "1500.5"}}),
                 &beeper);
    EXPECT_EQ(m.mainDatePosition, QStringLiteral("Bottom Right"));
    EXPECT_EQ(m.nameDatePosition, QStringLiteral("Bottom Center")); // conflict: one step back
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(m.nameDateAlign, -1);
    EXPECT_EQ(m.nameDateLeft, (4840 - 795) / 2.0);
    EXPECT_EQ(m.scrollerTop, 1500.5);
    EXPECT_EQ(m.scrollerPreset, -1);
}

TEST(SaveGroupsTest, KeyOrderAndValues)
{
    SettingsModel m;
    EXPECT_EQ(keys(formatPairs(m)).join(QLatin1Char(',')),
              QStringLiteral("MainDateFont,MainDateFontSize,MainDateFontColour,MainDateFontStyle,NameDateFont,"
                             "NameDateFontSize,NameDateFontColour,NameDateFontStyle,ImportantColour,"
                             "ImportantAnimate,Background,ScrollerFont,ScrollerFontSize,ScrollerFontColour,"
                             "ScrollerFontStyle,RemindBefore,CheckBox0,CheckBox1,CheckBox2,CheckBox3"));
    EXPECT_EQ(keys(effectsPairs(m)).join(QLatin1Char(',')),
              QStringLiteral("MDEffect,BlurStr,BlurDir,DropX,DropY,GlowStr,SpookyDir,MDOpacity,MDDateStyle,"
                             "MDDateSep,NDDateStyle,NDDateSep,NDOpacity,MDEffectColor,NDRollover,"
                             "ScrollerBgColour,ScrollerBgStyle,ScrollerBorderStyle"));

    // Presets: position first with "none" coordinates; alignment "0" after the position.
    chooseMainDatePosition(m, 5, nullptr);
    chooseNameDatePosition(m, 9, nullptr);
    chooseScrollerPosition(m, 2);
    m.taskbarHeight = QStringLiteral("48");
    EXPECT_EQ(positionPairs(m),
              (SettingPairs{{"TaskbarHeight", "48"},
                            {"NameDateLeft", "4045"}, {"NameDateTop", "3390"}, {"MainDatePosition", "Middle Center"},
                            {"MainDateLeft", "none"}, {"MainDateTop", "none"}, {"ScrollerTop", "bottom"},
                            {"NameDatePosition", "Bottom Right"}, {"NameDateAlign", "0"}}));
    SettingsModel back;
    loadSettings(back, storeWith(positionPairs(m)));
    EXPECT_EQ(positionPairs(back), positionPairs(m));
    EXPECT_EQ(back.mainDateLeft, 2067.5);
    back.scrollerPreset = -1;
    back.scrollerTop = 0.00001; // a hand-edited place: still plain decimal text, never "1e-05"
    loadSettings(back, storeWith(positionPairs(back)));
    EXPECT_EQ(positionPairs(back)[6].second, QStringLiteral("0.00001"));

    // Animation on with no kind ticked: the key is not written, so the store keeps its value.
    MemorySettingsStore store = storeWith({{"ImportantAnimate", "Blink"}});
    m.animate = true;
    m.animation.clear();
    saveFormatSettings(m, store, kSettingsSection);
    EXPECT_EQ(store.getSetting(kSettingsSection, QStringLiteral("ImportantAnimate")), QStringLiteral("Blink"));
    m.backgroundKind = QStringLiteral("Picture");
    m.backgroundPicture = QStringLiteral("/p/sky.png");
    EXPECT_EQ(formatPairs(m)[9], (SettingPair{"Background", "/p/sky.png"}));
}

TEST(SaveGroupsTest, AutoCEmptiesHalfPairsAndSaveAllOrder)
{
    SettingsModel m;
    m.shortcuts[5] = QStringLiteral("zz");   // no completion
    m.completions[6] = QStringLiteral("lonely"); // no shortcut
    const SettingPairs pairs = autoCPairs(m);
    EXPECT_TRUE(m.shortcuts[5].isEmpty());
    EXPECT_TRUE(m.completions[6].isEmpty());
    ASSERT_EQ(pairs.size(), 14u);
    EXPECT_EQ(pairs[0], (SettingPair{"Shortcut0", "aa aol.com"}));
    EXPECT_EQ(pairs[5].second, QStringLiteral(" "));
    EXPECT_EQ(pairs[13].first, QStringLiteral("Shortcut13"));

    MemorySettingsStore store;
    m.saveAtExit = false;
    storeSaveAtExit(m, store);
    saveAllGroups(m, store, kSettingsSection);
    const SettingPairs all = store.getAllSettings(kSettingsSection);
    ASSERT_EQ(all.size(), 1u + 20 + 18 + 9 + 14);
    EXPECT_EQ(all[0], (SettingPair{"SaveAtExit", "0"}));
    EXPECT_EQ(all[1].first, QStringLiteral("MainDateFont"));
    EXPECT_EQ(all[21].first, QStringLiteral("MDEffect"));
    EXPECT_EQ(all[39].first, QStringLiteral("TaskbarHeight"));
    EXPECT_EQ(all[48].first, QStringLiteral("Shortcut0"));
}
