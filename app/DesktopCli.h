#pragma once

#include "app/CliModes.h"

#include <QProcessEnvironment>

namespace dw {

CliMode renderPageMode();
CliMode setWallpaperMode();
CliMode dailyMode();
CliMode dailyWallpaperMode();

// Shared by the desktop modes: the process environment, with the session bus found where a
// thin environment (the timer's service) names none.
QProcessEnvironment desktopEnvironment();

} // namespace dw
