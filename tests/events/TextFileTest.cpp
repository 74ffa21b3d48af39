#include "core/io/TextFile.h"
#include "tests/support/OddFiles.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace dw;
using test::TempDir;

// The kinds of thing that are no writable regular file, read and written once each. Pipes,
// devices, links to them and a full disk are met by the programs' own tests, which read and
// write through the same calls; a folder or a read-only file in the way, by the converter's.
TEST(TextFileTest, WhatIsNoRegularFileWithinTheLimitIsNeitherReadNorReplaced)
{
    TempDir dir;
    ASSERT_TRUE(test::makeSocket(dir.path("sock")));
    QFile big(dir.path("big"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(kMaxSettingsBytes + 1));
    const char *socket = "It is a socket, not a regular file", *none = "No such file or directory";
    const struct {
        const char *name;
        mode_t type;
        const char *writeError, *readError; // nullptr: not tried
    } cases[] = {
        {"sock", S_IFSOCK, socket, socket},
        {"big", S_IFREG, nullptr, "The file is larger than 16 MB"},
        {"missing/file", 0, none, none},
    };
    for (const auto &c : cases) {
        QString error;
        if (c.writeError) {
            EXPECT_FALSE(writeFileAtomic(dir.path(c.name), "new", &error)) << c.name;
            EXPECT_EQ(error, c.writeError) << c.name;
        }
        const ReadResult r = readFileBytes(dir.path(c.name), kMaxSettingsBytes);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(r.error, c.readError) << c.name;
        EXPECT_EQ(r.bytes, "") << c.name;
        EXPECT_EQ(test::nodeType(dir.path(c.name)), c.type) << c.name;
    }
    EXPECT_EQ(readFileBytes(dir.path("big")).bytes.size(), kMaxSettingsBytes + 1); // lists may be larger
    // Nothing was left behind: no temporary file of a refused write.
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 2);
}

TEST(TextFileTest, AtomicWriteKeepsModeOwnerAndLinks)
{
    TempDir dir;
    const QString file = dir.write("shared.txt", "old");
    const QByteArray native = QFile::encodeName(file);
    ASSERT_EQ(::chmod(native.constData(), 0640), 0);
    const bool root = ::geteuid() == 0;
    ASSERT_TRUE(!root || ::chown(native.constData(), 4321, 4322) == 0);
    ASSERT_TRUE(QFile::link(file, dir.path("link.txt")));
    ASSERT_TRUE(writeFileAtomic(dir.path("link.txt"), "new"));
    // The link still points at the file, which was replaced.
    EXPECT_EQ(test::nodeType(dir.path("link.txt")), mode_t(S_IFLNK));
    EXPECT_EQ(readFileBytes(file).bytes, "new");
    struct stat st {};
    ASSERT_EQ(::stat(native.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(!root || (st.st_uid == 4321u && st.st_gid == 4322u));
    // A link to a file that does not exist yet creates that file.
    ASSERT_TRUE(QFile::link(dir.path("later.txt"), dir.path("dangling.txt")));
    ASSERT_TRUE(writeFileAtomic(dir.path("dangling.txt"), "x"));
    EXPECT_EQ(TempDir::read(dir.path("later.txt")), "x");
}

// Old code page text, NULs (UTF-16, random bytes) meet the same test in the settings files'
// reader; here the edges: nothing at all, and random bytes without a NUL.
TEST(TextFileTest, TextIsToldFromBinaryData)
{
    QByteArray random(4096, Qt::Uninitialized);
    for (qsizetype i = 0; i < random.size(); ++i)
        random[i] = char((i * 2654435761u) >> 11);
    EXPECT_TRUE(looksLikeText(""));
    EXPECT_FALSE(looksLikeText(random.replace('\0', 'x'))); // the control characters tell
}
