#pragma once

#include "app/CliModes.h"

#include <QStringList>

namespace dw {

// wrenpad --write-preview FILE [--settings LOOK.dwt] [--today YYYY-MM-DD] [LIST.dwe]
// Writes the Preview tab's sample page without a window; returns the exit code.
int writePreviewCli(const QStringList &args);

CliMode writePreviewMode();

} // namespace dw
