#pragma once

#include <QString>

namespace dw {

// Switches that change the page beyond what the settings say. With every switch off the page is
// exactly the classic wallpaper page.
struct PageOptions {
    // Makes the page usable in current browser engines: compatScript (complete markup, usually
    // one <script> element) is written on its own line right after "<HEAD>".
    bool browserCompat = false;
    QString compatScript;
};

} // namespace dw
