#include "core/io/TextFile.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace dw;

TEST(TextFileTest, SplitsAtEveryKindOfLineEnd)
{
    EXPECT_EQ(splitLines(QStringLiteral("a\r\nb\nc\rd")), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\r\n")), QStringList{"a"});
    EXPECT_EQ(splitLines(QStringLiteral("a\r\n\r\nb")), (QStringList{"a", "", "b"}));
    EXPECT_TRUE(splitLines(QString()).isEmpty());
    EXPECT_EQ(joinLines({"a", "b"}), QStringLiteral("a\r\nb"));
}

TEST(TextFileTest, DecodesUtf8AndFallsBackToWindows1252)
{
    EXPECT_EQ(decodeText(QByteArray("J\xc3\xbcrgen")), QStringLiteral("Jürgen"));
    EXPECT_EQ(decodeText(QByteArray("\xef\xbb\xbf" "abc")), QStringLiteral("abc"));
    // 0x80 is the euro sign and 0xFC u-umlaut in the old code page; not valid UTF-8 here.
    EXPECT_EQ(decodeText(QByteArray("\x80 J\xfcrgen")), QStringLiteral("€ Jürgen"));
    EXPECT_EQ(encodeText(QStringLiteral("€")), QByteArray("\xe2\x82\xac"));
}

TEST(TextFileTest, AtomicWriteKeepsOldFileWhenTheFolderIsGone)
{
    test::TempDir dir;
    const QString p = dir.write("a.txt", "old");
    QString error;
    EXPECT_TRUE(writeFileAtomic(p, "new", &error));
    EXPECT_EQ(test::TempDir::read(p), QByteArray("new"));
    EXPECT_FALSE(writeFileAtomic(dir.path("missing/b.txt"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(readFileBytes(dir.root()).ok);
    EXPECT_EQ(readFileBytes(p).bytes, QByteArray("new"));
}
