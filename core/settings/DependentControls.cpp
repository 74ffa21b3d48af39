#include "core/settings/DependentControls.h"

#include "core/settings/SettingsLists.h"

namespace dw {

void refreshPickers(SettingsModel &m)
{
    for (ColourPicker &p : m.pickers) {
        if (const auto value = colourFromText(p.text))
            p.value = *value;
        p.text = colourText(p.value);
    }
    m.pickers[3].defaultText = colourText(m.pickers[1].value);
}

int effectIndex(const QString &effect)
{
    return int(qMax<qsizetype>(0, lists::effects().indexOf(effect)));
}

ControlsState controlsState(const SettingsModel &m)
{
    ControlsState s;
    const bool picture = m.backgroundKind == QLatin1String("Picture");
    s.backgroundColourVisible = !picture;
    s.backgroundPictureVisible = picture;

    const int effect = effectIndex(m.mdEffect);
    if (effect > 0)
        s.effectPanelVisible[size_t(effect)] = true;
    s.effectColourVisible = effect >= 2;

    // At least one of the three blocks stays shown: the last ticked one cannot be unticked.
    // An unticked box is always available, so a stored "all off" can still be undone.
    const auto &b = m.showBlock;
    s.blockEnabled[0] = !b[0] || b[1] || b[2];
    s.blockEnabled[1] = !b[1] || b[0] || b[2];
    s.blockEnabled[2] = !b[2] || b[0] || b[1];
    s.blockEnabled[3] = true;

    s.mdSeparatorEnabled = lists::mainDateStyles().indexOf(m.mdDateStyle) < 6;
    s.daysSentence = daysSentence(m.remindBefore);
    s.guideLines = {m.mainDateTop, m.nameDateTop, m.scrollerTop};
    return s;
}

ControlsState refreshDependentControls(SettingsModel &m)
{
    refreshPickers(m);
    return controlsState(m);
}

void setPickerColour(SettingsModel &m, int picker, quint32 value, bool runRefresh)
{
    if (picker < 0 || picker >= int(m.pickers.size()))
        return;
    m.pickers[size_t(picker)].value = value & 0xffffff;
    m.pickers[size_t(picker)].text = colourText(value);
    if (runRefresh)
        refreshPickers(m);
    if (picker == 1)
        m.pickers[3].defaultText = colourText(m.pickers[1].value);
}

} // namespace dw
