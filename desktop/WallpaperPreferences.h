#pragma once

#include <QSize>
#include <QString>

namespace dw {
class SettingsStore;
}

namespace dw::desktop {

// Per-machine preferences of the desktop wallpaper, kept in the store's "Preferences" section
// and never in a settings file: a look shared with a friend must not switch their wallpaper.
inline const QString kAfterCreateKey = QStringLiteral("WallpaperAfterCreate"); // "ask", "always", "never"
inline const QString kDailyWallpaperKey = QStringLiteral("WallpaperDaily");
inline const QString kMonthPanelKey = QStringLiteral("WallpaperMonthPanel");
inline const QString kLockScreenKey = QStringLiteral("WallpaperLockScreen");
inline const QString kLastPageKey = QStringLiteral("LastPagePath");
// What the last run inside the session saw, for the daily job whose environment is thinner.
inline const QString kSeenDesktopKey = QStringLiteral("SeenDesktop");
inline const QString kSeenScreenKey = QStringLiteral("SeenScreenSize");   // "WxH", device pixels
inline const QString kSeenRatioKey = QStringLiteral("SeenPixelRatio");

enum class AfterCreate { Ask, Always, Never };

struct WallpaperPreferences {
    AfterCreate afterCreate = AfterCreate::Ask;
    bool daily = false;
    bool monthPanelOpen = true; // a picture cannot be hovered
    bool lockScreen = false;
};

WallpaperPreferences readWallpaperPreferences(const SettingsStore &store);
bool setAfterCreate(SettingsStore &store, AfterCreate choice);

QString afterCreateText(AfterCreate choice);
AfterCreate afterCreateFromText(const QString &text);

// "1920x1080" and back; an invalid size for anything else (sizes up to 16384 each way).
QSize sizeFromText(const QString &text);
QString sizeText(QSize size);

} // namespace dw::desktop
