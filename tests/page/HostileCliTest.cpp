// Every command that writes or reads a file, run as a user would on their worst day: a full
// disk, special files where files should be, endless and binary inputs. Each must fail with
// its reason and a non-zero status, and change nothing the user had.
#include "PageTestSupport.h"
#include "core/events/ListFile.h"
#include "core/settings/SettingsFile.h"
#include "tests/support/OddFiles.h"
#include "tests/support/WrenpadRun.h"

#include <QDir>
#include <QRandomGenerator>
#include <functional>

using namespace dw;
using namespace dw::test;

namespace {

const QByteArray kList = listFileBytes({{"Ann", "01/02/2000", "-", 0, kDefaultRule}});

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
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

// Something put where a file should be, and the reason a command gives for refusing it.
struct Oddity {
    const char *what;
    std::function<bool(const QString &)> make;
    const char *reason;
};

// A writing command; in its arguments OUT stands for what it writes and DIR for a folder
// holding a current list (list.dwe) and an old one (old.dwe).
struct Writer {
    const char *program;
    QStringList args;
};

const Writer kWriters[] = {
    {"wrenpad", {"--write-html", "OUT", "DIR/list.dwe"}},
    {"wrenpad", {"--write-preview", "OUT", "DIR/list.dwe"}},
    {"wrenpad", {"--export-settings", "OUT"}},
    {"wrenfix", {"--force", "DIR/old.dwe", "OUT"}},
};

test::WrenpadRun runWriter(const Writer &w, const QString &out)
{
    const test::TempDir dir;
    dir.write("list.dwe", kList);
    dir.write("old.dwe", "Ann\r\n01/02/2000\r\n-\r\n0\r\nBen\r\n02/03/2001\r\n-\r\n1");
    QStringList args = w.args;
    args.replaceInStrings("DIR", dir.root()).replaceInStrings("OUT", out);
    return test::runBuilt(w.program, args, dir.path("config"));
}

} // namespace

// Each writer meets one kind of special file (every kind is met once), then a full disk.
TEST(HostileCliTest, EveryWriterOnAFullDiskOrASpecialFileFailsAndKeepsWhatWasThere)
{
    const Oddity kinds[] = {
        {"pipe", test::makeFifo, "It is a pipe, not a regular file"},
        {"null device", [](const QString &p) { return test::makeCharDevice(p, 3); }, "It is a device, not a regular file"},
        {"link to a pipe", [](const QString &p) { return test::makeFifo(p + ".pipe") && QFile::link(p + ".pipe", p); },
         "It is a pipe, not a regular file"},
        {"read-only file", [](const QString &p) { return writeFile(p, "keep") && QFile::setPermissions(p, QFileDevice::ReadOwner); },
         "The file is read-only"},
    };
    for (size_t i = 0; i < std::size(kWriters); ++i) {
        const Writer &w = kWriters[i];
        const test::TempDir dir;
        const QString special = dir.path("out.dwe");
        ASSERT_TRUE(kinds[i].make(special)) << kinds[i].what;
        const mode_t type = test::nodeType(special);
        auto r = runWriter(w, special);
        EXPECT_EQ(r.code, 1) << kinds[i].what;
        EXPECT_TRUE(r.err.contains(kinds[i].reason)) << kinds[i].what << ": " << r.err.toStdString();
        EXPECT_EQ(test::nodeType(special), type) << kinds[i].what;

        test::SmallDisk disk;
        if (!disk.mounted())
            continue; // said by the store's case below
        const QByteArray old = randomBytes(9000);
        const QString out = disk.write("out.dwe", old);
        disk.fill();
        r = runWriter(w, out);
        EXPECT_EQ(r.code, 1) << w.args[0].toStdString();
        EXPECT_TRUE(r.err.contains("No space left on device")) << r.err.toStdString();
        EXPECT_EQ(test::TempDir::read(out), old) << w.args[0].toStdString();
        EXPECT_EQ(disk.entries(), QStringList{"out.dwe"}) << w.args[0].toStdString();
    }
    // The store itself on a full disk: an import is refused, the old store stays whole.
    test::TempDir dir;
    const QString look = dir.write("look.dwt", serializeSettingsFile({{"RemindBefore", "7"}}));
    test::SmallDisk config;
    if (!config.mounted())
        GTEST_SKIP() << config.why();
    ASSERT_TRUE(QDir(config.root()).mkdir("Datewren"));
    const QString store = config.write("Datewren/settings.ini", "[Settings]\nRemindBefore=3\n");
    config.fill();
    const auto r = test::runBuilt("wrenpad", {"--import-settings", look}, config.root());
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.trimmed(), "wrenpad: Cannot write the settings store \"" + store + "\": No space left on device");
    EXPECT_EQ(test::TempDir::read(store), "[Settings]\nRemindBefore=3\n");
}

TEST(HostileCliTest, EveryReaderRefusesSpecialEndlessAndBinaryInput)
{
    const QString text = QString::fromLatin1(kList);
    const QByteArray utf16 = "\xff\xfe" + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    const Oddity inputs[] = {
        {"pipe without a writer", test::makeFifo, "It is a pipe, not a regular file"},
        {"endless device", [](const QString &p) { return test::makeCharDevice(p, 5); }, "It is a device, not a regular file"},
        {"random bytes", [](const QString &p) { return writeFile(p, randomBytes(110000)); }, "It is not a text file"},
        {"UTF-16 text", [&](const QString &p) { return writeFile(p, utf16); }, "It is not a text file"},
    };
    // In the arguments IN stands for the input; each message is followed by the input's reason.
    const std::pair<QStringList, const char *> readers[] = {
        {{"--write-html", "page.html", "IN"}, "Cannot read \"IN\": "},
        {{"--write-html", "page.html", "--settings", "IN", "list.dwe"}, "Cannot read \"IN\": "},
        {{"--import-settings", "IN"}, "wrenpad: Cannot read \"IN\": "},
    };
    for (const auto &[readerArgs, message] : readers) {
        for (const Oddity &input : inputs) {
            test::TempDir dir;
            dir.write("list.dwe", kList);
            const QString in = dir.path("in");
            ASSERT_TRUE(input.make(in)) << input.what;
            QStringList args = readerArgs;
            args.replaceInStrings("page.html", dir.path("page.html")).replaceInStrings("list.dwe", dir.path("list.dwe"));
            const auto r = test::runBuilt("wrenpad", args.replaceInStrings("IN", in), dir.path("config"));
            EXPECT_EQ(r.code, 1) << readerArgs.join(' ').toStdString() << " / " << input.what;
            // A list is told by its format test, which text of any kind fails.
            const bool formatTest = readerArgs == readers[0].first && QByteArray(input.reason) == "It is not a text file";
            const QString expected = formatTest ? QStringLiteral("Convert file using DWE Converter before opening.")
                                                : QString(message).replace("IN", in) + input.reason;
            EXPECT_TRUE(r.err.contains(expected)) << input.what << ": " << r.err.toStdString();
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

// Dates to rewrite, a duplicate and file order, as Create HTML would take them; the scroller is
// off, as its widths are the machine's fonts'.
TEST(WriteHtmlCliTest, WritesThePageWithoutTouchingListOrStore)
{
    TempDir dir;
    const QString config = dir.path("config");
    const std::vector<EventRecord> events{event("Zed", "5/3/2026", "z@x.org"), event("Amy", "1.2.1990", "-", 1),
                                          event("ZED", "05/03/2026")};
    const QByteArray listBytes = listFileBytes(events);
    const QString list = dir.write("list.dwe", listBytes);
    const QString look = dir.write("look.dwt", serializeSettingsFile({{"RemindBefore", "1"}, {"MDEffect", "Glow"},
                                                                      {"NDDateSep", "-"}, {"CheckBox2", "0"}}));
    const QString out = dir.path("page.html");

    const WrenpadRun run = runWrenpad(
        {"--write-html", out, "--settings", look, "--today", "2026-03-05", "--no-browser-compat", list}, config);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("2) You will be reminded ON the day of the event.")) << run.err.toStdString();
    expectGoldenPage("cli-write-html", "defaults.html", QString::fromLatin1(TempDir::read(out)));
    EXPECT_EQ(TempDir::read(list), listBytes);
    EXPECT_FALSE(QDir(config).exists());
}

TEST(WriteHtmlCliTest, ErrorsGoToStderrWithANonZeroExit)
{
    TempDir dir;
    const QString out = dir.path("page.html"), blocked = dir.path("file/page.html");
    const QString good = dir.write("good.dwe", listFileBytes({event("Ann", "01/01/2000")}));
    dir.write("file", "x");
    const struct {
        QStringList args; // after --write-html
        int code;
        QString err; // the end of stderr; without a final line break, a part of it
    } cases[] = {
        {{out, dir.write("empty.dwe", "")}, 1, "Nothing to write!\n"},
        {{out, dir.write("bad.dwe", listFileBytes({event("Ann", "01/01/2000"), event("Bob", "31/02/2000")}))}, 1,
         "Invalid date found for Bob (line 7: \"31/02/2000\")\n"},
        {{blocked, good}, 1, "The page could not be written to \"" + blocked + "\".\nNot a directory\n"},
        {{out}, 2, "Usage: wrenpad --write-html PAGE.html"},
        {{out, "--today", "5.3.2026", good}, 2, ""},
    };
    for (const auto &c : cases) {
        const WrenpadRun r = runWrenpad(QStringList{"--write-html"} + c.args, dir.path("config"));
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(c.err.endsWith('\n') ? r.err.endsWith(c.err) : r.err.contains(c.err)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}
