#include "PageTestSupport.h"
#include "core/events/ListFile.h"
#include "core/events/Sort.h"
#include "core/settings/SettingsFile.h"
#include "page/DateCheck.h"
#include "platform/qt/QtFontCatalog.h"
#include "tests/support/TempDir.h"
#include "tests/support/WrenpadRun.h"

#include <QDir>

using namespace dw;
using namespace dw::test;

TEST(WriteHtmlCliTest, WritesTheSamePageAsCreateHtmlWithoutTouchingListOrStore)
{
    TempDir dir;
    const QString config = dir.path("config");
    const std::vector<EventRecord> events{event("Zed", "5/3/2026", "z@x.org"), event("Amy", "1.2.1990", "-", 1),
                                          event("ZED", "05/03/2026")};
    const QByteArray listBytes = listFileBytes(events);
    const QString list = dir.write("list.dwe", listBytes);
    const QString look = dir.write("look.dwt", serializeSettingsFile({{"RemindBefore", "1"}, {"MDEffect", "Glow"},
                                                                      {"NDDateSep", "-"}}));
    const QString out = dir.path("page.html");

    const WrenpadRun run = runWrenpad(
        {"--write-html", out, "--settings", look, "--today", "2026-03-05", "--no-browser-compat", list}, config);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("1) You will be reminded ON the day of the event.")) << run.err.toStdString();

    SettingsModel settings;
    ASSERT_TRUE(settingsFromDwtFile(look, &settings));
    std::vector<EventRecord> rows = events;
    ASSERT_EQ(rewriteDates(rows), -1);
    rows = withoutDuplicates(rows);
    sortRecords(rows, SortKind::Monthwise);
    QtFontCatalog fonts;
    const std::optional<QString> want = pageText(PageInput{rows, settings, fonts, QDateTime(QDate(2026, 3, 5), QTime(12, 0)), {}});
    ASSERT_TRUE(want);
    EXPECT_EQ(TempDir::read(out), want->toLatin1());
    EXPECT_TRUE(want->contains("ent[1]='<font color=#ff0000>'+\"Amy  -  01 - 02 - 1990\"+'</font><br>'"));

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
        {{out, dir.write("old.dwe", "Ann\r\n01/01/2000\r\n-\r\n0\r\nBob\r\n02/02/2000\r\n-\r\n1")}, 1,
         "Convert file using DWE Converter before opening.\n"},
        {{out, dir.path("missing.dwe")}, 1, "Cannot read \"" + dir.path("missing.dwe") + "\": "},
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
