#include "core/settings/SettingsStore.h"
#include "desktop/DailyJob.h"
#include "desktop/DailySchedule.h"
#include "desktop/PictureStore.h"
#include "desktop/WallpaperBackend.h"
#include "desktop/WallpaperPreferences.h"
#include "tests/support/StandIn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <gtest/gtest.h>

using namespace dw::desktop;
using dw::test::TempDir;

namespace {

// Answers like the tools would and records every command, without running anything: every
// installed program (all, unless named) succeeds and prints `output`.
struct RecordingTools final : ToolRunner {
    QStringList installed;
    QString output;
    std::vector<Command> ran;
    QString find(const QString &p) const override
    {
        return installed.isEmpty() || installed.contains(p) ? "/usr/bin/" + p : QString();
    }
    ToolResult run(const Command &c) override
    {
        ran.push_back(c);
        const bool started = !find(c.program).isEmpty();
        return ToolResult{started, false, started ? 0 : -1, output, {}};
    }
};

// The backend for an environment written as "NAME=value NAME=value".
const WallpaperBackend *on(const char *vars)
{
    QProcessEnvironment env;
    for (const QString &v : QString::fromLatin1(vars).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        env.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
    return detectDesktop(env);
}

const QString kPic = QStringLiteral("/home/u/.local/share/Datewren/wallpaper/datewren-1 x.png");

} // namespace

// Desktops known by name are detected in the command table below (sway with the failing tools);
// here, what decides when no name is given.
TEST(WallpaperDetection, WithoutADesktopNameTheDisplayOrTheRecordedDesktopDecides)
{
    EXPECT_EQ(on("DISPLAY=:0")->name(), "X11");
    EXPECT_EQ(on("XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-0"), nullptr);
    EXPECT_EQ(on(""), nullptr);
    // The daily job's thin environment falls back to what the session run recorded.
    EXPECT_EQ(detectDesktop(QProcessEnvironment(), QStringLiteral("XFCE"))->name(), "XFCE");
}

// One row for each way of setting the picture; the backends that only differ in their words
// from one of these (Cinnamon's schema, sway's output line) are left out.
TEST(WallpaperBackends, ExactCommandLines)
{
    const QString uri = QStringLiteral("file:///home/u/.local/share/Datewren/wallpaper/datewren-1%20x.png");
    const char *gnome = "org.gnome.desktop.background", *lock = "org.gnome.desktop.screensaver";
    const char *mate = "org.mate.background";
    const Command keys{"gsettings", {"list-keys", gnome}};
    const Command xfList{"xfconf-query", {"-c", "xfce4-desktop", "-p", "/backdrop", "-l"}};
    const QString mon = QStringLiteral("/backdrop/screen0/monitor");
    const auto xf = [&](const char *workspace, const QStringList &how) {
        return Command{"xfconf-query", QStringList{"-c", "xfce4-desktop", "-p", mon + workspace + "/last-image"} + how};
    };
    const auto gset = [](const char *schema, const char *key, const QString &v) {
        return Command{"gsettings", {"set", schema, key, v}};
    };
    const auto hypr = [](const QString &m) { return Command{"hyprctl", {"hyprpaper", "wallpaper", m + ',' + kPic}}; };
    const Command picture = gset(gnome, "picture-uri", uri), zoom = gset(gnome, "picture-options", "zoom");
    const Picture noLock{kPic, false, {}};
    const QStringList set{"-s", kPic}, create{"-n", "-t", "string", "-s", kPic};
    const struct {
        const char *env;
        std::vector<Command> expected;
        QString output = {}; // what every tool prints
        Picture picture = {kPic, true, {}};
        QStringList installed = {};
    } cases[] = {
        {"XDG_CURRENT_DESKTOP=MATE", {gset(mate, "picture-filename", kPic), gset(mate, "picture-options", "zoom")}},
        {"XDG_CURRENT_DESKTOP=LXQt", {{"pcmanfm-qt", {"--set-wallpaper=" + kPic, "--wallpaper-mode=zoom"}}}},
        {"XDG_CURRENT_DESKTOP=LXDE", {{"pcmanfm", {"--set-wallpaper=" + kPic, "--wallpaper-mode=crop"}}}},
        {"DESKTOP_SESSION=plasma", {{"plasma-apply-wallpaperimage", {kPic}}}},
        // GNOME, known by the first name in the list: the dark key only where the schema has it,
        // the lock screen when asked.
        {"XDG_CURRENT_DESKTOP=ubuntu:GNOME",
         {keys, picture, gset(gnome, "picture-uri-dark", uri), zoom, gset(lock, "picture-uri", uri)},
         "picture-uri\npicture-uri-dark\npicture-options\n"},
        {"XDG_CURRENT_DESKTOP=ubuntu:GNOME", {keys, picture, zoom}, "picture-uri\npicture-options\n", noLock},
        // Hyprland: one wallpaper line per monitor.
        {"XDG_CURRENT_DESKTOP=Hyprland", {{"hyprctl", {"monitors", "-j"}}, hypr("eDP-1"), hypr("HDMI-A-1")},
         R"([{"name":"eDP-1"},{"name":"HDMI-A-1"}])", noLock, {"hyprctl"}},
        // Other X11 sessions: the first setter that is installed.
        {"XDG_CURRENT_DESKTOP=i3 XDG_SESSION_TYPE=x11", {{"hsetroot", {"-fill", kPic}}}, "", noLock,
         {"hsetroot", "nitrogen"}},
        // XFCE: every monitor and workspace that has a picture, or else a new one per connected screen.
        {"XDG_CURRENT_DESKTOP=XFCE", {xfList, xf("Virtual1/workspace0", set), xf("Virtual1/workspace1", set),
                                      xf("eDP-1/workspace0", set)},
         mon + "Virtual1/workspace0/last-image\n" + mon + "Virtual1/workspace0/image-style\n" + mon
             + "Virtual1/workspace1/last-image\n" + mon + "eDP-1/workspace0/last-image\n"},
        {"XDG_CURRENT_DESKTOP=XFCE", {xfList, xf("eDP-1/workspace0", create), xf("HDMI-1/workspace0", create)}, "",
         {kPic, false, {"eDP-1", "HDMI-1"}}},
    };
    for (const auto &c : cases) {
        RecordingTools tools;
        tools.installed = c.installed;
        tools.output = c.output;
        const WallpaperBackend *b = on(c.env);
        ASSERT_TRUE(b) << c.env;
        EXPECT_TRUE(b->apply(c.picture, tools).ok) << c.env;
        EXPECT_EQ(tools.ran, c.expected) << c.env;
    }
}

TEST(WallpaperBackends, FailingMissingAndHangingToolsAreReportedInTheirOwnWords)
{
    TempDir dir;
    const QString log = dw::test::standIn(dir, "swaymsg", "echo 'Error: no outputs' >&2; exit 3");
    dw::test::standIn(dir, "pcmanfm-qt", "exec /bin/sleep 30");
    ProcessToolRunner tools(dw::test::standInPath(dir), 500);
    const std::pair<const char *, QString> cases[] = {
        {"XDG_CURRENT_DESKTOP=sway", "swaymsg output * bg \"" + kPic + "\" fill failed (exit status 3): Error: no "
                                     "outputs"},
        {"XDG_CURRENT_DESKTOP=MATE", "gsettings is not installed."},
        {"XDG_CURRENT_DESKTOP=LXQt", "pcmanfm-qt did not finish in time and was stopped."},
    };
    for (const auto &[env, error] : cases) {
        const ApplyResult r = on(env)->apply({kPic, false, {}}, tools);
        EXPECT_FALSE(r.ok) << env;
        EXPECT_EQ(r.error, error);
    }
    EXPECT_EQ(dw::test::calls(log), (QList<QStringList>{{"output", "*", "bg", kPic, "fill"}}));
}

TEST(WallpaperBackends, GnomeAgainstRealGsettings)
{
    TempDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("GSETTINGS_BACKEND", "keyfile");
    env.insert("XDG_CONFIG_HOME", dir.path("config"));
    ProcessToolRunner tools(env);
    if (tools.find("gsettings").isEmpty())
        GTEST_SKIP() << "gsettings is not installed";
    PictureStore pictures(dir.path("pictures"));
    const char *schema = "org.gnome.desktop.background";
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QStringList saved;
    for (int run = 0; run < 3; ++run) {
        QString error;
        const QString pic = pictures.save(image, QDateTime::currentDateTime(), &error);
        ASSERT_FALSE(pic.isEmpty()) << qPrintable(error);
        EXPECT_FALSE(saved.contains(pic)); // a new name each time, so the desktop reloads it
        saved << pic;
        pictures.cleanUp(2);
        ASSERT_TRUE(on("XDG_CURRENT_DESKTOP=ubuntu:GNOME")->apply({pic, false, {}}, tools).ok);
        const QString uri = "'" + QUrl::fromLocalFile(pic).toString(QUrl::FullyEncoded) + "'";
        for (const char *key : {"picture-uri", "picture-uri-dark"})
            EXPECT_EQ(tools.run({"gsettings", {"get", schema, key}}).output.trimmed(), uri) << key;
    }
    EXPECT_EQ(pictures.pictures().size(), 2);
    EXPECT_FALSE(QFile::exists(saved[0]));
}

TEST(DailySchedule, WritesVerifiableUnitsOnceAndRemovesThem)
{
    TempDir dir;
    const QString log = dw::test::standIn(dir, "systemctl");
    ProcessToolRunner tools(dw::test::standInPath(dir));
    const QString program = QStringLiteral(DW_BINARY_DIR "/wrenpad");
    DailySchedule schedule(dir.path("config"), program, tools);

    dw::MemorySettingsStore store;
    EXPECT_FALSE(dailyJobWanted(store));
    dw::setPreferenceFlag(store, kDailyWallpaperKey, true);
    ASSERT_TRUE(syncSchedule(store, schedule).ok);
    ASSERT_TRUE(syncSchedule(store, schedule).ok); // twice: nothing doubles
    EXPECT_EQ(TempDir::read(schedule.servicePath()), "[Unit]\nDescription=Datewren daily refresh of the desktop\n"
                                                      "After=graphical-session.target\n\n[Service]\nType=oneshot\n"
                                                      "ExecStart=\"" + program.toUtf8() + "\" --daily\n");
    const QByteArray timer = TempDir::read(schedule.timerPath());
    EXPECT_TRUE(timer.contains("OnCalendar=*-*-* 00:00:05\n")) << timer.constData();
    EXPECT_TRUE(timer.contains("Persistent=true\n")) << timer.constData();
    EXPECT_TRUE(TempDir::read(schedule.autostartPath()).contains("\nExec=" + program.toUtf8() + " --daily\n"));
    EXPECT_EQ(QDir(dir.path("config/systemd/user")).entryList(QDir::Files).size(), 2);
    const QStringList reload{"--user", "daemon-reload"};
    const QStringList enable{"--user", "enable", "--now", "datewren-wallpaper.timer"};
    EXPECT_EQ(dw::test::calls(log), (QList<QStringList>{reload, enable, reload, enable}));

    if (const QString analyze = QStandardPaths::findExecutable("systemd-analyze"); !analyze.isEmpty()) {
        QProcess verify;
        verify.start(analyze, {"verify", schedule.timerPath(), schedule.servicePath()});
        verify.waitForFinished(60000);
        EXPECT_EQ(verify.exitCode(), 0) << verify.readAllStandardError().constData();
    }

    dw::setPreferenceFlag(store, kDailyWallpaperKey, false);
    ASSERT_TRUE(syncSchedule(store, schedule).ok);
    for (const QString &p : {schedule.timerPath(), schedule.servicePath(), schedule.autostartPath()})
        EXPECT_FALSE(QFileInfo::exists(p)) << qPrintable(p);

    // Odd program paths are quoted for each file's own rules; a line break cannot be, so nothing runs.
    RecordingTools recorded;
    DailySchedule odd("/c", "/opt/my apps/50%/wren\"pad", recorded);
    EXPECT_TRUE(odd.serviceText().contains("ExecStart=\"/opt/my apps/50%%/wren\\\"pad\" --daily\n"));
    EXPECT_TRUE(odd.autostartText().contains("Exec=\"/opt/my apps/50%%/wren\\\\\"pad\" --daily\n"));
    EXPECT_FALSE(DailySchedule("/c", "/opt/a\nb", recorded).install().ok);
    EXPECT_TRUE(recorded.ran.empty());
}
