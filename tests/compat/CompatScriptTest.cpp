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

std::vector<EventRecord> someEvents()
{
    return {event("Ann", "05/03/1980", "ann@example.org", 1), event("Bob", "07/03/1990"),
            event("Cy", "02/01/1970", "-", 0, "00/00 20/12 05/01")};
}

// The page without the script element that follows "<HEAD>", or an empty text when the page
// does not start with exactly one such element.
QString withoutHeadScript(const QString &page)
{
    const QString open = kHead + QLatin1String("<script>");
    const qsizetype end = page.indexOf(QLatin1String("</script>\r\n"));
    if (!page.startsWith(open) || end < 0 || page.mid(open.size(), end - open.size()).contains(QLatin1String("<script")))
        return {};
    return kHead + page.mid(end + qsizetype(sizeof("</script>\r\n") - 1));
}

} // namespace

TEST(CompatScriptTest, OffLeavesThePageAsItIsOnAddsOneSmallScriptAtTheHeadStart)
{
    SettingsModel s;
    s.animate = true;
    s.animation = QStringLiteral("Glow");
    const QString plain = page(s, someEvents());
    EXPECT_EQ(page(s, someEvents(), QDate(2026, 3, 5), browserCompatOptions(false)), plain);

    const QString withScript = page(s, someEvents(), QDate(2026, 3, 5), browserCompatOptions(true));
    EXPECT_EQ(withoutHeadScript(withScript), plain);
    EXPECT_EQ(withScript.count(QLatin1String("<script>")), plain.count(QLatin1String("<script>")) + 1);

    const QString script = compatScript();
    EXPECT_LT(compatScriptElement().toLatin1().size(), 8 * 1024);
    EXPECT_GT(script.size(), 1000);
    // Plain ASCII, no way to end its element early, no address to fetch anything from.
    EXPECT_FALSE(script.contains(QRegularExpression(QStringLiteral("[^\\x09\\x0a\\x20-\\x7e]|</script|<!--|https?:|//[a-z]|"
                                                                   "XMLHttpRequest|fetch\\(|import\\("),
                                                    QRegularExpression::CaseInsensitiveOption)));
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
        const WrenpadRun r = runWrenpad(
            QStringList{"--write-html", out, "--settings", look, "--today", "2026-03-05"} + extra + QStringList{list}, config);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        const QString text = QString::fromLatin1(TempDir::read(out));
        EXPECT_TRUE(text.startsWith(kHead)) << text.left(40).toStdString();
        return !withoutHeadScript(text).isEmpty();
    };

    EXPECT_TRUE(hasScript({}));
    EXPECT_FALSE(hasScript({"--no-browser-compat"}));

    FileSettingsStore store(config + "/Datewren/settings.ini"); // the one the child process reads
    ASSERT_TRUE(setBrowserCompatPreference(store, false));
    // A preference of this machine, never carried to another by a settings file.
    EXPECT_TRUE(store.getAllSettings(QStringLiteral("Settings")).empty() && store.getAllSettings(QStringLiteral("TempSettings")).empty());
    EXPECT_FALSE(hasScript({}));
    EXPECT_TRUE(hasScript({"--browser-compat"}));
}

struct CompatWindowTest : ::testing::Test, TestWindow {
    TempDir dir;
};

TEST_F(CompatWindowTest, OthersTabBoxStoresThePreferenceAndCreateHtmlFollowsIt)
{
    auto *box = window.tabPage(MainWindow::OthersTab)->findChild<QCheckBox *>(QStringLiteral("chkBrowserCompat"));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), "Make the page work in current browsers");
    EXPECT_TRUE(box->isChecked());

    window.events().append(event("Ann", "05/03/1980"));
    auto create = [&](const char *name) {
        const QString path = dir.path(QString::fromLatin1(name));
        window.setLastPagePath(path);
        prompter.answer(Button::Ok).answer(Button::No); // "File Written", then not as wallpaper
        window.panelButton(MainWindow::CreateHtmlButton)->click();
        return QString::fromLatin1(TempDir::read(path));
    };
    const QString with = create("with.html");
    EXPECT_FALSE(withoutHeadScript(with).isEmpty());

    box->click();
    EXPECT_FALSE(browserCompatPreference(FileSettingsStore(FileSettingsStore::defaultPath())));
    const QString without = create("without.html");
    EXPECT_TRUE(without.startsWith(kHead + QLatin1String("<meta")));
    EXPECT_EQ(withoutHeadScript(with), without);
    EXPECT_EQ(prompter.messages.size(), 4u); // "File Written" and the wallpaper question, twice

    box->click();
    EXPECT_TRUE(browserCompatPreference(FileSettingsStore(FileSettingsStore::defaultPath())));
    window.events().clear();
}
