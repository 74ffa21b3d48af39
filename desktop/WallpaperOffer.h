#pragma once

#include "desktop/SetWallpaper.h"
#include "platform/Prompter.h"

#include <functional>

namespace dw {
class SettingsStore;
}

namespace dw::desktop {

// The question "Create HTML" puts after writing the page.
Message wallpaperQuestion();

// After "Create HTML" wrote the page: remembers it as the page the daily job and
// --set-wallpaper use, then sets it as wallpaper as the "After Create HTML" preference says
// (asking first by default). A failure is reported with what was tried and where the picture is.
void offerWallpaper(const QString &page, SettingsStore &store, Prompter &prompter,
                    const std::function<SetWallpaperOutcome(const QString &page)> &setPage);

} // namespace dw::desktop
