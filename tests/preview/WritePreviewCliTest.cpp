#include "core/events/ListFile.h"
#include "core/settings/SettingsFile.h"
#include "page/preview/PreviewPage.h"
#include "platform/qt/QtFontCatalog.h"
#include "tests/support/TempDir.h"

#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace dw;

namespace {

struct CliRun {
    int code = -1;
    QString out, err;
};

CliRun wrenpad(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(DW_BINARY_DIR "/wrenpad"), args);
    CliRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

TEST(WritePreviewCliTest, WritesTheTabsPageFromASettingsFileAndAList)
{
    if (!QFileInfo::exists(QStringLiteral(DW_BINARY_DIR "/wrenpad")))
        GTEST_SKIP() << "wrenpad is not built";
    test::TempDir dir;
    const QString look = dir.write(QStringLiteral("look.dwt"),
                                   "MDEffect\r\nGlow\r\nCheckBox2\r\n0\r\nImportantAnimate\r\nBlink\r\nMDDateStyle\r\n"
                                   "MMMM dd, yyyy");
    const QString list = dir.write(QStringLiteral("l.dwe"),
                                   listFileBytes({{"Ann", "05/03/1990", "-", 0, kDefaultRule},
                                                  {"Bob", "06/03/1990", "-", 1, kDefaultRule}}));
    const QString out = dir.path(QStringLiteral("p.html"));

    const CliRun run = wrenpad({"--write-preview", out, "--settings", look, "--today", "2026-11-05", list});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Main Date,  Name-Date,  Important\n"));
    SettingsModel settings;
    ASSERT_TRUE(settingsFromDwtFile(look, &settings));
    QtFontCatalog fonts;
    fillEmptyPreviewFonts(settings, fonts.families());
    const QByteArray page = test::TempDir::read(out);
    EXPECT_EQ(page, previewPageText({settings, true, QDate(2026, 11, 5), QLocale::system(), fonts}).toUtf8());
    EXPECT_TRUE(page.contains("Glow(Color= #"));
    EXPECT_TRUE(page.contains("<script>setInterval(\"food()\",500);</script></body>"));

    // Without a list there is no important line; bad arguments exit with 2.
    ASSERT_EQ(wrenpad({"--write-preview", out, "--settings", look}).code, 0);
    EXPECT_FALSE(test::TempDir::read(out).contains("Important - "));
    EXPECT_EQ(wrenpad({"--write-preview"}).code, 2);
    EXPECT_EQ(wrenpad({"--write-preview", out, "--today", "5/3/2026"}).code, 2);
    EXPECT_EQ(wrenpad({"--write-preview", out, list, list}).code, 2);
    const CliRun missing = wrenpad({"--write-preview", out, dir.path(QStringLiteral("none.dwe"))});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(wrenpad({"--write-preview", QStringLiteral("/proc/none/p.html")}).code, 1);
}
