#pragma once

#include "platform/FontCatalog.h"

#include <vector>

namespace dw {

// Every installed face known to fontconfig, named "Family Style", with its file path.
std::vector<FontFace> fontconfigFaces();
// The family of fontconfig's best match for a family name ("" when fontconfig has no fonts).
QString fontconfigMatch(const QString &family);

} // namespace dw
