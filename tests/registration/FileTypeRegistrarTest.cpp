#include "platform/linux/FileTypeRegistrar.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace dw;

namespace {
const FileTypeRecord kRecord{QStringLiteral("/opt/Datewren/wrenpad")};
} // namespace

TEST(FileTypeRegistrarTest, WritesExactFilesOnceAndRewritesOnlyWhatChanged)
{
    test::TempDir home;
    QStringList launched;
    const auto record = [&](const QString &program, const QStringList &args) {
        return launched << program + ' ' + args.join(' '), true;
    };
    const FileTypeRegistrar registrar(home.root(), record);
    registrar.registerFileType(kRecord);
    EXPECT_EQ(test::TempDir::read(home.path("mime/packages/DatewrenList.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"application/x-datewren-list\">\n    <comment>Datewren List</comment>\n"
              "    <sub-class-of type=\"text/plain\"/>\n    <glob pattern=\"*.dwe\"/>\n  </mime-type>\n</mime-info>\n");
    EXPECT_EQ(test::TempDir::read(home.path("applications/example.datewren.wrenpad.desktop")),
              "[Desktop Entry]\nType=Application\nName=Datewren\nGenericName=Event Reminder\n"
              "Comment=Reminds you of birthdays and yearly events on a wallpaper page\n"
              "Exec=\"/opt/Datewren/wrenpad\" %f\nTerminal=false\nMimeType=application/x-datewren-list;\n"
              "Categories=Office;Calendar;\n");
    const QStringList tools{"update-mime-database " + home.path("mime"),
                            "update-desktop-database " + home.path("applications")};
    EXPECT_EQ(launched, tools);

    // A second start, with the caches built: nothing is written (a write starts its tool) or started.
    QDir().mkpath(home.path("mime/application"));
    home.write("mime/application/x-datewren-list.xml", "cache");
    home.write("applications/mimeinfo.cache", "cache");
    launched.clear();
    registrar.registerFileType(kRecord);
    EXPECT_EQ(launched, QStringList());
    EXPECT_EQ(QDir(home.path("mime/packages")).entryList(QDir::Files), QStringList{"DatewrenList.xml"});

    // A moved program rewrites the desktop entry only, its path escaped for the Exec line.
    registrar.registerFileType(FileTypeRecord{"/home/ann/My Apps/100% \"new\"/wrenpad"});
    EXPECT_TRUE(test::TempDir::read(registrar.desktopEntryPath())
                    .contains("\nExec=\"/home/ann/My Apps/100%% \\\\\"new\\\\\"/wrenpad\" %f\n"));
    EXPECT_EQ(launched, QStringList{tools[1]});

    // The entry an earlier version wrote under the program's name goes; a user's own file stays.
    const QByteArray earlier = "[Desktop Entry]\nType=Application\nName=Datewren\nExec=\"/old/wrenpad\" %f\n"
                               "MimeType=text/list;\nCategories=Utility;Calendar;\n";
    home.write("applications/wrenpad.desktop", earlier);
    launched.clear();
    registrar.registerFileType(kRecord);
    EXPECT_FALSE(QFile::exists(home.path("applications/wrenpad.desktop")));
    EXPECT_EQ(launched, QStringList{tools[1]});
    home.write("applications/wrenpad.desktop", "[Desktop Entry]\nType=Application\nName=My wrenpad\n");
    EXPECT_FALSE(registrar.registerFileType(kRecord).desktopWritten);
    EXPECT_TRUE(QFile::exists(home.path("applications/wrenpad.desktop")));

    // A data folder that cannot be created (below a plain file, so even root cannot) is silent.
    launched.clear();
    FileTypeRegistrar(home.write("plain-file", "x") + "/share", record).registerFileType(kRecord);
    EXPECT_EQ(launched, QStringList()); // a write would have started its tool
}

TEST(FileTypeRegistrarTest, RealToolsAcceptTheFilesAndMapDweToTheType)
{
    const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
    if (QStandardPaths::findExecutable("update-mime-database").isEmpty() || validate.isEmpty())
        GTEST_SKIP() << "shared-mime-info or desktop-file-utils not installed";
    test::TempDir home;
    // The tools run to completion here, so the test can look at what they built.
    const FileTypeRegistrar registrar(home.root(), [](const QString &program, const QStringList &args) {
        return QProcess::execute(program, args) == 0;
    });
    EXPECT_EQ(registrar.registerFileType(FileTypeRecord{"/opt/my apps/wrenpad"}).launched.size(), 2);
    EXPECT_EQ(QProcess::execute(validate, {registrar.desktopEntryPath()}), 0);
    EXPECT_TRUE(test::TempDir::read(home.path("mime/globs2")).contains(":application/x-datewren-list:*.dwe"));
    EXPECT_TRUE(test::TempDir::read(home.path("applications/mimeinfo.cache"))
                    .contains("application/x-datewren-list=example.datewren.wrenpad.desktop;"));
}
