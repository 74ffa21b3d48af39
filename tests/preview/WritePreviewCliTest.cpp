#include "core/events/ListFile.h"
#include "core/settings/SettingsFile.h"
#include "page/preview/PreviewPage.h"
#include "platform/qt/QtFontCatalog.h"
#include "tests/support/TempDir.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace dw;

namespace {
int wrenpad(const QStringList &args, QString *out = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(DW_BINARY_DIR "/wrenpad"), args);
    if (!p.waitForFinished(60000))
        return -1;
    if (out)
        *out = QString::fromUtf8(p.readAllStandardOutput());
    return p.exitCode();
}
} // namespace

TEST(WritePreviewCliTest, WritesTheTabsPageFromASettingsFileAndAList)
{
    if (!QFileInfo::exists(QStringLiteral(DW_BINARY_DIR "/wrenpad")))
        GTEST_SKIP() << "wrenpad is not built";
    test::TempDir dir;
    const QString look = dir.write("look.dwt", "MDEffect\r\nGlow\r\nCheckBox2\r\n0\r\nImportantAnimate\r\nBlink");
    const QString list = dir.write("l.dwe", listFileBytes({{"Ann", "05/03/1990", "-", 0, kDefaultRule},
                                                          {"Bob", "06/03/1990", "-", 1, kDefaultRule}}));
    const QString page = dir.path("p.html");

    QString caption;
    ASSERT_EQ(wrenpad({"--write-preview", page, "--settings", look, "--today", "2026-11-05", list}, &caption), 0);
    EXPECT_EQ(caption, QStringLiteral("Main Date,  Name-Date,  Important\n"));
    SettingsModel settings;
    ASSERT_TRUE(settingsFromDwtFile(look, &settings));
    QtFontCatalog fonts;
    fillEmptyPreviewFonts(settings, fonts.families());
    EXPECT_EQ(test::TempDir::read(page),
              previewPageText({settings, true, QDate(2026, 11, 5), QLocale::system(), fonts}).toUtf8());

    // Without a list there is no important line; bad arguments exit with 2, failures with 1.
    ASSERT_EQ(wrenpad({"--write-preview", page, "--settings", look}), 0);
    EXPECT_FALSE(test::TempDir::read(page).contains("Important - "));
    EXPECT_EQ(wrenpad({"--write-preview"}), 2);
    EXPECT_EQ(wrenpad({"--write-preview", page, "--today", "5/3/2026"}), 2);
    EXPECT_EQ(wrenpad({"--write-preview", page, dir.path("none.dwe")}), 1);
    EXPECT_EQ(wrenpad({"--write-preview", "/proc/none/p.html"}), 1);
}
