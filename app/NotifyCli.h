#pragma once

#include "app/CliModes.h"

namespace dw {

// wrenpad --notify [--days N] [--today YYYY-MM-DD] [LIST.dwe]; returns the exit code.
int notifyCli(const QStringList &args);
CliMode notifyMode();

} // namespace dw
