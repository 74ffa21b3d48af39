#pragma once

#include "core/settings/SettingsModel.h"
#include "core/settings/SettingsStore.h"

namespace dw {

class Prompter;

// The four save groups: the pairs one settings tab writes, in writing order. saveAutoC also
// empties every half-filled completion pair in the model first, so a pair is stored whole or
// as " ".
SettingPairs formatPairs(const SettingsModel &m);
SettingPairs effectsPairs(const SettingsModel &m);
SettingPairs positionPairs(const SettingsModel &m);
SettingPairs autoCPairs(SettingsModel &m);

bool saveFormatSettings(const SettingsModel &m, SettingsStore &store, const QString &section);
bool saveEffectsSettings(const SettingsModel &m, SettingsStore &store, const QString &section);
bool savePositionSettings(const SettingsModel &m, SettingsStore &store, const QString &section);
bool saveAutoCSettings(SettingsModel &m, SettingsStore &store, const QString &section);
// Format, Effects, Position and AutoC, in that order, in one write.
bool saveAllGroups(SettingsModel &m, SettingsStore &store, const QString &section);
// SaveAtExit from the "Save at exit" box, into "Settings".
bool storeSaveAtExit(const SettingsModel &m, SettingsStore &store);

// Reads every setting from the "Settings" section into the model with the rules for missing,
// blank and special values. A value a field refuses leaves the field as it was; nothing is
// reported and nothing is written. Ends with every colour text readable (see refreshPickers).
// The beeper (may be null) hears the position conflict rule.
void loadSettings(SettingsModel &m, const SettingsStore &store, Prompter *beeper = nullptr);

} // namespace dw
