#pragma once

#include "app/CliModes.h"

namespace dw {

CliMode importMode();    // --import FILE... --into LIST.dwe
CliMode exportIcsMode(); // --export-ics LIST.dwe CALENDAR.ics

} // namespace dw
