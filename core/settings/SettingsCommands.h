#pragma once

#include "core/settings/SettingsModel.h"

namespace dw {

class Prompter;
class SettingsStore;

// The "Default Settings..." commands of the Format, Effects and Position tabs. Each asks first
// unless suppressConfirmation is set (Reset asks once for all three). Returns false when the
// user said No and nothing changed. None of them writes to the store.
bool formatDefaults(SettingsModel &m, Prompter &prompter, bool suppressConfirmation = false);
bool effectsDefaults(SettingsModel &m, Prompter &prompter, bool suppressConfirmation = false);
bool positionDefaults(SettingsModel &m, Prompter &prompter, bool suppressConfirmation = false);
// "Reset All Settings to Default...": one confirmation, then the three tabs' defaults. The
// completion pairs and "Save at exit" are kept.
bool resetAllSettings(SettingsModel &m, Prompter &prompter);

// "Save All Settings": the four groups, then SaveAtExit, then "Done!".
void saveAllSettingsCommand(SettingsModel &m, SettingsStore &store, Prompter &prompter);

// The "?" box beside "Create Template From File...".
void showTemplateInfo(Prompter &prompter);

} // namespace dw
