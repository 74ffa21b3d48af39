#include "desktop/WallpaperOffer.h"

#include "core/settings/SettingsStore.h"
#include "desktop/WallpaperPreferences.h"

namespace dw::desktop {

Message wallpaperQuestion()
{
    return Message{QStringLiteral("Set this page as your desktop wallpaper now?"), QStringLiteral("Wallpaper"),
                   Icon::Information, Buttons::YesNo, Button::Yes};
}

void offerWallpaper(const QString &page, SettingsStore &store, Prompter &prompter,
                    const std::function<SetWallpaperOutcome(const QString &page)> &setPage)
{
    setPreference(store, kLastPageKey, page);
    const AfterCreate choice = readWallpaperPreferences(store).afterCreate;
    if (choice == AfterCreate::Never)
        return;
    if (choice == AfterCreate::Ask && prompter.ask(wallpaperQuestion()) != Button::Yes)
        return;
    const SetWallpaperOutcome outcome = setPage(page);
    if (!outcome.ok)
        prompter.ask(Message{outcomeText(outcome), QStringLiteral("Wallpaper"), Icon::Exclamation, Buttons::Ok, Button::Ok});
}

} // namespace dw::desktop
