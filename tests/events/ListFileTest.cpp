#include "core/events/ListFile.h"

#include <gtest/gtest.h>

using namespace dw;

namespace {
const QByteArray kTwoEvents("Birthday\r\n05/01/1980\r\n-\r\n1\r\n00/00 00/00 00/00\r\n"
                            "Meeting\r\n12/03/2024\r\nroom 4\r\n0\r\n20/02 01/03 10/03");
const EventRecord kBirthday{"Birthday", "05/01/1980", "-", 1, "00/00 00/00 00/00"};
const EventRecord kMeeting{"Meeting", "12/03/2024", "room 4", 0, "20/02 01/03 10/03"};
} // namespace

TEST(ListFileTest, WritesFiveLinesPerEventWithoutTrailingLineEnd)
{
    EXPECT_EQ(listFileBytes({kBirthday, kMeeting}), kTwoEvents);
    const QByteArray one = listFileBytes({kBirthday});
    EXPECT_EQ(one.count("\r\n"), 4);
    EXPECT_FALSE(one.endsWith('\n'));
    // A line break inside a field must not shift the events after it.
    const QByteArray flat = listFileBytes({{"a\r\nb\nc", "d\re", "-", 0, kDefaultRule}});
    EXPECT_EQ(flat, QByteArray("a b c\r\nd e\r\n-\r\n0\r\n00/00 00/00 00/00"));
    EXPECT_EQ(listFileBytes({{QStringLiteral("Zoë 王 🎂"), "x", "-", 1, kDefaultRule}}).left(13),
              QByteArray("Zo\xc3\xab \xe7\x8e\x8b \xf0\x9f\x8e\x82"));
}

TEST(ListFileTest, ReadsEveryLineEndAndKeepsOddTextAsItIs)
{
    const std::vector<EventRecord> expected{kBirthday, kMeeting};
    EXPECT_EQ(parseListBytes(kTwoEvents).events, expected);
    QByteArray lf = kTwoEvents;
    lf.replace("\r\n", "\n");
    EXPECT_EQ(parseListBytes(lf).events, expected);
    QByteArray cr = kTwoEvents;
    cr.replace("\r\n", "\r");
    EXPECT_EQ(parseListBytes(cr).events, expected);
    EXPECT_EQ(parseListBytes(kTwoEvents + "\r\n").events, expected);

    // A date that is no date, NUL bytes and old code page text are stored unchanged.
    static const char raw[] = "J\xfcrgen\0x\r\nsoon\r\n\r\n0\r\nrule";
    const ListReadResult odd = parseListBytes(QByteArray(raw, sizeof raw - 1));
    ASSERT_EQ(odd.status, ListReadStatus::Ok);
    ASSERT_EQ(odd.events.size(), 1u);
    EXPECT_EQ(odd.events[0].name, QStringLiteral("J\u00fcrgen") + QChar(0) + QLatin1Char('x'));
    EXPECT_EQ(odd.events[0].date, QStringLiteral("soon"));
    EXPECT_EQ(odd.events[0].address, QString());
    EXPECT_EQ(odd.events[0].rule, QStringLiteral("rule"));
}

TEST(ListFileTest, FormatTestRefusesMarksOtherThanZeroOrOneAndOldLists)
{
    EXPECT_EQ(parseListBytes("a\r\nd\r\n-\r\n2\r\nr").status, ListReadStatus::OldFormat);
    EXPECT_EQ(parseListBytes("a\r\nd\r\n-\r\nyes\r\nr").status, ListReadStatus::OldFormat);
    EXPECT_EQ(parseListBytes("a\r\nd\r\n-\r\n01\r\nr").status, ListReadStatus::OldFormat);
    // Previous format, four lines per event: three events fail on the ninth line (a name) ...
    EXPECT_EQ(parseListBytes("a\r\nd\r\n-\r\n1\r\nb\r\nd\r\n-\r\n0\r\nc\r\nd\r\n-\r\n0").status,
              ListReadStatus::OldFormat);
    // ... one or two events have a line count of four or eight.
    EXPECT_EQ(parseListBytes("a\r\nd\r\n-\r\n1").status, ListReadStatus::OldFormat);
    EXPECT_EQ(parseListBytes("a\r\nd\r\n-\r\n1\r\nb\r\nd\r\n-\r\n0").status, ListReadStatus::OldFormat);
    EXPECT_EQ(parseListBytes("").status, ListReadStatus::Ok);
    EXPECT_TRUE(parseListBytes("").events.empty());
}

TEST(ListFileTest, IncompleteLastEventGetsTheDefaults)
{
    // Eleven and thirteen lines: not a multiple of four, so not a list of the previous version.
    const ListReadResult r = parseListBytes(kTwoEvents + "\r\nLast\r\n01/01/2000\r\nroom");
    ASSERT_EQ(r.status, ListReadStatus::Ok);
    ASSERT_EQ(r.events.size(), 3u);
    EXPECT_EQ(r.events[2], (EventRecord{"Last", "01/01/2000", "room", 0, kDefaultRule}));
    const ListReadResult six = parseListBytes(kTwoEvents.left(kTwoEvents.indexOf("Meeting") + 7));
    ASSERT_EQ(six.events.size(), 2u);
    EXPECT_EQ(six.events[1], (EventRecord{"Meeting", "", "-", 0, kDefaultRule}));
}

TEST(ListFileTest, HugeLinesAndBinaryGarbageDoNotBreakTheReader)
{
    const QByteArray longName(1 << 20, 'n');
    const ListReadResult big = parseListBytes(longName + "\r\nd\r\n-\r\n1\r\nr");
    ASSERT_EQ(big.events.size(), 1u);
    EXPECT_EQ(big.events[0].name.size(), 1 << 20);

    QByteArray garbage(50 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 2654435761u) >> 13);
    EXPECT_EQ(parseListBytes(garbage).status, ListReadStatus::OldFormat);
}

TEST(ListFileTest, EmptyLastRuleIsWrittenAsTheDefaultSoTheFileKeepsItsLines)
{
    const QByteArray bytes = listFileBytes({{"a", "d", "", 1, ""}});
    EXPECT_EQ(bytes, QByteArray("a\r\nd\r\n\r\n1\r\n00/00 00/00 00/00"));
    const ListReadResult back = parseListBytes(bytes);
    ASSERT_EQ(back.status, ListReadStatus::Ok);
    EXPECT_EQ(back.events[0].address, QString());
    EXPECT_EQ(listFileBytes({{"a", "d", "-", 0, ""}, {"b", "d", "-", 0, "r"}}).count("\r\n\r\n"), 1);
}
