#include "desktop/DailySchedule.h"

#include "core/io/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dw::desktop {

namespace {

// systemd reads ExecStart like a shell word list, and expands "%" and "$" itself.
QString systemdWord(QString word)
{
    word.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    word.replace(QLatin1Char('"'), QLatin1String("\\\""));
    word.replace(QLatin1Char('%'), QLatin1String("%%"));
    word.replace(QLatin1Char('$'), QLatin1String("$$"));
    return QLatin1Char('"') + word + QLatin1Char('"');
}

// A desktop entry's Exec: quoted argument rules first, then the value's own backslash escape.
QString desktopExecWord(QString word)
{
    static const QString reserved = QStringLiteral(" \t\"'\\><~|&;$*?#()`");
    bool quote = false;
    for (QChar c : word)
        quote = quote || reserved.contains(c);
    word.replace(QLatin1Char('%'), QLatin1String("%%"));
    if (quote) {
        QString q;
        for (QChar c : word) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                q += QLatin1Char('\\');
            q += c;
        }
        word = QLatin1Char('"') + q + QLatin1Char('"');
    }
    word.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return word;
}

bool writeUnit(const QString &path, const QString &text, ScheduleReport &report)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (writeFileAtomic(path, text.toUtf8(), &error))
        return true;
    report.ok = false;
    report.lines << QStringLiteral("Could not write %1: %2").arg(path, error);
    return false;
}

} // namespace

DailySchedule::DailySchedule(QString configHome, QString program, ToolRunner &tools)
    : configHome_(std::move(configHome)), program_(std::move(program)), tools_(tools)
{
}

QString DailySchedule::timerPath() const
{
    return configHome_ + QStringLiteral("/systemd/user/") + kTimerName;
}

QString DailySchedule::servicePath() const
{
    return configHome_ + QStringLiteral("/systemd/user/") + kServiceName;
}

QString DailySchedule::autostartPath() const
{
    return configHome_ + QStringLiteral("/autostart/datewren-wallpaper.desktop");
}

QString DailySchedule::timerText() const
{
    return QStringLiteral("[Unit]\n"
                          "Description=Datewren daily refresh shortly after midnight\n"
                          "\n"
                          "[Timer]\n"
                          "OnCalendar=*-*-* 00:00:05\n"
                          "AccuracySec=1s\n"
                          "Persistent=true\n"
                          "Unit=%1\n"
                          "\n"
                          "[Install]\n"
                          "WantedBy=timers.target\n")
        .arg(kServiceName);
}

QString DailySchedule::serviceText() const
{
    return QStringLiteral("[Unit]\n"
                          "Description=Datewren daily refresh of the desktop\n"
                          "After=graphical-session.target\n"
                          "\n"
                          "[Service]\n"
                          "Type=oneshot\n"
                          "ExecStart=%1 --daily\n")
        .arg(systemdWord(program_));
}

QString DailySchedule::autostartText() const
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Datewren daily refresh\n"
                          "Comment=Does the Datewren daily tasks at login: the wallpaper, what is due\n"
                          "Exec=%1 --daily\n"
                          "Terminal=false\n"
                          "NoDisplay=true\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(desktopExecWord(program_));
}

ScheduleReport DailySchedule::install()
{
    ScheduleReport report;
    if (program_.contains(QLatin1Char('\n')) || program_.contains(QLatin1Char('\r'))) {
        report.ok = false;
        report.lines << QStringLiteral("The program path holds a line break; no schedule can name it.");
        return report;
    }
    if (!writeUnit(servicePath(), serviceText(), report) || !writeUnit(timerPath(), timerText(), report)
        || !writeUnit(autostartPath(), autostartText(), report))
        return report;
    report.lines << QStringLiteral("Wrote %1, %2 and %3.").arg(timerPath(), servicePath(), autostartPath());

    const ToolResult reload = tools_.run({QStringLiteral("systemctl"), {QStringLiteral("--user"), QStringLiteral("daemon-reload")}});
    if (!reload.ok()) {
        report.lines << QStringLiteral("No systemd user manager answered, so the timer is not enabled; "
                                       "the login entry does the daily tasks at each login.");
        return report;
    }
    const Command enable{QStringLiteral("systemctl"),
                         {QStringLiteral("--user"), QStringLiteral("enable"), QStringLiteral("--now"), kTimerName}};
    const ToolResult r = tools_.run(enable);
    if (!r.ok()) {
        report.ok = false;
        report.lines << r.failure(enable);
        return report;
    }
    report.lines << QStringLiteral("Enabled %1 (daily at 00:00:05).").arg(kTimerName);
    return report;
}

ScheduleReport DailySchedule::remove()
{
    ScheduleReport report;
    const bool present = QFileInfo::exists(timerPath());
    if (present) {
        const Command disable{QStringLiteral("systemctl"),
                              {QStringLiteral("--user"), QStringLiteral("disable"), QStringLiteral("--now"), kTimerName}};
        const ToolResult r = tools_.run(disable);
        report.lines << (r.ok() ? QStringLiteral("Disabled %1.").arg(kTimerName)
                                : QStringLiteral("No systemd user manager answered; nothing to disable."));
    }
    for (const QString &path : {timerPath(), servicePath(), autostartPath()}) {
        if (QFileInfo::exists(path) && !QFile::remove(path)) {
            report.ok = false;
            report.lines << QStringLiteral("Could not remove %1.").arg(path);
        }
    }
    if (present)
        tools_.run({QStringLiteral("systemctl"), {QStringLiteral("--user"), QStringLiteral("daemon-reload")}});
    if (report.ok)
        report.lines << QStringLiteral("The daily job is off.");
    return report;
}

QString configHomeOf(const QProcessEnvironment &env)
{
    const QString xdg = env.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (QDir::isAbsolutePath(xdg))
        return xdg;
    return env.value(QStringLiteral("HOME"), QDir::homePath()) + QStringLiteral("/.config");
}

} // namespace dw::desktop
