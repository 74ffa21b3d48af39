#pragma once

#include "app/CliModes.h"

namespace dw {

// wrenpad --export-settings FILE.dwt / --import-settings FILE.dwt
CliMode exportSettingsMode();
CliMode importSettingsMode();

} // namespace dw
