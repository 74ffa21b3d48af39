#include "convert/ListConversion.h"

#include <QStringList>
#include <gtest/gtest.h>

using dw::convert::convertList;

namespace {

const QByteArray kRule = "00/00 00/00 00/00";

QByteArray crlf(const QStringList &lines)
{
    return lines.join(QLatin1String("\r\n")).toUtf8();
}

} // namespace

TEST(ListConversionTest, OldListsOfOneToFiftyEventsConvertAndCurrentOnesAreLeftAlone)
{
    QStringList oldLines, newLines;
    for (int k = 1; k <= 50; ++k) {
        const QStringList event{QStringLiteral("Event %1").arg(k), QStringLiteral("%1/03/1980").arg(k % 28 + 10),
                                k % 3 ? QStringLiteral("f%1@example.org").arg(k) : QStringLiteral("-"), QString::number(k % 2)};
        oldLines << event;
        newLines << event << (k % 4 ? QString(kRule) : QStringLiteral("20/02 01/03 10/03"));
        const auto out = convertList(crlf(oldLines));
        ASSERT_FALSE(out.alreadyConverted) << k;
        EXPECT_EQ(out.events, k);
        EXPECT_EQ(out.bytes, crlf(QStringList(newLines).replaceInStrings("20/02 01/03 10/03", kRule))) << k;
        // LF line ends and a closing line end give the same list.
        EXPECT_EQ(convertList(crlf(oldLines).replace("\r\n", "\n") + "\n").bytes, out.bytes) << k;
        EXPECT_TRUE(convertList(crlf(newLines)).alreadyConverted) << k;
    }
    EXPECT_EQ(convertList("").kind, dw::convert::SourceKind::Empty);
    EXPECT_EQ(convertList("\r\n\r\n").kind, dw::convert::SourceKind::Empty);
    // A stray line end after a current list of three must not make its 16 lines look old.
    EXPECT_TRUE(convertList(crlf(newLines.mid(0, 15)) + "\r\n\r\n").alreadyConverted);
}

TEST(ListConversionTest, OddFilesKeepEveryLineInPlace)
{
    // An empty address keeps its place, so the event after it stays aligned.
    EXPECT_EQ(convertList("A\r\n01/01/2000\r\n\r\n1\r\nB\r\n02/02/2000\r\n-\r\n0").bytes,
              "A\r\n01/01/2000\r\n\r\n1\r\n" + kRule + "\r\nB\r\n02/02/2000\r\n-\r\n0\r\n" + kRule);
    // Not a multiple of four: the partial last event is kept without a rule line; a bare CR
    // ends a line too, so none survives inside a written line.
    EXPECT_EQ(convertList("a\rb\r\nc\nd\re\nf").bytes, "a\r\nb\r\nc\r\nd\r\n" + kRule + "\r\ne\r\nf");
}

TEST(ListConversionTest, TextIsReadAsUtf8OrWindows1252)
{
    const QByteArray tail = "\r\n01/01/2000\r\n-\r\n0";
    const QByteArray want = "\r\n01/01/2000\r\n-\r\n0\r\n" + kRule;
    EXPECT_EQ(convertList("Ren\xC3\xA9" + tail).bytes, "Ren\xC3\xA9" + want);
    EXPECT_EQ(convertList("\xEF\xBB\xBFRen\xC3\xA9" + tail).bytes, "Ren\xC3\xA9" + want);
    // e-acute, the euro sign, and the unassigned 0x81 kept as its C1 control.
    EXPECT_EQ(convertList("Ren\xE9 \x80\x81" + tail).bytes, "Ren\xC3\xA9 \xE2\x82\xAC\xC2\x81" + want);
    EXPECT_EQ(convertList("\xFF" + tail).bytes, "\xC3\xBF" + want);
    EXPECT_EQ(convertList(QByteArray("\x00\xFF", 2) + tail).kind, dw::convert::SourceKind::Binary);
}
