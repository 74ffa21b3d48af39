#include "core/events/Completion.h"

#include <gtest/gtest.h>

using namespace dw;

namespace {

CompletionSlots pairs()
{
    CompletionSlots s;
    s.shortcuts[0] = "xy";
    s.texts[0] = "example.org";
    s.shortcuts[1] = "gg";
    s.texts[1] = ""; // half-filled: ignored
    s.shortcuts[7] = "bd";
    s.texts[7] = "Birthday";
    s.shortcuts[8] = "xy";
    s.texts[8] = "Anniversary";
    return s;
}

} // namespace

TEST(CompletionTest, NameBoxExpandsCustomShortcuts)
{
    const Completed c = completeName("Happy $bd", pairs(), true);
    EXPECT_TRUE(c.changed);
    EXPECT_EQ(c.text, "Happy Birthday");
    EXPECT_EQ(c.selectionStart, 6);
    EXPECT_EQ(c.selectionLength, 8);
    EXPECT_EQ(completeName("$BD", pairs(), true).text, "Birthday");
    EXPECT_FALSE(completeName("Happy $bd", pairs(), false).changed);
    EXPECT_FALSE(completeName("bd", pairs(), true).changed);
    // Domain shortcuts do not apply to names.
    EXPECT_FALSE(completeName("me@xy", pairs(), true).changed);
    EXPECT_FALSE(completeName("", pairs(), true).changed);
}

TEST(CompletionTest, AddressBoxExpandsDomainsThenCustom)
{
    Completed c = completeAddress("ann@xy", pairs(), true);
    EXPECT_EQ(c.text, "ann@example.org");
    EXPECT_EQ(c.selectionStart, 4);
    EXPECT_EQ(c.selectionLength, 11);
    EXPECT_EQ(completeAddress("ann@XY", pairs(), true).text, "ann@example.org");
    EXPECT_EQ(completeAddress("Our $xy", pairs(), true).text, "Our Anniversary");
    EXPECT_EQ(completeAddress("Our $bd", pairs(), true).text, "Our Birthday");
    EXPECT_FALSE(completeAddress("ann@gg", pairs(), true).changed);
    EXPECT_FALSE(completeAddress("ann@xy", pairs(), false).changed);
    // Blank boxes read "-" whether completion is on or off.
    c = completeAddress("   ", pairs(), false);
    EXPECT_TRUE(c.changed);
    EXPECT_EQ(c.text, "-");
    EXPECT_EQ(completeAddress("", pairs(), true).text, "-");
    EXPECT_FALSE(completeAddress("-", pairs(), true).changed);
    const QString longText = QString(2000, QLatin1Char('a')) + "@xy";
    EXPECT_EQ(completeAddress(longText, pairs(), true).text.size(), 2000 + 1 + 11);
}

TEST(CompletionTest, ShortcutBoxes)
{
    std::array<QString, 14> used{};
    used[3] = "zz";
    EXPECT_EQ(normalizeShortcut("Y", 0, used), "yy");
    EXPECT_EQ(normalizeShortcut("7", 0, used), "");
    EXPECT_EQ(normalizeShortcut("42", 0, used), "");
    EXPECT_EQ(normalizeShortcut(" ", 0, used), "");
    EXPECT_EQ(normalizeShortcut("  ", 0, used), "");
    EXPECT_EQ(normalizeShortcut("AB", 0, used), "ab");
    EXPECT_EQ(normalizeShortcut("in", 0, used), "in");
    EXPECT_EQ(normalizeShortcut("Z", 0, used), "");
    EXPECT_EQ(normalizeShortcut("zz", 3, used), "zz");
    EXPECT_EQ(normalizeShortcut("", 0, used), "");
}
