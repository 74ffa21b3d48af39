#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsStore.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TempDir.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <functional>
#include <gtest/gtest.h>

using namespace dw;

TEST(StoreTest, AnyKeyAndValueRoundTripsInFirstWrittenOrder)
{
    test::TempDir dir;
    const QString path = dir.path(QStringLiteral("cfg/settings.ini"));
    const SettingPairs odd = {
        {QStringLiteral("b"), QString()},
        {"a", " "}, {"  spaced key  ", "  both ends  "}, {"k=e[y]", "v=a=l[ue]"}, {"[Section]", "[x]"},
        {"#not a comment", ";neither"},
        {QString(), QStringLiteral("empty key")},
        {"ümlaut\u4e2d", "Grüße \u263a"}, {"lines", "one\r\ntwo\nthree\rfour\\n\t\x01"},
        {QStringLiteral("long"), QString(100000, QLatin1Char('x'))},
        {"nonchar", "a\uffffb=c"},
    };
    {
        FileSettingsStore store(path);
        ASSERT_TRUE(store.saveSettings(QStringLiteral("Settings"), odd));
        ASSERT_TRUE(store.saveSetting(QStringLiteral("Settings"), QStringLiteral("b"), QStringLiteral("rewritten")));
        ASSERT_TRUE(store.saveSetting(QStringLiteral("TempSettings"), QStringLiteral("t"), QStringLiteral("1")));
    }
    FileSettingsStore reread(path);
    SettingPairs expected = odd;
    expected[0].second = QStringLiteral("rewritten"); // rewriting keeps the place
    EXPECT_EQ(reread.getAllSettings(QStringLiteral("Settings")), expected);
    EXPECT_EQ(reread.getSetting(QStringLiteral("Settings"), QStringLiteral("a")), QStringLiteral(" "));
    EXPECT_EQ(reread.getSetting(QStringLiteral("Settings"), QStringLiteral("missing"), QStringLiteral("def")),
              QStringLiteral("def"));
    EXPECT_EQ(reread.getSetting(QStringLiteral("TempSettings"), QStringLiteral("t")), QStringLiteral("1"));
    EXPECT_TRUE(reread.getAllSettings(QStringLiteral("Nowhere")).empty());
    EXPECT_TRUE(reread.movedAsidePath().isEmpty());
}

TEST(StoreTest, UnreadableFileIsMovedAsideAndTheStoreStartsEmpty)
{
    static const char kBinary[] = "[Settings]\nk=\xff\xfe binary\x00\x01";
    const QList<QByteArray> broken = {
        QByteArray("key=value before any section\n"),
        QByteArray("[Settings]\nno equals sign\n"),
        QByteArray("[Settings]\nbad=escape\\q\n"),
        QByteArray("[Settings\nk=v\n"),
        QByteArray::fromRawData(kBinary, sizeof kBinary - 1),
        QByteArray("[Settings]\nk=v\0\n", 15),
        // UTF-16 text of a store that would otherwise be fine.
        QByteArray("\xff\xfe[\0S\0]\0\n\0k\0=\0v\0\n\0", 20),
    };
    for (const QByteArray &bytes : broken) {
        test::TempDir dir;
        const QString path = dir.write(QStringLiteral("settings.ini"), bytes);
        FileSettingsStore store(path);
        EXPECT_EQ(store.getSetting(QStringLiteral("Settings"), QStringLiteral("k"), QStringLiteral("d")),
                  QStringLiteral("d"));
        ASSERT_FALSE(store.movedAsidePath().isEmpty()) << bytes.toStdString();
        EXPECT_EQ(test::TempDir::read(store.movedAsidePath()), bytes); // kept, not deleted
        EXPECT_FALSE(QFileInfo::exists(path));
        EXPECT_TRUE(store.saveSetting(QStringLiteral("Settings"), QStringLiteral("k"), QStringLiteral("v")));
        EXPECT_EQ(FileSettingsStore(path).getSetting(QStringLiteral("Settings"), QStringLiteral("k")),
                  QStringLiteral("v"));
    }
    // Blank lines, comments, CR LF ends and repeated sections are fine.
    test::TempDir dir;
    const QString path =
        dir.write(QStringLiteral("s.ini"), "\xef\xbb\xbf# c\r\n\r\n[Settings]\r\na=1\r\n[Other]\r\n[Settings]\r\nb=\r\n");
    FileSettingsStore store(path);
    EXPECT_EQ(store.getAllSettings(QStringLiteral("Settings")),
              (SettingPairs{{QStringLiteral("a"), QStringLiteral("1")}, {QStringLiteral("b"), QString()}}));
    EXPECT_TRUE(store.movedAsidePath().isEmpty());
}

TEST(StoreTest, ManyKeysAndHugeValuesAndReadingNeverWrites)
{
    test::TempDir dir;
    const QString path = dir.path(QStringLiteral("settings.ini"));
    SettingPairs many;
    for (int i = 0; i < 10000; ++i)
        many.emplace_back(QStringLiteral("Unknown%1").arg(i), QString::number(i));
    many.emplace_back(QStringLiteral("MainDateFont"), QString(10 * 1024 * 1024, QLatin1Char('F')));
    FileSettingsStore(path).saveSettings(QStringLiteral("Settings"), many);
    const QByteArray before = test::TempDir::read(path);
    const QDateTime stamp = QFileInfo(path).lastModified();

    FileSettingsStore store(path);
    EXPECT_EQ(store.getAllSettings(QStringLiteral("Settings")).size(), 10001u);
    EXPECT_EQ(store.getSetting(QStringLiteral("Settings"), QStringLiteral("Unknown9999")), QStringLiteral("9999"));
    SettingsModel m;
    loadSettings(m, store);
    EXPECT_EQ(m.fonts[0], QStringLiteral("Verdana")); // far too long for a family name: kept its own
    EXPECT_EQ(test::TempDir::read(path), before);
    EXPECT_EQ(QFileInfo(path).lastModified(), stamp);
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files | QDir::Hidden), QStringList{"settings.ini"}); // no lock, no temp
}

TEST(StoreTest, TwoWritersLoseNoneOfEachOthersKeys)
{
    test::TempDir dir;
    const QString path = dir.path(QStringLiteral("settings.ini"));
    FileSettingsStore first(path);
    FileSettingsStore second(path);
    first.saveSetting(QStringLiteral("Settings"), QStringLiteral("one"), QStringLiteral("1"));
    second.saveSetting(QStringLiteral("Settings"), QStringLiteral("two"), QStringLiteral("2")); // stale view
    first.saveSetting(QStringLiteral("Settings"), QStringLiteral("three"), QStringLiteral("3"));
    EXPECT_EQ(FileSettingsStore(path).getAllSettings(QStringLiteral("Settings")),
              (SettingPairs{{"one", "1"}, {"two", "2"}, {"three", "3"}}));

    // Real processes at the same time: each wrenpad imports its own file of 40 distinct keys.
    const QString wrenpad = QStringLiteral(DW_BINARY_DIR "/wrenpad");
    if (!QFileInfo::exists(wrenpad))
        GTEST_SKIP() << "wrenpad not built";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path(QStringLiteral("xdg")));
    const auto start = [&](QProcess &proc, const QStringList &args) {
        proc.setProcessEnvironment(env);
        proc.start(wrenpad, args);
    };
    QProcess runs[4];
    for (int p = 0; p < 4; ++p) {
        QStringList lines;
        for (int k = 0; k < 40; ++k)
            lines << QStringLiteral("P%1K%2").arg(p).arg(k) << QStringLiteral("v");
        const QString file = dir.write(QStringLiteral("in%1.dwt").arg(p), lines.join(QStringLiteral("\r\n")).toUtf8());
        start(runs[p], {QStringLiteral("--import-settings"), file});
    }
    for (QProcess &proc : runs) {
        EXPECT_TRUE(proc.waitForFinished(30000));
        EXPECT_EQ(proc.exitCode(), 0) << proc.readAllStandardError().toStdString();
    }
    FileSettingsStore shared(dir.path(QStringLiteral("xdg/Datewren/settings.ini")));
    EXPECT_EQ(shared.getAllSettings(QStringLiteral("Settings")).size(), 160u);

    // The export command line: its report and its failure (the bytes are pinned in SettingsFileTest).
    QProcess exporter;
    const QString out = dir.path(QStringLiteral("out.dwt"));
    start(exporter, {QStringLiteral("--export-settings"), out});
    ASSERT_TRUE(exporter.waitForFinished(30000));
    EXPECT_EQ(exporter.exitCode(), 0);
    EXPECT_EQ(exporter.readAllStandardOutput(), "Wrote 61 settings to " + out.toUtf8() + "\n");
    EXPECT_TRUE(test::TempDir::read(out).startsWith("MainDateFont\r\nVerdana\r\n"));
    start(exporter, {QStringLiteral("--export-settings"), dir.path(QStringLiteral("no/such/dir/x.dwt"))});
    ASSERT_TRUE(exporter.waitForFinished(30000));
    EXPECT_EQ(exporter.exitCode(), 1);
    EXPECT_TRUE(exporter.readAllStandardError().contains("wrenpad: Cannot write the settings file"));
}

TEST(StoreTest, SpecialOrHugeStoreFilesAreNeitherReadNorReplaced)
{
    const bool root = ::geteuid() == 0;
    const struct {
        const char *what;
        std::function<bool(const QString &)> make;
        const char *reason;
    } cases[] = {
        {"pipe", test::makeFifo, "It is a pipe, not a regular file"},
        {"device", [](const QString &p) { return test::makeCharDevice(p, 5); }, "It is a device, not a regular file"},
        {"link to a pipe",
         [](const QString &p) { return test::makeFifo(p + ".pipe") && QFile::link(p + ".pipe", p); },
         "It is a pipe, not a regular file"},
        {"too large",
         [](const QString &p) {
             QFile f(p);
             return f.open(QIODevice::WriteOnly) && f.resize(16 * 1024 * 1024 + 1);
         },
         "The file is larger than 16 MB"},
    };
    for (const auto &c : cases) {
        if (!root && QByteArray(c.what) == "device")
            continue;
        test::TempDir dir;
        const QString path = dir.path("settings.ini");
        ASSERT_TRUE(c.make(path)) << c.what;
        const mode_t type = test::nodeType(path);
        FileSettingsStore store(path);
        // Reading gives the defaults at once: a pipe without a writer must not block.
        EXPECT_EQ(store.getSetting("Settings", "k", "d"), "d") << c.what;
        EXPECT_FALSE(store.saveSetting("Settings", "k", "v")) << c.what;
        EXPECT_EQ(store.saveError(), "Cannot write the settings store \"" + path + "\": " + c.reason) << c.what;
        EXPECT_EQ(test::nodeType(path), type) << c.what;
        EXPECT_TRUE(store.movedAsidePath().isEmpty()) << c.what;
    }
}

TEST(StoreTest, ManySectionsReadCorrectly)
{
    QByteArray bytes = "[Settings]\nRemindBefore=7\n";
    for (int i = 0; i < 100000; ++i)
        bytes += "[S" + QByteArray::number(i) + "]\nk=" + QByteArray::number(i) + "\n";
    bytes += "[S5]\nk2=again\n";
    const auto data = parseStore(bytes);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->sections.size(), 100001u);
    EXPECT_EQ(*data->section("Settings")->find("RemindBefore"), "7");
    EXPECT_EQ(data->section("S5")->pairs(), (SettingPairs{{"k", "5"}, {"k2", "again"}}));
    EXPECT_EQ(*data->section("S99999")->find("k"), "99999");
}

TEST(StoreTest, SavingOnAFullDiskKeepsTheOldStoreAndSaysWhy)
{
    test::SmallDisk disk;
    if (!disk.mounted()) {
        GTEST_SKIP() << disk.why();
    }
    const QString path = disk.path("settings.ini");
    ASSERT_TRUE(FileSettingsStore(path).saveSetting("Settings", "RemindBefore", "7"));
    const QByteArray before = test::TempDir::read(path);
    disk.fill();
    FileSettingsStore store(path);
    EXPECT_FALSE(store.saveSettings("Settings", {{"RemindBefore", "9"}, {"Big", QString(20000, 'x')}}));
    EXPECT_EQ(store.saveError(), "Cannot write the settings store \"" + path + "\": No space left on device");
    EXPECT_EQ(test::TempDir::read(path), before);
    EXPECT_EQ(disk.entries(), QStringList{"settings.ini"});
    EXPECT_EQ(store.getSetting("Settings", "RemindBefore"), "7");
}
