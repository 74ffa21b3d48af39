#include "core/events/ListFile.h"
#include "core/settings/SettingsFile.h"
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

TEST(CompatScriptTest, OnUntilTurnedOffAndWriteHtmlOptionsOverrideTheSavedPreference)
{
    TempDir dir;
    const QString config = dir.path("config");
    const QString list = dir.write("list.dwe", listFileBytes(someEvents()));
    const QString look = dir.write("look.dwt", serializeSettingsFile({{"RemindBefore", "3"}}));
    auto hasScript = [&](const QStringList &extra) {
        const QString out = dir.path("page.html");
        QFile::remove(out);
        const QStringList args{"--write-html", out, "--settings", look, "--today", "2026-03-05"};
        const WrenpadRun r = runWrenpad(args + extra + QStringList{list}, config);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        const QString text = QString::fromLatin1(TempDir::read(out));
        EXPECT_TRUE(text.startsWith(kHead)) << text.left(40).toStdString();
        return text.startsWith(kScriptHead);
    };

    EXPECT_TRUE(hasScript({})); // --no-browser-compat is run in the browser suite

    FileSettingsStore store(config + "/Datewren/settings.ini"); // the one the child process reads
    ASSERT_TRUE(setBrowserCompatPreference(store, false));
    // A preference of this machine, never carried to another by a settings file.
    EXPECT_TRUE(store.getAllSettings(QStringLiteral("Settings")).empty());
    EXPECT_TRUE(store.getAllSettings(QStringLiteral("TempSettings")).empty());
    EXPECT_FALSE(hasScript({}));
    EXPECT_TRUE(hasScript({"--browser-compat"}));
}

struct CompatWindowTest : ::testing::Test, TestWindow {
    TempDir dir;
};

// The box is wired to the preference, and Create HTML follows it both ways.
TEST_F(CompatWindowTest, OthersTabBoxStoresThePreferenceAndCreateHtmlFollowsIt)
{
    auto *box = window.tabPage(MainWindow::OthersTab)->findChild<QCheckBox *>("chkBrowserCompat");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), "Make the page work in current browsers");
    EXPECT_TRUE(box->isChecked());
    window.events().append(event("Ann", "05/03/1980"));
    auto create = [&](const char *name) {
        window.setLastPagePath(dir.path(QString::fromLatin1(name)));
        prompter.answer(Button::Ok).answer(Button::No); // "File Written", then not as wallpaper
        window.panelButton(MainWindow::CreateHtmlButton)->click();
        return QString::fromLatin1(TempDir::read(dir.path(QString::fromLatin1(name))));
    };
    EXPECT_TRUE(create("with.html").startsWith(kScriptHead));
    box->click();
    EXPECT_FALSE(browserCompatPreference(FileSettingsStore(FileSettingsStore::defaultPath())));
    EXPECT_TRUE(create("without.html").startsWith(kHead + QLatin1String("<meta")));
    box->click();
    EXPECT_TRUE(browserCompatPreference(FileSettingsStore(FileSettingsStore::defaultPath())));
    window.events().clear();
}
