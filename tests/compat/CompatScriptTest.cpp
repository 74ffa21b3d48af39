#include "core/events/ListFile.h"
#include "core/settings/SettingsStore.h"
#include "page/compat/CompatScript.h"
#include "tests/page/PageTestSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestWindow.h"
#include "tests/support/WrenpadRun.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpression>

using namespace dw;
using namespace dw::test;

namespace {

const QString kHead = QStringLiteral("<html>\r\n<HEAD>\r\n");
const QString kScriptHead = kHead + QStringLiteral("<script>");

std::vector<EventRecord> someEvents()
{
    return {event("Ann", "05/03/1980", "ann@example.org", 1), event("Bob", "07/03/1990"),
            event("Cy", "02/01/1970", "-", 0, "00/00 20/12 05/01")};
}

} // namespace

// Whether the pages with and without the script differ by that element alone is checked on real
// pages in the browser run; here, what no browser would notice.
TEST(CompatScriptTest, ScriptIsPlainAsciiFetchesNothingAndKeepsTheLineEnds)
{
    SettingsModel s;
    s.animate = true;
    s.animation = QStringLiteral("Glow");
    const QString withScript = page(s, someEvents(), QDate(2026, 3, 5), browserCompatOptions(true));
    ASSERT_TRUE(withScript.startsWith(kScriptHead));
    // Plain ASCII, no way to end its element early, no address to fetch anything from.
    const QRegularExpression unsafe(QStringLiteral("[^\\x09\\x0a\\x20-\\x7e]|</script|<!--|https?:|//[a-z]|"
                                                   "XMLHttpRequest|fetch\\(|import\\("),
                                    QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(compatScript().contains(unsafe));
    // Every page line keeps its CR LF, the script's own lines included.
    EXPECT_FALSE(withScript.contains(QRegularExpression(QStringLiteral("[^\\r]\\n"))));
}

struct CompatWindowTest : ::testing::Test, TestWindow {
    TempDir dir;
};

// The Others tab's box stores a preference of this machine; Create HTML and wrenpad --write-html
// follow it, and the flag given to wrenpad wins over it.
TEST_F(CompatWindowTest, OthersTabBoxStoresThePreferenceThatCreateHtmlAndWriteHtmlFollow)
{
    auto *box = window.tabPage(MainWindow::OthersTab)->findChild<QCheckBox *>("chkBrowserCompat");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), "Make the page work in current browsers");
    EXPECT_TRUE(box->isChecked());
    window.events().append(event("Ann", "05/03/1980"));
    const QString list = dir.write("list.dwe", listFileBytes(someEvents()));
    // The page of Create HTML and the one of wrenpad, each read as "script", "plain" or "none".
    auto pages = [&](const QStringList &flags) {
        window.setLastPagePath(dir.path("window.html"));
        prompter.answer(Button::Ok).answer(Button::No); // "File Written", then not as wallpaper
        window.panelButton(MainWindow::CreateHtmlButton)->click();
        // The child reads this process's settings store: the XDG folders are inherited.
        const QStringList args{"--write-html", dir.path("cli.html"), "--today", "2026-03-05"};
        const WrenpadRun r = runWrenpad(args + flags + QStringList{list});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        QStringList kinds;
        for (const char *name : {"window.html", "cli.html"}) {
            const QString text = QString::fromLatin1(TempDir::read(dir.path(name)));
            kinds << (text.startsWith(kScriptHead) ? "script" : text.startsWith(kHead + "<meta") ? "plain" : "none");
            QFile::remove(dir.path(name));
        }
        return kinds.join(' ');
    };
    EXPECT_EQ(pages({}), "script script"); // --no-browser-compat is run in the browser suite
    box->click();
    FileSettingsStore store(FileSettingsStore::defaultPath());
    EXPECT_FALSE(browserCompatPreference(store));
    // Never carried to another machine by a settings file.
    EXPECT_TRUE(store.getAllSettings(QStringLiteral("Settings")).empty());
    EXPECT_TRUE(store.getAllSettings(QStringLiteral("TempSettings")).empty());
    EXPECT_EQ(pages({}), "plain plain");
    EXPECT_EQ(pages({"--browser-compat"}), "plain script");
    box->click();
    EXPECT_TRUE(browserCompatPreference(FileSettingsStore(FileSettingsStore::defaultPath()))); // read afresh
    window.events().clear();
}
