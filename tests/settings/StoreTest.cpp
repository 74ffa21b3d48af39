#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsStore.h"
#include "tests/support/OddFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/WrenpadRun.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace dw;

namespace {
struct StoreTest : ::testing::Test {
    test::TempDir dir;
    const QString path = dir.path("settings.ini");
};
} // namespace

TEST_F(StoreTest, AnyKeyAndValueRoundTripsInFirstWrittenOrder)
{
    const QString nested = dir.path("cfg/settings.ini"); // its folder does not exist yet
    SettingPairs odd = {
        {"b", QString()}, {"a", " "}, {"  spaced key  ", "  both ends  "}, {"k=e[y]", "v=a=l[ue]"},
        {"[Section]", "[x]"}, {"#not a comment", ";neither"}, {QString(), "empty key"}, {"long", QString(100000, 'x')},
        {"ümlaut\u4e2d", "Grüße \u263a"}, {"lines", "one\r\ntwo\nthree\rfour\\n\t\x01"}, {"nonchar", "a\uffffb=c"},
    };
    FileSettingsStore store(nested);
    ASSERT_TRUE(store.saveSettings("Settings", odd));
    ASSERT_TRUE(store.saveSetting("Settings", "b", "rewritten"));
    FileSettingsStore reread(nested);
    odd[0].second = "rewritten"; // rewriting keeps the place
    EXPECT_EQ(reread.getAllSettings("Settings"), odd);
    EXPECT_EQ(reread.movedAsidePath(), QString());
}

TEST_F(StoreTest, UnreadableFileIsMovedAsideAndTheStoreStartsEmpty)
{
    static const char kBinary[] = "[Settings]\nk=\xff\xfe binary\x00\x01";
    const QByteArray broken[] = {
        "key=value before any section\n", "[Settings]\nno equals sign\n", "[Settings]\nbad=escape\\q\n",
        "[Settings\nk=v\n", QByteArray::fromRawData(kBinary, sizeof kBinary - 1), QByteArray("[Settings]\nk=v\0\n", 15),
        QByteArray("\xff\xfe[\0S\0]\0\n\0k\0=\0v\0\n\0", 18), // UTF-16 text of a store that would otherwise be fine
    };
    for (const QByteArray &bytes : broken) {
        test::TempDir each;
        const QString file = each.write("settings.ini", bytes);
        FileSettingsStore store(file);
        EXPECT_EQ(store.getSetting("Settings", "k", "d"), "d"); // the first read moves the file aside
        EXPECT_EQ(test::TempDir::read(store.movedAsidePath()), bytes) << bytes.toStdString(); // kept for the user
        EXPECT_TRUE(store.saveSetting("Settings", "k", "v"));
        EXPECT_EQ(FileSettingsStore(file).getSetting("Settings", "k"), "v");
    }
    // Blank lines, comments, CR LF ends and repeated sections are fine.
    FileSettingsStore store(
        dir.write("s.ini", "\xef\xbb\xbf# c\r\n\r\n[Settings]\r\na=1\r\n[Other]\r\n[Settings]\r\nb=\r\n"));
    EXPECT_EQ(store.getAllSettings("Settings"), (SettingPairs{{"a", "1"}, {"b", QString()}}));
    EXPECT_TRUE(store.movedAsidePath().isEmpty());
}

// 10,000 keys, a 10 MB value and 100,000 sections: all read, and reading never writes.
TEST_F(StoreTest, ManyKeysSectionsAndHugeValuesAndReadingNeverWrites)
{
    SettingPairs many;
    for (int i = 0; i < 10000; ++i)
        many.emplace_back(QStringLiteral("Unknown%1").arg(i), QString::number(i));
    many.emplace_back("MainDateFont", QString(10 * 1024 * 1024, 'F'));
    FileSettingsStore(path).saveSettings("Settings", many);
    QByteArray before = test::TempDir::read(path);
    for (int i = 0; i < 100000; ++i)
        before += "[S" + QByteArray::number(i) + "]\nk=" + QByteArray::number(i) + "\n";
    dir.write("settings.ini", before);
    const QDateTime stamp = QFileInfo(path).lastModified();

    FileSettingsStore store(path);
    EXPECT_EQ(store.getAllSettings("Settings").size(), 10001u);
    EXPECT_EQ(store.getSetting("S99999", "k"), "99999");
    SettingsModel m;
    loadSettings(m, store);
    EXPECT_EQ(m.fonts[0], "Verdana"); // far too long for a family name: kept its own
    EXPECT_EQ(test::TempDir::read(path), before);
    EXPECT_EQ(QFileInfo(path).lastModified(), stamp);
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files | QDir::Hidden), QStringList{"settings.ini"}); // no lock, no temp
}

TEST_F(StoreTest, TwoWritersLoseNoneOfEachOthersKeys)
{
    FileSettingsStore first(path), second(path);
    first.saveSetting("Settings", "one", "1");
    second.saveSetting("Settings", "two", "2"); // stale view
    first.saveSetting("Settings", "three", "3");
    EXPECT_EQ(FileSettingsStore(path).getAllSettings("Settings"),
              (SettingPairs{{"one", "1"}, {"two", "2"}, {"three", "3"}}));

    // Real processes at the same time: four wrenpads import 40 distinct keys each, then one exports
    // the defaults (those keys are none of ours) with the Name-Date marker where start-up puts it.
    const QString out = dir.path("out.dwt");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.path("xdg"));
    QProcess runs[4];
    for (int p = 0; p < 4; ++p) {
        QStringList lines;
        for (int k = 0; k < 40; ++k)
            lines << QStringLiteral("P%1K%2").arg(p).arg(k) << "v";
        const QString in = dir.write(QStringLiteral("in%1.dwt").arg(p), lines.join("\r\n").toUtf8());
        runs[p].setProcessEnvironment(env);
        runs[p].start(DW_BINARY_DIR "/wrenpad", {"--import-settings", in});
    }
    for (QProcess &r : runs) {
        ASSERT_TRUE(r.waitForFinished(30000));
        EXPECT_EQ(r.exitCode(), 0) << r.readAllStandardError().toStdString();
    }
    EXPECT_EQ(FileSettingsStore(dir.path("xdg/Datewren/settings.ini")).getAllSettings("Settings").size(), 160u);
    const auto exported = test::runWrenpad({"--export-settings", out}, dir.path("xdg"));
    EXPECT_EQ(exported.code, 0);
    EXPECT_EQ(exported.out, "Wrote 61 settings to " + out + "\n");
    EXPECT_EQ(test::TempDir::read(out), test::TempDir::read(DW_TEST_DATA "/defaults.dwt")
                                            .replace("NameDateLeft\r\n4050\r\n", "NameDateLeft\r\n4035\r\n"));
}

// What is no regular file is refused by the file reader (TextFileTest); the store must then neither
// block on a pipe without a writer nor move what it could not read aside.
TEST_F(StoreTest, APipeIsNeitherReadNorReplaced)
{
    ASSERT_TRUE(test::makeFifo(path));
    FileSettingsStore store(path);
    EXPECT_EQ(store.getSetting("Settings", "k", "d"), "d");
    EXPECT_FALSE(store.saveSetting("Settings", "k", "v"));
    EXPECT_EQ(store.saveError(), "Cannot write the settings store \"" + path + "\": It is a pipe, not a regular file");
    EXPECT_EQ(test::nodeType(path), mode_t(S_IFIFO));
    EXPECT_EQ(store.movedAsidePath(), QString());
}
