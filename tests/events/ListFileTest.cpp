#include "core/events/ListFile.h"
#include "core/io/TextFile.h"

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
    const std::pair<std::vector<EventRecord>, QByteArray> cases[] = {
        {{kBirthday, kMeeting}, kTwoEvents},
        // A line break inside a field must not shift the events after it.
        {{{"a\r\nb\nc", "d\re", "-", 0, kDefaultRule}}, "a b c\r\nd e\r\n-\r\n0\r\n00/00 00/00 00/00"},
        {{{QStringLiteral("Zoë 王 🎂"), "x", "-", 1, kDefaultRule}},
         "Zo\xc3\xab \xe7\x8e\x8b \xf0\x9f\x8e\x82\r\nx\r\n-\r\n1\r\n00/00 00/00 00/00"},
        // An empty last rule would read back as a closing line end and cost the file a line;
        // an empty rule further up keeps its place.
        {{{"a", "d", "", 1, ""}}, "a\r\nd\r\n\r\n1\r\n00/00 00/00 00/00"},
        {{{"a", "d", "-", 0, ""}, {"b", "d", "-", 0, "r"}}, "a\r\nd\r\n-\r\n0\r\n\r\nb\r\nd\r\n-\r\n0\r\nr"},
    };
    for (const auto &[events, bytes] : cases) {
        EXPECT_EQ(listFileBytes(events), bytes);
        const ListReadResult back = parseListBytes(bytes);
        EXPECT_EQ(back.status, ListReadStatus::Ok) << bytes.constData();
        EXPECT_EQ(listFileBytes(back.events), bytes); // read back, it writes the same bytes
    }
}

TEST(ListFileTest, ReadsEveryLineEndAndKeepsOddTextAsItIs)
{
    const std::vector<EventRecord> expected{kBirthday, kMeeting};
    QByteArray lf = kTwoEvents, cr = kTwoEvents;
    for (const QByteArray &bytes : {kTwoEvents, lf.replace("\r\n", "\n"), cr.replace("\r\n", "\r"),
                                    kTwoEvents + "\r\n", "\xef\xbb\xbf" + kTwoEvents})
        EXPECT_EQ(parseListBytes(bytes).events, expected) << bytes.constData();

    // A date that is no date, NUL bytes and old code page text (0x80 is the euro sign there,
    // 0xFC u-umlaut) are stored unchanged.
    static const char raw[] = "\x80J\xfcrgen\0x\r\nsoon\r\n\r\n0\r\nrule";
    const ListReadResult odd = parseListBytes(QByteArray(raw, sizeof raw - 1));
    ASSERT_EQ(odd.status, ListReadStatus::Ok);
    EXPECT_EQ(odd.events, (std::vector<EventRecord>{{QStringLiteral("€Jürgen") + QChar(0) + QLatin1Char('x'),
                                                     "soon", "", 0, "rule"}}));

    // The settings files read through the same line splitter.
    EXPECT_EQ(splitLines(QStringLiteral("a\r\nb\nc\rd\r\n\r\ne\r\n")), (QStringList{"a", "b", "c", "d", "", "e"}));
    EXPECT_TRUE(splitLines(QString()).isEmpty());
}

TEST(ListFileTest, FormatTestRefusesMarksOtherThanZeroOrOneAndOldLists)
{
    QByteArray garbage(50 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 2654435761u) >> 13);
    for (const QByteArray &bytes : {QByteArray("a\r\nd\r\n-\r\n2\r\nr"), QByteArray("a\r\nd\r\n-\r\nyes\r\nr"),
                                    QByteArray("a\r\nd\r\n-\r\n01\r\nr"),
                                    // Previous format, four lines per event: three events fail on
                                    // the ninth line (a name), one or two by a line count of four or eight.
                                    QByteArray("a\r\nd\r\n-\r\n1\r\nb\r\nd\r\n-\r\n0\r\nc\r\nd\r\n-\r\n0"),
                                    QByteArray("a\r\nd\r\n-\r\n1"), QByteArray("a\r\nd\r\n-\r\n1\r\nb\r\nd\r\n-\r\n0"),
                                    garbage})
        for (ListParts parts : {ListParts::Events, ListParts::MarksOnly})
            EXPECT_EQ(parseListBytes(bytes, parts).status, ListReadStatus::OldFormat) << bytes.left(40).constData();
    EXPECT_EQ(parseListBytes("").status, ListReadStatus::Ok);
    EXPECT_TRUE(parseListBytes("").events.empty());
}

TEST(ListFileTest, IncompleteLastEventGetsTheDefaultsAndHugeLinesStayWhole)
{
    // Eleven and thirteen lines: not a multiple of four, so not a list of the previous version.
    const ListReadResult r = parseListBytes(kTwoEvents + "\r\nLast\r\n01/01/2000\r\nroom");
    ASSERT_EQ(r.status, ListReadStatus::Ok);
    EXPECT_EQ(r.events, (std::vector<EventRecord>{kBirthday, kMeeting, {"Last", "01/01/2000", "room", 0, kDefaultRule}}));
    const ListReadResult six = parseListBytes(kTwoEvents.left(kTwoEvents.indexOf("Meeting") + 7));
    EXPECT_EQ(six.events, (std::vector<EventRecord>{kBirthday, {"Meeting", "", "-", 0, kDefaultRule}}));

    // Without the events, only whether any is important: here only the incomplete third is.
    const QByteArray unmarked = QByteArray(kTwoEvents).replace("\r\n1\r\n", "\r\n0\r\n");
    const ListReadResult marks = parseListBytes(unmarked + "\r\nL\r\nd\r\n-\r\n1", ListParts::MarksOnly);
    EXPECT_EQ(marks.status, ListReadStatus::Ok);
    EXPECT_TRUE(marks.events.empty());
    EXPECT_TRUE(marks.anyImportant);
    EXPECT_FALSE(parseListBytes(unmarked, ListParts::MarksOnly).anyImportant);

    const ListReadResult big = parseListBytes(QByteArray(1 << 20, 'n') + "\r\nd\r\n-\r\n1\r\nr");
    ASSERT_EQ(big.events.size(), 1u);
    EXPECT_EQ(big.events[0].name.size(), 1 << 20);
}
