#include "core/events/ListFile.h"
#include "interop/ICalendar.h"
#include "interop/ImportMerge.h"
#include "interop/VCardReader.h"
#include "tests/page/PageTestSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/WrenpadRun.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <libical/ical.h>

using namespace dw;
using test::event;

namespace {

QString sample(const char *name)
{
    return QStringLiteral(DW_TEST_DATA "/") + QLatin1String(name);
}

std::vector<EventRecord> records(const ImportResult &r)
{
    std::vector<EventRecord> out;
    for (const auto &e : r.events)
        out.push_back(e.record);
    return out;
}

} // namespace

// Address books from a phone, an old mail program and a desktop, and a calendar; the reader
// is chosen by the content.
TEST(ImportTest, SampleFiles)
{
    struct Case {
        const char *file;
        std::vector<EventRecord> events;
        int entries, withoutEvent;
        QStringList skipped, withKind; // the names as "Name's kind"
    };
    const QString grace = QStringLiteral("grace@navy.example"), alan = QStringLiteral("first@example.org");
    const Case cases[] = {
        {"phone.vcf",
         {event("Grace Hopper", "09/12/1906", grace), event("Grace Hopper", "15/06/1930", grace),
          event("Grace Hopper", "01/03/2001", grace), event("Ada Lovelace", "10/12/1604")},
         3, 1, {"No Date Person: no date"},
         {"Grace Hopper's birthday", "Grace Hopper's anniversary", "Grace Hopper's retirement",
          "Ada Lovelace's birthday"}},
        // With the date forms the others do not use; 1604 is the year that means none.
        {"mail21.vcf",
         {event("Jürgen Müller", "20/05/1995", "juergen@example.de"), event("François", "15/04/1604"),
          event("Date Forms", "15/04/1996"), event("Date Forms", "01/03/1604"), event("Leap Day", "29/02/1604")},
         5, 1,
         {"Jürgen Müller: BDAY 19700229 is not a date", "Date Forms: ANNIVERSARY  is not a date",
          "Leap Day: X-ANNIVERSARY 1996-04 is not a date", "Odd Forms: BDAY ---15 is not a date",
          "Odd Forms: X-ANNIVERSARY abcd-ef-gh is not a date"},
         {"Jürgen Müller's anniversary", "François's birthday", "Date Forms's birthday", "Date Forms's anniversary",
          "Leap Day's birthday"}},
        {"desktop40.vcf",
         {event("Alan Turing", "23/06/1912", alan), event("Alan Turing", "07/06/1604", alan),
          event("Bad Dates", "09/09/1999")},
         4, 2,
         {"Text Date: BDAY circa 1800 is text, not a date", "Bad Dates: BDAY 0000-00-00 is not a date",
          "Bad Dates: X-EVOLUTION-ANNIVERSARY 2023-02-29 is not a date", "contact at line 21: no name (FN or N)"},
         {"Alan Turing's birthday", "Alan Turing's anniversary", "Bad Dates's anniversary"}},
        {"birthdays.ics",
         {event("Leap Baby", "29/02/1984"), event("Day Sixty", "29/02/2024"), event("Month End", "31/01/2020"),
          event("Sam and Kim", "20/05/2025", "wedding", 1), event("Until Day", "04/07/2000")},
         8, 3, {"Rent: does not repeat yearly", "Timed: not an all-day event", "Once: does not repeat"},
         {"Leap Baby's birthday", "Day Sixty", "Month End", "Sam and Kim's anniversary", "Until Day"}},
    };
    for (const Case &c : cases) {
        const ImportResult r = importFile(sample(c.file), {});
        ASSERT_TRUE(r.ok) << c.file << r.error.toStdString();
        EXPECT_EQ(r.calendar, QByteArray(c.file).endsWith(".ics")) << c.file;
        EXPECT_EQ(records(r), c.events) << c.file;
        EXPECT_EQ(r.entries, c.entries) << c.file;
        EXPECT_EQ(r.entriesWithoutEvent, c.withoutEvent) << c.file;
        EXPECT_EQ(skippedLines(r.skipped), c.skipped) << c.file;
        QStringList names;
        for (const auto &e : importFile(sample(c.file), {NameStyle::WithKind}).events)
            names << e.record.name;
        EXPECT_EQ(names, c.withKind) << c.file;
    }
}

TEST(ImportTest, OddLineEndsReadTheSameAndBadInputAddsNothing)
{
    // LF only, a BOM, and a mix of line ends read the same.
    const QByteArray phone = test::TempDir::read(sample("phone.vcf"));
    const auto expected = records(readVCards(phone, {}));
    QByteArray lf = phone, mixed = phone;
    lf.replace("\r\n", "\n");
    EXPECT_EQ(records(readVCards("\xEF\xBB\xBF" + lf, {})), expected);
    mixed.replace("VERSION:3.0\r\n", "VERSION:3.0\n").replace("END:VCARD\r\n", "END:VCARD\r");
    EXPECT_EQ(records(readVCards(mixed, {})), expected);

    // A cut-off, empty or binary book is refused as a whole, with the reason.
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
    EXPECT_EQ(records(r), std::vector{event(QStringLiteral("Jürgen"), "05/05/1980")});

    EXPECT_TRUE(readICalendar("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n", {}).ok);
    EXPECT_FALSE(readICalendar("", {}).ok);
    EXPECT_FALSE(readICalendar("BEGIN:VEVENT\r\nEND:VEVENT\r\n", {}).ok);
}

// The exported bytes against a file checked by hand (the stamp is the time of export), then
// read by libical and by our own reader, which must give the list back.
TEST(ICalendarTest, ExportBytesAndRoundTrip)
{
    ExportOptions options;
    options.reminderDays = 7;
    options.birthdays = {true};
    const std::vector<EventRecord> list{
        event("Leap, Baby; \"x\"", "29/02/1984", "leap@example.org", 1),
        event("Meeting", "12/03/2024", "room 4", 0, "10/03 01/03 11/03"),
        event("Broken", "31/02/2024"), event("LEAP, BABY; \"X\"", "29/02/1984", "other"), event("Ada", "10/12/1604"),
        event(QStringLiteral("Zoë 王 🎂 (x)"), "01/01/2020", "a, b; c", 0, "25/12 20/12 31/12"),
        event("Wrap", "10/01/1990", "-", 0, "00/00 20/12 05/01")};
    const ExportResult out = exportICalendar(list, options);
    EXPECT_EQ(out.written, 5);
    EXPECT_EQ(skippedLines(out.skipped), (QStringList{"Broken: date 31/02/2024 is not a date",
                                                      "LEAP, BABY; \"X\": same name and date as an earlier event"}));
    const QRegularExpression stamp(QStringLiteral("DTSTAMP:\\d{8}T\\d{6}Z"));
    const QByteArray stamped = QString::fromUtf8(out.bytes).replace(stamp, "DTSTAMP:20260305T120000Z").toUtf8();
    EXPECT_EQ(stamped, test::TempDir::read(sample("export.ics")));

    icalcomponent *cal = icalparser_parse_string(out.bytes.constData());
    ASSERT_NE(cal, nullptr);
    QStringList summaries;
    for (icalcomponent *ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT))
        summaries << QString::fromUtf8(icalcomponent_get_summary(ev));
    icalcomponent_free(cal);
    const QString zoe = QStringLiteral("Zoë 王 🎂 (x)");
    EXPECT_EQ(summaries, (QStringList{"Leap, Baby; \"x\"", "Meeting", "Meeting", "Meeting", "Ada", zoe, zoe, zoe,
                                      "Wrap", "Wrap"}));

    const ImportResult back = readICalendar(out.bytes, {});
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(records(back), (std::vector{list[0], list[1], list[4], list[5], list[6]}));
    EXPECT_EQ(back.entries, 5);
}

TEST(ImportCliTest, IntoMissingAndExistingList)
{
    test::TempDir dir;
    const QString list = dir.path("list.dwe");
    const QString ics = QStringLiteral(DW_TEST_DATA "/birthdays.ics");
    QString out; // what the last run printed
    const auto run = [&out](const QStringList &args) {
        const test::WrenpadRun r = test::runWrenpad(args);
        out = r.out;
        return r.code;
    };
    // Two books add up; an event already in the list, whatever its case, is in the window's test.
    ASSERT_EQ(run({"--import", DW_TEST_DATA "/phone.vcf", DW_TEST_DATA "/desktop40.vcf", "--into", list}), 0);
    EXPECT_EQ(out, "Imported 7 events from 7 contacts; 3 contacts have no date\n"
                   "5 entries skipped (--verbose lists them)\n");
    ASSERT_EQ(run({"--import", DW_TEST_DATA "/phone.vcf", ics, "--into", list, "--verbose"}), 0);
    EXPECT_TRUE(out.startsWith("Imported 5 events from 3 contacts and 8 calendar events; 1 contact has no date; "
                               "3 calendar events are not yearly all-day events\n"))
        << out.toStdString();
    EXPECT_TRUE(out.contains("  skipped Grace Hopper: already in the list on 09/12/1906\n"));
    EXPECT_EQ(readListFile(list).events.size(), 12u);

    // A damaged file refuses the whole import and leaves the list as it was.
    const QByteArray before = test::TempDir::read(list);
    const QString cut = dir.write("cut.vcf", "BEGIN:VCARD\r\nFN:X\r\nBDAY:2000-01-01\r\n");
    EXPECT_EQ(run({"--import", DW_TEST_DATA "/mail21.vcf", cut, "--into", list}), 1);
    EXPECT_EQ(test::TempDir::read(list), before);

    // The export's bytes and their round trip are checked on the library above.
    const QString exported = dir.path("out.ics");
    ASSERT_EQ(run({"--export-ics", list, exported, "--days", "3"}), 0);
    EXPECT_EQ(out, "Exported 12 events to " + exported + "\n");
    EXPECT_EQ(readICalendar(test::TempDir::read(exported), {}).events.size(), 12u);
}
