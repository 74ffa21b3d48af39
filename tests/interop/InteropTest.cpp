#include "core/events/ListFile.h"
#include "interop/ICalendar.h"
#include "interop/ImportMerge.h"
#include "interop/VCardReader.h"
#include "tests/support/TempDir.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <libical/ical.h>

using namespace dw;

namespace {

QString sample(const char *name)
{
    return QStringLiteral(DW_TEST_DATA "/") + QLatin1String(name);
}

EventRecord rec(const QString &name, const QString &date, const QString &address = kNoAddress, int mark = 0,
                const QString &rule = kDefaultRule)
{
    return {name, date, address, mark, rule};
}

std::vector<EventRecord> records(const ImportResult &r)
{
    std::vector<EventRecord> out;
    for (const auto &e : r.events)
        out.push_back(e.record);
    return out;
}

} // namespace

TEST(VCardTest, DateForms)
{
    struct Case { const char *value; int omit; bool ok; int y, m, d; };
    const Case cases[] = {
        {"1996-04-15", 0, true, 1996, 4, 15},   {"19960415", 0, true, 1996, 4, 15},
        {"1996-04-15T23:30:00-08:00", 0, true, 1996, 4, 15}, {"19960415T233000Z", 0, true, 1996, 4, 15},
        {"--0415", 0, true, 0, 4, 15},          {"--04-15", 0, true, 0, 4, 15},
        {"1604-02-29", 1604, true, 0, 2, 29},   {"1604-03-01", 0, true, 0, 3, 1},
        {"--0229", 0, true, 0, 2, 29},          {"2000-02-29", 0, true, 2000, 2, 29},
        {"2023-02-29", 0, false, 0, 0, 0},      {"0000-00-00", 0, false, 0, 0, 0},
        {"1996-04", 0, false, 0, 0, 0},         {"---15", 0, false, 0, 0, 0},
        {"1996-4-15", 0, false, 0, 0, 0},       {"abcd-ef-gh", 0, false, 0, 0, 0},
        {"", 0, false, 0, 0, 0},
    };
    for (const Case &c : cases) {
        const VCardDate d = parseVCardDate(QString::fromLatin1(c.value), c.omit);
        EXPECT_EQ(d.ok, c.ok) << c.value;
        if (c.ok) {
            EXPECT_EQ(std::tuple(d.year, d.month, d.day), std::tuple(c.y, c.m, c.d)) << c.value;
        }
    }
}

// Address books from a phone, an old mail program and a desktop, and a calendar; the reader
// is chosen by the content.
TEST(ImportTest, SampleFiles)
{
    struct Case {
        const char *file;
        std::vector<EventRecord> events;
        int entries, withoutEvent;
        QStringList skipped;
    };
    const Case cases[] = {
        {"phone.vcf",
         {rec("Grace Hopper", "09/12/1906", "grace@navy.example"), rec("Grace Hopper", "15/06/1930", "grace@navy.example"),
          rec("Grace Hopper", "01/03/2001", "grace@navy.example"), rec("Ada Lovelace", "10/12/1604")},
         3, 1, {"No Date Person: no date"}},
        {"mail21.vcf",
         {rec(QStringLiteral("Jürgen Müller"), "20/05/1995", "juergen@example.de"), rec(QStringLiteral("François"), "15/04/1604")},
         2, 0, {QStringLiteral("Jürgen Müller: BDAY 19700229 is not a date")}},
        {"desktop40.vcf",
         {rec("Alan Turing", "23/06/1912", "first@example.org"), rec("Alan Turing", "07/06/1604", "first@example.org"),
          rec("Bad Dates", "09/09/1999")},
         4, 2,
         {"Text Date: BDAY circa 1800 is text, not a date", "Bad Dates: BDAY 0000-00-00 is not a date",
          "Bad Dates: X-EVOLUTION-ANNIVERSARY 2023-02-29 is not a date", "contact at line 21: no name (FN or N)"}},
        {"birthdays.ics",
         {rec("Leap Baby", "29/02/1984"), rec("Day Sixty", "29/02/2024"), rec("Month End", "31/01/2020"), rec("Sam and Kim", "20/05/2025", "wedding", 1),
          rec("Until Day", "04/07/2000")},
         8, 3, {"Rent: does not repeat yearly", "Timed: not an all-day event", "Once: does not repeat"}},
    };
    for (const Case &c : cases) {
        const ImportResult r = importFile(sample(c.file), {});
        ASSERT_TRUE(r.ok) << c.file << r.error.toStdString();
        EXPECT_EQ(r.calendar, QByteArray(c.file).endsWith(".ics")) << c.file;
        EXPECT_EQ(records(r), c.events) << c.file;
        EXPECT_EQ(r.entries, c.entries) << c.file;
        EXPECT_EQ(r.entriesWithoutEvent, c.withoutEvent) << c.file;
        EXPECT_EQ(skippedLines(r.skipped), c.skipped) << c.file;
    }
}

TEST(ImportTest, NamesWithKindAndLineEndings)
{
    const auto names = [](const char *file) {
        QStringList out;
        for (const auto &e : importFile(sample(file), {NameStyle::WithKind}).events)
            out << e.record.name;
        return out;
    };
    EXPECT_EQ(names("phone.vcf"), (QStringList{"Grace Hopper's birthday", "Grace Hopper's anniversary", "Grace Hopper's retirement",
                                               "Ada Lovelace's birthday"}));
    EXPECT_EQ(names("birthdays.ics"), (QStringList{"Leap Baby's birthday", "Day Sixty", "Month End", "Sam and Kim's anniversary", "Until Day"}));

    // LF only, a BOM, and a mix of line ends read the same.
    const QByteArray phone = test::TempDir::read(sample("phone.vcf"));
    const auto expected = records(readVCards(phone, {}));
    QByteArray lf = phone;
    lf.replace("\r\n", "\n");
    EXPECT_EQ(records(readVCards("\xEF\xBB\xBF" + lf, {})), expected);
    QByteArray mixed = phone;
    mixed.replace("VERSION:3.0\r\n", "VERSION:3.0\n").replace("END:VCARD\r\n", "END:VCARD\r");
    EXPECT_EQ(records(readVCards(mixed, {})), expected);
}

TEST(ImportTest, BadInputAddsNothingAndSaysWhy)
{
    const std::pair<QByteArray, const char *> cases[] = {
        {"BEGIN:VCARD\r\nFN:Whole\r\nBDAY:1990-01-01\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Cut Off\r\n",
         "the contact that begins at line 5 has no END:VCARD; the file looks cut off"},
        {"", "it holds no contacts (no BEGIN:VCARD)"},
        {QByteArray("\x00\xff\xfe garbage\n", 12), "it holds no contacts (no BEGIN:VCARD)"},
    };
    for (const auto &[bytes, error] : cases) {
        const ImportResult r = readVCards(bytes, {});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, QString::fromLatin1(error));
        EXPECT_TRUE(r.events.empty());
    }
    // Invalid UTF-8 falls back to the old code page; a 10 MB photo is stepped over.
    QByteArray big = "BEGIN:VCARD\r\nFN:J\xfcrgen\r\nPHOTO;ENCODING=b:" + QByteArray(10 << 20, 'A') + "\r\n "
                     + QByteArray(1000, 'B') + "\r\nBDAY:1980-05-05\r\nEND:VCARD";
    const ImportResult r = readVCards(big, {});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(records(r), std::vector{rec(QStringLiteral("Jürgen"), "05/05/1980")});

    EXPECT_TRUE(readICalendar("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n", {}).ok);
    EXPECT_FALSE(readICalendar("", {}).ok);
    EXPECT_FALSE(readICalendar("BEGIN:VEVENT\r\nEND:VEVENT\r\n", {}).ok);
}

TEST(ICalendarTest, ExportReadBackByLibical)
{
    ExportOptions options;
    options.reminderDays = 7;
    options.birthdays = {true, false, false};
    const std::vector<EventRecord> list{rec("Leap, Baby; \"x\"", "29/02/1984", "leap@example.org", 1),
                                        rec("Meeting", "12/03/2024", "room 4", 0, "10/03 01/03 11/03"),
                                        rec("Broken", "31/02/2024")};
    const ExportResult out = exportICalendar(list, options);
    EXPECT_EQ(out.written, 2);
    EXPECT_EQ(skippedLines(out.skipped), QStringList{"Broken: date 31/02/2024 is not a date"});
    EXPECT_TRUE(out.bytes.contains("DTSTART;VALUE=DATE:19840229\r\n"));
    EXPECT_TRUE(out.bytes.contains("RRULE:FREQ=YEARLY;BYMONTHDAY=-1;BYMONTH=2\r\n"));
    EXPECT_TRUE(out.bytes.contains("TRIGGER:-P7D\r\n"));

    icalcomponent *cal = icalparser_parse_string(out.bytes.constData());
    ASSERT_NE(cal, nullptr);
    icalcomponent *ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT);
    ASSERT_NE(ev, nullptr);
    EXPECT_STREQ(icalcomponent_get_uid(ev), eventUid(list[0]).toUtf8().constData());
    EXPECT_EQ(eventUid(list[0]), eventUid(rec("LEAP, BABY; \"X\"", "29/02/1984", "other")));
    EXPECT_STREQ(icalcomponent_get_summary(ev), "Leap, Baby; \"x\"");
    const icaltimetype start = icalcomponent_get_dtstart(ev), end = icalcomponent_get_dtend(ev);
    EXPECT_TRUE(start.is_date);
    EXPECT_EQ(std::tuple(start.year, start.month, start.day), std::tuple(1984, 2, 29));
    EXPECT_EQ(std::tuple(end.year, end.month, end.day), std::tuple(1984, 3, 1));
    EXPECT_EQ(icalcomponent_get_first_property(ev, ICAL_TRANSP_PROPERTY) ? icalproperty_get_transp(icalcomponent_get_first_property(ev, ICAL_TRANSP_PROPERTY)) : ICAL_TRANSP_NONE, ICAL_TRANSP_TRANSPARENT);
    EXPECT_STREQ(icalproperty_get_categories(icalcomponent_get_first_property(ev, ICAL_CATEGORIES_PROPERTY)), "Birthday");
    EXPECT_STREQ(icalcomponent_get_description(ev), "leap@example.org");
    EXPECT_EQ(icalproperty_get_priority(icalcomponent_get_first_property(ev, ICAL_PRIORITY_PROPERTY)), 1);
    icalcomponent *alarm = icalcomponent_get_first_component(ev, ICAL_VALARM_COMPONENT);
    ASSERT_NE(alarm, nullptr);
    const icaltriggertype trigger = icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
    EXPECT_EQ(icaldurationtype_as_int(trigger.duration), -7 * 86400);

    // The meeting: no category, no priority, and its rule as two more yearly events.
    ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT);
    ASSERT_NE(ev, nullptr);
    EXPECT_EQ(icalcomponent_get_first_property(ev, ICAL_CATEGORIES_PROPERTY), nullptr);
    EXPECT_EQ(icalcomponent_get_first_property(ev, ICAL_PRIORITY_PROPERTY), nullptr);
    struct Part { int sy, sm, sd, ey, em, ed; };
    for (const Part &p : {Part{2024, 3, 10, 2024, 3, 11}, Part{2024, 3, 1, 2024, 3, 12}}) {
        ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT);
        ASSERT_NE(ev, nullptr);
        const icaltimetype s = icalcomponent_get_dtstart(ev), e = icalcomponent_get_dtend(ev);
        EXPECT_EQ(std::tuple(s.year, s.month, s.day, e.year, e.month, e.day), std::tuple(p.sy, p.sm, p.sd, p.ey, p.em, p.ed));
        EXPECT_STREQ(icalcomponent_get_summary(ev), "Meeting");
    }
    EXPECT_EQ(icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT), nullptr);
    icalcomponent_free(cal);
}

TEST(ICalendarTest, RoundTripGivesTheSameList)
{
    const std::vector<EventRecord> list{
        rec("Grace Hopper", "09/12/1906", "grace@navy.example", 1), rec("Ada", "10/12/1604"),
        rec("Leap", "29/02/2000"), rec(QStringLiteral("Zoë 王 🎂 (x)"), "01/01/2020", "a, b; c", 0, "25/12 20/12 31/12"),
        rec("Wrap", "10/01/1990", "-", 0, "00/00 20/12 05/01")};
    const ExportResult out = exportICalendar(list, {});
    const ImportResult back = readICalendar(out.bytes, {});
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(records(back), list);
    EXPECT_EQ(back.entries, 5);
}

TEST(ImportMergeTest, SkipsDuplicatesAndReports)
{
    std::vector<ImportResult> results{importFile(sample("phone.vcf"), {}), importFile(sample("desktop40.vcf"), {})};
    const std::vector<EventRecord> existing{rec("GRACE HOPPER", "09/12/1906", "old")};
    const ImportSummary s = mergeImports(results, existing);
    EXPECT_EQ(s.added.size(), 6u);
    EXPECT_EQ(importReport(s), QStringList{"Imported 6 events from 7 contacts; 3 contacts have no date"});
    EXPECT_TRUE(skippedLines(s.skipped).contains("Grace Hopper: already in the list on 09/12/1906"));

    results.push_back(importFile(sample("birthdays.ics"), {}));
    EXPECT_EQ(importReport(mergeImports(results, {})),
              QStringList{"Imported 12 events from 7 contacts and 8 calendar events; 3 contacts have no date; "
                          "3 calendar events are not yearly all-day events"});
}

TEST(ImportCliTest, IntoMissingAndExistingList)
{
    test::TempDir dir;
    const QString list = dir.path("list.dwe");
    QString out; // what the last run printed
    auto run = [&out](const QStringList &args) {
        QProcess p;
        p.start(QStringLiteral(DW_BINARY_DIR "/wrenpad"), args);
        p.waitForFinished(30000);
        out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        return p.exitCode();
    };
    ASSERT_EQ(run({"--import", DW_TEST_DATA "/phone.vcf", "--into", list}), 0);
    EXPECT_EQ(out, "Imported 4 events from 3 contacts; 1 contact has no date\n1 entry skipped (--verbose lists them)\n");
    EXPECT_EQ(readListFile(list).events.size(), 4u);
    ASSERT_EQ(run({"--import", DW_TEST_DATA "/phone.vcf", DW_TEST_DATA "/birthdays.ics", "--into", list, "--verbose"}), 0);
    EXPECT_TRUE(out.startsWith("Imported 5 events from 3 contacts and 8 calendar events;")) << out.toStdString();
    EXPECT_TRUE(out.contains("  skipped Grace Hopper: already in the list on 09/12/1906\n"));
    EXPECT_EQ(readListFile(list).events.size(), 9u);

    // A damaged file refuses the whole import and leaves the list as it was.
    const QByteArray before = test::TempDir::read(list);
    const QString cut = dir.write("cut.vcf", "BEGIN:VCARD\r\nFN:X\r\nBDAY:2000-01-01\r\n");
    EXPECT_EQ(run({"--import", DW_TEST_DATA "/mail21.vcf", cut, "--into", list}), 1);
    EXPECT_EQ(test::TempDir::read(list), before);

    const QString ics = dir.path("out.ics");
    ASSERT_EQ(run({"--export-ics", list, ics, "--days", "3"}), 0);
    EXPECT_EQ(out, "Exported 9 events to " + ics + "\n");
    const QString again = dir.path("again.dwe");
    ASSERT_EQ(run({"--import", ics, "--into", again}), 0);
    EXPECT_EQ(readListFile(again).events, readListFile(list).events);
}
