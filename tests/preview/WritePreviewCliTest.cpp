#include "core/events/ListFile.h"
#include "core/settings/SettingsFile.h"
#include "page/preview/PreviewPage.h"
#include "platform/qt/QtFontCatalog.h"
#include "tests/support/TempDir.h"
#include "tests/support/WrenpadRun.h"

#include <gtest/gtest.h>

using namespace dw;
using namespace dw::test;

TEST(WritePreviewCliTest, WritesTheTabsPageFromASettingsFileAndAList)
{
    TempDir dir;
    const QString look = dir.write("look.dwt", "MDEffect\r\nGlow\r\nCheckBox2\r\n0\r\nImportantAnimate\r\nBlink");
    const QString list = dir.write("l.dwe", listFileBytes({{"Ann", "05/03/1990", "-", 0, kDefaultRule},
                                                          {"Bob", "06/03/1990", "-", 1, kDefaultRule}}));
    const QString page = dir.path("p.html");

    const WrenpadRun run = runWrenpad({"--write-preview", page, "--settings", look, "--today", "2026-11-05", list});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Main Date,  Name-Date,  Important\n"));
    SettingsModel settings;
    ASSERT_TRUE(settingsFromDwtFile(look, &settings));
    QtFontCatalog fonts;
    fillEmptyPreviewFonts(settings, fonts.families());
    EXPECT_EQ(TempDir::read(page),
              previewPageText({settings, true, QDate(2026, 11, 5), QLocale::system(), fonts}).toUtf8());

    // Without a list there is no important line; bad arguments exit with 2, failures with 1.
    ASSERT_EQ(runWrenpad({"--write-preview", page, "--settings", look}).code, 0);
    EXPECT_FALSE(TempDir::read(page).contains("Important - "));
    EXPECT_EQ(runWrenpad({"--write-preview"}).code, 2);
    EXPECT_EQ(runWrenpad({"--write-preview", page, "--today", "5/3/2026"}).code, 2);
    EXPECT_EQ(runWrenpad({"--write-preview", page, dir.path("none.dwe")}).code, 1);
    EXPECT_EQ(runWrenpad({"--write-preview", "/proc/none/p.html"}).code, 1);
}
