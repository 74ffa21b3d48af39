#include "core/events/Completion.h"

#include <gtest/gtest.h>

using namespace dw;

namespace {

CompletionSlots pairs()
{
    CompletionSlots s;
    s.shortcuts = {"xy", "gg", "", "", "", "", "", "bd", "xy"};
    s.texts = {"example.org", "", "", "", "", "", "", "Birthday", "Anniversary"};
    return s;
}

} // namespace

TEST(CompletionTest, NameAndAddressBoxes)
{
    Completed c = completeName("Happy $bd", pairs(), true);
    EXPECT_EQ(c.text, "Happy Birthday");
    EXPECT_EQ(c.selectionStart, 6);
    EXPECT_EQ(c.selectionLength, 8);
    EXPECT_EQ(completeName("$BD", pairs(), true).text, "Birthday");
    EXPECT_FALSE(completeName("Happy $bd", pairs(), false).changed);
    EXPECT_FALSE(completeName("me@xy", pairs(), true).changed); // domains are for addresses

    c = completeAddress("ann@xy", pairs(), true);
    EXPECT_EQ(c.text, "ann@example.org");
    EXPECT_EQ(c.selectionStart, 4);
    EXPECT_EQ(c.selectionLength, 11);
    EXPECT_EQ(completeAddress("ann@XY", pairs(), true).text, "ann@example.org");
    EXPECT_EQ(completeAddress("Our $xy", pairs(), true).text, "Our Anniversary");
    EXPECT_FALSE(completeAddress("ann@gg", pairs(), true).changed); // half-filled pair
    EXPECT_FALSE(completeAddress("ann@xy", pairs(), false).changed);
    // Blank boxes read "-" whether completion is on or off.
    EXPECT_EQ(completeAddress("   ", pairs(), false).text, "-");
    EXPECT_EQ(completeAddress("", pairs(), true).text, "-");
    EXPECT_FALSE(completeAddress("-", pairs(), true).changed);
    EXPECT_EQ(completeAddress(QString(2000, 'a') + "@xy", pairs(), true).text.size(), 2012);
}

TEST(CompletionTest, ShortcutBoxes)
{
    std::array<QString, 14> used{};
    used[3] = "zz";
    EXPECT_EQ(normalizeShortcut("Y", 0, used), "yy");
    EXPECT_EQ(normalizeShortcut("AB", 0, used), "ab");
    EXPECT_EQ(normalizeShortcut("in", 0, used), "in");
    for (const char *refused : {"7", "42", " ", "  ", "Z", ""})
        EXPECT_EQ(normalizeShortcut(refused, 0, used), "") << refused;
    EXPECT_EQ(normalizeShortcut("zz", 3, used), "zz");
}
