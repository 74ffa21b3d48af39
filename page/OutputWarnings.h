#pragma once

#include "core/settings/SettingsModel.h"

#include <QString>

namespace dw {

// The numbered warnings about settings that would hide a block or make it hard to read; empty
// when every check is quiet.
QString outputWarnings(const SettingsModel &s);

} // namespace dw
