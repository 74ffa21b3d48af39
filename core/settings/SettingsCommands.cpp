#include "core/settings/SettingsCommands.h"

#include "core/settings/DependentControls.h"
#include "core/settings/PositionEditor.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"
#include "platform/ProductInfo.h"
#include "platform/Prompter.h"

namespace dw {

namespace {
bool confirmDefaults(Prompter &prompter, bool suppress)
{
    if (suppress)
        return true;
    return prompter.ask({QStringLiteral("Do you want to revert all settings to Default settings?"),
                         QStringLiteral("Default Settings?"), Icon::Question, Buttons::YesNo, Button::No})
        != Button::No;
}

void pickerToDefault(ColourPicker &p)
{
    if (const auto value = colourFromText(p.defaultText))
        p.value = *value;
    p.text = colourText(p.value);
}
} // namespace

bool formatDefaults(SettingsModel &m, Prompter &prompter, bool suppressConfirmation)
{
    if (!confirmDefaults(prompter, suppressConfirmation))
        return false;
    const SettingsModel d;
    m.fonts = d.fonts;
    m.fontSizes = d.fontSizes;
    m.animate = false; // the chosen kind stays ticked for when it is switched on again
    m.backgroundKind = d.backgroundKind;
    m.fontStyles = d.fontStyles;
    for (size_t i = 0; i <= 4; ++i)
        pickerToDefault(m.pickers[i]);
    m.pickers[3].value = rgbValue(255, 0, 0);
    m.pickers[3].defaultText = colourText(m.pickers[3].value);
    m.pickers[3].text = m.pickers[3].defaultText;
    m.showBlock = {true, true, true, true};
    m.remindBefore = d.remindBefore;
    return true;
}

bool effectsDefaults(SettingsModel &m, Prompter &prompter, bool suppressConfirmation)
{
    if (!confirmDefaults(prompter, suppressConfirmation))
        return false;
    const SettingsModel d;
    for (size_t i = 5; i <= 7; ++i)
        pickerToDefault(m.pickers[i]);
    m.mdEffect = d.mdEffect;
    m.blurStrength = d.blurStrength;
    m.blurDirection = d.blurDirection;
    m.dropX = d.dropX;
    m.dropY = d.dropY;
    m.glowStrength = d.glowStrength;
    m.spookyDirection = d.spookyDirection;
    m.mdOpacity = d.mdOpacity;
    m.ndOpacity = d.ndOpacity;
    m.mdDateStyle = d.mdDateStyle;
    m.mdDateSep = d.mdDateSep;
    m.ndDateStyle = d.ndDateStyle;
    m.ndDateSep = d.ndDateSep;
    m.scrollerBgStyle = d.scrollerBgStyle;
    m.scrollerBorderStyle = d.scrollerBorderStyle;
    return true;
}

bool positionDefaults(SettingsModel &m, Prompter &prompter, bool suppressConfirmation)
{
    if (!confirmDefaults(prompter, suppressConfirmation))
        return false;
    const SettingsModel d;
    m.scrollerTop = d.scrollerTop;
    m.mainDateTop = d.mainDateTop;
    m.nameDateTop = d.nameDateTop;
    m.mainDateLeft = d.mainDateLeft;
    m.nameDateLeft = d.nameDateLeft;
    m.mainDatePosition = lists::positions().at(0);
    m.nameDatePosition = lists::positions().at(0);
    chooseAlignment(m, 2);
    m.scrollerPreset = -1;
    m.taskbarHeight = d.taskbarHeight;
    refreshPickers(m);
    return true;
}

bool resetAllSettings(SettingsModel &m, Prompter &prompter)
{
    if (prompter.ask({QStringLiteral("Are you sure you want to reset all settings?"), QStringLiteral("Reset?"),
                      Icon::Critical, Buttons::YesNo, Button::No})
        == Button::No)
        return false;
    formatDefaults(m, prompter, true);
    effectsDefaults(m, prompter, true);
    positionDefaults(m, prompter, true);
    return true;
}

void saveAllSettingsCommand(SettingsModel &m, SettingsStore &store, Prompter &prompter)
{
    saveAllGroups(m, store, kSettingsSection);
    storeSaveAtExit(m, store);
    prompter.inform(QStringLiteral("Done!"), QStringLiteral("Done!"));
}

void showTemplateInfo(Prompter &prompter)
{
    const QString gap = QStringLiteral("\r\n\r\n");
    prompter.inform(
        QStringLiteral("\"Create Template From File...\" reads DWT files and copies all the font files, background "
                       "images and Datewren Settings file to a folder. So that you can share your settings with "
                       "other users through Datewren Homepage.")
            + gap + QStringLiteral("Compress (ZIP) the folder and send it to ") + product::kContactEmail + gap
            + QStringLiteral("PS: This feature is not perfectly coded. It may copy font files which may not be used "
                             "by that particular DWT file. So make sure you compress necessary files only."),
        QStringLiteral("Info"));
}

} // namespace dw
