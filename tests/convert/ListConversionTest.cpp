#include "convert/ListConversion.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace dw::convert;

namespace {

QStringList oldEvent(int i)
{
    return {QStringLiteral("Event %1").arg(i), QStringLiteral("%1/03/19%2").arg(i % 28 + 1, 2, 10, QLatin1Char('0')).arg(i % 100, 2, 10, QLatin1Char('0')),
            i % 3 ? QStringLiteral("friend%1@example.org").arg(i) : QStringLiteral("-"), QString::number(i % 2)};
}

QByteArray crlf(const QStringList &lines)
{
    return lines.join(QLatin1String("\r\n")).toUtf8();
}

} // namespace

TEST(ListConversionTest, ThreeOldEventsBecomeFifteenLines)
{
    const QByteArray old = "Birthday\r\n05/01/1980\r\n-\r\n1\r\n"
                           "Meeting\r\n12/03/2024\r\nroom 4\r\n0\r\n"
                           "Anniversary\r\n30/06/2001\r\nsam@example.org\r\n0";
    const ListConversion out = convertList(old);
    EXPECT_FALSE(out.alreadyConverted);
    EXPECT_EQ(out.events, 3);
    EXPECT_EQ(out.bytes, QByteArray("Birthday\r\n05/01/1980\r\n-\r\n1\r\n00/00 00/00 00/00\r\n"
                                    "Meeting\r\n12/03/2024\r\nroom 4\r\n0\r\n00/00 00/00 00/00\r\n"
                                    "Anniversary\r\n30/06/2001\r\nsam@example.org\r\n0\r\n"
                                    "00/00 00/00 00/00"));
    // LF line ends and a closing line end give the same list.
    QByteArray lf = old;
    lf.replace("\r\n", "\n").append('\n');
    EXPECT_EQ(convertList(lf).bytes, out.bytes);
}

TEST(ListConversionTest, EveryOldListSizeFromOneToFiftyEvents)
{
    QStringList oldLines, newLines;
    for (int k = 1; k <= 50; ++k) {
        oldLines << oldEvent(k);
        newLines << oldEvent(k) << QStringLiteral("00/00 00/00 00/00");
        const ListConversion out = convertList(crlf(oldLines));
        ASSERT_FALSE(out.alreadyConverted) << k << " events";
        EXPECT_EQ(out.events, k);
        EXPECT_EQ(out.bytes, crlf(newLines)) << k << " events";
        // What we write is a current list: converting it again changes nothing.
        EXPECT_TRUE(convertList(out.bytes).alreadyConverted) << k << " events";
    }
}

TEST(ListConversionTest, CurrentListsAndEmptyFilesAreAlreadyConverted)
{
    QStringList lines;
    for (int k = 1; k <= 50; ++k) {
        lines << oldEvent(k) << QStringLiteral("20/02 01/03 10/03");
        EXPECT_TRUE(convertList(crlf(lines)).alreadyConverted) << k << " events";
    }
    EXPECT_TRUE(convertList("").alreadyConverted);
    EXPECT_TRUE(convertList("\r\n\r\n").alreadyConverted);
    // A stray line end after a current list must not make it look old.
    EXPECT_TRUE(convertList(crlf(lines.mid(0, 15)) + "\r\n\r\n").alreadyConverted);
    // Not a multiple of four, and a name where the marks should be: old.
    EXPECT_FALSE(convertList("a\r\nb\r\nc\r\nd\r\ne\r\nf").alreadyConverted);
}

TEST(ListConversionTest, OddFilesKeepEveryLineInPlace)
{
    // An empty address keeps its place, so the event after it stays aligned.
    EXPECT_EQ(convertList("A\r\n01/01/2000\r\n\r\n1\r\nB\r\n02/02/2000\r\n-\r\n0").bytes,
              "A\r\n01/01/2000\r\n\r\n1\r\n00/00 00/00 00/00\r\nB\r\n02/02/2000\r\n-\r\n0\r\n00/00 00/00 00/00");
    // A partial last event is kept as it is, without a rule line of its own.
    EXPECT_EQ(convertList("a\nb\nc\nd\ne\nf").bytes, "a\r\nb\r\nc\r\nd\r\n00/00 00/00 00/00\r\ne\r\nf");
    // A bare CR ends a line too, so none survives inside a written line.
    EXPECT_EQ(convertList("a\rb\r\nc\nd\re").bytes, "a\r\nb\r\nc\r\nd\r\n00/00 00/00 00/00\r\ne");
}

TEST(ListConversionTest, TextIsReadAsUtf8OrWindows1252)
{
    const QByteArray tail = "\r\n01/01/2000\r\n-\r\n0\r\nB\r\n02/02/2000\r\n-\r\n1";
    const QByteArray want = "\r\n01/01/2000\r\n-\r\n0\r\n00/00 00/00 00/00\r\nB\r\n02/02/2000\r\n-\r\n1\r\n00/00 00/00 00/00";
    EXPECT_EQ(convertList("Ren\xC3\xA9" + tail).bytes, "Ren\xC3\xA9" + want);
    EXPECT_EQ(convertList("\xEF\xBB\xBFRen\xC3\xA9" + tail).bytes, "Ren\xC3\xA9" + want);
    // Windows-1252: e-acute, euro sign, and the unassigned 0x81 kept as its C1 control.
    EXPECT_EQ(convertList("Ren\xE9 \x80\x81" + tail).bytes, "Ren\xC3\xA9 \xE2\x82\xAC\xC2\x81" + want);
    // Binary bytes come through as text without breaking the line structure.
    const QByteArray binary("\x00\xFF\xFE\x01", 4);
    EXPECT_EQ(convertList(binary + tail).bytes, QByteArray("\x00\xC3\xBF\xC3\xBE\x01", 6) + want);
}
