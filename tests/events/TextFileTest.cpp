#include "core/io/TextFile.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace dw;

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

TEST(TextFileTest, AtomicWriteRefusesWhatIsNoWritableRegularFile)
{
    test::TempDir dir;
    ASSERT_TRUE(test::makeFifo(dir.path("pipe")));
    ASSERT_TRUE(test::makeCharDevice(dir.path("null"), 3));
    ASSERT_TRUE(test::makeSocket(dir.path("sock")));
    ASSERT_TRUE(QDir(dir.root()).mkdir("folder"));
    ASSERT_TRUE(QFile::link(dir.path("pipe"), dir.path("to-pipe")));
    const QString readOnly = dir.write("read-only", "keep me");
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    const struct {
        const char *name;
        mode_t type;
        const char *reason;
    } cases[] = {
        {"pipe", S_IFIFO, "It is a pipe, not a regular file"},
        {"null", S_IFCHR, "It is a device, not a regular file"},
        {"sock", S_IFSOCK, "It is a socket, not a regular file"},
        {"folder", S_IFDIR, "Is a directory"},
        {"to-pipe", S_IFLNK, "It is a pipe, not a regular file"},
        // Refused even for the superuser, who could write it.
        {"read-only", S_IFREG, "The file is read-only"},
    };
    for (const auto &c : cases) {
        QString error;
        EXPECT_FALSE(writeFileAtomic(dir.path(c.name), "new", &error)) << c.name;
        EXPECT_EQ(error, c.reason) << c.name;
        EXPECT_EQ(test::nodeType(dir.path(c.name)), c.type) << c.name;
    }
    EXPECT_EQ(test::TempDir::read(readOnly), "keep me");
    EXPECT_EQ(test::nodeType(dir.path("pipe")), mode_t(S_IFIFO));
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 6);
}

TEST(TextFileTest, AtomicWriteKeepsModeOwnerAndLinks)
{
    test::TempDir dir;
    const QString file = dir.write("shared.txt", "old");
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(file).constData(), 4321, 4322), 0);
    }
    ASSERT_TRUE(QFile::link(file, dir.path("link.txt")));
    ASSERT_TRUE(writeFileAtomic(dir.path("link.txt"), "new"));
    // The link still points at the file, which was replaced.
    EXPECT_EQ(test::nodeType(dir.path("link.txt")), mode_t(S_IFLNK));
    EXPECT_EQ(test::TempDir::read(file), "new");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
    }
    // A link to a file that does not exist yet creates that file.
    ASSERT_TRUE(QFile::link(dir.path("later.txt"), dir.path("dangling.txt")));
    ASSERT_TRUE(writeFileAtomic(dir.path("dangling.txt"), "x"));
    EXPECT_EQ(test::TempDir::read(dir.path("later.txt")), "x");
}

TEST(TextFileTest, AtomicWriteOnAFullDiskFailsAndKeepsTheOldFile)
{
    test::SmallDisk disk;
    if (!disk.mounted()) {
        GTEST_SKIP() << disk.why();
    }
    QByteArray old(10000, Qt::Uninitialized);
    for (qsizetype i = 0; i < old.size(); ++i)
        old[i] = char(i * 7);
    const QString file = disk.write("page.html", old);
    disk.fill();
    for (const qsizetype size : {qsizetype(1), qsizetype(5000), qsizetype(40000)}) {
        QString error;
        EXPECT_FALSE(writeFileAtomic(file, QByteArray(size, 'n'), &error)) << size;
        EXPECT_EQ(error, "No space left on device");
        EXPECT_EQ(test::TempDir::read(file), old);
        EXPECT_EQ(disk.entries(), QStringList{"page.html"});
    }
}

TEST(TextFileTest, ReaderTakesOnlyRegularFilesWithinTheLimit)
{
    test::TempDir dir;
    ASSERT_TRUE(test::makeFifo(dir.path("pipe")));
    ASSERT_TRUE(test::makeCharDevice(dir.path("zero"), 5));
    // A pipe that a writer keeps full: it must be refused, not drained for ever.
    ASSERT_TRUE(test::makeFifo(dir.path("fed")));
    std::atomic<bool> stop{false};
    std::thread feeder([&] {
        const int fd = ::open(QFile::encodeName(dir.path("fed")).constData(), O_RDWR);
        const char block[4096] = {};
        while (!stop && ::write(fd, block, sizeof block) > 0) {
        }
        ::close(fd);
    });
    QFile big(dir.path("big"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(kMaxSettingsBytes + 1));
    const struct {
        const char *name;
        const char *reason;
    } cases[] = {
        {"pipe", "It is a pipe, not a regular file"},
        {"fed", "It is a pipe, not a regular file"},
        {"zero", "It is a device, not a regular file"},
        {"big", "The file is larger than 16 MB"},
        {"none", "No such file or directory"},
    };
    for (const auto &c : cases) {
        const ReadResult r = readFileBytes(dir.path(c.name), kMaxSettingsBytes);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(r.error, c.reason) << c.name;
        EXPECT_TRUE(r.bytes.isEmpty()) << c.name;
    }
    stop = true;
    // Unblock the feeder if the pipe is full.
    const int drain = ::open(QFile::encodeName(dir.path("fed")).constData(), O_RDONLY | O_NONBLOCK);
    char sink[65536];
    while (::read(drain, sink, sizeof sink) > 0) {
    }
    feeder.join();
    ::close(drain);
    EXPECT_EQ(readFileBytes(dir.path("big")).bytes.size(), kMaxSettingsBytes + 1);
}

TEST(TextFileTest, TextIsToldFromBinaryData)
{
    QByteArray random(4096, Qt::Uninitialized);
    for (qsizetype i = 0; i < random.size(); ++i)
        random[i] = char((i * 2654435761u) >> 11);
    const QString utf16 = QStringLiteral("MainDateFont\r\nVerdana");
    const struct {
        QByteArray bytes;
        bool text;
    } cases[] = {
        {"", true},
        {"MainDateFont\r\nVerdana", true},
        {"J\xc3\xbcrgen", true},
        {"J\xfcrgen \x80", true}, // the old code page
        {QByteArray("a\0b", 3), false},
        {QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2), false},
        {random, false},
        {QByteArray(random).replace('\0', 'x'), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(looksLikeText(c.bytes), c.text) << c.bytes.left(16).toHex().toStdString();
}
