#pragma once

#include "app/CliModes.h"

#include <QDate>
#include <QProcessEnvironment>
#include <QSize>
#include <QStringList>
#include <optional>

namespace dw {

CliMode renderPageMode();
CliMode setWallpaperMode();
CliMode dailyMode();
CliMode dailyWallpaperMode();

// Shared by the desktop modes: the process environment, with the session bus found where a
// thin environment (the timer's service) names none.
QProcessEnvironment desktopEnvironment();

// What the picture modes (--render-page, --set-wallpaper) take from the command line: up to
// `maxFiles` paths, --size WxH (invalid: not given) and --today (invalid: the real date).
struct PictureCliArgs {
    QStringList files;
    QSize size;
    QDate today;
};

// Returns the exit code of a bad command line.
std::optional<int> parsePictureCliArgs(const QStringList &args, const QString &modeOption, qsizetype maxFiles,
                                       PictureCliArgs *out);

} // namespace dw
