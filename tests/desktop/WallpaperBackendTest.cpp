#include "desktop/DailyJob.h"
#include "desktop/DailySchedule.h"
#include "desktop/PictureStore.h"
#include "desktop/WallpaperBackend.h"
#include "tests/support/TempDir.h"

#include "core/settings/SettingsStore.h"
#include "desktop/WallpaperPreferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <gtest/gtest.h>
#include <map>

using namespace dw::desktop;
using dw::test::TempDir;

namespace {

// Answers like the tools would and records every command, without running anything.
class RecordingTools final : public ToolRunner {
public:
    std::map<QString, ToolResult> answers; // by program; unlisted programs succeed silently
    QStringList installed{QStringLiteral("*")};
    std::vector<Command> ran;

    QString find(const QString &program) const override
    {
        return installed.contains(QStringLiteral("*")) || installed.contains(program) ? QStringLiteral("/usr/bin/") + program
                                                                                    : QString();
    }
    ToolResult run(const Command &c) override
    {
        ran.push_back(c);
        if (find(c.program).isEmpty())
            return {};
        const auto it = answers.find(c.program);
        if (it != answers.end())
            return it->second;
        ToolResult ok;
        ok.started = true;
        ok.exitCode = 0;
        return ok;
    }
};

ToolResult answering(const QString &output, int code = 0)
{
    ToolResult r;
    r.started = true;
    r.exitCode = code;
    r.output = output;
    return r;
}

QProcessEnvironment envOf(std::initializer_list<std::pair<const char *, const char *>> vars)
{
    QProcessEnvironment env;
    for (const auto &[k, v] : vars)
        env.insert(QString::fromLatin1(k), QString::fromLatin1(v));
    return env;
}

// A stand-in tool first on PATH: records its arguments one a line, then acts as told.
void standIn(const TempDir &dir, const QString &name, const QByteArray &body)
{
    QDir().mkpath(dir.path(QStringLiteral("bin")));
    const QString path = dir.write(QStringLiteral("bin/") + name,
                                   "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> '" + dir.path("bin/" + name).toUtf8()
                                       + ".log'\n" + body + "\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

const QString kPic = QStringLiteral("/home/u/.local/share/Datewren/wallpaper/datewren-1 x.png");

} // namespace

TEST(WallpaperDetection, DesktopsAsSessionsNameThem)
{
    const struct {
        QProcessEnvironment env;
        const char *backend; // "" = none
    } cases[] = {
        {envOf({{"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}), "GNOME"},
        {envOf({{"XDG_CURRENT_DESKTOP", "KDE"}}), "KDE Plasma"},
        {envOf({{"XDG_CURRENT_DESKTOP", "XFCE"}}), "XFCE"},
        {envOf({{"XDG_CURRENT_DESKTOP", "X-Cinnamon"}}), "Cinnamon"},
        {envOf({{"XDG_CURRENT_DESKTOP", "MATE"}}), "MATE"},
        {envOf({{"XDG_CURRENT_DESKTOP", "LXQt"}}), "LXQt"},
        {envOf({{"XDG_CURRENT_DESKTOP", "sway"}}), "sway"},
        {envOf({{"XDG_CURRENT_DESKTOP", "Hyprland"}}), "Hyprland"},
        {envOf({{"XDG_CURRENT_DESKTOP", "Budgie:GNOME"}}), "GNOME"},
        {envOf({{"XDG_CURRENT_DESKTOP", "Pantheon"}}), "GNOME"},
        {envOf({{"XDG_CURRENT_DESKTOP", "i3"}, {"XDG_SESSION_TYPE", "x11"}}), "X11"},
        {envOf({{"DESKTOP_SESSION", "plasma"}}), "KDE Plasma"},
        {envOf({{"DESKTOP_SESSION", "LXDE"}}), "LXDE"},
        {envOf({{"DISPLAY", ":0"}}), "X11"},
        {envOf({{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"}}), ""},
        {QProcessEnvironment(), ""},
    };
    for (const auto &c : cases) {
        const WallpaperBackend *b = detectDesktop(c.env);
        EXPECT_EQ(b ? b->name() : QString(), QString::fromLatin1(c.backend)) << qPrintable(c.env.toStringList().join(' '));
    }
    // The daily job's thin environment falls back to what the session run recorded.
    EXPECT_EQ(detectDesktop(QProcessEnvironment(), QStringLiteral("XFCE"))->name(), "XFCE");
}

TEST(WallpaperBackends, ExactCommandLines)
{
    const QString uri = QStringLiteral("file:///home/u/.local/share/Datewren/wallpaper/datewren-1%20x.png");
    const struct {
        const char *desktop;
        std::vector<Command> expected;
    } cases[] = {
        {"X-Cinnamon",
         {{"gsettings", {"set", "org.cinnamon.desktop.background", "picture-uri", uri}},
          {"gsettings", {"set", "org.cinnamon.desktop.background", "picture-options", "zoom"}}}},
        {"MATE",
         {{"gsettings", {"set", "org.mate.background", "picture-filename", kPic}},
          {"gsettings", {"set", "org.mate.background", "picture-options", "zoom"}}}},
        {"LXQt", {{"pcmanfm-qt", {"--set-wallpaper=" + kPic, "--wallpaper-mode=zoom"}}}},
        {"LXDE", {{"pcmanfm", {"--set-wallpaper=" + kPic, "--wallpaper-mode=crop"}}}},
        {"sway", {{"swaymsg", {"output", "*", "bg", kPic, "fill"}}}},
        {"KDE", {{"plasma-apply-wallpaperimage", {kPic}}}},
    };
    for (const auto &c : cases) {
        RecordingTools tools;
        const auto *b = detectDesktop(envOf({{"XDG_CURRENT_DESKTOP", c.desktop}}));
        ASSERT_TRUE(b);
        const ApplyResult r = b->apply({kPic, true, {}}, tools);
        EXPECT_TRUE(r.ok) << c.desktop;
        EXPECT_EQ(tools.ran, c.expected) << c.desktop;
    }

    // GNOME: the dark key only where the schema has it, the lock screen when asked.
    RecordingTools gnome;
    gnome.answers["gsettings"] = answering("picture-uri\npicture-uri-dark\npicture-options\n");
    detectDesktop(envOf({{"XDG_CURRENT_DESKTOP", "GNOME"}}))->apply({kPic, true, {}}, gnome);
    ASSERT_EQ(gnome.ran.size(), 5u);
    EXPECT_EQ(gnome.ran[2], (Command{"gsettings", {"set", "org.gnome.desktop.background", "picture-uri-dark", uri}}));
    EXPECT_EQ(gnome.ran[4], (Command{"gsettings", {"set", "org.gnome.desktop.screensaver", "picture-uri", uri}}));
    RecordingTools old;
    old.answers["gsettings"] = answering("picture-uri\npicture-options\n");
    detectDesktop(envOf({{"XDG_CURRENT_DESKTOP", "GNOME"}}))->apply({kPic, false, {}}, old);
    EXPECT_EQ(old.ran.size(), 3u);

    // Hyprland: one wallpaper line per monitor.
    RecordingTools hypr;
    hypr.installed = {"hyprctl"};
    hypr.answers["hyprctl"] = answering(R"([{"name":"eDP-1"},{"name":"HDMI-A-1"}])");
    EXPECT_TRUE(detectDesktop(envOf({{"XDG_CURRENT_DESKTOP", "Hyprland"}}))->apply({kPic, false, {}}, hypr).ok);
    ASSERT_EQ(hypr.ran.size(), 3u);
    EXPECT_EQ(hypr.ran[2], (Command{"hyprctl", {"hyprpaper", "wallpaper", "HDMI-A-1," + kPic}}));

    // Plain X11: the first setter that is installed.
    RecordingTools x11;
    x11.installed = {"hsetroot", "nitrogen"};
    EXPECT_TRUE(detectDesktop(envOf({{"DISPLAY", ":0"}}))->apply({kPic, false, {}}, x11).ok);
    EXPECT_EQ(x11.ran, (std::vector<Command>{{"hsetroot", {"-fill", kPic}}}));
}

TEST(WallpaperBackends, XfceSetsEveryMonitorAndWorkspaceOrCreatesThem)
{
    const auto *xfce = detectDesktop(envOf({{"XDG_CURRENT_DESKTOP", "XFCE"}}));
    RecordingTools tools;
    tools.answers["xfconf-query"] = answering("/backdrop/screen0/monitorVirtual1/workspace0/last-image\n"
                                              "/backdrop/screen0/monitorVirtual1/workspace0/image-style\n"
                                              "/backdrop/screen0/monitorVirtual1/workspace1/last-image\n"
                                              "/backdrop/screen0/monitoreDP-1/workspace0/last-image\n");
    EXPECT_TRUE(xfce->apply({kPic, false, {}}, tools).ok);
    ASSERT_EQ(tools.ran.size(), 4u);
    EXPECT_EQ(tools.ran[3], (Command{"xfconf-query", {"-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitoreDP-1/workspace0/last-image", "-s", kPic}}));

    RecordingTools fresh;
    fresh.answers["xfconf-query"] = answering("");
    EXPECT_TRUE(xfce->apply({kPic, false, {"eDP-1", "HDMI-1"}}, fresh).ok);
    ASSERT_EQ(fresh.ran.size(), 3u);
    EXPECT_EQ(fresh.ran[2], (Command{"xfconf-query", {"-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitorHDMI-1/workspace0/last-image",
                                                      "-n", "-t", "string", "-s", kPic}}));
}

TEST(WallpaperBackends, FailingMissingAndHangingToolsAreReportedInTheirOwnWords)
{
    TempDir dir;
    standIn(dir, "swaymsg", "echo 'Error: no outputs' >&2; exit 3");
    standIn(dir, "pcmanfm-qt", "exec /bin/sleep 30");
    QProcessEnvironment env;
    env.insert("PATH", dir.path("bin"));
    ProcessToolRunner tools(env, 500);

    const ApplyResult failed = detectDesktop(envOf({{"XDG_CURRENT_DESKTOP", "sway"}}))->apply({kPic, false, {}}, tools);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.error, "swaymsg output * bg \"" + kPic + "\" fill failed (exit status 3): Error: no outputs");
    EXPECT_EQ(TempDir::read(dir.path("bin/swaymsg.log")), "output\n*\nbg\n" + kPic.toUtf8() + "\nfill\n");

    const ApplyResult missing = detectDesktop(envOf({{"XDG_CURRENT_DESKTOP", "MATE"}}))->apply({kPic, false, {}}, tools);
    EXPECT_EQ(missing.error, "gsettings is not installed.");

    const ApplyResult hung = detectDesktop(envOf({{"XDG_CURRENT_DESKTOP", "LXQt"}}))->apply({kPic, false, {}}, tools);
    EXPECT_EQ(hung.error, "pcmanfm-qt did not finish in time and was stopped.");
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
    const auto *gnome = detectDesktop(envOf({{"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}));
    PictureStore pictures(dir.path("pictures"));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QString error, first;
    for (int run = 0; run < 3; ++run) {
        const QString pic = pictures.save(image, QDateTime::currentDateTime(), &error);
        ASSERT_FALSE(pic.isEmpty()) << qPrintable(error);
        EXPECT_NE(pic, first);
        if (first.isEmpty())
            first = pic;
        pictures.cleanUp(2);
        ASSERT_TRUE(gnome->apply({pic, false, {}}, tools).ok);
        const QString uri = "'" + QUrl::fromLocalFile(pic).toString(QUrl::FullyEncoded) + "'";
        for (const char *key : {"picture-uri", "picture-uri-dark"}) {
            const ToolResult got = tools.run({"gsettings", {"get", "org.gnome.desktop.background", key}});
            EXPECT_EQ(got.output.trimmed(), uri) << key;
        }
    }
    EXPECT_EQ(pictures.pictures().size(), 2);
    EXPECT_FALSE(QFile::exists(first));
}

TEST(DailySchedule, WritesVerifiableUnitsOnceAndRemovesThem)
{
    TempDir dir;
    standIn(dir, "systemctl", "exit 0");
    QProcessEnvironment env;
    env.insert("PATH", dir.path("bin"));
    ProcessToolRunner tools(env);
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
    EXPECT_TRUE(timer.contains("OnCalendar=*-*-* 00:00:05\n") && timer.contains("Persistent=true\n")) << timer.constData();
    EXPECT_TRUE(TempDir::read(schedule.autostartPath()).contains("\nExec=" + program.toUtf8() + " --daily\n"));
    EXPECT_EQ(QDir(dir.path("config/systemd/user")).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(TempDir::read(dir.path("bin/systemctl.log")),
              "--user\ndaemon-reload\n--user\nenable\n--now\ndatewren-wallpaper.timer\n"
              "--user\ndaemon-reload\n--user\nenable\n--now\ndatewren-wallpaper.timer\n");

    const QString analyze = QStandardPaths::findExecutable("systemd-analyze");
    if (!analyze.isEmpty()) {
        QProcess verify;
        verify.start(analyze, {"verify", schedule.timerPath(), schedule.servicePath()});
        verify.waitForFinished(60000);
        const QString said = QString::fromLocal8Bit(verify.readAllStandardError());
        EXPECT_EQ(verify.exitCode(), 0) << qPrintable(said);
    }

    dw::setPreferenceFlag(store, kDailyWallpaperKey, false);
    ASSERT_TRUE(syncSchedule(store, schedule).ok);
    for (const QString &p : {schedule.timerPath(), schedule.servicePath(), schedule.autostartPath()})
        EXPECT_FALSE(QFileInfo::exists(p)) << qPrintable(p);
}

TEST(DailySchedule, ExecLinesQuoteOddProgramPaths)
{
    RecordingTools tools;
    DailySchedule schedule("/c", "/opt/my apps/50%/wren\"pad", tools);
    EXPECT_TRUE(schedule.serviceText().contains("ExecStart=\"/opt/my apps/50%%/wren\\\"pad\" --daily\n"));
    EXPECT_TRUE(schedule.autostartText().contains("Exec=\"/opt/my apps/50%%/wren\\\\\"pad\" --daily\n"));
    DailySchedule broken("/c", "/opt/a\nb", tools);
    EXPECT_FALSE(broken.install().ok);
    EXPECT_TRUE(tools.ran.empty());
}
