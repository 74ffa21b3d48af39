#include "platform/linux/FileTypeRegistrar.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace dw;

namespace {

struct Launches {
    QStringList calls;
    FileTypeRegistrar::Launcher launcher()
    {
        return [this](const QString &program, const QStringList &args) {
            calls << program + QLatin1Char(' ') + args.join(QLatin1Char(' '));
            return true;
        };
    }
};

FileTypeRecord record(const QString &program = QStringLiteral("/opt/Datewren/wrenpad"))
{
    FileTypeRecord r;
    r.program = program;
    return r;
}

} // namespace

TEST(FileTypeRegistrarTest, WritesTheExactPackageAndDesktopEntry)
{
    test::TempDir home;
    Launches launches;
    const FileTypeRegistrar registrar(home.root(), launches.launcher());
    const auto outcome = registrar.registerFileType(record());
    EXPECT_TRUE(outcome.mimeWritten);
    EXPECT_TRUE(outcome.desktopWritten);

    EXPECT_EQ(test::TempDir::read(home.path(QStringLiteral("mime/packages/DatewrenList.xml"))),
              QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                         "  <mime-type type=\"text/list\">\n"
                         "    <comment>Datewren List</comment>\n"
                         "    <sub-class-of type=\"text/plain\"/>\n"
                         "    <glob pattern=\"*.dwe\"/>\n"
                         "  </mime-type>\n"
                         "</mime-info>\n"));
    EXPECT_EQ(test::TempDir::read(home.path(QStringLiteral("applications/wrenpad.desktop"))),
              QByteArray("[Desktop Entry]\n"
                         "Type=Application\n"
                         "Name=Datewren\n"
                         "GenericName=Event Reminder\n"
                         "Comment=Reminds you of birthdays and yearly events on a wallpaper page\n"
                         "Exec=\"/opt/Datewren/wrenpad\" %f\n"
                         "Terminal=false\n"
                         "MimeType=text/list;\n"
                         "Categories=Utility;Calendar;\n"));
    const QString mime = home.path(QStringLiteral("mime")), apps = home.path(QStringLiteral("applications"));
    EXPECT_EQ(launches.calls, (QStringList{"update-mime-database " + mime, "update-desktop-database " + apps}));
    EXPECT_EQ(outcome.launched, launches.calls);
}

TEST(FileTypeRegistrarTest, SecondStartRewritesNothingAndRebuildsOnlyMissingCaches)
{
    test::TempDir home;
    Launches launches;
    const FileTypeRegistrar registrar(home.root(), launches.launcher());
    registrar.registerFileType(record());
    const QByteArray mime = test::TempDir::read(registrar.mimePackagePath(record()));
    const QByteArray desktop = test::TempDir::read(registrar.desktopEntryPath());

    // The tools' caches now exist, as a real run would leave them.
    QDir().mkpath(home.path(QStringLiteral("mime/text")));
    home.write(QStringLiteral("mime/text/list.xml"), "cache");
    home.write(QStringLiteral("applications/mimeinfo.cache"), "cache");
    launches.calls.clear();
    const auto again = registrar.registerFileType(record());
    EXPECT_FALSE(again.mimeWritten);
    EXPECT_FALSE(again.desktopWritten);
    EXPECT_TRUE(launches.calls.isEmpty());
    EXPECT_EQ(test::TempDir::read(registrar.mimePackagePath(record())), mime);
    EXPECT_EQ(test::TempDir::read(registrar.desktopEntryPath()), desktop);
    EXPECT_EQ(QDir(home.path(QStringLiteral("mime/packages"))).entryList(QDir::Files), QStringList{"DatewrenList.xml"});

    // A moved program rewrites the desktop entry only.
    const auto moved = registrar.registerFileType(record(QStringLiteral("/home/ann/My Apps/100% \"new\"/wrenpad")));
    EXPECT_FALSE(moved.mimeWritten);
    EXPECT_TRUE(moved.desktopWritten);
    EXPECT_TRUE(test::TempDir::read(registrar.desktopEntryPath())
                    .contains("\nExec=\"/home/ann/My Apps/100%% \\\\\"new\\\\\"/wrenpad\" %f\n"));
    EXPECT_EQ(launches.calls, QStringList{"update-desktop-database " + home.path(QStringLiteral("applications"))});
}

TEST(FileTypeRegistrarTest, UnwritableDataHomeFailsSilently)
{
    test::TempDir home;
    const QString file = home.write(QStringLiteral("plain-file"), "x");
    Launches launches;
    // A data home below a regular file cannot be created, even by root.
    const auto outcome = FileTypeRegistrar(file + QStringLiteral("/share"), launches.launcher()).registerFileType(record());
    EXPECT_FALSE(outcome.mimeWritten);
    EXPECT_FALSE(outcome.desktopWritten);
    EXPECT_TRUE(launches.calls.isEmpty());

    const QString readOnly = home.path(QStringLiteral("ro"));
    QDir().mkpath(readOnly);
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const auto ro = FileTypeRegistrar(readOnly, launches.launcher()).registerFileType(record());
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (QFileInfo(readOnly + QStringLiteral("/mime")).exists())
        GTEST_SKIP() << "running as root: permissions do not stop writes";
    EXPECT_FALSE(ro.mimeWritten);
    EXPECT_TRUE(launches.calls.isEmpty());
}

TEST(FileTypeRegistrarTest, RealToolsAcceptTheFilesAndMapDweToTheType)
{
    const QString updateMime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    const QString validate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (updateMime.isEmpty() || validate.isEmpty())
        GTEST_SKIP() << "shared-mime-info or desktop-file-utils not installed";
    test::TempDir home;
    // Run the tools to completion here, so the test can look at what they built.
    const FileTypeRegistrar registrar(home.root(), [](const QString &program, const QStringList &args) {
        return QProcess::execute(program, args) == 0;
    });
    const auto outcome = registrar.registerFileType(record(QStringLiteral("/opt/my apps/wrenpad")));
    EXPECT_EQ(outcome.launched.size(), 2);

    QProcess check;
    check.start(validate, {registrar.desktopEntryPath()});
    ASSERT_TRUE(check.waitForFinished());
    EXPECT_EQ(check.exitCode(), 0) << check.readAll().toStdString();
    EXPECT_TRUE(test::TempDir::read(home.path(QStringLiteral("mime/globs2"))).contains(":text/list:*.dwe"));
    EXPECT_TRUE(test::TempDir::read(home.path(QStringLiteral("applications/mimeinfo.cache")))
                    .contains("text/list=wrenpad.desktop;"));
}
