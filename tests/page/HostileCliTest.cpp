// Every command that writes or reads a file, run as a user would on their worst day: a full
// disk, special files where files should be, endless and binary inputs. Each must fail with
// its reason and a non-zero status, and change nothing the user had.
#include "core/events/ListFile.h"
#include "core/settings/SettingsFile.h"
#include "tests/support/OddFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/WrenpadRun.h"

#include <QDir>
#include <QRandomGenerator>
#include <functional>
#include <gtest/gtest.h>

using namespace dw;

namespace {

const QByteArray kList = listFileBytes({{"Ann", "01/02/2000", "-", 0, kDefaultRule}});
const QByteArray kOldList = "Ann\r\n01/02/2000\r\n-\r\n0\r\nBen\r\n02/03/2001\r\n-\r\n1";

QByteArray randomBytes(int n)
{
    QRandomGenerator rng(19);
    QByteArray bytes(n, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(rng.bounded(256));
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray utf16(const QByteArray &text)
{
    const QString s = QString::fromUtf8(text);
    return "\xff\xfe" + QByteArray(reinterpret_cast<const char *>(s.utf16()), s.size() * 2);
}

// A command to run, with the place it writes to (or "" when it only reads).
struct Command {
    const char *name;
    const char *program;
    std::function<QStringList(const QString &out, const QString &dir)> args;
};

const Command kWriters[] = {
    {"page", "wrenpad", [](const QString &out, const QString &dir) { return QStringList{"--write-html", out, dir + "/list.dwe"}; }},
    {"preview", "wrenpad", [](const QString &out, const QString &dir) { return QStringList{"--write-preview", out, dir + "/list.dwe"}; }},
    {"export", "wrenpad", [](const QString &out, const QString &) { return QStringList{"--export-settings", out}; }},
    {"convert", "wrenfix", [](const QString &out, const QString &dir) { return QStringList{"--force", dir + "/old.dwe", out}; }},
};

} // namespace

TEST(HostileCliTest, EveryWriterOnAFullDiskFailsAndKeepsTheOldFile)
{
    for (const Command &c : kWriters) {
        test::TempDir dir;
        dir.write("list.dwe", kList);
        dir.write("old.dwe", kOldList);
        test::SmallDisk disk;
        if (!disk.mounted())
            GTEST_SKIP() << disk.why();
        const QByteArray old = randomBytes(9000);
        const QString out = disk.write("out.dwe", old);
        disk.fill();
        const auto r = test::runBuilt(c.program, c.args(out, dir.root()), dir.path("config"));
        EXPECT_EQ(r.code, 1) << c.name;
        EXPECT_TRUE(r.err.contains("No space left on device")) << c.name << ": " << r.err.toStdString();
        EXPECT_EQ(test::TempDir::read(out), old) << c.name;
        EXPECT_EQ(disk.entries(), QStringList{"out.dwe"}) << c.name;
    }
    // The store itself on a full disk: an import is refused, the old store stays whole.
    test::TempDir dir;
    const QString look = dir.write("look.dwt", serializeSettingsFile({{"RemindBefore", "7"}}));
    test::SmallDisk config;
    ASSERT_TRUE(QDir(config.root()).mkdir("Datewren"));
    const QString store = config.write("Datewren/settings.ini", "[Settings]\nRemindBefore=3\n");
    config.fill();
    const auto r = test::runBuilt("wrenpad", {"--import-settings", look}, config.root());
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.trimmed(), "wrenpad: Cannot write the settings store \"" + store + "\": No space left on device");
    EXPECT_EQ(test::TempDir::read(store), "[Settings]\nRemindBefore=3\n");
}

TEST(HostileCliTest, SpecialDestinationsAreRefusedAndLeftAsTheyAre)
{
    const struct {
        const char *what;
        std::function<bool(const QString &)> make;
        const char *reason;
    } kinds[] = {
        {"pipe", test::makeFifo, "It is a pipe, not a regular file"},
        {"null device", [](const QString &p) { return test::makeCharDevice(p, 3); }, "It is a device, not a regular file"},
        {"link to a pipe", [](const QString &p) { return test::makeFifo(p + ".pipe") && QFile::link(p + ".pipe", p); },
         "It is a pipe, not a regular file"},
        {"read-only file",
         [](const QString &p) {
             QFile f(p);
             return f.open(QIODevice::WriteOnly) && f.write("keep") == 4 && f.setPermissions(QFileDevice::ReadOwner);
         },
         "The file is read-only"},
    };
    // Each writer meets one kind, so every kind and every writer is covered once.
    for (size_t i = 0; i < std::size(kWriters); ++i) {
        const Command &c = kWriters[i];
        const auto &k = kinds[i];
        test::TempDir dir;
        dir.write("list.dwe", kList);
        dir.write("old.dwe", kOldList);
        const QString out = dir.path("out.dwe");
        ASSERT_TRUE(k.make(out)) << k.what;
        const mode_t type = test::nodeType(out);
        const auto r = test::runBuilt(c.program, c.args(out, dir.root()), dir.path("config"));
        EXPECT_EQ(r.code, 1) << c.name << " / " << k.what;
        EXPECT_TRUE(r.err.contains(k.reason)) << c.name << " / " << k.what << ": " << r.err.toStdString();
        EXPECT_EQ(test::nodeType(out), type) << c.name << " / " << k.what;
    }
}

TEST(HostileCliTest, EveryReaderRefusesSpecialEndlessAndBinaryInput)
{
    const struct {
        const char *what;
        std::function<bool(const QString &)> make;
        const char *reason;
    } inputs[] = {
        {"pipe without a writer", test::makeFifo, "It is a pipe, not a regular file"},
        {"endless device", [](const QString &p) { return test::makeCharDevice(p, 5); }, "It is a device, not a regular file"},
        {"random bytes", [](const QString &p) { return writeFile(p, randomBytes(110000)); }, "It is not a text file"},
        {"UTF-16 text", [](const QString &p) { return writeFile(p, utf16(kList)); }, "It is not a text file"},
    };
    const struct {
        const char *name;
        QStringList args; // "IN" stands for the input
        const char *message; // the start of the message, before the reason
    } readers[] = {
        {"list", {"--write-html", "page.html", "IN"}, "Cannot read \"IN\": "},
        {"settings file", {"--write-html", "page.html", "--settings", "IN", "list.dwe"}, "Cannot read \"IN\": "},
        {"import", {"--import-settings", "IN"}, "wrenpad: Cannot read \"IN\": "},
    };
    for (const auto &reader : readers) {
        for (const auto &input : inputs) {
            test::TempDir dir;
            dir.write("list.dwe", kList);
            const QString in = dir.path("in");
            ASSERT_TRUE(input.make(in)) << input.what;
            QStringList args = reader.args;
            args.replaceInStrings("page.html", dir.path("page.html")).replaceInStrings("list.dwe", dir.path("list.dwe"));
            args.replaceInStrings("IN", in);
            const auto r = test::runBuilt("wrenpad", args, dir.path("config"));
            EXPECT_EQ(r.code, 1) << reader.name << " / " << input.what;
            // A list is told by its format test, which text of any kind fails.
            const bool formatTest = QByteArray(reader.name) == "list" && QByteArray(input.reason) == "It is not a text file";
            const QString expected = formatTest ? QStringLiteral("Convert file using DWE Converter before opening.")
                                                : QString(reader.message).replace("IN", in) + input.reason;
            EXPECT_TRUE(r.err.contains(expected))
                << reader.name << " / " << input.what << ": " << r.err.toStdString();
            EXPECT_FALSE(QFile::exists(dir.path("page.html")));
            EXPECT_FALSE(QFile::exists(dir.path("config/Datewren/settings.ini")));
        }
    }
    // The converter passes over a source that is no file, and says so.
    test::TempDir dir;
    ASSERT_TRUE(test::makeFifo(dir.path("pipe.dwe")));
    const auto r = test::runBuilt("wrenfix", {dir.path("pipe.dwe"), dir.path("new.dwe")}, dir.path("config"));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "wrenfix: " + dir.path("pipe.dwe") + ": is not a regular file\n");
}
