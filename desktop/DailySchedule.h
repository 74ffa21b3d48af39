#pragma once

#include "desktop/Tools.h"

#include <QString>
#include <QStringList>

namespace dw::desktop {

// What a schedule change did, line by line, for the command line or a message box.
struct ScheduleReport {
    bool ok = true;
    QStringList lines;
};

// The daily job: a systemd user timer shortly after midnight with its oneshot service, and a
// login entry for desktops started without a user manager. All three run `PROGRAM --daily`.
class DailySchedule {
public:
    // configHome: $XDG_CONFIG_HOME; program: the absolute path of wrenpad.
    DailySchedule(QString configHome, QString program, ToolRunner &tools);

    static inline const QString kTimerName = QStringLiteral("datewren-wallpaper.timer");
    static inline const QString kServiceName = QStringLiteral("datewren-wallpaper.service");

    QString timerPath() const;
    QString servicePath() const;
    QString autostartPath() const;

    QString timerText() const;
    QString serviceText() const;
    QString autostartText() const;

    // Writes (or rewrites) the three files and enables the timer where a user manager answers.
    ScheduleReport install();
    // Disables the timer and removes the three files; removing what is not there is fine.
    ScheduleReport remove();

private:
    QString configHome_;
    QString program_;
    ToolRunner &tools_;
};

// $XDG_CONFIG_HOME of the given environment (default ~/.config).
QString configHomeOf(const QProcessEnvironment &env);

} // namespace dw::desktop
