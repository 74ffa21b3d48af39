#include "core/events/Completion.h"
#include "core/events/CustomRule.h"

#include <gtest/gtest.h>

using namespace dw;

namespace {

// Ticks a box for every non-null text; "" ticks it with an empty field.
WhenForm form(const char *only, const char *from = nullptr, const char *to = nullptr)
{
    WhenForm f;
    f.only = only != nullptr;
    f.onlyText = QString::fromUtf8(only);
    f.between = from != nullptr;
    f.fromText = QString::fromUtf8(from);
    f.toText = QString::fromUtf8(to);
    return f;
}

// The stored rule, or the field that got the focus as "focus:Only" etc.
QString apply(const QString &eventDate, WhenForm f, WhenForm *after = nullptr, QDate today = QDate(2026, 3, 5))
{
    QString rule;
    const WhenField w = CustomRuleEditor(eventDate, today).apply(f, rule);
    if (after)
        *after = f;
    const char *names[] = {"", "focus:Only", "focus:From", "focus:To"};
    return w == WhenField::None ? rule : QString::fromLatin1(names[int(w)]);
}

} // namespace

TEST(CustomRuleTest, OpeningShowsFieldsAndHint)
{
    EXPECT_EQ(CustomRuleEditor::openForm("00/00 00/00 00/00"), WhenForm{});
    EXPECT_EQ(CustomRuleEditor::openForm("08/04 10/04 20/04"), form("08/04", "10/04", "20/04"));
    // One unset Between field clears both; a damaged rule opens as nothing customised.
    EXPECT_EQ(CustomRuleEditor::openForm("06/04 00/00 20/04"), form("06/04"));
    EXPECT_EQ(CustomRuleEditor::openForm(QString()), WhenForm{});
    // The dialog's own test shows the hint for a date inside one year.
    EXPECT_EQ(CustomRuleEditor("10/01/2001", QDate(2026, 3, 5)).hint(), "All dates between 17/12 & 10/01");
    EXPECT_EQ(CustomRuleEditor("29/02/2000", QDate(2026, 3, 5)).hint(), "All dates between 04/02 & 28/02");
    // Without a day and month nothing can be checked.
    EXPECT_FALSE(CustomRuleEditor("someday", QDate(2026, 3, 5)).valid());
}

TEST(CustomRuleTest, OnlyOnAndBetweenWithinTheWindowAndTogether)
{
    // The window is the 25 days up to the event: 06/04..30/04, and 17/12..10/01 across the year.
    const char *apr = "30/04/1990", *jan = "10/01/2001", *leap = "29/02/2000", *none = "someday";
    const std::tuple<const char *, WhenForm, const char *> cases[] = {
        {apr, form("06/04"), "06/04 00/00 00/00"}, {apr, form("30/04"), "30/04 00/00 00/00"},
        {apr, form("05/04"), "focus:Only"}, {apr, form("01/05"), "focus:Only"},
        {jan, form("17/12"), "17/12 00/00 00/00"}, {jan, form("16/12"), "focus:Only"},
        {apr, form(nullptr, "10/04", "20/04"), "00/00 10/04 20/04"}, {apr, form(nullptr, "20/04", "10/04"), "focus:From"},
        {apr, form(nullptr, "15/04", "15/04"), "focus:To"}, {apr, form(nullptr, "05/04", "20/04"), "focus:From"},
        {apr, form(nullptr, "10/04", "01/05"), "focus:To"}, {jan, form(nullptr, "20/12", "05/01"), "00/00 20/12 05/01"},
        {jan, form(nullptr, "10/12", "05/01"), "focus:From"}, {jan, form(nullptr, "20/12", "11/01"), "focus:To"},
        // Start and end are ordered in the years the event implies.
        {jan, form(nullptr, "05/01", "20/12"), "focus:From"}, {apr, form(nullptr, "20/12", "05/01"), "focus:From"},
        // Both ticked: an Only On day at or after the start is dropped, also across the year.
        {apr, form("15/04", "10/04", "20/04"), "00/00 10/04 20/04"}, {apr, form("08/04", "10/04", "20/04"), "08/04 10/04 20/04"},
        {jan, form("02/01", "20/12", "05/01"), "00/00 20/12 05/01"}, {jan, form("18/12", "20/12", "05/01"), "18/12 20/12 05/01"},
        // Day-first typing, the leap day, and a date without day and month: unticked boxes still clear it.
        {apr, form(nullptr, " 9/4", "20/4"), "00/00 09/04 20/04"},
        {leap, form("04/02"), "04/02 00/00 00/00"}, {leap, form("29/02"), "focus:Only"},
        {none, form("01/01"), "focus:Only"}, {none, WhenForm{}, "00/00 00/00 00/00"},
    };
    for (const auto &[date, f, expected] : cases) {
        WhenForm after;
        EXPECT_EQ(apply(date, f, &after), expected) << date << ' ' << f.onlyText.toStdString();
        // A dropped day unticks its box as well.
        EXPECT_EQ(after.only, f.only && !(f.between && QString(expected).startsWith("00/00"))) << expected;
    }
    // Seen from a leap year, the leap day is a day of its own window.
    EXPECT_EQ(apply(leap, form("29/02"), nullptr, QDate(2028, 1, 1)), "29/02 00/00 00/00");
}

// The dialog's name label: cut with dots to the width, never inside a character.
TEST(CustomRuleTest, LongNamesAreCutWithDots)
{
    const auto width = [](const QString &s) { return double(s.size()) * 10; };
    const std::pair<QString, QString> cases[] = {
        {"Alice", "Alice"}, {"Bartholome", "Bartho..."}, {QString(2000, 'x'), "xxxxxx..."},
        {QString::fromUtf8("Barth\U0001F600xyz"), "Barth..."},
    };
    for (const auto &[name, caption] : cases) {
        bool cut = caption == name; // the opposite of what the call must report
        EXPECT_EQ(elideCaption(name, 100, width, &cut), caption) << name.toStdString();
        EXPECT_EQ(cut, caption != name) << name.toStdString();
    }
}

TEST(CustomRuleTest, TypedDatesAreDayFirstAndChecked)
{
    // "5/4" shown back as "05/04" is checked in the dialog's own test.
    WhenForm after;
    for (const char *bad : {"31/02", "00/00", "ab/cd", "1/13", "", "1/1/1", "٣/٤"}) {
        EXPECT_EQ(apply("30/04/1990", form(bad), &after), "focus:Only") << bad;
        EXPECT_EQ(after.onlyText, QString::fromUtf8(bad));
        EXPECT_EQ(apply("30/04/1990", form(nullptr, bad, "20/04")), "focus:From") << bad;
        EXPECT_EQ(apply("30/04/1990", form(nullptr, "10/04", bad)), "focus:To") << bad;
    }
    EXPECT_EQ(parseEventDate("5/4/2001"), QDate(2001, 4, 5));
    EXPECT_FALSE(parseEventDate("29/02/2001").isValid());
    EXPECT_FALSE(parseEventDate("05-04-2001").isValid());
}

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
    // The name box's completion, its selection and the switch are typed in the window's test.
    EXPECT_EQ(completeName("$BD", pairs(), true).text, "Birthday");
    EXPECT_FALSE(completeName("me@xy", pairs(), true).changed); // domains are for addresses

    const Completed c = completeAddress("ann@xy", pairs(), true);
    EXPECT_EQ(c.text, "ann@example.org");
    EXPECT_EQ(c.selectionStart, 4);
    EXPECT_EQ(c.selectionLength, 11);
    EXPECT_EQ(completeAddress("Our $xy", pairs(), true).text, "Our Anniversary");
    EXPECT_FALSE(completeAddress("ann@gg", pairs(), true).changed); // half-filled pair
    EXPECT_FALSE(completeAddress("ann@xy", pairs(), false).changed);
    // A blank box reads "-", with completion off too.
    EXPECT_EQ(completeAddress("   ", pairs(), false).text, "-");
    EXPECT_FALSE(completeAddress("-", pairs(), true).changed);
    EXPECT_EQ(completeAddress(QString(2000, 'a') + "@xy", pairs(), true).text.size(), 2012);
}

TEST(CompletionTest, ShortcutBoxes)
{
    std::array<QString, 14> used{};
    used[3] = "zz";
    EXPECT_EQ(normalizeShortcut("AB", 0, used), "ab");
    for (const char *refused : {"7", "42", " ", "  ", "Z", ""})
        EXPECT_EQ(normalizeShortcut(refused, 0, used), "") << refused;
    EXPECT_EQ(normalizeShortcut("zz", 3, used), "zz");
}
