#include "core/events/CustomRule.h"

#include <gtest/gtest.h>

using namespace dw;

namespace {

const QDate kToday(2026, 3, 5);

// Runs Apply on a form and returns the focused field and the rule written.
struct Outcome {
    WhenField focus;
    QString rule;
    WhenForm form;
};

Outcome apply(const QString &eventDate, WhenForm form)
{
    QString rule = QStringLiteral("unchanged");
    const WhenField f = CustomRuleEditor(eventDate, kToday).apply(form, rule);
    return {f, rule, form};
}

WhenForm only(const QString &t)
{
    WhenForm f;
    f.only = true;
    f.onlyText = t;
    return f;
}

WhenForm between(const QString &from, const QString &to)
{
    WhenForm f;
    f.between = true;
    f.fromText = from;
    f.toText = to;
    return f;
}

WhenForm both(const QString &o, const QString &from, const QString &to)
{
    WhenForm f = between(from, to);
    f.only = true;
    f.onlyText = o;
    return f;
}

} // namespace

TEST(CustomRuleTest, OpeningShowsFieldsAndHint)
{
    EXPECT_EQ(CustomRuleEditor::openForm(QStringLiteral("00/00 00/00 00/00")), WhenForm{});
    const WhenForm f = CustomRuleEditor::openForm(QStringLiteral("08/04 10/04 20/04"));
    EXPECT_TRUE(f.only && f.between);
    EXPECT_EQ(f.onlyText, "08/04");
    EXPECT_EQ(f.fromText, "10/04");
    EXPECT_EQ(f.toText, "20/04");
    // One unset Between field clears both.
    const WhenForm half = CustomRuleEditor::openForm(QStringLiteral("06/04 00/00 20/04"));
    EXPECT_FALSE(half.between);
    EXPECT_TRUE(half.fromText.isEmpty() && half.toText.isEmpty());
    // A short rule from a damaged file opens as nothing customised.
    EXPECT_EQ(CustomRuleEditor::openForm(QString()), WhenForm{});

    EXPECT_EQ(CustomRuleEditor("30/04/1990", kToday).hint(), "All dates between 06/04 & 30/04");
    EXPECT_EQ(CustomRuleEditor("10/01/2001", kToday).hint(), "All dates between 17/12 & 10/01");
}

TEST(CustomRuleTest, OnlyOnWithinTwentyFourDaysBefore)
{
    EXPECT_EQ(apply("30/04/1990", only("06/04")).rule, "06/04 00/00 00/00");
    EXPECT_EQ(apply("30/04/1990", only("30/04")).rule, "30/04 00/00 00/00");
    EXPECT_EQ(apply("30/04/1990", only("05/04")).focus, WhenField::Only);
    EXPECT_EQ(apply("30/04/1990", only("01/05")).focus, WhenField::Only);
    EXPECT_EQ(apply("30/04/1990", only("05/04")).rule, "unchanged");
    // Across the turn of the year.
    EXPECT_EQ(apply("10/01/2001", only("25/12")).rule, "25/12 00/00 00/00");
    EXPECT_EQ(apply("10/01/2001", only("16/12")).focus, WhenField::Only);
    EXPECT_EQ(apply("10/01/2001", only("17/12")).focus, WhenField::None);
}

TEST(CustomRuleTest, BetweenPeriods)
{
    EXPECT_EQ(apply("30/04/1990", between("10/04", "20/04")).rule, "00/00 10/04 20/04");
    EXPECT_EQ(apply("30/04/1990", between("20/04", "10/04")).focus, WhenField::From);
    EXPECT_EQ(apply("30/04/1990", between("15/04", "15/04")).focus, WhenField::To);
    EXPECT_EQ(apply("30/04/1990", between("05/04", "20/04")).focus, WhenField::From);
    EXPECT_EQ(apply("30/04/1990", between("10/04", "01/05")).focus, WhenField::To);
    EXPECT_EQ(apply("10/01/2001", between("20/12", "05/01")).rule, "00/00 20/12 05/01");
    EXPECT_EQ(apply("10/01/2001", between("20/12", "28/12")).rule, "00/00 20/12 28/12");
    EXPECT_EQ(apply("10/01/2001", between("10/12", "05/01")).focus, WhenField::From);
    EXPECT_EQ(apply("10/01/2001", between("20/12", "11/01")).focus, WhenField::To);
    // A January start before a December end lies after it: refused, not stored backwards.
    EXPECT_EQ(apply("10/01/2001", between("05/01", "20/12")).focus, WhenField::From);
    // A December-to-January period for an April event is far outside its window.
    EXPECT_EQ(apply("30/04/1990", between("20/12", "05/01")).focus, WhenField::From);
}

TEST(CustomRuleTest, OnlyOnAtOrAfterTheStartIsDropped)
{
    Outcome o = apply("30/04/1990", both("15/04", "10/04", "20/04"));
    EXPECT_EQ(o.rule, "00/00 10/04 20/04");
    EXPECT_FALSE(o.form.only);
    EXPECT_EQ(apply("30/04/1990", both("08/04", "10/04", "20/04")).rule, "08/04 10/04 20/04");
    // The same holds for a period across the turn of the year.
    o = apply("10/01/2001", both("25/12", "20/12", "05/01"));
    EXPECT_EQ(o.rule, "00/00 20/12 05/01");
    EXPECT_FALSE(o.form.only);
    EXPECT_EQ(apply("10/01/2001", both("02/01", "20/12", "05/01")).rule, "00/00 20/12 05/01");
    EXPECT_EQ(apply("10/01/2001", both("18/12", "20/12", "05/01")).rule, "18/12 20/12 05/01");
}

TEST(CustomRuleTest, TypedDatesAreDayFirstAndChecked)
{
    Outcome o = apply("30/04/1990", only("5/4"));
    EXPECT_EQ(o.form.onlyText, "05/04");
    EXPECT_EQ(o.focus, WhenField::Only); // 25 days before
    o = apply("30/04/1990", between(" 9/4", "1/4"));
    EXPECT_EQ(o.form.fromText, "09/04");
    EXPECT_EQ(o.form.toText, "01/04");
    o = apply("30/04/1990", between("10/4", "20/4"));
    EXPECT_EQ(o.rule, "00/00 10/04 20/04");

    for (const char *bad : {"31/02", "00/00", "ab/cd", "1/13", "", "1/1/1", "٣/٤"}) {
        o = apply("30/04/1990", only(QString::fromUtf8(bad)));
        EXPECT_EQ(o.focus, WhenField::Only) << bad;
        EXPECT_EQ(o.form.onlyText, QString::fromUtf8(bad)) << bad;
        EXPECT_EQ(apply("30/04/1990", between(QString::fromUtf8(bad), "20/04")).focus,
                  WhenField::From)
            << bad;
        EXPECT_EQ(apply("30/04/1990", between("10/04", QString::fromUtf8(bad))).focus,
                  WhenField::To)
            << bad;
    }
    EXPECT_EQ(parseDayMonth("5/4", 2026), QDate(2026, 4, 5));
    EXPECT_EQ(parseEventDate("5/4/2001"), QDate(2001, 4, 5));
    EXPECT_FALSE(parseEventDate("29/02/2001").isValid());
    EXPECT_FALSE(parseEventDate("05-04-2001").isValid());
}

TEST(CustomRuleTest, LeapDayEventInAnOrdinaryYear)
{
    const CustomRuleEditor e("29/02/2000", kToday);
    ASSERT_TRUE(e.valid());
    EXPECT_EQ(e.eventDay(), QDate(2026, 2, 28));
    EXPECT_EQ(e.hint(), "All dates between 04/02 & 28/02");
    EXPECT_EQ(apply("29/02/2000", only("04/02")).rule, "04/02 00/00 00/00");
    EXPECT_EQ(apply("29/02/2000", between("10/02", "28/02")).rule, "00/00 10/02 28/02");
    EXPECT_EQ(apply("29/02/2000", only("29/02")).focus, WhenField::Only);
    // In a leap year the day itself is used.
    QString rule;
    WhenForm f = only("29/02");
    EXPECT_EQ(CustomRuleEditor("29/02/2000", QDate(2028, 1, 1)).apply(f, rule), WhenField::None);
    EXPECT_EQ(rule, "29/02 00/00 00/00");
    // Without a day and month nothing can be checked, but unticked boxes still clear the rule.
    EXPECT_FALSE(CustomRuleEditor("someday", kToday).valid());
    EXPECT_EQ(apply("someday", only("01/01")).focus, WhenField::Only);
    EXPECT_EQ(apply("someday", WhenForm{}).rule, "00/00 00/00 00/00");
}

TEST(CustomRuleTest, LongNamesAreCutToFit)
{
    const auto width = [](const QString &s) { return double(s.size()) * 10; };
    bool cut = true;
    EXPECT_EQ(elideCaption("Alice", 100, width, &cut), "Alice");
    EXPECT_FALSE(cut);
    // 9 characters = 90 < 100 fits whole; 10 do not: 6 characters and "..." are 90 wide.
    EXPECT_EQ(elideCaption("Bartholomew", 100, width, &cut), "Bartho...");
    EXPECT_TRUE(cut);
    EXPECT_EQ(elideCaption(QString(2000, QLatin1Char('x')), 100, width), "xxxxxx...");
    EXPECT_EQ(elideCaption("abcdef", 20, width), "...");
}
