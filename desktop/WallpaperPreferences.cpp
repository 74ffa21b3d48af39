#include "desktop/WallpaperPreferences.h"

#include "core/settings/SettingsStore.h"

#include <QRegularExpression>

namespace dw::desktop {

WallpaperPreferences readWallpaperPreferences(const SettingsStore &store)
{
    WallpaperPreferences p;
    p.afterCreate = afterCreateFromText(getPreference(store, kAfterCreateKey));
    p.daily = preferenceFlag(store, kDailyWallpaperKey, false);
    p.monthPanelOpen = preferenceFlag(store, kMonthPanelKey, true);
    p.lockScreen = preferenceFlag(store, kLockScreenKey, false);
    return p;
}

bool setAfterCreate(SettingsStore &store, AfterCreate choice)
{
    return setPreference(store, kAfterCreateKey, afterCreateText(choice));
}

QString afterCreateText(AfterCreate choice)
{
    switch (choice) {
    case AfterCreate::Always:
        return QStringLiteral("always");
    case AfterCreate::Never:
        return QStringLiteral("never");
    case AfterCreate::Ask:
        break;
    }
    return QStringLiteral("ask");
}

AfterCreate afterCreateFromText(const QString &text)
{
    if (text == QLatin1String("always"))
        return AfterCreate::Always;
    if (text == QLatin1String("never"))
        return AfterCreate::Never;
    return AfterCreate::Ask;
}

QSize sizeFromText(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^([0-9]{1,5})[xX]([0-9]{1,5})$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return {};
    const int w = m.captured(1).toInt(), h = m.captured(2).toInt();
    if (w < 1 || h < 1 || w > 16384 || h > 16384)
        return {};
    return {w, h};
}

QString sizeText(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

} // namespace dw::desktop
