#pragma once

#include "app/CliModes.h"

#include <QStringList>

namespace dw {

// wrenpad --write-html PAGE.html [--settings LOOK.dwt] [--today YYYY-MM-DD] [--browser-compat] LIST.dwe
// Writes the wallpaper page from a list file without a window; returns the exit code.
int writeHtmlCli(const QStringList &args);

// The mode's entry for the command-line table.
CliMode writeHtmlMode();

} // namespace dw
