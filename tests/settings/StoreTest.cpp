#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsStore.h"
#include "tests/support/TempDir.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
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
