#pragma once

#include "page/PageOptions.h"

#include <QString>

namespace dw {

class SettingsStore;

// The wallpaper page was written for an old renderer (document.all, element filters, pixelLeft,
// a getYear that returns the full year...). This script supplies those behaviours in current
// engines, each one only where the engine lacks it, so an old renderer runs the page as before.
// It is plain JavaScript, fit for a browser view's user script as well as for the page itself.
QString compatScript();

// The script as one element for the page's head.
QString compatScriptElement();

// Page options for a run with the compatibility switch on or off.
PageOptions browserCompatOptions(bool on);

// "Make the page work in current browsers": a program preference, on until the user turns it
// off, kept apart from the settings so settings files stay as they are.
inline constexpr const char *kBrowserCompatKey = "BrowserCompat";
bool browserCompatPreference(const SettingsStore &store);
bool setBrowserCompatPreference(SettingsStore &store, bool on);

} // namespace dw
