#include "core/settings/SettingsStore.h"
#include "desktop/PageRenderer.h"
#include "desktop/WallpaperOffer.h"
#include "desktop/WallpaperPreferences.h"
#include "tests/support/StandIn.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestWindow.h"
#include "tests/support/WrenpadRun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace dw;
using namespace dw::desktop;

TEST(WallpaperOffer, AfterCreateHtmlAsksOrActsAsThePreferenceSays)
{
    const Message question{"Set this page as your desktop wallpaper now?", "Wallpaper", Icon::Information,
                           Buttons::YesNo, Button::Yes};
    const struct {
        const char *preference;
        std::vector<Button> answers;
        bool succeeds;
        int sets;
        std::vector<Message> messages;
    } cases[] = {
        {"", {Button::Yes}, true, 1, {question}}, {"ask", {Button::No}, true, 0, {question}},
        {"always", {}, true, 1, {}}, {"never", {}, true, 0, {}},
        {"always", {}, false, 1,
         {{"The wallpaper could not be set.\nDesktop: sway\nswaymsg failed (exit status 1).\n"
           "The picture is /p/datewren-1.png; you can set it by hand in your desktop's settings.",
           "Wallpaper", Icon::Exclamation, Buttons::Ok, Button::Ok}}},
    };
    for (const auto &c : cases) {
        MemorySettingsStore store;
        if (*c.preference)
            setPreference(store, kAfterCreateKey, QString::fromLatin1(c.preference));
        test::ScriptedPrompter prompter;
        for (Button b : c.answers)
            prompter.answer(b);
        int sets = 0;
        offerWallpaper("/p/page.html", store, prompter, [&](const QString &page) {
            EXPECT_EQ(page, "/p/page.html");
            ++sets;
            return SetWallpaperOutcome{.ok = c.succeeds, .desktop = "sway", .picture = "/p/datewren-1.png", .done = {},
                                       .error = c.succeeds ? "" : "swaymsg failed (exit status 1)."};
        });
        EXPECT_EQ(sets, c.sets) << c.preference;
        EXPECT_EQ(prompter.messages, c.messages) << c.preference;
        EXPECT_EQ(getPreference(store, kLastPageKey), "/p/page.html");
    }
}

struct WallpaperGroupTest : ::testing::Test, test::TestWindow {};

// The group's texts and defaults; each control stores its preference at once, not when the
// window closes.
TEST_F(WallpaperGroupTest, ControlsStoreAtOnceAndShareTheDailySchedule)
{
    QWidget *others = window.tabPage(MainWindow::OthersTab);
    auto *group = others->findChild<QGroupBox *>("fraWallpaper");
    ASSERT_TRUE(group);
    auto *after = group->findChild<QComboBox *>("cmbAfterCreate");
    QStringList seen{group->title(), "[" + after->currentText() + "]"};
    for (int i = 0; i < after->count(); ++i)
        seen << after->itemText(i);
    for (const auto *box : group->findChildren<QCheckBox *>())
        seen << box->objectName() + (box->isChecked() ? " on: " : " off: ") + box->text();
    for (const auto *button : group->findChildren<QPushButton *>())
        seen << button->objectName() + ": " + button->text();
    EXPECT_EQ(seen.join("\n"), "Desktop wallpaper\n[ask]\nask\nalways set it\nnever\n"
                               "chkDailyWallpaper off: Refresh the wallpaper every day and at login\n"
                               "chkMonthPanel on: Show this month's panel open on the picture\n"
                               "chkLockScreen off: Also set the lock screen picture\n"
                               "cmdSetWallpaper: Set Wallpaper Now");
    group->findChild<QCheckBox *>("chkMonthPanel")->click();
    group->findChild<QCheckBox *>("chkLockScreen")->click();
    after->setCurrentIndex(2);
    emit after->activated(2);
    const WallpaperPreferences p = readWallpaperPreferences(FileSettingsStore(FileSettingsStore::defaultPath()));
    EXPECT_FALSE(p.monthPanelOpen);
    EXPECT_TRUE(p.lockScreen);
    EXPECT_EQ(p.afterCreate, AfterCreate::Never);

    // A user manager that refuses is told by whichever box asked; the schedule stays while either
    // box is ticked. What the schedule writes and runs is checked on DailySchedule itself.
    test::TempDir bin;
    test::standIn(bin, "systemctl", "case \"$*\" in \"--user enable\"*) echo refused >&2; exit 1;; esac");
    test::ScopedEnv path("PATH", bin.path("bin").toUtf8());
    const QString units = qEnvironmentVariable("XDG_CONFIG_HOME") + "/systemd/user/datewren-wallpaper.";
    const QString entry = qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/datewren-wallpaper.desktop";
    auto *notify = others->findChild<QCheckBox *>("chkNotify");
    auto *daily = group->findChild<QCheckBox *>("chkDailyWallpaper");
    ASSERT_TRUE(notify);
    daily->click();
    notify->click();
    const QString refused = "Wrote " + units + "timer, " + units + "service and " + entry + ".\n"
                            "systemctl --user enable --now datewren-wallpaper.timer failed (exit status 1): refused";
    EXPECT_EQ(prompter.messages, (std::vector<Message>{{refused, "Wallpaper", Icon::Exclamation, Buttons::Ok},
                                                       {refused, "Notification", Icon::Exclamation, Buttons::Ok}}));
    daily->click();
    EXPECT_TRUE(QFile::exists(units + "timer"));
    notify->click();
    EXPECT_FALSE(QFile::exists(units + "timer"));
}

// The page as the desktop shows it: read back from the picture. Bob is not due on the 5th: only
// this month's panel lists him. Nobody answers a dialog while a picture is drawn, so the ones
// added to the page must not hold the renderer.
TEST(PageRenderer, PinnedDayAt1280x720ShowsDateNamesAndTheMonthPanel)
{
    const QString tesseract = QStandardPaths::findExecutable("tesseract");
    test::TempDir dir;
    const QString list = dir.write("l.dwe", "Ada Lovelace\r\n05/03/1990\r\n-\r\n1\r\n00/00 00/00 00/00\r\n"
                                            "Bob Stone\r\n28/03/1985\r\n-\r\n0\r\n00/00 00/00 00/00");
    ASSERT_EQ(test::runWrenpad({"--write-html", dir.path("p.html"), "--today", "2026-03-05", list}).code, 0);
    dir.write("p.html", test::TempDir::read(dir.path("p.html")) + "<script>alert(1);confirm(2);prompt(3)</script>");
    for (const bool open : {true, false}) {
        RenderRequest r;
        r.pagePath = dir.path("p.html");
        r.size = {1280, 720};
        r.today = QDate(2026, 3, 5);
        r.monthPanelOpen = open;
        const QImage image = renderPage(r).image;
        EXPECT_EQ(image.size(), QSize(1280, 720));
        if (tesseract.isEmpty())
            GTEST_SKIP() << "tesseract is not installed";
        QString text;
        // The panel's small print at the left edge reads better enlarged, on its own.
        const QImage panel = image.copy(0, 0, 400, 720).scaledToWidth(1200, Qt::SmoothTransformation);
        for (const QImage &part : {image, panel}) {
            part.save(dir.path("o.png"));
            QProcess ocr;
            ocr.start(tesseract, {dir.path("o.png"), "-"});
            ocr.waitForFinished(60000);
            text += QString::fromUtf8(ocr.readAllStandardOutput());
        }
        const QStringList seen = open ? QStringList{"05/03/2026", "Ada Lovelace - 05/03/1990", "In March"}
                                      : QStringList{"Ada Lovelace"};
        for (const QString &s : seen)
            EXPECT_TRUE(text.contains(s)) << qPrintable(s) << qPrintable(text);
        EXPECT_EQ(text.contains("Bob Stone"), open) << qPrintable(text);
    }
}
