#pragma once

#include "platform/FontCatalog.h"

#include <vector>

namespace dw {

// Every installed face known to fontconfig, named "Family Style", with its file path.
std::vector<FontFace> fontconfigFaces();

} // namespace dw
